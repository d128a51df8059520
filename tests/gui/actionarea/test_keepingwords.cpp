// The user's words go only where they came from, and a save that did not happen never lets them go:
// every route out of an edited text, over a data folder full of the user's files, checked by the
// bytes of every file.
#include "spinefixture.h"

#include "core/storage/programfolder.h"
#include "filesizelimit.h"
#include "foldersnapshot.h"
#include "gui/actionarea/actionarea.h"
#include "gui/documents/incidentarea.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace qv;
using namespace qv::test;

namespace {

    const QString SaveQuestion = QStringLiteral("Save changes/entries before next action?");
    const QString WorksheetSaved = QStringLiteral("Risk Analysis Worksheet Has Been Saved/Updated!");

    QByteArray note(const char* text)
    {
        return QByteArray("{\\rtf1\\ansi ") + text + "\\par}";
    }

    QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // The Action Area over a workbook in use: notes of several entries, worksheets, the plan, the
    // status store, incident reports and archives with their indexes.
    struct Workbook
    {
        Workbook()
            : spine(QStringLiteral(QUORVANE_CONTENT_DIR))
        {
            const TempProgramFolder& f = spine.folder;
            f.putData(QStringLiteral("Action0.Fil"), note("Risk analysis done in May."));
            f.putData(QStringLiteral("Comment0.Fil"), note("Repeat yearly."));
            f.putData(QStringLiteral("Policy0.Fil"), note("Our risk analysis policy."));
            f.putData(QStringLiteral("Action14.Fil"), note("Passwords of 14 characters."));
            f.putData(QStringLiteral("Policy14.Fil"), note("Password policy."));
            f.putData(QStringLiteral("Wksht0.Fil"), note("Worksheet of the front office."));
            f.putData(QStringLiteral("Wksht3.Fil"), note("Worksheet of the server room."));
            f.putData(QStringLiteral("DRPln1.Fil"), note("Our disaster recovery plan."));
            f.putData(QStringLiteral("Stat1.Fil"), QByteArray(68 * 20, '\0'));
            f.putData(QStringLiteral("Lost laptop.Flc"), note("The laptop was found."));
            f.putData(QStringLiteral("IncidHold.Flc"), "\"Lost laptop.Flc\"\r\n");
            f.putData(QStringLiteral("Password Management Dec-01-26.Fla"), note("Password policy, December."));
            f.putData(QStringLiteral("ArchiveHold.Fla"), "\"Password Management Dec-01-26.Fla\"\r\n");
            area = spine.begin();
            // The worksheets were opened once, which stores their titles.
            press(area, QStringLiteral("SSCommand11"), 7);
            press(area, QStringLiteral("SSCommand11"), 0);
        }

        void type(const QString& text)
        {
            RichTextEditor* editor = area->workPanel().editor();
            editor->setFocus();
            editor->moveCursor(QTextCursor::End);
            QTest::keyClicks(editor, text);
        }

        void choosePane(WorkPanel::PaneOption option)
        {
            QRadioButton* button = area->workPanel().paneOption(option);
            QVERIFY2(button->isEnabled(), qPrintable(button->text()));
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
        }

        // The six pane options are unticked by the example, the incident reports and the archives.
        void leaveThroughTheExample()
        {
            spine.prompter.answer(PromptAnswer::Ok); // the example's notice, once
            press(area, QStringLiteral("SSCommand11"), 9);
        }

        QString data(const QString& name) const
        {
            return spine.folder.dataPath(name);
        }

        QStringList texts()
        {
            QStringList t;
            for (const Prompt& p : spine.prompter.takePrompts()) {
                t.append(p.text);
            }
            return t;
        }

        Spine spine;
        ActionArea* area = nullptr;
    };

} // namespace

