// The backup: what lands on each disk, in which order, how disks are asked for, and that nothing in
// the workbook changes on the way.
#include "backuptestkit.h"
#include "core/backup/backupset.h"
#include "core/backup/diskinfo.h"
#include "filesizelimit.h"
#include "foldersnapshot.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;
using namespace qv::backup;
using namespace qv::backup::test;
using Answer = Question::Answer;
using namespace Qt::StringLiterals;

namespace {
    const QString CR = QStringLiteral("\r");

    DiskInfo diskInfoOn(const QString& dir)
    {
        return DiskInfo::fromBytes(filesOf(dir).value(QStringLiteral("DiskInfo.bk1")));
    }

    // A 30-byte string record: length, characters, zeros.
    QByteArray record(const QByteArray& text)
    {
        QByteArray r(30, '\0');
        r[0] = char(text.size());
        r.replace(2, text.size(), text);
        return r;
    }

    // Disks that take 6000 bytes each beyond the room kept for rewriting the disk's record.
    constexpr qint64 ThreeDiskCapacity = 4096 + 6000;
} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void singleDiskCarriesEveryFileUnderItsBackupName();
    void spansThreeDisksAndAsksAgainForTheFullDisk();
    void cancelAtTheNextDiskLeavesTheFilesWithoutDiskInfo();
    void failingDiskAtEachStep_data();
    void failingDiskAtEachStep();
    void emptyWorkbookStillWritesItsDisk();
    void aFolderDiskKeepsItsOldFileWhenAWriteFails();
};

void TestBackup::singleDiskCarriesEveryFileUnderItsBackupName()
{
    Shelf shelf;
    Workbook::fill(shelf.dataDir());
    const QMap<QString, QByteArray> data = filesOf(shelf.dataDir());
    // An older backup's files go; a file of another kind on the disk stays.
    QFile::copy(QStringLiteral(QUORVANE_SOURCE_DIR "/README.md"), shelf.disk(1) + QStringLiteral("/letter.doc"));
    for (const char* old : {"Action9.hb1", "Old.HB2", "x.hb3"}) {
        QFile f(shelf.disk(1) + u'/' + QString::fromLatin1(old));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const auto snapshot = qv::test::FolderSnapshot::aroundDataFolder(shelf.dataDir());

    FolderMedia media(shelf.disk(1));
    ScriptedListener ui;
    ui.expect(QStringLiteral("Delete Files"), Answer::Yes);
    QCOMPARE(runBackup(shelf.folder(), media, ui), Outcome::Completed);

    QCOMPARE(ui.questions.size(), 1);
    const Question& confirm = ui.questions.first();
    QCOMPARE(confirm.text,
             QStringLiteral("This utility will first Delete all existing User Created Files files") + CR +
                 QStringLiteral("located in Path: ") + media.location() + CR + CR + QStringLiteral("Proceed?"));
    QCOMPARE(confirm.icon, Question::Icon::Question);
    QCOMPARE(confirm.buttons, Question::Buttons::YesNoCancel);
    QCOMPARE(confirm.defaultAnswer, Answer::No);
    QCOMPARE(ui.statuses.first(), QStringLiteral("Deleting Old Files"));
    QVERIFY(ui.statuses.contains(QStringLiteral("Making User Created Files Backup Disk #1")));
    QCOMPARE(ui.statuses.last(), QStringLiteral("Backup Complete"));
    QCOMPARE(ui.maxProgress, 168);

    const QMap<QString, QByteArray> disk = filesOf(shelf.disk(1));
    const QMap<QString, QString> expected = {
        {u"ToDoName.hb1"_s, u"TODONAME.FIL"_s},
        {u"Gcolor3.hb1"_s, u"GColor3.Fil"_s},
        {u"ToDoActv.hb1"_s, u"TODOActv.FIL"_s},
        {u"Hinv3.hb1"_s, u"HINV3.Fil"_s},
        {u"Stat1.hb1"_s, u"Stat1.Fil"_s},
        {u"RAList.hb1"_s, u"RAList.Fil"_s},
        {u"Action0.hb1"_s, u"Action0.Fil"_s},
        {u"Action1.hb1"_s, u"Action1.Fil"_s},
        {u"Action46.hb1"_s, u"Action46.Fil"_s},
        {u"Comment0.hb1"_s, u"Comment0.Fil"_s},
        {u"Comment22.hb1"_s, u"Comment22.Fil"_s},
        {u"Policy14.hb1"_s, u"Policy14.Fil"_s},
        {u"Policy46.hb1"_s, u"Policy46.Fil"_s},
        {u"Wksht0.hb1"_s, u"Wksht0.Fil"_s},
        {u"Wksht20.hb1"_s, u"Wksht20.Fil"_s},
        {u"DRPln1.hb1"_s, u"DRPln1.Fil"_s},
        {u"IncidHold.Hb2"_s, u"IncidHold.Flc"_s},
        {u"Breach 1.Hb2"_s, u"Breach 1.Flc"_s},
        {u"Breach 2.Hb2"_s, u"Breach 2.Flc"_s},
        {u"Breach 3.Hb2"_s, u"Breach 3.Flc"_s},
        {u"ArchiveHold.Hb3"_s, u"ArchiveHold.Fla"_s},
        {u"Plan Dec-01-26.Hb3"_s, u"Plan Dec-01-26.Fla"_s},
        {u"Policy 3 Dec-02-26.Hb3"_s, u"Policy 3 Dec-02-26.Fla"_s},
        {u"GColor1.hb4"_s, u"GColor1.Fil"_s},
        {u"UserWords.hb4"_s, u"UserWords.dic"_s},
    };
    QStringList names = expected.keys();
    names << u"DiskInfo.bk1"_s << u"letter.doc"_s;
    names.sort();
    QCOMPARE(disk.keys(), names);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        QVERIFY2(disk.value(it.key()) == data.value(it.value()), qPrintable(it.key()));
    }

    // Records 1, 2, 4 and 6; record 3 is left empty on the only disk, record 5 is never written.
    const QByteArray diskInfo =
        record("HIPAA") + record("1") + QByteArray(30, '\0') + record("162") + QByteArray(30, '\0') + record("T1");
    QCOMPARE(disk.value(u"DiskInfo.bk1"_s), diskInfo);

    QVERIFY2(snapshot.unexpectedChanges().isEmpty(), qPrintable(snapshot.unexpectedChanges()));
}

