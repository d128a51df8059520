#include "spinefixture.h"

#include "core/storage/programfolder.h"
#include "gui/actionarea/actionarea.h"
#include "gui/catalogue/policytemplates.h"
#include "gui/documents/planarea.h"
#include "gui/kit/availability.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTest>

using namespace qv;
using namespace qv::test;
using namespace Qt::StringLiterals;

namespace {

    const QString PlanFile = QStringLiteral("DRPln1.Fil");
    const QString PlanSaved = QStringLiteral("Disaster Recovery Plan Has Been Saved!");
    const QString PlanNotice =
        QStringLiteral("In response to a request from a user, we have included a copy of a sample Disaster Recovery "
                       "Plan. \r\rThis plan is for a larger organization and may or may not be applicable to your "
                       "organization.\r\rHopefully, it will give you some ideas on how to address disaster recovery "
                       "in your situation.\r\r\rIf you are a small provider then much of this plan can be cut down or "
                       "covered in a few sentences instead of the lists and so forth as contained in this plan.\r\r"
                       "You can use this template to make changes in this program and save your changes, etc. or you "
                       "can copy and paste this document into your word processor and work on it there.");

    Prompt question(const QString& what)
    {
        return {QStringLiteral("Insert Template"),
                QStringLiteral("The program has detected an existing ") + what +
                    QStringLiteral("\r\rIf you insert template and save file the existing file will be "
                                   "overwritten!\r\rInsert new Template?"),
                PromptIcon::Warning,
                PromptButtons::YesNoCancel,
                PromptAnswer::No};
    }

    const QByteArray WrittenPolicy = "{\\rtf1\\ansi Our own policy.\\par}";
    const QByteArray WrittenPlan = "{\\rtf1\\ansi Call the backup site first.\\par}";
    const QByteArray BlankDocument = "{\\rtf1\\ansi    \\par   \\par}";

    // An installed document as the editor shows it.
    QString installedText(const QString& name)
    {
        RichTextEditor reader;
        if (!reader.loadFile(QStringLiteral(QUORVANE_CONTENT_DIR "/") + name)) {
            return QStringLiteral("<%1 is not installed>").arg(name);
        }
        return reader.text();
    }

    QString savedText(const QString& path)
    {
        RichTextEditor reader;
        return reader.loadFile(path) ? reader.text() : QStringLiteral("<unreadable>");
    }

    QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

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

    void pressTemplate(ActionArea* area)
    {
        CaptionButton* button = area->workPanel().templateButton();
        QVERIFY2(button->isEnabled(), "the template button is disabled");
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Enters the plan area, answering the sample's notice when no plan with text is on file.
    void enterPlan(Spine& spine, ActionArea* area, bool expectNotice)
    {
        if (expectNotice) {
            spine.prompter.answer(PromptAnswer::Ok);
        }
        const qsizetype before = spine.prompter.prompts().size();
        press(area, QStringLiteral("SSCommand11"), 8);
        const QList<Prompt>& shown = spine.prompter.prompts();
        QCOMPARE(shown.size(), before + (expectNotice ? 1 : 0));
        if (expectNotice) {
            QCOMPARE(shown.last().title, QStringLiteral("Disaster Recovery Plan Information"));
            QCOMPARE(shown.last().text, PlanNotice);
            QCOMPARE(shown.last().icon, PromptIcon::Information);
        }
    }

} // namespace

class TestPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void policyTemplateByArea_data();
    void policyTemplateByArea();
    void planTemplateChoice();
    void firstEntryShowsTheSampleAndSavingKeepsIt();
    void planOnFileDecidesTheSample_data();
    void planOnFileDecidesTheSample();
    void failedPlanWriteKeepsTheOldPlan();
    void editedPlanIsSavedWhenLeaving();
    void exitSavesThePlanNotTheLastNote();
    void policyTemplate_data();
    void policyTemplate();
    void planTemplate_data();
    void planTemplate();
    void exampleAlwaysAsks();
    void missingTemplateLeavesTheEditor();
    void templateButtonState_data();
    void templateButtonState();
};

