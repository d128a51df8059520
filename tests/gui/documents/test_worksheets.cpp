#include "spinefixture.h"

#include "core/catalogue/statusstore.h"
#include "core/rtf/richtextfile.h"
#include "core/storage/fixedrecordfile.h"
#include "core/storage/programfolder.h"
#include "foldersnapshot.h"
#include "gui/actionarea/actionarea.h"
#include "gui/documents/worksheetarea.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>

using namespace qv;
using namespace qv::test;

namespace {

    const QString Saved = QStringLiteral("Risk Analysis Worksheet Has Been Saved/Updated!");

    // The worksheets, after the user worked on "Action Taken" in a family: the editor's pane is kept
    // across areas, and only a note pane makes typing count as an unsaved change.
    ActionArea* enterWorksheets(Spine& spine, bool afterActionTaken = false)
    {
        ActionArea* area = spine.begin();
        if (!area) {
            return nullptr;
        }
        if (afterActionTaken) {
            press(area, QStringLiteral("SSCommand11"), 2);
            QRadioButton* option = area->workPanel().paneOption(WorkPanel::ActionTaken);
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
        }
        press(area, QStringLiteral("SSCommand11"), 7);
        return area;
    }

    CaptionButton* worksheetButton(ActionArea* area, int n)
    {
        return controlAt<CaptionButton>(area, QStringLiteral("SSCommand12"), n);
    }

    void typeText(ActionArea* area, const QString& text)
    {
        RichTextEditor* editor = area->workPanel().editor();
        editor->setFocus();
        QTest::keyClicks(editor, text);
    }

    // Types into the title panel's boxes (only those given) and leaves it with "Save Changes".
    void saveTitles(ActionArea* area, const QMap<int, QString>& typed)
    {
        area->menuAction(QStringLiteral("mOWkTitle"))->trigger();
        QFrame* panel = area->worksheetArea()->titlePanel();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->geometry(), panel->parentWidget()->rect());
        for (auto it = typed.begin(); it != typed.end(); ++it) {
            auto* box = controlAt<QLineEdit>(panel, QStringLiteral("Text3"), it.key());
            box->clear();
            QTest::keyClicks(box, it.value());
        }
        press(panel, QStringLiteral("SSCommand21"), 0);
        QVERIFY(!panel->isVisible());
    }

    void clickSave(ActionArea* area)
    {
        QPushButton* save = area->workPanel().command(WorkPanel::Save);
        QVERIFY(save->isEnabled());
        QTest::mouseClick(save, Qt::LeftButton);
    }

    void reenter(ActionArea* area)
    {
        press(area, QStringLiteral("SSCommand11"), 2);
        press(area, QStringLiteral("SSCommand11"), 7);
    }

    void putWorksheet(const ProgramFolder& folder, int n, const QString& text)
    {
        QTextDocument doc;
        doc.setPlainText(text);
        QVERIFY(saveRichText(folder, QStringLiteral("Wksht%1.Fil").arg(n), doc));
    }

    QString worksheetText(const ProgramFolder& folder, int n)
    {
        QTextDocument doc;
        const Result<LoadOutcome> loaded =
            loadRichText(folder, QStringLiteral("Wksht%1.Fil").arg(n), ProgramFolder::Place::Data, doc);
        return loaded && loaded.value() == LoadOutcome::Loaded ? doc.toPlainText() : QStringLiteral("<none>");
    }

} // namespace

class TestWorksheets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void enteringShowsTitlesAndUnderlines();
    void titleOfSeventeenCharactersForLastWorksheet();
    void clearedBoxKeepsStoredTitle();
    void titleOutsideTheCodePageIsRefused();
    void removedTitlesFileRestoresDefaults();
    void choosingShowsWorksheetAndStatus();
    void pressingChosenAgainKeepsEdits();
    void blankWorksheetIsNeitherUnderlinedNorSaved();
    void statusIsFiledUnderWorksheetRecord_data();
    void statusIsFiledUnderWorksheetRecord();
    void saveWritesWorksheetFile_data();
    void saveWritesWorksheetFile();
    void failedSaveKeepsOldFile();
    void switchingWithEditsSavesTheShownWorksheet();
    void editsCountWhateverPaneWasShown();
    void newWorksheet_data();
    void newWorksheet();
    void statusTerms();
};

