#include "core/storage/fixedrecordfile.h"
#include "core/storage/programfolder.h"
#include "core/storage/quotedlinefile.h"
#include "filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;
using namespace Qt::StringLiterals;

class TestProgramFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void wildcard_data();
    void wildcard();
    void resolvesIgnoringCase_data();
    void resolvesIgnoringCase();
    void writeKeepsSpellingOnDisk();
    void writeCreatesDataFolder();
    void existsAndSize();
    void readFailuresNameTheFile();
    void refusesNamesOutsideTheFolder_data();
    void refusesNamesOutsideTheFolder();
    void copies();
    void removesOneFile();
    void removesMatching_data();
    void removesMatching();
    void listsSorted();

    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void writeFaultsOnlyHitMatchingNames();
    void realWriteFailures();
    void shortWritesKeepOldFile();

    void fixedRecordFileOnDisk();
    void fixedRecordFileRefusalsLeaveFile();
    void quotedLineFileOnDisk();

private:
    void put(const QString& dir, const QString& name, const QByteArray& bytes);
    QByteArray contents(const QString& dir, const QString& name);
    QStringList filesIn(const QString& dir);

    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_data;
    QString m_content;
};

void TestProgramFolder::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
    m_data = m_tmp->filePath(u"data"_s);
    m_content = m_tmp->filePath(u"content"_s);
    QVERIFY(QDir().mkpath(m_data));
    QVERIFY(QDir().mkpath(m_content));
}

void TestProgramFolder::cleanup()
{
    WriteFaults::clear();
    m_tmp.reset();
}

