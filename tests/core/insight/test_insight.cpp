#include "core/catalogue/statusstore.h"
#include "core/catalogue/statusvocabulary.h"
#include "core/documents/archives.h"
#include "core/documents/incidents.h"
#include "core/insight/progress.h"
#include "core/insight/progresspage.h"
#include "core/insight/searchindex.h"
#include "core/reports/pageengine.h"
#include "core/reports/statusreport.h"
#include "core/rtf/richtextfile.h"
#include "core/rtf/rtfwriter.h"
#include "core/storage/fixedrecordfile.h"
#include "foldersnapshot.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace qv;
using namespace qv::insight;
using namespace Qt::StringLiterals;

namespace {

    QByteArray rtfOf(const QString& text)
    {
        QTextDocument doc;
        doc.setPlainText(text);
        return rtf::write(doc);
    }

    QString pageText(const PageDocument& doc, int page)
    {
        QStringList all;
        for (const PlacedText& s : doc.strings(page)) {
            all.append(s.text);
        }
        return all.join(u'\n');
    }

    BucketColours colours()
    {
        return {QColor(Qt::green), QColor(Qt::yellow), QColor(Qt::red), QColor(Qt::gray), QColor(Qt::lightGray)};
    }

} // namespace

class TestInsight : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void bucketOfEveryStatus_data();
    void bucketOfEveryStatus();
    void countsOverEveryStatus();
    void progressPageShowsEveryCount();
    void statusReportLeadsWithTheSummary();
    void findsAHitInEveryKindOfDocument();
    void matchesWholeWordsAndPhrasesIgnoringCase();
    void followsSavedRemovedAndRenamedDocuments();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ProgramFolder> m_folder;
};

void TestInsight::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = std::make_unique<ProgramFolder>(m_dir->path(), m_dir->path());
}

void TestInsight::bucketOfEveryStatus_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("bucket");
    const auto row = [](const char* name, const QString& s, Bucket b) {
        QTest::newRow(name) << s << static_cast<int>(b);
    };
    row("Completed", u"Completed"_s, Bucket::Completed);
    row("Working", u"Working"_s, Bucket::InProgress);
    row("Review", u"Review"_s, Bucket::InProgress);
    row("Pending", u"Pending"_s, Bucket::InProgress);
    row("Not Implemented", u"Not Implemented"_s, Bucket::NotImplemented);
    row("Yes", u"Yes"_s, Bucket::Completed);
    row("Partial", u"Partial"_s, Bucket::InProgress);
    row("Planned", u"Planned"_s, Bucket::InProgress);
    row("No", u"No"_s, Bucket::NotImplemented);
    row("Not Applicable", u"Not Applicable"_s, Bucket::NotApplicable);
    row("padded and lower case", u"  completed "_s, Bucket::Completed);
    row("upper case", u"NOT IMPLEMENTED"_s, Bucket::NotImplemented);
    row("the blank item", u" "_s, Bucket::Undecided);
    row("never written", QString(), Bucket::Undecided);
    row("unknown word", u"Done-ish"_s, Bucket::Undecided);
    row("a word inside another", u"Not"_s, Bucket::Undecided);
}

void TestInsight::bucketOfEveryStatus()
{
    QFETCH(QString, status);
    QFETCH(int, bucket);
    QCOMPARE(static_cast<int>(bucketOf(status)), bucket);
}

