#include "core/catalogue/statusstore.h"
#include "core/documents/archives.h"
#include "core/documents/incidents.h"
#include "core/insight/progress.h"
#include "core/rtf/richtextfile.h"
#include "core/rtf/rtfwriter.h"
#include "core/storage/clock.h"
#include "core/storage/fixedrecordfile.h"
#include "foldersnapshot.h"
#include "gui/actionarea/actionarea.h"
#include "gui/catalogue/overviewarea.h"
#include "gui/documents/incidentarea.h"
#include "gui/insight/finddialog.h"
#include "gui/insight/progresschart.h"
#include "gui/insight/progresspanel.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "gui/reports/printdesk.h"
#include "gui/reports/printoptionspanel.h"
#include "printingsupport.h"
#include "screenshot.h"
#include "spinefixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>

using namespace qv;
using namespace qv::test;
using namespace Qt::StringLiterals;

namespace {

    QByteArray rtfOf(const QString& text)
    {
        QTextDocument doc;
        doc.setPlainText(text);
        return rtf::write(doc);
    }

    // A workbook with a status of every kind and "flood plan" written in each kind of document.
    void fillWorkbook(Spine& spine)
    {
        const ProgramFolder& folder = spine.programFolder;
        StatusStore store(folder);
        QVERIFY(store.loadAll());
        const QStringList words{u"Completed"_s, u"Working"_s, u"Review"_s, u"Pending"_s, u"Not Implemented"_s, u" "_s};
        for (int s = 1; s <= 47; ++s) {
            QVERIFY(store.write(s, words.at(s % words.size())));
        }
        QVERIFY(store.write(49, u"Yes"_s));
        QVERIFY(store.write(50, u"Partial"_s));

        const QString body = u"We rehearsed the Flood Plan in March.\nEverything else went well."_s;
        QVERIFY(folder.write(u"Action0.Fil"_s, rtfOf(u"Risk notes.\n"_s + body)));
        QVERIFY(folder.write(u"Comment14.Fil"_s, rtfOf(body)));
        QVERIFY(folder.write(u"Wksht1.Fil"_s, rtfOf(u"Basement.\n"_s + body)));
        QVERIFY(folder.write(u"Wksht2.Fil"_s, rtfOf(u"Roof."_s)));
        FixedRecords titles(20);
        QVERIFY(titles.setString(2, u"Basement risks"_s));
        QVERIFY(folder.write(u"RAList.Fil"_s, titles.bytes()));
        QVERIFY(folder.write(u"DRPln1.Fil"_s, rtfOf(u"Our plan.\n"_s + body)));
        incidents::ReportIndex reports(folder);
        QVERIFY(reports.store(u"Water in server room"_s, rtfOf(u"Report.\n\n"_s + body)));
        archives::ArchiveIndex archived(folder);
        QVERIFY(archived.store(u"Disaster Recovery Plan Dec-01-26"_s, rtfOf(body)));
    }

    FindDialog* openFind(ActionArea* area)
    {
        QAction* action = area->menuAction(u"mOFind"_s);
        if (!action || action->text() != u"Find in All Documents\u2026"_s ||
            action->shortcut() != QKeySequence(u"Ctrl+Shift+F"_s)) {
            return nullptr;
        }
        action->trigger();
        return area->findChild<FindDialog*>();
    }

    int rowOf(FindDialog* dialog, const QString& document)
    {
        for (int r = 0; r < dialog->results()->topLevelItemCount(); ++r) {
            if (dialog->results()->topLevelItem(r)->text(0) == document) {
                return r;
            }
        }
        return -1;
    }

    void search(FindDialog* dialog, const QString& query)
    {
        dialog->queryBox()->setText(query);
        QTest::mouseClick(dialog->findChild<QPushButton*>(u"FindButton"_s), Qt::LeftButton);
    }

    // Double-clicks the listed document's place, as the user chooses it.
    void choose(FindDialog* dialog, const QString& document)
    {
        const int row = rowOf(dialog, document);
        QVERIFY2(row >= 0, qPrintable(document));
        dialog->openResult(row);
    }

} // namespace

class TestInsightGui : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void summaryBesideTheOverview();
    void statusReportLeadsWithSummaryAsPdf();
    void chosenPlaceOpensWithTheHitSelected();
    void unsavedEditsAreOfferedForSavingFirst();
    void aFailedSaveKeepsTheUserWithTheirEdits();
};

