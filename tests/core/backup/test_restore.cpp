// The restore: it reads the whole set, disk by disk, before it changes a user file, refuses what a
// backup must not write, and gives back the workbook byte for byte.
#include "backuptestkit.h"
#include "core/backup/backupset.h"
#include "core/backup/diskinfo.h"
#include "core/storage/quotedlinefile.h"
#include "foldersnapshot.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace qv;
using namespace qv::backup;
using namespace qv::backup::test;
using Answer = Question::Answer;
using namespace Qt::StringLiterals;

namespace {
    const QString CR = QStringLiteral("\r");
    constexpr qint64 ThreeDiskCapacity = 4096 + 6000;

    bool put(const QString& dir, const QString& name, const QByteArray& bytes)
    {
        QFile f(QDir(dir).filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }

    // Backs the workbook up onto as many disks as it takes; the number of disks used.
    int backUp(const Shelf& shelf, qint64 capacity)
    {
        SizeLimitedFolderMedia media(shelf.disk(1), capacity);
        DiskChanger changer{shelf, media};
        ScriptedListener ui;
        ui.expect(u"Delete Files"_s, Answer::Yes).always(u"Backup Disk"_s, Answer::Ok, [&] {
            // A disk too small for even one file would be asked for without end.
            if (changer.inserted < 40) {
                changer.next();
            }
        });
        const Outcome outcome = runBackup(shelf.folder(), media, ui);
        return outcome == Outcome::Completed ? changer.inserted : -1;
    }

    // Changes the workbook every way a restore must undo: files changed, deleted and added.
    void spoil(const Shelf& shelf)
    {
        const QString data = shelf.dataDir();
        QFile::remove(QDir(data).filePath(u"Action0.Fil"_s));
        QFile::remove(QDir(data).filePath(u"Breach 2.Flc"_s));
        put(data, u"Stat1.Fil"_s, "changed");
        put(data, u"GColor1.Fil"_s, "changed");
        put(data, u"Action5.Fil"_s, "written after the backup");
        put(data, u"Later.Flc"_s, "a report written after the backup");
    }
} // namespace

class TestRestore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void threeDisksGiveBackEveryByte();
    void everyDiskSizeGivesBackEveryByte();
    void unfinishedSetIsRefused();
    void hostileIndexEntriesAreRefused();
    void filesTheBackupDoesNotCarryAreKept();
    void failureAtAnyStepLeavesTheWorkbook_data();
    void failureAtAnyStepLeavesTheWorkbook();
};

void TestRestore::threeDisksGiveBackEveryByte()
{
    Shelf shelf;
    Workbook::fill(shelf.dataDir(), 1000);
    const auto original = qv::test::FolderSnapshot::aroundDataFolder(shelf.dataDir());
    QCOMPARE(backUp(shelf, ThreeDiskCapacity), 3);
    spoil(shelf);
    QVERIFY(!original.changedSince().isEmpty());

    FolderMedia media(shelf.disk(1));
    ScriptedListener ui;
    ui.expect(u"Delete Files"_s, Answer::Yes)
        // The wrong disk is refused and the same disk asked for again.
        .expect(u"Restore Function"_s, Answer::Ok, [&] { media.setDir(shelf.disk(3)); })
        .expect(u"Restore Function"_s, Answer::Ok, [&] { media.setDir(shelf.disk(2)); })
        .expect(u"Restore Function"_s, Answer::Ok, [&] { media.setDir(shelf.disk(3)); });
    QCOMPARE(runRestore(shelf.folder(), media, ui), Outcome::Completed);
    QCOMPARE(ui.pending(), 0);

    QCOMPARE(ui.questions.at(0).text,
             QStringLiteral("This utility will first Delete all existing User Created Files") + CR +
                 QStringLiteral("located in Quorvane Program!") + CR + CR + QStringLiteral("Proceed?"));
    QCOMPARE(ui.questions.at(0).defaultAnswer, Answer::No);
    QCOMPARE(ui.questions.at(1).text, u"Please insert Backup Disk #2"_s);
    QCOMPARE(ui.questions.at(2).text, u"Please insert Backup Disk #2"_s);
    QCOMPARE(ui.questions.at(3).text, u"Please insert Backup Disk #3"_s);
    QCOMPARE(ui.questions.at(1).icon, Question::Icon::Information);
    QCOMPARE(ui.statuses.first(), u"Restoring User Created Files"_s);
    QCOMPARE(ui.statuses.last(), u"Restoration Completed"_s);

    // The whole folder around the workbook is as it was before the backup, staging folder gone.
    QVERIFY2(original.changedSince().isEmpty(), qPrintable(original.changedSince().join(u", "_s)));
}

