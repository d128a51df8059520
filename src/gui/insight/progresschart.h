#pragma once

#include "core/insight/progress.h"
#include "core/insight/progresspage.h"

#include <QList>
#include <QString>
#include <QWidget>

namespace qv {

    // The colour of every bucket, from the program's palette.
    insight::BucketColours bucketColours();

    // Stacked horizontal bars, one per row, each split into the status buckets with its counts
    // written on the parts wide enough to hold them; an optional legend of the buckets above. Sizes
    // follow the widget's font, so the chart reads the same on small and large screens.
    class ProgressChart : public QWidget
    {
        Q_OBJECT

    public:
        struct Row
        {
            QString label;
            insight::Tally tally;
            bool emphasised = false;
        };

        explicit ProgressChart(QWidget* parent = nullptr);

        void setRows(QList<Row> rows);
        const QList<Row>& rows() const
        {
            return m_rows;
        }
        void setLegendShown(bool shown);
        // The bar's thickness as a multiple of the font's line height.
        void setBarScale(double lines);

        QSize sizeHint() const override;
        QSize minimumSizeHint() const override;
        bool hasHeightForWidth() const override;
        int heightForWidth(int width) const override;

    protected:
        void paintEvent(QPaintEvent* event) override;
        void resizeEvent(QResizeEvent* event) override;

    private:
        // Box layouts give a widget its height before its width is known; the chart keeps the
        // height its rows need at the width it got, so no bar is ever cut off.
        void keepHeightForWidth();
        int legendHeight(int width) const;
        int barHeight() const;
        int rowHeight(const Row& row) const;

        QList<Row> m_rows;
        bool m_legend = true;
        double m_barScale = 1.15;
    };

} // namespace qv