void TestWorksheets::cleanup()
{
    WriteFaults::clear();
}

void TestWorksheets::enteringShowsTitlesAndUnderlines()
{
    Spine spine;
    putWorksheet(spine.programFolder, 3, QStringLiteral("Stolen laptop"));
    ActionArea* area = enterWorksheets(spine);
    QVERIFY(area);

    for (int n = 0; n < 21; ++n) {
        CaptionButton* button = worksheetButton(area, n);
        QVERIFY(button && button->isVisible());
        QCOMPARE(button->toolTip(), button->text());
        QCOMPARE(button->isUnderlined(), n == 3);
        QVERIFY(!button->hasSelectedLook());
    }
    QCOMPARE(worksheetButton(area, 0)->text(), QStringLiteral("Risk Analysis # 1"));
    QCOMPARE(worksheetButton(area, 20)->text(), QStringLiteral("Risk Analysis #21"));
    QVERIFY(spine.programFolder.exists(QStringLiteral("RAList.Fil")));
    QCOMPARE(area->state().chosenWorksheet, 99);

    CaptionButton* templateButton = area->workPanel().templateButton();
    QCOMPARE(templateButton->text(), QStringLiteral("New Worksheet"));
    QVERIFY(!templateButton->isEnabled());
    QVERIFY(!area->workPanel().command(WorkPanel::Save)->isEnabled());
    QVERIFY(area->menuAction(QStringLiteral("mOWkTitle"))->isEnabled());
    QVERIFY(!area->worksheetArea()->statusTermsButton()->isVisible());

    press(area, QStringLiteral("SSCommand11"), 2);
    QCOMPARE(templateButton->text(), QStringLiteral("Insert Template"));
    QVERIFY(!area->menuAction(QStringLiteral("mOWkTitle"))->isEnabled());
    QVERIFY(!worksheetButton(area, 0)->isVisible());
}

void TestWorksheets::titleOfSeventeenCharactersForLastWorksheet()
{
    Spine spine;
    ActionArea* area = enterWorksheets(spine);
    QVERIFY(area);
    press(area, QStringLiteral("SSCommand12"), 20);
    QCOMPARE(area->state().documentKind, 2);
    // The box takes the first 17 of the 20 characters typed.
    saveTitles(area, {{20, QStringLiteral("Laptops & tablets!!!")}});
    const QString title = QStringLiteral("Laptops & tablets");
    QCOMPARE(area->windowTitle(), QStringLiteral("Action Area - Risk Analysis Worksheets - ") + title);
    QCOMPARE(area->state().documentKind, 0);
    QCOMPARE(worksheetButton(area, 20)->text(), title);
    QCOMPARE(worksheetButton(area, 20)->toolTip(), title);

    const Result<QString> record =
        FixedRecordFile(spine.programFolder, QStringLiteral("RAList.Fil"), 20).readString(21);
    QCOMPARE(record.valueOr(QString()), title);
    const QByteArray bytes = spine.programFolder.read(QStringLiteral("RAList.Fil")).valueOr({});
    QCOMPARE(bytes.size(), 420);
    QCOMPARE(bytes.at(400), char(17));
    QCOMPARE(bytes.at(401), char(0));

    reenter(area);
    QCOMPARE(worksheetButton(area, 20)->text(), title);
    QCOMPARE(worksheetButton(area, 19)->text(), QStringLiteral("Risk Analysis #20"));
}