void TestInsight::countsOverEveryStatus()
{
    // Every word of both boxes, the blank and text no box offers, spread over all 68 records as a
    // user would have picked them, then read back from the file as the Action Area loads it.
    const QStringList safeguardWords{u" "_s,
                                     u"Pending"_s,
                                     u"Working"_s,
                                     u"Completed"_s,
                                     u"Review"_s,
                                     u"Not Implemented"_s,
                                     u"not applicable"_s,
                                     u"Gone fishing"_s};
    const QStringList worksheetWords{u" "_s, u"Yes"_s, u"No"_s, u"Partial"_s, u"Planned"_s};
    {
        StatusStore writer(*m_folder);
        QVERIFY(writer.loadAll());
        for (int s = 1; s <= catalogue::EntryCount; ++s) {
            QVERIFY(writer.write(s, safeguardWords.at((s - 1) % safeguardWords.size())));
        }
        for (int n = 0; n < statuses::WorksheetCount; ++n) {
            QVERIFY(writer.write(statuses::FirstWorksheetRecord + n, worksheetWords.at(n % worksheetWords.size())));
        }
    }
    StatusStore store(*m_folder);
    QVERIFY(store.loadAll());

    // What each record should count as, worked out independently of the table in the code.
    Tally expectedTotal;
    std::array<Tally, catalogue::FamilyCount> expectedFamily;
    QList<int> expectedOpen;
    const Bucket safeguardBuckets[] = {Bucket::Undecided,
                                       Bucket::InProgress,
                                       Bucket::InProgress,
                                       Bucket::Completed,
                                       Bucket::InProgress,
                                       Bucket::NotImplemented,
                                       Bucket::NotApplicable,
                                       Bucket::Undecided};
    for (const catalogue::Entry& entry : catalogue::entries()) {
        const Bucket b = safeguardBuckets[(entry.safeguard - 1) % 8];
        expectedTotal.add(b);
        expectedFamily[static_cast<size_t>(entry.family)].add(b);
        if (entry.requirement == catalogue::Requirement::Required && b != Bucket::Completed) {
            expectedOpen.append(entry.safeguard);
        }
    }

    const Progress all = countProgress(store.table(), {});
    QCOMPARE(all.total.counts, expectedTotal.counts);
    QCOMPARE(all.total.total(), 47);
    QCOMPARE(all.families.size(), 5);
    QCOMPARE(all.families.at(0).tally.total(), 23);
    QCOMPARE(all.families.at(3).tally.total(), 3);
    QCOMPARE(all.families.at(4).tally.total(), 2);
    for (int f = 0; f < 5; ++f) {
        QCOMPARE(all.families.at(f).tally.counts, expectedFamily[static_cast<size_t>(f)].counts);
    }
    QList<int> open;
    for (const OpenRequirement& r : all.openRequired) {
        open.append(r.safeguard);
        QVERIFY(r.bucket != Bucket::Completed);
    }
    QCOMPARE(open, expectedOpen);
    QCOMPARE(all.openRequired.first().name, u"Risk Analysis"_s);

    // Worksheets 0–20 carry " ", Yes, No, Partial, Planned in turn: 5 blanks, 4 of each other.
    QCOMPARE(all.worksheetsInUse, 21);
    QCOMPARE(all.worksheets[Bucket::Undecided], 5);
    QCOMPARE(all.worksheets[Bucket::Completed], 4);
    QCOMPARE(all.worksheets[Bucket::NotImplemented], 4);
    QCOMPARE(all.worksheets[Bucket::InProgress], 8);

    // A worksheet not in use shows no status, so it is not counted.
    const Progress some = countProgress(store.table(), [](int n) { return n == 1 || n == 2; });
    QCOMPARE(some.worksheetsInUse, 2);
    QCOMPARE(some.worksheets[Bucket::Completed], 1);
    QCOMPARE(some.worksheets[Bucket::NotImplemented], 1);
    QCOMPARE(some.worksheets.total(), 2);
}

