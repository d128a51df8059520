#include "spinefixture.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/referencetexts.h"
#include "core/storage/programfolder.h"
#include "gui/actionarea/actionarea.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "screenshot.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace qv;
using namespace qv::test;

namespace {

    const QString ActionSaved = QStringLiteral("File Has Been Saved/Updated!");
    const QString PolicySaved = QStringLiteral("Policies and Procedures/Plan Has Been Saved/Updated!");

    void choosePane(ActionArea* area, WorkPanel::PaneOption option)
    {
        QRadioButton* button = area->workPanel().paneOption(option);
        QVERIFY2(button->isEnabled(), qPrintable(button->text()));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
        QVERIFY(button->isChecked());
    }

    void typeText(ActionArea* area, const QString& text)
    {
        RichTextEditor* editor = area->workPanel().editor();
        editor->setFocus();
        QTest::keyClicks(editor, text);
    }

    QString toolText(const QString& path)
    {
        QProcess tool;
        tool.start(QStringLiteral(QUORVANE_BIN_DIR "/quorvane-rtf"), {QStringLiteral("text"), path});
        if (!tool.waitForFinished(30000) || tool.exitCode() != 0) {
            return QStringLiteral("<quorvane-rtf failed>");
        }
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }

    // Whether every whole-word occurrence of phrase in the editor is bold and underlined.
    bool emphasisedEverywhere(RichTextEditor* editor, const QString& phrase, int* occurrences)
    {
        *occurrences = 0;
        for (int at = editor->find(phrase, 0); at >= 0; at = editor->find(phrase, at + 1)) {
            ++*occurrences;
            QTextCursor cursor(editor->document());
            cursor.setPosition(at + 1);
            const QTextCharFormat format = cursor.charFormat();
            if (format.fontWeight() < QFont::Bold || !format.fontUnderline()) {
                return false;
            }
        }
        return true;
    }

} // namespace

class TestTextPanes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void actionTakenIsSavedAndShownAgain();
    void policiesOfEntryFortySeven();
    void referencePaneSavesNothing();
    void emptyCommentsAreSavedEmpty();
    void leavingAnEditedPaneAsksOnce();
    void failedWriteKeepsTheOldNote();
    void safeguardExampleRules();
    void referenceTextsOfEveryEntry_data();
    void referenceTextsOfEveryEntry();
    void textLocationFollowsTheCaret();
    void paneScreenshots();
};

void TestTextPanes::actionTakenIsSavedAndShownAgain()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 14);
    choosePane(area, WorkPanel::ActionTaken);
    QCOMPARE(area->state().currentPane, 3);
    QVERIFY(!area->workPanel().editor()->isReadOnly());
    QVERIFY(area->workPanel().command(WorkPanel::Save)->isEnabled());
    typeText(area, QStringLiteral("Passwords of 14 characters since March."));
    RichTextEditor* editor = area->workPanel().editor();
    editor->select(0, 9);
    editor->setSelBold(true);
    QCOMPARE(area->state().unsavedChanges, 1);

    spine.prompter.answer(PromptAnswer::Ok);
    press(area, QStringLiteral("SSCommand6"), -1);
    QCOMPARE(spine.prompter.prompts().last().title, QStringLiteral("File Save Command"));
    QCOMPARE(spine.prompter.prompts().last().text, ActionSaved);
    QCOMPARE(area->state().unsavedChanges, 0);
    const QString path = spine.folder.dataPath(QStringLiteral("Action14.Fil"));
    QVERIFY(QFile::exists(path));
    QCOMPARE(toolText(path), QStringLiteral("Passwords of 14 characters since March."));

    // Another entry, then back: the same pane comes up with the saved text and its bold word.
    press(area, QStringLiteral("SSCommand14"), 3);
    QVERIFY(area->workPanel().paneOption(WorkPanel::ActionTaken)->isChecked());
    QVERIFY(editor->text().isEmpty());
    press(area, QStringLiteral("SSCommand14"), 14);
    QCOMPARE(editor->text(), QStringLiteral("Passwords of 14 characters since March."));
    editor->select(0, 9);
    QCOMPARE(editor->selBold(), std::optional<bool>(true));
    editor->select(10, 2);
    QCOMPARE(editor->selBold(), std::optional<bool>(false));
}

void TestTextPanes::policiesOfEntryFortySeven()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 6);
    press(area, QStringLiteral("SSCommand13"), 1);
    choosePane(area, WorkPanel::PoliciesProcedures);
    QCOMPARE(area->state().documentKind, 1);
    typeText(area, QStringLiteral("Documentation is kept six years."));
    spine.prompter.answer(PromptAnswer::Ok);
    area->menuAction(QStringLiteral("mOSave"))->trigger();
    QCOMPARE(spine.prompter.prompts().last().text, PolicySaved);
    QCOMPARE(toolText(spine.folder.dataPath(QStringLiteral("Policy46.Fil"))),
             QStringLiteral("Documentation is kept six years."));

    // The overview entry's policy is no archivable document and has no template.
    press(area, QStringLiteral("SSCommand13"), 0);
    QVERIFY(area->workPanel().paneOption(WorkPanel::PoliciesProcedures)->isChecked());
    QCOMPARE(area->state().documentKind, 0);
    QVERIFY(!area->workPanel().templateButton()->isEnabled());
}

