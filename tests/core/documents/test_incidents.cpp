#include "core/documents/archives.h"
#include "core/documents/incidents.h"
#include "foldersnapshot.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qv;

namespace {

    const QString Index = QStringLiteral("IncidHold.Flc");

    // Every file under root, relative to it, so a write that escaped the data folder shows up.
    QStringList filesUnder(const QString& root)
    {
        QStringList found;
        QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            found.append(QDir(root).relativeFilePath(it.next()));
        }
        found.sort();
        return found;
    }

} // namespace

class TestIncidents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void checkTitle_data();
    void checkTitle();
    void newReportsAppendQuotedLines();
    void sameTitleInOtherCaseReplacesTheReport();
    void removingRewritesOrDropsTheIndex();
    void refusedTitleWritesNothingAnywhere_data();
    void refusedTitleWritesNothingAnywhere();
    void failedReportWriteKeepsTheOldReport();
    void failedIndexWriteListsNothing();
    void indexIsReadAsStored();
    void hostileIndexLineDeletesNothing_data();
    void hostileIndexLineDeletesNothing();

private:
    std::unique_ptr<QTemporaryDir> m_root;
    QString m_data;
    std::unique_ptr<ProgramFolder> m_folder;

    QByteArray bytes(const QString& name) const
    {
        QFile file(m_data + u'/' + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

void TestIncidents::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    // The data folder sits two levels down, so "../x" would land inside the temporary root.
    m_data = m_root->path() + QStringLiteral("/user/data");
    QVERIFY(QDir().mkpath(m_data));
    QVERIFY(QDir().mkpath(m_root->path() + QStringLiteral("/content")));
    m_folder = std::make_unique<ProgramFolder>(m_data, m_root->path() + QStringLiteral("/content"));
}

void TestIncidents::cleanup()
{
    WriteFaults::clear();
}

void TestIncidents::checkTitle_data()
{
    QTest::addColumn<QString>("title");
    // Empty when the title is fine, else a word the message must hold.
    QTest::addColumn<QString>("complaint");

    QTest::newRow("plain") << QStringLiteral("Breach Jan 3") << QString();
    QTest::newRow("accented") << QStringLiteral("Vol de données") << QString();
    QTest::newRow("35 characters") << QString(35, u'x') << QString();
    QTest::newRow("blanks around") << QStringLiteral("  Lost laptop  ") << QString();
    QTest::newRow("a dot inside") << QStringLiteral("v1.2 leak") << QString();
    QTest::newRow("COM10 is no device") << QStringLiteral("COM10") << QString();
    QTest::newRow("CONSOLE is no device") << QStringLiteral("CONSOLE") << QString();

    QTest::newRow("empty") << QString() << QStringLiteral("empty");
    QTest::newRow("blanks only") << QStringLiteral("   ") << QStringLiteral("blanks");
    QTest::newRow("36 characters") << QString(36, u'x') << QStringLiteral("35");
    QTest::newRow("parent folder") << QStringLiteral("../x") << QStringLiteral("separator");
    QTest::newRow("slash") << QStringLiteral("a/b") << QStringLiteral("separator");
    QTest::newRow("backslash") << QStringLiteral("a\\b") << QStringLiteral("separator");
    QTest::newRow("two dots") << QStringLiteral("a..b") << QStringLiteral("\"..\"");
    QTest::newRow("colon") << QStringLiteral("x:y") << QStringLiteral(":");
    QTest::newRow("asterisk") << QStringLiteral("a*b") << QStringLiteral("*");
    QTest::newRow("question mark") << QStringLiteral("why?") << QStringLiteral("?");
    QTest::newRow("pipe") << QStringLiteral("a|b") << QStringLiteral("|");
    QTest::newRow("angle brackets") << QStringLiteral("<b>") << QStringLiteral("<");
    QTest::newRow("double quote") << QStringLiteral("the \"x\" file") << QStringLiteral("\"");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("control");
    QTest::newRow("line break") << QStringLiteral("a\nb") << QStringLiteral("control");
    QTest::newRow("trailing dot") << QStringLiteral("Report.") << QStringLiteral("dot");
    QTest::newRow("CON") << QStringLiteral("CON") << QStringLiteral("device");
    QTest::newRow("con lower case") << QStringLiteral("con") << QStringLiteral("device");
    QTest::newRow("NUL with extension") << QStringLiteral("nul.txt") << QStringLiteral("device");
    QTest::newRow("COM1") << QStringLiteral("COM1") << QStringLiteral("device");
    QTest::newRow("Lpt9") << QStringLiteral("Lpt9") << QStringLiteral("device");
    QTest::newRow("the index itself") << QStringLiteral("incidhold") << QStringLiteral("list of reports");
    QTest::newRow("outside the code page") << QStringLiteral("事故") << QStringLiteral("character");
}

void TestIncidents::checkTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, complaint);
    const Status checked = incidents::checkTitle(title);
    QCOMPARE(checked.ok(), complaint.isEmpty());
    if (!complaint.isEmpty()) {
        QVERIFY2(checked.error().contains(complaint), qPrintable(checked.error()));
    }
}

