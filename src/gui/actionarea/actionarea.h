#pragma once

#include "core/catalogue/statusstore.h"
#include "gui/kit/area.h"

#include <QList>
#include <QMainWindow>
#include <QMap>

#include <array>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;

namespace qv {

    class ArchiveArea;
    class CaptionButton;
    class Dialogs;
    class ExportPanel;
    class ExampleArea;
    class FamilyArea;
    class GridDisplay;
    class Help;
    class IncidentArea;
    class Navigator;
    class OverviewArea;
    class PlanArea;
    class PrintDesk;
    struct PrintSettings;
    class Prompter;
    class TextPanes;
    class TimelineArea;
    class WorksheetArea;
    class WritingAids;

    // The work screen and hub of the program ("WorkArea1"). It owns the screen state, runs the steps
    // every area shares when one is selected, and hands each command that depends on the area to the
    // current Area object.
    class ActionArea : public QMainWindow, public AreaHost
    {
        Q_OBJECT

    public:
        static constexpr int AreaCount = 12;
        static constexpr int NavigationCount = 7;

        ActionArea(Navigator& navigator,
                   Prompter& prompter,
                   Help& help,
                   Dialogs& dialogs,
                   const ProgramFolder& folder,
                   PrintSettings& printSettings,
                   QWidget* parent = nullptr);
        ~ActionArea() override;

        // After a restore made from any screen: the statuses are read again, the editor's text is
        // dropped without saving and the first area is shown.
        void takeRestoredFiles();

        // AreaHost
        ActionAreaState& state() override;
        WorkPanel& workPanel() override;
        Prompter& prompter() override;
        const ProgramFolder& folder() const override;
        void setCaption(const QString& caption) override;
        void setPanelCaption(const QString& caption) override;
        bool saveChangesPrompt() override;
        void clearEditor() override;
        void rerunSelectedPane() override;
        void showStatus(const QString& text) override;
        void setMenuEnabled(const QString& name, bool enabled) override;
        void setEditingCommandsEnabled(bool enabled) override;

        // Area button k pressed, by the user or the program.
        void selectArea(int k);
        // Navigation button k pressed.
        void pressNavigation(int k);
        TextPanes& textPanes() const;
        // The work panel's "E&xit".
        void exitWorkPanel();
        // "&Save": dispatched to the current area.
        void save();
        // "View Archived Policies, etc.": the archive viewer in the incident reports' layout.
        void viewArchives();
        // "&Print Options": the report of the current area in the print options, or, while they
        // are open, the Print command.
        void printOptions();
        // "&Copy to Clipboard": the editor's whole document.
        void copyToClipboard();
        PrintDesk* printDesk() const;
        WritingAids& writingAids() const;
        // "Export File in Excel/Spreadsheet Format": the grid of the current area, where one is shown.
        void openExport();
        ExportPanel* exportPanel() const;

        const StatusStore& statusStore() const;
        OverviewArea* overviewArea() const;
        FamilyArea* familyArea(int area) const;
        WorksheetArea* worksheetArea() const;
        IncidentArea* incidentArea() const;
        ArchiveArea* archiveArea() const;
        TimelineArea* timelineArea() const;
        // The look of the working grids and the grid background selector.
        GridDisplay* gridDisplay() const;
        CaptionButton* areaButton(int k) const;
        CaptionButton* navigationButton(int k) const;
        QAction* menuAction(const QString& name) const;
        QMenu* optionsMenu() const;
        // The help topic F1 and "&Action Area" of the Help menu open in the current area.
        int helpTopic() const;

    Q_SIGNALS:
        // The user confirmed "Exit Quorvane?": the program should end.
        void exitRequested();

    protected:
        void showEvent(QShowEvent* event) override;
        void closeEvent(QCloseEvent* event) override;
        void keyPressEvent(QKeyEvent* event) override;
        void resizeEvent(QResizeEvent* event) override;
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        void buildMenus();
        void buildScreen();
        void buildGridDisplay();
        // The progress summary beside the overview and in the status report, and "Find in All
        // Documents…".
        void attachInsight();
        void build();
        void layOutPanels();
        void activated();
        void askExit();
        // Esc: closes what lies over the screen, innermost first, else asks to end the program.
        void escape();
        void onEditorChanged();
        // The save-changes question when there are unsaved edits; false when the user must stay.
        bool offerToSave();
        // Unticks the six text-pane options, and with them the note the editor was showing.
        void clearPanes();
        void showNoPane();
        void onStatusPicked(int index);
        void onPaneOptionChosen(int option);
        void onTextLocation(int index);
        void followCaretAlignment();
        void fillStatusBox(int area);
        void addPopupFilter(QWidget* widget);
        void connectWritingAids();
        Area* area(int k) const;

        Navigator& m_navigator;
        Prompter& m_prompter;
        Help& m_help;
        Dialogs& m_dialogs;
        const ProgramFolder& m_folder;
        PrintSettings& m_printSettings;
        StatusStore m_statusStore;
        ActionAreaState m_state;

        QMenu* m_optionsMenu = nullptr;
        QMap<QString, QAction*> m_actions;
        QList<CaptionButton*> m_navigationButtons;
        QList<CaptionButton*> m_areaButtons;
        QWidget* m_content = nullptr;
        std::array<QFrame*, 4> m_areaPanels{};
        QLabel* m_panelCaption = nullptr;
        QFrame* m_coverPanel = nullptr;
        QLabel* m_dateLabel = nullptr;
        WorkPanel* m_workPanel = nullptr;

        OverviewArea* m_overview = nullptr;
        std::array<FamilyArea*, 5> m_families{};
        WorksheetArea* m_worksheets = nullptr;
        IncidentArea* m_incidents = nullptr;
        ArchiveArea* m_archives = nullptr;
        TimelineArea* m_timeline = nullptr;
        std::unique_ptr<ExampleArea> m_example;
        std::unique_ptr<TextPanes> m_textPanes;
        std::unique_ptr<PlanArea> m_plan;
        PrintDesk* m_printDesk = nullptr;
        std::unique_ptr<WritingAids> m_writing;
        ExportPanel* m_exportPanel = nullptr;
        GridDisplay* m_gridDisplay = nullptr;
    };

} // namespace qv
