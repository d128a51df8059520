#include "test_reports.h"

#include "core/reports/pageengine.h"
#include "core/reports/statusreport.h"

#include <QLocale>
#include <QTest>

#include <optional>

using namespace qv;
using namespace Qt::StringLiterals;

namespace {

    // The tables as the printed report shows them: standard | section | implementation specification |
    // R or A, one row a line; a standard's name marks its first row, which has a ruled line above.
    struct Table
    {
        QString heading;
        QString standardsHeading;
        QStringList rows;
        // Standards-column lines below the last row.
        QStringList moreStandardLines;
        // Safeguard number of the first row.
        int firstSafeguard;
    };

    const QList<Table>& tables()
    {
        static const QList<Table> all{
            {u"ADMINISTRATIVE SAFEGUARDS §164.308"_s,
             u"Standards"_s,
             {
                 u"Security Management Process|164.308(a)(1)|Risk Analysis|R"_s,
                 u"||Risk Management|R"_s,
                 u"||Sanction Policy|R"_s,
                 u"||Information System Activity Review|R"_s,
                 u"Assigned Security Responsibility|164.308(a)(2)||R"_s,
                 u"Workforce Security|164.308(a)(3)|Authorization and/or Supervision|A"_s,
                 u"||Workforce Clearance Procedure|A"_s,
                 u"||Termination Procedures|A"_s,
                 u"Information Access Management|164.308(a)(4)|Isolating Health Care Clearinghouse Function|R"_s,
                 u"||Access Authorization|A"_s,
                 u"||Access Establishment and Modification|A"_s,
                 u"Security Awareness and Training|164.308(a)(5)|Security Reminders|A"_s,
                 u"||Protection from Malicious Software|A"_s,
                 u"||Log-in Monitoring|A"_s,
                 u"||Password Management|A"_s,
                 u"Security Incident Proceedures|164.308(a)(6)|Response and Reporting|R"_s,
                 u"Contingency Plan|164.308(a)(7)|Data Backup Plan|R"_s,
                 u"||Disaster Recovery Plan|R"_s,
                 u"||Emergency Mode Operation Plan|R"_s,
                 u"||Testing and Revision Procedure|A"_s,
                 u"||Applications and Data Criticality Analysis|A"_s,
                 u"Evaluation|164.308(a)(8)||R"_s,
                 u"Business Associate Contracts And|164.308(b)(1)|Written Contract or Other Arrangements|R"_s,
             },
             {u"Other Arrangements"_s},
             1},
            {u"PHYSICAL SAFEGUARDS §164.310"_s,
             u"Standards"_s,
             {
                 u"Facility Access Control|164.310(a)(1)|Contingency Operation|A"_s,
                 u"||Facility Security Plan|A"_s,
                 u"||Access Control & Validation|A"_s,
                 u"||Maintenance Records|A"_s,
                 u"Workstation Use|164.310(b)||R"_s,
                 u"Workstation Security|164.310(c)||R"_s,
                 u"Device and Media Control|164.310(d)(1)|Disposal|R"_s,
                 u"||Media Re-use|R"_s,
                 u"||Accountability|A"_s,
                 u"||Data Backup and Storage|A"_s,
             },
             {},
             24},
            {u"TECHNICAL SAFEGUARDS §164.312"_s,
             u"Standards"_s,
             {
                 u"Access Control|164.312(a)(1)|Unique User Identification|R"_s,
                 u"||Emergency Access Procedure|R"_s,
                 u"||Automatic Logoff|A"_s,
                 u"||Encryption and Decryption|A"_s,
                 u"Audit Controls|164.312(b)||R"_s,
                 u"Integrity|164.312(c)(1)|Mechanism to Authenticate Electronic PHI|A"_s,
                 u"Person or entity Authentication|164.312(d)||R"_s,
                 u"Transmission Security|164.312(e)(1)|Integrity Controls|A"_s,
                 u"||Encryption|A"_s,
             },
             {},
             34},
            {u"ORGANIZATIONAL REQUIREMENTS §164.314"_s,
             u"Standards"_s,
             {
                 u"Business associate contracts..|164.314(a)(1)|Business associate contracts or other...|R"_s,
                 u"Requirements - group health plans..|164.314(b)(1)|Requirements for Group Health Plans|R"_s,
             },
             {},
             44},
            {u"POLICIES AND PROCEDURES AND DOCUMENTATION REQUIREMENTS §164.316"_s,
             u"Standard"_s,
             {u"Documentation|164.316|Documentation|R"_s},
             {},
             47},
        };
        return all;
    }

