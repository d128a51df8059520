#include "core/catalogue/statusstore.h"
#include "core/catalogue/statustable.h"
#include "core/catalogue/statusvocabulary.h"
#include "core/storage/programfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace qv;
using namespace Qt::StringLiterals;

namespace {

    // One 20-byte status record, spelled out: length, characters, zero fill.
    QByteArray record(const QByteArray& text)
    {
        QByteArray r;
        r.append(char(text.size() & 0xFF));
        r.append(char(text.size() >> 8));
        r.append(text);
        r.append(QByteArray(20 - r.size(), '\0'));
        return r;
    }

    // A status file whose record n holds "S" + n for every n from 1 to count.
    QByteArray numberedFile(int count, const QByteArray& prefix = "S")
    {
        QByteArray bytes;
        for (int n = 1; n <= count; ++n) {
            bytes += record(prefix + QByteArray::number(n));
        }
        return bytes;
    }

    QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeAll(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }

} // namespace

class TestStatusStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void vocabularies_data();
    void vocabularies();
    void recordNumbers_data();
    void recordNumbers();
    void notImplemented_data();
    void notImplemented();
    void tableRefusesIndicesOutside_data();
    void tableRefusesIndicesOutside();

    void loadOfMissingFileCreatesItEmpty();
    void completedInRecord15ExactBytes();
    void writesAndReloads_data();
    void writesAndReloads();
    void refreshReadsTheFamiliesOnly();
    void damagedRecordsReadAsEmpty();
    void unreadableFileKeepsTheTable();
    void failedWriteKeepsTableAndFile();
    void failedWriteFollowsAFileReplacedFromOutside();
    void failedCreationIsReported();
    void writeRefusesRecordsOutsideAndLongTexts_data();
    void writeRefusesRecordsOutsideAndLongTexts();
    void picks_data();
    void picks();

private:
    QString statusPath() const
    {
        return m_dir->filePath(u"Stat1.Fil"_s);
    }

    std::optional<QTemporaryDir> m_dir;
    std::optional<ProgramFolder> m_folder;
};

void TestStatusStore::init()
{
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_folder.emplace(m_dir->path(), m_dir->path());
}

void TestStatusStore::cleanup()
{
    WriteFaults::clear();
    m_folder.reset();
    m_dir.reset();
}

void TestStatusStore::vocabularies_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("items");

    const QStringList safeguardWords = {
        u" "_s, u"Pending"_s, u"Working"_s, u"Completed"_s, u"Review"_s, u"Not Implemented"_s};
    const QStringList worksheetWords = {u" "_s, u"Yes"_s, u"No"_s, u"Partial"_s, u"Planned"_s};
    for (int area : {2, 3, 4, 5, 6, 9}) {
        QTest::addRow("area %d", area) << area << u"Current Status:"_s << safeguardWords;
    }
    QTest::newRow("worksheets") << 7 << u" Compliance Status:"_s << worksheetWords;
    for (int area : {0, 1, 8, 10, 11}) {
        QTest::addRow("area %d has no box", area) << area << QString() << QStringList();
    }
}

void TestStatusStore::vocabularies()
{
    QFETCH(int, area);
    QFETCH(QString, label);
    QFETCH(QStringList, items);

    const std::optional<statuses::Vocabulary> vocabulary = statuses::vocabularyForArea(area);
    QCOMPARE(vocabulary.has_value(), !items.isEmpty());
    if (vocabulary) {
        QCOMPARE(vocabulary->label, label);
        QCOMPARE(vocabulary->items, items);
    }
}