void TestWorksheets::clearedBoxKeepsStoredTitle()
{
    Spine spine;
    ActionArea* area = enterWorksheets(spine);
    QVERIFY(area);
    saveTitles(area, {{0, QStringLiteral("Front desk")}});
    QCOMPARE(worksheetButton(area, 0)->text(), QStringLiteral("Front desk"));

    // The boxes keep what was typed; the labels show the current titles.
    area->menuAction(QStringLiteral("mOWkTitle"))->trigger();
    QFrame* panel = area->worksheetArea()->titlePanel();
    QCOMPARE(controlAt<QLineEdit>(panel, QStringLiteral("Text3"), 0)->text(), QStringLiteral("Front desk"));
    QCOMPARE(controlAt<QLabel>(panel, QStringLiteral("Label13"), 0)->text(), QStringLiteral("Front desk"));
    press(panel, QStringLiteral("SSCommand21"), 1);

    saveTitles(area, {{0, QString()}, {1, QStringLiteral("  Fax  ")}});
    QCOMPARE(worksheetButton(area, 0)->text(), QStringLiteral("Front desk"));
    QCOMPARE(worksheetButton(area, 1)->text(), QStringLiteral("Fax"));
    reenter(area);
    QCOMPARE(worksheetButton(area, 0)->text(), QStringLiteral("Front desk"));

    // Leaving without saving writes nothing.
    const QByteArray before = spine.programFolder.read(QStringLiteral("RAList.Fil")).valueOr({});
    area->menuAction(QStringLiteral("mOWkTitle"))->trigger();
    QTest::keyClicks(controlAt<QLineEdit>(panel, QStringLiteral("Text3"), 2), QStringLiteral("Email"));
    press(panel, QStringLiteral("SSCommand21"), 1);
    QVERIFY(!panel->isVisible());
    QCOMPARE(worksheetButton(area, 2)->text(), QStringLiteral("Risk Analysis # 3"));
    QCOMPARE(spine.programFolder.read(QStringLiteral("RAList.Fil")).valueOr({}), before);
    QCOMPARE(area->windowTitle(), QStringLiteral("Action Area - Risk Analysis Worksheets"));

    // Another area never shows the panel over its work panel.
    area->menuAction(QStringLiteral("mOWkTitle"))->trigger();
    QVERIFY(panel->isVisible());
    press(area, QStringLiteral("SSCommand11"), 3);
    QVERIFY(!panel->isVisible());
}

// "RAList.Fil" holds Windows-1252 only: a title it cannot hold would come back as "?ód? clinic".
void TestWorksheets::titleOutsideTheCodePageIsRefused()
{
    Spine spine;
    ActionArea* area = enterWorksheets(spine);
    QVERIFY(area);
    saveTitles(area, {{0, QStringLiteral("Front desk")}});
    const FolderSnapshot before(spine.folder.dataDir());

    area->menuAction(QStringLiteral("mOWkTitle"))->trigger();
    QFrame* panel = area->worksheetArea()->titlePanel();
    // Typed through an input method: QTest types ASCII keys only.
    controlAt<QLineEdit>(panel, QStringLiteral("Text3"), 1)->insert(QStringLiteral("Łódź clinic"));
    spine.prompter.answer(PromptAnswer::Ok);
    press(panel, QStringLiteral("SSCommand21"), 0);
    const Prompt shown = spine.prompter.prompts().last();
    QCOMPARE(shown.icon, PromptIcon::Critical);
    QVERIFY2(shown.text.contains(QStringLiteral("RAList.Fil")) && shown.text.contains(QStringLiteral("Łź")),
             qPrintable(shown.text));
    // The panel stays open with what was typed, to be corrected; nothing changed on disk or on the buttons.
    QVERIFY(panel->isVisible());
    QCOMPARE(controlAt<QLineEdit>(panel, QStringLiteral("Text3"), 1)->text(), QStringLiteral("Łódź clinic"));
    QCOMPARE(worksheetButton(area, 1)->text(), QStringLiteral("Risk Analysis # 2"));
    QCOMPARE(before.unexpectedChanges(), QString());
}

void TestWorksheets::removedTitlesFileRestoresDefaults()
{
    Spine spine;
    ActionArea* area = enterWorksheets(spine);
    QVERIFY(area);
    saveTitles(area, {{0, QStringLiteral("Payroll")}});
    reenter(area);
    QCOMPARE(worksheetButton(area, 0)->text(), QStringLiteral("Payroll"));

    press(area, QStringLiteral("SSCommand11"), 2);
    QVERIFY(spine.programFolder.remove(QStringLiteral("RAList.Fil")));
    press(area, QStringLiteral("SSCommand11"), 7);
    QCOMPARE(worksheetButton(area, 0)->text(), QStringLiteral("Risk Analysis # 1"));
    QCOMPARE(worksheetButton(area, 0)->toolTip(), QStringLiteral("Risk Analysis # 1"));
}