    enum TableIndex
    {
        Administrative,
        Physical,
        Technical,
        Organizational,
        Policies
    };

    const QDate Today(2011, 3, 4);
    constexpr double ReportTop = 10 + 150;
    const QSizeF Letter(PageEngine::LetterWidth, PageEngine::LetterHeight);
    // Too short for every table on one page.
    const QSizeF A5(8391, 11906);

    QString numberedStatus(int safeguard)
    {
        return u"S%1"_s.arg(safeguard);
    }

    StatusReportChoice choiceOf(const QString& ticks)
    {
        StatusReportChoice choice;
        choice.all = ticks.contains(u'*');
        choice.administrative = ticks.contains(u'A');
        choice.physical = ticks.contains(u'P');
        choice.technical = ticks.contains(u'T');
        return choice;
    }

    void compose(PageEngine& engine,
                 const StatusReportChoice& choice,
                 const QSizeF& paper = Letter,
                 const StatusLookup& status = numberedStatus,
                 const QColor& color = Qt::black)
    {
        engine.setPaperSize(paper);
        composeStatusReport(engine, choice, status, color, Today);
    }

    double lineHeight(double points, bool bold)
    {
        PageEngine engine;
        engine.setFontName(u"Times New Roman"_s);
        engine.setFontSize(points);
        engine.setFontBold(bold);
        return engine.lineHeight();
    }

    bool near(double a, double b, double tolerance = 0.5)
    {
        return std::abs(a - b) <= tolerance;
    }

    struct Spot
    {
        int page = -1;
        double y = 0;
    };

    std::optional<TextOp> findText(const PageDocument& doc, const QString& text, int* page = nullptr)
    {
        for (int p = 0; p < doc.pageCount(); ++p) {
            for (const TextOp& op : doc.texts(p)) {
                if (op.text == text) {
                    if (page)
                        *page = p;
                    return op;
                }
            }
        }
        return std::nullopt;
    }

    int countText(const PageDocument& doc, const QString& text)
    {
        int n = 0;
        for (int p = 0; p < doc.pageCount(); ++p) {
            for (const TextOp& op : doc.texts(p))
                n += op.text == text ? 1 : 0;
        }
        return n;
    }

    // Where the parts of a printed table stand, worked out from its heading.
    struct Placed
    {
        int page = -1;
        double tableTop = 0;
        double headingY = 0;
        double headerTop = 0;
        double columnHeadingsY = 0;
        double rowsTop = 0;
        double bottom = 0;
    };

    std::optional<Placed> locate(const PageDocument& doc, int index)
    {
        const Table& table = tables().at(index);
        Placed at;
        const std::optional<TextOp> heading = findText(doc, table.heading, &at.page);
        if (!heading)
            return std::nullopt;
        const double bold = lineHeight(10, true);
        at.headingY = heading->pos.y();
        at.tableTop = at.headingY - 30;
        at.headerTop = at.headingY + bold;
        at.columnHeadingsY = at.headerTop + 30;
        at.rowsTop = at.columnHeadingsY + bold + 100;
        at.bottom = at.rowsTop + (table.rows.size() + table.moreStandardLines.size()) * lineHeight(10, false);
        return at;
    }

    QList<TextOp> textsOnLine(const PageDocument& doc, int page, double y)
    {
        QList<TextOp> found;
        for (const TextOp& op : doc.texts(page)) {
            if (near(op.pos.y(), y))
                found.append(op);
        }
        return found;
    }

    enum class Align
    {
        Left,
        Centre
    };

    // Fails the test unless line holds text at x (left edge or centre) and with the weight given.
    void expectCell(const QList<TextOp>& line, const QString& text, double x, Align align, bool bold)
    {
        QString seen;
        for (const TextOp& op : line) {
            if (op.text != text)
                continue;
            const double at = align == Align::Left ? op.pos.x() : op.pos.x() + op.width / 2;
            if (near(at, x, 2) && op.style.bold == bold && op.style.pointSize == 10)
                return;
            seen += u" at %1 (bold %2, %3 pt)"_s.arg(at).arg(op.style.bold).arg(op.style.pointSize);
        }
        QFAIL(qPrintable(u"\"%1\" expected at %2, bold %3; found%4"_s.arg(text).arg(x).arg(bold).arg(
            seen.isEmpty() ? u" nowhere"_s : seen)));
    }

