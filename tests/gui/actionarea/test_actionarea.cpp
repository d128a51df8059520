#include "spinefixture.h"

#include "core/catalogue/overviewgrid.h"
#include "core/catalogue/statusstore.h"
#include "gui/actionarea/actionarea.h"
#include "gui/catalogue/familyarea.h"
#include "gui/catalogue/overviewarea.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "gui/shell/splash.h"
#include "gui/shell/startscreen.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace qv;
using namespace qv::test;

namespace {

    QByteArray statusRecord(const TempProgramFolder& folder, int record)
    {
        QFile file(folder.dataPath(QStringLiteral("Stat1.Fil")));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return file.readAll().mid((record - 1) * 20, 20);
    }

    QByteArray record(const QByteArray& text)
    {
        QByteArray bytes(20, '\0');
        bytes[0] = static_cast<char>(text.size());
        bytes.replace(2, text.size(), text);
        return bytes;
    }

    // Answers like the scripted prompter and also notes what the status file held when each box came.
    class WatchingPrompter : public ScriptedPrompter
    {
    public:
        explicit WatchingPrompter(const TempProgramFolder& folder)
            : m_folder(folder)
        {
        }
        PromptAnswer ask(const Prompt& prompt) override
        {
            fileAtPrompt.append(statusRecord(m_folder, 15));
            return ScriptedPrompter::ask(prompt);
        }
        QList<QByteArray> fileAtPrompt;

    private:
        const TempProgramFolder& m_folder;
    };

} // namespace

class TestActionArea : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typicalRequestStoresTheStatus();
    void overviewGridShowsEveryFamilyWithStatuses();
    void notImplementedIsStoredBeforeItsWarning();
    void failedStatusWriteKeepsWhatIsOnFile();
    void areaButtonAlreadyCurrentDoesNothing();
    void saveChangesPromptIsAskedOnce();
    void overviewEntriesOfAreasFiveAndSix();
    void safeguardExampleShowsItsNoticeOnce();
    void escapeAsksBeforeExiting();
    void startScreenEscapeEndsWithoutQuestion();
    void helpTopicsFollowTheArea();
    void laterFeaturesAreVisibleButDisabled();
};

void TestActionArea::typicalRequestStoresTheStatus()
{
    Spine spine;
    ActionArea* area = spine.begin();
    QVERIFY(area);
    QVERIFY(area->isVisible());
    QVERIFY(!spine.start().isVisible());
    QCOMPARE(area->windowTitle(), QStringLiteral("Action Area - HIPAA Security Standards - Administrative Saveguards"));
    QVERIFY(area->areaButton(0)->hasSelectedLook());

    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 14);
    QCOMPARE(area->windowTitle(), QStringLiteral("Action Area - Administrative Safeguards - Password Management"));
    WorkPanel& panel = area->workPanel();
    QCOMPARE(panel.standardLabel()->text(), QStringLiteral(" Standard: Security Awareness and Testing"));
    QCOMPARE(panel.sectionLabel()->text(), QStringLiteral(" Section: 164.308(a)(5)"));
    QCOMPARE(panel.specificationLabel()->text(), QStringLiteral(" Specification: Password Management (A)"));
    QCOMPARE(panel.statusLabel()->text(), QStringLiteral("Current Status:"));
    QCOMPARE(area->state().documentName, QStringLiteral("Password Management"));

    pickStatus(area, QStringLiteral("Completed"));
    QCOMPARE(statusRecord(spine.folder, 15).toHex(' '), record("Completed").toHex(' '));
    QCOMPARE(spine.prompter.prompts().size(), 0);

    // Closed and opened again, the Action Area reads the status back from the file.
    area->close();
    QTRY_VERIFY(!spine.actionArea());
    QVERIFY(spine.start().isVisible());
    area = spine.begin();
    QVERIFY(area);
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 14);
    QCOMPARE(area->workPanel().statusBox()->currentText(), QStringLiteral("Completed"));
}

