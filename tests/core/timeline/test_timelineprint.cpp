#include "core/reports/pageengine.h"
#include "core/timeline/timelinemodel.h"
#include "core/timeline/timelineprint.h"

#include <QTest>

#include <optional>

using namespace qv;
using namespace qv::timeline;
using namespace Qt::StringLiterals;

namespace {

    const QDate Today(2011, 3, 4);

    PrintSettings settings()
    {
        PrintSettings s;
        s.fontName = u"Times New Roman"_s;
        s.fontSize = 10;
        s.margins = PageMargins{720, 600, 900, 720};
        return s;
    }

    std::optional<TextOp> find(const PageDocument& doc, int page, const QString& text)
    {
        for (const TextOp& op : doc.texts(page)) {
            if (op.text == text)
                return op;
        }
        return std::nullopt;
    }

    double centre(const TextOp& op)
    {
        return op.pos.x() + op.width / 2;
    }

} // namespace

class TestTimelinePrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void titleDateHeadingsAndRowsInTheirColumns();
    void optionsOffLeaveOutDateAndRules();
    void fiveHundredRowsRunOverPagesWithHeadingsOnEach();
    void longItemStaysInItsColumn();
    void nothingToPrint();
};

void TestTimelinePrint::titleDateHeadingsAndRowsInTheirColumns()
{
    TimelineModel model;
    model.setCell(0, Item, u"Backup test  "_s);
    model.setCell(0, ToDoDate, u"Mon - Dec 7, 26"_s);
    model.setCell(0, ActualDate, u"Tue - Dec 8, 26"_s);
    model.setCell(0, NextReviewDate, u"Thu - Jun 3, 27"_s);
    // Dates without an item are not printed.
    model.setCell(1, ToDoDate, u"Wed - Jan 6, 27"_s);
    model.setCell(5, Item, u"Risk analysis"_s);

    PageEngine engine;
    QVERIFY(composeTimelinePrint(engine, settings(), model, {true, true}, Today));
    const PageDocument& doc = engine.document();
    QCOMPARE(doc.pageCount(), 1);

    const double left = 720;
    const double w = engine.pageWidth() - 720 - 900;
    const auto title = find(doc, 0, u"Project Timeline/To Do List"_s);
    const auto asOf = find(doc, 0, u"As of  March 04, 2011"_s);
    QVERIFY(title && asOf);
    QCOMPARE(title->pos.y(), 600.0);
    QVERIFY(title->style.bold);
    QVERIFY(qAbs(centre(*asOf) - (left + w / 2)) < 1);
    QVERIFY(asOf->pos.y() > title->pos.y());

    const struct
    {
        QString heading;
        QString date;
        double divisor;
    } columns[] = {
        {u"To Do Item"_s, QString(), 5.2},
        {u"To Do Date"_s, u"Mon - Dec 7, 26"_s, 1.995},
        {u"Actual Date"_s, u"Tue - Dec 8, 26"_s, 1.45},
        {u"Next Review Date"_s, u"Thu - Jun 3, 27"_s, 1.124},
    };
    const auto item = find(doc, 0, u"Backup test"_s);
    QVERIFY(item);
    QVERIFY(item->pos.x() >= left && item->pos.x() < left + 100);
    for (const auto& column : columns) {
        const auto heading = find(doc, 0, column.heading);
        QVERIFY2(heading, qPrintable(column.heading));
        QVERIFY(heading->style.bold);
        QVERIFY2(qAbs(centre(*heading) - (left + w / column.divisor)) < 1, qPrintable(column.heading));
        QVERIFY(heading->pos.y() > asOf->pos.y() && heading->pos.y() < item->pos.y());
        if (column.date.isEmpty())
            continue;
        const auto date = find(doc, 0, column.date);
        QVERIFY2(date, qPrintable(column.date));
        QVERIFY(qAbs(centre(*date) - (left + w / column.divisor)) < 1);
        QCOMPARE(date->pos.y(), item->pos.y());
    }
    const auto second = find(doc, 0, u"Risk analysis"_s);
    QVERIFY(second && second->pos.y() > item->pos.y());
    QVERIFY(!find(doc, 0, u"Wed - Jan 6, 27"_s));

    // The rules: both sides of the table and the four between the columns, from the table's top to
    // below the last row.
    QList<double> verticals;
    double bottom = 0;
    for (const LineOp& line : doc.lines(0)) {
        if (line.from.x() == line.to.x()) {
            verticals.append(line.from.x());
            bottom = std::max(bottom, line.to.y());
        }
    }
    std::sort(verticals.begin(), verticals.end());
    const QList<double> expected{left, left + w / 2.45, left + w / 1.685, left + w / 1.274, left + w / 1.266, left + w};
    QCOMPARE(verticals.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(qAbs(verticals.at(i) - expected.at(i)) < 0.5, qPrintable(QString::number(verticals.at(i))));
    QVERIFY(bottom > second->pos.y() + second->height);
}

void TestTimelinePrint::optionsOffLeaveOutDateAndRules()
{
    TimelineModel model;
    model.setCell(0, Item, u"Backup test"_s);
    PageEngine engine;
    QVERIFY(composeTimelinePrint(engine, settings(), model, {false, false}, Today));
    const PageDocument& doc = engine.document();
    QVERIFY(doc.lines(0).isEmpty());
    for (const TextOp& op : doc.texts(0))
        QVERIFY2(!op.text.startsWith(u"As of"_s), qPrintable(op.text));

    // The headings stand where they do with the date shown, so ticking the box moves nothing.
    PageEngine dated;
    QVERIFY(composeTimelinePrint(dated, settings(), model, {true, false}, Today));
    QCOMPARE(find(doc, 0, u"To Do Date"_s)->pos, find(dated.document(), 0, u"To Do Date"_s)->pos);
}

void TestTimelinePrint::fiveHundredRowsRunOverPagesWithHeadingsOnEach()
{
    TimelineModel model;
    for (int r = 0; r < RowCount; ++r) {
        model.setCell(r, Item, u"Item %1"_s.arg(r + 1));
        model.setCell(r, ToDoDate, formatCellDate(QDate(2026, 1, 1).addDays(r)));
    }
    PageEngine engine;
    const PrintSettings s = settings();
    QVERIFY(composeTimelinePrint(engine, s, model, {true, true}, Today));
    const PageDocument& doc = engine.document();
    QVERIFY(doc.pageCount() > 5);

    int printed = 0;
    for (int p = 0; p < doc.pageCount(); ++p) {
        QVERIFY(find(doc, p, u"Project Timeline/To Do List"_s));
        QVERIFY(find(doc, p, u"As of  March 04, 2011"_s));
        QVERIFY(find(doc, p, u"Next Review Date"_s));
        for (const TextOp& op : doc.texts(p)) {
            QVERIFY2(op.pos.y() + op.height <= engine.pageHeight() - s.margins.bottom, qPrintable(op.text));
            if (op.text.startsWith(u"Item "_s)) {
                ++printed;
                QCOMPARE(op.text, u"Item %1"_s.arg(printed));
            }
        }
        for (const LineOp& line : doc.lines(p))
            QVERIFY(line.to.y() <= engine.pageHeight() - s.margins.bottom);
    }
    QCOMPARE(printed, RowCount);
}

void TestTimelinePrint::longItemStaysInItsColumn()
{
    TimelineModel model;
    model.setCell(0, Item, u"Review every business associate contract again"_s);
    model.setCell(1, Item, u"Supercalifragilisticexpialidociousnessfulness_x"_s);
    model.setCell(1, ToDoDate, u"Mon - Dec 7, 26"_s);
    PrintSettings s = settings();
    s.fontSize = 14;
    PageEngine engine;
    QVERIFY(composeTimelinePrint(engine, s, model, {false, true}, Today));
    const double w = engine.pageWidth() - s.margins.left - s.margins.right;
    const double firstRule = s.margins.left + w / 2.45;
    QString words;
    int lines = 0;
    for (const TextOp& op : engine.document().texts(0)) {
        if (op.pos.x() < firstRule && !op.style.bold) {
            QVERIFY2(op.pos.x() + op.width < firstRule, qPrintable(op.text));
            words += op.text;
            ++lines;
        }
    }
    // Every letter printed, in order, over more lines than rows.
    QVERIFY(lines > 2);
    QCOMPARE(words.remove(u' '),
             u"Review every business associate contract againSupercalifragilisticexpialidociousnessfulness_x"_s.remove(
                 u' '));
}

void TestTimelinePrint::nothingToPrint()
{
    TimelineModel model;
    model.setCell(3, ToDoDate, u"Mon - Dec 7, 26"_s);
    model.setCell(4, Item, u"   "_s);
    PageEngine engine;
    QVERIFY(!composeTimelinePrint(engine, settings(), model, {true, true}, Today));
    QCOMPARE(engine.pageCount(), 0);
    QCOMPARE(NothingToPrintMessage, u"There are currently No Entries to Print!");
}

QTEST_MAIN(TestTimelinePrint)
#include "test_timelineprint.moc"
