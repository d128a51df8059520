#include "printingsupport.h"

#include "core/catalogue/catalogue.h"
#include "core/reports/pageengine.h"
#include "core/rtf/richtextfile.h"
#include "core/shell/displaysettings.h"
#include "core/storage/clock.h"
#include "core/storage/programfolder.h"
#include "foldersnapshot.h"
#include "gui/actionarea/actionarea.h"
#include "gui/catalogue/overviewarea.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "gui/reports/previewwidget.h"
#include "gui/reports/printdesk.h"
#include "gui/reports/printoptionspanel.h"
#include "screenshot.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace qv;
using namespace qv::test;

namespace {

    QString entryName(int safeguard)
    {
        return catalogue::entryBySafeguard(safeguard)->fullName.toString();
    }

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statusReportFromTheOverview();
    void statusReportTickRules();
    void printedTextTakesTheAreaTextColour();
    void printOptionsPrintsWhilePanelIsOpen();
    void previewFollowsTheGuideLineChoice();
    void notesReportOfAPolicy();
    void blankNotesWarnAndStayClear();
    void overviewEntryHasNoSpecification();
    void pageSetupAndFontRebuild();
    void screenFacesPrintInTimesNewRoman();
    void allCurrentPolicies();
    void singleDocumentInThePlanArea();
    void theExamplePrintsItsDocumentOnly();
    void clipboardCopies();
    void anotherAreaClosesThePanel();
    void statusReportAsPdf();
    void printingScreenshots();
};

void TestPrinting::statusReportFromTheOverview()
{
    const FixedClock clock(QDateTime(QDate(2011, 3, 4), QTime(9, 0)));
    Clock::setCurrent(&clock);
    Spine spine;
    ActionArea* area = spine.begin();
    QVERIFY(area->printDesk());
    PrintOptionsPanel* panel = panelOf(area);
    QVERIFY(panel);
    QVERIFY(!panel->isVisible());

    // The Physical family is on view in the overview: its box comes up ticked.
    press(area, QStringLiteral("SSCommand18"), 1);
    press(area, QStringLiteral("SSCommand3"), -1);
    QVERIFY(panel->isVisible());
    QCOMPARE(area->printDesk()->report(), PrintDesk::Report::Status);
    QCOMPARE(panel->selectionBox(0)->text(), QStringLiteral("All Safeguards"));
    QCOMPARE(panel->selectionBox(3)->text(), QStringLiteral("Technical Safeguards"));
    QVERIFY(!panel->selectionBox(4)->isVisible());
    QVERIFY(!panel->selectionBox(5)->isVisible());
    QCOMPARE(ticks(panel, 4), (QList<bool>{false, false, true, false}));
    QCOMPARE(panel->fontText(), QStringLiteral(" Times New Roman"));
    QCOMPARE(panel->sizeText(), QStringLiteral(" 10"));
    QCOMPARE(panel->orientationText(), QStringLiteral("Portrait"));
    QVERIFY(!panel->command(PrintOptionsPanel::FontCommand)->isEnabled());
    QVERIFY(!panel->command(PrintOptionsPanel::PageSetupCommand)->isEnabled());
    QVERIFY(!area->menuAction(QStringLiteral("mOPrintAll"))->isVisible());

    const PageEngine& engine = area->printDesk()->engine();
    QVERIFY(engine.pageCount() >= 1);
    const QString text = allText(engine);
    QVERIFY(text.contains(QStringLiteral("PHYSICAL SAFEGUARDS \u00a7164.310")));
    QVERIFY(!text.contains(QStringLiteral("ADMINISTRATIVE SAFEGUARDS")));
    QVERIFY(text.contains(QStringLiteral("Printed:  March 4, 2011")));
    QCOMPARE(panel->preview()->currentPage(), 0);
    Clock::setCurrent(nullptr);
}

