#include "spinefixture.h"

#include "core/writing/dictionaryfolders.h"
#include "core/writing/spellengine.h"
#include "core/writing/thesaurus.h"
#include "foldersnapshot.h"
#include "gui/actionarea/actionarea.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "gui/reports/printdesk.h"
#include "gui/timeline/timelinearea.h"
#include "screenshot.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>
#include <QTimer>

using namespace qv;
using namespace qv::test;
using namespace Qt::StringLiterals;

namespace {

    const QString NoteFile = u"Action14.Fil"_s;

    // Administrative Safeguards, entry 14, "Action Taken": a note the user writes and saves.
    RichTextEditor* openNote(ActionArea* area)
    {
        press(area, u"SSCommand11"_s, 2);
        press(area, u"SSCommand14"_s, 14);
        QRadioButton* pane = area->workPanel().paneOption(WorkPanel::ActionTaken);
        QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(8, pane->height() / 2));
        return area->workPanel().editor();
    }

    QTextTable* firstTable(QTextDocument* document)
    {
        for (QTextFrame* frame : document->rootFrame()->childFrames()) {
            if (auto* table = qobject_cast<QTextTable*>(frame)) {
                return table;
            }
        }
        return nullptr;
    }

    // The timeline file with items in the rows given (numbered from 1).
    QByteArray timelineFile(const QMap<int, QString>& items)
    {
        QByteArray bytes;
        for (int row = 1; row <= 500; ++row) {
            bytes += '"' + items.value(row).toLatin1() + "\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
        }
        return bytes;
    }

    QStringList quotedLines(const QByteArray& bytes)
    {
        QStringList lines = QString::fromLatin1(bytes).split(u"\r\n"_s);
        if (lines.constLast().isEmpty()) {
            lines.removeLast();
        }
        for (QString& line : lines) {
            line = line.mid(1, line.size() - 2);
        }
        return lines;
    }

    bool boldAt(RichTextEditor* editor, int position)
    {
        QTextCursor at(editor->document());
        at.setPosition(position + 1);
        return at.charFormat().font().bold();
    }

} // namespace

class TestWritingAids : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paneCheckKeepsFormattingAndSavesOnlyTheNote();
    void thesaurusReplacesTheSelectedWord();
    void fontDialogIsPrimedAndApplied();
    void commandsFollowTheEditorAndMenusBeepOverPrintOptions();
    void timelineCheckCorrectsItemsAndNamesAndSavesOnlyTheTimeline();
    void commandsWorkInWorksheetPlanAndIncidentAreas();
    void dialogScreenshots();
};