void TestIncidents::newReportsAppendQuotedLines()
{
    incidents::ReportIndex index(*m_folder);
    QVERIFY(index.load().ok());
    QCOMPARE(index.count(), 0);
    QVERIFY(index.store(QStringLiteral("Breach Jan 3"), "{\\rtf1 one}").ok());
    QCOMPARE(bytes(QStringLiteral("Breach Jan 3.Flc")), QByteArray("{\\rtf1 one}"));
    QCOMPARE(bytes(Index), QByteArray("\"Breach Jan 3.Flc\"\r\n"));

    QVERIFY(index.store(QStringLiteral("  Lost laptop "), "{\\rtf1 two}").ok());
    QCOMPARE(bytes(Index), QByteArray("\"Breach Jan 3.Flc\"\r\n\"Lost laptop.Flc\"\r\n"));
    QCOMPARE(index.titles(), (QStringList{QStringLiteral("Breach Jan 3"), QStringLiteral("Lost laptop")}));

    // A fresh reader sees the same list.
    incidents::ReportIndex again(*m_folder);
    QVERIFY(again.load().ok());
    QCOMPARE(again.fileNames(), index.fileNames());
}

void TestIncidents::sameTitleInOtherCaseReplacesTheReport()
{
    incidents::ReportIndex index(*m_folder);
    QVERIFY(index.store(QStringLiteral("Breach Jan 3"), "{\\rtf1 first}").ok());
    QCOMPARE(index.find(QStringLiteral(" BREACH jan 3 ")), 0);
    QVERIFY(index.store(QStringLiteral("BREACH jan 3"), "{\\rtf1 second}").ok());
    QCOMPARE(index.count(), 1);
    QCOMPARE(bytes(Index), QByteArray("\"Breach Jan 3.Flc\"\r\n"));
    QCOMPARE(filesUnder(m_data), (QStringList{QStringLiteral("Breach Jan 3.Flc"), Index}));
    QCOMPARE(bytes(QStringLiteral("Breach Jan 3.Flc")), QByteArray("{\\rtf1 second}"));
}

void TestIncidents::removingRewritesOrDropsTheIndex()
{
    incidents::ReportIndex index(*m_folder);
    for (const char* title : {"A", "B", "C"}) {
        QVERIFY(index.store(QString::fromLatin1(title), "{\\rtf1 x}").ok());
    }
    QVERIFY(index.removeAt(1).ok());
    QCOMPARE(bytes(Index), QByteArray("\"A.Flc\"\r\n\"C.Flc\"\r\n"));
    QVERIFY(!QFile::exists(m_data + QStringLiteral("/B.Flc")));
    QVERIFY(!index.removeAt(2).ok());
    QVERIFY(index.removeAt(0).ok());
    QVERIFY(index.removeAt(0).ok());
    QCOMPARE(index.count(), 0);
    QVERIFY(filesUnder(m_data).isEmpty());

    // A report listed but gone from disk is still removed from the list.
    QVERIFY(index.store(QStringLiteral("Gone"), "{\\rtf1 x}").ok());
    QVERIFY(QFile::remove(m_data + QStringLiteral("/Gone.Flc")));
    QVERIFY(index.removeAt(0).ok());
    QVERIFY(!QFile::exists(m_data + u'/' + Index));
}