void TestPrinting::statusReportTickRules()
{
    Spine spine;
    ActionArea* area = spine.begin();
    area->printOptions();
    PrintOptionsPanel* panel = panelOf(area);
    QVERIFY(panel->isVisible());
    QCOMPARE(ticks(panel, 4), (QList<bool>{false, true, false, false}));

    // Ticking a family clears "All Safeguards"; ticking "All Safeguards" clears the families.
    clickBox(panel, 2);
    QCOMPARE(ticks(panel, 4), (QList<bool>{false, true, true, false}));
    clickBox(panel, 0);
    QCOMPARE(ticks(panel, 4), (QList<bool>{true, false, false, false}));
    const PageEngine& engine = area->printDesk()->engine();
    const QString all = allText(engine);
    for (const char* heading : {"ADMINISTRATIVE SAFEGUARDS",
                                "PHYSICAL SAFEGUARDS",
                                "TECHNICAL SAFEGUARDS",
                                "ORGANIZATIONAL REQUIREMENTS",
                                "POLICIES AND PROCEDURES AND DOCUMENTATION"}) {
        QVERIFY2(all.contains(QLatin1String(heading)), heading);
    }
    QCOMPARE(all.count(QStringLiteral("HIPAA Security Standards")), 1);
    clickBox(panel, 3);
    QCOMPARE(ticks(panel, 4), (QList<bool>{false, false, false, true}));

    // Nothing ticked: nothing to show and no footer.
    clickBox(panel, 3);
    QCOMPARE(ticks(panel, 4), (QList<bool>{false, false, false, false}));
    QCOMPARE(engine.pageCount(), 0);
    QCOMPARE(panel->preview()->pageCount(), 0);
}

// The Action Area's text colour colours the printed text; the status report's rules stay black.
void TestPrinting::printedTextTakesTheAreaTextColour()
{
    Spine spine;
    ActionArea* area = spine.begin();
    RichTextEditor* editor = area->workPanel().editor();
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Text, QColor(Qt::darkBlue));
    editor->setPalette(palette);
    area->printOptions();
    const PageDocument& doc = area->printDesk()->engine().document();
    QVERIFY(doc.pageCount() > 0);
    QVERIFY(!doc.texts(0).isEmpty());
    for (const TextOp& text : doc.texts(0)) {
        QCOMPARE(text.style.color, QColor(Qt::darkBlue));
    }
    for (const LineOp& line : doc.lines(0)) {
        QCOMPARE(line.color, QColor(Qt::black));
    }
}

// The choice is made on a reference screen; the Action Area's preview draws what was chosen there,
// read each time the panel opens, and opening writes nothing.
void TestPrinting::previewFollowsTheGuideLineChoice()
{
    Spine spine;
    ActionArea* area = spine.begin();
    QAction* printMenu = area->menuAction(QStringLiteral("mOPrint"));
    printMenu->trigger();
    QVERIFY(!panelOf(area)->preview()->guidesShown());
    area->printDesk()->close();

    QVERIFY(display::writeGuideLineOption(spine.folder.folder(), 1).ok());
    const FolderSnapshot before(spine.folder.dataDir());
    printMenu->trigger();
    QVERIFY(panelOf(area)->preview()->guidesShown());
    area->printDesk()->close();

    QVERIFY(display::writeGuideLineOption(spine.folder.folder(), 0).ok());
    printMenu->trigger();
    QVERIFY(!panelOf(area)->preview()->guidesShown());
    QCOMPARE(before.unexpectedChanges({display::screenFileName()}), QString());
}

void TestPrinting::printOptionsPrintsWhilePanelIsOpen()
{
    QTemporaryDir out;
    Spine spine;
    ActionArea* area = spine.begin();
    QAction* printMenu = area->menuAction(QStringLiteral("mOPrint"));
    QVERIFY(printMenu->isEnabled());
    printMenu->trigger();
    QVERIFY(panelOf(area)->isVisible());
    QVERIFY(spine.dialogs.calls().isEmpty());

    const QString pdf = out.filePath(QStringLiteral("printed.pdf"));
    spine.dialogs.answerPrinter(pdf);
    printMenu->trigger();
    QCOMPARE(spine.dialogs.calls().size(), 1);
    QFile printed(pdf);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QVERIFY(printed.read(5).startsWith("%PDF"));

    // The Print button does the same; a cancelled printer dialog prints nothing and says nothing.
    spine.dialogs.answerPrinter(std::nullopt);
    QTest::mouseClick(panelOf(area)->command(PrintOptionsPanel::PrintCommand), Qt::LeftButton);
    QCOMPARE(spine.dialogs.calls().size(), 2);
    QVERIFY(spine.prompter.prompts().isEmpty());
}

