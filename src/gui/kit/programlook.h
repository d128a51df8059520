#pragma once

namespace qv {

    // The program's look on every platform: Qt's Fusion style and a compact sans-serif face, so the
    // screens are laid out alike everywhere and fit a 1024x768 display. Called once by the program and
    // by the tests before any window is made.
    void applyProgramLook();

} // namespace qv