void TestIncidents::refusedTitleWritesNothingAnywhere_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("parent") << QStringLiteral("../x");
    QTest::newRow("grandparent") << QStringLiteral("../../x");
    QTest::newRow("sub folder") << QStringLiteral("a/b");
    QTest::newRow("absolute") << QStringLiteral("/tmp/x");
    QTest::newRow("backslash parent") << QStringLiteral("..\\x");
    QTest::newRow("device") << QStringLiteral("CON");
    QTest::newRow("colon") << QStringLiteral("x:y");
    QTest::newRow("blanks") << QStringLiteral("   ");
    QTest::newRow("index") << QStringLiteral("IncidHold");
    QTest::newRow("40 characters") << QString(40, u'y');
}

void TestIncidents::refusedTitleWritesNothingAnywhere()
{
    QFETCH(QString, title);
    QVERIFY(m_folder->write(Index, "\"Old.Flc\"\r\n").ok());
    QVERIFY(m_folder->write(QStringLiteral("Old.Flc"), "{\\rtf1 old}").ok());
    const QStringList before = filesUnder(m_root->path());

    incidents::ReportIndex index(*m_folder);
    QVERIFY(index.load().ok());
    const Status stored = index.store(title, "{\\rtf1 hostile}");
    QVERIFY(!stored.ok());
    QVERIFY(!stored.error().isEmpty());
    QCOMPARE(filesUnder(m_root->path()), before);
    QCOMPARE(bytes(Index), QByteArray("\"Old.Flc\"\r\n"));
    QCOMPARE(index.count(), 1);
}

void TestIncidents::failedReportWriteKeepsTheOldReport()
{
    incidents::ReportIndex index(*m_folder);
    QVERIFY(index.store(QStringLiteral("Breach Jan 3"), "{\\rtf1 kept}").ok());
    WriteFaults::inject(QStringLiteral("Breach*.Flc"), 1, 4);
    QVERIFY(!index.store(QStringLiteral("Breach Jan 3"), "{\\rtf1 lost}").ok());
    QCOMPARE(bytes(QStringLiteral("Breach Jan 3.Flc")), QByteArray("{\\rtf1 kept}"));

    // A new report whose file cannot be written is not listed either.
    WriteFaults::inject(QStringLiteral("New*.Flc"), 1, 4);
    QVERIFY(!index.store(QStringLiteral("New one"), "{\\rtf1 new}").ok());
    QCOMPARE(index.count(), 1);
    QCOMPARE(bytes(Index), QByteArray("\"Breach Jan 3.Flc\"\r\n"));
    QVERIFY(!QFile::exists(m_data + QStringLiteral("/New one.Flc")));
}

void TestIncidents::failedIndexWriteListsNothing()
{
    incidents::ReportIndex index(*m_folder);
    QVERIFY(index.store(QStringLiteral("A"), "{\\rtf1 a}").ok());
    WriteFaults::inject(Index, 1, 3);
    const Status stored = index.store(QStringLiteral("B"), "{\\rtf1 b}");
    QVERIFY(!stored.ok());
    QVERIFY2(stored.error().contains(Index), qPrintable(stored.error()));
    QCOMPARE(index.count(), 1);
    QCOMPARE(bytes(Index), QByteArray("\"A.Flc\"\r\n"));
    // Saving again once the disk recovers lists it once.
    QVERIFY(index.store(QStringLiteral("B"), "{\\rtf1 b}").ok());
    QCOMPARE(bytes(Index), QByteArray("\"A.Flc\"\r\n\"B.Flc\"\r\n"));
}