class TestKeepingWords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void exitFromAWorksheetSavesTheWorksheet();
    void exitFromTheExampleAsksNothing();
    void noPaneChosenTakesNoTyping();
    void failedNoteSaveKeepsTheEditsAndTheArea();
    void refusedIncidentSaveKeepsTheArea();
    void shortWritesLeaveEveryFile();
    void aDayOfWorkChangesOnlyWhatWasSaved();
};

void TestKeepingWords::cleanup()
{
    WriteFaults::clear();
}

void TestKeepingWords::exitFromAWorksheetSavesTheWorksheet()
{
    Workbook w;
    // A note was loaded last in a family, then the worksheets were chosen.
    press(w.area, QStringLiteral("SSCommand11"), 2);
    w.choosePane(WorkPanel::ActionTaken);
    press(w.area, QStringLiteral("SSCommand11"), 7);
    press(w.area, QStringLiteral("SSCommand12"), 3);
    const FolderSnapshot before(w.spine.folder.dataDir());
    w.type(QStringLiteral(" Door lock replaced."));

    w.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(w.area, QStringLiteral("SSCommand7"), -1);
    QCOMPARE(w.texts(), QStringList({SaveQuestion, WorksheetSaved}));
    QCOMPARE(w.area->state().area, 0);
    QVERIFY2(before.unexpectedChanges({QStringLiteral("Wksht3.Fil")}).isEmpty(),
             qPrintable(before.unexpectedChanges({QStringLiteral("Wksht3.Fil")})));
    QVERIFY(bytesOf(w.data(QStringLiteral("Wksht3.Fil"))).contains("Door lock replaced."));
}

void TestKeepingWords::exitFromTheExampleAsksNothing()
{
    Workbook w;
    press(w.area, QStringLiteral("SSCommand11"), 2);
    press(w.area, QStringLiteral("SSCommand14"), 14);
    w.choosePane(WorkPanel::PoliciesProcedures);
    w.leaveThroughTheExample();
    w.texts();
    w.spine.prompter.answer(PromptAnswer::Ok); // the sample policy's notice
    w.choosePane(WorkPanel::PoliciesProcedures);
    const FolderSnapshot before(w.spine.folder.dataDir());
    w.type(QStringLiteral(" My change to the sample."));
    w.texts();

    press(w.area, QStringLiteral("SSCommand7"), -1);
    QCOMPARE(w.texts(), QStringList());
    QCOMPARE(w.area->state().area, 0);
    QVERIFY2(before.unexpectedChanges().isEmpty(), qPrintable(before.unexpectedChanges()));
}

void TestKeepingWords::noPaneChosenTakesNoTyping()
{
    Workbook w;
    press(w.area, QStringLiteral("SSCommand11"), 2);
    w.choosePane(WorkPanel::PoliciesProcedures);
    for (int through : {9, 10, 11}) {
        if (through == 9) {
            w.leaveThroughTheExample();
        } else if (through == 10) {
            press(w.area, QStringLiteral("SSCommand11"), 10);
        } else {
            w.area->menuAction(QStringLiteral("mOArchiveV"))->trigger();
        }
        w.texts();
        press(w.area, QStringLiteral("SSCommand11"), 2);
        QCOMPARE(w.area->workPanel().checkedPaneOption(), -1);
        const FolderSnapshot before(w.spine.folder.dataDir());
        RichTextEditor* editor = w.area->workPanel().editor();
        QVERIFY(editor->isReadOnly());
        QVERIFY(!w.area->workPanel().command(WorkPanel::Save)->isEnabled());
        QVERIFY(!w.area->menuAction(QStringLiteral("mOSave"))->isEnabled());
        for (WorkPanel::Command c : {WorkPanel::SpellCheck, WorkPanel::Thesaurus, WorkPanel::FontSelect}) {
            QVERIFY(!w.area->workPanel().command(c)->isEnabled());
        }
        w.type(QStringLiteral("typed into nothing"));
        QCOMPARE(editor->text(), QString());
        // Even a Save that reaches the area by another way writes nothing.
        w.area->save();
        QCOMPARE(w.texts(), QStringList());
        QVERIFY2(before.unexpectedChanges().isEmpty(), qPrintable(before.unexpectedChanges()));

        // Choosing a pane again makes the editor the note's once more.
        w.choosePane(WorkPanel::PoliciesProcedures);
        QVERIFY(!editor->isReadOnly());
        QVERIFY(w.area->workPanel().command(WorkPanel::Save)->isEnabled());
        QVERIFY(editor->text().contains(QStringLiteral("Our risk analysis policy.")));
    }
}

