#include "core/catalogue/catalogue.h"
#include "core/documents/archives.h"
#include "core/storage/clock.h"
#include "core/storage/codec.h"
#include "core/storage/quotedlinefile.h"
#include "foldersnapshot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qv;

namespace {

    const QString Index = QStringLiteral("ArchiveHold.Fla");
    const QDate December7(2026, 12, 7);

    QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

} // namespace

class TestArchives : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void archiveName_data();
    void archiveName();
    void namesFollowTheClock();
    void everyDocumentHasItsOwnSafeName();
    void policySafeguardIsTheEntryOnView();
    void nameTheIndexCannotHoldWritesNothing_data();
    void nameTheIndexCannotHoldWritesNothing();
    void unlistedFileOnDiskIsTaken();
    void firstArchiveCreatesTheIndex();
    void sameDayArchiveReplacesAndKeepsOneLine();
    void failedReplaceKeepsTheOldArchive();
    void unsafeNameIsRefused();
    void deletingTheLastArchiveRemovesTheIndex();
    void missingArchiveFileIsDroppedFromTheIndex();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ProgramFolder> m_folder;

    QString path(const QString& name) const
    {
        return m_folder->path(name);
    }
};

void TestArchives::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("data")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("content")));
    m_folder = std::make_unique<ProgramFolder>(m_dir->path() + QStringLiteral("/data"),
                                               m_dir->path() + QStringLiteral("/content"));
}

void TestArchives::cleanup()
{
    WriteFaults::clear();
    m_folder.reset();
    m_dir.reset();
}

void TestArchives::archiveName_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("safeguard");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plan") << QStringLiteral("Disaster Recovery Plan") << 1 << December7 << 0
                          << QStringLiteral("Disaster Recovery Plan Dec-07-26");
    QTest::newRow("risk analysis policy")
        << QStringLiteral("Risk Analysis") << 1 << December7 << 0 << QStringLiteral("Risk Analysis Policy Dec-07-26");
    QTest::newRow("risk analysis policy, blanks around") << QStringLiteral("  Risk Analysis ") << 1 << December7 << 0
                                                         << QStringLiteral("Risk Analysis Policy Dec-07-26");
    QTest::newRow("worksheet titled risk analysis")
        << QStringLiteral("Risk Analysis") << 2 << December7 << 0 << QStringLiteral("Risk Analysis Dec-07-26");
    QTest::newRow("other letter case is no exception")
        << QStringLiteral("risk analysis") << 1 << December7 << 0 << QStringLiteral("risk analysis Dec-07-26");
    QTest::newRow("cut to 28") << QStringLiteral("Information System Activity Review Policy") << 1 << December7 << 0
                               << QStringLiteral("Information System Activity Dec-07-26");
    QTest::newRow("exactly 28") << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ12") << 2 << December7 << 0
                                << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ12 Dec-07-26");
    QTest::newRow("cut then trimmed") << QStringLiteral("Security Awareness Training  Plan") << 1 << QDate(2027, 1, 31)
                                      << 0 << QStringLiteral("Security Awareness Training Jan-31-27");
    QTest::newRow("year 2000") << QStringLiteral("Plan") << 1 << QDate(2000, 5, 3) << 0
                               << QStringLiteral("Plan May-03-00");

    // Names become file names every system and the archive index can hold.
    QTest::newRow("slash of entry 6") << QStringLiteral("Authorization and/or Supervision") << 1 << December7 << 6
                                      << QStringLiteral("Authorization and-or Supervi Policy 6 Dec-07-26");
    QTest::newRow("letters outside the code page")
        << QStringLiteral("Łódź clinic") << 2 << December7 << 0 << QStringLiteral("Lódz clinic Dec-07-26");
    QTest::newRow("double quote") << QStringLiteral("The \"A\" wing") << 2 << December7 << 0
                                  << QStringLiteral("The 'A' wing Dec-07-26");
    QTest::newRow("reserved characters") << QStringLiteral("a\\b:c*d?e<f>g|h") << 2 << December7 << 0
                                         << QStringLiteral("a-b-c-d-e-f-g-h Dec-07-26");
    QTest::newRow("control characters") << QStringLiteral("Tab\there") << 2 << December7 << 0
                                        << QStringLiteral("Tab here Dec-07-26");
    QTest::newRow("nothing a name can hold")
        << QStringLiteral("事故") << 2 << December7 << 0 << QStringLiteral("__ Dec-07-26");
    // A safeguard's policy carries its number, so no two documents share a name on the same day.
    QTest::newRow("risk analysis policy of entry 1")
        << QStringLiteral("Risk Analysis") << 1 << December7 << 1 << QStringLiteral("Risk Analysis Policy 1 Dec-07-26");
    QTest::newRow("entry 23") << QStringLiteral("Business Associate Contracts And Other Arrangements") << 1 << December7
                              << 23 << QStringLiteral("Business Associate Contracts Policy 23 Dec-07-26");
    QTest::newRow("entry 44") << QStringLiteral("Business associate contracts or other arrangements Standard") << 1
                              << December7 << 44 << QStringLiteral("Business associate contracts Policy 44 Dec-07-26");
    QTest::newRow("policy of entry 18") << QStringLiteral("Disaster Recovery Plan") << 1 << December7 << 18
                                        << QStringLiteral("Disaster Recovery Plan Policy 18 Dec-07-26");
}

