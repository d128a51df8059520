#include "wordlist.h"

#include "core/writing/changelist.h"
#include "core/writing/dictionaryfolders.h"
#include "core/writing/propagation.h"
#include "core/writing/spellchecker.h"
#include "core/writing/spellengine.h"
#include "core/writing/thesaurus.h"

#include <QFile>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

using namespace qv::writing;
using qv::test::WordList;
using namespace Qt::StringLiterals;

namespace {

    const QStringList Common = {u"the"_s,       u"a"_s,        u"lot"_s,    u"is"_s,     u"was"_s,
                                u"we"_s,        u"there"_s,    u"are"_s,    u"i"_s,      u"receive"_s,
                                u"permanent"_s, u"pleasant"_s, u"thanks"_s, u"policy"_s, u"backup"_s,
                                u"tapes"_s,     u"and"_s,      u"in"_s,     u"rules"_s,  u"of"_s};

    SpellChecker checker()
    {
        return SpellChecker(std::make_shared<WordList>(Common));
    }

    // Answers each question in turn and records the words asked about.
    struct Script
    {
        QList<SpellDecision> answers;
        QStringList asked;
        SpellChecker::Reviewer reviewer()
        {
            return [this](const Misspelling& m) {
                asked.append(m.word);
                return answers.isEmpty() ? SpellDecision{SpellDecision::Kind::Cancel, {}} : answers.takeFirst();
            };
        }
    };

} // namespace

class TestWriting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The auto-correction list and the change list.
    void autoCorrectionListLoadsWholeInLoadOrder();
    void autoCorrectionDataFileIsOnePairALine();
    void changeListReadsBackToTheEndMarker();

    // Checking.
    void listedMisspellingsAreCorrectedWithoutAsking_data();
    void listedMisspellingsAreCorrectedWithoutAsking();
    void decisionsOfTheUser();
    void correctionsKeepBoldAndTables();

    // The change-all step of a cell-by-cell check.
    void changeAllReachesOnlyLaterCells();
    void propagatedCellsAreTrimmedAndCut();
    void lookupWordLosesTrailingDelimiters_data();
    void lookupWordLosesTrailingDelimiters();

    // The engines on the installed dictionaries.
    void hunspellKnowsAndSuggests();
    void mythesGivesMeaningsAndSynonyms();
    void missingDictionariesAreSaidPlainly();
};

void TestWriting::autoCorrectionListLoadsWholeInLoadOrder()
{
    const QList<WordPair>& list = autoCorrections();
    QCOMPARE(list.size(), 243);
    QCOMPARE(list.first(), (WordPair{u"abbout"_s, u"about"_s}));
    QCOMPARE(list.at(16), (WordPair{u"alot"_s, u"a lot"_s}));
    QCOMPARE(list.at(100), (WordPair{u"i"_s, u"I"_s}));
    QCOMPARE(list.at(200), (WordPair{u"their are"_s, u"there are"_s}));
    QCOMPARE(list.last(), (WordPair{u"yuor"_s, u"your"_s}));
    int reccomend = 0;
    for (const WordPair& pair : list) {
        reccomend += pair.word == u"reccomend"_s && pair.replacement == u"recommend"_s;
    }
    QCOMPARE(reccomend, 2);
}

