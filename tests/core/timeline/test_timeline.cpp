#include "core/timeline/timelinefiles.h"
#include "core/timeline/timelinemodel.h"
#include "foldersnapshot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qv;
using namespace Qt::StringLiterals;
using namespace qv::timeline;

namespace {

    const QString Timeline = TimelineFile.toString();
    const QString Names = NamesFile.toString();

    QByteArray quotedLines(const QStringList& strings)
    {
        QByteArray bytes;
        for (const QString& s : strings)
            bytes += '"' + s.toLatin1() + "\"\r\n";
        return bytes;
    }

} // namespace

class TestTimeline : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // The timeline file.
    void savedTimelineWithOneItemIsExactBytes();
    void savedTimelineLoadsBackIntoTheSameCells();
    void loadReadsWhatTheFileHolds_data();
    void loadReadsWhatTheFileHolds();
    void failedSaveKeepsTheOldFile();

    // The rows.
    void insertKeeps500RowsAndRefusesToDropAnItem();
    void deleteFreesARowAtTheBottom();
    void ascendingSortLeavesNoBlankRowAboveTheItems();
    void cellsNeverHoldWhatTheFileCannot();
    void addItemFillsTheFirstFreeRow();
    void tipsQuestionsAndDates();

    // The item names.
    void rememberIgnoresCaseAndTrailingBlanks();
    void forgettingTheOnlyNameLeavesOneEmptyEntry();
    void forgettingClosesTheGap();
    void namesLoadTrimmedUpTo1000();
    void replaceCorrectedName();
    void failedNameWriteKeepsListAndFile();

