#include "printdesk.h"

#include <algorithm>

#include "previewwidget.h"
#include "printcommands.h"
#include "printoptionspanel.h"
#include "printoutput.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/referencetexts.h"
#include "core/catalogue/statusstore.h"
#include "core/rtf/richtextfile.h"
#include "core/storage/clock.h"
#include "core/storage/programfolder.h"
#include "gui/kit/area.h"
#include "gui/kit/dialogs.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

namespace qv {

    namespace {

        constexpr int PlanArea = 8;

        // The status report's boxes after "All Safeguards": the three families of the overview.
        constexpr int FamilyBoxes = 3;

        const QStringList& statusCaptions()
        {
            static const QStringList captions{QStringLiteral("All Safeguards"),
                                              QStringLiteral("Administrative Safeguards"),
                                              QStringLiteral("Physical Safeguards"),
                                              QStringLiteral("Technical Safeguards")};
            return captions;
        }
        const QList<int> StatusTops{500, 900, 1200, 1500};

        const QStringList& notesCaptions()
        {
            static const QStringList captions{QStringLiteral("Implementation specification"),
                                              QStringLiteral("References in Rule"),
                                              QStringLiteral("Additional Information"),
                                              QStringLiteral("Action Taken"),
                                              QStringLiteral("Comments/Notes"),
                                              QStringLiteral("Policies && Procedures/Plan")};
            return captions;
        }
        const QList<int> NotesTops{300, 585, 870, 1155, 1410, 1660};

        const QString FontTip =
            QStringLiteral("Only works with the Implementation specicfication, References in Rule and Additional "
                           "Information of this portion of the program!");

        // The note file a pane of the notes report reads, as the text panes name them.
        QString noteFile(NotesPane pane, int file)
        {
            const QString number = QString::number(file) + QStringLiteral(".Fil");
            switch (pane) {
            case NotesPane::ActionTaken:
                return QStringLiteral("Action") + number;
            case NotesPane::Comments:
                return QStringLiteral("Comment") + number;
            default:
                return QStringLiteral("Policy") + number;
            }
        }

        // The editor pane that shows a note, as the screen state numbers it.
        int statePane(NotesPane pane)
        {
            switch (pane) {
            case NotesPane::ActionTaken:
                return PaneActionTaken;
            case NotesPane::Comments:
                return PaneComments;
            default:
                return PanePolicies;
            }
        }

        QString formatSize(double points)
        {
            return QString::number(points, 'g', 4);
        }

    } // namespace

    PrintDesk::PrintDesk(AreaHost& host,
                         Dialogs& dialogs,
                         const StatusStore& statuses,
                         PrintSettings& settings,
                         QWidget* panelParent)
        : QObject(panelParent)
        , m_host(host)
        , m_dialogs(dialogs)
        , m_statuses(statuses)
        , m_settings(settings)
        , m_panel(new PrintOptionsPanel(m_engine, panelParent))
        , m_progress(new PrintProgressPanel(panelParent))
    {
        for (auto& pane : m_panes) {
            pane = std::make_unique<QTextDocument>();
        }
        m_panel->hide();
        m_progress->hide();
        m_engine.setPreview(true);
        connect(m_panel, &PrintOptionsPanel::selectionClicked, this, &PrintDesk::onSelectionClicked);
        connect(m_panel, &PrintOptionsPanel::commandClicked, this, &PrintDesk::onCommand);
        connect(m_panel, &PrintOptionsPanel::summaryOptionClicked, this, [this] {
            if (m_report == Report::Status) {
                buildStatusReport();
            }
        });
        connect(m_panel, &PrintOptionsPanel::timelineOptionClicked, this, [this] {
            if (m_report == Report::Grid) {
                buildGridPrint();
            }
        });
    }

    PrintDesk::~PrintDesk() = default;

    PrintOptionsPanel* PrintDesk::panel() const
    {
        return m_panel;
    }

    PrintProgressPanel* PrintDesk::progressPanel() const
    {
        return m_progress;
    }

    PageEngine& PrintDesk::engine()
    {
        return m_engine;
    }

    PrintSettings& PrintDesk::settings()
    {
        return m_settings;
    }

