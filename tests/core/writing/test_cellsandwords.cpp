// The cell-by-cell check the timeline's items go through, the user's own words, and the word scan the
// live marks share with the check.
#include "wordlist.h"

#include "core/storage/programfolder.h"
#include "core/writing/cellcheck.h"
#include "core/writing/propagation.h"
#include "core/writing/spellchecker.h"
#include "core/writing/userwords.h"
#include "core/writing/wordscan.h"
#include "foldersnapshot.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;
using namespace qv::writing;
using qv::test::WordList;
using namespace Qt::StringLiterals;

namespace {

    const QStringList Known = {u"receive"_s,
                               u"the"_s,
                               u"tapes"_s,
                               u"keys"_s,
                               u"new"_s,
                               u"badges"_s,
                               u"and"_s,
                               u"a"_s,
                               u"lot"_s,
                               u"test"_s,
                               u"plan"_s,
                               u"backup"_s,
                               u"of"_s,
                               u"all"_s,
                               u"server"_s,
                               u"rooms"_s,
                               u"in"_s,
                               u"east"_s};

    using K = SpellDecision::Kind;

    struct Corrections
    {
        QList<qsizetype> cells;
        QStringList befores;
        QStringList afters;
        CellCheck::Corrected recorder()
        {
            return [this](qsizetype cell, const QString& before, const QString& after) {
                cells.append(cell);
                befores.append(before);
                afters.append(after);
            };
        }
    };

} // namespace

class TestCellsAndWords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void correctedCellIsCutAndBlankCellsStay();
    void cancelEndsTheRowsAndKeepsWhatWasChanged();

    void ownWordsAreKnownInTheirLetterCases();
    void ownWordsAreWrittenOneALineAndReadBack();
    void failedWriteKeepsTheOldListAndTheWord();
    void unreadableListIsNeverOverwritten();

    void wordScanFindsUnknownWordsAndTheWordAtAPosition();
};

void TestCellsAndWords::correctedCellIsCutAndBlankCellsStay()
{
    SpellChecker checker(std::make_shared<WordList>(Known));
    // 45 characters as typed; "alot" grows by one when corrected, "zzq" is answered longer still.
    const QString typed = u"backup test of all server rooms in east alot"_s;
    QCOMPARE(typed.size(), 44);
    QStringList cells = {u"   "_s, typed, u"zzq plan"_s, QString()};
    Corrections seen;
    const CellCheckOutcome outcome = CellCheck::run(
        checker,
        cells,
        [](qsizetype, const Misspelling&) {
            return SpellDecision{K::Change, u"the backup test plan of all server rooms in east"_s};
        },
        seen.recorder());
    QVERIFY(outcome.changed);
    QCOMPARE(cells[0], u"   "_s);
    QCOMPARE(cells[1], u"backup test of all server rooms in east a lot"_s);
    QCOMPARE(cells[1].size(), MaxCellLength);
    QCOMPARE(cells[2], u"the backup test plan of all server rooms in e"_s);
    QCOMPARE(cells[2].size(), MaxCellLength);
    QCOMPARE(seen.cells, (QList<qsizetype>{1, 2}));
    QCOMPARE(seen.afters, (QStringList{cells[1], cells[2]}));
}

void TestCellsAndWords::cancelEndsTheRowsAndKeepsWhatWasChanged()
{
    SpellChecker checker(std::make_shared<WordList>(Known));
    QStringList cells = {u"teh zzq plan"_s, u"alot of qqx and teh"_s, u"teh tapes"_s};
    int questions = 0;
    Corrections seen;
    const CellCheckOutcome outcome = CellCheck::run(
        checker,
        cells,
        [&](qsizetype, const Misspelling&) {
            return ++questions == 1 ? SpellDecision{K::Change, u"test"_s} : SpellDecision{K::Cancel, {}};
        },
        seen.recorder());
    QVERIFY(outcome.cancelled);
    QVERIFY(outcome.changed);
    QCOMPARE(questions, 2);
    QCOMPARE(cells[0], u"the test plan"_s);
    // Cancelled at "qqx": what the list corrected before it stays, the rest of the cell is not reached.
    QCOMPARE(cells[1], u"a lot of qqx and teh"_s);
    // Nothing after the cancel is touched.
    QCOMPARE(cells[2], u"teh tapes"_s);
    QCOMPARE(seen.cells, (QList<qsizetype>{0, 1}));
}

void TestCellsAndWords::ownWordsAreKnownInTheirLetterCases()
{
    QTemporaryDir root;
    const ProgramFolder folder(root.filePath(u"data"_s), root.filePath(u"content"_s));
    UserDictionary words(std::make_shared<WordList>(Known), folder);
    QVERIFY(words.load().ok());
    QVERIFY(!words.isKnown(u"quorvane"_s));
    QVERIFY(words.add(u"quorvane"_s).ok());
    QVERIFY(words.add(u"McKesson"_s).ok());
    QVERIFY(words.add(u"two words"_s).ok());
    QVERIFY(words.add(u"  "_s).ok());
    QCOMPARE(words.words(), (QStringList{u"quorvane"_s, u"McKesson"_s}));

    QVERIFY(words.isKnown(u"quorvane"_s));
    QVERIFY(words.isKnown(u"Quorvane"_s));
    QVERIFY(words.isKnown(u"QUORVANE"_s));
    QVERIFY(!words.isKnown(u"quorVane"_s));
    QVERIFY(words.isKnown(u"McKesson"_s));
    QVERIFY(words.isKnown(u"MCKESSON"_s));
    QVERIFY(!words.isKnown(u"mckesson"_s));
    QVERIFY(!words.isKnown(u"Mckesson"_s));
    // The dictionary's own words still count, and its suggestions are given.
    QVERIFY(words.isKnown(u"Tapes"_s));
    QCOMPARE(words.suggestions(u"tpaes"_s), QStringList{u"tpaes?"_s});

    // A check accepts the user's words.
    SpellChecker checker(std::make_shared<UserDictionary>(words));
    QString text = u"Quorvane keeps the tapes"_s;
    QStringList asked;
    checker.checkText(text, [&](const Misspelling& m) {
        asked.append(m.word);
        return SpellDecision{K::Ignore, {}};
    });
    QCOMPARE(asked, QStringList{u"keeps"_s});
}