void TestWritingAids::paneCheckKeepsFormattingAndSavesOnlyTheNote()
{
    if (!writing::SpellEngine::isInstalled(writing::standardSpellFolders())) {
        QSKIP("No English (US) Hunspell dictionary is installed (hunspell-en-us)");
    }
    Spine spine;
    ActionArea* area = spine.begin();
    showAtSize(area, QSize(1024, 768));
    RichTextEditor* editor = openNote(area);
    QTextCursor cursor(editor->document());
    cursor.insertText(u"Backup "_s);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(u"tpaes"_s, bold);
    cursor.insertText(u" are kept alot longer."_s, QTextCharFormat());
    cursor.insertTable(2, 2);
    cursor.insertText(u"We recieve"_s);
    cursor.movePosition(QTextCursor::NextCell);
    cursor.insertText(u"polcy"_s);
    cursor.movePosition(QTextCursor::NextCell);
    cursor.insertText(u"the polcy"_s);
    QCOMPARE(area->state().unsavedChanges, 1);

    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(spine.folder.dataDir());
    QStringList shown;
    spine.dialogs.whileOpen([&](const ScriptedDialogs::Call& call) {
        if (call.kind == ScriptedDialogs::Kind::Spelling) {
            shown.append(editor->hideSelection() ? u"<hidden>"_s : editor->selText());
        }
    });
    spine.dialogs.answerSpelling(SpellAnswer::Action::Change, u"tapes"_s)
        .answerSpelling(SpellAnswer::Action::ChangeAll, u"policy"_s);
    spine.prompter.answer(PromptAnswer::Ok);
    press(area, u"SSCommand10"_s, -1);

    // Only the words the lists do not cover are asked about, each selected in the pane meanwhile.
    QCOMPARE(shown, (QStringList{u"tpaes"_s, u"polcy"_s}));
    QCOMPARE(spine.dialogs.calls().first().suggestions.value(0), u"tapes"_s);
    spine.dialogs.calls().first().help();
    QCOMPARE(spine.help.topics.last(), 5050);
    const Prompt closing = spine.prompter.prompts().last();
    QCOMPARE(closing.title, u"Spell Check"_s);
    QCOMPARE(closing.text, u"Spell Check has been canceled or has reached the end of your document"_s);
    QCOMPARE(closing.icon, PromptIcon::Information);
    QCOMPARE(editor->selStart(), 0);
    QCOMPARE(editor->selLength(), 0);

    QCOMPARE(editor->document()->begin().text(), u"Backup tapes are kept a lot longer."_s);
    QVERIFY(boldAt(editor, 7));
    QVERIFY(!boldAt(editor, 13));
    QTextTable* table = firstTable(editor->document());
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->cellAt(0, 0).firstCursorPosition().block().text(), u"We receive"_s);
    QCOMPARE(table->cellAt(0, 1).firstCursorPosition().block().text(), u"policy"_s);
    QCOMPARE(table->cellAt(1, 0).firstCursorPosition().block().text(), u"the policy"_s);

    spine.prompter.answer(PromptAnswer::Ok);
    press(area, u"SSCommand6"_s, -1);
    QCOMPARE(area->state().unsavedChanges, 0);
    QCOMPARE(before.changedSince().size(), 1);
    QVERIFY2(before.unexpectedChanges({NoteFile}).isEmpty(), qPrintable(before.unexpectedChanges({NoteFile})));

    // Read back from the file: the bold word and the table are there.
    press(area, u"SSCommand14"_s, 3);
    press(area, u"SSCommand14"_s, 14);
    QVERIFY(editor->text().startsWith(u"Backup tapes are kept a lot longer."_s));
    QVERIFY(boldAt(editor, 7));
    QVERIFY(firstTable(editor->document()));
}

void TestWritingAids::thesaurusReplacesTheSelectedWord()
{
    Spine spine;
    ActionArea* area = spine.begin();
    RichTextEditor* editor = openNote(area);
    editor->setFocus();
    QTest::keyClicks(editor, u"Our security, policy"_s);

    // Nothing selected: only the hint.
    spine.prompter.answer(PromptAnswer::Ok);
    press(area, u"SSCommand9"_s, -1);
    const Prompt hint = spine.prompter.prompts().last();
    QCOMPARE(hint.title, u"Thesaurus"_s);
    QCOMPARE(hint.text, u"Please highlight word you desire to look up!"_s);
    QCOMPARE(hint.icon, PromptIcon::Question);
    QVERIFY(spine.dialogs.calls().isEmpty());

    if (!writing::Thesaurus::isInstalled(writing::standardThesaurusFolders())) {
        QSKIP("No English (US) MyThes thesaurus is installed (mythes-en-us)");
    }
    editor->select(4, 10); // "security, "
    QString selectedMeanwhile;
    spine.dialogs.whileOpen([&](const ScriptedDialogs::Call&) { selectedMeanwhile = editor->selText(); });
    spine.dialogs.answerSynonym(u"protection"_s);
    press(area, u"SSCommand9"_s, -1);
    const ScriptedDialogs::Call call = spine.dialogs.calls().last();
    QCOMPARE(call.word, u"security"_s);
    QCOMPARE(selectedMeanwhile, u"security"_s);
    QVERIFY(!call.meanings.isEmpty());
    bool offered = false;
    for (const SynonymGroup& group : call.meanings) {
        offered = offered || group.synonyms.contains(u"protection"_s);
        QVERIFY2(!group.synonyms.join(u'|').contains(u"(generic term)"_s), qPrintable(group.meaning));
    }
    QVERIFY(offered);
    QCOMPARE(editor->text(), u"Our protection, policy"_s);

    // Cancel changes nothing.
    editor->select(4, 10);
    spine.dialogs.answerSynonym(std::nullopt);
    press(area, u"SSCommand9"_s, -1);
    QCOMPARE(editor->text(), u"Our protection, policy"_s);
}