void TestBackup::spansThreeDisksAndAsksAgainForTheFullDisk()
{
    Shelf shelf;
    Workbook::fill(shelf.dataDir(), 1000);
    const auto snapshot = qv::test::FolderSnapshot::aroundDataFolder(shelf.dataDir());
    SizeLimitedFolderMedia media(shelf.disk(1), ThreeDiskCapacity);
    DiskChanger changer{shelf, media};

    ScriptedListener ui;
    ui.expect(u"Delete Files"_s, Answer::Yes)
        // The full disk is still in the drive: the backup asks again rather than overwrite it.
        .expect(u"Backup Disk"_s, Answer::Ok)
        .expect(u"Backup Disk"_s, Answer::Ok, [&] { changer.next(); })
        .expect(u"Backup Disk"_s, Answer::Ok, [&] { changer.next(); });
    QCOMPARE(runBackup(shelf.folder(), media, ui), Outcome::Completed);
    QCOMPARE(ui.pending(), 0);

    const QString askFor2 = QStringLiteral("Disk is Full.") + CR + QStringLiteral("Please Insert Backup Disk #2") + CR +
                            QStringLiteral("CAUTION: Wait till Disk Drive light goes out and Be sure New Disk is "
                                           "inserted before Clicking OK");
    QCOMPARE(ui.questions.at(1).text, askFor2);
    QCOMPARE(ui.questions.at(2).text, askFor2);
    QCOMPARE(ui.questions.at(2).buttons, Question::Buttons::OkCancel);
    QVERIFY(ui.questions.at(3).text.contains(u"Please Insert Backup Disk #3"_s));
    QVERIFY(ui.statuses.contains(u"Making User Created Files Backup Disk #3"_s));
    QCOMPARE(ui.statuses.last(), u"Backup Complete"_s);

    // Comment22 (index 69) did not fit on disk 1, the plan (162) with the documents not on disk 2.
    const DiskInfo one = diskInfoOn(shelf.disk(1));
    const DiskInfo two = diskInfoOn(shelf.disk(2));
    const DiskInfo three = diskInfoOn(shelf.disk(3));
    QCOMPARE(std::tuple(one.diskNumber(), one.nextDiskNumber(), one.lastIndexNumber()), std::tuple(1, 2, 68));
    QCOMPARE(std::tuple(two.diskNumber(), two.nextDiskNumber(), two.lastIndexNumber()), std::tuple(2, 3, 161));
    QCOMPARE(std::tuple(three.diskNumber(), three.nextDiskNumber(), three.lastIndexNumber()), std::tuple(3, 3, 162));
    QVERIFY(filesOf(shelf.disk(1)).contains(u"Comment0.hb1"_s));
    QVERIFY(!filesOf(shelf.disk(1)).contains(u"Comment22.hb1"_s));
    QVERIFY(filesOf(shelf.disk(2)).contains(u"Comment22.hb1"_s));
    QVERIFY(!filesOf(shelf.disk(2)).contains(u"DRPln1.hb1"_s));
    for (const char* name : {"DRPln1.hb1", "IncidHold.Hb2", "Breach 3.Hb2", "ArchiveHold.Hb3", "UserWords.hb4"}) {
        QVERIFY2(filesOf(shelf.disk(3)).contains(QString::fromLatin1(name)), name);
    }
    for (int n = 1; n <= 3; ++n) {
        media.setDir(shelf.disk(n));
        QVERIFY(media.usedSpace() <= ThreeDiskCapacity);
    }
    QVERIFY2(snapshot.unexpectedChanges().isEmpty(), qPrintable(snapshot.unexpectedChanges()));
}