void TestProgramFolder::put(const QString& dir, const QString& name, const QByteArray& bytes)
{
    QFile f(QDir(dir).filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray TestProgramFolder::contents(const QString& dir, const QString& name)
{
    QFile f(QDir(dir).filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList TestProgramFolder::filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

void TestProgramFolder::wildcard_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");
    QTest::newRow("extension ignoring case") << u"Stat1.Fil"_s << u"*.fil"_s << true;
    QTest::newRow("extension capitals") << u"IncidHold.Flc"_s << u"*.FLC"_s << true;
    QTest::newRow("longer extension") << u"a.hb10"_s << u"*.hb1"_s << false;
    QTest::newRow("extension only") << u".hb1"_s << u"*.hb1"_s << true;
    QTest::newRow("no dot") << u"hb1"_s << u"*.hb1"_s << false;
    QTest::newRow("question mark one char") << u"Test1.hb1"_s << u"Test?.HB1"_s << true;
    QTest::newRow("question mark not none") << u"Test.hb1"_s << u"Test?.hb1"_s << false;
    QTest::newRow("star in the middle") << u"Action12.Fil"_s << u"action*.fil"_s << true;
    QTest::newRow("two stars backtrack") << u"a.b.c.fil"_s << u"*.*.fil"_s << true;
    QTest::newRow("star matches empty") << u"x"_s << u"x*"_s << true;
    QTest::newRow("plain name") << u"DiskInfo.bk1"_s << u"diskinfo.BK1"_s << true;
    QTest::newRow("brackets are plain") << u"a[1].fil"_s << u"a[1].fil"_s << true;
    QTest::newRow("brackets no class") << u"a1.fil"_s << u"a[1].fil"_s << false;
    QTest::newRow("accented ignoring case") << u"\u00C9t\u00E9.fil"_s << u"\u00E9t\u00C9.FIL"_s << true;
    QTest::newRow("empty pattern") << u"a"_s << QString() << false;
}

void TestProgramFolder::wildcard()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(matchesWildcard(name, pattern), matches);
}

void TestProgramFolder::resolvesIgnoringCase_data()
{
    QTest::addColumn<QStringList>("onDisk");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("resolved");
    QTest::newRow("exact") << QStringList{u"Stat1.Fil"_s} << u"Stat1.Fil"_s << u"Stat1.Fil"_s;
    QTest::newRow("other capitals") << QStringList{u"STAT1.FIL"_s} << u"Stat1.Fil"_s << u"STAT1.FIL"_s;
    QTest::newRow("exact wins") << QStringList{u"STAT1.FIL"_s, u"Stat1.Fil"_s, u"stat1.fil"_s} << u"Stat1.Fil"_s
                                << u"Stat1.Fil"_s;
    QTest::newRow("no exact, same pick every time")
        << QStringList{u"stat1.fil"_s, u"STAT1.FIL"_s} << u"Stat1.Fil"_s << u"STAT1.FIL"_s;
    QTest::newRow("missing keeps the asked spelling")
        << QStringList{u"Stat2.Fil"_s} << u"Stat1.Fil"_s << u"Stat1.Fil"_s;
    QTest::newRow("prefix is no match") << QStringList{u"Stat1.Fil.bak"_s} << u"Stat1.Fil"_s << u"Stat1.Fil"_s;
}

void TestProgramFolder::resolvesIgnoringCase()
{
    QFETCH(QStringList, onDisk);
    QFETCH(QString, asked);
    QFETCH(QString, resolved);
    for (const QString& name : onDisk) {
        put(m_content, name, name.toLatin1());
    }
    const ProgramFolder folder(m_data, m_content);
    QCOMPARE(folder.path(asked, ProgramFolder::Place::Content), QDir(m_content).filePath(resolved));
    QCOMPARE(folder.path(asked), QDir(m_data).filePath(asked));
    const Result<QByteArray> bytes = folder.read(asked, ProgramFolder::Place::Content);
    QCOMPARE(bytes.ok(), onDisk.contains(resolved));
    if (bytes.ok()) {
        QCOMPARE(bytes.value(), resolved.toLatin1());
    }
}

void TestProgramFolder::writeKeepsSpellingOnDisk()
{
    const ProgramFolder folder(m_data, m_content);
    put(m_data, u"TODOACTV.FIL"_s, "old");
    QVERIFY(folder.write(u"TODOActv.FIL"_s, "new").ok());
    QVERIFY(folder.write(u"TODONAME.FIL"_s, "names").ok());
    QCOMPARE(filesIn(m_data), (QStringList{u"TODOACTV.FIL"_s, u"TODONAME.FIL"_s}));
    QCOMPARE(contents(m_data, u"TODOACTV.FIL"_s), QByteArray("new"));
}

void TestProgramFolder::writeCreatesDataFolder()
{
    const QString deep = m_tmp->filePath(u"new/deeper"_s);
    const ProgramFolder folder(deep, m_content);
    QVERIFY(!folder.exists(u"a.fil"_s));
    QVERIFY(folder.list(u"*"_s).isEmpty());
    QVERIFY(folder.write(u"a.fil"_s, "x").ok());
    QCOMPARE(contents(deep, u"a.fil"_s), QByteArray("x"));
}

void TestProgramFolder::existsAndSize()
{
    const ProgramFolder folder(m_data, m_content);
    put(m_data, u"IncidHold.Flc"_s, "\"a.Flc\"\r\n");
    put(m_data, u"Empty.fil"_s, {});
    QVERIFY(QDir(m_data).mkdir(u"Folder.fil"_s));

    QVERIFY(folder.exists(u"incidhold.flc"_s));
    QCOMPARE(folder.size(u"INCIDHOLD.FLC"_s), 9);
    QVERIFY(folder.exists(u"empty.FIL"_s));
    QCOMPARE(folder.size(u"Empty.fil"_s), 0);
    QVERIFY(!folder.exists(u"Missing.fil"_s));
    QCOMPARE(folder.size(u"Missing.fil"_s), -1);
    QVERIFY(!folder.exists(u"Folder.fil"_s));
    QCOMPARE(folder.size(u"Folder.fil"_s), -1);
    QVERIFY(!folder.exists(u"IncidHold.Flc"_s, ProgramFolder::Place::Content));
}

void TestProgramFolder::readFailuresNameTheFile()
{
    const ProgramFolder folder(m_data, m_content);
    QVERIFY(QDir(m_data).mkdir(u"Wksht3.Fil"_s));

    const Result<QByteArray> missing = folder.read(u"Wksht2.Fil"_s);
    QVERIFY(!missing.ok());
    QVERIFY2(missing.error().contains(QDir::toNativeSeparators(QDir(m_data).filePath(u"Wksht2.Fil"_s))),
             qPrintable(missing.error()));
    QVERIFY2(missing.error().contains(u"does not exist"), qPrintable(missing.error()));

    const Result<QByteArray> folderRead = folder.read(u"Wksht3.Fil"_s);
    QVERIFY(!folderRead.ok());
    QVERIFY2(folderRead.error().contains(u"Wksht3.Fil"), qPrintable(folderRead.error()));
}

void TestProgramFolder::refusesNamesOutsideTheFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("dot") << u"."_s;
    QTest::newRow("dot dot") << u".."_s;
    QTest::newRow("up and out") << u"../escape.Flc"_s;
    QTest::newRow("backslash") << u"..\\escape.Flc"_s;
    QTest::newRow("sub folder") << u"sub/x.Flc"_s;
    QTest::newRow("NUL") << u"a\u0000b.Flc"_s;
}

void TestProgramFolder::refusesNamesOutsideTheFolder()
{
    QFETCH(QString, name);
    const ProgramFolder folder(m_data, m_content);
    put(m_tmp->path(), u"escape.Flc"_s, "outside");
    QVERIFY(!folder.write(name, "x").ok());
    QVERIFY(!folder.read(name).ok());
    QVERIFY(!folder.remove(name).ok());
    QVERIFY(!folder.exists(name));
    QVERIFY(!folder.copy(u"escape.Flc"_s, ProgramFolder::Place::Data, name).ok());
    QCOMPARE(contents(m_tmp->path(), u"escape.Flc"_s), QByteArray("outside"));
    QVERIFY(filesIn(m_data).isEmpty());
}

void TestProgramFolder::copies()
{
    const ProgramFolder folder(m_data, m_content);
    put(m_content, u"MISC59.FL1"_s, "template");
    put(m_data, u"wksht0.fil"_s, "old");

    QVERIFY(folder.copy(u"Misc59.Fl1"_s, ProgramFolder::Place::Content, u"Wksht0.Fil"_s).ok());
    QCOMPARE(filesIn(m_data), QStringList{u"wksht0.fil"_s});
    QCOMPARE(contents(m_data, u"wksht0.fil"_s), QByteArray("template"));

    // A missing source fails and leaves the target as it was.
    const Status s = folder.copy(u"Misc58.Fl1"_s, ProgramFolder::Place::Content, u"Wksht0.Fil"_s);
    QVERIFY(!s.ok());
    QVERIFY2(s.error().contains(u"Misc58.Fl1"), qPrintable(s.error()));
    QCOMPARE(contents(m_data, u"wksht0.fil"_s), QByteArray("template"));

    // Into another folder, the way a backup writes to its disk.
    const QString disk = m_tmp->filePath(u"disk"_s);
    const ProgramFolder target(disk, disk);
    QVERIFY(folder.copy(u"WKSHT0.FIL"_s, ProgramFolder::Place::Data, target, u"Wksht0.hb1"_s).ok());
    QCOMPARE(contents(disk, u"Wksht0.hb1"_s), QByteArray("template"));
}

void TestProgramFolder::removesOneFile()
{
    const ProgramFolder folder(m_data, m_content);
    put(m_data, u"ACTION3.FIL"_s, "x");
    put(m_data, u"Action4.Fil"_s, "y");
    QVERIFY(folder.remove(u"Action3.Fil"_s).ok());
    QCOMPARE(filesIn(m_data), QStringList{u"Action4.Fil"_s});
    QVERIFY(folder.remove(u"Action3.Fil"_s).ok());
    QCOMPARE(filesIn(m_data), QStringList{u"Action4.Fil"_s});
}

void TestProgramFolder::removesMatching_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("left");
    const QStringList all{u"a.hb10"_s,
                          u"Action0.HB1"_s,
                          u"DiskInfo.bk1"_s,
                          u"GColor1.Fil"_s,
                          u"IncidHold.Flc"_s,
                          u"Stat1.fil"_s,
                          u"Stat1.hb1"_s,
                          u"x.Fla"_s};
    QTest::newRow("hb1 any case")
        << u"*.hb1"_s << 2
        << QStringList{
               u"a.hb10"_s, u"DiskInfo.bk1"_s, u"GColor1.Fil"_s, u"IncidHold.Flc"_s, u"Stat1.fil"_s, u"x.Fla"_s};
    QTest::newRow("fil any case")
        << u"*.FIL"_s << 2
        << QStringList{
               u"a.hb10"_s, u"Action0.HB1"_s, u"DiskInfo.bk1"_s, u"IncidHold.Flc"_s, u"Stat1.hb1"_s, u"x.Fla"_s};
    QTest::newRow("nothing matches") << u"*.hb3"_s << 0 << all;
    QTest::newRow("everything") << u"*"_s << all.size() << QStringList();
}