void TestIncidents::indexIsReadAsStored()
{
    QVERIFY(m_folder->write(Index, "\"Zeta.Flc\"\r\n\"alpha.Flc\"\n\"Mid, with comma.Flc\"").ok());
    incidents::ReportIndex index(*m_folder);
    QVERIFY(index.load().ok());
    // Kept in the order first saved, not sorted.
    QCOMPARE(index.titles(),
             (QStringList{QStringLiteral("Zeta"), QStringLiteral("alpha"), QStringLiteral("Mid, with comma")}));
    QCOMPARE(index.find(QStringLiteral("ALPHA")), 1);
    QCOMPARE(index.find(QStringLiteral("Beta")), -1);
}

void TestIncidents::hostileIndexLineDeletesNothing_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<QString>("line");
    const QString reports = Index;
    const QString archives = archives::IndexFile.toString();
    QTest::newRow("the plan") << reports << QStringLiteral("DRPln1.Fil");
    QTest::newRow("a worksheet") << reports << QStringLiteral("Wksht0.Fil");
    QTest::newRow("the status store") << reports << QStringLiteral("Stat1.Fil");
    QTest::newRow("parent folder") << reports << QStringLiteral("../outside.Flc");
    QTest::newRow("backslash parent") << reports << QStringLiteral("..\\outside.Flc");
    QTest::newRow("sub folder") << reports << QStringLiteral("sub/inner.Flc");
    QTest::newRow("absolute path") << reports << QStringLiteral("<root>/outside.Flc");
    QTest::newRow("no extension") << reports << QStringLiteral("Breach");
    QTest::newRow("extension only") << reports << QStringLiteral(".Flc");
    QTest::newRow("the index itself") << reports << reports;
    QTest::newRow("a report from the archive list") << archives << QStringLiteral("Breach.Flc");
    QTest::newRow("the plan from the archive list") << archives << QStringLiteral("DRPln1.Fil");
    QTest::newRow("the report index from the archive list") << archives << reports;
}

// An index line naming anything but a document of its own list is shown, but deleting it deletes
// no file and leaves the index as it was.
void TestIncidents::hostileIndexLineDeletesNothing()
{
    QFETCH(QString, index);
    QFETCH(QString, line);
    line.replace(QStringLiteral("<root>"), m_root->path());
    QVERIFY(QDir().mkpath(m_data + QStringLiteral("/sub")));
    for (const char* name :
         {"DRPln1.Fil", "Wksht0.Fil", "Stat1.Fil", "Breach", "Breach.Flc", ".Flc", "sub/inner.Flc"}) {
        QFile file(m_data + u'/' + QString::fromLatin1(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("user's words in ") + name);
    }
    QFile outside(m_root->path() + QStringLiteral("/user/outside.Flc"));
    QVERIFY(outside.open(QIODevice::WriteOnly));
    outside.write("outside");
    outside.close();
    QFile absolute(m_root->path() + QStringLiteral("/outside.Flc"));
    QVERIFY(absolute.open(QIODevice::WriteOnly));
    absolute.write("outside");
    absolute.close();
    QFile listFile(m_data + u'/' + index);
    QVERIFY(listFile.open(QIODevice::Append));
    listFile.write("\"" + line.toLatin1() + "\"\r\n");
    listFile.close();
    const test::FolderSnapshot before(m_root->path());

    DocumentIndex list(*m_folder, index, index.right(4), QStringLiteral("archive"));
    QVERIFY(list.load());
    QCOMPARE(list.count(), 1);
    const Status checked = list.checkDeletable(0);
    QVERIFY(!checked);
    QVERIFY2(checked.error().contains(line.trimmed()), qPrintable(checked.error()));
    QVERIFY(!list.removeAt(0));
    QCOMPARE(list.count(), 1);
    QCOMPARE(before.changedSince(), QStringList());
}

QTEST_GUILESS_MAIN(TestIncidents)
#include "test_incidents.moc"