    QList<double> horizontalRules(const PageDocument& doc, int page, double from, double to)
    {
        QList<double> ys;
        for (const LineOp& line : doc.lines(page)) {
            if (near(line.from.y(), line.to.y()) && line.from.y() >= from - 0.5 && line.from.y() <= to + 0.5) {
                if (near(line.from.x(), 100) && near(line.to.x(), doc.pageSize().width() - 100) &&
                    !ys.contains(line.from.y()))
                    ys.append(line.from.y());
            }
        }
        std::sort(ys.begin(), ys.end());
        return ys;
    }

    bool hasVerticalRule(const PageDocument& doc, int page, double x, double top, double bottom)
    {
        for (const LineOp& line : doc.lines(page)) {
            if (near(line.from.x(), x) && near(line.to.x(), x) && near(line.from.y(), top) && near(line.to.y(), bottom))
                return true;
        }
        return false;
    }

} // namespace

void TestReports::allSafeguardsTablesInOrder_data()
{
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<int>("pages");
    QTest::addRow("letter") << Letter << 1;
    QTest::addRow("a5: technical on a new page") << A5 << 2;
}

void TestReports::allSafeguardsTablesInOrder()
{
    QFETCH(QSizeF, paper);
    QFETCH(int, pages);
    const double PageWidth = paper.width();
    PageEngine engine;
    compose(engine, choiceOf(u"*"_s), paper);
    const PageDocument& doc = engine.document();
    QCOMPARE(doc.pageCount(), pages);
    QCOMPARE(doc.pageSize(), paper);

    QCOMPARE(countText(doc, u"HIPAA Security Standards"_s), 1);
    int titlePage = -1;
    const std::optional<TextOp> title = findText(doc, u"HIPAA Security Standards"_s, &titlePage);
    QCOMPARE(titlePage, 0);
    QCOMPARE(title->pos.y(), ReportTop);
    QVERIFY(near(title->pos.x() + title->width / 2, PageWidth / 2, 2));
    QVERIFY(title->style.bold);
    QCOMPARE(title->style.pointSize, 12.0);

    std::optional<Placed> previous;
    for (int t = Administrative; t <= Policies; ++t) {
        const std::optional<Placed> at = locate(doc, t);
        QVERIFY2(at, qPrintable(tables().at(t).heading));
        QCOMPARE(countText(doc, tables().at(t).heading), 1);
        if (t == Administrative) {
            QCOMPARE(at->page, 0);
            QVERIFY(near(at->tableTop, ReportTop + lineHeight(12, true)));
        } else if (t == Policies) {
            // Follows the Organizational table directly: its ruled line, 30 twips, the heading.
            QCOMPARE(at->page, previous->page);
            QVERIFY(near(at->headingY, previous->bottom + 30));
        } else if (at->page == previous->page) {
            QVERIFY2(near(at->tableTop, previous->bottom + 60), qPrintable(tables().at(t).heading));
        } else {
            QCOMPARE(at->page, previous->page + 1);
            QVERIFY(near(at->tableTop, ReportTop));
        }
        if (t != Policies) {
            const QList<double> rules = horizontalRules(doc, at->page, at->tableTop, at->tableTop);
            QCOMPARE(rules.size(), 1);
        }
        previous = at;
    }
    QVERIFY(findText(doc, u"      Legend:  R = Required    A = Addressable"_s));
    QVERIFY(findText(doc, u"Printed:  March 4, 2011"_s));
    QVERIFY(!engine.isOpen());
}

void TestReports::tableRowsRowByRow_data()
{
    QTest::addColumn<QString>("ticks");
    QTest::addColumn<int>("table");
    QTest::addColumn<QSizeF>("paper");
    const char* names[] = {"administrative", "physical", "technical", "organizational", "policies"};
    for (int t = Administrative; t <= Policies; ++t)
        QTest::addRow("all, %s", names[t]) << u"*"_s << t << Letter;
    QTest::addRow("physical alone") << u"P"_s << int(Physical) << Letter;
    QTest::addRow("technical after administrative") << u"AT"_s << int(Technical) << Letter;
    QTest::addRow("a5, technical on page 2") << u"*"_s << int(Technical) << A5;
    QTest::addRow("a5, policies on page 2") << u"*"_s << int(Policies) << A5;
}