private:
    std::unique_ptr<QTemporaryDir> m_root;
    QString m_data;
    std::unique_ptr<ProgramFolder> m_folder;

    QByteArray bytes(const QString& name) const
    {
        QFile file(m_data + u'/' + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void put(const QString& name, const QByteArray& content) const
    {
        QFile file(m_data + u'/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    // Another user file beside the timeline's, which no command here may touch.
    void putBystander() const
    {
        put(QStringLiteral("Stat1.Fil"), QByteArray(68 * 20, '\x07'));
    }
};

void TestTimeline::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_data = m_root->path() + QStringLiteral("/data");
    QVERIFY(QDir().mkpath(m_data));
    m_folder = std::make_unique<ProgramFolder>(m_data, m_root->path() + QStringLiteral("/content"));
    putBystander();
}

void TestTimeline::cleanup()
{
    WriteFaults::clear();
}

void TestTimeline::savedTimelineWithOneItemIsExactBytes()
{
    TimelineModel model;
    QVERIFY(model.setCell(0, Item, QStringLiteral("Caf\u00e9 backup test  ")));
    QVERIFY(model.setCell(0, ToDoDate, QStringLiteral("Mon - Dec 7, 26")));
    QVERIFY(model.setCell(0, ActualDate, QStringLiteral("Tue - Dec 8, 26")));
    QVERIFY(model.setCell(0, NextReviewDate, QStringLiteral("Thu - Jun 3, 27")));
    const test::FolderSnapshot before(m_data);

    QVERIFY(saveTimeline(*m_folder, model).ok());

    QByteArray expected = "\"Caf\xe9 backup test  \"\r\n\"Mon - Dec 7, 26\"\r\n\"Tue - Dec 8, 26\"\r\n\"\"\r\n"
                          "\"Thu - Jun 3, 27\"\r\n";
    for (int i = 0; i < 499 * 5; ++i)
        expected += "\"\"\r\n";
    const QByteArray saved = bytes(Timeline);
    QCOMPARE(saved.count("\r\n"), 2500);
    QCOMPARE(saved, expected);
    QCOMPARE(before.changedSince(), QStringList{Timeline});
}

void TestTimeline::savedTimelineLoadsBackIntoTheSameCells()
{
    TimelineModel model;
    const QList<int> rows{0, 1, 57, 498, 499};
    for (const int r : rows) {
        model.setCell(r, Item, QStringLiteral("Item, number %1").arg(r));
        model.setCell(r, ToDoDate, formatCellDate(QDate(2026, 1, 1).addDays(r)));
        model.setCell(r, NextReviewDate, formatCellDate(QDate(2027, 1, 1).addDays(r)));
    }
    model.setCell(3, ActualDate, QStringLiteral("Wed - Mar 4, 26"));
    QVERIFY(saveTimeline(*m_folder, model).ok());

    TimelineModel loaded;
    loaded.setCell(10, Item, QStringLiteral("left over from before"));
    QVERIFY(loadTimeline(*m_folder, loaded).ok());
    for (int r = 0; r < RowCount; ++r)
        QCOMPARE(loaded.row(r), model.row(r));
    QCOMPARE(loaded.cellRows(), model.cellRows());
}

void TestTimeline::loadReadsWhatTheFileHolds_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("expected"); // item, to-do, actual, unused, next review
    QTest::addColumn<int>("itemRows");

    const QStringList empty{{}, {}, {}, {}, {}};
    QTest::newRow("missing file") << QByteArray("<none>") << 0 << empty << 0;
    QTest::newRow("fourth line ignored") << quotedLines({u"A"_s, u"d1"_s, u"d2"_s, u"junk"_s, u"d3"_s}) << 0
                                         << QStringList{u"A"_s, u"d1"_s, u"d2"_s, u""_s, u"d3"_s} << 1;
    QTest::newRow("row cut short keeps what was read")
        << quotedLines({u"A"_s, u"d1"_s, u"d2"_s, u""_s, u"d3"_s, u"B"_s, u"e1"_s}) << 1
        << QStringList{u"B"_s, u"e1"_s, u""_s, u""_s, u""_s} << 2;
    QTest::newRow("unquoted line read up to its comma, trimmed, quote dropped")
        << QByteArray("  Plain \"item ,rest\r\n\"d1\"\n\"d2\"\r\n\"\"\r\n\"d3\"") << 0
        << QStringList{u"Plain item"_s, u"d1"_s, u"d2"_s, u""_s, u"d3"_s} << 1;
    QTest::newRow("commas inside quotes kept") << quotedLines({u"Review, then sign"_s, u""_s, u""_s, u""_s, u""_s}) << 0
                                               << QStringList{u"Review, then sign"_s, u""_s, u""_s, u""_s, u""_s} << 1;

    QStringList many;
    for (int r = 0; r < 502; ++r)
        many << QStringLiteral("Row %1").arg(r + 1) << QString() << QString() << QString() << QString();
    QTest::newRow("rows beyond 500 ignored")
        << quotedLines(many) << 499 << QStringList{u"Row 500"_s, u""_s, u""_s, u""_s, u""_s} << 500;
}

void TestTimeline::loadReadsWhatTheFileHolds()
{
    QFETCH(QByteArray, file);
    QFETCH(int, row);
    QFETCH(QStringList, expected);
    QFETCH(int, itemRows);

    if (file != "<none>")
        put(Timeline, file);
    const test::FolderSnapshot before(m_data);
    TimelineModel model;
    QVERIFY(loadTimeline(*m_folder, model).ok());
    QStringList cells;
    for (int c = 0; c < ColumnCount; ++c)
        cells << model.cell(row, c);
    QCOMPARE(cells, expected);
    int withItems = 0;
    for (int r = 0; r < RowCount; ++r)
        withItems += model.cell(r, Item).isEmpty() ? 0 : 1;
    QCOMPARE(withItems, itemRows);
    QCOMPARE(model.rowCount(), RowCount);
    QCOMPARE(before.changedSince(), QStringList());
}

void TestTimeline::failedSaveKeepsTheOldFile()
{
    TimelineModel model;
    model.setCell(0, Item, QStringLiteral("First"));
    QVERIFY(saveTimeline(*m_folder, model).ok());
    const QByteArray old = bytes(Timeline);
    const test::FolderSnapshot before(m_data);

    model.setCell(1, Item, QStringLiteral("Second"));
    WriteFaults::inject(Timeline, 1, 100);
    const Status status = saveTimeline(*m_folder, model);
    QVERIFY(!status.ok());
    QVERIFY2(status.error().contains(Timeline), qPrintable(status.error()));
    QCOMPARE(bytes(Timeline), old);
    QCOMPARE(before.changedSince(), QStringList());

    // Nothing was lost: the next save writes it.
    QVERIFY(saveTimeline(*m_folder, model).ok());
    TimelineModel loaded;
    QVERIFY(loadTimeline(*m_folder, loaded).ok());
    QCOMPARE(loaded.cell(1, Item), QStringLiteral("Second"));
}

void TestTimeline::insertKeeps500RowsAndRefusesToDropAnItem()
{
    TimelineModel model;
    for (int r = 0; r < RowCount; ++r)
        model.setCell(r, Item, QStringLiteral("Item %1").arg(r + 1));
    QSignalSpy edited(&model, &TimelineModel::edited);

    // A full list: the last item would fall off, so the insert waits for the user's word.
    QCOMPARE(model.insertRowBefore(2), TimelineModel::InsertResult::WouldDropLastRow);
    QCOMPARE(model.cell(2, Item), QStringLiteral("Item 3"));
    QCOMPARE(model.cell(499, Item), QStringLiteral("Item 500"));
    QCOMPARE(edited.count(), 0);

    QCOMPARE(model.insertRowBefore(2, TimelineModel::LastRow::Drop), TimelineModel::InsertResult::Inserted);
    QCOMPARE(model.rowCount(), RowCount);
    QCOMPARE(model.cell(1, Item), QStringLiteral("Item 2"));
    QCOMPARE(model.cell(2, Item), QString());
    QCOMPARE(model.cell(3, Item), QStringLiteral("Item 3"));
    QCOMPARE(model.cell(499, Item), QStringLiteral("Item 499"));
    QCOMPARE(edited.count(), 1);

    // A date alone in the last row counts as much as an item.
    model.clear();
    model.setCell(499, NextReviewDate, QStringLiteral("Mon - Dec 7, 26"));
    QVERIFY(model.lastRowHoldsText());
    QCOMPARE(model.insertRowBefore(0), TimelineModel::InsertResult::WouldDropLastRow);
    model.setCell(499, NextReviewDate, QStringLiteral("  "));
    QCOMPARE(model.insertRowBefore(0), TimelineModel::InsertResult::Inserted);

    QCOMPARE(model.insertRowBefore(-1), TimelineModel::InsertResult::NoSuchRow);
    QCOMPARE(model.insertRowBefore(RowCount), TimelineModel::InsertResult::NoSuchRow);
    QCOMPARE(model.rowCount(), RowCount);
}

void TestTimeline::deleteFreesARowAtTheBottom()
{
    TimelineModel model;
    for (int r = 0; r < RowCount; ++r)
        model.setCell(r, Item, QStringLiteral("Item %1").arg(r + 1));
    QVERIFY(model.removeRowAt(0));
    QCOMPARE(model.rowCount(), RowCount);
    QCOMPARE(model.cell(0, Item), QStringLiteral("Item 2"));
    QCOMPARE(model.cell(498, Item), QStringLiteral("Item 500"));
    QCOMPARE(model.row(499), TimelineRow());
    QVERIFY(!model.removeRowAt(RowCount));
    QVERIFY(!model.removeRowAt(-1));
}

void TestTimeline::ascendingSortLeavesNoBlankRowAboveTheItems()
{
    TimelineModel model;
    model.setCell(4, Item, QStringLiteral("delta"));
    model.setCell(4, ToDoDate, QStringLiteral("Mon - Dec 7, 26"));
    model.setCell(9, Item, QStringLiteral("Alpha"));
    model.setCell(9, ToDoDate, QStringLiteral("Sat - Jan 3, 26"));
    model.setCell(200, Item, QStringLiteral("charlie"));
    model.setCell(300, Item, QStringLiteral("Bravo"));
    model.setCell(300, ToDoDate, QStringLiteral("Fri - Jan 1, 99"));
    model.setCell(350, Item, QStringLiteral("   "));
    model.setCell(350, ToDoDate, QStringLiteral("Tue - Mar 3, 26"));
    QSignalSpy edited(&model, &TimelineModel::edited);

    model.sort(Item, Qt::AscendingOrder);
    QCOMPARE(model.rowCount(), RowCount);
    QCOMPARE(model.cell(0, Item), QStringLiteral("Alpha"));
    QCOMPARE(model.cell(1, Item), QStringLiteral("Bravo"));
    QCOMPARE(model.cell(2, Item), QStringLiteral("charlie"));
    QCOMPARE(model.cell(3, Item), QStringLiteral("delta"));
    QCOMPARE(model.cell(3, ToDoDate), QStringLiteral("Mon - Dec 7, 26"));
    // The row without an item went, its date with it, as the grid's compaction does.
    for (int r = 4; r < RowCount; ++r)
        QCOMPARE(model.row(r), TimelineRow());
    QCOMPARE(edited.count(), 1);

    // Dates sort by the day they name, not by the weekday's letters; blank dates go with the blanks.
    model.sort(ToDoDate, Qt::AscendingOrder);
    QCOMPARE(model.cell(0, Item), QStringLiteral("charlie"));
    QCOMPARE(model.cell(1, Item), QStringLiteral("Bravo"));
    QCOMPARE(model.cell(2, Item), QStringLiteral("Alpha"));
    QCOMPARE(model.cell(3, Item), QStringLiteral("delta"));
    QCOMPARE(model.row(4), TimelineRow());
}

void TestTimeline::cellsNeverHoldWhatTheFileCannot()
{
    TimelineModel model;
    QVERIFY(model.setData(model.index(0, Item), QStringLiteral("5\" floppy\r\nbackup\"")));
    QCOMPARE(model.cell(0, Item), QStringLiteral("5 floppy  backup"));
    QVERIFY(!model.setCell(0, Unused, QStringLiteral("x")));
    QVERIFY(!model.setCell(RowCount, Item, QStringLiteral("x")));
    QVERIFY(!model.flags(model.index(0, Unused)).testFlag(Qt::ItemIsEditable));
    QVERIFY(saveTimeline(*m_folder, model).ok());
}

void TestTimeline::addItemFillsTheFirstFreeRow()
{
    TimelineModel model;
    model.setCell(0, Item, QStringLiteral("One"));
    model.setCell(1, Item, QStringLiteral("   "));
    QCOMPARE(model.addItem(QStringLiteral("Two")), 1);
    QCOMPARE(model.cell(1, Item), QStringLiteral("Two"));
    QCOMPARE(model.addItem(QStringLiteral(" ")), -1);
    QCOMPARE(model.addItem(QString()), -1);
    QCOMPARE(model.firstRowWithoutItem(), 2);

    for (int r = 0; r < RowCount; ++r)
        model.setCell(r, Item, QStringLiteral("Item %1").arg(r));
    QCOMPARE(model.addItem(QStringLiteral("One too many")), -1);
    QCOMPARE(model.firstRowWithoutItem(), -1);
    QVERIFY(!model.toStrings().contains(QStringLiteral("One too many")));
}

void TestTimeline::tipsQuestionsAndDates()
{
    TimelineModel model;
    model.setCell(11, Item, QStringLiteral("Backup test"));
    QCOMPARE(model.scrollTip(11), QStringLiteral(" Row 12: Backup test "));
    QCOMPARE(model.deleteQuestion(11), QStringLiteral("Delete Activity and Dates for - \rBackup test, Backup test?"));
    QCOMPARE(model.deleteQuestion(12), QStringLiteral("Delete This Row?"));

    QCOMPARE(formatCellDate(QDate(2026, 12, 7)), QStringLiteral("Mon - Dec 7, 26"));
    QCOMPARE(parseCellDate(QStringLiteral("Mon - Dec 7, 26")), QDate(2026, 12, 7));
    QCOMPARE(parseCellDate(QStringLiteral("Dec 7, 1999")), QDate(1999, 12, 7));
    QCOMPARE(parseCellDate(QStringLiteral("Fri - Jan 1, 99")), QDate(1999, 1, 1));
    QVERIFY(!parseCellDate(QStringLiteral("soon")).isValid());

    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("To Do Item"));
    QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), QString());
    QCOMPARE(model.headerData(4, Qt::Horizontal).toString(), QStringLiteral("Next Review Date"));
}