void TestStatusStore::recordNumbers_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("record"); // 0: none

    QTest::newRow("administrative first") << 2 << 0 << 1;
    QTest::newRow("administrative password") << 2 << 14 << 15;
    QTest::newRow("administrative last") << 2 << 22 << 23;
    QTest::newRow("administrative past last") << 2 << 23 << 0;
    QTest::newRow("administrative negative") << 2 << -1 << 0;
    QTest::newRow("physical first") << 3 << 0 << 24;
    QTest::newRow("physical last") << 3 << 9 << 33;
    QTest::newRow("technical first") << 4 << 0 << 34;
    QTest::newRow("technical last") << 4 << 8 << 42;
    QTest::newRow("organizational overview") << 5 << 0 << 43;
    QTest::newRow("organizational last") << 5 << 2 << 45;
    QTest::newRow("policies overview") << 6 << 0 << 46;
    QTest::newRow("policies last") << 6 << 1 << 47;
    QTest::newRow("policies past last") << 6 << 2 << 0;
    QTest::newRow("worksheet 0") << 7 << 0 << 48;
    QTest::newRow("worksheet 20") << 7 << 20 << 68;
    QTest::newRow("worksheet 21") << 7 << 21 << 0;
    QTest::newRow("overview area") << 0 << 0 << 0;
    QTest::newRow("timeline") << 1 << 0 << 0;
    QTest::newRow("plan") << 8 << 0 << 0;
    QTest::newRow("example") << 9 << 14 << 0;
    QTest::newRow("incident reports") << 10 << 0 << 0;
}

void TestStatusStore::recordNumbers()
{
    QFETCH(int, area);
    QFETCH(int, item);
    QFETCH(int, record);

    QCOMPARE(statuses::recordFor(area, item), record ? std::optional<int>(record) : std::nullopt);
}

void TestStatusStore::notImplemented_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("warns");

    QTest::newRow("the item") << u"Not Implemented"_s << true;
    QTest::newRow("blanks around") << u"   Not Implemented  "_s << true;
    QTest::newRow("other case") << u"not implemented"_s << false;
    QTest::newRow("longer") << u"Not Implemented yet"_s << false;
    QTest::newRow("blank") << u" "_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("completed") << u"Completed"_s << false;
}

void TestStatusStore::notImplemented()
{
    QFETCH(QString, status);
    QFETCH(bool, warns);
    QCOMPARE(statuses::isNotImplemented(status), warns);
}

void TestStatusStore::tableRefusesIndicesOutside_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("-1") << -1 << false;
    QTest::newRow("0 unused but there") << 0 << true;
    QTest::newRow("68") << 68 << true;
    QTest::newRow("70") << 70 << true;
    QTest::newRow("71") << 71 << false;
    QTest::newRow("1000") << 1000 << false;
}

void TestStatusStore::tableRefusesIndicesOutside()
{
    QFETCH(int, index);
    QFETCH(bool, accepted);

    StatusTable table;
    QCOMPARE(table.setEntry(index, u"Review"_s).ok(), accepted);
    const Result<QString> read = table.entry(index);
    QCOMPARE(read.ok(), accepted);
    if (accepted) {
        QCOMPARE(read.value(), u"Review"_s);
    } else {
        QVERIFY(read.error().contains(QString::number(index)));
    }
}

void TestStatusStore::loadOfMissingFileCreatesItEmpty()
{
    StatusStore store(*m_folder);
    QVERIFY(!QFile::exists(statusPath()));
    const Status loaded = store.loadAll();
    QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
    QVERIFY(QFile::exists(statusPath()));
    QCOMPARE(QFileInfo(statusPath()).size(), 0);
    for (int n = 0; n <= 70; ++n) {
        QCOMPARE(store.status(n).value(), QString());
    }
}

void TestStatusStore::completedInRecord15ExactBytes()
{
    StatusStore store(*m_folder);
    QVERIFY(store.loadAll().ok());
    QVERIFY(store.write(15, u"Completed"_s).ok());

    const QByteArray bytes = readAll(statusPath());
    QCOMPARE(bytes.size(), 300);
    QCOMPARE(bytes.left(280), QByteArray(280, '\0'));
    QCOMPARE(bytes.mid(280, 20), QByteArray::fromHex("0900") + "Completed" + QByteArray(9, '\0'));
    QCOMPARE(store.status(15).value(), u"Completed"_s);
}