void TestReports::tableRowsRowByRow()
{
    QFETCH(QString, ticks);
    QFETCH(int, table);
    QFETCH(QSizeF, paper);
    const double PageWidth = paper.width();
    PageEngine engine;
    compose(engine, choiceOf(ticks), paper);
    const PageDocument& doc = engine.document();
    const Table& expected = tables().at(table);
    const std::optional<Placed> at = locate(doc, table);
    QVERIFY(at);

    const QList<TextOp> headings = textsOnLine(doc, at->page, at->columnHeadingsY);
    QCOMPARE(headings.size(), 4);
    expectCell(headings, expected.standardsHeading, PageWidth / 6.8, Align::Centre, true);
    expectCell(headings, u"Section"_s, PageWidth / 2.8, Align::Centre, true);
    expectCell(headings, u"Implementation Specification"_s, PageWidth / 1.68, Align::Centre, true);
    expectCell(headings, u"Current Status"_s, PageWidth / 1.12, Align::Centre, true);

    const double line = lineHeight(10, false);
    for (int r = 0; r < expected.rows.size(); ++r) {
        const QStringList cells = expected.rows.at(r).split(u'|');
        const QString status = numberedStatus(expected.firstSafeguard + r);
        const QList<TextOp> printed = textsOnLine(doc, at->page, at->rowsTop + r * line);
        int count = 1 + 1; // R or A, and the status
        if (!cells.at(0).isEmpty()) {
            expectCell(printed, cells.at(0), PageWidth / 30, Align::Left, true);
            ++count;
        }
        if (!cells.at(1).isEmpty()) {
            expectCell(printed, cells.at(1), PageWidth / 2.8, Align::Centre, false);
            ++count;
        }
        if (!cells.at(2).isEmpty()) {
            expectCell(printed, cells.at(2), PageWidth / 2.2, Align::Left, false);
            ++count;
        }
        expectCell(printed, cells.at(3), PageWidth / 1.28, Align::Left, false);
        expectCell(printed, status, PageWidth / 1.12, Align::Centre, false);
        QVERIFY2(printed.size() == count, qPrintable(u"row %1 holds %2 strings"_s.arg(r + 1).arg(printed.size())));
    }
    for (int i = 0; i < expected.moreStandardLines.size(); ++i) {
        const QList<TextOp> printed = textsOnLine(doc, at->page, at->rowsTop + (expected.rows.size() + i) * line);
        QCOMPARE(printed.size(), 1);
        expectCell(printed, expected.moreStandardLines.at(i), PageWidth / 30, Align::Left, true);
    }
    // Nothing else stands between the column headings and the bottom rule.
    int inTable = 0;
    for (const TextOp& op : doc.texts(at->page))
        inTable += op.pos.y() > at->columnHeadingsY + 1 && op.pos.y() < at->bottom - 1 ? 1 : 0;
    qsizetype cells = expected.moreStandardLines.size();
    for (const QString& row : expected.rows)
        cells += 5 - row.split(u'|').count(QString());
    QCOMPARE(inTable, cells);
}

void TestReports::ruledLinesAndVerticalRules_data()
{
    QTest::addColumn<int>("table");
    // Rows with a ruled line above them, counted from 1.
    QTest::addColumn<QList<int>>("ruledRows");
    QTest::addRow("administrative") << int(Administrative) << QList<int>{1, 5, 6, 9, 12, 16, 17, 22, 23};
    QTest::addRow("physical") << int(Physical) << QList<int>{1, 5, 6, 7};
    QTest::addRow("technical") << int(Technical) << QList<int>{1, 5, 6, 7, 8};
    QTest::addRow("organizational") << int(Organizational) << QList<int>{1, 2};
}

