#pragma once

#include "viewerframe.h"

#include <functional>

namespace qv {

    // Registers the four reference screens with the navigator, so every screen's buttons and menu
    // entries for them come alive. exitProgram runs when the user confirms "Exit Quorvane?" on one.
    void registerLibraryScreens(const LibraryContext& context, std::function<void()> exitProgram);

} // namespace qv
