// Unknown words marked as the user types in the pane, the right-button menu of a marked word, and the
// user's own words: pictures of the marks and of the spell dialog over a policy.
#include "spinefixture.h"

#include "core/writing/dictionaryfolders.h"
#include "core/writing/spellengine.h"
#include "foldersnapshot.h"
#include "gui/actionarea/actionarea.h"
#include "gui/kit/dialogs.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "gui/timeline/timelinearea.h"
#include "gui/writing/livespelling.h"
#include "gui/writing/writingaids.h"
#include "screenshot.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

using namespace qv;
using namespace qv::test;
using namespace Qt::StringLiterals;

namespace {

    const QString PolicyFile = u"Policy14.Fil"_s;

    // Administrative Safeguards, entry 14, "Policies && Procedures/Plan".
    RichTextEditor* openPolicy(ActionArea* area)
    {
        press(area, u"SSCommand11"_s, 2);
        press(area, u"SSCommand14"_s, 14);
        QRadioButton* pane = area->workPanel().paneOption(WorkPanel::PoliciesProcedures);
        QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(8, pane->height() / 2));
        return area->workPanel().editor();
    }

    // The marked words of the pane, in order.
    QStringList marked(ActionArea* area)
    {
        RichTextEditor* editor = area->workPanel().editor();
        SpellHighlighter& marks = area->writingAids().liveSpelling()->highlighter();
        QStringList words;
        for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next()) {
            for (const writing::WordSpan& span : marks.marksIn(block)) {
                words.append(block.text().mid(span.start, span.length));
            }
        }
        return words;
    }

    // Opens the right-button menu over the word at position and hands it to use while it is open.
    void withMenuAt(RichTextEditor* editor, int position, const std::function<void(QMenu*)>& use)
    {
        QTextCursor at(editor->document());
        at.setPosition(position + 1);
        const QPoint point = editor->cursorRect(at).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, editor->viewport()->mapToGlobal(point));
        QApplication::sendEvent(editor->viewport(), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        use(menu);
        menu->close();
    }

    QStringList entries(QMenu* menu)
    {
        QStringList texts;
        for (QAction* action : menu->actions()) {
            texts.append(action->isSeparator() ? u"--"_s : action->text());
        }
        return texts;
    }

    QAction* entry(QMenu* menu, const QString& objectName, int n = 0)
    {
        QList<QAction*> found;
        for (QAction* action : menu->actions()) {
            if (action->objectName() == objectName) {
                found.append(action);
            }
        }
        return found.value(n);
    }

} // namespace

class TestLiveSpelling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void marksFollowTypingWithoutCountingAsAnEdit();
    void menuOfAMarkedWordSuggestsAndAddsToTheUsersWords();
    void pictures();
};

void TestLiveSpelling::init()
{
    if (!writing::SpellEngine::isInstalled(writing::standardSpellFolders())) {
        QSKIP("No English (US) Hunspell dictionary is installed (hunspell-en-us)");
    }
}