void TestWritingAids::fontDialogIsPrimedAndApplied()
{
    Spine spine;
    ActionArea* area = spine.begin();
    RichTextEditor* editor = openNote(area);
    editor->setFocus();
    QTest::keyClicks(editor, u"Plain words"_s);
    editor->select(6, 5);
    editor->setSelBold(true);
    editor->setSelItalic(true);
    editor->setSelUnderline(true);
    editor->setSelStrikethrough(true);
    editor->setSelColor(QColor(Qt::darkGreen));
    editor->setSelFontSize(15);
    editor->select(6, 5);

    FontChoice wanted;
    wanted.font = QFont(u"Liberation Serif"_s);
    wanted.font.setPointSizeF(20);
    wanted.font.setItalic(true);
    wanted.color = QColor(Qt::blue);
    spine.dialogs.answerFont(wanted);
    press(area, u"SSCommand8"_s, -1);
    const FontChoice primed = spine.dialogs.calls().last().font;
    QVERIFY(primed.font.bold());
    QVERIFY(primed.font.italic());
    QVERIFY(primed.font.underline());
    QVERIFY(primed.font.strikeOut());
    QCOMPARE(primed.font.pointSizeF(), 15.0);
    QCOMPARE(primed.color, QColor(Qt::darkGreen));

    QCOMPARE(editor->selText(), u"words"_s);
    QCOMPARE(editor->selFontName(), std::optional<QString>(u"Liberation Serif"_s));
    QCOMPARE(editor->selFontSize(), std::optional<double>(20));
    QCOMPARE(editor->selBold(), std::optional<bool>(false));
    QCOMPARE(editor->selItalic(), std::optional<bool>(true));
    QCOMPARE(editor->selUnderline(), std::optional<bool>(false));
    QCOMPARE(editor->selStrikethrough(), std::optional<bool>(false));
    QCOMPARE(editor->selColor(), std::optional<QColor>(QColor(Qt::blue)));
    editor->select(0, 5);
    QCOMPARE(editor->selFontSize() == std::optional<double>(20), false);

    // Nothing selected: the text typed next comes in the chosen font.
    editor->setSelStart(int(editor->text().size()));
    FontChoice next;
    next.font = QFont(u"DejaVu Sans"_s);
    next.font.setPointSizeF(9);
    next.font.setBold(true);
    next.color = QColor(Qt::red);
    spine.dialogs.answerFont(next);
    press(area, u"SSCommand8"_s, -1);
    QTest::keyClicks(editor, u" more"_s);
    editor->select(12, 4);
    QCOMPARE(editor->selText(), u"more"_s);
    QCOMPARE(editor->selBold(), std::optional<bool>(true));
    QCOMPARE(editor->selFontSize(), std::optional<double>(9));
    QCOMPARE(editor->selColor(), std::optional<QColor>(QColor(Qt::red)));

    // Cancel changes nothing.
    spine.dialogs.answerFont(std::nullopt);
    press(area, u"SSCommand8"_s, -1);
    QCOMPARE(editor->selFontSize(), std::optional<double>(9));
}