// Wherever the disks' ends fall, between notes, before the plan or inside the documents that go
// with it, the set restores whole.
void TestRestore::everyDiskSizeGivesBackEveryByte()
{
    for (qint64 capacity = 4096 + 3600; capacity <= 4096 + 9600; capacity += 750) {
        Shelf shelf;
        Workbook::fill(shelf.dataDir(), 800);
        const auto original = qv::test::FolderSnapshot::aroundDataFolder(shelf.dataDir());
        const int disks = backUp(shelf, capacity);
        QVERIFY2(disks > 0 && disks < 40, qPrintable(QString::number(capacity)));
        spoil(shelf);

        FolderMedia media(shelf.disk(1));
        int inserted = 1;
        ScriptedListener ui;
        ui.expect(u"Delete Files"_s, Answer::Yes).always(u"Restore Function"_s, Answer::Ok, [&] {
            media.setDir(shelf.disk(++inserted));
        });
        QCOMPARE(runRestore(shelf.folder(), media, ui), Outcome::Completed);
        QCOMPARE(inserted, disks);
        QVERIFY2(
            original.changedSince().isEmpty(),
            qPrintable(QStringLiteral("%1 bytes a disk: %2").arg(capacity).arg(original.changedSince().join(u", "_s))));
    }
}

// A backup stopped while its last disk was written (the computer went off) leaves a disk that says
// where it began but not that it ends the set: what it lacks would otherwise be deleted.
void TestRestore::unfinishedSetIsRefused()
{
    Shelf shelf;
    Workbook::fill(shelf.dataDir(), 1000);
    QCOMPARE(backUp(shelf, 4096 + 9000), 2);
    DiskInfo started = DiskInfo::fromBytes(filesOf(shelf.disk(2)).value(u"DiskInfo.bk1"_s));
    started.lastIndex = DiskInfo::fromBytes(filesOf(shelf.disk(1)).value(u"DiskInfo.bk1"_s)).lastIndex;
    QVERIFY(put(shelf.disk(2), u"DiskInfo.bk1"_s, started.toBytes()));
    spoil(shelf);
    const auto snapshot = qv::test::FolderSnapshot::aroundDataFolder(shelf.dataDir());

    FolderMedia media(shelf.disk(1));
    ScriptedListener ui;
    ui.expect(u"Delete Files"_s, Answer::Yes)
        .expect(u"Restore Function"_s, Answer::Ok, [&] { media.setDir(shelf.disk(2)); })
        .expect(u"Disk Error"_s, Answer::Ok);
    QCOMPARE(runRestore(shelf.folder(), media, ui), Outcome::Failed);
    QCOMPARE(ui.questions.last().text,
             u"Backup Disk #2 does not end the backup: the backup is not complete!"_s + CR +
                 u"No User Created Files have been changed."_s);
    QVERIFY2(snapshot.unexpectedChanges().isEmpty(), qPrintable(snapshot.unexpectedChanges()));
}

void TestRestore::hostileIndexEntriesAreRefused()
{
    Shelf shelf;
    Workbook::fill(shelf.dataDir());
    QCOMPARE(backUp(shelf, 1 << 30), 1);
    const QStringList entries = {u"Breach 1.Flc"_s,
                                 u"../Outside.Flc"_s,
                                 u".."_s,
                                 u"Stat1.Fil"_s,
                                 u"IncidHold.Flc"_s,
                                 u"sub/Inner.Flc"_s,
                                 u"C:\\Windows\\x.Flc"_s};
    QVERIFY(put(shelf.disk(1), u"IncidHold.Hb2"_s, quotedlines::format(entries).value()));
    QVERIFY(put(shelf.disk(1), u"Stat1.Hb2"_s, "not a status file"));
    QDir(shelf.disk(1)).mkdir(u"sub"_s);
    QVERIFY(put(shelf.disk(1) + u"/sub"_s, u"Inner.Hb2"_s, "outside"));
    const auto snapshot = qv::test::FolderSnapshot::aroundDataFolder(shelf.dataDir());

    FolderMedia media(shelf.disk(1));
    ScriptedListener ui;
    ui.expect(u"Delete Files"_s, Answer::Yes).always(u"Restore Function"_s, Answer::Ok);
    QCOMPARE(runRestore(shelf.folder(), media, ui), Outcome::Completed);

    QCOMPARE(ui.questions.size(), 1 + 6);
    QCOMPARE(ui.questions.at(1).text,
             u"The list of incident reports on the Backup Disk names \"../Outside.Flc\","_s + CR +
                 u"which is not one of its files. It is not restored."_s);
    // The reports the list no longer names go, and the list keeps only what was restored.
    QCOMPARE(snapshot.unexpectedChanges({u"IncidHold.Flc"_s, u"Breach 2.Flc"_s, u"Breach 3.Flc"_s}), QString());
    QCOMPARE(filesOf(shelf.dataDir()).value(u"IncidHold.Flc"_s), quotedlines::format({u"Breach 1.Flc"_s}).value());
}