void TestKeepingWords::failedNoteSaveKeepsTheEditsAndTheArea()
{
    Workbook w;
    press(w.area, QStringLiteral("SSCommand11"), 2);
    w.choosePane(WorkPanel::ActionTaken);
    w.type(QStringLiteral(" Reviewed again in June."));
    const FolderSnapshot before(w.spine.folder.dataDir());
    {
        FileSizeLimit limit(64);
        if (!limit.isActive()) {
            QSKIP("This platform cannot limit the size of a file.");
        }
        w.spine.prompter.answer(PromptAnswer::Ok);
        press(w.area, QStringLiteral("SSCommand6"), -1);
        QCOMPARE(w.spine.prompter.prompts().last().icon, PromptIcon::Critical);
        QVERIFY(w.texts().last().contains(QStringLiteral("could not be saved")));
        QCOMPARE(w.area->state().unsavedChanges, 1);

        // Yes to the question, and the save fails again: the user stays with the edits.
        w.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
        press(w.area, QStringLiteral("SSCommand11"), 3);
        QCOMPARE(w.texts().first(), SaveQuestion);
        QCOMPARE(w.area->state().area, 2);
        QVERIFY(w.area->areaButton(2)->hasSelectedLook());
        // Another entry, another pane and the exit hold on to them too.
        w.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
        press(w.area, QStringLiteral("SSCommand14"), 5);
        w.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
        w.choosePane(WorkPanel::CommentsNotes);
        QVERIFY(w.area->workPanel().paneOption(WorkPanel::ActionTaken)->isChecked());
        w.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
        press(w.area, QStringLiteral("SSCommand7"), -1);
        QCOMPARE(w.area->state().area, 2);
        QCOMPARE(w.area->state().currentItem, 0);
        QVERIFY(w.area->workPanel().editor()->text().endsWith(QStringLiteral("Reviewed again in June.")));
        QCOMPARE(w.area->state().unsavedChanges, 1);
    }
    QVERIFY2(before.unexpectedChanges().isEmpty(), qPrintable(before.unexpectedChanges()));

    // With room again, Yes saves where the text came from and then moves on.
    w.texts();
    w.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(w.area, QStringLiteral("SSCommand11"), 3);
    QCOMPARE(w.area->state().area, 3);
    QVERIFY2(before.unexpectedChanges({QStringLiteral("Action0.Fil")}).isEmpty(),
             qPrintable(before.unexpectedChanges({QStringLiteral("Action0.Fil")})));
    QVERIFY(bytesOf(w.data(QStringLiteral("Action0.Fil"))).contains("Reviewed again in June."));
}