void TestReports::ruledLinesAndVerticalRules()
{
    QFETCH(int, table);
    QFETCH(QList<int>, ruledRows);
    const double PageWidth = Letter.width();
    PageEngine engine;
    compose(engine, choiceOf(u"*"_s));
    const PageDocument& doc = engine.document();
    const std::optional<Placed> at = locate(doc, table);
    QVERIFY(at);

    const double line = lineHeight(10, false);
    QList<double> expected{at->tableTop, at->headerTop};
    for (const int r : ruledRows)
        expected.append(at->rowsTop + (r - 1) * line);
    // The closing rule follows the last line of the Standards column (line 24 of the Administrative
    // table).
    expected.append(at->bottom);
    const QList<double> rules = horizontalRules(doc, at->page, at->tableTop, at->bottom);
    QCOMPARE(rules.size(), expected.size());
    for (int i = 0; i < rules.size(); ++i)
        QVERIFY2(near(rules.at(i), expected.at(i)), qPrintable(u"rule %1 at %2"_s.arg(i).arg(rules.at(i))));

    // The Policies block continues the Organizational table's outer rules.
    const double bottom = at->bottom;
    if (table == Organizational) {
        const std::optional<Placed> policies = locate(doc, Policies);
        QVERIFY(policies);
        const QList<double> below = horizontalRules(doc, at->page, at->bottom, policies->bottom);
        // Organizational's closing rule (the Policies block's own rule falls on it), the rule below
        // the heading, the rule above the one row, the closing rule.
        const QList<double> expectedBelow{at->bottom, policies->headerTop, policies->rowsTop, policies->bottom};
        QCOMPARE(below.size(), expectedBelow.size());
        for (int i = 0; i < below.size(); ++i)
            QVERIFY(near(below.at(i), expectedBelow.at(i)));
        for (const double x : {PageWidth / 3.45, PageWidth / 2.35, PageWidth / 1.3, PageWidth / 1.245})
            QVERIFY(hasVerticalRule(doc, at->page, x, policies->headerTop, policies->bottom));
        for (const double x : {100.0, PageWidth - 100})
            QVERIFY(hasVerticalRule(doc, at->page, x, at->tableTop, policies->bottom));
    }
    for (const double x : {100.0, PageWidth - 100})
        QVERIFY2(hasVerticalRule(doc, at->page, x, at->tableTop, bottom), qPrintable(QString::number(x)));
    for (const double x : {PageWidth / 3.45, PageWidth / 2.35, PageWidth / 1.3, PageWidth / 1.245})
        QVERIFY2(hasVerticalRule(doc, at->page, x, at->headerTop, bottom), qPrintable(QString::number(x)));
}

void TestReports::tablesStayWholeOnAPage_data()
{
    QTest::addColumn<QString>("ticks");
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<int>("pages");
    QTest::addRow("all") << u"*"_s << Letter << 1;
    QTest::addRow("a5, all") << u"*"_s << A5 << 2;
    QTest::addRow("a5, three families") << u"APT"_s << A5 << 2;
    QTest::addRow("a5, administrative and technical") << u"AT"_s << A5 << 1;
    QTest::addRow("a5, physical and technical") << u"PT"_s << A5 << 1;
}

void TestReports::tablesStayWholeOnAPage()
{
    QFETCH(QString, ticks);
    QFETCH(QSizeF, paper);
    QFETCH(int, pages);
    const double BottomLimit = paper.height() - 100;
    PageEngine engine;
    compose(engine, choiceOf(ticks), paper);
    QCOMPARE(engine.pageCount(), pages);
    const PageDocument& doc = engine.document();
    for (int p = 0; p < doc.pageCount(); ++p) {
        for (const TextOp& op : doc.texts(p)) {
            QVERIFY2(op.pos.y() >= ReportTop - 0.5 && op.pos.y() + op.height <= BottomLimit + 0.5,
                     qPrintable(u"page %1: %2 at %3"_s.arg(p).arg(op.text).arg(op.pos.y())));
        }
        for (const LineOp& line : doc.lines(p))
            QVERIFY(line.from.y() >= ReportTop - 0.5 && line.to.y() <= BottomLimit + 0.5);
    }
    for (int t = Administrative; t <= Policies; ++t) {
        const std::optional<Placed> at = locate(doc, t);
        if (!at)
            continue;
        // The last row's status stands on the heading's page, in its row.
        const Table& table = tables().at(t);
        const double lastRow = at->rowsTop + (table.rows.size() - 1) * lineHeight(10, false);
        bool found = false;
        for (const TextOp& op : textsOnLine(doc, at->page, lastRow))
            found = found || op.text == numberedStatus(table.firstSafeguard + int(table.rows.size()) - 1);
        QVERIFY2(found, qPrintable(table.heading));
    }
}