    PrintDesk::Report PrintDesk::report() const
    {
        return m_report;
    }

    bool PrintDesk::isOpen() const
    {
        return m_panel->isVisible();
    }

    void PrintDesk::setTextColorSource(std::function<QColor()> source)
    {
        m_textColor = std::move(source);
    }

    void PrintDesk::setGuideLineSource(std::function<bool()> source)
    {
        m_guideLines = std::move(source);
    }

    void PrintDesk::setSummaryPage(LeadingPage page)
    {
        m_summaryPage = std::move(page);
    }

    void PrintDesk::takePrintColor()
    {
        m_settings.color = m_textColor ? m_textColor() : QColor(Qt::black);
    }

    void PrintDesk::showPanel()
    {
        m_panel->preview()->setGuidesShown(m_guideLines && m_guideLines());
        m_panel->show();
        m_panel->raise();
        m_panel->setFocus();
    }

    // ---- Status report -------------------------------------------------------------------------

    void PrintDesk::openStatusReport(int family)
    {
        m_engine.clear();
        m_report = Report::Status;
        m_allPoliciesShown = false;
        m_panel->setFontCommandsEnabled(false);
        m_panel->setFontTip(QString());
        m_panel->setSelectionBoxes(statusCaptions(), StatusTops);
        m_panel->setTimelineOptionsShown(false);
        m_panel->setSummaryOptionShown(static_cast<bool>(m_summaryPage));
        m_panel->setFontPanels(QStringLiteral(" Times New Roman"), QStringLiteral(" 10"));
        m_settings.orientation = PageOrientation::Portrait;
        m_panel->setOrientationText(QStringLiteral("Portrait"));
        takePrintColor();
        showPanel();
        Q_EMIT allPoliciesMenuWanted(false);

        const int box = std::clamp(family, 0, FamilyBoxes - 1) + 1;
        m_panel->setBoxChecked(box, true);
        onStatusBoxClicked(box);
    }

    void PrintDesk::onStatusBoxClicked(int index)
    {
        const StatusReportChoice ticks = statusTicks().afterClick(index);
        for (int box = 0; box < StatusReportChoice::BoxCount; ++box) {
            m_panel->setBoxChecked(box, ticks.box(box));
        }
        m_panel->setFontPanels(QStringLiteral(" Times New Roman"), QStringLiteral(" 10"));
        PrintSettings sample;
        sample.fontName = QStringLiteral("Times New Roman");
        sample.fontSize = 10;
        m_panel->setSample(sample);
        takePrintColor();
        if (m_panel->isVisible()) {
            buildStatusReport();
        }
    }

    StatusReportChoice PrintDesk::statusTicks() const
    {
        StatusReportChoice ticks;
        for (int box = 0; box < StatusReportChoice::BoxCount; ++box) {
            ticks.setBox(box, m_panel->isBoxChecked(box));
        }
        return ticks;
    }

    void PrintDesk::buildStatusReport()
    {
        const StatusReportChoice choice = statusTicks();
        const StatusLookup status = [this](int safeguard) { return m_statuses.status(safeguard).valueOr(QString()); };
        // Its page set-up is not offered, but the paper chosen for the other reports is the one in
        // the printer.
        m_engine.setPaperSize(m_settings.paper);
        const bool summary = m_summaryPage && m_panel->summaryOption()->isChecked();
        composeStatusReport(m_engine,
                            choice,
                            status,
                            m_settings.color,
                            Clock::current().today(),
                            summary ? m_summaryPage : LeadingPage());
    }

    // ---- Notes report --------------------------------------------------------------------------

    QString PrintDesk::entryName() const
    {
        const ActionAreaState& state = m_host.state();
        const std::optional<catalogue::Family> family = catalogue::familyOfArea(state.area);
        const catalogue::Entry* entry = family ? catalogue::entryByButton(*family, state.currentItem) : nullptr;
        return entry ? entry->fullName.toString() : QString();
    }

    void PrintDesk::showFontPanels()
    {
        m_panel->setFontPanels(QLatin1Char(' ') + m_settings.fontName,
                               QLatin1Char(' ') + formatSize(m_settings.fontSize));
        m_panel->setSample(m_settings);
    }