void TestInsight::progressPageShowsEveryCount()
{
    StatusTable table;
    QVERIFY(table.setEntry(1, u"Completed"_s));
    QVERIFY(table.setEntry(2, u"Working"_s));
    QVERIFY(table.setEntry(24, u"Not Implemented"_s));
    QVERIFY(table.setEntry(48, u"Yes"_s));
    const Progress progress = countProgress(table, [](int n) { return n == 0; });

    PageEngine engine;
    engine.startDoc();
    const double bottom = composeProgressPage(engine, progress, colours());
    engine.endDoc();
    QCOMPARE(engine.pageCount(), 1);
    QVERIFY(bottom < engine.pageHeight());
    const QString text = pageText(engine.document(), 0);
    QVERIFY(text.contains(u"Compliance Progress Summary"_s));
    QVERIFY2(text.contains(u"1 of 47 safeguards Completed (2%)"_s), qPrintable(text));
    QVERIFY(text.contains(u"Administrative Safeguards (23)"_s));
    QVERIFY(
        text.contains(u"1 Completed,  1 In Progress,  0 Not Implemented,  0 Not Applicable,  21 Not yet decided"_s));
    QVERIFY(text.contains(u"Physical Safeguards (10)"_s));
    QVERIFY(text.contains(u"Risk Analysis Worksheets in use (1 of 21)"_s));
    // Risk Analysis is done; Risk Management (Working) is still open.
    QVERIFY(!text.contains(u"1. Risk Analysis -"_s));
    QVERIFY(text.contains(u"2. Risk Management - In Progress"_s));

    // The administrative bar: green 1/23, yellow 1/23, light grey 21/23 of the same width.
    const QList<RectOp> rects = engine.document().rects(0);
    QList<RectOp> adminBar;
    for (const RectOp& r : rects) {
        if (r.rect.height() == 320 && (adminBar.isEmpty() || qFuzzyCompare(r.rect.top(), adminBar.first().rect.top())))
            adminBar.append(r);
    }
    QCOMPARE(adminBar.size(), 3);
    QCOMPARE(adminBar.at(0).color, QColor(Qt::green));
    QCOMPARE(adminBar.at(2).color, QColor(Qt::lightGray));
    QVERIFY(qAbs(adminBar.at(2).rect.width() - 21 * adminBar.at(0).rect.width()) < 1);
}

void TestInsight::statusReportLeadsWithTheSummary()
{
    StatusTable table;
    QVERIFY(table.setEntry(1, u"Completed"_s));
    const Progress progress = countProgress(table, {});
    const LeadingPage summary = [&progress](PageEngine& e) { return composeProgressPage(e, progress, colours()); };
    const StatusLookup status = [&table](int s) { return table.entry(s).valueOr(QString()); };
    StatusReportChoice all;
    all.all = true;
    const QDate today(2026, 12, 9);

    PageEngine plain;
    composeStatusReport(plain, all, status, Qt::black, today);
    PageEngine led;
    composeStatusReport(led, all, status, Qt::black, today, summary);
    // The report itself is unchanged, one page further on.
    QCOMPARE(led.pageCount(), plain.pageCount() + 1);
    QVERIFY(pageText(led.document(), 0).contains(u"Compliance Progress Summary"_s));
    QVERIFY(!pageText(led.document(), 0).contains(u"HIPAA Security Standards"_s));
    for (int p = 0; p < plain.pageCount(); ++p) {
        QCOMPARE(pageText(led.document(), p + 1), pageText(plain.document(), p));
    }

    // The summary alone still prints, with the date below it.
    PageEngine alone;
    composeStatusReport(alone, StatusReportChoice{}, status, Qt::black, today, summary);
    QCOMPARE(alone.pageCount(), 1);
    QVERIFY(pageText(alone.document(), 0).contains(u"Printed:  December 9, 2026"_s));
    PageEngine nothing;
    composeStatusReport(nothing, StatusReportChoice{}, status, Qt::black, today);
    QCOMPARE(nothing.pageCount(), 0);
}