void TestPlan::policyTemplateByArea_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("templateFile");
    QTest::addColumn<QString>("existingFile");
    QTest::addColumn<QString>("what");

    const QString policy = QStringLiteral("Policy and Procedure/Plan.");
    // The numbers follow the area's own rule, worked out here by hand, not taken from the catalogue.
    QTest::newRow("administrative 0") << 2 << 0 << u"Misc14.Fl1"_s << u"Policy0.Fil"_s << policy;
    QTest::newRow("administrative 3") << 2 << 3 << u"Misc17.Fl1"_s << u"Policy3.Fil"_s << policy;
    QTest::newRow("administrative 22") << 2 << 22 << u"Misc36.Fl1"_s << u"Policy22.Fil"_s << policy;
    QTest::newRow("physical 0") << 3 << 0 << u"Misc37.Fl1"_s << u"Policy23.Fil"_s << policy;
    QTest::newRow("technical 2") << 4 << 2 << u"Misc49.Fl1"_s << u"Policy35.Fil"_s << policy;
    QTest::newRow("organization 1") << 5 << 1 << u"Misc61.Fl1"_s << u"Policy43.Fil"_s << policy;
    QTest::newRow("policies 1") << 6 << 1 << u"Misc63.Fl1"_s << u"Policy46.Fil"_s << policy;
    QTest::newRow("example") << 9 << 0 << u"Misc28.Fl1"_s << QString() << policy;
    // The plan's template is the plan area's own.
    for (int area : {0, 1, 7, 8, 10, 11}) {
        QTest::addRow("area %d has none", area) << area << 0 << QString() << QString() << QString();
    }
    QTest::newRow("organization overview") << 5 << 0 << QString() << QString() << QString();
    QTest::newRow("policies overview") << 6 << 0 << QString() << QString() << QString();
    QTest::newRow("no such entry") << 2 << 23 << QString() << QString() << QString();
    QTest::newRow("negative entry") << 4 << -1 << QString() << QString() << QString();
}

void TestPlan::policyTemplateByArea()
{
    QFETCH(int, area);
    QFETCH(int, item);
    QFETCH(QString, templateFile);
    QFETCH(QString, existingFile);
    QFETCH(QString, what);
    const std::optional<TemplateChoice> choice = qv::policyTemplate(area, item);
    if (templateFile.isEmpty()) {
        QVERIFY(!choice);
        return;
    }
    QVERIFY(choice);
    QCOMPARE(choice->templateFile, templateFile);
    QCOMPARE(choice->existingFile, existingFile);
    QCOMPARE(choice->what, what);
}

void TestPlan::planTemplateChoice()
{
    const TemplateChoice choice = PlanArea::templateChoice();
    QCOMPARE(choice.templateFile, QStringLiteral("Misc60.Fl1"));
    QCOMPARE(choice.existingFile, PlanFile);
    QCOMPARE(choice.what, QStringLiteral("Disaster Recovery Plan."));
}

void TestPlan::firstEntryShowsTheSampleAndSavingKeepsIt()
{
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    ActionArea* area = spine.begin();
    enterPlan(spine, area, true);
    WorkPanel& panel = area->workPanel();
    const QString sample = installedText(QStringLiteral("Misc60.Fl1"));
    QVERIFY(!sample.trimmed().isEmpty());
    QCOMPARE(panel.editor()->text(), sample);
    QCOMPARE(area->state().unsavedChanges, 0);
    QCOMPARE(area->state().documentKind, 0);
    QVERIFY(!area->menuAction(QStringLiteral("mOArchive"))->isEnabled());
    QVERIFY(panel.command(WorkPanel::Save)->isEnabled());
    QVERIFY(area->menuAction(QStringLiteral("mOSave"))->isEnabled());
    QVERIFY(!panel.editor()->isReadOnly());

    spine.prompter.answer(PromptAnswer::Ok);
    press(area, QStringLiteral("SSCommand6"), -1);
    const Prompt told = spine.prompter.prompts().last();
    QCOMPARE(told.title, QStringLiteral("File Save Command"));
    QCOMPARE(told.text, PlanSaved);
    QCOMPARE(told.icon, PromptIcon::Information);
    QCOMPARE(savedText(spine.folder.dataPath(PlanFile)), sample);
    QCOMPARE(area->state().documentKind, 1);
    QCOMPARE(area->state().documentName, QStringLiteral("Disaster Recovery Plan"));

    // Nothing was changed, so leaving asks nothing; coming back finds the saved plan and says nothing.
    press(area, QStringLiteral("SSCommand11"), 3);
    QCOMPARE(area->state().documentKind, 0);
    enterPlan(spine, area, false);
    QCOMPARE(panel.editor()->text(), sample);
    QCOMPARE(area->state().documentKind, 1);
    QCOMPARE(area->state().unsavedChanges, 0);
}

void TestPlan::planOnFileDecidesTheSample_data()
{
    QTest::addColumn<QByteArray>("planBytes");
    QTest::addColumn<bool>("notice");
    QTest::addColumn<int>("kind");

    QTest::newRow("no plan file") << QByteArray() << true << 0;
    QTest::newRow("blanks only") << BlankDocument << true << 0;
    QTest::newRow("empty file") << QByteArray("") << true << 0;
    QTest::newRow("a plan with text") << WrittenPlan << false << 1;
}

