#pragma once

#include "core/catalogue/catalogue.h"
#include "gui/kit/area.h"

#include <QList>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QTableWidget;

namespace qv {

    class CaptionButton;
    class StatusStore;

    // Area 0, "HIPAA Security Standards": the standards of one family at a time in a read-only grid,
    // with the statuses the user picked, chosen with three family buttons.
    class OverviewArea : public QWidget, public Area
    {
        Q_OBJECT

    public:
        OverviewArea(AreaHost& host, const StatusStore& statuses, QWidget* parent = nullptr);

        QWidget* content() override;
        void enter() override;
        void print(ReportPrinter& printer) override;

        enum class Press
        {
            ByUser,
            // The program fills the grid when the area is entered; the window keeps the area's caption.
            ByProgram
        };
        // Family button k (0 Administrative, 1 Physical, 2 Technical).
        void chooseFamily(int k, Press press = Press::ByUser);
        int chosenFamily() const;
        QTableWidget* grid() const;
        // A panel beside the grid (the progress summary), shown and hidden with the area.
        void setSidePanel(QWidget* panel);

    Q_SIGNALS:
        // The status-report button: the report of the families is wanted.
        void statusReportRequested();

    protected:
        void resizeEvent(QResizeEvent* event) override;
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        void fitGrid();

        AreaHost& m_host;
        const StatusStore& m_statuses;
        QList<CaptionButton*> m_familyButtons;
        CaptionButton* m_reportButton = nullptr;
        QLabel* m_title;
        QLabel* m_legend;
        QTableWidget* m_grid;
        QHBoxLayout* m_body;
        QList<double> m_rowHeights;
        int m_chosen = 0;
    };

} // namespace qv
