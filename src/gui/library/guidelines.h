#pragma once

namespace qv {

    // The guide-line choice of every print preview of the reference screens: 0 "Do Not Display
    // Guide Lines", 1 "Display Guide Lines". It starts at 0 and lasts for the run.
    int guideLineOption();
    // Values other than 0 and 1 are taken as 0.
    void setGuideLineOption(int option);

} // namespace qv
