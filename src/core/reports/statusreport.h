#pragma once

#include <QColor>
#include <QDate>
#include <QString>

#include <functional>

namespace qv {

    class PageEngine;

    // The families ticked in the print options for the status report.
    struct StatusReportChoice
    {
        bool all = false;
        bool administrative = false;
        bool physical = false;
        bool technical = false;

        bool any() const
        {
            return all || administrative || physical || technical;
        }

        // The print options' boxes in order: "All Safeguards", Administrative, Physical, Technical.
        static constexpr int BoxCount = 4;
        bool box(int index) const;
        void setBox(int index, bool ticked);

        // After the user clicked box index (the click's own tick already counted): a family left
        // ticked clears "All Safeguards", and a click on "All Safeguards" clears the families.
        StatusReportChoice afterClick(int index) const;

        bool operator==(const StatusReportChoice&) const = default;
    };

    // Status text of safeguard number n (1–47) as stored; the report trims it.
    using StatusLookup = std::function<QString(int safeguard)>;

    // Composes a page of its own at the top of the current page of an open document and returns the y
    // below what it printed.
    using LeadingPage = std::function<double(PageEngine& engine)>;

    // Composes the safeguard status report on engine: the ruled tables of the ticked families with
    // every standard, section, implementation specification, R or A and the stored status, the legend
    // and the "Printed:" footer with today's date on the legend's line. Always in Times New Roman,
    // portrait, with the report's own margins, on the engine's paper (Letter unless the page set-up
    // chose another); a table that does not fit below the one before starts on a new page, so no
    // table is split. printColor colours the text. With nothing ticked the document is discarded and
    // has no pages. A leading page, when given, comes first, on a page of its own; with it the report
    // is printed even with no family ticked, the footer then below the leading page's last line.
    void composeStatusReport(PageEngine& engine,
                             const StatusReportChoice& choice,
                             const StatusLookup& status,
                             const QColor& printColor,
                             const QDate& today,
                             const LeadingPage& leadingPage = {});

    // "Printed:  " and the date as the footer spells it ("Printed:  March 4, 2011").
    QString printedFooter(const QDate& today);

} // namespace qv