void TestTextPanes::referencePaneSavesNothing()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 0);
    choosePane(area, WorkPanel::ImplementationSpecification);
    QVERIFY(area->workPanel().editor()->isReadOnly());
    QVERIFY(!area->workPanel().command(WorkPanel::Save)->isEnabled());
    QVERIFY(!area->menuAction(QStringLiteral("mOSave"))->isEnabled());
    area->save();
    QCOMPARE(spine.prompter.prompts().size(), 0);
    QCOMPARE(QDir(spine.folder.dataDir()).entryList({QStringLiteral("*.Fil")}, QDir::Files),
             QStringList{QStringLiteral("Stat1.Fil")});
}

void TestTextPanes::emptyCommentsAreSavedEmpty()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 3);
    press(area, QStringLiteral("SSCommand17"), 2);
    choosePane(area, WorkPanel::CommentsNotes);
    spine.prompter.answer(PromptAnswer::Ok);
    press(area, QStringLiteral("SSCommand6"), -1);
    QCOMPARE(spine.prompter.prompts().last().text, ActionSaved);
    const QString path = spine.folder.dataPath(QStringLiteral("Comment25.Fil"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("{\\rtf1"));
    QCOMPARE(toolText(path), QString());
}

void TestTextPanes::leavingAnEditedPaneAsksOnce()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 4);
    press(area, QStringLiteral("SSCommand16"), 1);
    choosePane(area, WorkPanel::ActionTaken);
    typeText(area, QStringLiteral("Break-glass account in the safe."));

    // Yes saves the note before the reference text replaces it.
    spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    choosePane(area, WorkPanel::AdditionalInformation);
    QCOMPARE(spine.prompter.prompts().size(), 2);
    QCOMPARE(spine.prompter.prompts()[0].text, QStringLiteral("Save changes/entries before next action?"));
    QCOMPARE(spine.prompter.prompts()[1].text, ActionSaved);
    QCOMPARE(toolText(spine.folder.dataPath(QStringLiteral("Action34.Fil"))),
             QStringLiteral("Break-glass account in the safe."));
    QVERIFY(area->workPanel().editor()->text().startsWith(QStringLiteral("Additional Information:")));

    // The work panel's exit saves through the note it was loaded from, although the area is 0 by then.
    choosePane(area, WorkPanel::ActionTaken);
    area->workPanel().editor()->moveCursor(QTextCursor::End);
    typeText(area, QStringLiteral(" Checked monthly."));
    spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(area, QStringLiteral("SSCommand7"), -1);
    QCOMPARE(spine.prompter.prompts().size(), 4);
    QCOMPARE(area->state().area, 0);
    QCOMPARE(toolText(spine.folder.dataPath(QStringLiteral("Action34.Fil"))),
             QStringLiteral("Break-glass account in the safe. Checked monthly."));
}

void TestTextPanes::failedWriteKeepsTheOldNote()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 2);
    choosePane(area, WorkPanel::PoliciesProcedures);
    typeText(area, QStringLiteral("First version."));
    spine.prompter.answer(PromptAnswer::Ok);
    area->save();
    const QString path = spine.folder.dataPath(QStringLiteral("Policy2.Fil"));
    QFile before(path);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray old = before.readAll();
    before.close();

    typeText(area, QStringLiteral(" Second."));
    WriteFaults::inject(QStringLiteral("Policy2.Fil"), 1, 10);
    spine.prompter.answer(PromptAnswer::Ok);
    area->save();
    WriteFaults::clear();
    const Prompt& told = spine.prompter.prompts().last();
    QCOMPARE(told.icon, PromptIcon::Critical);
    QVERIFY(told.text.contains(QStringLiteral("could not be saved")));
    QVERIFY(!told.text.contains(QStringLiteral("Has Been Saved")));
    QFile after(path);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), old);
}

void TestTextPanes::safeguardExampleRules()
{
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    ActionArea* area = spine.begin();
    spine.prompter.answer(PromptAnswer::Ok);
    press(area, QStringLiteral("SSCommand11"), 9);
    WorkPanel& panel = area->workPanel();
    QCOMPARE(panel.checkedPaneOption(), -1);

    choosePane(area, WorkPanel::ActionTaken);
    QVERIFY(panel.editor()->isReadOnly());
    QVERIFY(panel.editor()->text().contains(QStringLiteral("Valdren")));
    choosePane(area, WorkPanel::CommentsNotes);
    QVERIFY(panel.editor()->isReadOnly());

    spine.prompter.answer(PromptAnswer::Ok);
    choosePane(area, WorkPanel::PoliciesProcedures);
    QCOMPARE(spine.prompter.prompts().last().title, QStringLiteral("Policies and Procedures/Plan"));
    QVERIFY(!panel.editor()->isReadOnly());
    typeText(area, QStringLiteral("My change."));

    spine.prompter.answer(PromptAnswer::Ok);
    area->save();
    QCOMPARE(spine.prompter.prompts().last().title, QStringLiteral("Save Command"));
    QCOMPARE(spine.prompter.prompts().last().text, QStringLiteral("Unable to save changes to sample."));
    QCOMPARE(spine.prompter.prompts().last().icon, PromptIcon::Question);

    // Changes are simply dropped: no question when the pane or the area changes, no notice twice.
    const int asked = static_cast<int>(spine.prompter.prompts().size());
    typeText(area, QStringLiteral("More."));
    choosePane(area, WorkPanel::ActionTaken);
    choosePane(area, WorkPanel::PoliciesProcedures);
    press(area, QStringLiteral("SSCommand11"), 2);
    QCOMPARE(spine.prompter.prompts().size(), asked);
    QCOMPARE(QDir(spine.folder.dataDir()).entryList({QStringLiteral("Policy*")}, QDir::Files), QStringList());
}