void TestStatusStore::writesAndReloads_data()
{
    QTest::addColumn<int>("record");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("first safeguard") << 1 << u"Pending"_s << record("Pending");
    QTest::newRow("blank clears") << 23 << u" "_s << record(" ");
    QTest::newRow("overview entry") << 43 << u"Review"_s << record("Review");
    QTest::newRow("last safeguard") << 47 << u"Not Implemented"_s << record("Not Implemented");
    QTest::newRow("worksheet 0") << 48 << u"Partial"_s << record("Partial");
    QTest::newRow("last worksheet") << 68 << u"Planned"_s << record("Planned");
    QTest::newRow("eighteen characters fill it") << 30 << u"ABCDEFGHIJKLMNOPQR"_s << record("ABCDEFGHIJKLMNOPQR");
    QTest::newRow("code page letter") << 31 << u"Geprüft"_s
                                      << record("Gepr\xfc"
                                                "ft");
}

void TestStatusStore::writesAndReloads()
{
    QFETCH(int, record);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    writeAll(statusPath(), numberedFile(68));
    StatusStore store(*m_folder);
    QVERIFY(store.loadAll().ok());
    const Status written = store.write(record, text);
    QVERIFY2(written.ok(), qPrintable(written.error()));
    QCOMPARE(store.status(record).value(), text);

    // Only the record picked changes on disk.
    QByteArray expected = numberedFile(68);
    expected.replace((record - 1) * 20, 20, bytes);
    QCOMPARE(readAll(statusPath()), expected);

    StatusStore reloaded(*m_folder);
    QVERIFY(reloaded.loadAll().ok());
    for (int n = 1; n <= 68; ++n) {
        QCOMPARE(reloaded.status(n).value(), n == record ? text : u"S%1"_s.arg(n));
    }
}

void TestStatusStore::refreshReadsTheFamiliesOnly()
{
    writeAll(statusPath(), numberedFile(68, "Old"));
    StatusStore store(*m_folder);
    QVERIFY(store.loadAll().ok());
    QCOMPARE(store.status(68).value(), u"Old68"_s);

    // A restore from a backup replaces the file behind the screen's back.
    writeAll(statusPath(), numberedFile(68, "New"));
    QVERIFY(store.refreshFamilies().ok());
    for (int n = 1; n <= 68; ++n) {
        QCOMPARE(store.status(n).value(), (n <= 42 ? u"New%1"_s : u"Old%1"_s).arg(n));
    }

    QVERIFY(store.loadAll().ok());
    QCOMPARE(store.status(43).value(), u"New43"_s);
    QCOMPARE(store.status(68).value(), u"New68"_s);

    // A shorter file leaves the records past its end empty.
    writeAll(statusPath(), numberedFile(10, "Short"));
    QVERIFY(store.refreshFamilies().ok());
    QCOMPARE(store.status(10).value(), u"Short10"_s);
    QCOMPARE(store.status(11).value(), QString());
    QCOMPARE(store.status(42).value(), QString());
    QCOMPARE(store.status(43).value(), u"New43"_s);
}

void TestStatusStore::damagedRecordsReadAsEmpty()
{
    QByteArray bytes = numberedFile(5);
    bytes.replace(20, 20, QByteArray::fromHex("1300") + QByteArray(18, 'x')); // record 2: 19 of 18
    bytes.replace(40, 20, QByteArray::fromHex("ffff") + QByteArray(18, 'x')); // record 3: 65535
    bytes.replace(60, 20, QByteArray::fromHex("0000") + QByteArray(18, 'x')); // record 4: length 0
    bytes += QByteArray::fromHex("0600") + "Rev"; // record 6 cut off
    writeAll(statusPath(), bytes);

    StatusStore store(*m_folder);
    QVERIFY(store.loadAll().ok());
    QCOMPARE(store.status(1).value(), u"S1"_s);
    QCOMPARE(store.status(2).value(), QString());
    QCOMPARE(store.status(3).value(), QString());
    QCOMPARE(store.status(4).value(), QString());
    QCOMPARE(store.status(5).value(), u"S5"_s);
    QCOMPARE(store.status(6).value(), QString());
    QCOMPARE(store.status(7).value(), QString());
}