void TestKeepingWords::refusedIncidentSaveKeepsTheArea()
{
    Workbook w;
    press(w.area, QStringLiteral("SSCommand11"), 10);
    IncidentArea* incidents = w.area->incidentArea();
    w.spine.prompter.answer(PromptAnswer::Ok);
    QTest::mouseClick(incidents->command(2), Qt::LeftButton);
    w.texts();
    w.type(QStringLiteral("A report without a title."));
    const FolderSnapshot before(w.spine.folder.dataDir());

    w.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(w.area, QStringLiteral("SSCommand11"), 2);
    QCOMPARE(w.texts().first(), SaveQuestion);
    QCOMPARE(w.area->state().area, 10);
    QCOMPARE(w.area->workPanel().editor()->text(), QStringLiteral("A report without a title."));
    QVERIFY2(before.unexpectedChanges().isEmpty(), qPrintable(before.unexpectedChanges()));

    // Given a title, the same way out saves it and goes.
    incidents->titleBox()->setText(QStringLiteral("Untitled no more"));
    w.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(w.area, QStringLiteral("SSCommand11"), 2);
    QCOMPARE(w.area->state().area, 2);
    QVERIFY2(
        before.unexpectedChanges({QStringLiteral("IncidHold.Flc"), QStringLiteral("Untitled no more.Flc")}).isEmpty(),
        qPrintable(before.unexpectedChanges()));
}

void TestKeepingWords::shortWritesLeaveEveryFile()
{
    Workbook w;
    // An index long enough that a short report fits under the limit and the index does not.
    QByteArray longIndex = "\"Lost laptop.Flc\"\r\n";
    for (int n = 0; n < 120; ++n) {
        const QString title = QStringLiteral("Earlier report %1").arg(n);
        w.spine.folder.putData(title + QStringLiteral(".Flc"), note("Earlier."));
        longIndex += "\"" + title.toLatin1() + ".Flc\"\r\n";
    }
    w.spine.folder.putData(QStringLiteral("IncidHold.Flc"), longIndex);
    const FolderSnapshot before(w.spine.folder.dataDir());
    FileSizeLimit limit(1024);
    if (!limit.isActive()) {
        QSKIP("This platform cannot limit the size of a file.");
    }

    // A status pick: the store is larger than the limit.
    press(w.area, QStringLiteral("SSCommand11"), 2);
    w.spine.prompter.answer(PromptAnswer::Ok);
    pickStatus(w.area, QStringLiteral("Completed"));
    QCOMPARE(w.spine.prompter.prompts().last().icon, PromptIcon::Critical);
    QCOMPARE(w.spine.prompter.prompts().last().title, QStringLiteral("Status Not Saved"));

    // A note longer than the limit.
    w.choosePane(WorkPanel::PoliciesProcedures);
    w.type(QString(1500, QLatin1Char('p')));
    w.spine.prompter.answer(PromptAnswer::Ok);
    press(w.area, QStringLiteral("SSCommand6"), -1);
    QCOMPARE(w.spine.prompter.prompts().last().icon, PromptIcon::Critical);
    w.spine.prompter.answer(PromptAnswer::No);
    press(w.area, QStringLiteral("SSCommand11"), 7);

    // A worksheet.
    press(w.area, QStringLiteral("SSCommand12"), 0);
    w.type(QString(1500, QLatin1Char('w')));
    w.spine.prompter.answer(PromptAnswer::Ok);
    press(w.area, QStringLiteral("SSCommand6"), -1);
    QCOMPARE(w.spine.prompter.prompts().last().icon, PromptIcon::Critical);
    QCOMPARE(w.area->state().unsavedChanges, 1);
    w.spine.prompter.answer(PromptAnswer::No);
    press(w.area, QStringLiteral("SSCommand11"), 10);

    // A short incident report whose index cannot be written.
    IncidentArea* incidents = w.area->incidentArea();
    w.spine.prompter.answer(PromptAnswer::Ok);
    QTest::mouseClick(incidents->command(2), Qt::LeftButton);
    incidents->titleBox()->setText(QStringLiteral("Stolen badge"));
    w.type(QStringLiteral("Badge reported stolen."));
    w.spine.prompter.answer(PromptAnswer::Ok);
    press(w.area, QStringLiteral("SSCommand6"), -1);
    QCOMPARE(w.spine.prompter.prompts().last().icon, PromptIcon::Critical);
    for (const Prompt& p : w.spine.prompter.prompts()) {
        QVERIFY2(!p.text.contains(QStringLiteral("Saved")), qPrintable(p.text));
    }
    QVERIFY2(before.unexpectedChanges().isEmpty(), qPrintable(before.unexpectedChanges()));
}

