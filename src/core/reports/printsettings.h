#pragma once

#include "pageengine.h"

#include <QColor>
#include <QFont>
#include <QSizeF>
#include <QString>

#include <functional>

namespace qv {

    // The printer font, colour, margins and orientation every report of the Action Area prints with.
    // One instance lives as long as the program; each report writes its own presets into it when it
    // opens the print options, and the font dialog and page set-up change it afterwards.
    struct PrintSettings
    {
        QString fontName = QStringLiteral("Times New Roman");
        double fontSize = 10;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        QColor color = Qt::black;
        PageMargins margins{1440, 1440, 1440, 1440};
        PageOrientation orientation = PageOrientation::Portrait;
        // The sheet, portrait, in twips: US Letter until the user picks another in the page set-up.
        // No report has a paper of its own, so opening one leaves it as the user chose it.
        QSizeF paper{PageEngine::LetterWidth, PageEngine::LetterHeight};

        // Face, size and styles as a point-sized font (for the sample and the font dialog).
        QFont font() const;
        // Copies face, size and the four styles from font; a size of zero or less becomes 12.
        void setFont(const QFont& font);

        // Face, size, styles, text colour and line colour onto the engine.
        void applyFont(PageEngine& engine) const;
        // Paper, margins and orientation onto the engine (before startDoc()).
        void applyPage(PageEngine& engine) const;

        bool operator==(const PrintSettings&) const = default;
    };

    // Margin presets the reports write into the settings when they open the print options.
    namespace printpresets {
        inline constexpr PageMargins StatusReport{100, 10, 100, 100};
        inline constexpr PageMargins NotesReport{350, 300, 350, 100};
        // The notes report and the single-document print in the disaster recovery plan's area.
        inline constexpr PageMargins NotesReportPlan{350, 300, 350, 600};
        inline constexpr PageMargins AllPolicies{750, 600, 650, 600};
        inline constexpr PageMargins MiscellaneousViewer{200, 100, 100, 100};
    } // namespace printpresets

    // Whether text in face can be sent to the printer: the face or a metric-compatible or look-alike
    // substitute for it is installed (the default fall-back face does not count).
    bool isPrintableFace(const QString& face);

    struct PrinterFont
    {
        QString face;
        double size = 12;
        bool operator==(const PrinterFont&) const = default;
    };

    enum class ScreenFaces
    {
        Keep,
        // "MS Sans Serif" and "MS Serif" are screen-only faces: they become "Times New Roman" 12.
        Replace
    };

    // The face and size the printer is given for an edit font: the screen-only faces replaced when
    // asked, a refused face replaced by "Times New Roman", or by "Courier" when that is refused too;
    // a size of zero or less becomes 12. accepts decides what the printer takes.
    PrinterFont printerFont(const QString& face,
                            double size,
                            ScreenFaces screenFaces,
                            const std::function<bool(const QString&)>& accepts = isPrintableFace);

    // Preview on, discard the old document, margins, orientation, font and colours from settings,
    // then begin the document: the first steps of every report.
    void beginReport(PageEngine& engine, const PrintSettings& settings);

} // namespace qv