void TestActionArea::overviewGridShowsEveryFamilyWithStatuses()
{
    Spine spine;
    QByteArray file(68 * 20, '\0');
    file.replace(0, 20, record("Pending"));
    file.replace(14 * 20, 20, record("Completed"));
    file.replace(23 * 20, 20, record("Review"));
    file.replace(41 * 20, 20, record("Not Implemented"));
    QVERIFY(spine.folder.putData(QStringLiteral("Stat1.Fil"), file));
    ActionArea* area = spine.begin();
    QTableWidget* grid = area->overviewArea()->grid();

    const QString families[] = {QStringLiteral("Administrative Safeguards"),
                                QStringLiteral("Physical Safeguards"),
                                QStringLiteral("Technical Safeguards")};
    for (int k = 0; k < 3; ++k) {
        press(area, QStringLiteral("SSCommand18"), k);
        QCOMPARE(area->windowTitle(), QStringLiteral("Action Area - HIPAA Security Standards - ") + families[k]);
        const auto rows =
            catalogue::overviewRows(catalogue::overviewFamilies()[static_cast<size_t>(k)], area->statusStore().table());
        QCOMPARE(grid->rowCount(), 1 + rows.size());
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("Standards"));
        QCOMPARE(grid->item(0, 4)->text(), QStringLiteral("Current Status"));
        for (int r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < 5; ++c) {
                QCOMPARE(grid->item(r + 1, c)->data(Qt::UserRole).toString(), rows[r].cells[c]);
            }
        }
    }
    // Spot checks against the statuses written above: one status per line of the cell.
    press(area, QStringLiteral("SSCommand18"), 0);
    QCOMPARE(grid->item(1, 4)->data(Qt::UserRole).toString(), QStringLiteral("Pending\r\n\r\n\r\n"));
    QCOMPARE(grid->item(5, 4)->data(Qt::UserRole).toString(), QStringLiteral("\r\n\r\n\r\nCompleted"));
    QCOMPARE(grid->item(1, 2)->text(),
             QStringLiteral("Risk Analysis\nRisk Management\nSanction Policy\nInformation System Activity Review"));
    press(area, QStringLiteral("SSCommand18"), 1);
    QCOMPARE(grid->item(1, 4)->data(Qt::UserRole).toString(), QStringLiteral("Review\r\n\r\n\r\n"));
    press(area, QStringLiteral("SSCommand18"), 2);
    QCOMPARE(grid->item(5, 4)->data(Qt::UserRole).toString(), QStringLiteral("\r\nNot Implemented"));
    QVERIFY(area->findChild<QLabel*>(QStringLiteral("Label3"))->text() ==
            QStringLiteral("Technical Safeguards§164.312"));
}

void TestActionArea::notImplementedIsStoredBeforeItsWarning()
{
    Spine spine;
    WatchingPrompter watching(spine.folder);
    // The Action Area asks through the spine's prompter; route it to the watching one.
    ActionArea area(spine.navigator, watching, spine.help, spine.dialogs, spine.folder.folder(), spine.printSettings);
    area.show();
    press(&area, QStringLiteral("SSCommand11"), 2);
    press(&area, QStringLiteral("SSCommand14"), 14);
    watching.answer(PromptAnswer::Ok);
    pickStatus(&area, QStringLiteral("Not Implemented"));
    QCOMPARE(watching.prompts().size(), 1);
    const Prompt& warning = watching.prompts().first();
    QCOMPARE(warning.title, QStringLiteral("Safeguard Not Being Implemented"));
    QCOMPARE(warning.text,
             QStringLiteral("If this safeguard is not being implemented, be sure and\rdocument in the Action Taken or "
                            "Comments/Notes\rarea why it is not being implemented!"));
    QCOMPARE(warning.icon, PromptIcon::Critical);
    QCOMPARE(watching.fileAtPrompt.first(), record("Not Implemented"));

    // The blank item stores one blank and asks nothing.
    pickStatus(&area, QStringLiteral(" "));
    QCOMPARE(statusRecord(spine.folder, 15), record(" "));
    QCOMPARE(watching.prompts().size(), 1);
}