void TestPrinting::notesReportOfAPolicy()
{
    Spine spine;
    writePolicy(spine, 14, QStringLiteral("Passwords are changed every ninety days."));
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 14);
    choosePane(area, WorkPanel::PoliciesProcedures);
    QVERIFY(area->menuAction(QStringLiteral("mOPrint"))->isEnabled());

    press(area, QStringLiteral("SSCommand5"), -1);
    PrintOptionsPanel* panel = panelOf(area);
    QVERIFY(panel->isVisible());
    QCOMPARE(area->printDesk()->report(), PrintDesk::Report::Notes);
    QCOMPARE(panel->selectionBox(5)->text(), QStringLiteral("Policies && Procedures/Plan"));
    QCOMPARE(ticks(panel, 6), (QList<bool>{false, false, false, false, false, true}));
    QVERIFY(area->menuAction(QStringLiteral("mOPrintAll"))->isVisible());
    QVERIFY(panel->command(PrintOptionsPanel::FontCommand)->isEnabled());
    QCOMPARE(panel->orientationText(), QStringLiteral(" Portrait"));
    const PrintSettings& settings = area->printDesk()->settings();
    QCOMPARE(settings.margins, printpresets::NotesReport);

    const PageEngine& engine = area->printDesk()->engine();
    QCOMPARE(engine.pageCount(), 1);
    const QStringList lines = pageText(engine, 0);
    const qsizetype heading = lines.indexOf(QStringLiteral("Policies and Procedures/Plan:"));
    QVERIFY(heading >= 0);
    QVERIFY(lines.mid(heading).join(u' ').contains(QStringLiteral("Passwords are changed every ninety days.")));

    // The rule text joins in front of the note; its emphasis word comes with it.
    clickBox(panel, 0);
    const QStringList both = pageText(engine, 0);
    QVERIFY(both.indexOf(QStringLiteral("Policies and Procedures/Plan:")) > 0);
    QVERIFY(both.first().contains(QStringLiteral("Implementation Specification")));

    // The PDF is offered under the safeguard's name; cancelling writes nothing and says nothing.
    spine.dialogs.answerSaveFile(std::nullopt);
    QTest::mouseClick(panel->command(PrintOptionsPanel::SavePdfCommand), Qt::LeftButton);
    QVERIFY(spine.dialogs.calls().last().path.endsWith(u'/' + entryName(15) + QStringLiteral(".pdf")));
    QVERIFY(spine.prompter.prompts().isEmpty());

    // Closing hides the panel and the all-policies entry.
    QTest::mouseClick(panel->command(PrintOptionsPanel::CloseCommand), Qt::LeftButton);
    QVERIFY(!panel->isVisible());
    QVERIFY(!area->menuAction(QStringLiteral("mOPrintAll"))->isVisible());
}

void TestPrinting::blankNotesWarnAndStayClear()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 14);
    choosePane(area, WorkPanel::CommentsNotes);

    // The pane on view is blank: ticking it in advance warns at once and leaves it clear.
    const QString name = entryName(15);
    spine.prompter.answer(PromptAnswer::Ok);
    area->printOptions();
    PrintOptionsPanel* panel = panelOf(area);
    QCOMPARE(spine.prompter.prompts().size(), 1);
    QCOMPARE(spine.prompter.prompts().last().title, QStringLiteral("Comments/Notes"));
    QCOMPARE(spine.prompter.prompts().last().text, QStringLiteral("No Comments/Notes were found for ") + name + u'!');
    QCOMPARE(spine.prompter.prompts().last().icon, PromptIcon::Warning);
    QCOMPARE(ticks(panel, 6), QList<bool>(6, false));
    QCOMPARE(area->printDesk()->engine().pageCount(), 0);

    spine.prompter.answer(PromptAnswer::Ok);
    clickBox(panel, 3);
    QCOMPARE(spine.prompter.prompts().last().title, QStringLiteral("Action Taken"));
    QCOMPARE(spine.prompter.prompts().last().text,
             QStringLiteral("No Action Taken entries were found for ") + name + u'!');
    spine.prompter.answer(PromptAnswer::Ok);
    clickBox(panel, 5);
    QCOMPARE(spine.prompter.prompts().last().title, QStringLiteral("Policies and Procedures"));
    QCOMPARE(spine.prompter.prompts().last().text,
             QStringLiteral("No Policies and Procedures/Plan were found for ") + name + u'!');
    QCOMPARE(ticks(panel, 6), QList<bool>(6, false));

    // A rule text is never blank and prints at once.
    clickBox(panel, 1);
    QCOMPARE(spine.prompter.prompts().size(), 3);
    QVERIFY(area->printDesk()->engine().pageCount() >= 1);
}