void TestInsightGui::summaryBesideTheOverview()
{
    Spine spine;
    fillWorkbook(spine);
    ActionArea* area = spine.begin();
    auto* panel = area->findChild<ProgressPanel*>();
    QVERIFY(panel);
    QTRY_VERIFY(panel->isVisible());
    // Statuses 1–47 take words[s % 6]: s = 6, 12, ..., 42 are Completed.
    QCOMPARE(panel->progress().total[insight::Bucket::Completed], 7);
    QCOMPARE(panel->findChild<QLabel*>(u"ProgressHeadline"_s)->text(), u"7 of 47 safeguards Completed (15%)"_s);
    QCOMPARE(panel->safeguardChart()->rows().size(), 6);
    QCOMPARE(panel->worksheetChart()->rows().first().tally.total(), 2); // worksheets 1 and 2 are filled
    QCOMPARE(panel->openRequired()->count(), panel->progress().openRequired.size());
    QVERIFY(panel->openRequired()->item(0)->text().startsWith(u"Risk Analysis"_s));

    // A status picked in a family shows in the summary on the way back.
    press(area, u"SSCommand11"_s, 2);
    press(area, u"SSCommand14"_s, 0);
    pickStatus(area, u"Completed"_s);
    press(area, u"SSCommand11"_s, 0);
    QTRY_VERIFY(panel->isVisible());
    QCOMPARE(panel->progress().total[insight::Bucket::Completed], 8);
    QVERIFY(!panel->openRequired()->item(0)->text().startsWith(u"Risk Analysis"_s));

    for (const QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
        showAtSize(area, size);
        QTest::qWait(50);
        // Every bar keeps room for its counts, the list beside them.
        QVERIFY2(
            panel->safeguardChart()->width() >= 200,
            qPrintable(QString::number(panel->safeguardChart()->width()) + u" "_s + QString::number(panel->width())));
        QVERIFY(panel->geometry().right() <= area->overviewArea()->width());
        grabToPng(area, u"insight-summary-%1x%2"_s.arg(size.width()).arg(size.height()));
    }
}

void TestInsightGui::statusReportLeadsWithSummaryAsPdf()
{
    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty()) {
        QSKIP("pdftotext (poppler-utils) is not installed");
    }
    const FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
    Clock::setCurrent(&clock);
    QTemporaryDir out;
    Spine spine;
    fillWorkbook(spine);
    ActionArea* area = spine.begin();
    area->printOptions();
    PrintOptionsPanel* panel = panelOf(area);
    QCheckBox* option = panel->summaryOption();
    QVERIFY(option->isVisible());
    QVERIFY(!option->isChecked()); // off: the report prints as it always has
    const int plainPages = area->printDesk()->engine().pageCount();
    QTest::mouseClick(option, Qt::LeftButton);
    QCOMPARE(area->printDesk()->engine().pageCount(), plainPages + 1);
    QVERIFY(pageText(area->printDesk()->engine(), 0).contains(u"Compliance Progress Summary"_s));
    grabToPng(panel, u"insight-status-report-summary"_s);

    const QString pdf = out.filePath(u"status.pdf"_s);
    spine.dialogs.answerSaveFile(pdf);
    spine.prompter.answer(PromptAnswer::Ok);
    QTest::mouseClick(panel->command(PrintOptionsPanel::SavePdfCommand), Qt::LeftButton);
    Clock::setCurrent(nullptr);
    QVERIFY(QFile::exists(pdf));

    QProcess tool;
    tool.start(pdftotext, {u"-layout"_s, pdf, u"-"_s});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    const QString text = QString::fromUtf8(tool.readAllStandardOutput());
    const QStringList pages = text.split(u'\f');
    QVERIFY(pages.size() >= 2);
    QVERIFY2(pages.at(0).contains(u"Compliance Progress Summary"_s), qPrintable(pages.at(0)));
    QVERIFY(pages.at(0).contains(u"7 of 47 safeguards Completed (15%)"_s));
    QVERIFY(pages.at(0).contains(u"Administrative Safeguards (23)"_s));
    QVERIFY(pages.at(0).contains(u"Risk Analysis Worksheets in use (2 of 21)"_s));
    QVERIFY(pages.at(0).contains(u"Required safeguards not yet Completed"_s));
    QVERIFY(!pages.at(0).contains(u"Legend:"_s));
    QVERIFY(pages.at(1).contains(u"HIPAA Security Standards"_s));
    QVERIFY(text.contains(u"Printed:"_s));
    QVERIFY(text.contains(u"December 9, 2026"_s));
}