void TestWorksheets::choosingShowsWorksheetAndStatus()
{
    Spine spine;
    putWorksheet(spine.programFolder, 2, QStringLiteral("Fire in the server room"));
    QVERIFY(StatusStore(spine.programFolder).write(50, QStringLiteral("Partial")));
    ActionArea* area = enterWorksheets(spine);
    QVERIFY(area);

    press(area, QStringLiteral("SSCommand12"), 2);
    WorkPanel& panel = area->workPanel();
    QCOMPARE(panel.editor()->text(), QStringLiteral("Fire in the server room"));
    QCOMPARE(panel.statusBox()->currentText(), QStringLiteral("Partial"));
    QVERIFY(panel.statusBox()->isVisible());
    QVERIFY(area->worksheetArea()->statusTermsButton()->isVisible());
    QCOMPARE(area->windowTitle(), QStringLiteral("Action Area - Risk Analysis Worksheets - Risk Analysis # 3"));
    QCOMPARE(area->state().documentName, QStringLiteral("Risk Analysis # 3"));
    QCOMPARE(area->state().documentKind, 2);
    QCOMPARE(area->state().unsavedChanges, 0);
    QVERIFY(panel.templateButton()->isEnabled());
    QVERIFY(panel.command(WorkPanel::Save)->isEnabled());
    for (int n = 0; n < 21; ++n) {
        CaptionButton* button = worksheetButton(area, n);
        QCOMPARE(button->hasSelectedLook(), n == 2);
        QCOMPARE(button->font().bold(), n == 2);
        QCOMPARE(button->captionColor(), n == 2 ? QColor(0, 0, 255) : QColor(0, 0, 0));
    }

    // An absent file is an empty worksheet.
    press(area, QStringLiteral("SSCommand12"), 4);
    QVERIFY(panel.editor()->text().isEmpty());
    QVERIFY(panel.statusBox()->currentText().trimmed().isEmpty());
}

void TestWorksheets::pressingChosenAgainKeepsEdits()
{
    Spine spine;
    putWorksheet(spine.programFolder, 5, QStringLiteral("On file"));
    ActionArea* area = enterWorksheets(spine, true);
    QVERIFY(area);
    press(area, QStringLiteral("SSCommand12"), 5);
    typeText(area, QStringLiteral(" and typed"));
    QCOMPARE(area->state().unsavedChanges, 1);

    press(area, QStringLiteral("SSCommand12"), 5);
    QVERIFY(area->workPanel().editor()->text().contains(QStringLiteral("and typed")));
    QCOMPARE(area->state().unsavedChanges, 1);
    QCOMPARE(spine.prompter.prompts().size(), 0);
}

void TestWorksheets::blankWorksheetIsNeitherUnderlinedNorSaved()
{
    Spine spine;
    putWorksheet(spine.programFolder, 4, QStringLiteral("   \n  "));
    QVERIFY(StatusStore(spine.programFolder).write(52, QStringLiteral("Yes")));
    const QByteArray before = spine.programFolder.read(QStringLiteral("Wksht4.Fil")).valueOr({});
    ActionArea* area = enterWorksheets(spine);
    QVERIFY(area);
    QVERIFY(!worksheetButton(area, 4)->isUnderlined());

    press(area, QStringLiteral("SSCommand12"), 4);
    QCOMPARE(area->workPanel().statusBox()->currentText(), QString());
    clickSave(area);
    QCOMPARE(spine.prompter.prompts().size(), 0);
    QCOMPARE(spine.programFolder.read(QStringLiteral("Wksht4.Fil")).valueOr({}), before);
    // An empty worksheet does not replace one on file either.
    putWorksheet(spine.programFolder, 6, QStringLiteral("Keep me"));
    press(area, QStringLiteral("SSCommand12"), 6);
    area->workPanel().editor()->setText(QStringLiteral("  "));
    area->save();
    QCOMPARE(worksheetText(spine.programFolder, 6), QStringLiteral("Keep me"));
}

void TestWorksheets::statusIsFiledUnderWorksheetRecord_data()
{
    QTest::addColumn<int>("worksheet");
    QTest::addColumn<int>("record");
    QTest::newRow("first") << 0 << 48;
    QTest::newRow("middle") << 9 << 57;
    QTest::newRow("last") << 20 << 68;
}

