#include "palette.h"

#include <array>

namespace qv {

    QColor paletteColor(int index)
    {
        static constexpr std::array<QRgb, PaletteSize> colours = {
            0x000000, // 0 black
            0x000080, // 1 blue
            0x008000, // 2 green
            0x008080, // 3 cyan
            0x800000, // 4 red
            0x800080, // 5 magenta
            0x808000, // 6 yellow (brown)
            0xC0C0C0, // 7 white (light grey)
            0x808080, // 8 grey
            0x0000FF, // 9 bright blue
            0x00FF00, // 10 bright green
            0x00FFFF, // 11 bright cyan
            0xFF0000, // 12 bright red
            0xFF00FF, // 13 bright magenta
            0xFFFF00, // 14 bright yellow
            0xFFFFFF, // 15 bright white
        };
        if (index < 0 || index >= PaletteSize) {
            return QColor(Qt::black);
        }
        return QColor::fromRgb(colours[static_cast<size_t>(index)]);
    }

} // namespace qv