    // The notes report and the single-document print take the editor's font, the Action Area's text
    // colour, portrait paper and their own margins.
    void PrintDesk::takeEditSettings(bool planArea)
    {
        m_engine.clear();
        m_allPoliciesShown = false;
        m_panel->setFontTip(FontTip);
        m_panel->setFontCommandsEnabled(true);
        m_panel->setTimelineOptionsShown(false);

        const QFont editFont = m_host.workPanel().editor()->font();
        // The screen-only faces never reach the printer, whichever report asks.
        const PrinterFont printer = printerFont(editFont.family(), editFont.pointSizeF(), ScreenFaces::Replace);
        m_settings.setFont(editFont);
        m_settings.fontName = printer.face;
        m_settings.fontSize = printer.size;
        takePrintColor();
        m_settings.orientation = PageOrientation::Portrait;
        m_settings.margins = planArea ? printpresets::NotesReportPlan : printpresets::NotesReport;
        m_notesMargins = m_settings.margins;
        m_panel->setOrientationText(QStringLiteral(" Portrait"));
    }

    void PrintDesk::openNotesReport()
    {
        if (!catalogue::familyOfArea(m_host.state().area)) {
            openSingleDocument(m_host.state().area == PlanArea);
            return;
        }
        takeEditSettings(false);
        m_report = Report::Notes;
        m_panel->setSelectionBoxes(notesCaptions(), NotesTops);
        loadNotesPanes();
        showFontPanels();
        showPanel();
        Q_EMIT allPoliciesMenuWanted(true);

        const int shown = m_host.workPanel().checkedPaneOption();
        if (shown >= 0 && shown < NotesPaneCount) {
            m_panel->setBoxChecked(shown, true);
            onNotesBoxClicked(shown, true);
        }
    }

    // The entry's three rule texts, and its notes: the one the editor shows as it stands there, with
    // any edits not yet saved, the others as they are on file.
    void PrintDesk::loadNotesPanes()
    {
        const ActionAreaState& state = m_host.state();
        const std::optional<catalogue::Family> family = catalogue::familyOfArea(state.area);
        m_paneFile = family ? catalogue::fileNumber(*family, state.currentItem).value_or(-1) : -1;
        for (auto& pane : m_panes) {
            pane->clear();
        }
        m_emphasis.clear();
        if (m_paneFile < 0) {
            return;
        }
        reftexts::placeReferenceTexts(m_paneFile, m_host.folder(), *m_panes[0], *m_panes[1], *m_panes[2]);
        m_emphasis = reftexts::printEmphasis(m_paneFile);
        RichTextEditor* editor = m_host.workPanel().editor();
        for (NotesPane pane : {NotesPane::ActionTaken, NotesPane::Comments, NotesPane::Policies}) {
            std::unique_ptr<QTextDocument>& doc = m_panes[static_cast<size_t>(pane)];
            if (state.currentPane == statePane(pane)) {
                doc.reset(editor->document()->clone());
                continue;
            }
            // A note never written has no file: it prints as blank.
            loadRichText(m_host.folder(), noteFile(pane, m_paneFile), ProgramFolder::Place::Data, *doc).ok();
        }
    }

    bool PrintDesk::warnBlankPane(int index)
    {
        const ActionAreaState& state = m_host.state();
        const std::optional<catalogue::Family> family = catalogue::familyOfArea(state.area);
        const catalogue::Entry* entry = family ? catalogue::entryByButton(*family, state.currentItem) : nullptr;
        const std::optional<TickRefusal> refusal = tickRefusal(static_cast<NotesPane>(index),
                                                               m_panes[static_cast<size_t>(index)].get(),
                                                               entry && entry->isOverview(),
                                                               entryName());
        if (!refusal) {
            return false;
        }
        m_host.prompter().warn(refusal->title, refusal->text);
        // Clearing the box by program is no click of the user's, so nothing is rebuilt for it.
        m_panel->setBoxChecked(index, false);
        return true;
    }

    void PrintDesk::onNotesBoxClicked(int index, bool checked)
    {
        if (checked && warnBlankPane(index)) {
            return;
        }
        buildNotesReport();
    }