void TestProgramFolder::removesMatching()
{
    QFETCH(QString, pattern);
    QFETCH(int, count);
    QFETCH(QStringList, left);
    const ProgramFolder folder(m_data, m_content);
    for (const QString& name : {u"a.hb10"_s,
                                u"Action0.HB1"_s,
                                u"DiskInfo.bk1"_s,
                                u"GColor1.Fil"_s,
                                u"IncidHold.Flc"_s,
                                u"Stat1.fil"_s,
                                u"Stat1.hb1"_s,
                                u"x.Fla"_s}) {
        put(m_data, name, "x");
    }
    QVERIFY(QDir(m_data).mkdir(u"sub.hb1"_s));
    const Result<int> removed = folder.removeMatching(pattern);
    QVERIFY(removed.ok());
    QCOMPARE(removed.value(), count);
    QCOMPARE(filesIn(m_data), left);
    QVERIFY(QFileInfo(QDir(m_data).filePath(u"sub.hb1"_s)).isDir());
}

void TestProgramFolder::listsSorted()
{
    const ProgramFolder folder(m_data, m_content);
    for (const QString& name : {u"b.Fla"_s, u"A.fla"_s, u"c.FLA"_s, u"ArchiveHold.Fla"_s, u"note.txt"_s}) {
        put(m_content, name, "x");
    }
    QCOMPARE(folder.list(u"*.fla"_s, ProgramFolder::Place::Content),
             (QStringList{u"A.fla"_s, u"ArchiveHold.Fla"_s, u"b.Fla"_s, u"c.FLA"_s}));
    QVERIFY(folder.list(u"*.fla"_s).isEmpty());
}

