#pragma once

#include "core/reports/notesreport.h"
#include "core/reports/pageengine.h"
#include "core/reports/printsettings.h"
#include "core/reports/statusreport.h"
#include "gui/kit/area.h"

#include <QColor>
#include <QObject>
#include <QTextDocument>

#include <array>
#include <functional>
#include <memory>

class QWidget;

namespace qv {

    class Dialogs;
    class PrintOptionsPanel;
    class PrintProgressPanel;
    class StatusStore;

    // Every print of the Action Area: it uses the program's print settings, owns the page engine and the
    // Print Options panel, opens the report the current area asks for, answers the panel's boxes and
    // commands, and composes the document on view again after a font or page set-up change.
    class PrintDesk : public QObject, public ReportPrinter
    {
        Q_OBJECT

    public:
        // What the preview shows, so a font or page set-up change can compose it again.
        enum class Report
        {
            None,
            Status,
            Notes,
            SingleDocument,
            AllPolicies,
            Grid
        };

        // The panel and the progress panel are children of panelParent, hidden until a report opens.
        // settings are the program's, shared with every other screen that prints.
        PrintDesk(AreaHost& host,
                  Dialogs& dialogs,
                  const StatusStore& statuses,
                  PrintSettings& settings,
                  QWidget* panelParent);
        ~PrintDesk() override;

        PrintOptionsPanel* panel() const;
        PrintProgressPanel* progressPanel() const;
        PageEngine& engine();
        PrintSettings& settings();
        Report report() const;
        bool isOpen() const;

        // What "Include progress summary page" puts before the status report; the option is offered
        // only once this is set.
        void setSummaryPage(LeadingPage page);

        // The colour the Action Area writes in, which printed text takes.
        void setTextColorSource(std::function<QColor()> source);

        // Whether the preview draws page guide lines: the choice made on a reference screen's print
        // options, which this panel has no buttons for. Asked each time the panel opens.
        void setGuideLineSource(std::function<bool()> source);

        // ReportPrinter. The notes report outside the families is the single-document print.
        void openStatusReport(int family) override;
        void openNotesReport() override;
        void openSingleDocument(bool planArea) override;
        void openGridPrint(const GridPrint& print) override;
        // "Print &All Current Policies Only".
        void printAllPolicies();

        // The panel's commands, for the menu and the buttons alike.
        void print();
        void close();
        void copyCurrentPage();
        void savePdf();
        void chooseFont();
        void pageSetup();

    Q_SIGNALS:
        // "Print &All Current Policies Only" should be shown (in the families) or hidden.
        void allPoliciesMenuWanted(bool shown);

    private:
        void onSelectionClicked(int index, bool checked);
        void onStatusBoxClicked(int index);
        void onNotesBoxClicked(int index, bool checked);
        void onCommand(int command);
        void showPanel();
        void takePrintColor();
        void takeEditSettings(bool planArea);
        void rebuild();
        StatusReportChoice statusTicks() const;
        void buildStatusReport();
        void buildNotesReport();
        void buildSingleDocument();
        void buildAllPolicies();
        void buildGridPrint();
        void loadNotesPanes();
        bool warnBlankPane(int index);
        QString entryName() const;
        QString pdfName() const;
        void showFontPanels();

        AreaHost& m_host;
        Dialogs& m_dialogs;
        const StatusStore& m_statuses;
        std::function<QColor()> m_textColor;
        std::function<bool()> m_guideLines;
        LeadingPage m_summaryPage;
        PageEngine m_engine;
        PrintSettings& m_settings;
        PrintOptionsPanel* m_panel = nullptr;
        PrintProgressPanel* m_progress = nullptr;
        Report m_report = Report::None;
        // The all-policies document is on view: a font or page set-up change composes it again.
        bool m_allPoliciesShown = false;
        // The margins of the notes report: its presets until the page set-up chooses others. The
        // all-policies document prints on its own, and a box ticked over it goes back to these.
        PageMargins m_notesMargins;
        // The six panes of the entry the notes report prints, loaded when the report opens.
        std::array<std::unique_ptr<QTextDocument>, NotesPaneCount> m_panes;
        int m_paneFile = -1;
        const GridPrint* m_gridPrint = nullptr;
        QString m_emphasis;
    };

} // namespace qv
