#include "core/documents/archives.h"
#include "core/storage/clock.h"

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
    QTest::addColumn<QString>("expected");

    QTest::newRow("plan") << QStringLiteral("Disaster Recovery Plan") << 1 << December7
                          << QStringLiteral("Disaster Recovery Plan Dec-07-26");
    QTest::newRow("risk analysis policy")
        << QStringLiteral("Risk Analysis") << 1 << December7 << QStringLiteral("Risk Analysis Policy Dec-07-26");
    QTest::newRow("risk analysis policy, blanks around")
        << QStringLiteral("  Risk Analysis ") << 1 << December7 << QStringLiteral("Risk Analysis Policy Dec-07-26");
    QTest::newRow("worksheet titled risk analysis")
        << QStringLiteral("Risk Analysis") << 2 << December7 << QStringLiteral("Risk Analysis Dec-07-26");
    QTest::newRow("other letter case is no exception")
        << QStringLiteral("risk analysis") << 1 << December7 << QStringLiteral("risk analysis Dec-07-26");
    QTest::newRow("cut to 28") << QStringLiteral("Information System Activity Review Policy") << 1 << December7
                               << QStringLiteral("Information System Activity Dec-07-26");
    QTest::newRow("exactly 28") << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ12") << 2 << December7
                                << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ12 Dec-07-26");
    QTest::newRow("cut then trimmed") << QStringLiteral("Security Awareness Training  Plan") << 1 << QDate(2027, 1, 31)
                                      << QStringLiteral("Security Awareness Training Jan-31-27");
    QTest::newRow("year 2000") << QStringLiteral("Plan") << 1 << QDate(2000, 5, 3) << QStringLiteral("Plan May-03-00");
}

void TestArchives::archiveName()
{
    QFETCH(QString, document);
    QFETCH(int, kind);
    QFETCH(QDate, date);
    QFETCH(QString, expected);
    QCOMPARE(archives::archiveName(document, kind, date), expected);
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
