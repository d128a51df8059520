#pragma once

#include "core/documents/incidents.h"
#include "gui/kit/area.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

    // Area 10, "Incident Reports": any number of reports, each a rich-text document stored under its
    // title. The selector reopens a stored report, the title box names a new one, and Save decides
    // from the incident mode whether it writes a new report, replaces one or updates the one opened.
    class IncidentArea : public QGroupBox, public Area
    {
        Q_OBJECT

    public:
        enum Mode : int
        {
            Idle = 0,
            Choosing = 1,
            FromTemplate = 2,
            Opened = 3,
            Blank = 4
        };
        // The unsaved-changes value that says a new title was typed into the selector.
        static constexpr int TitleTyped = 22;

        IncidentArea(AreaHost& host, QWidget* parent = nullptr);

        QWidget* content() override;
        void enter() override;
        bool save() override;

        // "Select Existing Report Above".
        void selectExisting();
        // "New Report - Insert Template".
        void newFromTemplate();
        // "!New - Blank for Pasting In Report".
        void newBlank();
        // A stored report picked in the selector.
        void chooseReport(int position);
        // "Delete Selected File".
        void deleteSelected();

        Mode mode() const
        {
            return m_mode;
        }
        const incidents::ReportIndex& index() const
        {
            return m_index;
        }
        QComboBox* selector() const;
        QLineEdit* titleBox() const;
        QLabel* statusLabel() const;
        QPushButton* command(int n) const;

    private:
        // The selector's entries follow the index, which is read again.
        void reloadSelector();
        void showPlaceholder();
        void resetAfterSave();
        void askForTitle();
        void refuseTitle(const QString& message, bool focusTitle);
        QString selectorTitle() const;
        // Writes a report under a title typed in the title box or the selector.
        void saveNew(const QString& title);
        void saveOpened();
        // Asks whether to save first; false when the command should end.
        bool confirmLeaving(const QString& question, bool yesEnds);
        bool writeReport(const QString& title, const QString& failureTitle);

        AreaHost& m_host;
        incidents::ReportIndex m_index;
        Mode m_mode = Idle;
        int m_selected = -1;
        QString m_openedTitle;

        QLabel* m_selectorLabel;
        QComboBox* m_selector;
        QLineEdit* m_titleBox;
        QLabel* m_status;
        QPushButton* m_commands[4];
    };

} // namespace qv