void TestProgramFolder::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<qint64>("bytesBeforeFull");
    QTest::newRow("full at once") << qint64(0);
    QTest::newRow("full after 3 bytes") << qint64(3);
    QTest::newRow("full just before the end") << qint64(9);
    QTest::newRow("room for more than asked") << qint64(1000);
}

void TestProgramFolder::failedWriteKeepsOldFile()
{
    QFETCH(qint64, bytesBeforeFull);
    const ProgramFolder folder(m_data, m_content);
    put(m_data, u"Policy14.Fil"_s, "old policy");

    WriteFaults::inject(u"policy14.fil"_s, 1, bytesBeforeFull);
    const Status s = folder.write(u"Policy14.Fil"_s, "new policy");
    QVERIFY(!s.ok());
    QVERIFY2(s.error().contains(QDir::toNativeSeparators(QDir(m_data).filePath(u"Policy14.Fil"_s))),
             qPrintable(s.error()));
    QVERIFY2(s.error().contains(u"No space left"), qPrintable(s.error()));
    QCOMPARE(contents(m_data, u"Policy14.Fil"_s), QByteArray("old policy"));
    QCOMPARE(filesIn(m_data), QStringList{u"Policy14.Fil"_s});

    // The fault was used up: the next write goes through.
    QCOMPARE(WriteFaults::pending(), 0);
    QVERIFY(folder.write(u"Policy14.Fil"_s, "new policy").ok());
    QCOMPARE(contents(m_data, u"Policy14.Fil"_s), QByteArray("new policy"));
}