void TestReports::legendAndFooter_data()
{
    QTest::addColumn<QString>("ticks");
    QTest::addColumn<int>("lastTable");
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<int>("pages");
    QTest::addRow("all") << u"*"_s << int(Policies) << Letter << 1;
    QTest::addRow("administrative") << u"A"_s << int(Administrative) << Letter << 1;
    QTest::addRow("administrative and physical") << u"AP"_s << int(Physical) << Letter << 1;
    QTest::addRow("physical") << u"P"_s << int(Physical) << Letter << 1;
    QTest::addRow("a5, all") << u"*"_s << int(Policies) << A5 << 2;
    // Room for the Administrative table but not for the legend below it.
    QTest::addRow("legend on a page of its own") << u"A"_s << int(Administrative) << QSizeF(8391, 6800) << 2;
}

void TestReports::legendAndFooter()
{
    QFETCH(QString, ticks);
    QFETCH(int, lastTable);
    QFETCH(QSizeF, paper);
    QFETCH(int, pages);
    const double PageWidth = paper.width();
    PageEngine engine;
    compose(engine, choiceOf(ticks), paper);
    const PageDocument& doc = engine.document();
    QCOMPARE(doc.pageCount(), pages);
    const std::optional<Placed> last = locate(doc, lastTable);
    QVERIFY(last);

    int legendPage = -1;
    const std::optional<TextOp> legend =
        findText(doc, u"      Legend:  R = Required    A = Addressable"_s, &legendPage);
    QVERIFY(legend);
    QCOMPARE(legendPage, doc.pageCount() - 1);
    if (last->bottom + 100 + legend->height <= paper.height() - 100) {
        QCOMPARE(legendPage, last->page);
        QVERIFY(near(legend->pos.y(), last->bottom + 100));
    } else {
        QCOMPARE(legendPage, last->page + 1);
        QCOMPARE(legend->pos.y(), ReportTop);
    }
    QCOMPARE(legend->pos.x(), 100.0);
    QVERIFY(legend->style.bold);
    QCOMPARE(legend->style.pointSize, 8.0);

    int footerPage = -1;
    const std::optional<TextOp> footer = findText(doc, u"Printed:  March 4, 2011"_s, &footerPage);
    QVERIFY(footer);
    QCOMPARE(footerPage, legendPage);
    QCOMPARE(footer->pos.y(), legend->pos.y());
    QVERIFY2(near(footer->pos.x() + footer->width, PageWidth - 300, 2),
             qPrintable(QString::number(footer->pos.x() + footer->width)));
    QVERIFY(!footer->style.bold);
    QCOMPARE(footer->style.pointSize, 8.0);
    QCOMPARE(countText(doc, footer->text), 1);
}

// Boxes as a string, "All Safeguards" first: "0100" is Administrative alone.
static StatusReportChoice ticksOf(const QString& boxes)
{
    StatusReportChoice ticks;
    for (int i = 0; i < StatusReportChoice::BoxCount; ++i) {
        ticks.setBox(i, boxes.at(i) == u'1');
    }
    return ticks;
}

void TestReports::tickRules_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("clicked");
    QTest::addColumn<QString>("after");
    // "before" already holds the click's own tick, as the box has it when the click arrives.
    QTest::newRow("all after physical clears the family") << u"1010"_s << 0 << u"1000"_s;
    QTest::newRow("all after every family") << u"1111"_s << 0 << u"1000"_s;
    QTest::newRow("all cleared clears the families too") << u"0110"_s << 0 << u"0000"_s;
    QTest::newRow("a family after all clears all") << u"1001"_s << 3 << u"0001"_s;
    QTest::newRow("a second family keeps the first") << u"0110"_s << 2 << u"0110"_s;
    QTest::newRow("a family cleared leaves all alone") << u"1000"_s << 1 << u"1000"_s;
    QTest::newRow("the last family cleared") << u"0000"_s << 3 << u"0000"_s;
}