void TestWritingAids::commandsFollowTheEditorAndMenusBeepOverPrintOptions()
{
    Spine spine;
    ActionArea* area = spine.begin();
    const QStringList buttons = {u"SSCommand8"_s, u"SSCommand9"_s, u"SSCommand10"_s};
    const QStringList menus = {u"mOFont"_s, u"mOThes"_s, u"mOSpell"_s};
    RichTextEditor* editor = openNote(area);
    editor->setFocus();
    QTest::keyClicks(editor, u"Keys are kept."_s);
    for (const QString& name : buttons) {
        QVERIFY2(area->findChild<QWidget*>(name)->isEnabled(), qPrintable(name));
    }
    for (const QString& name : menus) {
        QVERIFY2(area->menuAction(name)->isEnabled(), qPrintable(name));
    }

    // With the print options open the menu entries do nothing but beep: no dialog, no box.
    press(area, u"SSCommand5"_s, -1);
    QVERIFY(area->printDesk()->isOpen());
    for (const QString& name : menus) {
        area->menuAction(name)->trigger();
    }
    QVERIFY(spine.dialogs.calls().isEmpty());
    QVERIFY(spine.prompter.prompts().isEmpty());
}

void TestWritingAids::timelineCheckCorrectsItemsAndNamesAndSavesOnlyTheTimeline()
{
    if (!writing::SpellEngine::isInstalled(writing::standardSpellFolders())) {
        QSKIP("No English (US) Hunspell dictionary is installed (hunspell-en-us)");
    }
    const QString row3 = u"recieving new badges for the server room alot"_s;
    QCOMPARE(row3.size(), 45);
    Spine spine;
    spine.folder.putData(u"Stat1.Fil"_s, QByteArray(68 * 20, '\0'));
    spine.folder.putData(u"Action0.Fil"_s, "{\\rtf1\\ansi Risk analysis done.\\par}");
    spine.folder.putData(u"TODONAME.FIL"_s, "\"Backup plan\"\r\n\"" + row3.toLatin1() + "\"\r\n");
    // "recieve" itself is on the auto-correction list and never asked about; its longer form is not.
    spine.folder.putData(u"TODOActv.FIL"_s,
                         timelineFile({{1, u"recieving the tapes"_s},
                                       {2, u"Recieving keys"_s},
                                       {3, row3},
                                       {5, u"Backup plan"_s},
                                       {20, u"qqzx drill"_s},
                                       {30, u"teh zzqx drill"_s},
                                       {40, u"Recieving badges"_s},
                                       {41, u"recieving keys"_s},
                                       {45, u"zzqy drill"_s}}));
    ActionArea* area = spine.begin();
    press(area, u"SSCommand11"_s, 1);
    TimelineArea* timeline = area->timelineArea();
    timeline::TimelineModel& model = timeline->model();
    QCOMPARE(area->state().unsavedChanges, 0);
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(spine.folder.dataDir());

    spine.dialogs.answerSpelling(SpellAnswer::Action::Ignore)
        .answerSpelling(SpellAnswer::Action::Ignore)
        .answerSpelling(SpellAnswer::Action::ChangeAll, u"receiving"_s)
        .answerSpelling(SpellAnswer::Action::Change, u"fire"_s)
        .answerSpelling(SpellAnswer::Action::Cancel);
    spine.prompter.answer(PromptAnswer::Ok);
    press(area, u"SSCommand20"_s, -1);

    QStringList asked;
    for (const ScriptedDialogs::Call& call : spine.dialogs.calls()) {
        asked.append(call.word);
    }
    // The cancel at row 30 ends the rows: row 45 is never asked about.
    QCOMPARE(asked, (QStringList{u"recieving"_s, u"Recieving"_s, u"recieving"_s, u"qqzx"_s, u"zzqx"_s}));
    QCOMPARE(spine.prompter.prompts().last(),
             (Prompt{u"Spell Check"_s,
                     u"Spell Check has been canceled or has reached the end of your entries"_s,
                     PromptIcon::Information,
                     PromptButtons::Ok,
                     PromptAnswer::Ok}));
    // Rows 1 and 2 came before the change-all and were passed over.
    QCOMPARE(model.cell(0, timeline::Item), u"recieving the tapes"_s);
    QCOMPARE(model.cell(1, timeline::Item), u"Recieving keys"_s);
    // Corrected, then cut to the cell's 45 characters.
    QCOMPARE(model.cell(2, timeline::Item), u"receiving new badges for the server room a lo"_s);
    QCOMPARE(model.cell(19, timeline::Item), u"fire drill"_s);
    QCOMPARE(model.cell(29, timeline::Item), u"the zzqx drill"_s);
    QCOMPARE(model.cell(39, timeline::Item), u"Receiving badges"_s);
    QCOMPARE(model.cell(40, timeline::Item), u"receiving keys"_s);
    QCOMPARE(model.cell(44, timeline::Item), u"zzqy drill"_s);
    QCOMPARE(area->state().unsavedChanges, 1);

    // The name list follows at once: the misspelt name is gone and the corrected ones are offered.
    auto* picker = area->findChild<QComboBox*>(u"Combo2"_s);
    QStringList offered;
    for (int i = 0; i < picker->count(); ++i) {
        offered.append(picker->itemText(i));
    }
    QCOMPARE(offered.value(0), u"Backup plan"_s);
    QVERIFY(!offered.contains(row3));
    QVERIFY(offered.contains(u"receiving new badges for the server room a lo"_s));
    QVERIFY(offered.contains(u"Receiving badges"_s));
    QCOMPARE(quotedLines(spine.programFolder.read(u"TODONAME.FIL"_s).valueOr({})), offered);

    spine.prompter.answer(PromptAnswer::Ok);
    press(timeline, u"SSCommand19"_s, TimelineArea::Save);
    QCOMPARE(area->state().unsavedChanges, 0);
    const QStringList timelineFiles = {u"TODOActv.FIL"_s, u"TODONAME.FIL"_s};
    QCOMPARE(before.changedSince().size(), 2);
    QVERIFY2(before.unexpectedChanges(timelineFiles).isEmpty(), qPrintable(before.unexpectedChanges(timelineFiles)));
    const QStringList saved = quotedLines(spine.programFolder.read(u"TODOActv.FIL"_s).valueOr({}));
    QCOMPARE(saved.size(), 2500);
    QCOMPARE(saved.at(2 * 5), u"receiving new badges for the server room a lo"_s);
    QCOMPARE(saved.at(39 * 5), u"Receiving badges"_s);

    // From the menu: the change-all holds for the session, so rows 1 and 2 are corrected now without
    // a question, and the check stops at row 30 again.
    spine.dialogs.answerSpelling(SpellAnswer::Action::Cancel);
    spine.prompter.answer(PromptAnswer::Ok);
    QAction* menu = area->menuAction(u"mOSpell"_s);
    QVERIFY(menu->isEnabled());
    menu->trigger();
    QCOMPARE(spine.dialogs.calls().last().word, u"zzqx"_s);
    QCOMPARE(model.cell(0, timeline::Item), u"receiving the tapes"_s);
    QCOMPARE(model.cell(1, timeline::Item), u"Receiving keys"_s);
    QCOMPARE(spine.prompter.prompts().last().text,
             u"Spell Check has been canceled or has reached the end of your entries"_s);
    // Once more, and nothing is left to change.
    const QStringList rows = model.toStrings();
    spine.dialogs.answerSpelling(SpellAnswer::Action::Cancel);
    spine.prompter.answer(PromptAnswer::Ok);
    menu->trigger();
    QCOMPARE(spine.prompter.prompts().last().text,
             u"Spell Check did not change or did not find any misspelled words!"_s);
    QCOMPARE(model.toStrings(), rows);
}