void TestLiveSpelling::marksFollowTypingWithoutCountingAsAnEdit()
{
    Spine spine;
    spine.folder.putData(PolicyFile, "{\\rtf1\\ansi Our pasword policy covers {\\b evrey} account.\\par}");
    ActionArea* area = spine.begin();
    RichTextEditor* editor = openPolicy(area);
    QCOMPARE(editor->text(), u"Our pasword policy covers evrey account."_s);
    // Loading the policy marks its words, and is still no edit.
    QCOMPARE(marked(area), (QStringList{u"pasword"_s, u"evrey"_s}));
    QCOMPARE(area->state().unsavedChanges, 0);

    editor->setFocus();
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, u" Keys are stord offsite"_s);
    QCOMPARE(marked(area), (QStringList{u"pasword"_s, u"evrey"_s, u"stord"_s}));
    QCOMPARE(area->state().unsavedChanges, 1);

    // Marking everything again (as after a word is learnt) is no change of the text: no change
    // announced, nothing added to undo, and undo still takes back what was typed.
    area->state().unsavedChanges = 0;
    QSignalSpy changes(editor, &RichTextEditor::changed);
    const int undoSteps = editor->document()->availableUndoSteps();
    SpellHighlighter& marks = area->writingAids().liveSpelling()->highlighter();
    marks.remarkAll();
    QCoreApplication::processEvents();
    QCOMPARE(changes.count(), 0);
    QCOMPARE(editor->document()->availableUndoSteps(), undoSteps);
    QCOMPARE(area->state().unsavedChanges, 0);
    editor->undo();
    QVERIFY2(!editor->text().contains(u"stord"_s), qPrintable(editor->text()));

    // A reference text is shown read-only and unmarked; the user's pane is marked again after.
    QRadioButton* reference = area->workPanel().paneOption(WorkPanel::ImplementationSpecification);
    spine.prompter.answer(PromptAnswer::No);
    QTest::mouseClick(reference, Qt::LeftButton, {}, QPoint(8, reference->height() / 2));
    QVERIFY(editor->isReadOnly());
    editor->setTextRtf("{\\rtf1\\ansi A refrence text.\\par}");
    QCOMPARE(marked(area), QStringList());
    openPolicy(area);
    QVERIFY(!editor->isReadOnly());
    QCOMPARE(marked(area), (QStringList{u"pasword"_s, u"evrey"_s}));
}

void TestLiveSpelling::menuOfAMarkedWordSuggestsAndAddsToTheUsersWords()
{
    Spine spine;
    spine.folder.putData(PolicyFile, "{\\rtf1\\ansi Quorvane keeps the pasword {\\b teh} same.\\par}");
    spine.folder.putData(u"Stat1.Fil"_s, QByteArray(68 * 20, '\0'));
    spine.folder.putData(u"TODOActv.FIL"_s, "\"Quorvane training\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
    ActionArea* area = spine.begin();
    RichTextEditor* editor = openPolicy(area);
    QCOMPARE(marked(area), (QStringList{u"Quorvane"_s, u"pasword"_s, u"teh"_s}));

    // Over an unmarked word the pane's own menu only.
    withMenuAt(editor, 9, [&](QMenu* menu) {
        QVERIFY(!entry(menu, u"AddToDictionary"_s));
        QVERIFY(!entries(menu).isEmpty());
    });

    // A listed misspelling offers its correction first; the pane's own entries follow.
    withMenuAt(editor, 27, [&](QMenu* menu) {
        const QStringList shown = entries(menu);
        QCOMPARE(shown.value(0), u"the"_s);
        const qsizetype add = shown.indexOf(u"Add to dictionary"_s);
        QVERIFY2(add > 0, qPrintable(shown.join(u'|')));
        QCOMPARE(shown.value(add + 1), u"--"_s);
        QVERIFY2(shown.filter(u"Select All"_s).size() == 1, qPrintable(shown.join(u'|')));
        entry(menu, u"SpellSuggestion"_s)->trigger();
    });
    QCOMPARE(editor->text(), u"Quorvane keeps the pasword the same."_s);
    editor->select(27, 3);
    QCOMPARE(editor->selBold(), std::optional<bool>(true));
    QCOMPARE(area->state().unsavedChanges, 1);

    withMenuAt(editor, 19, [&](QMenu* menu) {
        QCOMPARE(menu->actions().value(0)->text(), u"password"_s);
        menu->actions().value(0)->trigger();
    });
    QCOMPARE(editor->text(), u"Quorvane keeps the password the same."_s);

    // "Add to dictionary": written to the user's list and nothing else, known at once everywhere.
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(spine.folder.dataDir());
    withMenuAt(editor, 0, [&](QMenu* menu) { entry(menu, u"AddToDictionary"_s)->trigger(); });
    QVERIFY2(before.unexpectedChanges({u"UserWords.dic"_s}).isEmpty(),
             qPrintable(before.unexpectedChanges({u"UserWords.dic"_s})));
    QCOMPARE(spine.programFolder.read(u"UserWords.dic"_s).valueOr({}), QByteArray("Quorvane\n"));
    QCOMPARE(marked(area), QStringList());
    spine.prompter.answer(PromptAnswer::Ok);
    press(area, u"SSCommand10"_s, -1);
    QVERIFY(spine.dialogs.calls().isEmpty());

    // The timeline check accepts it too.
    spine.prompter.answer({PromptAnswer::No, PromptAnswer::Ok});
    press(area, u"SSCommand11"_s, 1);
    QCOMPARE(area->timelineArea()->model().cell(0, 0), u"Quorvane training"_s);
    press(area, u"SSCommand20"_s, -1);
    QVERIFY(spine.dialogs.calls().isEmpty());
    QCOMPARE(spine.prompter.prompts().last().text,
             u"Spell Check did not change or did not find any misspelled words!"_s);

    // A list that cannot be written says so and leaves the word unknown.
    press(area, u"SSCommand11"_s, 2);
    editor = openPolicy(area);
    editor->setFocus();
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, u" Hipaax"_s);
    const FolderSnapshot unchanged = FolderSnapshot::aroundDataFolder(spine.folder.dataDir());
    WriteFaults::inject(u"UserWords.dic"_s, 1);
    spine.prompter.answer(PromptAnswer::Ok);
    withMenuAt(
        editor, int(editor->text().size()) - 3, [&](QMenu* menu) { entry(menu, u"AddToDictionary"_s)->trigger(); });
    WriteFaults::clear();
    const Prompt failed = spine.prompter.prompts().last();
    QCOMPARE(failed.title, u"Spell Check"_s);
    QCOMPARE(failed.icon, PromptIcon::Critical);
    QVERIFY2(unchanged.changedSince().isEmpty(), qPrintable(unchanged.changedSince().join(u", "_s)));
    QVERIFY(marked(area).contains(u"Hipaax"_s));
}