    void PrintDesk::buildNotesReport()
    {
        NotesReportInput input;
        for (int i = 0; i < NotesPaneCount; ++i) {
            input.ticked[static_cast<size_t>(i)] = m_panel->isBoxChecked(i);
            input.panes[static_cast<size_t>(i)] = m_panes[static_cast<size_t>(i)].get();
        }
        input.emphasis = m_emphasis;
        composeNotesReport(m_engine, m_settings, input);
    }

    // ---- Single document and all policies ------------------------------------------------------

    void PrintDesk::openSingleDocument(bool planArea)
    {
        takeEditSettings(planArea);
        m_report = Report::SingleDocument;
        // Only the document is printed: there is nothing to choose.
        m_panel->setSelectionBoxes({}, {});
        showFontPanels();
        showPanel();
        Q_EMIT allPoliciesMenuWanted(false);
        buildSingleDocument();
    }

    void PrintDesk::buildSingleDocument()
    {
        const QTextDocument& doc = *m_host.workPanel().editor()->document();
        composeSingleDocument(m_engine, m_settings, doc);
    }

    void PrintDesk::printAllPolicies()
    {
        // The command belongs to the notes report of the families and is shown only with it.
        if (m_report != Report::Notes && m_report != Report::AllPolicies) {
            return;
        }
        m_allPoliciesShown = false;
        for (int i = 0; i < PrintOptionsPanel::SelectionBoxCount; ++i) {
            m_panel->setBoxChecked(i, false);
        }
        m_settings.margins = printpresets::AllPolicies;
        buildAllPolicies();
    }