void TestBackup::cancelAtTheNextDiskLeavesTheFilesWithoutDiskInfo()
{
    Shelf shelf;
    Workbook::fill(shelf.dataDir(), 1000);
    const auto snapshot = qv::test::FolderSnapshot::aroundDataFolder(shelf.dataDir());
    SizeLimitedFolderMedia media(shelf.disk(1), ThreeDiskCapacity);

    ScriptedListener ui;
    ui.expect(u"Delete Files"_s, Answer::Yes)
        .expect(u"Backup Disk"_s, Answer::Cancel)
        .expect(u"Backup Proceedure Cancelation"_s, Answer::Ok);
    QCOMPARE(runBackup(shelf.folder(), media, ui), Outcome::Cancelled);
    QCOMPARE(ui.questions.last().text,
             QStringLiteral("You have cancelled the backup proceedure!") + CR +
                 QStringLiteral("If backup files were on this disk they have been deleted!") + CR +
                 QStringLiteral("May we suggest you initiate Backup for these files again!"));
    QCOMPARE(ui.statuses.last(), u"Backup Terminated by User"_s);

    const QMap<QString, QByteArray> disk = filesOf(shelf.disk(1));
    QVERIFY(!disk.contains(u"DiskInfo.bk1"_s));
    QVERIFY(disk.contains(u"Stat1.hb1"_s));
    QVERIFY(disk.contains(u"Comment0.hb1"_s));
    QVERIFY2(snapshot.unexpectedChanges().isEmpty(), qPrintable(snapshot.unexpectedChanges()));

    // What is left cannot pass for a backup.
    ScriptedListener restore;
    restore.expect(u"Disk Error"_s, Answer::Ok);
    QCOMPARE(runRestore(shelf.folder(), media, restore), Outcome::Failed);
    QVERIFY2(snapshot.unexpectedChanges().isEmpty(), qPrintable(snapshot.unexpectedChanges()));
}

void TestBackup::failingDiskAtEachStep_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("skip");
    QTest::addColumn<QStringList>("boxes");

    const QString confirm = u"Delete Files"_s;
    const QString firstDisk = u"Backup Disk"_s;
    const QString cancelled = u"Backup Proceedure Cancelation"_s;
    const int write = int(FaultyMedia::Fault::Write);
    const int read = int(FaultyMedia::Fault::Read);
    const int corrupt = int(FaultyMedia::Fault::Corrupt);
    const QStringList wholeDiskAgain = {confirm, firstDisk, cancelled};
    const QStringList nextDisk = {confirm, firstDisk, cancelled};

    QTest::newRow("write test cannot be written")
        << write << u"Test1.hb1"_s << 0 << QStringList{confirm, u"Disk Error"_s};
    QTest::newRow("write test reads back wrong")
        << corrupt << u"Test1.hb1"_s << 0 << QStringList{confirm, u"Disk Error"_s};
    QTest::newRow("disk record cannot be started") << write << u"DiskInfo.bk1"_s << 0 << wholeDiskAgain;
    QTest::newRow("settings file full") << write << u"Stat1.hb1"_s << 0 << wholeDiskAgain;
    QTest::newRow("settings file unreadable") << read << u"Hinv3.hb1"_s << 0 << wholeDiskAgain;
    QTest::newRow("first note full") << write << u"Action0.hb1"_s << 0 << wholeDiskAgain;
    QTest::newRow("later note full") << write << u"Policy14.hb1"_s << 0 << nextDisk;
    QTest::newRow("later note reads back wrong") << corrupt << u"Wksht0.hb1"_s << 0 << nextDisk;
    QTest::newRow("incident report full") << write << u"Breach 2.Hb2"_s << 0 << nextDisk;
    QTest::newRow("archive index unreadable") << read << u"ArchiveHold.Hb3"_s << 0 << nextDisk;
    QTest::newRow("word list full") << write << u"UserWords.hb4"_s << 0 << nextDisk;
    QTest::newRow("closing record full") << write << u"DiskInfo.bk1"_s << 1 << nextDisk;
}

