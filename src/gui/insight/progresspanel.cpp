#include "progresspanel.h"

#include "core/catalogue/statusstore.h"
#include "core/catalogue/statusvocabulary.h"
#include "core/documents/worksheettitles.h"
#include "progresschart.h"

#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QVBoxLayout>

namespace qv {

    namespace {

        // The families by the short names a narrow panel has room for; the printed summary spells
        // them out.
        QString shortName(catalogue::Family family)
        {
            switch (family) {
            case catalogue::Family::Administrative:
                return QStringLiteral("Administrative");
            case catalogue::Family::Physical:
                return QStringLiteral("Physical");
            case catalogue::Family::Technical:
                return QStringLiteral("Technical");
            case catalogue::Family::Organizational:
                return QStringLiteral("Organizational");
            case catalogue::Family::Policies:
                return QStringLiteral("Policies & Documentation");
            }
            return {};
        }

        QLabel* boldLabel(const QString& name, QWidget* parent, double scale = 1.0)
        {
            auto* label = new QLabel(parent);
            label->setObjectName(name);
            QFont font = label->font();
            font.setBold(true);
            font.setPointSizeF(font.pointSizeF() * scale);
            label->setFont(font);
            label->setWordWrap(true);
            return label;
        }

    } // namespace

    ProgressPanel::ProgressPanel(const StatusStore& statuses, const ProgramFolder& folder, QWidget* parent)
        : QFrame(parent)
        , m_statuses(statuses)
        , m_folder(folder)
        , m_headline(new QLabel(this))
        , m_safeguards(new ProgressChart(this))
        , m_worksheetCaption(boldLabel(QStringLiteral("WorksheetProgressCaption"), this))
        , m_worksheets(new ProgressChart(this))
        , m_openCaption(boldLabel(QStringLiteral("OpenRequiredCaption"), this))
        , m_open(new QListWidget(this))
    {
        setObjectName(QStringLiteral("ProgressSummary"));
        setFrameShape(QFrame::StyledPanel);
        // Wide enough for a bar to hold its counts and for the longest bucket name in the legend.
        setMinimumWidth(fontMetrics().averageCharWidth() * 36);
        setMaximumWidth(fontMetrics().averageCharWidth() * 64);

        QLabel* title = boldLabel(QStringLiteral("ProgressTitle"), this, 1.15);
        title->setText(QStringLiteral("Compliance Progress"));
        m_headline->setObjectName(QStringLiteral("ProgressHeadline"));
        m_headline->setWordWrap(true);
        m_safeguards->setObjectName(QStringLiteral("SafeguardChart"));
        m_worksheets->setObjectName(QStringLiteral("WorksheetChart"));
        m_worksheets->setLegendShown(false);
        m_worksheets->setBarScale(1.0);
        m_open->setObjectName(QStringLiteral("OpenRequired"));
        m_open->setSelectionMode(QAbstractItemView::NoSelection);
        m_open->setFocusPolicy(Qt::NoFocus);
        m_open->setWordWrap(true);
        // Three entries show on a small screen; the rest scroll.
        m_open->setMinimumHeight(m_open->fontMetrics().height() * 3 + 2 * m_open->frameWidth() + 4);

        // On a small screen the summary scrolls rather than squeezing its bars over each other.
        auto* scroll = new QScrollArea(this);
        scroll->setObjectName(QStringLiteral("ProgressScroll"));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        auto* inner = new QWidget(scroll);
        inner->setObjectName(QStringLiteral("ProgressContent"));
        auto* outer = new QVBoxLayout(this);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->addWidget(scroll);

        auto* layout = new QVBoxLayout(inner);
        layout->setContentsMargins(6, 6, 6, 6);
        layout->setSpacing(2);
        layout->addWidget(title);
        layout->addWidget(m_headline);
        layout->addSpacing(4);
        layout->addWidget(m_safeguards);
        layout->addSpacing(4);
        layout->addWidget(m_worksheetCaption);
        layout->addWidget(m_worksheets);
        layout->addSpacing(4);
        layout->addWidget(m_openCaption);
        layout->addWidget(m_open, 1);
        scroll->setWidget(inner);
    }

    void ProgressPanel::showEvent(QShowEvent* event)
    {
        QFrame::showEvent(event);
        refresh();
    }

    void ProgressPanel::refresh()
    {
        m_progress = insight::countProgress(
            m_statuses.table(), [this](int worksheet) { return worksheets::isFilled(m_folder, worksheet); });

        const int all = m_progress.total.total();
        const int completed = m_progress.total[insight::Bucket::Completed];
        m_headline->setText(QStringLiteral("%1 of %2 safeguards Completed (%3%)")
                                .arg(completed)
                                .arg(all)
                                .arg(all > 0 ? (completed * 100 + all / 2) / all : 0));

        QList<ProgressChart::Row> rows;
        QStringList tips;
        for (const insight::FamilyTally& family : std::as_const(m_progress.families)) {
            const QString label = QStringLiteral("%1 (%2)").arg(shortName(family.family)).arg(family.tally.total());
            rows.append({label, family.tally, false});
            tips.append(label + QStringLiteral(": ") + insight::countsInWords(family.tally));
        }
        const QString total = QStringLiteral("All safeguards (%1)").arg(all);
        rows.append({total, m_progress.total, true});
        tips.append(total + QStringLiteral(": ") + insight::countsInWords(m_progress.total));
        m_safeguards->setRows(rows);
        m_safeguards->setToolTip(tips.join(u'\n'));

        if (m_progress.worksheetsInUse > 0) {
            m_worksheetCaption->setText(QStringLiteral("Worksheets: %1 of %2 in use")
                                            .arg(m_progress.worksheetsInUse)
                                            .arg(statuses::WorksheetCount));
            m_worksheets->setRows({{QString(), m_progress.worksheets, false}});
            m_worksheets->setToolTip(insight::countsInWords(m_progress.worksheets));
            m_worksheets->show();
        } else {
            m_worksheetCaption->setText(QStringLiteral("No Risk Analysis Worksheet is in use yet."));
            m_worksheets->hide();
        }

        m_openCaption->setText(QStringLiteral("Required, not yet Completed (%1)").arg(m_progress.openRequired.size()));
        m_open->clear();
        for (const insight::OpenRequirement& open : std::as_const(m_progress.openRequired)) {
            m_open->addItem(open.name + QStringLiteral(" \u2013 ") + insight::bucketName(open.bucket));
        }
    }

} // namespace qv