void TestWritingAids::commandsWorkInWorksheetPlanAndIncidentAreas()
{
    Spine spine;
    ActionArea* area = spine.begin();
    RichTextEditor* editor = area->workPanel().editor();
    // Each place is opened after the last one was edited: leaving it asks to save, and the answer is No.
    struct Place
    {
        const char* name;
        std::initializer_list<PromptAnswer> answers;
        std::function<void()> open;
    } places[] = {
        {"worksheet",
         {},
         [&] {
             press(area, u"SSCommand11"_s, 7);
             press(area, u"SSCommand12"_s, 0);
         }},
        // The sample plan's notice.
        {"plan", {PromptAnswer::No, PromptAnswer::Ok}, [&] { press(area, u"SSCommand11"_s, 8); }},
        // A blank report asks for its title first.
        {"incident report",
         {PromptAnswer::No, PromptAnswer::Ok},
         [&] {
             press(area, u"SSCommand11"_s, 10);
             press(area, u"SSCommand26"_s, -1);
         }},
    };
    const bool spelling = writing::SpellEngine::isInstalled(writing::standardSpellFolders());
    const bool thesaurus = writing::Thesaurus::isInstalled(writing::standardThesaurusFolders());
    for (const Place& place : places) {
        spine.prompter.answer(place.answers);
        place.open();
        QVERIFY2(!editor->isReadOnly(), place.name);
        for (const char* name : {"SSCommand8", "SSCommand9", "SSCommand10"}) {
            QVERIFY2(area->findChild<QWidget*>(QString::fromLatin1(name))->isEnabled(), place.name);
        }
        for (const char* name : {"mOFont", "mOThes", "mOSpell"}) {
            QVERIFY2(area->menuAction(QString::fromLatin1(name))->isEnabled(), place.name);
        }
        editor->selectAll();
        editor->setFocus();
        QTest::keyClicks(editor, u"Teh security, plan"_s);
        if (spelling) {
            spine.prompter.answer(PromptAnswer::Ok);
            area->menuAction(u"mOSpell"_s)->trigger();
            QVERIFY2(editor->text().startsWith(u"The security, plan"_s), qPrintable(editor->text()));
            QCOMPARE(spine.prompter.prompts().last().text,
                     u"Spell Check has been canceled or has reached the end of your document"_s);
        }
        if (thesaurus) {
            editor->select(4, 10);
            spine.dialogs.answerSynonym(u"protection"_s);
            press(area, u"SSCommand9"_s, -1);
            QCOMPARE(spine.dialogs.calls().last().word, u"security"_s);
        }
        editor->select(0, 3);
        FontChoice bold;
        bold.font = editor->font();
        bold.font.setBold(true);
        bold.color = QColor(Qt::darkRed);
        spine.dialogs.answerFont(bold);
        press(area, u"SSCommand8"_s, -1);
        QCOMPARE(editor->selBold(), std::optional<bool>(true));
        QVERIFY2(area->state().unsavedChanges == 1, place.name);
    }
}