void TestProgramFolder::writeFaultsOnlyHitMatchingNames()
{
    const ProgramFolder folder(m_data, m_content);
    const QString disk = m_tmp->filePath(u"disk"_s);
    const ProgramFolder target(disk, disk);
    put(m_data, u"Action0.Fil"_s, "a0");
    put(m_data, u"Action1.Fil"_s, "a1");

    WriteFaults::inject(u"*.hb1"_s, -1);
    QVERIFY(folder.write(u"Stat1.Fil"_s, "s").ok());
    QVERIFY(!folder.copy(u"Action0.Fil"_s, ProgramFolder::Place::Data, target, u"Action0.hb1"_s).ok());
    QVERIFY(!folder.copy(u"Action1.Fil"_s, ProgramFolder::Place::Data, target, u"Action1.hb1"_s).ok());
    QCOMPARE(WriteFaults::pending(), -1);
    QVERIFY(filesIn(disk).isEmpty());

    WriteFaults::inject(u"*"_s, 2);
    QVERIFY(!folder.write(u"a"_s, "1").ok());
    QVERIFY(!folder.write(u"b"_s, "2").ok());
    QVERIFY(folder.write(u"c"_s, "3").ok());
}

void TestProgramFolder::realWriteFailures()
{
    // Failures no root privilege can overcome: a parent that is no folder, a target that is one.
    put(m_data, u"plain"_s, "x");
    const QString underFile = QDir(m_data).filePath(u"plain/Stat1.Fil"_s);
    Status s = writeFileAtomically(underFile, "x");
    QVERIFY(!s.ok());
    QVERIFY2(s.error().contains(QDir::toNativeSeparators(underFile)), qPrintable(s.error()));

    QVERIFY(QDir(m_data).mkdir(u"Stat1.Fil"_s));
    const ProgramFolder folder(m_data, m_content);
    s = folder.write(u"Stat1.Fil"_s, "x");
    QVERIFY(!s.ok());
    QVERIFY(QFileInfo(QDir(m_data).filePath(u"Stat1.Fil"_s)).isDir());

    const ProgramFolder blocked(QDir(m_data).filePath(u"plain/sub"_s), m_content);
    s = blocked.write(u"a.fil"_s, "x");
    QVERIFY(!s.ok());
    QVERIFY2(s.error().contains(u"could not be created"), qPrintable(s.error()));
}

void TestProgramFolder::shortWritesKeepOldFile()
{
    // The kernel itself refuses the bytes past the limit, as a full disk does: the buffered save
    // took them, failed to write them at commit and still renamed the short file over the old one.
    const ProgramFolder folder(m_data, m_content);
    const QByteArray old(1000, 'o');
    put(m_data, u"Policy14.Fil"_s, old);
    put(m_data, u"Stat1.Fil"_s, QByteArray(1360, 's'));
    const QByteArray policy = QByteArray("{\\rtf1 ") + QByteArray(14000, 'p') + '}';
    {
        test::FileSizeLimit limit(8192);
        if (!limit.isActive()) {
            QSKIP("This platform cannot limit the size of a file.");
        }
        const Status s = folder.write(u"Policy14.Fil"_s, policy);
        QVERIFY(!s.ok());
        QVERIFY2(s.error().contains(u"Policy14.Fil"), qPrintable(s.error()));
        // A file the same size as the old one, over a limit below both.
        test::FileSizeLimit tighter(512);
        QVERIFY(!folder.write(u"Stat1.Fil"_s, QByteArray(1360, 'n')).ok());
        QVERIFY(!writeFileAtomically(QDir(m_data).filePath(u"New.Fil"_s), QByteArray(600, 'x')).ok());
    }
    QCOMPARE(contents(m_data, u"Policy14.Fil"_s), old);
    QCOMPARE(contents(m_data, u"Stat1.Fil"_s), QByteArray(1360, 's'));
    // No temporary file is left behind, and nothing half-written under the new name.
    QCOMPARE(filesIn(m_data), QStringList({u"Policy14.Fil"_s, u"Stat1.Fil"_s}));
    // With the limit gone the same write goes through.
    QVERIFY(folder.write(u"Policy14.Fil"_s, policy).ok());
    QCOMPARE(contents(m_data, u"Policy14.Fil"_s), policy);
}