void TestPrinting::overviewEntryHasNoSpecification()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 5);
    press(area, QStringLiteral("SSCommand15"), 0);
    choosePane(area, WorkPanel::ReferencesInRule);
    area->printOptions();
    PrintOptionsPanel* panel = panelOf(area);
    QCOMPARE(ticks(panel, 6), (QList<bool>{false, true, false, false, false, false}));

    spine.prompter.answer(PromptAnswer::Ok);
    clickBox(panel, 0);
    QCOMPARE(spine.prompter.prompts().last().title, QStringLiteral("Action Taken"));
    QCOMPARE(spine.prompter.prompts().last().text,
             QStringLiteral("No Implementation specification is available for ") + entryName(43) + u'!');
    QVERIFY(!panel->isBoxChecked(0));
    QVERIFY(panel->isBoxChecked(1));
}

void TestPrinting::pageSetupAndFontRebuild()
{
    Spine spine;
    writePolicy(spine, 14, QStringLiteral("Policy text."));
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 14);
    choosePane(area, WorkPanel::PoliciesProcedures);
    area->printOptions();
    PrintOptionsPanel* panel = panelOf(area);
    PrintDesk* desk = area->printDesk();

    PageSetup landscape;
    landscape.marginLeft = 720;
    landscape.marginTop = 700;
    landscape.marginRight = 710;
    landscape.marginBottom = 690;
    landscape.orientation = QPageLayout::Landscape;
    spine.dialogs.answerPageSetup(landscape);
    QTest::mouseClick(panel->command(PrintOptionsPanel::PageSetupCommand), Qt::LeftButton);
    QCOMPARE(spine.dialogs.calls().last().page.marginLeft, 350);
    QCOMPARE(spine.dialogs.calls().last().page.marginBottom, 100);
    QCOMPARE(panel->orientationText(), QStringLiteral(" Landscape"));
    QCOMPARE(desk->engine().orientation(), PageOrientation::Landscape);
    QCOMPARE(desk->engine().margins(), (PageMargins{720, 700, 710, 690}));
    QVERIFY(desk->engine().pageWidth() > desk->engine().pageHeight());
    QCOMPARE(desk->engine().pageCount(), 1);

    // A new font: the panels and the sample follow, and the document is composed again with it.
    FontChoice chosen;
    chosen.font = QFont(QStringLiteral("Courier New"), 14);
    chosen.font.setBold(true);
    chosen.color = QColor(Qt::darkRed);
    spine.dialogs.answerFont(chosen);
    QTest::mouseClick(panel->command(PrintOptionsPanel::FontCommand), Qt::LeftButton);
    QCOMPARE(panel->fontText(), QStringLiteral(" Courier New"));
    QCOMPARE(panel->sizeText(), QStringLiteral(" 14"));
    QCOMPARE(desk->settings().color, QColor(Qt::darkRed));
    QCOMPARE(desk->engine().fontName(), QStringLiteral("Courier New"));
    QVERIFY(desk->engine().fontBold());

    // A cancelled font dialog changes nothing.
    spine.dialogs.answerFont(std::nullopt);
    QTest::mouseClick(panel->command(PrintOptionsPanel::FontCommand), Qt::LeftButton);
    QCOMPARE(panel->sizeText(), QStringLiteral(" 14"));

    // Opened again, the notes report writes its own margins and portrait back.
    QTest::mouseClick(panel->command(PrintOptionsPanel::CloseCommand), Qt::LeftButton);
    area->printOptions();
    QCOMPARE(desk->settings().margins, printpresets::NotesReport);
    QCOMPARE(desk->engine().orientation(), PageOrientation::Portrait);
    QCOMPARE(panel->orientationText(), QStringLiteral(" Portrait"));
}