void TestArchives::archiveName()
{
    QFETCH(QString, document);
    QFETCH(int, kind);
    QFETCH(QDate, date);
    QFETCH(int, safeguard);
    QFETCH(QString, expected);
    QCOMPARE(archives::archiveName(document, kind, date, safeguard), expected);
}

void TestArchives::namesFollowTheClock()
{
    // Every month's abbreviation is the English one, whatever the locale the tests run under.
    const QStringList months = {QStringLiteral("Jan"),
                                QStringLiteral("Feb"),
                                QStringLiteral("Mar"),
                                QStringLiteral("Apr"),
                                QStringLiteral("May"),
                                QStringLiteral("Jun"),
                                QStringLiteral("Jul"),
                                QStringLiteral("Aug"),
                                QStringLiteral("Sep"),
                                QStringLiteral("Oct"),
                                QStringLiteral("Nov"),
                                QStringLiteral("Dec")};
    QLocale::setDefault(QLocale(QLocale::German));
    for (int m = 1; m <= 12; ++m) {
        FixedClock clock(QDateTime(QDate(2026, m, 9), QTime(23, 59)));
        Clock::setCurrent(&clock);
        QCOMPARE(archives::dateTag(Clock::current().today()), months.at(m - 1) + QStringLiteral("-09-26"));
        Clock::setCurrent(nullptr);
    }
    QLocale::setDefault(QLocale::c());
}

// Every policy of the catalogue, the plan and the longest worksheet titles archived the same day:
// no two share a name, and each is a name the data folder and the index hold as it is.
void TestArchives::everyDocumentHasItsOwnSafeName()
{
    QMap<QString, QString> seen;
    auto add = [&](const QString& document, int kind, int safeguard) {
        const QString name = archives::archiveName(document, kind, December7, safeguard);
        const QString key = name.toLower();
        QVERIFY2(!seen.contains(key), qPrintable(document + QStringLiteral(" and ") + seen.value(key)));
        seen.insert(key, document);
        QVERIFY2(cp1252::canEncode(name) && quotedlines::canHold(name), qPrintable(name));
        for (const QChar c : QStringLiteral("\\/:*?\"<>|")) {
            QVERIFY2(!name.contains(c), qPrintable(name));
        }
    };
    for (const catalogue::Entry& entry : catalogue::entries()) {
        if (!entry.isOverview()) {
            add(entry.fullName.toString(), archives::KindPolicy, entry.safeguard);
        }
    }
    add(QStringLiteral("Disaster Recovery Plan"), archives::KindPolicy, 0);
    // Worksheet titles of 17 characters made like policy names.
    add(QStringLiteral("Evaluation Policy"), archives::KindWorksheet, 0);
    add(QStringLiteral("Disposal Policy 3"), archives::KindWorksheet, 0);
    add(QStringLiteral("Risk Analysis"), archives::KindWorksheet, 0);
}

void TestArchives::policySafeguardIsTheEntryOnView()
{
    // Area 2 is the Administrative family; its 18th button is the "Disaster Recovery Plan" safeguard.
    QCOMPARE(archives::policySafeguard(archives::KindPolicy, 2, 17), 18);
    QCOMPARE(archives::policySafeguard(archives::KindPolicy, 5, 1), 44);
    // The overview entries have no policy of their own.
    QCOMPARE(archives::policySafeguard(archives::KindPolicy, 5, 0), 0);
    // The plan, a worksheet and the sample of the example area are no safeguard's policy.
    QCOMPARE(archives::policySafeguard(archives::KindPolicy, 8, 0), 0);
    QCOMPARE(archives::policySafeguard(archives::KindWorksheet, 2, 17), 0);
    QCOMPARE(archives::policySafeguard(archives::KindPolicy, 9, 14), 0);
}

void TestArchives::nameTheIndexCannotHoldWritesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("double quote") << QStringLiteral("The \"A\" wing Dec-07-26");
    QTest::newRow("outside the code page") << QStringLiteral("Łódź clinic Dec-07-26");
}

// A name that reaches the index unmade-safe is refused before the archive file is written, so no
// file is left that no index line names.
void TestArchives::nameTheIndexCannotHoldWritesNothing()
{
    QFETCH(QString, name);
    archives::ArchiveIndex index(*m_folder);
    QVERIFY(index.store(QStringLiteral("Kept Dec-01-26"), "kept"));
    const test::FolderSnapshot before(m_dir->path());
    QVERIFY(!index.store(name, "x"));
    QCOMPARE(before.changedSince(), QStringList());
    QCOMPARE(index.count(), 1);
}

void TestArchives::unlistedFileOnDiskIsTaken()
{
    QVERIFY(m_folder->write(QStringLiteral("Lost Dec-07-26.Fla"), "lost"));
    archives::ArchiveIndex index(*m_folder);
    QVERIFY(index.load());
    QVERIFY(index.isTaken(QStringLiteral(" lost DEC-07-26")));
    QVERIFY(!index.isTaken(QStringLiteral("Other Dec-07-26")));
}