void TestProgramFolder::fixedRecordFileOnDisk()
{
    const ProgramFolder folder(m_data, m_content);
    const FixedRecordFile stat(folder, u"Stat1.Fil"_s, 20);

    QCOMPARE(stat.readString(15).value(), QString());
    QVERIFY(stat.createIfMissing().ok());
    QCOMPARE(contents(m_data, u"Stat1.Fil"_s), QByteArray());
    QVERIFY(stat.writeString(15, u"Completed").ok());
    const QByteArray bytes = contents(m_data, u"Stat1.Fil"_s);
    QCOMPARE(bytes.size(), 300);
    QCOMPARE(bytes.sliced(280), QByteArray::fromHex("0900") + "Completed" + QByteArray(9, '\0'));
    QCOMPARE(stat.readString(15).value(), u"Completed"_s);
    QVERIFY(stat.createIfMissing().ok());
    QCOMPARE(contents(m_data, u"Stat1.Fil"_s), bytes);

    // Typed values in a file of another record length, under another spelling on disk.
    put(m_data, u"HINV3.FIL"_s, {});
    const FixedRecordFile hinv(folder, u"HINV3.Fil"_s, 10);
    QVERIFY(hinv.writeValue(3, RecordValue::fromString(u"Def"_s)).ok());
    QCOMPARE(hinv.readValue(3).value(), RecordValue::fromString(u"Def"_s));
    QVERIFY(hinv.writeValue(3, RecordValue::fromInt32(255)).ok());
    QCOMPARE(contents(m_data, u"HINV3.FIL"_s),
             QByteArray(20, '\0') + QByteArray::fromHex("0300ff000000") + QByteArray(4, '\0'));
    QVERIFY(!QFile::exists(QDir(m_data).filePath(u"HINV3.Fil"_s)));
}

void TestProgramFolder::fixedRecordFileRefusalsLeaveFile()
{
    const ProgramFolder folder(m_data, m_content);
    const FixedRecordFile list(folder, u"RAList.Fil"_s, 20);
    QVERIFY(list.writeString(1, u"Server room").ok());
    const QByteArray before = contents(m_data, u"RAList.Fil"_s);

    Status s = list.writeString(2, u"A title far too long for it");
    QVERIFY(!s.ok());
    QVERIFY2(s.error().contains(u"RAList.Fil") && s.error().contains(u"too long"), qPrintable(s.error()));
    QCOMPARE(contents(m_data, u"RAList.Fil"_s), before);

    WriteFaults::inject(u"RAList.Fil"_s, 1, 25);
    s = list.writeString(2, u"Laptops");
    QVERIFY(!s.ok());
    QVERIFY2(s.error().contains(u"No space left"), qPrintable(s.error()));
    QCOMPARE(contents(m_data, u"RAList.Fil"_s), before);
    QCOMPARE(list.readString(2).value(), QString());

    // A file that exists but cannot be read is not taken for an empty one and overwritten.
    QVERIFY(QDir(m_data).mkdir(u"GColor3.Fil"_s));
    const FixedRecordFile settings(folder, u"GColor3.Fil"_s, 20);
    QVERIFY(!settings.readString(35).ok());
    QVERIFY(!settings.writeString(35, u"Yes").ok());
    QVERIFY(QFileInfo(QDir(m_data).filePath(u"GColor3.Fil"_s)).isDir());
}

void TestProgramFolder::quotedLineFileOnDisk()
{
    const ProgramFolder folder(m_data, m_content);
    const QuotedLineFile index(folder, u"IncidHold.Flc"_s);
    QCOMPARE(index.read().value(), QStringList());

    const QStringList names{u"Lost laptop.Flc"_s, u"Door, back.Flc"_s};
    QVERIFY(index.write(names).ok());
    QCOMPARE(contents(m_data, u"IncidHold.Flc"_s), QByteArray("\"Lost laptop.Flc\"\r\n\"Door, back.Flc\"\r\n"));
    QCOMPARE(index.read().value(), names);

    Status s = index.write({u"Say \"hi\".Flc"_s});
    QVERIFY(!s.ok());
    QVERIFY2(s.error().contains(u"IncidHold.Flc") && s.error().contains(u"double quote"), qPrintable(s.error()));
    QCOMPARE(index.read().value(), names);

    WriteFaults::inject(u"*.flc"_s);
    QVERIFY(!index.write({}).ok());
    QCOMPARE(index.read().value(), names);
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