    void PrintDesk::buildAllPolicies()
    {
        QWidget* parent = m_progress->parentWidget();
        if (parent) {
            m_progress->adjustSize();
            m_progress->move((parent->width() - m_progress->width()) / 2,
                             (parent->height() - m_progress->height()) / 3);
        }
        m_progress->start(AllPoliciesLast);
        m_progress->show();
        m_progress->raise();
        const int printed = composeAllPolicies(m_engine, m_settings, m_host.folder(), [this](int n) {
            m_progress->setValue(n);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        m_progress->hide();
        m_report = Report::AllPolicies;
        m_allPoliciesShown = printed > 0;
    }

    // ---- Commands ------------------------------------------------------------------------------

    void PrintDesk::onSelectionClicked(int index, bool checked)
    {
        switch (m_report) {
        case Report::Status:
            onStatusBoxClicked(index);
            break;
        case Report::AllPolicies:
            // A box ticked over the all-policies document goes back to the notes report, on the
            // margins it had before.
            m_report = Report::Notes;
            m_allPoliciesShown = false;
            m_settings.margins = m_notesMargins;
            onNotesBoxClicked(index, checked);
            break;
        case Report::Notes:
            // The margins stay as they are: the report's presets, or what the page set-up chose.
            onNotesBoxClicked(index, checked);
            break;
        default:
            break;
        }
    }

    void PrintDesk::onCommand(int command)
    {
        switch (command) {
        case PrintOptionsPanel::FontCommand:
            chooseFont();
            break;
        case PrintOptionsPanel::PageSetupCommand:
            pageSetup();
            break;
        case PrintOptionsPanel::CloseCommand:
            close();
            break;
        case PrintOptionsPanel::CopyPageCommand:
            copyCurrentPage();
            break;
        case PrintOptionsPanel::PrintCommand:
            print();
            break;
        case PrintOptionsPanel::SavePdfCommand:
            savePdf();
            break;
        default:
            break;
        }
    }

    void PrintDesk::rebuild()
    {
        if (m_allPoliciesShown) {
            buildAllPolicies();
            return;
        }
        switch (m_report) {
        case Report::Status:
            buildStatusReport();
            break;
        case Report::Notes:
            buildNotesReport();
            break;
        case Report::SingleDocument:
            buildSingleDocument();
            break;
        case Report::AllPolicies:
            buildAllPolicies();
            break;
        case Report::Grid:
            buildGridPrint();
            break;
        case Report::None:
            break;
        }
    }

    // ---- A printout its area composes ----------------------------------------------------------

    void PrintDesk::openGridPrint(const GridPrint& print)
    {
        m_engine.clear();
        m_gridPrint = &print;
        m_report = Report::Grid;
        m_allPoliciesShown = false;
        m_panel->setFontTip(FontTip);
        m_panel->setFontCommandsEnabled(true);
        m_panel->setSelectionBoxes({}, {});
        m_panel->setTimelineOptionsShown(true);
        takePrintColor();
        m_settings.orientation = PageOrientation::Portrait;
        m_panel->setOrientationText(QStringLiteral(" Portrait"));
        print.prepare(m_settings);
        showFontPanels();
        showPanel();
        Q_EMIT allPoliciesMenuWanted(false);
        buildGridPrint();
    }

    void PrintDesk::buildGridPrint()
    {
        if (!m_gridPrint) {
            return;
        }
        m_engine.setPaperSize(m_settings.paper);
        m_gridPrint->compose(
            m_engine, m_settings, m_panel->timelineOption(0)->isChecked(), m_panel->timelineOption(1)->isChecked());
    }

    void PrintDesk::chooseFont()
    {
        FontChoice initial{m_settings.font(), m_settings.color};
        const std::optional<FontChoice> chosen = m_dialogs.chooseFont(initial);
        if (!chosen) {
            return;
        }
        m_settings.setFont(chosen->font);
        m_settings.color = chosen->color;
        showFontPanels();
        rebuild();
    }

    void PrintDesk::pageSetup()
    {
        if (!askPageSetup(m_dialogs, m_settings)) {
            return;
        }
        m_panel->setOrientationText(m_settings.orientation == PageOrientation::Landscape ? QStringLiteral(" Landscape")
                                                                                         : QStringLiteral(" Portrait"));
        // The user's margins outlast the all-policies document: a box ticked after it keeps them.
        m_notesMargins = m_settings.margins;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        rebuild();
    }

    void PrintDesk::print()
    {
        if (m_engine.pageCount() == 0) {
            m_host.prompter().inform(QStringLiteral("Print"), QStringLiteral("There is nothing to print."));
            return;
        }
        const Result<PrintOutcome> printed = printDocument(m_engine.document(), m_dialogs);
        if (!printed) {
            m_host.prompter().critical(QStringLiteral("Print"), printed.error());
        }
    }

    void PrintDesk::close()
    {
        m_panel->setEnlarged(false);
        m_panel->hide();
        m_progress->hide();
        Q_EMIT allPoliciesMenuWanted(false);
    }

    void PrintDesk::copyCurrentPage()
    {
        const Status copied = copyPageToClipboard(m_engine.document(), m_panel->preview()->currentPage());
        if (!copied) {
            m_host.prompter().critical(QStringLiteral("Copy Option"), copied.error());
            return;
        }
        m_host.prompter().inform(QStringLiteral("Copy Option"),
                                 QStringLiteral("Current Page has been copied to the Windows Clipboard."));
        m_panel->command(PrintOptionsPanel::CloseCommand)->setFocus();
    }

    // The file name offered for the PDF: what the document is, so a filed copy says so, with the
    // characters no file system takes left out.
    QString PrintDesk::pdfName() const
    {
        QString name;
        switch (m_allPoliciesShown ? Report::AllPolicies : m_report) {
        case Report::Status:
            name = QStringLiteral("HIPAA Security Standards Status Report");
            break;
        case Report::Notes:
            name = entryName();
            break;
        case Report::AllPolicies:
            name = QStringLiteral("Current Policies and Procedures");
            break;
        case Report::SingleDocument:
            name = m_host.state().documentName;
            break;
        case Report::Grid:
            name = QStringLiteral("Project Timeline");
            break;
        case Report::None:
            break;
        }
        static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
        name = name.replace(unsafe, QStringLiteral(" ")).simplified();
        while (name.endsWith(u'.')) {
            name.chop(1);
        }
        return name.isEmpty() ? QStringLiteral("Quorvane report") : name;
    }

    void PrintDesk::savePdf()
    {
        saveAsPdf(m_engine.document(), m_dialogs, m_host.prompter(), pdfName());
    }

} // namespace qv
