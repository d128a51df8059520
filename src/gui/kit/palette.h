#pragma once

#include <QColor>

namespace qv {

    // The classic 16-colour palette. Screens name colours by index: 0 black for ordinary button
    // captions, 9 bright blue for the selected button.
    inline constexpr int PaletteSize = 16;
    inline constexpr int PaletteBlack = 0;
    inline constexpr int PaletteBrightBlue = 9;

    // The colour of palette entry index (0-15); an index outside gives black.
    QColor paletteColor(int index);

} // namespace qv