void TestWritingAids::dialogScreenshots()
{
    Spine spine;
    ActionArea* area = spine.begin();
    showAtSize(area, QSize(1024, 768));
    QVERIFY(QTest::qWaitForWindowExposed(area));
    RichTextEditor* editor = openNote(area);
    editor->setFocus();
    QTest::keyClicks(editor, u"Our pasword policy keeps the security, of every account."_s);
    QtDialogs dialogs(area);
    QStringList grabbed;
    auto grabAndCancel = [&](const QString& name) {
        QTimer::singleShot(300, area, [&, name] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) {
                return;
            }
            grabbed.append(grabToPng(dialog, name));
            grabToPng(area, name + u"-behind"_s);
            dialog->findChild<QPushButton*>(u"Cancel"_s)->click();
        });
    };
    editor->select(4, 7);
    grabAndCancel(u"spell-dialog"_s);
    const SpellAnswer answer = dialogs.reviewSpelling({u"pasword"_s, {u"password"_s, u"passwords"_s}, {}});
    QCOMPARE(answer.action, SpellAnswer::Action::Cancel);
    grabAndCancel(u"thesaurus-dialog"_s);
    const auto synonym = dialogs.chooseSynonym(
        u"security"_s, {{u"(noun) security"_s, {u"safety"_s, u"precaution"_s}}, {u"(noun) protection"_s, {}}});
    QVERIFY(!synonym);
    QCOMPARE(grabbed.size(), 2);
}

QTEST_MAIN(TestWritingAids)
#include "test_writingaids.moc"