void TestRestore::filesTheBackupDoesNotCarryAreKept()
{
    Shelf shelf;
    Workbook::fill(shelf.dataDir());
    QCOMPARE(backUp(shelf, 1 << 30), 1);
    // A backup made before the grid background and the word list were carried.
    QVERIFY(QFile::remove(shelf.disk(1) + u"/GColor1.hb4"_s));
    QVERIFY(QFile::remove(shelf.disk(1) + u"/UserWords.hb4"_s));
    put(shelf.dataDir(), u"GColor1.Fil"_s, "chosen after the backup");
    put(shelf.dataDir(), u"Stat1.Fil"_s, "changed");
    const auto snapshot = qv::test::FolderSnapshot::aroundDataFolder(shelf.dataDir());

    FolderMedia media(shelf.disk(1));
    ScriptedListener ui;
    ui.expect(u"Delete Files"_s, Answer::Yes);
    QCOMPARE(runRestore(shelf.folder(), media, ui), Outcome::Completed);
    QCOMPARE(snapshot.unexpectedChanges({u"Stat1.Fil"_s}), QString());
    QCOMPARE(filesOf(shelf.dataDir()).value(u"GColor1.Fil"_s), QByteArray("chosen after the backup"));
}

void TestRestore::failureAtAnyStepLeavesTheWorkbook_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("skip");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("outcome");

    const int read = int(FaultyMedia::Fault::Read);
    const int write = -1; // the workbook's own disk fails
    const QString confirm = u"Delete Files"_s;
    const QString change = u"Restore Function"_s;
    const QString error = u"Disk Error"_s;
    const int failed = int(Outcome::Failed);
    const QStringList onDisk1 = {confirm, error};
    const QStringList onDisk2 = {confirm, change, error};

    QTest::newRow("first disk record") << read << u"DiskInfo.bk1"_s << 0 << QStringList{error} << failed;
    QTest::newRow("settings file") << read << u"Stat1.hb1"_s << 0 << onDisk1 << failed;
    QTest::newRow("note on disk 1") << read << u"Action1.hb1"_s << 0 << onDisk1 << failed;
    QTest::newRow("note on disk 2") << read << u"Wksht0.hb1"_s << 0 << onDisk2 << failed;
    QTest::newRow("plan") << read << u"DRPln1.hb1"_s << 0 << onDisk2 << failed;
    QTest::newRow("incident index") << read << u"IncidHold.Hb2"_s << 0 << onDisk2 << failed;
    QTest::newRow("incident report") << read << u"Breach 3.Hb2"_s << 0 << onDisk2 << failed;
    QTest::newRow("archive") << read << u"Plan Dec-01-26.Hb3"_s << 0 << onDisk2 << failed;
    QTest::newRow("word list") << read << u"UserWords.hb4"_s << 0 << onDisk2 << failed;
    QTest::newRow("replacing a user file") << write << u"Policy46.Fil"_s << 0 << onDisk2 << failed;
    // The second disk's record cannot be read: it is asked for again, and the user gives up.
    QTest::newRow("second disk record, then cancel")
        << read << u"DiskInfo.bk1"_s << 1 << QStringList{confirm, change, change, change} << int(Outcome::Cancelled);
}

void TestRestore::failureAtAnyStepLeavesTheWorkbook()
{
    QFETCH(int, fault);
    QFETCH(QString, pattern);
    QFETCH(int, skip);
    QFETCH(QStringList, boxes);
    QFETCH(int, outcome);

    Shelf shelf;
    Workbook::fill(shelf.dataDir(), 1000);
    QCOMPARE(backUp(shelf, 4096 + 9000), 2);
    spoil(shelf);
    const auto snapshot = qv::test::FolderSnapshot::aroundDataFolder(shelf.dataDir());

    FolderMedia disk(shelf.disk(1));
    FaultyMedia media(disk);
    if (fault >= 0) {
        media.inject(FaultyMedia::Fault(fault), pattern, outcome == int(Outcome::Cancelled) ? 2 : 1, skip);
    } else {
        WriteFaults::inject(pattern);
    }
    ScriptedListener ui;
    for (int i = 0; i < boxes.size(); ++i) {
        const QString& box = boxes.at(i);
        if (box == u"Restore Function"_s) {
            // The last of several disk requests is cancelled; a single one is answered.
            const bool last = i + 1 == boxes.size();
            ui.expect(box, last ? Answer::Cancel : Answer::Ok, [&] { disk.setDir(shelf.disk(2)); });
        } else {
            ui.expect(box, box == u"Delete Files"_s ? Answer::Yes : Answer::Ok);
        }
    }
    if (outcome == int(Outcome::Cancelled)) {
        ui.expect(u"Restore Function"_s, Answer::Ok);
    }
    const Outcome result = runRestore(shelf.folder(), media, ui);
    WriteFaults::clear();
    QCOMPARE(int(result), outcome);
    QCOMPARE(ui.pending(), 0);
    QCOMPARE(media.injectedLeft(), 0);
    QVERIFY(ui.questions.last().text.endsWith(u"No User Created Files have been changed."_s) ||
            ui.questions.last().title == u"Disk Error"_s);
    QVERIFY(!ui.statuses.contains(u"Restoration Completed"_s));
    QVERIFY2(snapshot.unexpectedChanges().isEmpty(), qPrintable(snapshot.unexpectedChanges()));
}

QTEST_GUILESS_MAIN(TestRestore)
#include "test_restore.moc"