void TestWorksheets::statusIsFiledUnderWorksheetRecord()
{
    QFETCH(int, worksheet);
    QFETCH(int, record);
    Spine spine;
    ActionArea* area = enterWorksheets(spine);
    QVERIFY(area);
    press(area, QStringLiteral("SSCommand12"), worksheet);
    pickStatus(area, QStringLiteral("Planned"));
    const FixedRecordFile file(spine.programFolder, QStringLiteral("Stat1.Fil"), 20);
    QCOMPARE(file.readString(record).valueOr(QString()), QStringLiteral("Planned"));
    QCOMPARE(file.readString(record - 1).valueOr(QString()), QString());
    QCOMPARE(file.readString(record + 1).valueOr(QString()), QString());
}

void TestWorksheets::saveWritesWorksheetFile_data()
{
    QTest::addColumn<int>("worksheet");
    QTest::addColumn<QString>("file");
    QTest::newRow("first") << 0 << "Wksht0.Fil";
    QTest::newRow("two digits") << 13 << "Wksht13.Fil";
    QTest::newRow("last") << 20 << "Wksht20.Fil";
}

void TestWorksheets::saveWritesWorksheetFile()
{
    QFETCH(int, worksheet);
    QFETCH(QString, file);
    Spine spine;
    ActionArea* area = enterWorksheets(spine, true);
    QVERIFY(area);
    press(area, QStringLiteral("SSCommand12"), worksheet);
    typeText(area, QStringLiteral("Threat: flood"));
    spine.prompter.answer(PromptAnswer::Ok);
    clickSave(area);

    QCOMPARE(spine.prompter.prompts().size(), 1);
    QCOMPARE(spine.prompter.prompts()[0].title, QStringLiteral("File Save Command"));
    QCOMPARE(spine.prompter.prompts()[0].text, Saved);
    QCOMPARE(spine.prompter.prompts()[0].icon, PromptIcon::Information);
    QVERIFY(spine.programFolder.exists(file));
    QCOMPARE(worksheetText(spine.programFolder, worksheet), QStringLiteral("Threat: flood"));
    QCOMPARE(area->state().unsavedChanges, 0);
    QVERIFY(worksheetButton(area, worksheet)->isUnderlined());
}

void TestWorksheets::failedSaveKeepsOldFile()
{
    Spine spine;
    putWorksheet(spine.programFolder, 1, QStringLiteral("Old"));
    const QByteArray before = spine.programFolder.read(QStringLiteral("Wksht1.Fil")).valueOr({});
    ActionArea* area = enterWorksheets(spine);
    QVERIFY(area);
    press(area, QStringLiteral("SSCommand12"), 1);
    typeText(area, QStringLiteral("New "));
    WriteFaults::inject(QStringLiteral("Wksht1.Fil"), -1);
    spine.prompter.answer(PromptAnswer::Ok);
    clickSave(area);

    QCOMPARE(spine.prompter.prompts().size(), 1);
    QCOMPARE(spine.prompter.prompts()[0].icon, PromptIcon::Critical);
    QVERIFY(spine.prompter.prompts()[0].text != Saved);
    QCOMPARE(spine.programFolder.read(QStringLiteral("Wksht1.Fil")).valueOr({}), before);
}

void TestWorksheets::switchingWithEditsSavesTheShownWorksheet()
{
    Spine spine;
    ActionArea* area = enterWorksheets(spine, true);
    QVERIFY(area);
    press(area, QStringLiteral("SSCommand12"), 0);
    typeText(area, QStringLiteral("Zero"));
    spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(area, QStringLiteral("SSCommand12"), 1);

    QCOMPARE(spine.prompter.texts(), QStringList({QStringLiteral("Save changes/entries before next action?"), Saved}));
    QCOMPARE(worksheetText(spine.programFolder, 0), QStringLiteral("Zero"));
    QVERIFY(!spine.programFolder.exists(QStringLiteral("Wksht1.Fil")));
    QVERIFY(area->workPanel().editor()->text().isEmpty());
    QCOMPARE(area->state().chosenWorksheet, 1);
}

void TestWorksheets::editsCountWhateverPaneWasShown()
{
    Spine spine;
    ActionArea* area = enterWorksheets(spine);
    QVERIFY(area->workPanel().editor()->isReadOnly());
    QCOMPARE(area->state().currentPane, 0);
    press(area, QStringLiteral("SSCommand12"), 4);
    typeText(area, QStringLiteral("Laptop theft: encrypted."));
    QCOMPARE(area->state().unsavedChanges, 1);
    spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(area, QStringLiteral("SSCommand12"), 5);
    QCOMPARE(spine.prompter.prompts().first().text, QStringLiteral("Save changes/entries before next action?"));
    QVERIFY(QFile::exists(spine.folder.dataPath(QStringLiteral("Wksht4.Fil"))));
}