void TestTimeline::rememberIgnoresCaseAndTrailingBlanks()
{
    put(Names, quotedLines({u"backup plan  "_s, u"Risk review"_s}));
    ItemNames names(*m_folder);
    QVERIFY(names.load().ok());
    QCOMPARE(names.names(), (QStringList{u"backup plan"_s, u"Risk review"_s}));
    test::FolderSnapshot before(m_data);

    Result<bool> stored = names.remember(QStringLiteral("Backup Plan"));
    QVERIFY(stored.ok());
    QVERIFY(!stored.value());
    stored = names.remember(QStringLiteral("   "));
    QVERIFY(stored.ok() && !stored.value());
    QCOMPARE(before.changedSince(), QStringList());

    // A name from the item box comes with its two blanks; only a leading blank makes it another name.
    stored = names.remember(QStringLiteral("Train staff  "));
    QVERIFY(stored.ok() && stored.value());
    QCOMPARE(bytes(Names), quotedLines({u"backup plan"_s, u"Risk review"_s, u"Train staff  "_s}));
    QCOMPARE(before.changedSince(), QStringList{Names});

    // No names file yet: the first name creates it.
    QFile::remove(m_data + u'/' + Names);
    ItemNames fresh(*m_folder);
    QVERIFY(fresh.load().ok());
    QVERIFY(fresh.names().isEmpty());
    QVERIFY(fresh.remember(QStringLiteral("First")).value());
    QCOMPARE(bytes(Names), quotedLines({u"First"_s}));
}

