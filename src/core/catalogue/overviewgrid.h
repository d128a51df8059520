#pragma once

#include "catalogue.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>

namespace qv {
    class StatusTable;
}

// The "HIPAA Security Standards" overview: one grid row per standard of the Administrative, Physical or
// Technical family, with the entries' current statuses. The other two families have no overview.
namespace qv::catalogue {

    inline constexpr int OverviewColumnCount = 5;
    // Lines within a cell are separated by CR LF, as in every multi-line text the program assembles.
    inline constexpr QStringView CellLineBreak = u"\r\n";

    struct OverviewColumn
    {
        QStringView header;
        double widthFraction; // of the grid's width
        Qt::Alignment alignment;
    };

    struct OverviewRow
    {
        QStringList cells; // one text per column
        double heightFraction; // of the grid's height; 0 keeps the grid's default row height
    };

    std::span<const OverviewColumn> overviewColumns();
    // The families the overview can show, in the order of its family buttons.
    std::span<const Family> overviewFamilies();
    bool hasOverview(Family family);

    // The rows of family in order, each combined with the statuses in statuses; empty for a family
    // without an overview.
    QList<OverviewRow> overviewRows(Family family, const StatusTable& statuses);
    // The safeguard numbers whose statuses one family's overview shows.
    QList<int> overviewSafeguards(Family family);

    // The label above the grid: the family's name, "§" and its section, with no blanks between.
    QString overviewTitle(Family family);
    inline constexpr QStringView OverviewLegend = u"*  R = Required;  A = Addressable";
    inline constexpr QStringView OverviewFrameTitle = u"Security Standard Safeguards";

} // namespace qv::catalogue