void TestLiveSpelling::pictures()
{
    Spine spine;
    spine.folder.putData(PolicyFile,
                         "{\\rtf1\\ansi{\\b Password Management Policy}\\par "
                         "All workforce members choose a pasword of at least twelve charactors. "
                         "Passwords are changed evrey ninety days and are never writen down or shared.\\par "
                         "The Security Oficer reviews complience with this policy each quarter.\\par}");
    ActionArea* area = spine.begin();
    showAtSize(area, QSize(1024, 768));
    QVERIFY(QTest::qWaitForWindowExposed(area));
    RichTextEditor* editor = openPolicy(area);
    editor->setFocus();
    QVERIFY(marked(area).contains(u"pasword"_s));
    grabToPng(area, u"live-underline"_s);

    // The spell dialog as the pane check opens it, over the policy with the word selected.
    QtDialogs dialogs(area);
    const int at = editor->find(u"pasword"_s);
    editor->select(at, 7);
    bool grabbed = false;
    QTimer::singleShot(300, area, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            return;
        }
        QPixmap picture = area->grab();
        QPainter painter(&picture);
        painter.drawPixmap(dialog->mapToGlobal(QPoint()) - area->mapToGlobal(QPoint()), dialog->grab());
        painter.end();
        const QString folder = qEnvironmentVariable("QUORVANE_SCREENSHOT_DIR");
        grabbed = folder.isEmpty() ||
                  (QDir().mkpath(folder) && picture.save(QDir(folder).filePath(u"spell-dialog-over-policy.png"_s)));
        dialog->findChild<QPushButton*>(u"Cancel"_s)->click();
    });
    dialogs.reviewSpelling({u"pasword"_s, {u"password"_s, u"passwords"_s, u"pa sword"_s}, {}});
    QVERIFY(grabbed);
}

QTEST_MAIN(TestLiveSpelling)
#include "test_livespelling.moc"
