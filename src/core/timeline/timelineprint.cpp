#include "timelineprint.h"

#include "core/reports/pageengine.h"
#include "timelinemodel.h"

#include <QLocale>

#include <algorithm>

namespace qv::timeline {

    namespace {

        // Space between the title block and the headings, and between a rule and the text next to it.
        constexpr double HeadingGap = 120;
        constexpr double CellPad = 60;

        // Greedy word wrap within width; a word wider than the column is broken where it must be.
        QStringList wrapped(const PageEngine& engine, const QString& text, double width)
        {
            if (engine.textWidth(text) <= width)
                return {text};
            QStringList lines;
            QString line;
            const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
            for (const QString& word : words) {
                const QString joined = line.isEmpty() ? word : line + u' ' + word;
                if (engine.textWidth(joined) <= width) {
                    line = joined;
                    continue;
                }
                if (!line.isEmpty())
                    lines.append(line);
                line = word;
                while (line.size() > 1 && engine.textWidth(line) > width) {
                    qsizetype fit = line.size() - 1;
                    while (fit > 1 && engine.textWidth(line.first(fit)) > width)
                        --fit;
                    lines.append(line.first(fit));
                    line = line.mid(fit);
                }
            }
            if (!line.isEmpty() || lines.isEmpty())
                lines.append(line);
            return lines;
        }

        class TimelinePrintWriter
        {
        public:
            TimelinePrintWriter(PageEngine& engine, const TimelinePrintOptions& options, const QDate& today)
                : m_engine(engine)
                , m_options(options)
                , m_today(today)
                , m_left(engine.marginLeft())
                , m_width(std::max(1.0, engine.pageWidth() - engine.marginLeft() - engine.marginRight()))
                , m_line(engine.lineHeight())
            {
            }

            void print(const TimelineModel& model)
            {
                pageTop();
                for (int r = 0; r < RowCount; ++r) {
                    const TimelineRow row = model.row(r);
                    if (!row.item.trimmed().isEmpty())
                        printRow(row);
                }
                closeTable();
            }

        private:
            double at(double divisor) const
            {
                return m_left + m_width / divisor;
            }

            void pageTop()
            {
                double y = m_engine.marginTop();
                m_engine.setFontBold(true);
                printCentred(PrintTitle.toString(), m_left + m_width / 2, y);
                m_engine.setFontBold(m_bold);
                y += m_line;
                // The line stays even when empty, so the table starts at the same height either way.
                if (m_options.asOfDate)
                    printCentred(asOfLine(m_today), m_left + m_width / 2, y);
                y += m_line + HeadingGap;

                m_tableTop = y;
                y += CellPad;
                m_engine.setFontBold(true);
                printCentred(heading(Item), at(printcolumns::ItemHeadingCentre), y);
                printCentred(heading(ToDoDate), at(printcolumns::ToDoDateCentre), y);
                printCentred(heading(ActualDate), at(printcolumns::ActualDateCentre), y);
                printCentred(heading(NextReviewDate), at(printcolumns::NextReviewDateCentre), y);
                m_engine.setFontBold(m_bold);
                y += m_line + CellPad;
                rule(y);
                m_y = y;
            }

            void printRow(const TimelineRow& row)
            {
                const double itemWidth = m_width / printcolumns::Rules[0] - 2 * CellPad;
                const QStringList lines = wrapped(m_engine, row.item.trimmed(), itemWidth);
                const double height = lines.size() * m_line + 2 * CellPad;
                if (m_y + height > m_engine.pageHeight() - m_engine.marginBottom() && m_y > rowsTop()) {
                    closeTable();
                    m_engine.newPage();
                    pageTop();
                }
                double y = m_y + CellPad;
                for (const QString& line : lines) {
                    printAt(line, m_left + CellPad, y);
                    y += m_line;
                }
                const double dateY = m_y + CellPad;
                printCentred(row.toDoDate.trimmed(), at(printcolumns::ToDoDateCentre), dateY);
                printCentred(row.actualDate.trimmed(), at(printcolumns::ActualDateCentre), dateY);
                printCentred(row.nextReviewDate.trimmed(), at(printcolumns::NextReviewDateCentre), dateY);
                m_y += height;
                rule(m_y);
            }

            // The rows of a page start below the headings' rule.
            double rowsTop() const
            {
                return m_tableTop + m_line + 2 * CellPad;
            }

            void closeTable()
            {
                if (!m_options.gridLines)
                    return;
                const double right = m_left + m_width;
                m_engine.drawLine(m_left, m_tableTop, right, m_tableTop);
                for (const double x : {m_left, right})
                    m_engine.drawLine(x, m_tableTop, x, m_y);
                for (const double divisor : printcolumns::Rules)
                    m_engine.drawLine(at(divisor), m_tableTop, at(divisor), m_y);
            }

            void rule(double y)
            {
                if (m_options.gridLines)
                    m_engine.drawLine(m_left, y, m_left + m_width, y);
            }

            void printAt(const QString& text, double x, double y)
            {
                if (text.isEmpty())
                    return;
                m_engine.setCurrentX(x);
                m_engine.setCurrentY(y);
                m_engine.paragraph(text);
            }

            void printCentred(const QString& text, double centre, double y)
            {
                printAt(text, centre - m_engine.textWidth(text) / 2, y);
            }

            PageEngine& m_engine;
            const TimelinePrintOptions& m_options;
            const QDate m_today;
            const double m_left;
            const double m_width;
            const double m_line;
            const bool m_bold = m_engine.fontBold();
            double m_tableTop = 0;
            double m_y = 0;
        };

    } // namespace

    QString asOfLine(const QDate& today)
    {
        return QStringLiteral("As of  ") + QLocale(QLocale::English).toString(today, QStringLiteral("MMMM dd, yyyy"));
    }

    void applyTimelineFont(PrintSettings& settings,
                           const QFont& editFont,
                           const std::function<bool(const QString&)>& accepts)
    {
        const PrinterFont font = printerFont(editFont.family(), settings.fontSize, ScreenFaces::Replace, accepts);
        settings.fontName = font.face;
        settings.fontSize = font.size;
        settings.bold = editFont.bold();
        settings.italic = editFont.italic();
    }

    bool composeTimelinePrint(PageEngine& engine,
                              const PrintSettings& settings,
                              const TimelineModel& model,
                              const TimelinePrintOptions& options,
                              const QDate& today)
    {
        if (!model.hasItems()) {
            engine.clear();
            return false;
        }
        beginReport(engine, settings);
        TimelinePrintWriter(engine, options, today).print(model);
        engine.endDoc();
        return true;
    }

} // namespace qv::timeline