// Whatever step the disk fails at, the user is asked for another disk or told, the workbook is
// untouched, and the disk is never left looking like a finished backup.
void TestBackup::failingDiskAtEachStep()
{
    QFETCH(int, fault);
    QFETCH(QString, pattern);
    QFETCH(int, skip);
    QFETCH(QStringList, boxes);

    Shelf shelf;
    Workbook::fill(shelf.dataDir());
    const auto snapshot = qv::test::FolderSnapshot::aroundDataFolder(shelf.dataDir());
    FolderMedia disk(shelf.disk(1));
    FaultyMedia media(disk);
    media.inject(FaultyMedia::Fault(fault), pattern, 1, skip);

    ScriptedListener ui;
    ui.expect(boxes.first(), Answer::Yes);
    for (const QString& box : boxes.mid(1)) {
        ui.expect(box, box == u"Backup Proceedure Cancelation"_s ? Answer::Ok : Answer::Cancel);
    }
    const Outcome outcome = runBackup(shelf.folder(), media, ui);
    QCOMPARE(ui.titles(), boxes);
    QCOMPARE(media.injectedLeft(), 0);
    QCOMPARE(outcome, Outcome::Cancelled);
    QCOMPARE(ui.statuses.last(), u"Backup Terminated by User"_s);
    QVERIFY(!ui.statuses.contains(u"Backup Complete"_s));
    QVERIFY(!filesOf(shelf.disk(1)).contains(u"DiskInfo.bk1"_s));
    QVERIFY(!filesOf(shelf.disk(1)).contains(u"Test1.hb1"_s));
    QVERIFY2(snapshot.unexpectedChanges().isEmpty(), qPrintable(snapshot.unexpectedChanges()));
}

void TestBackup::emptyWorkbookStillWritesItsDisk()
{
    Shelf shelf;
    FolderMedia media(shelf.disk(1));
    ScriptedListener ui;
    ui.expect(u"Delete Files"_s, Answer::Yes);
    QCOMPARE(runBackup(shelf.folder(), media, ui), Outcome::Completed);
    QCOMPARE(filesOf(shelf.disk(1)).keys(), QStringList{u"DiskInfo.bk1"_s});
    const DiskInfo info = diskInfoOn(shelf.disk(1));
    QVERIFY(info.isBackupDisk());
    QCOMPARE(info.lastIndexNumber(), 162);

    // Anything but Yes ends the backup before a file is touched.
    ScriptedListener no;
    no.expect(u"Delete Files"_s, Answer::No);
    QFile stray(shelf.disk(1) + u"/Old.hb1"_s);
    QVERIFY(stray.open(QIODevice::WriteOnly));
    stray.close();
    QCOMPARE(runBackup(shelf.folder(), media, no), Outcome::NotStarted);
    QVERIFY(stray.exists());
}

QTEST_GUILESS_MAIN(TestBackup)
// The folder media write without a sync per file, but still replace a file only with a whole one.
void TestBackup::aFolderDiskKeepsItsOldFileWhenAWriteFails()
{
    QTemporaryDir disk;
    qv::backup::FolderMedia media(disk.path());
    QVERIFY(media.write(QStringLiteral("Action1.hb1"), QByteArray(300, 'a')).ok());
    {
        // The kernel refuses what goes past the limit, as a full disk does.
        const qv::test::FileSizeLimit limit(4096);
        const qv::Status written = media.write(QStringLiteral("Action1.hb1"), QByteArray(20000, 'b'));
        QVERIFY(!written.ok());
        QVERIFY2(written.error().contains(QStringLiteral("Action1.hb1")), qPrintable(written.error()));
    }
    QCOMPARE(media.read(QStringLiteral("Action1.hb1")).valueOr({}), QByteArray(300, 'a'));
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files), QStringList{QStringLiteral("Action1.hb1")});
    QVERIFY(media.sync().ok());
}

#include "test_backup.moc"