void TestWriting::autoCorrectionDataFileIsOnePairALine()
{
    QFile file(QStringLiteral(QUORVANE_SOURCE_DIR "/src/core/writing/autocorrections.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(!bytes.contains('\r'));
    QVERIFY(bytes.endsWith('\n'));
    const QList<QByteArray> lines = bytes.chopped(1).split('\n');
    QCOMPARE(lines.size(), 243);
    for (const QByteArray& line : lines) {
        QVERIFY2(line.count('\t') == 1 && line.trimmed() == line && !line.contains("\t ") && !line.contains(" \t"),
                 line.constData());
    }
}

void TestWriting::changeListReadsBackToTheEndMarker()
{
    ChangeList list = ChangeList::withAutoCorrections();
    QCOMPARE(list.count(), 243);
    QCOMPARE(list.entry(0), (WordPair{u"ABBOUT"_s, u"about"_s}));
    QCOMPARE(list.entry(200), (WordPair{u"THEIR ARE"_s, u"there are"_s}));

    QCOMPARE(list.readBack().size(), 243);
    // A pair added after one read-back is reached by the next: the marker does not stay behind.
    list.add(u"recieve"_s, u"receive"_s);
    const QList<WordPair> again = list.readBack();
    QCOMPARE(again.size(), 244);
    QCOMPARE(again.last(), (WordPair{u"RECIEVE"_s, u"receive"_s}));
    QCOMPARE(list.count(), 244);
    // Reading stops at the first entry whose trimmed word is the marker, whoever put it there.
    list.add(u" theend1 "_s, u"x"_s);
    list.add(u"wrnog"_s, u"wrong"_s);
    QCOMPARE(list.readBack().size(), 244);
    QCOMPARE(list.replacementFor(u"WrNoG"), std::optional<QString>(u"wrong"_s));
}

void TestWriting::listedMisspellingsAreCorrectedWithoutAsking_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("corrected");
    QTest::newRow("teh and alot") << u"teh policy is alot"_s << u"the policy is a lot"_s;
    QTest::newRow("each by its own entry") << u"permanant pleasent tghe thansk"_s << u"permanent pleasant the thanks"_s;
    QTest::newRow("capitals kept") << u"Teh rules. TEH RULES"_s << u"The rules. THE RULES"_s;
    QTest::newRow("a phrase") << u"Their are rules"_s << u"There are rules"_s;
    QTest::newRow("i on its own") << u"i was in"_s << u"I was in"_s;
    QTest::newRow("reccomend listed twice") << u"reccomend"_s << u"recommend"_s;
}

void TestWriting::listedMisspellingsAreCorrectedWithoutAsking()
{
    QFETCH(QString, typed);
    QFETCH(QString, corrected);
    SpellChecker check(std::make_shared<WordList>(Common + QStringList{u"recommend"_s}));
    Script script;
    QString text = typed;
    check.checkText(text, script.reviewer());
    QCOMPARE(script.asked, QStringList());
    QCOMPARE(text, corrected);
}

void TestWriting::decisionsOfTheUser()
{
    SpellChecker check = checker();
    Script script;
    using K = SpellDecision::Kind;
    script.answers = {{K::Ignore, {}}, {K::IgnoreAll, {}}, {K::ChangeAll, u"policy"_s}, {K::Change, u"quix"_s}};
    QString text = u"zorp zorp polcy quux Polcy zorp quux wibble"_s;
    const SpellCheckOutcome first = check.checkText(text, script.reviewer());
    // Ignore asks again at the next one, Change too; Ignore All and Change All never ask again. The
    // second "quux" is asked about and the script, out of answers, cancels there.
    QCOMPARE(script.asked, (QStringList{u"zorp"_s, u"zorp"_s, u"polcy"_s, u"quux"_s, u"quux"_s}));
    QVERIFY(first.cancelled);
    QVERIFY(first.changedAll);
    QCOMPARE(first.changes, 3);
    QCOMPARE(text, u"zorp zorp policy quix Policy zorp quux wibble"_s);

    // The lists last as long as the checker: a later check does not ask about them.
    script.asked.clear();
    script.answers = {{K::Ignore, {}}};
    QString later = u"zorp polcy wibble"_s;
    const SpellCheckOutcome second = check.checkText(later, script.reviewer());
    QCOMPARE(script.asked, QStringList{u"wibble"_s});
    QVERIFY(!second.cancelled);
    QCOMPARE(later, u"zorp policy wibble"_s);
}

void TestWriting::correctionsKeepBoldAndTables()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(u"Backup "_s);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(Qt::red);
    cursor.insertText(u"tpaes"_s, bold);
    cursor.insertText(u" and teh rules"_s, QTextCharFormat());
    cursor.insertTable(1, 2);
    cursor.insertText(u"alot"_s);
    cursor.movePosition(QTextCursor::NextCell);
    cursor.insertText(u"polcy"_s);

    SpellChecker check = checker();
    Script script;
    script.answers = {{SpellDecision::Kind::Change, u"tapes"_s}, {SpellDecision::Kind::Change, u"policy"_s}};
    QStringList positions;
    const SpellCheckOutcome outcome = check.check(document, [&](const Misspelling& m) {
        // The reviewer is told where the word stands, to show it.
        QTextCursor at(&document);
        at.setPosition(m.start);
        at.setPosition(m.start + m.length, QTextCursor::KeepAnchor);
        positions.append(at.selectedText());
        return script.reviewer()(m);
    });
    QCOMPARE(positions, (QStringList{u"tpaes"_s, u"polcy"_s}));
    QCOMPARE(outcome.changes, 4);

    const QTextBlock first = document.begin();
    QCOMPARE(first.text(), u"Backup tapes and the rules"_s);
    QTextCursor word(&document);
    word.setPosition(first.position() + 8);
    QVERIFY(word.charFormat().font().bold());
    QCOMPARE(word.charFormat().foreground().color(), QColor(Qt::red));
    word.setPosition(first.position() + 14);
    QVERIFY(!word.charFormat().font().bold());

    QTextTable* table = nullptr;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        table = table ? table : qobject_cast<QTextTable*>(frame);
    }
    QVERIFY(table);
    QCOMPARE(table->cellAt(0, 0).firstCursorPosition().block().text(), u"a lot"_s);
    QCOMPARE(table->cellAt(0, 1).firstCursorPosition().block().text(), u"policy"_s);
}