void TestReports::tickRules()
{
    QFETCH(QString, before);
    QFETCH(int, clicked);
    QFETCH(QString, after);
    QCOMPARE(ticksOf(before).afterClick(clicked), ticksOf(after));
}

void TestReports::nothingTickedLeavesNoPages()
{
    PageEngine engine;
    compose(engine, choiceOf(u"*"_s));
    QVERIFY(engine.pageCount() > 0);
    compose(engine, choiceOf(QString()));
    QCOMPARE(engine.pageCount(), 0);
    QVERIFY(!engine.isOpen());
    QVERIFY(!findText(engine.document(), u"Printed:  March 4, 2011"_s));
}

void TestReports::onlyTechnical()
{
    PageEngine engine;
    compose(engine, choiceOf(u"T"_s));
    const PageDocument& doc = engine.document();
    QCOMPARE(doc.pageCount(), 1);
    const QList<TextOp> texts = doc.texts(0);
    QVERIFY(texts.size() > 4);
    QCOMPARE(texts.first().text, u"HIPAA Security Standards"_s);
    QCOMPARE(texts.first().pos.y(), ReportTop);
    QCOMPARE(texts.at(1).text, tables().at(Technical).heading);
    for (const int other : {Administrative, Physical, Organizational, Policies})
        QVERIFY(!findText(doc, tables().at(other).heading));
    const std::optional<Placed> at = locate(doc, Technical);
    QVERIFY(near(at->tableTop, ReportTop + lineHeight(12, true)));
    QCOMPARE(texts.at(texts.size() - 2).text, u"      Legend:  R = Required    A = Addressable"_s);
    QCOMPARE(texts.last().text, u"Printed:  March 4, 2011"_s);
}

void TestReports::statusTextTrimmedAndCentred()
{
    const StatusLookup stored = [](int safeguard) {
        switch (safeguard) {
        case 1:
            return u"  Completed "_s;
        case 2:
            return u"In Progress"_s;
        default:
            return u"   "_s;
        }
    };
    PageEngine engine;
    const double PageWidth = Letter.width();
    compose(engine, choiceOf(u"A"_s), Letter, stored);
    const PageDocument& doc = engine.document();
    const std::optional<Placed> at = locate(doc, Administrative);
    const double line = lineHeight(10, false);

    QList<TextOp> row = textsOnLine(doc, at->page, at->rowsTop);
    expectCell(row, u"Completed"_s, PageWidth / 1.12, Align::Centre, false);
    row = textsOnLine(doc, at->page, at->rowsTop + line);
    expectCell(row, u"In Progress"_s, PageWidth / 1.12, Align::Centre, false);
    // A blank status leaves its cell empty: row 3 holds only its specification and R.
    row = textsOnLine(doc, at->page, at->rowsTop + 2 * line);
    QCOMPARE(row.size(), 2);
}

void TestReports::textAndLineColours()
{
    PageEngine engine;
    compose(engine, choiceOf(u"*"_s), Letter, numberedStatus, Qt::darkRed);
    const PageDocument& doc = engine.document();
    int texts = 0;
    int lines = 0;
    for (int p = 0; p < doc.pageCount(); ++p) {
        for (const TextOp& op : doc.texts(p)) {
            QCOMPARE(op.style.color, QColor(Qt::darkRed));
            QVERIFY(op.style.face.contains(u"Times"_s) || op.style.face.contains(u"Liberation Serif"_s) ||
                    op.style.face.contains(u"Tinos"_s));
            ++texts;
        }
        for (const LineOp& op : doc.lines(p)) {
            QCOMPARE(op.color, QColor(Qt::black));
            ++lines;
        }
    }
    QVERIFY(texts > 100);
    QVERIFY(lines > 40);
}

void TestReports::printedFooterText_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("footer");
    QTest::addRow("march") << QDate(2011, 3, 4) << u"Printed:  March 4, 2011"_s;
    QTest::addRow("december") << QDate(2026, 12, 8) << u"Printed:  December 8, 2026"_s;
    QTest::addRow("two-digit day") << QDate(2000, 1, 31) << u"Printed:  January 31, 2000"_s;
}

void TestReports::printedFooterText()
{
    QFETCH(QDate, today);
    QFETCH(QString, footer);
    // Month names stay English whatever language the system speaks.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = printedFooter(today);
    QLocale::setDefault(before);
    QCOMPARE(text, footer);
}
