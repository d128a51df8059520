#pragma once

// Lengths inside a QTextDocument (indents, spacing, tab stops, table widths, picture sizes) are kept
// in CSS pixels, 96 to the inch, the unit Qt's own HTML import uses. RTF measures in twips, 1440 to
// the inch, so one document unit is 15 twips. Reader and writer convert with these alone so a
// document read and written again keeps its measures.
namespace qv::rtfunits {

    inline constexpr double TwipsPerUnit = 15.0;

    constexpr double fromTwips(double twips)
    {
        return twips / TwipsPerUnit;
    }

    constexpr int toTwips(double units)
    {
        const double t = units * TwipsPerUnit;
        return static_cast<int>(t < 0 ? t - 0.5 : t + 0.5);
    }

} // namespace qv::rtfunits