void TestCellsAndWords::ownWordsAreWrittenOneALineAndReadBack()
{
    QTemporaryDir root;
    const ProgramFolder folder(root.filePath(u"data"_s), root.filePath(u"content"_s));
    QVERIFY(folder.write(u"Stat1.Fil"_s, QByteArray(68 * 20, '\0')).ok());
    QVERIFY(folder.write(u"TODONAME.FIL"_s, "\"Backup plan\"\r\n").ok());
    const test::FolderSnapshot before = test::FolderSnapshot::aroundDataFolder(folder.dataDir());

    UserDictionary words(std::make_shared<WordList>(Known), folder);
    QVERIFY(words.load().ok());
    QVERIFY(words.add(u"quorvane"_s).ok());
    QVERIFY(words.add(u"Zürich"_s).ok());
    QVERIFY(words.add(u"quorvane"_s).ok());
    QCOMPARE(folder.read(u"UserWords.dic"_s).value(), u"quorvane\nZürich\n"_s.toUtf8());
    QVERIFY2(before.unexpectedChanges({u"UserWords.dic"_s}).isEmpty(),
             qPrintable(before.unexpectedChanges({u"UserWords.dic"_s})));

    // Read back, also when written elsewhere with CR LF and blank lines.
    QVERIFY(folder.write(u"USERWORDS.DIC"_s, "quorvane\r\n\r\n  Zürich \r\nquorvane\r\n").ok());
    UserDictionary again(std::make_shared<WordList>(Known), folder);
    QVERIFY(again.load().ok());
    QCOMPARE(again.words(), (QStringList{u"quorvane"_s, u"Zürich"_s}));
    QVERIFY(again.isKnown(u"Zürich"_s));
}

void TestCellsAndWords::failedWriteKeepsTheOldListAndTheWord()
{
    QTemporaryDir root;
    const ProgramFolder folder(root.filePath(u"data"_s), root.filePath(u"content"_s));
    QVERIFY(folder.write(u"UserWords.dic"_s, "quorvane\n").ok());
    QVERIFY(folder.write(u"Policy3.Fil"_s, "{\\rtf1 keep}").ok());
    const test::FolderSnapshot before = test::FolderSnapshot::aroundDataFolder(folder.dataDir());
    UserDictionary words(std::make_shared<WordList>(Known), folder);
    QVERIFY(words.load().ok());

    WriteFaults::inject(u"UserWords.dic"_s, 1, 3);
    const Status added = words.add(u"hipaa"_s);
    WriteFaults::clear();
    QVERIFY(!added);
    QVERIFY2(added.error().contains(u"UserWords.dic"_s), qPrintable(added.error()));
    QVERIFY(!words.isKnown(u"hipaa"_s));
    QCOMPARE(words.words(), QStringList{u"quorvane"_s});
    QVERIFY2(before.changedSince().isEmpty(), qPrintable(before.changedSince().join(u", "_s)));

    // The next try writes both.
    QVERIFY(words.add(u"hipaa"_s).ok());
    QCOMPARE(folder.read(u"UserWords.dic"_s).value(), QByteArray("quorvane\nhipaa\n"));
}

void TestCellsAndWords::unreadableListIsNeverOverwritten()
{
    QTemporaryDir root;
    const ProgramFolder folder(root.filePath(u"data"_s), root.filePath(u"content"_s));
    // A folder where the list should be: there, but no file to read.
    QVERIFY(QDir().mkpath(folder.dataDir() + u"/UserWords.dic/inside"_s));
    const test::FolderSnapshot before = test::FolderSnapshot::aroundDataFolder(folder.dataDir());
    UserDictionary words(std::make_shared<WordList>(Known), folder);
    QVERIFY(!words.load().ok());
    const Status added = words.add(u"hipaa"_s);
    QVERIFY(!added);
    QVERIFY2(added.error().contains(u"no word in it is lost"_s), qPrintable(added.error()));
    QVERIFY2(before.changedSince().isEmpty(), qPrintable(before.changedSince().join(u", "_s)));
}

void TestCellsAndWords::wordScanFindsUnknownWordsAndTheWordAtAPosition()
{
    const WordList known(Known);
    const QString text = u"The tpaes, user's 2FA and don\u2019t zzq_1 plan"_s;
    QList<QString> unknown;
    for (const WordSpan& span : unknownWords(text, known, {u"don\u2019t"_s})) {
        unknown.append(text.mid(span.start, span.length));
    }
    // Codes and numbers are no words to correct; ignored words are passed over.
    QCOMPARE(unknown, (QList<QString>{u"tpaes"_s, u"user's"_s}));
    QCOMPARE(wordAt(text, 4), (std::optional<WordSpan>{{4, 5}}));
    QCOMPARE(wordAt(text, 9), (std::optional<WordSpan>{{4, 5}}));
    QCOMPARE(wordAt(text, 10), std::optional<WordSpan>());
    QCOMPARE(wordAt(text, 13), (std::optional<WordSpan>{{11, 6}}));
}

QTEST_MAIN(TestCellsAndWords)
#include "test_cellsandwords.moc"