void TestPrinting::screenFacesPrintInTimesNewRoman()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 0);
    choosePane(area, WorkPanel::ReferencesInRule);
    QFont screenFace(QStringLiteral("MS Sans Serif"));
    screenFace.setPointSizeF(8);
    screenFace.setItalic(true);
    area->workPanel().editor()->setFont(screenFace);
    area->printOptions();
    PrintOptionsPanel* panel = panelOf(area);
    QCOMPARE(panel->fontText(), QStringLiteral(" Times New Roman"));
    QCOMPARE(panel->sizeText(), QStringLiteral(" 12"));
    const PrintSettings& settings = area->printDesk()->settings();
    QVERIFY(settings.italic);
    QCOMPARE(area->printDesk()->engine().fontName(), QStringLiteral("Times New Roman"));
    QCOMPARE(area->printDesk()->engine().fontSize(), 12.0);
}

void TestPrinting::allCurrentPolicies()
{
    Spine spine;
    writePolicy(spine, 3, QStringLiteral("Policy three."));
    writePolicy(spine, 17, QStringLiteral("Policy seventeen."));
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 3);
    press(area, QStringLiteral("SSCommand17"), 0);
    choosePane(area, WorkPanel::ReferencesInRule);
    area->printOptions();
    QAction* all = area->menuAction(QStringLiteral("mOPrintAll"));
    QVERIFY(all->isVisible());
    all->trigger();

    PrintDesk* desk = area->printDesk();
    QCOMPARE(desk->report(), PrintDesk::Report::AllPolicies);
    QCOMPARE(ticks(panelOf(area), 6), QList<bool>(6, false));
    QCOMPARE(desk->settings().margins, printpresets::AllPolicies);
    QVERIFY(!desk->progressPanel()->isVisible());
    QCOMPARE(desk->progressPanel()->maximum(), 46);
    const PageEngine& engine = desk->engine();
    QCOMPARE(engine.pageCount(), 2);
    QVERIFY(pageText(engine, 0).join(u' ').contains(QStringLiteral("Policy three.")));
    QVERIFY(pageText(engine, engine.pageCount() - 1).join(u' ').contains(QStringLiteral("Policy seventeen.")));

    // A page set-up change composes all the policies again, in the new orientation.
    PageSetup landscape;
    landscape.orientation = QPageLayout::Landscape;
    spine.dialogs.answerPageSetup(landscape);
    QTest::mouseClick(panelOf(area)->command(PrintOptionsPanel::PageSetupCommand), Qt::LeftButton);
    QCOMPARE(desk->report(), PrintDesk::Report::AllPolicies);
    QCOMPARE(engine.orientation(), PageOrientation::Landscape);
    QVERIFY(pageText(engine, 0).join(u' ').contains(QStringLiteral("Policy three.")));
}

void TestPrinting::singleDocumentInThePlanArea()
{
    Spine spine;
    ActionArea* area = spine.begin();
    // The plan area shows its sample plan, with a word about it, until the user saves a plan.
    spine.prompter.answer(PromptAnswer::Ok);
    press(area, QStringLiteral("SSCommand11"), 8);
    RichTextEditor* editor = area->workPanel().editor();
    editor->setText(QStringLiteral("Call the data centre first."));
    area->printOptions();
    PrintOptionsPanel* panel = panelOf(area);
    QVERIFY(panel->isVisible());
    PrintDesk* desk = area->printDesk();
    QCOMPARE(desk->report(), PrintDesk::Report::SingleDocument);
    QCOMPARE(desk->settings().margins, printpresets::NotesReportPlan);
    QVERIFY(!area->menuAction(QStringLiteral("mOPrintAll"))->isVisible());
    for (int i = 0; i < PrintOptionsPanel::SelectionBoxCount; ++i) {
        QVERIFY(!panel->selectionBox(i)->isVisible());
    }
    QVERIFY(panel->findChild<QLabel*>(QStringLiteral("PrintWholeDocument"))->isVisible());
    grabToPng(area, QStringLiteral("print-plan-1024x768"));
    QVERIFY(allText(desk->engine()).contains(QStringLiteral("Call the data centre first.")));
}