void TestPlan::planOnFileDecidesTheSample()
{
    QFETCH(QByteArray, planBytes);
    QFETCH(bool, notice);
    QFETCH(int, kind);
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    if (!planBytes.isNull()) {
        QVERIFY(spine.folder.putData(PlanFile, planBytes));
    }
    ActionArea* area = spine.begin();
    enterPlan(spine, area, notice);
    const QString shown = area->workPanel().editor()->text();
    QCOMPARE(shown,
             notice ? installedText(QStringLiteral("Misc60.Fl1")) : QStringLiteral("Call the backup site first."));
    QCOMPARE(area->state().documentKind, kind);
    // The archive command follows the plan, as far as archiving is in the program.
    QAction* archive = area->menuAction(QStringLiteral("mOArchive"));
    QCOMPARE(archive->isEnabled(), kind == 1 && isAvailable(archive));
    QCOMPARE(area->state().unsavedChanges, 0);
    // Showing the file or the sample wrote nothing.
    QCOMPARE(QFile::exists(spine.folder.dataPath(PlanFile)), !planBytes.isNull());

    // The first keystroke after entering counts as an edit.
    typeText(area, QStringLiteral("x"));
    QCOMPARE(area->state().unsavedChanges, 1);
}

void TestPlan::failedPlanWriteKeepsTheOldPlan()
{
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    QVERIFY(spine.folder.putData(PlanFile, WrittenPlan));
    ActionArea* area = spine.begin();
    enterPlan(spine, area, false);
    typeText(area, QStringLiteral("Then the insurer. "));
    QCOMPARE(area->state().unsavedChanges, 1);

    WriteFaults::inject(PlanFile, 1, 10);
    spine.prompter.answer(PromptAnswer::Ok);
    area->save();
    WriteFaults::clear();
    const Prompt told = spine.prompter.prompts().last();
    QCOMPARE(told.icon, PromptIcon::Critical);
    QVERIFY(told.text.contains(QStringLiteral("could not be saved")));
    QVERIFY(!told.text.contains(QStringLiteral("Has Been Saved")));
    QCOMPARE(bytesOf(spine.folder.dataPath(PlanFile)), WrittenPlan);
    QCOMPARE(area->state().unsavedChanges, 1);

    // The next attempt goes through.
    spine.prompter.answer(PromptAnswer::Ok);
    area->save();
    QCOMPARE(spine.prompter.prompts().last().text, PlanSaved);
    const QString saved = savedText(spine.folder.dataPath(PlanFile));
    QVERIFY2(saved.contains(QStringLiteral("Then the insurer.")) &&
                 saved.contains(QStringLiteral("Call the backup site first.")),
             qPrintable(saved));
    QCOMPARE(area->state().unsavedChanges, 0);
}

void TestPlan::editedPlanIsSavedWhenLeaving()
{
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    ActionArea* area = spine.begin();
    enterPlan(spine, area, true);
    RichTextEditor* editor = area->workPanel().editor();
    editor->clear();
    typeText(area, QStringLiteral("Our plan."));
    QCOMPARE(area->state().unsavedChanges, 1);

    spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(area, QStringLiteral("SSCommand11"), 2);
    const QStringList texts = spine.prompter.texts();
    QCOMPARE(texts.mid(texts.size() - 2),
             (QStringList{QStringLiteral("Save changes/entries before next action?"), PlanSaved}));
    QCOMPARE(savedText(spine.folder.dataPath(PlanFile)), QStringLiteral("Our plan."));

    // An emptied plan is saved too, and the sample is back on the next entry.
    enterPlan(spine, area, false);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QVERIFY(editor->text().isEmpty());
    spine.prompter.answer(PromptAnswer::Ok);
    area->save();
    QVERIFY(bytesOf(spine.folder.dataPath(PlanFile)).startsWith("{\\rtf1"));
    QCOMPARE(area->state().documentKind, 0);
    press(area, QStringLiteral("SSCommand11"), 2);
    enterPlan(spine, area, true);
}