void TestArchives::firstArchiveCreatesTheIndex()
{
    archives::ArchiveIndex index(*m_folder);
    QVERIFY(index.load());
    QCOMPARE(index.count(), 0);
    const QString name = archives::archiveName(QStringLiteral("Disaster Recovery Plan"), 1, December7);
    QVERIFY(index.store(name, "{\\rtf1 plan\\par}"));
    QCOMPARE(bytesOf(path(QStringLiteral("Disaster Recovery Plan Dec-07-26.Fla"))), QByteArray("{\\rtf1 plan\\par}"));
    QCOMPARE(bytesOf(path(Index)), QByteArray("\"Disaster Recovery Plan Dec-07-26.Fla\"\r\n"));

    archives::ArchiveIndex reread(*m_folder);
    QVERIFY(reread.load());
    QCOMPARE(reread.titles(), QStringList{QStringLiteral("Disaster Recovery Plan Dec-07-26")});
}

void TestArchives::sameDayArchiveReplacesAndKeepsOneLine()
{
    archives::ArchiveIndex index(*m_folder);
    QVERIFY(index.store(QStringLiteral("Access Control Dec-07-26"), "first"));
    QVERIFY(index.store(QStringLiteral("Disaster Recovery Plan Dec-07-26"), "old"));
    QCOMPARE(index.find(QStringLiteral(" disaster recovery plan DEC-07-26 ")), 1);
    QVERIFY(index.store(QStringLiteral("disaster recovery plan dec-07-26"), "new"));
    QCOMPARE(index.count(), 2);
    // The archive keeps the spelling it was first created under.
    QCOMPARE(bytesOf(path(QStringLiteral("Disaster Recovery Plan Dec-07-26.Fla"))), QByteArray("new"));
    QCOMPARE(bytesOf(path(Index)),
             QByteArray("\"Access Control Dec-07-26.Fla\"\r\n\"Disaster Recovery Plan Dec-07-26.Fla\"\r\n"));
    QVERIFY(index.store(QStringLiteral("Disaster Recovery Plan Dec-08-26"), "next day"));
    QCOMPARE(index.count(), 3);
}

void TestArchives::failedReplaceKeepsTheOldArchive()
{
    archives::ArchiveIndex index(*m_folder);
    QVERIFY(index.store(QStringLiteral("Plan Dec-07-26"), "old"));
    const QByteArray indexBefore = bytesOf(path(Index));
    WriteFaults::inject(QStringLiteral("Plan Dec-07-26.Fla"), 1, 1);
    QVERIFY(!index.store(QStringLiteral("Plan Dec-07-26"), "new"));
    QCOMPARE(bytesOf(path(QStringLiteral("Plan Dec-07-26.Fla"))), QByteArray("old"));

    WriteFaults::inject(Index, 1, 3);
    QVERIFY(!index.store(QStringLiteral("Other Dec-07-26"), "x"));
    QCOMPARE(bytesOf(path(Index)), indexBefore);
    QCOMPARE(index.count(), 1);
}

void TestArchives::unsafeNameIsRefused()
{
    archives::ArchiveIndex index(*m_folder);
    QVERIFY(!index.store(QStringLiteral("../Plan Dec-07-26"), "x"));
    QVERIFY(!index.store(QStringLiteral("ArchiveHold"), "x"));
    QCOMPARE(index.count(), 0);
    QVERIFY(!QFile::exists(path(Index)));
}

void TestArchives::deletingTheLastArchiveRemovesTheIndex()
{
    archives::ArchiveIndex index(*m_folder);
    QVERIFY(index.store(QStringLiteral("A Dec-07-26"), "a"));
    QVERIFY(index.store(QStringLiteral("B Dec-07-26"), "b"));
    QVERIFY(index.removeAt(0));
    QVERIFY(!QFile::exists(path(QStringLiteral("A Dec-07-26.Fla"))));
    QCOMPARE(bytesOf(path(Index)), QByteArray("\"B Dec-07-26.Fla\"\r\n"));
    QVERIFY(index.removeAt(0));
    QVERIFY(!QFile::exists(path(QStringLiteral("B Dec-07-26.Fla"))));
    QVERIFY(!QFile::exists(path(Index)));
    QVERIFY(!index.removeAt(0));
}

void TestArchives::missingArchiveFileIsDroppedFromTheIndex()
{
    QFile file(path(Index));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\"Gone Dec-01-26.Fla\"\r\n\"Kept Dec-02-26.Fla\"\r\n");
    file.close();
    archives::ArchiveIndex index(*m_folder);
    QVERIFY(index.load());
    QCOMPARE(index.titles(), (QStringList{QStringLiteral("Gone Dec-01-26"), QStringLiteral("Kept Dec-02-26")}));
    QVERIFY(index.removeAt(0));
    QCOMPARE(bytesOf(path(Index)), QByteArray("\"Kept Dec-02-26.Fla\"\r\n"));
}

QTEST_GUILESS_MAIN(TestArchives)
#include "test_archives.moc"
