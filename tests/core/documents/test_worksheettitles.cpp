#include "core/documents/worksheettitles.h"
#include "core/rtf/richtextfile.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <memory>

using namespace qv;

namespace {

    QByteArray titleRecord(const QByteArray& title)
    {
        QByteArray record(worksheets::TitleRecordLength, '\0');
        record[0] = static_cast<char>(title.size());
        record.replace(2, title.size(), title);
        return record;
    }

} // namespace

class TestWorksheetTitles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void names_data();
    void names();
    void missingFileGivesDefaultsAndIsCreated();
    void storedTitlesReplaceDefaults();
    void titleOfSeventeenCharactersFillsItsRecord();
    void emptyEntriesKeepStoredTitles();
    void refusedBatchLeavesFileAsItWas_data();
    void refusedBatchLeavesFileAsItWas();
    void filled_data();
    void filled();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ProgramFolder> m_folder;
};

void TestWorksheetTitles::init()
{
    WriteFaults::clear();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = std::make_unique<ProgramFolder>(m_dir->filePath(QStringLiteral("data")),
                                               m_dir->filePath(QStringLiteral("content")));
}

void TestWorksheetTitles::names_data()
{
    QTest::addColumn<int>("worksheet");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("file");
    QTest::newRow("first") << 0 << "Risk Analysis # 1"
                           << "Wksht0.Fil";
    QTest::newRow("last single digit") << 8 << "Risk Analysis # 9"
                                       << "Wksht8.Fil";
    QTest::newRow("first two digits") << 9 << "Risk Analysis #10"
                                      << "Wksht9.Fil";
    QTest::newRow("file number two digits") << 10 << "Risk Analysis #11"
                                            << "Wksht10.Fil";
    QTest::newRow("last") << 20 << "Risk Analysis #21"
                          << "Wksht20.Fil";
}

void TestWorksheetTitles::names()
{
    QFETCH(int, worksheet);
    QFETCH(QString, title);
    QFETCH(QString, file);
    QCOMPARE(worksheets::defaultTitle(worksheet), title);
    QCOMPARE(worksheets::fileName(worksheet), file);
    QCOMPARE_LE(title.size(), worksheets::MaxTitleLength);
}

void TestWorksheetTitles::missingFileGivesDefaultsAndIsCreated()
{
    const Result<QStringList> titles = worksheets::WorksheetTitles(*m_folder).load();
    QVERIFY2(titles, qPrintable(titles.error()));
    QCOMPARE(titles.value().size(), worksheets::Count);
    for (int n = 0; n < worksheets::Count; ++n) {
        QCOMPARE(titles.value()[n], worksheets::defaultTitle(n));
    }
    QCOMPARE(m_folder->size(QStringLiteral("RAList.Fil")), 0);
}

void TestWorksheetTitles::storedTitlesReplaceDefaults()
{
    // Worksheet 1 stored; worksheet 2's record has length 0 (never written); the file ends after it.
    QByteArray bytes = titleRecord("Payroll") + QByteArray(20, '\0') + titleRecord("Server room");
    QVERIFY(m_folder->write(QStringLiteral("RAList.Fil"), bytes));
    const Result<QStringList> titles = worksheets::WorksheetTitles(*m_folder).load();
    QVERIFY2(titles, qPrintable(titles.error()));
    QCOMPARE(titles.value()[0], QStringLiteral("Payroll"));
    QCOMPARE(titles.value()[1], QStringLiteral("Risk Analysis # 2"));
    QCOMPARE(titles.value()[2], QStringLiteral("Server room"));
    QCOMPARE(titles.value()[3], QStringLiteral("Risk Analysis # 4"));
    QCOMPARE(titles.value()[20], QStringLiteral("Risk Analysis #21"));
}

void TestWorksheetTitles::titleOfSeventeenCharactersFillsItsRecord()
{
    QStringList entries(worksheets::Count);
    entries[20] = QStringLiteral("Laptops & tablets");
    QCOMPARE(entries[20].size(), 17);
    const Status stored = worksheets::WorksheetTitles(*m_folder).store(entries);
    QVERIFY2(stored, qPrintable(stored.error()));

    const QByteArray bytes = m_folder->read(QStringLiteral("RAList.Fil")).valueOr({});
    QCOMPARE(bytes.size(), 21 * 20);
    QCOMPARE(bytes.mid(400), titleRecord("Laptops & tablets"));
    QCOMPARE(bytes.left(400), QByteArray(400, '\0'));
    QCOMPARE(worksheets::WorksheetTitles(*m_folder).load().value()[20], entries[20]);
}

void TestWorksheetTitles::emptyEntriesKeepStoredTitles()
{
    const worksheets::WorksheetTitles titles(*m_folder);
    QStringList first(worksheets::Count);
    first[0] = QStringLiteral("Front desk");
    first[5] = QStringLiteral("Backups");
    QVERIFY(titles.store(first));

    QStringList second(worksheets::Count);
    second[5] = QStringLiteral("Offsite backups");
    QVERIFY(titles.store(second));

    const QStringList now = titles.load().value();
    QCOMPARE(now[0], QStringLiteral("Front desk"));
    QCOMPARE(now[5], QStringLiteral("Offsite backups"));
    QCOMPARE(now[1], QStringLiteral("Risk Analysis # 2"));
}

void TestWorksheetTitles::refusedBatchLeavesFileAsItWas_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("failingDisk");
    QTest::newRow("eighteen characters") << "Laptops and phones" << false;
    QTest::newRow("disk fails") << "Phones" << true;
    // The file would hold "?ód? clinic", a title the user never typed.
    QTest::newRow("outside the code page") << QStringLiteral("Łódź clinic") << false;
}

void TestWorksheetTitles::refusedBatchLeavesFileAsItWas()
{
    QFETCH(QString, title);
    QFETCH(bool, failingDisk);
    const worksheets::WorksheetTitles titles(*m_folder);
    QStringList first(worksheets::Count);
    first[2] = QStringLiteral("Email");
    QVERIFY(titles.store(first));
    const QByteArray before = m_folder->read(QStringLiteral("RAList.Fil")).valueOr({});

    // The good entry beside the refused one is not written either: the batch is one write.
    QStringList batch(worksheets::Count);
    batch[1] = QStringLiteral("Fax");
    batch[2] = title;
    if (failingDisk) {
        WriteFaults::inject(QStringLiteral("RAList.Fil"));
    }
    const Status stored = titles.store(batch);
    WriteFaults::clear();
    QVERIFY(!stored);
    QVERIFY(!stored.error().isEmpty());
    QCOMPARE(m_folder->read(QStringLiteral("RAList.Fil")).valueOr({}), before);
}

void TestWorksheetTitles::filled_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("filled");
    QTest::newRow("missing") << false << QString() << false;
    QTest::newRow("empty document") << true << QString() << false;
    QTest::newRow("blanks and breaks only") << true << "   \n \t \n" << false;
    QTest::newRow("one word") << true << "Flood" << true;
    QTest::newRow("word after blank lines") << true << "\n\n  Theft" << true;
}

void TestWorksheetTitles::filled()
{
    QFETCH(bool, present);
    QFETCH(QString, text);
    QFETCH(bool, filled);
    if (present) {
        QTextDocument doc;
        doc.setPlainText(text);
        QVERIFY(saveRichText(*m_folder, QStringLiteral("Wksht7.Fil"), doc));
    }
    QCOMPARE(worksheets::isFilled(*m_folder, 7), filled);
    QVERIFY(!worksheets::isFilled(*m_folder, 8));
}

QTEST_MAIN(TestWorksheetTitles)
#include "test_worksheettitles.moc"