void TestActionArea::failedStatusWriteKeepsWhatIsOnFile()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 3);
    press(area, QStringLiteral("SSCommand17"), 0);
    pickStatus(area, QStringLiteral("Working"));
    QCOMPARE(statusRecord(spine.folder, 24), record("Working"));

    // The status file is replaced by a folder of the same name: every write must now fail.
    const QString path = spine.folder.dataPath(QStringLiteral("Stat1.Fil"));
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    spine.prompter.answer(PromptAnswer::Ok);
    pickStatus(area, QStringLiteral("Completed"));
    QCOMPARE(spine.prompter.prompts().size(), 1);
    QCOMPARE(spine.prompter.prompts().first().icon, PromptIcon::Critical);
    QVERIFY(spine.prompter.prompts().first().text.contains(QStringLiteral("Completed")));
    QCOMPARE(area->workPanel().statusBox()->currentText(), QStringLiteral("Working"));
}

void TestActionArea::areaButtonAlreadyCurrentDoesNothing()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 3);
    const QString caption = area->windowTitle();
    press(area, QStringLiteral("SSCommand11"), 2);
    QCOMPARE(area->windowTitle(), caption);
    QCOMPARE(area->state().currentItem, 3);
}

void TestActionArea::saveChangesPromptIsAskedOnce()
{
    Spine spine;
    ActionArea* area = spine.begin();
    // In the plan's area every edit counts, whatever pane is current. With no plan on file the area
    // first says what the sample is.
    spine.prompter.answer(PromptAnswer::Ok);
    press(area, QStringLiteral("SSCommand11"), 8);
    spine.prompter.takePrompts();
    RichTextEditor* editor = area->workPanel().editor();
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("Call the insurer first."));
    QCOMPARE(area->state().unsavedChanges, 1);

    spine.prompter.answer(PromptAnswer::No);
    press(area, QStringLiteral("SSCommand11"), 2);
    QCOMPARE(spine.prompter.prompts().size(), 1);
    const Prompt& asked = spine.prompter.prompts().first();
    QCOMPARE(asked.title, QStringLiteral("Save Changes?"));
    QCOMPARE(asked.text, QStringLiteral("Save changes/entries before next action?"));
    QCOMPARE(asked.icon, PromptIcon::Question);
    QCOMPARE(asked.buttons, PromptButtons::YesNo);
    QCOMPARE(area->state().unsavedChanges, 0);
    // No discards the edits: the family area starts with an empty editor.
    QVERIFY(editor->text().isEmpty());
}

void TestActionArea::overviewEntriesOfAreasFiveAndSix()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 5);
    // The family's caption gives way to the overview entry the area selects at once.
    QCOMPARE(area->windowTitle(),
             QStringLiteral("Action Area - Organization Requirements - Organizational Requirements Overview"));
    WorkPanel& panel = area->workPanel();
    QCOMPARE(area->state().currentItem, 0);
    QCOMPARE(panel.standardLabel()->text(), QStringLiteral(" Organizational Requirements Overview"));
    QCOMPARE(panel.sectionLabel()->text(), QStringLiteral(" Section 164.314"));
    QCOMPARE(panel.specificationLabel()->text(), QString());
    QVERIFY(!panel.paneOption(WorkPanel::ImplementationSpecification)->isEnabled());
    QVERIFY(!panel.templateButton()->isEnabled());
    QVERIFY(area->familyArea(5)->button(0)->hasSelectedLook());

    press(area, QStringLiteral("SSCommand15"), 1);
    QCOMPARE(area->windowTitle(),
             QStringLiteral("Action Area - Organization Requirements - Business associate contracts or other "
                            "arrangements Standard"));

    press(area, QStringLiteral("SSCommand11"), 6);
    QCOMPARE(area->windowTitle(),
             QStringLiteral("Action Area - Policies and Proceedures - Policies and Procedures and Documentation "
                            "Requirements Overview"));
    QCOMPARE(panel.standardLabel()->text(), QStringLiteral(" Policies and Procedures and Documentation Requirements"));
    press(area, QStringLiteral("SSCommand13"), 1);
    QCOMPARE(panel.specificationLabel()->text(), QStringLiteral(" Specification: (R)"));
    QCOMPARE(area->state().documentName, QStringLiteral("Documentation"));
}