void TestWriting::changeAllReachesOnlyLaterCells()
{
    QStringList cells(500);
    cells[0] = u"recieve the tapes"_s;
    cells[1] = u"Recieve keys"_s;
    cells[2] = u"recieve"_s; // the cell the user chose Change All in, already corrected by the check
    cells[39] = u"Recieve new badges"_s;
    cells[40] = u"receive and recieve, recieve"_s;
    cells[41] = u"RECIEVE"_s;
    ChangeList list = ChangeList::withAutoCorrections();
    list.add(u"recieve"_s, u"RECEIVE"_s);
    cells[2] = u"receive"_s;

    const QList<qsizetype> changed = propagateChanges(list, cells, 2);
    QCOMPARE(changed, (QList<qsizetype>{39, 40, 41}));
    QCOMPARE(cells[0], u"recieve the tapes"_s);
    QCOMPARE(cells[1], u"Recieve keys"_s);
    QCOMPARE(cells[39], u"Receive new badges"_s);
    // Words are delimited by spaces only: "recieve," is another word.
    QCOMPARE(cells[40], u"receive and recieve, receive"_s);
    QCOMPARE(cells[41], u"Receive"_s);
    QVERIFY(cells[42].isEmpty());
}

void TestWriting::propagatedCellsAreTrimmedAndCut()
{
    QStringList cells = {u"done"_s,
                         u"  teh backup of the server room and the records room  "_s,
                         u"  untouched  "_s,
                         u"Their are alot of doors in teh east wing of the building"_s};
    ChangeList list = ChangeList::withAutoCorrections();
    propagateChanges(list, cells, 0);
    QCOMPARE(cells[1], u"the backup of the server room and the records"_s);
    QCOMPARE(cells[1].size(), MaxCellLength);
    QCOMPARE(cells[2], u"  untouched  "_s);
    QCOMPARE(cells[3], u"There are a lot of doors in the east wing of t"_s.left(MaxCellLength));
    QCOMPARE(cutToCell(QString(50, u'x')).size(), 45);
}

void TestWriting::lookupWordLosesTrailingDelimiters_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("word");
    QTest::newRow("comma and blank") << u"security, "_s << u"security"_s;
    QTest::newRow("all five") << u"plan ;:.,"_s << u"plan"_s;
    QTest::newRow("leading kept") << u" plan."_s << u" plan"_s;
    QTest::newRow("only delimiters") << u", ."_s << QString();
    QTest::newRow("inner kept") << u"e.g. x"_s << u"e.g. x"_s;
}

void TestWriting::lookupWordLosesTrailingDelimiters()
{
    QFETCH(QString, selection);
    QFETCH(QString, word);
    QCOMPARE(trimLookupWord(selection), word);
}

void TestWriting::hunspellKnowsAndSuggests()
{
    const auto engine = SpellEngine::open(standardSpellFolders());
    if (!engine) {
        QSKIP("No English (US) Hunspell dictionary is installed (hunspell-en-us)");
    }
    const SpellEngine& words = *engine.value();
    QVERIFY(words.isKnown(u"security"_s));
    QVERIFY(words.isKnown(u"organization's"_s));
    QVERIFY(words.isKnown(u"organization\u2019s"_s));
    QVERIFY(!words.isKnown(u"recieve"_s));
    QVERIFY(words.suggestions(u"recieve"_s).contains(u"receive"_s));
}

void TestWriting::mythesGivesMeaningsAndSynonyms()
{
    const auto thesaurus = Thesaurus::open(standardThesaurusFolders());
    if (!thesaurus) {
        QSKIP("No English (US) MyThes thesaurus is installed (mythes-en-us)");
    }
    const QList<Meaning> meanings = thesaurus.value()->lookUp(u"Security"_s);
    QVERIFY(meanings.size() > 1);
    QVERIFY2(meanings.first().description.startsWith(u"(noun)"_s), qPrintable(meanings.first().description));
    bool safety = false;
    for (const Meaning& m : meanings) {
        safety = safety || m.synonyms.contains(u"safety (generic term)"_s);
    }
    QVERIFY(safety);
    QVERIFY(thesaurus.value()->lookUp(u"qqzzxq"_s).isEmpty());
    QCOMPARE(synonymAsReplacement(u"precaution (generic term)"_s), u"precaution"_s);
    QCOMPARE(synonymAsReplacement(u"Den Haag"_s), u"Den Haag"_s);
}

void TestWriting::missingDictionariesAreSaidPlainly()
{
    const QStringList nowhere = {QStringLiteral(QUORVANE_SOURCE_DIR "/no-such-folder")};
    QVERIFY(!SpellEngine::isInstalled(nowhere));
    const auto engine = SpellEngine::open(nowhere);
    QVERIFY(!engine);
    QCOMPARE(engine.error(), NoSpellDictionaryMessage);
    const auto thesaurus = Thesaurus::open(nowhere);
    QVERIFY(!thesaurus);
    QCOMPARE(thesaurus.error(), NoThesaurusMessage);
}

QTEST_MAIN(TestWriting)
#include "test_writing.moc"