void TestStatusStore::unreadableFileKeepsTheTable()
{
    writeAll(statusPath(), numberedFile(68));
    StatusStore store(*m_folder);
    QVERIFY(store.loadAll().ok());

    QVERIFY(QFile::remove(statusPath()));
    QVERIFY(QDir(m_dir->path()).mkdir(u"Stat1.Fil"_s)); // a folder where the file should be
    const Status loaded = store.loadAll();
    QVERIFY(!loaded.ok());
    QVERIFY2(loaded.error().contains(u"Stat1.Fil"_s), qPrintable(loaded.error()));
    QCOMPARE(store.status(1).value(), u"S1"_s);
    QCOMPARE(store.status(68).value(), u"S68"_s);
    QVERIFY(!store.refreshFamilies().ok());
    QCOMPARE(store.status(42).value(), u"S42"_s);
}

void TestStatusStore::failedWriteKeepsTableAndFile()
{
    writeAll(statusPath(), record("Pending").repeated(15));
    StatusStore store(*m_folder);
    QVERIFY(store.loadAll().ok());
    const QByteArray before = readAll(statusPath());

    WriteFaults::inject(u"Stat1.Fil"_s, 1, 7);
    const Result<StatusStore::PickOutcome> picked = store.pick(2, 14, u"Completed"_s);
    QVERIFY(!picked.ok());
    QVERIFY2(picked.error().startsWith(u"The status \"Completed\" could not be saved; the status on file is still "
                                       u"\"Pending\".\r\n"_s),
             qPrintable(picked.error()));
    QVERIFY2(picked.error().contains(u"Stat1.Fil"_s), qPrintable(picked.error()));
    QCOMPARE(store.status(15).value(), u"Pending"_s);
    QCOMPARE(readAll(statusPath()), before);

    // A status never set says so rather than quoting an empty one.
    WriteFaults::inject(u"Stat1.Fil"_s);
    const Status written = store.write(40, u"Review"_s);
    QVERIFY(!written.ok());
    QVERIFY2(written.error().startsWith(u"The status \"Review\" could not be saved; no status is on file.\r\n"_s),
             qPrintable(written.error()));
    QCOMPARE(store.status(40).value(), QString());

    // Once the disk has room again the same pick is kept.
    QCOMPARE(WriteFaults::pending(), 0);
    QCOMPARE(store.pick(2, 14, u"Completed"_s).value(), StatusStore::PickOutcome::Stored);
    QCOMPARE(store.status(15).value(), u"Completed"_s);
    StatusStore reloaded(*m_folder);
    QVERIFY(reloaded.loadAll().ok());
    QCOMPARE(reloaded.status(15).value(), u"Completed"_s);
}

void TestStatusStore::failedWriteFollowsAFileReplacedFromOutside()
{
    writeAll(statusPath(), record("Pending").repeated(15));
    StatusStore store(*m_folder);
    QVERIFY(store.loadAll().ok());

    writeAll(statusPath(), record("Review").repeated(15));
    WriteFaults::inject(u"Stat1.Fil"_s);
    QVERIFY(!store.write(15, u"Working"_s).ok());
    QCOMPARE(store.status(15).value(), u"Review"_s);
}

void TestStatusStore::failedCreationIsReported()
{
    WriteFaults::inject(u"Stat1.Fil"_s);
    StatusStore store(*m_folder);
    const Status loaded = store.loadAll();
    QVERIFY(!loaded.ok());
    QVERIFY2(loaded.error().contains(u"Stat1.Fil"_s), qPrintable(loaded.error()));
    QVERIFY(!QFile::exists(statusPath()));
    QCOMPARE(store.status(1).value(), QString());
}

