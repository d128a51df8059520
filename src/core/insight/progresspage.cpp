#include "progresspage.h"

#include "core/catalogue/statusvocabulary.h"
#include "core/reports/pageengine.h"

#include <QRectF>

#include <algorithm>

namespace qv::insight {

    namespace {

        constexpr double Inset = 1080; // the summary sits inside the page's outer three quarters of an inch
        constexpr double BarHeight = 320;
        constexpr double WorksheetBarHeight = 240;
        constexpr double BarGap = 170;
        constexpr double Swatch = 160;

        class PageWriter
        {
        public:
            PageWriter(PageEngine& engine, const BucketColours& colours)
                : m_engine(engine)
                , m_colours(colours)
                , m_left(Inset)
                , m_right(std::max(engine.pageWidth() - Inset, Inset + 2000))
            {
            }

            void text(const QString& s, double size, bool bold, double x)
            {
                m_engine.setFontSize(size);
                m_engine.setFontBold(bold);
                m_engine.setCurrentX(x);
                m_engine.paragraph(s);
                m_engine.setFontBold(false);
            }

            void centred(const QString& s, double size, bool bold)
            {
                m_engine.setFontSize(size);
                m_engine.setFontBold(bold);
                m_engine.setCurrentX((m_left + m_right - m_engine.textWidth(s)) / 2);
                m_engine.paragraph(s);
                m_engine.setFontBold(false);
            }

            void gap(double twips)
            {
                m_engine.setCurrentY(m_engine.currentY() + twips);
            }

            void legend()
            {
                m_engine.setFontSize(9);
                const double y = m_engine.currentY();
                double x = m_left;
                for (int b = 0; b < BucketCount; ++b) {
                    const QString name = bucketName(static_cast<Bucket>(b));
                    const double line = m_engine.lineHeight();
                    const QRectF swatch(x, y + (line - Swatch) / 2, Swatch, Swatch);
                    m_engine.fillRect(swatch, m_colours[static_cast<size_t>(b)]);
                    outline(swatch);
                    m_engine.setCurrentY(y);
                    m_engine.setCurrentX(x + Swatch + 80);
                    m_engine.paragraph(name);
                    x += Swatch + 80 + m_engine.textWidth(name) + 300;
                }
            }

            void bar(const QString& label, const Tally& tally, double height, bool bold)
            {
                text(label, 10, bold, m_left);
                const double top = m_engine.currentY() + 40;
                const QRectF whole(m_left, top, m_right - m_left, height);
                const int total = tally.total();
                double x = m_left;
                m_engine.setFontSize(9);
                m_engine.setFontBold(true);
                for (int b = 0; b < BucketCount && total > 0; ++b) {
                    const Bucket bucket = static_cast<Bucket>(b);
                    const int count = tally[bucket];
                    if (count == 0) {
                        continue;
                    }
                    const double width = whole.width() * count / total;
                    m_engine.fillRect(QRectF(x, top, width, height), m_colours[static_cast<size_t>(b)]);
                    const QString number = QString::number(count);
                    const double numberWidth = m_engine.textWidth(number);
                    // A count only goes on a part wide enough to hold it; the legend line below the
                    // bar gives every count in words.
                    if (numberWidth + 60 <= width) {
                        const QColor before = m_engine.textColor();
                        m_engine.setTextColor(bucketTextIsLight(bucket) ? QColor(Qt::white) : QColor(Qt::black));
                        m_engine.setCurrentY(top + (height - m_engine.lineHeight()) / 2);
                        m_engine.setCurrentX(x + (width - numberWidth) / 2);
                        m_engine.paragraph(number);
                        m_engine.setTextColor(before);
                    }
                    x += width;
                }
                m_engine.setFontBold(false);
                outline(whole);
                m_engine.setCurrentY(top + height + 30);
                text(countsInWords(tally), 8, false, m_left);
                gap(BarGap);
            }

            void openRequired(const QList<OpenRequirement>& open)
            {
                text(QStringLiteral("Required safeguards not yet Completed: %1").arg(open.size()), 11, true, m_left);
                gap(60);
                if (open.isEmpty()) {
                    text(QStringLiteral("Every Required safeguard is Completed."), 9, false, m_left);
                    return;
                }
                m_engine.setFontSize(9);
                const qsizetype half = (open.size() + 1) / 2;
                const double top = m_engine.currentY();
                const double column = (m_right - m_left) / 2;
                double bottom = top;
                for (int c = 0; c < 2; ++c) {
                    m_engine.setCurrentY(top);
                    for (qsizetype i = c * half; i < std::min(open.size(), (c + 1) * half); ++i) {
                        const OpenRequirement& r = open.at(i);
                        text(QStringLiteral("%1. %2 - %3").arg(r.safeguard).arg(r.name, bucketName(r.bucket)),
                             9,
                             false,
                             m_left + c * column);
                    }
                    bottom = std::max(bottom, m_engine.currentY());
                }
                m_engine.setCurrentY(bottom);
            }

        private:
            void outline(const QRectF& r)
            {
                m_engine.setLineColor(Qt::black);
                m_engine.drawLine(r.left(), r.top(), r.right(), r.top());
                m_engine.drawLine(r.right(), r.top(), r.right(), r.bottom());
                m_engine.drawLine(r.right(), r.bottom(), r.left(), r.bottom());
                m_engine.drawLine(r.left(), r.bottom(), r.left(), r.top());
            }

            PageEngine& m_engine;
            const BucketColours& m_colours;
            const double m_left;
            const double m_right;
        };

        int percent(int part, int whole)
        {
            return whole > 0 ? (part * 100 + whole / 2) / whole : 0;
        }

    } // namespace

    double composeProgressPage(PageEngine& engine, const Progress& progress, const BucketColours& colours)
    {
        PageWriter page(engine, colours);
        page.centred(QStringLiteral("Compliance Progress Summary"), 14, true);
        const int completed = progress.total[Bucket::Completed];
        page.centred(QStringLiteral("%1 of %2 safeguards Completed (%3%)")
                         .arg(completed)
                         .arg(progress.total.total())
                         .arg(percent(completed, progress.total.total())),
                     10,
                     false);
        page.gap(200);
        page.legend();
        page.gap(200);

        for (const FamilyTally& family : progress.families) {
            const QString name = catalogue::family(family.family).name.toString();
            page.bar(QStringLiteral("%1 (%2)").arg(name).arg(family.tally.total()), family.tally, BarHeight, false);
        }
        page.bar(QStringLiteral("All safeguards (%1)").arg(progress.total.total()), progress.total, BarHeight, true);

        page.gap(100);
        if (progress.worksheetsInUse > 0) {
            page.bar(QStringLiteral("Risk Analysis Worksheets in use (%1 of %2)")
                         .arg(progress.worksheetsInUse)
                         .arg(statuses::WorksheetCount),
                     progress.worksheets,
                     WorksheetBarHeight,
                     false);
        } else {
            page.text(QStringLiteral("No Risk Analysis Worksheet is in use yet."), 10, false, Inset);
            page.gap(BarGap);
        }

        page.gap(100);
        page.openRequired(progress.openRequired);
        return engine.currentY();
    }

} // namespace qv::insight