void TestTimeline::forgettingTheOnlyNameLeavesOneEmptyEntry()
{
    ItemNames names(*m_folder);
    QVERIFY(names.remember(QStringLiteral("Only one")).value());
    const test::FolderSnapshot before(m_data);

    QVERIFY(names.forget(QStringLiteral("ONLY ONE  ")).ok());
    QCOMPARE(names.names(), QStringList{QString()});
    QCOMPARE(bytes(Names), QByteArray("\"\"\r\n"));
    QCOMPARE(before.changedSince(), QStringList{Names});

    // Loaded again, the empty entry is still the one the next name replaces.
    ItemNames reloaded(*m_folder);
    QVERIFY(reloaded.load().ok());
    QCOMPARE(reloaded.names(), QStringList{QString()});
    QVERIFY(reloaded.remember(QStringLiteral("Next")).value());
    QCOMPARE(reloaded.names(), QStringList{u"Next"_s});
    QCOMPARE(bytes(Names), quotedLines({u"Next"_s}));
}

void TestTimeline::forgettingClosesTheGap()
{
    put(Names, quotedLines({u"A"_s, u"B"_s, u"C"_s}));
    ItemNames names(*m_folder);
    QVERIFY(names.load().ok());
    QVERIFY(names.forget(QStringLiteral("b")).ok());
    QCOMPARE(names.names(), (QStringList{u"A"_s, u"C"_s}));
    QCOMPARE(bytes(Names), quotedLines({u"A"_s, u"C"_s}));

    // A name not in the list changes nothing but the file is written all the same.
    const test::FolderSnapshot before(m_data);
    QVERIFY(names.forget(QStringLiteral("Z")).ok());
    QCOMPARE(bytes(Names), quotedLines({u"A"_s, u"C"_s}));
    QCOMPARE(before.changedSince(), QStringList());
    QVERIFY(names.remember(QStringLiteral("D")).value());
    QCOMPARE(names.names(), (QStringList{u"A"_s, u"C"_s, u"D"_s}));
}