void TestStatusStore::writeRefusesRecordsOutsideAndLongTexts_data()
{
    QTest::addColumn<int>("record");
    QTest::addColumn<QString>("text");

    QTest::newRow("record 0") << 0 << u"Review"_s;
    QTest::newRow("record 69") << 69 << u"Review"_s;
    QTest::newRow("record 70") << 70 << u"Review"_s;
    QTest::newRow("record -5") << -5 << u"Review"_s;
    QTest::newRow("nineteen characters") << 5 << u"ABCDEFGHIJKLMNOPQRS"_s;
}

void TestStatusStore::writeRefusesRecordsOutsideAndLongTexts()
{
    QFETCH(int, record);
    QFETCH(QString, text);

    writeAll(statusPath(), numberedFile(68));
    StatusStore store(*m_folder);
    QVERIFY(store.loadAll().ok());
    QVERIFY(!store.write(record, text).ok());
    QCOMPARE(readAll(statusPath()), numberedFile(68));
    if (StatusTable::isValidIndex(record)) {
        QCOMPARE(store.status(record).value(), record >= 1 && record <= 68 ? u"S%1"_s.arg(record) : QString());
    }
}

void TestStatusStore::picks_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("outcome"); // StatusStore::PickOutcome, -1 refused
    QTest::addColumn<int>("record"); // 0 when nothing is written

    const int notStored = int(StatusStore::PickOutcome::NotStored);
    const int stored = int(StatusStore::PickOutcome::Stored);
    const int warned = int(StatusStore::PickOutcome::StoredNotImplemented);

    QTest::newRow("administrative") << 2 << 14 << u"Completed"_s << stored << 15;
    QTest::newRow("not implemented warns") << 3 << 2 << u"Not Implemented"_s << warned << 26;
    QTest::newRow("blank") << 4 << 8 << u" "_s << stored << 42;
    QTest::newRow("organizational overview") << 5 << 0 << u"Working"_s << stored << 43;
    QTest::newRow("documentation") << 6 << 1 << u"Review"_s << stored << 47;
    QTest::newRow("worksheet 0") << 7 << 0 << u"Yes"_s << stored << 48;
    QTest::newRow("last worksheet") << 7 << 20 << u"No"_s << stored << 68;
    QTest::newRow("plan") << 8 << 0 << u"Completed"_s << notStored << 0;
    QTest::newRow("example") << 9 << 14 << u"Not Implemented"_s << notStored << 0;
    QTest::newRow("archives") << 11 << 0 << u"Completed"_s << notStored << 0;
    QTest::newRow("no such button") << 2 << 23 << u"Completed"_s << -1 << 0;
    QTest::newRow("no worksheet chosen") << 7 << 99 << u"Yes"_s << -1 << 0;
}

void TestStatusStore::picks()
{
    QFETCH(int, area);
    QFETCH(int, item);
    QFETCH(QString, text);
    QFETCH(int, outcome);
    QFETCH(int, record);

    writeAll(statusPath(), numberedFile(68));
    StatusStore store(*m_folder);
    QVERIFY(store.loadAll().ok());

    const Result<StatusStore::PickOutcome> picked = store.pick(area, item, text);
    QCOMPARE(picked.ok(), outcome >= 0);
    if (picked.ok()) {
        QCOMPARE(int(picked.value()), outcome);
    }
    QByteArray expected = numberedFile(68);
    if (record) {
        expected.replace((record - 1) * 20, 20, ::record(text.toLatin1()));
    }
    QCOMPARE(readAll(statusPath()), expected);
    for (int n = 1; n <= 68; ++n) {
        QCOMPARE(store.status(n).value(), n == record ? text : u"S%1"_s.arg(n));
    }
}

QTEST_APPLESS_MAIN(TestStatusStore)

#include "test_statusstore.moc"