void TestWorksheets::newWorksheet_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("templateLoaded");
    QTest::newRow("no file: no question") << false << -1 << true;
    QTest::newRow("file, Yes") << true << int(PromptAnswer::Yes) << true;
    QTest::newRow("file, No") << true << int(PromptAnswer::No) << false;
    QTest::newRow("file, Cancel") << true << int(PromptAnswer::Cancel) << false;
}

void TestWorksheets::newWorksheet()
{
    QFETCH(bool, existing);
    QFETCH(int, answer);
    QFETCH(bool, templateLoaded);
    Spine spine{QStringLiteral(QUORVANE_CONTENT_DIR)};
    if (existing) {
        putWorksheet(spine.programFolder, 8, QStringLiteral("Our own"));
    }
    ActionArea* area = enterWorksheets(spine);
    QVERIFY(area);
    saveTitles(area, {{8, QStringLiteral("Mail room")}});
    press(area, QStringLiteral("SSCommand12"), 8);
    if (answer >= 0) {
        spine.prompter.answer(static_cast<PromptAnswer>(answer));
    }
    QVERIFY(area->workPanel().templateButton()->isEnabled());
    QTest::mouseClick(area->workPanel().templateButton(), Qt::LeftButton);

    if (existing) {
        QCOMPARE(spine.prompter.prompts().size(), 1);
        const Prompt& asked = spine.prompter.prompts()[0];
        QCOMPARE(asked.title, QStringLiteral("New Worksheet"));
        QCOMPARE(asked.text,
                 QStringLiteral("The program has detected an existing Mail room worksheet!\r\rIf you insert "
                                "template and save file the existing file will be overwritten!\r\rNew Worksheet?"));
        QCOMPARE(asked.icon, PromptIcon::Warning);
        QCOMPARE(asked.buttons, PromptButtons::YesNoCancel);
        QCOMPARE(asked.effectiveDefault(), PromptAnswer::No);
    } else {
        QCOMPARE(spine.prompter.prompts().size(), 0);
    }
    const QString text = area->workPanel().editor()->text();
    QCOMPARE(text == QStringLiteral("Our own"), existing && !templateLoaded);
    QCOMPARE(text.trimmed().isEmpty(), false);
    QCOMPARE(area->state().unsavedChanges, 1);
    QVERIFY(!area->workPanel().editor()->isReadOnly());
    // Nothing is written until the user saves.
    QCOMPARE(worksheetText(spine.programFolder, 8), existing ? QStringLiteral("Our own") : QStringLiteral("<none>"));
}

void TestWorksheets::statusTerms()
{
    Spine spine;
    ActionArea* area = enterWorksheets(spine);
    QVERIFY(area);
    press(area, QStringLiteral("SSCommand12"), 0);
    spine.prompter.answer(PromptAnswer::Ok);
    QTest::mouseClick(area->worksheetArea()->statusTermsButton(), Qt::LeftButton);
    QCOMPARE(spine.prompter.prompts().size(), 1);
    const Prompt& shown = spine.prompter.prompts()[0];
    QCOMPARE(shown.title, QStringLiteral("Compliance Status Terms"));
    QCOMPARE(shown.icon, PromptIcon::Information);
    const QStringList lines = shown.text.split(QLatin1Char('\r'));
    QCOMPARE(lines.size(), 15);
    QCOMPARE(lines[0], QStringLiteral("Explanation of Compliance Status Terms:"));
    QCOMPARE(lines[2], QStringLiteral("Yes - Actions, policies and or software tools, etc. have been put in "));
    QCOMPARE(lines[5], QStringLiteral("No  - This risk is not currently in reasonable compliance with the rule."));
    QCOMPARE(lines[12], QStringLiteral("                 future to bring this risk into reasonable compliance with"));
    QCOMPARE(lines[14], QString());
}

QTEST_MAIN(TestWorksheets)
#include "test_worksheets.moc"