void TestPlan::exitSavesThePlanNotTheLastNote()
{
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    QVERIFY(spine.folder.putData(QStringLiteral("Policy3.Fil"), WrittenPolicy));
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 3);
    choosePane(area, WorkPanel::PoliciesProcedures);
    enterPlan(spine, area, true);
    area->workPanel().editor()->setSelStart(0);
    typeText(area, QStringLiteral("Plan edit. "));

    spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(area, QStringLiteral("SSCommand7"), -1);
    QCOMPARE(spine.prompter.texts().mid(1),
             (QStringList{QStringLiteral("Save changes/entries before next action?"), PlanSaved}));
    QVERIFY(savedText(spine.folder.dataPath(PlanFile)).startsWith(QStringLiteral("Plan edit. ")));
    QCOMPARE(bytesOf(spine.folder.dataPath(QStringLiteral("Policy3.Fil"))), WrittenPolicy);
    QCOMPARE(area->state().area, 0);
}

void TestPlan::policyTemplate_data()
{
    QTest::addColumn<QByteArray>("policyBytes");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("loaded");

    QTest::newRow("no policy file") << QByteArray() << false << int(PromptAnswer::Ok) << true;
    QTest::newRow("blank policy file") << BlankDocument << false << int(PromptAnswer::Ok) << true;
    QTest::newRow("policy with text, Yes") << WrittenPolicy << true << int(PromptAnswer::Yes) << true;
    QTest::newRow("policy with text, No") << WrittenPolicy << true << int(PromptAnswer::No) << false;
    QTest::newRow("policy with text, Cancel") << WrittenPolicy << true << int(PromptAnswer::Cancel) << false;
}

void TestPlan::policyTemplate()
{
    QFETCH(QByteArray, policyBytes);
    QFETCH(bool, asked);
    QFETCH(int, answer);
    QFETCH(bool, loaded);
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    const QString policyPath = spine.folder.dataPath(QStringLiteral("Policy3.Fil"));
    if (!policyBytes.isNull()) {
        QVERIFY(spine.folder.putData(QStringLiteral("Policy3.Fil"), policyBytes));
    }
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 3);
    choosePane(area, WorkPanel::PoliciesProcedures);
    RichTextEditor* editor = area->workPanel().editor();
    const QString before = editor->text();
    QCOMPARE(area->state().unsavedChanges, 0);

    if (asked) {
        spine.prompter.answer(PromptAnswer(answer));
    }
    pressTemplate(area);
    QCOMPARE(spine.prompter.prompts().size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(spine.prompter.prompts().first(), question(QStringLiteral("Policy and Procedure/Plan.")));
    }
    QCOMPARE(editor->text(), loaded ? installedText(QStringLiteral("Misc17.Fl1")) : before);
    QCOMPARE(area->state().unsavedChanges, loaded ? 1 : 0);
    // Nothing is written until the user saves.
    QCOMPARE(bytesOf(policyPath), policyBytes.isNull() ? QByteArray("<missing>") : policyBytes);

    if (loaded) {
        spine.prompter.answer(PromptAnswer::Ok);
        area->save();
        QCOMPARE(savedText(policyPath), installedText(QStringLiteral("Misc17.Fl1")));
    }
}

void TestPlan::planTemplate_data()
{
    QTest::addColumn<bool>("planOnFile");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("loaded");

    QTest::newRow("no plan") << false << int(PromptAnswer::Ok) << true;
    QTest::newRow("plan on file, Yes") << true << int(PromptAnswer::Yes) << true;
    QTest::newRow("plan on file, No") << true << int(PromptAnswer::No) << false;
}

void TestPlan::planTemplate()
{
    QFETCH(bool, planOnFile);
    QFETCH(int, answer);
    QFETCH(bool, loaded);
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    if (planOnFile) {
        QVERIFY(spine.folder.putData(PlanFile, WrittenPlan));
    }
    ActionArea* area = spine.begin();
    enterPlan(spine, area, !planOnFile);
    spine.prompter.takePrompts();
    RichTextEditor* editor = area->workPanel().editor();
    // Something of the user's in the editor, so that a reload of the sample shows.
    editor->setText(QStringLiteral("Draft."));
    area->state().unsavedChanges = 0;

    if (planOnFile) {
        spine.prompter.answer(PromptAnswer(answer));
    }
    pressTemplate(area);
    QCOMPARE(spine.prompter.prompts().size(), planOnFile ? 1 : 0);
    if (planOnFile) {
        QCOMPARE(spine.prompter.prompts().first(), question(QStringLiteral("Disaster Recovery Plan.")));
    }
    QCOMPARE(editor->text(), loaded ? installedText(QStringLiteral("Misc60.Fl1")) : QStringLiteral("Draft."));
    QCOMPARE(area->state().unsavedChanges, loaded ? 1 : 0);
    QCOMPARE(bytesOf(spine.folder.dataPath(PlanFile)), planOnFile ? WrittenPlan : QByteArray("<missing>"));
}