void TestTimeline::namesLoadTrimmedUpTo1000()
{
    QStringList many;
    for (int i = 1; i <= 1003; ++i)
        many << QStringLiteral("  Name %1 ").arg(i);
    put(Names, quotedLines(many));
    ItemNames names(*m_folder);
    QVERIFY(names.load().ok());
    QCOMPARE(names.names().size(), NameSlots);
    QCOMPARE(names.names().constFirst(), QStringLiteral("Name 1"));
    QCOMPARE(names.names().constLast(), QStringLiteral("Name 1000"));

    // Every slot is used: nothing more is stored and the file is left alone.
    const test::FolderSnapshot before(m_data);
    const Result<bool> stored = names.remember(QStringLiteral("One more"));
    QVERIFY(stored.ok() && !stored.value());
    QCOMPARE(before.changedSince(), QStringList());
}

void TestTimeline::replaceCorrectedName()
{
    put(Names, quotedLines({u"Bakup plan"_s, u"Risk review"_s}));
    ItemNames names(*m_folder);
    QVERIFY(names.load().ok());
    Result<bool> stored = names.replaceCorrected(QStringLiteral("BAKUP PLAN  "), QStringLiteral("Backup plan"));
    QVERIFY(stored.ok() && stored.value());
    QCOMPARE(names.names(), (QStringList{u"Risk review"_s, u"Backup plan"_s}));
    QCOMPARE(bytes(Names), quotedLines({u"Risk review"_s, u"Backup plan"_s}));

    // The corrected name is already known: nothing is written.
    const test::FolderSnapshot before(m_data);
    stored = names.replaceCorrected(QStringLiteral("Risk reveiw"), QStringLiteral("risk review"));
    QVERIFY(stored.ok() && !stored.value());
    QCOMPARE(before.changedSince(), QStringList());
}

void TestTimeline::failedNameWriteKeepsListAndFile()
{
    put(Names, quotedLines({u"A"_s, u"B"_s}));
    ItemNames names(*m_folder);
    QVERIFY(names.load().ok());
    const test::FolderSnapshot before(m_data);

    WriteFaults::inject(Names, 2, 3);
    const Result<bool> stored = names.remember(QStringLiteral("C"));
    QVERIFY(!stored.ok());
    QVERIFY2(stored.error().contains(Names), qPrintable(stored.error()));
    QCOMPARE(names.names(), (QStringList{u"A"_s, u"B"_s}));
    QVERIFY(!names.forget(QStringLiteral("A")).ok());
    QCOMPARE(names.names(), (QStringList{u"A"_s, u"B"_s}));
    QCOMPARE(before.changedSince(), QStringList());
}

QTEST_GUILESS_MAIN(TestTimeline)
#include "test_timeline.moc"