void TestInsightGui::chosenPlaceOpensWithTheHitSelected()
{
    Spine spine;
    fillWorkbook(spine);
    ActionArea* area = spine.begin();
    showAtSize(area, QSize(1024, 768));
    FindDialog* dialog = openFind(area);
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    const FolderSnapshot before(spine.folder.dataDir());
    search(dialog, u"flood plan"_s);
    QCOMPARE(dialog->results()->topLevelItemCount(), 6);
    QCOMPARE(dialog->statusLabel()->text(), u"6 places in 6 documents."_s);
    QCOMPARE(dialog->results()->topLevelItem(0)->text(1), u"We rehearsed the Flood Plan in March."_s);
    grabToPng(dialog, u"insight-find-results"_s);

    RichTextEditor* editor = area->workPanel().editor();
    const struct
    {
        QString document;
        int area;
    } places[] = {
        {u"Risk Analysis - Action Taken"_s, 2},
        {u"Password Management - Comments/Notes"_s, 2},
        {u"Risk Analysis Worksheet: Basement risks"_s, 7},
        {u"Disaster Recovery Plan"_s, 8},
        {u"Incident Report: Water in server room"_s, 10},
        {u"Archive: Disaster Recovery Plan Dec-01-26"_s, 11},
    };
    for (const auto& place : places) {
        choose(dialog, place.document);
        QCOMPARE(area->state().area, place.area);
        QCOMPARE(editor->selText(), u"Flood Plan"_s);
        QCOMPARE(area->state().unsavedChanges, 0);
    }
    // The comments of Password Management went through its entry button and pane option.
    choose(dialog, u"Password Management - Comments/Notes"_s);
    QCOMPARE(area->state().currentItem, 14);
    QVERIFY(area->workPanel().paneOption(WorkPanel::CommentsNotes)->isChecked());
    QVERIFY(area->windowTitle().endsWith(u"Password Management"_s));
    choose(dialog, u"Risk Analysis Worksheet: Basement risks"_s);
    QCOMPARE(area->state().chosenWorksheet, 1);
    choose(dialog, u"Incident Report: Water in server room"_s);
    QCOMPARE(area->incidentArea()->mode(), IncidentArea::Opened);
    QVERIFY(before.unexpectedChanges().isEmpty());
    grabToPng(area, u"insight-find-opened"_s);

    search(dialog, u"tsunami"_s);
    QCOMPARE(dialog->results()->topLevelItemCount(), 0);
    QCOMPARE(dialog->statusLabel()->text(), u"No document holds \u201Ctsunami\u201D as a whole word or phrase."_s);

    // Another screen in the Action Area's place takes the dialog with it.
    area->hide();
    QVERIFY(!dialog->isVisible());
}

void TestInsightGui::unsavedEditsAreOfferedForSavingFirst()
{
    Spine spine;
    fillWorkbook(spine);
    ActionArea* area = spine.begin();
    FindDialog* dialog = openFind(area);
    QVERIFY(dialog);
    search(dialog, u"flood plan"_s);
    RichTextEditor* editor = area->workPanel().editor();

    choose(dialog, u"Risk Analysis - Action Taken"_s);
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(editor, u" Sandbags ordered."_s);
    QCOMPARE(area->state().unsavedChanges, 1);

    // Yes: the note is written, and nothing else, before the worksheet opens.
    FolderSnapshot before(spine.folder.dataDir());
    spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    choose(dialog, u"Risk Analysis Worksheet: Basement risks"_s);
    QCOMPARE(spine.prompter.prompts().size(), 2);
    QCOMPARE(spine.prompter.prompts().at(1).text, u"File Has Been Saved/Updated!"_s);
    QCOMPARE(spine.prompter.prompts().first().title, u"Save Changes?"_s);
    QCOMPARE(spine.prompter.prompts().first().text, u"Save changes/entries before next action?"_s);
    QCOMPARE(area->state().chosenWorksheet, 1);
    QCOMPARE(editor->selText(), u"Flood Plan"_s);
    QCOMPARE(before.changedSince(), QStringList{u"Action0.Fil"_s});
    QTextDocument saved;
    QVERIFY(loadRichText(spine.programFolder, u"Action0.Fil"_s, ProgramFolder::Place::Data, saved));
    QVERIFY(saved.toPlainText().endsWith(u"Sandbags ordered."_s));

    // The index reads the note again: the new words are found.
    search(dialog, u"sandbags ordered"_s);
    QCOMPARE(dialog->results()->topLevelItemCount(), 1);

    // No: the worksheet's edit is dropped and nothing is written.
    QTest::keyClicks(editor, u"Pumps"_s);
    QCOMPARE(area->state().unsavedChanges, 1);
    const FolderSnapshot untouched(spine.folder.dataDir());
    spine.prompter.answer(PromptAnswer::No);
    search(dialog, u"flood plan"_s);
    choose(dialog, u"Disaster Recovery Plan"_s);
    QCOMPARE(spine.prompter.prompts().size(), 3);
    QCOMPARE(area->state().area, 8);
    QCOMPARE(untouched.changedSince(), QStringList());
}

void TestInsightGui::aFailedSaveKeepsTheUserWithTheirEdits()
{
    Spine spine;
    fillWorkbook(spine);
    ActionArea* area = spine.begin();
    FindDialog* dialog = openFind(area);
    QVERIFY(dialog);
    search(dialog, u"flood plan"_s);
    RichTextEditor* editor = area->workPanel().editor();
    choose(dialog, u"Password Management - Comments/Notes"_s);
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(editor, u" Keep this."_s);

    const FolderSnapshot before(spine.folder.dataDir());
    WriteFaults::inject(u"Comment14.Fil"_s);
    spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    choose(dialog, u"Disaster Recovery Plan"_s);
    WriteFaults::clear();
    QCOMPARE(spine.prompter.prompts().size(), 2);
    QCOMPARE(spine.prompter.prompts().at(1).title, u"File Save Command"_s);
    // Still on the comments, edits and all, and the file as it was.
    QCOMPARE(area->state().area, 2);
    QCOMPARE(area->state().currentItem, 14);
    QCOMPARE(area->state().unsavedChanges, 1);
    QVERIFY(editor->text().endsWith(u"Keep this."_s));
    QCOMPARE(before.changedSince(), QStringList());
}

QTEST_MAIN(TestInsightGui)
#include "test_insightgui.moc"