void TestPlan::exampleAlwaysAsks()
{
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    ActionArea* area = spine.begin();
    spine.prompter.answer(PromptAnswer::Ok);
    press(area, QStringLiteral("SSCommand11"), 9);
    spine.prompter.answer(PromptAnswer::Ok);
    choosePane(area, WorkPanel::PoliciesProcedures);
    RichTextEditor* editor = area->workPanel().editor();
    const QString sample = editor->text();
    QVERIFY(!sample.isEmpty());
    spine.prompter.takePrompts();

    spine.prompter.answer(PromptAnswer::No);
    pressTemplate(area);
    QCOMPARE(spine.prompter.prompts().size(), 1);
    QCOMPARE(spine.prompter.prompts().first(), question(QStringLiteral("Policy and Procedure/Plan.")));
    QCOMPARE(editor->text(), sample);

    spine.prompter.answer(PromptAnswer::Yes);
    pressTemplate(area);
    QCOMPARE(spine.prompter.prompts().size(), 2);
    QCOMPARE(editor->text(), installedText(QStringLiteral("Misc28.Fl1")));
    QCOMPARE(area->state().unsavedChanges, 1);
    // The example writes nothing, template or not.
    QCOMPARE(QDir(spine.folder.dataDir()).entryList({QStringLiteral("Policy*")}, QDir::Files), QStringList());
}

void TestPlan::missingTemplateLeavesTheEditor()
{
    // No installed documents at all: neither templates nor the sample plan.
    Spine spine;
    QVERIFY(spine.folder.putData(QStringLiteral("Policy3.Fil"), WrittenPolicy));
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 3);
    choosePane(area, WorkPanel::PoliciesProcedures);
    RichTextEditor* editor = area->workPanel().editor();
    QCOMPARE(editor->text(), QStringLiteral("Our own policy."));
    spine.prompter.answer(PromptAnswer::Yes);
    pressTemplate(area);
    QCOMPARE(editor->text(), QStringLiteral("Our own policy."));
    QCOMPARE(area->state().unsavedChanges, 0);

    // Without the sample the plan area starts empty, still with its word on the sample.
    enterPlan(spine, area, true);
    QVERIFY(editor->text().isEmpty());
    pressTemplate(area);
    QVERIFY(editor->text().isEmpty());
    QCOMPARE(area->state().unsavedChanges, 0);
}

void TestPlan::templateButtonState_data()
{
    QTest::addColumn<int>("areaIndex");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("administrative policy") << 2 << 3 << int(WorkPanel::PoliciesProcedures) << true;
    QTest::newRow("administrative action taken") << 2 << 3 << int(WorkPanel::ActionTaken) << false;
    QTest::newRow("administrative comments") << 2 << 3 << int(WorkPanel::CommentsNotes) << false;
    QTest::newRow("administrative reference") << 2 << 3 << int(WorkPanel::ReferencesInRule) << false;
    QTest::newRow("physical policy") << 3 << 1 << int(WorkPanel::PoliciesProcedures) << true;
    QTest::newRow("organization overview") << 5 << 0 << int(WorkPanel::PoliciesProcedures) << false;
    QTest::newRow("organization entry") << 5 << 1 << int(WorkPanel::PoliciesProcedures) << true;
    QTest::newRow("policies overview") << 6 << 0 << int(WorkPanel::PoliciesProcedures) << false;
    QTest::newRow("policies entry") << 6 << 1 << int(WorkPanel::PoliciesProcedures) << true;
}

void TestPlan::templateButtonState()
{
    QFETCH(int, areaIndex);
    QFETCH(int, item);
    QFETCH(int, option);
    QFETCH(bool, enabled);
    static const QString arrays[] = {
        u"SSCommand14"_s, u"SSCommand17"_s, u"SSCommand16"_s, u"SSCommand15"_s, u"SSCommand13"_s};
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), areaIndex);
    if (item > 0) {
        press(area, arrays[areaIndex - 2], item);
    }
    choosePane(area, WorkPanel::PaneOption(option));
    CaptionButton* button = area->workPanel().templateButton();
    QCOMPARE(button->isEnabled(), enabled);
    // Even run directly, the command leaves a pane without a template alone.
    const QString before = area->workPanel().editor()->text();
    if (!enabled) {
        QVERIFY(!insertPolicyTemplate(*area));
        QCOMPARE(area->workPanel().editor()->text(), before);
        QCOMPARE(spine.prompter.prompts().size(), 0);
    }
}

QTEST_MAIN(TestPlan)
#include "test_plan.moc"