// The safeguard example shows notes like a family, but prints only what the editor holds.
void TestPrinting::theExamplePrintsItsDocumentOnly()
{
    Spine spine;
    ActionArea* area = spine.begin();
    spine.prompter.answer(PromptAnswer::Ok);
    press(area, QStringLiteral("SSCommand11"), 9);
    choosePane(area, WorkPanel::ActionTaken);
    area->workPanel().editor()->setText(QStringLiteral("Sample action taken."));
    area->printOptions();
    PrintDesk* desk = area->printDesk();
    QCOMPARE(desk->report(), PrintDesk::Report::SingleDocument);
    QCOMPARE(desk->settings().margins, printpresets::NotesReport);
    QVERIFY(!panelOf(area)->selectionBox(0)->isVisible());
    QVERIFY(!area->menuAction(QStringLiteral("mOPrintAll"))->isVisible());
    QCOMPARE(pageText(desk->engine(), 0).join(u' ').trimmed(), QStringLiteral("Sample action taken."));
}

void TestPrinting::clipboardCopies()
{
    Spine spine;
    ActionArea* area = spine.begin();
    // The plan area shows its sample plan, with a word about it, until the user saves a plan.
    spine.prompter.answer(PromptAnswer::Ok);
    press(area, QStringLiteral("SSCommand11"), 8);
    RichTextEditor* editor = area->workPanel().editor();
    editor->setText(QStringLiteral("Plan text to paste elsewhere."));
    editor->select(0, 4);
    editor->setSelBold(true);

    spine.prompter.answer(PromptAnswer::Ok);
    area->menuAction(QStringLiteral("mOClip"))->trigger();
    QCOMPARE(spine.prompter.prompts().last().title, QStringLiteral("Copy Option"));
    QCOMPARE(spine.prompter.prompts().last().text, QStringLiteral("A copy has been copied to the Windows Clipboard."));
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied);
    QVERIFY(copied->hasFormat(QStringLiteral("text/rtf")));
    QVERIFY(copied->data(QStringLiteral("text/rtf")).contains("\\b"));
    QCOMPARE(copied->text().trimmed(), QStringLiteral("Plan text to paste elsewhere."));

    area->printOptions();
    spine.prompter.answer(PromptAnswer::Ok);
    PrintOptionsPanel* panel = panelOf(area);
    QTest::mouseClick(panel->command(PrintOptionsPanel::CopyPageCommand), Qt::LeftButton);
    QCOMPARE(spine.prompter.prompts().last().text,
             QStringLiteral("Current Page has been copied to the Windows Clipboard."));
    QVERIFY(!QGuiApplication::clipboard()->image().isNull());
}

void TestPrinting::anotherAreaClosesThePanel()
{
    Spine spine;
    ActionArea* area = spine.begin();
    area->printOptions();
    QVERIFY(panelOf(area)->isVisible());
    press(area, QStringLiteral("SSCommand11"), 2);
    QVERIFY(!panelOf(area)->isVisible());
    // The timeline prints its own list.
    press(area, QStringLiteral("SSCommand11"), 1);
    QVERIFY(area->menuAction(QStringLiteral("mOPrint"))->isEnabled());
}