void TestKeepingWords::aDayOfWorkChangesOnlyWhatWasSaved()
{
    Workbook w;
    const QString dir = w.spine.folder.dataDir();
    const auto expectOnly = [&](const FolderSnapshot& before, const QStringList& changed) {
        QCOMPARE(before.changedSince(), changed);
    };

    // Read a note, move between entries, areas and panes without typing: nothing is written.
    FolderSnapshot before(dir);
    press(w.area, QStringLiteral("SSCommand11"), 2);
    w.choosePane(WorkPanel::PoliciesProcedures);
    press(w.area, QStringLiteral("SSCommand14"), 14);
    w.choosePane(WorkPanel::AdditionalInformation);
    press(w.area, QStringLiteral("SSCommand11"), 8);
    press(w.area, QStringLiteral("SSCommand11"), 7);
    press(w.area, QStringLiteral("SSCommand12"), 0);
    press(w.area, QStringLiteral("SSCommand7"), -1);
    expectOnly(before, {});

    // An edited policy, saved on leaving for the plan.
    before = FolderSnapshot(dir);
    press(w.area, QStringLiteral("SSCommand11"), 2);
    press(w.area, QStringLiteral("SSCommand14"), 14);
    w.choosePane(WorkPanel::PoliciesProcedures);
    w.type(QStringLiteral(" Changed every 90 days."));
    w.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(w.area, QStringLiteral("SSCommand11"), 8);
    expectOnly(before, {QStringLiteral("Policy14.Fil")});

    // The plan edited and left by the exit.
    before = FolderSnapshot(dir);
    w.type(QStringLiteral(" Call list updated."));
    w.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(w.area, QStringLiteral("SSCommand7"), -1);
    expectOnly(before, {QStringLiteral("DRPln1.Fil")});

    // A worksheet edited, and another one chosen: only the first is saved.
    before = FolderSnapshot(dir);
    press(w.area, QStringLiteral("SSCommand11"), 7);
    press(w.area, QStringLiteral("SSCommand12"), 0);
    w.type(QStringLiteral(" New shredder."));
    w.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(w.area, QStringLiteral("SSCommand12"), 3);
    expectOnly(before, {QStringLiteral("Wksht0.Fil")});

    // A status picked writes the store only.
    before = FolderSnapshot(dir);
    press(w.area, QStringLiteral("SSCommand11"), 3);
    pickStatus(w.area, QStringLiteral("Completed"));
    expectOnly(before, {QStringLiteral("Stat1.Fil")});

    // An edit answered No is dropped, and leaving for another screen writes nothing.
    before = FolderSnapshot(dir);
    w.choosePane(WorkPanel::ActionTaken);
    w.type(QStringLiteral("Not wanted."));
    w.spine.prompter.answer(PromptAnswer::No);
    press(w.area, QStringLiteral("SSCommand11"), 4);
    w.spine.prompter.answer(PromptAnswer::No);
    press(w.area, QStringLiteral("SSCommand4"), 4);
    expectOnly(before, {});

    // The stored incident report deleted: its file and the index it was the last line of.
    before = FolderSnapshot(dir);
    press(w.area, QStringLiteral("SSCommand11"), 10);
    IncidentArea* incidents = w.area->incidentArea();
    incidents->selector()->setCurrentIndex(0);
    Q_EMIT incidents->selector()->activated(0);
    w.texts();
    w.spine.prompter.answer(PromptAnswer::Yes);
    QTest::mouseClick(incidents->command(3), Qt::LeftButton);
    expectOnly(before, {QStringLiteral("IncidHold.Flc"), QStringLiteral("Lost laptop.Flc")});
    w.spine.prompter.takePrompts();
}

QTEST_MAIN(TestKeepingWords)
#include "test_keepingwords.moc"
