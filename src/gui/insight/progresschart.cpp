#include "progresschart.h"

#include "gui/kit/palette.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <cmath>

namespace qv {

    using insight::Bucket;
    using insight::BucketCount;

    namespace {
        constexpr int Gap = 4;
    }

    insight::BucketColours bucketColours()
    {
        insight::BucketColours colours;
        for (int b = 0; b < BucketCount; ++b) {
            colours[static_cast<size_t>(b)] = paletteColor(insight::bucketPaletteIndex(static_cast<Bucket>(b)));
        }
        return colours;
    }

    ProgressChart::ProgressChart(QWidget* parent)
        : QWidget(parent)
    {
        QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }

    void ProgressChart::setRows(QList<Row> rows)
    {
        m_rows = std::move(rows);
        keepHeightForWidth();
        update();
    }

    void ProgressChart::keepHeightForWidth()
    {
        const int wanted = heightForWidth(width());
        if (minimumHeight() != wanted) {
            setMinimumHeight(wanted);
        }
        updateGeometry();
    }

    void ProgressChart::resizeEvent(QResizeEvent* event)
    {
        QWidget::resizeEvent(event);
        keepHeightForWidth();
    }

    void ProgressChart::setLegendShown(bool shown)
    {
        m_legend = shown;
        keepHeightForWidth();
        update();
    }

    void ProgressChart::setBarScale(double lines)
    {
        m_barScale = lines;
        keepHeightForWidth();
        update();
    }

    int ProgressChart::barHeight() const
    {
        return static_cast<int>(std::lround(fontMetrics().height() * m_barScale));
    }

    int ProgressChart::rowHeight(const Row& row) const
    {
        const int label = row.label.isEmpty() ? 0 : fontMetrics().height() + 1;
        return label + barHeight() + Gap;
    }

    int ProgressChart::legendHeight(int width) const
    {
        if (!m_legend) {
            return 0;
        }
        // The legend wraps onto as many lines as the width needs.
        const QFontMetrics fm = fontMetrics();
        const int swatch = fm.height() - 4;
        int lines = 1;
        int x = 0;
        for (int b = 0; b < BucketCount; ++b) {
            const int item = swatch + 4 + fm.horizontalAdvance(insight::bucketName(static_cast<Bucket>(b))) + 12;
            if (x > 0 && x + item > width) {
                ++lines;
                x = 0;
            }
            x += item;
        }
        return lines * fm.height() + Gap;
    }

    QSize ProgressChart::sizeHint() const
    {
        const int width = fontMetrics().horizontalAdvance(QStringLiteral("Not Implemented")) * 3;
        return {width, heightForWidth(width)};
    }

    QSize ProgressChart::minimumSizeHint() const
    {
        const int width = fontMetrics().horizontalAdvance(QStringLiteral("Not Implemented")) * 2;
        return {width, heightForWidth(width)};
    }

    bool ProgressChart::hasHeightForWidth() const
    {
        return true;
    }

    int ProgressChart::heightForWidth(int width) const
    {
        int height = legendHeight(width);
        for (const Row& row : m_rows) {
            height += rowHeight(row);
        }
        return height;
    }

    void ProgressChart::paintEvent(QPaintEvent* event)
    {
        Q_UNUSED(event);
        QPainter painter(this);
        const insight::BucketColours colours = bucketColours();
        const QFontMetrics fm = fontMetrics();
        const int width = this->width() - 1;
        int y = 0;

        if (m_legend) {
            const int swatch = fm.height() - 4;
            int x = 0;
            for (int b = 0; b < BucketCount; ++b) {
                const QString name = insight::bucketName(static_cast<Bucket>(b));
                const int item = swatch + 4 + fm.horizontalAdvance(name) + 12;
                if (x > 0 && x + item > width) {
                    y += fm.height();
                    x = 0;
                }
                const QRect box(x, y + (fm.height() - swatch) / 2, swatch, swatch);
                painter.fillRect(box, colours[static_cast<size_t>(b)]);
                painter.setPen(palette().color(QPalette::WindowText));
                painter.drawRect(box);
                painter.drawText(QRect(x + swatch + 4, y, item, fm.height()), Qt::AlignLeft | Qt::AlignVCenter, name);
                x += item;
            }
            y += fm.height() + Gap;
        }

        QFont bold = font();
        bold.setBold(true);
        for (const Row& row : std::as_const(m_rows)) {
            if (!row.label.isEmpty()) {
                painter.setFont(row.emphasised ? bold : font());
                painter.setPen(palette().color(QPalette::WindowText));
                painter.drawText(QRect(0, y, width, fm.height()), Qt::AlignLeft | Qt::AlignVCenter, row.label);
                y += fm.height() + 1;
            }

            const QRect bar(0, y, width, barHeight());
            const int total = row.tally.total();
            painter.setFont(bold);
            const QFontMetrics boldMetrics(bold);
            double x = bar.left();
            for (int b = 0; b < BucketCount && total > 0; ++b) {
                const Bucket bucket = static_cast<Bucket>(b);
                const int count = row.tally[bucket];
                if (count == 0) {
                    continue;
                }
                const double part = double(bar.width()) * count / total;
                const QRectF piece(x, bar.top(), part, bar.height());
                painter.fillRect(piece, colours[static_cast<size_t>(b)]);
                const QString number = QString::number(count);
                if (boldMetrics.horizontalAdvance(number) + 4 <= part) {
                    painter.setPen(insight::bucketTextIsLight(bucket) ? QColor(Qt::white) : QColor(Qt::black));
                    painter.drawText(piece, Qt::AlignCenter, number);
                }
                x += part;
            }
            painter.setPen(palette().color(QPalette::WindowText));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(bar);
            y += barHeight() + Gap;
        }
    }

} // namespace qv