// The report as another program reads it: the PDF's text in reading order, row by row.
void TestPrinting::statusReportAsPdf()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        QSKIP("pdftotext (poppler-utils) is not installed");
    }
    const FixedClock clock(QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
    Clock::setCurrent(&clock);
    QTemporaryDir out;
    Spine spine;
    ActionArea* area = spine.begin();
    area->printOptions();
    PrintOptionsPanel* panel = panelOf(area);
    clickBox(panel, 0);

    const QString pdf = out.filePath(QStringLiteral("status.pdf"));
    spine.dialogs.answerSaveFile(pdf);
    spine.prompter.answer(PromptAnswer::Ok);
    QTest::mouseClick(panel->command(PrintOptionsPanel::SavePdfCommand), Qt::LeftButton);
    Clock::setCurrent(nullptr);
    QVERIFY(spine.dialogs.calls().last().path.endsWith(QStringLiteral("/HIPAA Security Standards Status Report.pdf")));
    QVERIFY(QFile::exists(pdf));

    QProcess tool;
    tool.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    const QString text = QString::fromUtf8(tool.readAllStandardOutput());

    // Headings and rows come in the order a reader meets them.
    const QStringList order{QStringLiteral("HIPAA Security Standards"),
                            QStringLiteral("ADMINISTRATIVE SAFEGUARDS \u00a7164.308"),
                            QStringLiteral("Security Management Process"),
                            QStringLiteral("Contingency Plan"),
                            QStringLiteral("Other Arrangements"),
                            QStringLiteral("PHYSICAL SAFEGUARDS \u00a7164.310"),
                            QStringLiteral("Device and Media Control"),
                            QStringLiteral("TECHNICAL SAFEGUARDS \u00a7164.312"),
                            QStringLiteral("Transmission Security"),
                            QStringLiteral("ORGANIZATIONAL REQUIREMENTS \u00a7164.314"),
                            QStringLiteral("POLICIES AND PROCEDURES AND DOCUMENTATION REQUIREMENTS \u00a7164.316"),
                            QStringLiteral("Legend:")};
    qsizetype at = 0;
    for (const QString& expected : order) {
        const qsizetype found = text.indexOf(expected, at);
        if (found < 0) {
            qWarning().noquote() << text;
        }
        QVERIFY2(found >= 0, qPrintable(expected));
        at = found + expected.size();
    }
    // One row reads across its columns: standard, section, specification, R or A.
    static const QRegularExpression firstRow(
        QStringLiteral("Security Management Process\\s+164\\.308\\(a\\)\\(1\\)\\s+Risk Analysis\\s+R"));
    QVERIFY(firstRow.match(text).hasMatch());
    // The legend and the footer share one line; the reader turns runs of blanks into one.
    static const QRegularExpression legendLine(
        QStringLiteral("Legend:\\s+R = Required\\s+A = Addressable +Printed:\\s+December 8, 2026"));
    QVERIFY(legendLine.match(text).hasMatch());

    // A picture of the first page for people to look at.
    const QByteArray screens = qgetenv("QUORVANE_SCREENSHOT_DIR");
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (!screens.isEmpty() && !pdftoppm.isEmpty()) {
        QProcess::execute(pdftoppm,
                          {QStringLiteral("-png"),
                           QStringLiteral("-r"),
                           QStringLiteral("90"),
                           pdf,
                           QString::fromLocal8Bit(screens) + QStringLiteral("/status-report-pdf")});
    }
}

void TestPrinting::printingScreenshots()
{
    Spine spine;
    // An installed policy template stands for the user's policy, as it would after Insert Template.
    QVERIFY(QFile::copy(QStringLiteral(QUORVANE_CONTENT_DIR "/Misc28.Fl1"),
                        spine.folder.dataPath(QStringLiteral("Policy14.Fil"))));
    ActionArea* area = spine.begin();
    PrintOptionsPanel* panel = panelOf(area);
    for (const QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
        showAtSize(area, size);
        area->printOptions();
        clickBox(panel, 0);
        QApplication::processEvents();
        const QString name = QStringLiteral("print-status-%1x%2").arg(size.width()).arg(size.height());
        grabToPng(area, name);
        QTest::mouseClick(panel->enlargeButton(), Qt::LeftButton);
        grabToPng(area, name + QStringLiteral("-enlarged"));
        QTest::mouseClick(panel->enlargeButton(), Qt::LeftButton);
        QTest::mouseClick(panel->command(PrintOptionsPanel::CloseCommand), Qt::LeftButton);
    }
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 14);
    choosePane(area, WorkPanel::PoliciesProcedures);
    for (const QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
        showAtSize(area, size);
        area->printOptions();
        clickBox(panel, 0);
        QApplication::processEvents();
        grabToPng(area, QStringLiteral("print-notes-%1x%2").arg(size.width()).arg(size.height()));
        QTest::mouseClick(panel->enlargeButton(), Qt::LeftButton);
        grabToPng(area, QStringLiteral("print-notes-%1x%2-enlarged").arg(size.width()).arg(size.height()));
        QTest::mouseClick(panel->enlargeButton(), Qt::LeftButton);
        // The progress panel as it stands while the policies are loaded.
        PrintProgressPanel* progress = area->printDesk()->progressPanel();
        progress->start(46);
        progress->setValue(20);
        progress->adjustSize();
        progress->move((panel->width() - progress->width()) / 2, (panel->height() - progress->height()) / 3);
        progress->show();
        progress->raise();
        QApplication::processEvents();
        grabToPng(area, QStringLiteral("print-progress-%1x%2").arg(size.width()).arg(size.height()));
        progress->hide();
        QTest::mouseClick(panel->command(PrintOptionsPanel::CloseCommand), Qt::LeftButton);
    }
}

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