void TestActionArea::safeguardExampleShowsItsNoticeOnce()
{
    Spine spine;
    ActionArea* area = spine.begin();
    spine.prompter.answer(PromptAnswer::Ok);
    press(area, QStringLiteral("SSCommand11"), 9);
    QCOMPARE(spine.prompter.prompts().size(), 1);
    QCOMPARE(spine.prompter.prompts().first().title, QStringLiteral("Sample Safeguard Entry"));
    QCOMPARE(spine.prompter.prompts().first().text,
             QStringLiteral("This sample was created so you can see\rhow program works and can be used.\r\rYou can "
                            "make changes etc. but cannot save\rchanges so Sample will remain in program."));
    WorkPanel& panel = area->workPanel();
    QCOMPARE(panel.standardLabel()->text(), QStringLiteral(" Standard: Security Awareness and Training"));
    QCOMPARE(panel.statusBox()->currentText(), QStringLiteral("Completed"));

    // A pick in the example stores nothing.
    pickStatus(area, QStringLiteral("Pending"));
    QVERIFY(statusRecord(spine.folder, 15).count('\0') == 20 || statusRecord(spine.folder, 15).isEmpty());

    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand11"), 9);
    QCOMPARE(spine.prompter.prompts().size(), 1);
}

void TestActionArea::escapeAsksBeforeExiting()
{
    Spine spine;
    ActionArea* area = spine.begin();
    QSignalSpy exits(area, &ActionArea::exitRequested);

    spine.prompter.answer(PromptAnswer::No);
    QTest::keyClick(area, Qt::Key_Escape);
    QCOMPARE(spine.prompter.prompts().size(), 1);
    const Prompt& question = spine.prompter.prompts().first();
    QCOMPARE(question.title, QStringLiteral("Exit"));
    QCOMPARE(question.text, QStringLiteral("Exit Quorvane?"));
    QCOMPARE(question.buttons, PromptButtons::YesNoCancel);
    QCOMPARE(question.icon, PromptIcon::Question);
    QCOMPARE(exits.count(), 0);
    QVERIFY(area->navigationButton(0)->hasSelectedLook());
    QVERIFY(!area->navigationButton(4)->hasSelectedLook());

    spine.prompter.answer(PromptAnswer::Yes);
    press(area, QStringLiteral("SSCommand4"), 4);
    QCOMPARE(exits.count(), 1);
}

void TestActionArea::startScreenEscapeEndsWithoutQuestion()
{
    Spine spine;
    spine.start().show();
    QSignalSpy exits(&spine.start(), &StartScreen::exitRequested);
    QTest::keyClick(&spine.start(), Qt::Key_Escape);
    QCOMPARE(exits.count(), 1);
    QCOMPARE(spine.prompter.prompts().size(), 0);
}

void TestActionArea::helpTopicsFollowTheArea()
{
    Spine spine;
    ActionArea* area = spine.begin();
    const QList<QPair<int, int>> expected = {{1, 2009}, {7, 3044}, {8, 3048}, {2, 3010}, {0, 3010}};
    // The plan's area, with no plan on file, says what its sample is.
    spine.prompter.answer(PromptAnswer::Ok);
    for (const auto& [k, topic] : expected) {
        press(area, QStringLiteral("SSCommand11"), k);
        QTest::keyClick(area, Qt::Key_F1);
        QCOMPARE(spine.help.topics.last(), topic);
    }
    area->menuAction(QStringLiteral("mHI"))->trigger();
    QCOMPARE(spine.help.topics.last(), 1000);
}

void TestActionArea::laterFeaturesAreVisibleButDisabled()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    for (const QString& name : {QStringLiteral("mOArchive")}) {
        QAction* action = area->menuAction(name);
        QVERIFY2(action, qPrintable(name));
        QVERIFY2(!action->isEnabled(), qPrintable(name));
    }
    QVERIFY(!area->navigationButton(1)->isEnabled());
    QVERIFY(area->navigationButton(1)->isVisible());
    QVERIFY(area->navigationButton(4)->isEnabled());
    QVERIFY(area->workPanel().command(WorkPanel::Exit)->isEnabled());
    // Alignment is for a note the user writes, so it waits for one to be chosen.
    QVERIFY(!area->workPanel().textLocationFrame()->isEnabled());
    area->workPanel().paneOption(WorkPanel::ActionTaken)->click();
    QVERIFY(area->workPanel().textLocationFrame()->isEnabled());
}

QTEST_MAIN(TestActionArea)
#include "test_actionarea.moc"