void TestInsight::findsAHitInEveryKindOfDocument()
{
    const QString body = u"Before the storm we tested the Flood Plan twice.\nNothing else."_s;
    QVERIFY(m_folder->write(u"Action0.Fil"_s, rtfOf(body)));
    QVERIFY(m_folder->write(u"Comment14.Fil"_s, rtfOf(u"Comment: "_s + body)));
    QVERIFY(m_folder->write(u"Policy46.Fil"_s, rtfOf(u"Policy.\n"_s + body)));
    QVERIFY(m_folder->write(u"Wksht3.Fil"_s, rtfOf(body)));
    FixedRecords titles(20);
    QVERIFY(titles.setString(4, u"Basement risks"_s));
    QVERIFY(m_folder->write(u"RAList.Fil"_s, titles.bytes()));
    QVERIFY(m_folder->write(u"DRPln1.Fil"_s, rtfOf(body)));
    incidents::ReportIndex reports(*m_folder);
    QVERIFY(reports.store(u"Water in server room"_s, rtfOf(body)));
    archives::ArchiveIndex archived(*m_folder);
    QVERIFY(archived.store(u"Disaster Recovery Plan Dec-01-26"_s, rtfOf(body)));
    // Not the user's writing: a file the program never wrote.
    QVERIFY(m_folder->write(u"Notes.txt"_s, "flood plan"));

    const test::FolderSnapshot before(m_dir->path());
    SearchIndex index(*m_folder);
    const SearchIndex::Found found = index.find(u"flood plan"_s);
    QCOMPARE(before.changedSince(), QStringList()); // searching writes nothing, not even RAList.Fil
    QCOMPARE(found.total, 7);
    QCOMPARE(found.documents, 7);
    QStringList names;
    for (const Hit& hit : found.hits) {
        names.append(describe(hit.document));
    }
    QCOMPARE(names,
             QStringList({u"Risk Analysis - Action Taken"_s,
                          u"Password Management - Comments/Notes"_s,
                          u"Documentation - Policies & Procedures/Plan"_s,
                          u"Risk Analysis Worksheet: Basement risks"_s,
                          u"Disaster Recovery Plan"_s,
                          u"Incident Report: Water in server room"_s,
                          u"Archive: Disaster Recovery Plan Dec-01-26"_s}));
}

void TestInsight::matchesWholeWordsAndPhrasesIgnoringCase()
{
    QVERIFY(
        m_folder->write(u"Action0.Fil"_s,
                        rtfOf(u"Floods flooded the FLOOD plan.\nOur flood\nplan held; the user's flood-plan too."_s)));
    SearchIndex index(*m_folder);

    const SearchIndex::Found word = index.find(u"flood"_s);
    QCOMPARE(word.total, 3); // not "Floods" nor "flooded"
    const SearchIndex::Found phrase = index.find(u"Flood Plan"_s);
    QCOMPARE(phrase.total, 2); // "FLOOD plan" and "flood-plan"; not across the line break
    const Hit& first = phrase.hits.first();
    QCOMPARE(first.position, 19);
    QCOMPARE(first.length, 10);
    QCOMPARE(first.line, u"Floods flooded the FLOOD plan."_s);
    QCOMPARE(first.line.mid(first.lineHitStart, first.lineHitLength), u"FLOOD plan"_s);
    QCOMPARE(index.find(u"user's"_s).total, 1);
    QCOMPARE(index.find(u"user"_s).total, 0);
    QCOMPARE(index.find(u"  ...  "_s).total, 0);
    QCOMPARE(index.find(u"flood levee"_s).total, 0);
}

void TestInsight::followsSavedRemovedAndRenamedDocuments()
{
    QVERIFY(m_folder->write(u"Action0.Fil"_s, rtfOf(u"old words"_s)));
    QVERIFY(m_folder->write(u"Wksht0.Fil"_s, rtfOf(u"sandbags"_s)));
    SearchIndex index(*m_folder);
    QCOMPARE(index.find(u"old"_s).total, 1);
    QCOMPARE(index.refresh(), 0); // nothing changed, nothing read again

    QVERIFY(m_folder->write(u"Action0.Fil"_s, rtfOf(u"new words, more of them"_s)));
    QCOMPARE(index.find(u"old"_s).total, 0);
    QCOMPARE(index.find(u"new words"_s).total, 1);

    FixedRecords titles(20);
    QVERIFY(titles.setString(1, u"Sandbag stock"_s));
    QVERIFY(m_folder->write(u"RAList.Fil"_s, titles.bytes()));
    const SearchIndex::Found renamed = index.find(u"sandbags"_s);
    QCOMPARE(renamed.total, 1);
    QCOMPARE(describe(renamed.hits.first().document), u"Risk Analysis Worksheet: Sandbag stock"_s);

    QVERIFY(m_folder->remove(u"Wksht0.Fil"_s));
    QCOMPARE(index.find(u"sandbags"_s).total, 0);
    QCOMPARE(index.documentCount(), 1);
}

QTEST_MAIN(TestInsight)
#include "test_insight.moc"