void TestTextPanes::referenceTextsOfEveryEntry_data()
{
    QTest::addColumn<int>("safeguard");
    for (const catalogue::Entry& entry : catalogue::entries()) {
        QTest::addRow("%d", entry.safeguard) << entry.safeguard;
    }
}

void TestTextPanes::referenceTextsOfEveryEntry()
{
    QFETCH(int, safeguard);
    const catalogue::Entry* entry = catalogue::entryBySafeguard(safeguard);
    const catalogue::FamilyInfo& family = catalogue::family(entry->family);
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), family.area);
    press(area, family.buttonArray.toString(), entry->button);
    WorkPanel& panel = area->workPanel();
    RichTextEditor* editor = panel.editor();

    const struct
    {
        WorkPanel::PaneOption option;
        reftexts::Kind kind;
        const char16_t* heading;
    } panes[] = {
        {WorkPanel::ImplementationSpecification, reftexts::Kind::Specification, u"Implementation Specification:"},
        {WorkPanel::ReferencesInRule, reftexts::Kind::References, u"References in Rule:"},
        {WorkPanel::AdditionalInformation, reftexts::Kind::Information, u"Additional Information:"},
    };
    for (const auto& pane : panes) {
        QRadioButton* option = panel.paneOption(pane.option);
        if (!reftexts::isAvailable(entry->file, pane.kind)) {
            QVERIFY(!option->isEnabled());
            continue;
        }
        choosePane(area, pane.option);
        const QString text = editor->text();
        QVERIFY2(text.startsWith(QString::fromUtf16(pane.heading)), qPrintable(text.left(60)));
        QVERIFY(text.size() > 200);
        QVERIFY(editor->isReadOnly());
        if (pane.kind == reftexts::Kind::Information && !reftexts::installedFile(entry->file, pane.kind)) {
            const bool addressable = entry->requirement == catalogue::Requirement::Addressable;
            QCOMPARE(text.contains(QStringLiteral("This Implementation Specification is Addressable.")), addressable);
        }
        if (reftexts::isAssembled(entry->file, pane.kind)) {
            const QString phrase = reftexts::highlightPhrase(entry->file, pane.kind);
            int occurrences = 0;
            QVERIFY2(emphasisedEverywhere(editor, phrase, &occurrences), qPrintable(phrase));
            QVERIFY2(occurrences > 0, qPrintable(phrase));
        }
    }
}

void TestTextPanes::textLocationFollowsTheCaret()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    choosePane(area, WorkPanel::CommentsNotes);
    typeText(area, QStringLiteral("First"));
    QTest::keyClick(area->workPanel().editor(), Qt::Key_Return);
    typeText(area, QStringLiteral("Second"));
    WorkPanel& panel = area->workPanel();
    QTest::mouseClick(panel.textLocationOption(1), Qt::LeftButton, {}, QPoint(8, 8));
    RichTextEditor* editor = panel.editor();
    QCOMPARE(editor->document()->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(editor->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    editor->setSelStart(1);
    QVERIFY(panel.textLocationOption(0)->isChecked());
    editor->setSelStart(editor->text().size());
    QVERIFY(panel.textLocationOption(1)->isChecked());
    // Tab stays in the text.
    QTest::keyClick(editor, Qt::Key_Tab);
    QVERIFY(editor->hasFocus() || !area->isActiveWindow());
    QVERIFY(editor->text().endsWith(QLatin1Char('\t')));
}

void TestTextPanes::paneScreenshots()
{
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    ActionArea* area = spine.begin();
    showAtSize(area, QSize(1024, 768));
    QVERIFY(QTest::qWaitForWindowExposed(area));
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 14);
    const char* names[] = {"specification", "references", "information", "action", "comments", "policies"};
    for (int option = 0; option < WorkPanel::PaneOptionCount; ++option) {
        choosePane(area, static_cast<WorkPanel::PaneOption>(option));
        QTest::qWait(10);
        grabToPng(area, QStringLiteral("pane-%1").arg(QLatin1String(names[option])));
    }
}

QTEST_MAIN(TestTextPanes)
#include "test_textpanes.moc"
