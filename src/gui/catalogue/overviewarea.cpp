#include "overviewarea.h"

#include "core/catalogue/overviewgrid.h"
#include "core/catalogue/statusstore.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qv {

    OverviewArea::OverviewArea(AreaHost& host, const StatusStore& statuses, QWidget* parent)
        : QWidget(parent)
        , m_host(host)
        , m_statuses(statuses)
        , m_title(new QLabel(this))
        , m_legend(new QLabel(this))
        , m_grid(new QTableWidget(this))
        , m_body(new QHBoxLayout)
    {
        auto* frame = new QGroupBox(catalogue::OverviewFrameTitle.toString(), this);
        frame->setObjectName(QStringLiteral("SSFrame1"));
        auto* buttons = new QHBoxLayout(frame);
        const auto families = catalogue::overviewFamilies();
        for (int k = 0; k < static_cast<int>(families.size()); ++k) {
            auto* button =
                new CaptionButton(catalogue::family(families[static_cast<size_t>(k)]).name.toString(), frame);
            setControlName(button, QStringLiteral("SSCommand18"), k);
            button->setMinimumHeight(32);
            connect(button, &QPushButton::clicked, this, [this, k] { chooseFamily(k); });
            buttons->addWidget(button);
            m_familyButtons.append(button);
        }
        // The status report of the families, beside the buttons that choose them.
        m_reportButton = new CaptionButton(QStringLiteral("&Print Status Report"), frame);
        m_reportButton->setObjectName(QStringLiteral("SSCommand3"));
        m_reportButton->setMinimumHeight(32);
        connect(m_reportButton, &QPushButton::clicked, this, &OverviewArea::statusReportRequested);
        buttons->addSpacing(16);
        buttons->addWidget(m_reportButton);

        m_title->setObjectName(QStringLiteral("Label3"));
        QFont titleFont = m_title->font();
        titleFont.setBold(true);
        titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
        m_title->setFont(titleFont);
        m_legend->setObjectName(QStringLiteral("Label4"));
        m_legend->setText(catalogue::OverviewLegend.toString());

        m_grid->setObjectName(QStringLiteral("VSGd1"));
        m_grid->setColumnCount(catalogue::OverviewColumnCount);
        m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        // A read-only table: the current cell is kept, but nothing is drawn as selected.
        m_grid->setSelectionMode(QAbstractItemView::NoSelection);
        m_grid->setTextElideMode(Qt::ElideNone);
        m_grid->viewport()->installEventFilter(this);
        m_grid->setWordWrap(true);
        m_grid->verticalHeader()->hide();
        m_grid->horizontalHeader()->hide();
        m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

        auto* heading = new QHBoxLayout;
        heading->addWidget(m_title);
        heading->addStretch();
        heading->addWidget(m_legend);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(8, 8, 8, 8);
        layout->addWidget(frame);
        layout->addLayout(heading);
        m_body->setSpacing(8);
        m_body->addWidget(m_grid, 5);
        layout->addLayout(m_body, 1);
        m_title->hide();
        m_legend->hide();
        m_grid->hide();
    }

    QWidget* OverviewArea::content()
    {
        return this;
    }

    void OverviewArea::print(ReportPrinter& printer)
    {
        printer.openStatusReport(m_chosen);
    }

    void OverviewArea::enter()
    {
        chooseFamily(0, Press::ByProgram);
    }

    int OverviewArea::chosenFamily() const
    {
        return m_chosen;
    }

    QTableWidget* OverviewArea::grid() const
    {
        return m_grid;
    }

    void OverviewArea::setSidePanel(QWidget* panel)
    {
        panel->setParent(this);
        m_body->addWidget(panel, 2);
    }

    void OverviewArea::chooseFamily(int k, Press press)
    {
        const auto families = catalogue::overviewFamilies();
        if (k < 0 || k >= static_cast<int>(families.size())) {
            return;
        }
        m_chosen = k;
        for (CaptionButton* button : m_familyButtons) {
            button->setSelectedLook(false);
        }
        m_familyButtons[k]->setSelectedLook(true);
        if (press == Press::ByUser) {
            m_host.setCaption(QStringLiteral("Action Area - HIPAA Security Standards - ") + m_familyButtons[k]->text());
        }

        const catalogue::Family family = families[static_cast<size_t>(k)];
        const auto columns = catalogue::overviewColumns();
        // The header row is the grid's first row, as the printed report has it.
        m_grid->setRowCount(1);
        for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
            auto* header = new QTableWidgetItem(columns[static_cast<size_t>(c)].header.toString());
            header->setTextAlignment(Qt::AlignCenter);
            QFont bold = header->font();
            bold.setBold(true);
            header->setFont(bold);
            header->setBackground(palette().color(QPalette::Button));
            m_grid->setItem(0, c, header);
        }
        m_title->setText(catalogue::overviewTitle(family));
        m_title->show();
        m_legend->show();
        m_grid->show();

        const QList<catalogue::OverviewRow> rows = catalogue::overviewRows(family, m_statuses.table());
        m_grid->setRowCount(1 + static_cast<int>(rows.size()));
        m_rowHeights = {0.0};
        for (int r = 0; r < rows.size(); ++r) {
            const catalogue::OverviewRow& row = rows[r];
            for (int c = 0; c < row.cells.size() && c < static_cast<int>(columns.size()); ++c) {
                // Cells keep the CR LF line breaks the reports use; the grid shows them as lines.
                QString shown = row.cells[c];
                shown.replace(catalogue::CellLineBreak.toString(), QStringLiteral("\n"));
                auto* item = new QTableWidgetItem(shown);
                item->setData(Qt::UserRole, row.cells[c]);
                item->setTextAlignment(columns[static_cast<size_t>(c)].alignment);
                m_grid->setItem(r + 1, c, item);
            }
            m_rowHeights.append(row.heightFraction);
        }
        m_grid->setCurrentCell(0, 0);
        fitGrid();
    }

    void OverviewArea::resizeEvent(QResizeEvent* event)
    {
        QWidget::resizeEvent(event);
        fitGrid();
    }

    bool OverviewArea::eventFilter(QObject* watched, QEvent* event)
    {
        // Column widths and row heights are fractions of the grid's own size.
        if (watched == m_grid->viewport() && event->type() == QEvent::Resize) {
            fitGrid();
        }
        return QWidget::eventFilter(watched, event);
    }

    void OverviewArea::fitGrid()
    {
        const auto columns = catalogue::overviewColumns();
        const int width = m_grid->viewport()->width();
        const int height = m_grid->viewport()->height();
        for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
            m_grid->setColumnWidth(c, static_cast<int>(columns[static_cast<size_t>(c)].widthFraction * width));
        }
        for (int r = 0; r < m_grid->rowCount(); ++r) {
            m_grid->resizeRowToContents(r);
            const double fraction = m_rowHeights.value(r);
            if (fraction > 0) {
                // The table's heights are what the rows were drawn for; a row never gets less than its
                // lines need, so nothing is cut off on a small screen.
                const int wanted = static_cast<int>(fraction * height);
                m_grid->setRowHeight(r, qMax(wanted, m_grid->rowHeight(r)));
            }
        }
    }

} // namespace qv
