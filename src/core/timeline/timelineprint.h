#pragma once

#include "core/reports/printsettings.h"

#include <QDate>
#include <QFont>
#include <QString>
#include <QStringView>

#include <functional>

namespace qv {
    class PageEngine;
}

namespace qv::timeline {

    class TimelineModel;

    inline constexpr QStringView PrintTitle = u"Project Timeline/To Do List";
    // The refusal shown instead of the print options when no row has an item.
    inline constexpr QStringView NothingToPrintTitle = u"Print";
    inline constexpr QStringView NothingToPrintMessage = u"There are currently No Entries to Print!";

    // The two boxes the print options show for the timeline.
    struct TimelinePrintOptions
    {
        // "Print 'As of' date/each page"
        bool asOfDate = false;
        // "Print Grid Lines"
        bool gridLines = false;

        bool operator==(const TimelinePrintOptions&) const = default;
    };

    // Where the printout places its columns, as divisors of the printable width W (page width less
    // both margins), measured from the left margin: a centre or rule stands at left + W / divisor.
    namespace printcolumns {
        inline constexpr double ItemHeadingCentre = 5.2;
        inline constexpr double ToDoDateCentre = 1.995;
        inline constexpr double ActualDateCentre = 1.45;
        inline constexpr double NextReviewDateCentre = 1.124;
        // The last two make a double rule between the actual and the next review date.
        inline constexpr double Rules[] = {2.45, 1.685, 1.274, 1.266};
    } // namespace printcolumns

    // "As of  " (two blanks) and the date as "March 04, 2011".
    QString asOfLine(const QDate& today);

    // The timeline prints in the face, bold and italic of the grid's edit box, at the size the settings
    // already hold, except that the screen-only faces become "Times New Roman" 12 and a face the
    // printer refuses falls back to "Times New Roman", then "Courier".
    void applyTimelineFont(PrintSettings& settings,
                           const QFont& editFont,
                           const std::function<bool(const QString&)>& accepts = isPrintableFace);

    // Composes the timeline printout on engine with settings: on every page the title, the "As of"
    // line (blank unless options.asOfDate), the headings, then one line per row with an item, in grid
    // order, its three dates centred under their headings; rows without an item are left out even
    // when they carry dates. An item too wide for its column goes on over more lines within it. Rules
    // around and between the columns only with options.gridLines. False, with the document
    // discarded, when no row has an item: the caller shows NothingToPrintMessage instead.
    bool composeTimelinePrint(PageEngine& engine,
                              const PrintSettings& settings,
                              const TimelineModel& model,
                              const TimelinePrintOptions& options,
                              const QDate& today);

} // namespace qv::timeline
