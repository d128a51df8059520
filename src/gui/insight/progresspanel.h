#pragma once

#include "core/insight/progress.h"

#include <QFrame>

class QLabel;
class QListWidget;

namespace qv {

    class ProgramFolder;
    class ProgressChart;
    class StatusStore;

    // Beside the standards overview: how many safeguards are Completed, In Progress, Not Implemented,
    // Not Applicable or not yet decided, per family and in total, the worksheets' statuses, and the
    // Required safeguards still open. Counted afresh whenever it comes into view, which is after every
    // status pick, since statuses are picked in the other areas.
    class ProgressPanel : public QFrame
    {
        Q_OBJECT

    public:
        ProgressPanel(const StatusStore& statuses, const ProgramFolder& folder, QWidget* parent = nullptr);

        void refresh();
        const insight::Progress& progress() const
        {
            return m_progress;
        }
        ProgressChart* safeguardChart() const
        {
            return m_safeguards;
        }
        ProgressChart* worksheetChart() const
        {
            return m_worksheets;
        }
        QListWidget* openRequired() const
        {
            return m_open;
        }

    protected:
        void showEvent(QShowEvent* event) override;

    private:
        const StatusStore& m_statuses;
        const ProgramFolder& m_folder;
        insight::Progress m_progress;
        QLabel* m_headline;
        ProgressChart* m_safeguards;
        QLabel* m_worksheetCaption;
        ProgressChart* m_worksheets;
        QLabel* m_openCaption;
        QListWidget* m_open;
    };

} // namespace qv
