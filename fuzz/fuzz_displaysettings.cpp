// Reads arbitrary bytes as each of the three display settings files and checks what the readers
// promise: a window size is always a finite number and the limits lift it to a size that can be
// shown, a colour is a plain RGB colour, and a grid background names one of the installed pictures
// or none, and is stored again as the same background.
#include "core/shell/displaysettings.h"
#include "core/shell/gridbackground.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {
    void require(bool condition)
    {
        if (!condition) {
            std::abort();
        }
    }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    using namespace qv::display;

    const qv::FixedRecords screen(ScreenRecordLength, bytes);
    const ScreenPreference preference = screenPreferenceFrom(screen);
    require(std::isfinite(preference.stored.height) && std::isfinite(preference.stored.width));
    const WindowTwips held = heldSize(openingSize(preference.stored));
    require(held.width >= MinWidth && held.height >= MinHeight);
    if (const std::optional<QColor> text = gridTextColorFrom(screen)) {
        require(text->isValid() && text->alpha() == 255);
        require(colorFromNumber(colorNumber(*text)) == text);
    }
    if (const std::optional<int> option = guideLineOptionFrom(screen)) {
        require(*option == 0 || *option == 1);
    }

    const GridBackground grid = gridBackgroundFrom(qv::FixedRecords(GridRecordLength, bytes));
    require(GridBackground::fromSetting(grid.setting()) == grid);
    if (grid.kind() == GridBackground::Kind::Picture) {
        require(grid.pictureNumber() >= 1 && grid.pictureNumber() <= PictureCount);
        require(grid.pictureFile() == pictureFileName(grid.pictureNumber()));
    } else {
        require(grid.pictureFile().isEmpty());
    }

    const StartBackground start = startBackgroundFrom(qv::FixedRecords(StartRecordLength, bytes));
    require(start.useDefault || (start.color.isValid() && start.color.alpha() == 255));
    return 0;
}
