#pragma once

#include <QFont>

class QPaintDevice;

// Every page is composed in twips, 1/1440 inch, the unit callers give positions in. Text is measured
// and laid out against a device of exactly that resolution, so one twip is one device pixel and no
// width or line break depends on the screen the program happens to run on.
namespace qv::twips {

    inline constexpr double PerInch = 1440.0;
    inline constexpr double PerPoint = 20.0;

    // The device text is laid out against: 1440 dots per inch, never painted on.
    QPaintDevice& layoutDevice();

    // font resolved for layoutDevice(): its pixel size is its point size in twips.
    QFont layoutFont(const QFont& font);

    // font sized so that, painted on device, one unit of the painter's untransformed coordinate
    // system is one twip: the same glyph sizes and advances as layoutFont(font) gives, whatever the
    // device's resolution. Paint with the painter scaled from twips to device pixels.
    QFont paintFont(const QFont& font, const QPaintDevice& device);

} // namespace qv::twips
