#include "richtextcompare.h"

#include "richtextunits.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <cmath>
#include <utility>

namespace qv::rtf {

    namespace {

        using rtfunits::toTwips;

        // A format described as named values, in a fixed order, so two descriptions compare item by
        // item and a difference can be named.
        using Description = QList<std::pair<const char*, QString>>;

        QString number(double value)
        {
            return QString::number(value);
        }

        QString twips(double units)
        {
            return QString::number(toTwips(units));
        }

        QString yesNo(bool on)
        {
            return on ? QStringLiteral("yes") : QStringLiteral("no");
        }

        QString colourOf(const QBrush& brush)
        {
            if (brush.style() == Qt::NoBrush || !brush.color().isValid() || brush.color().alpha() == 0)
                return QStringLiteral("none");
            return brush.color().name();
        }

        QString alignmentOf(Qt::Alignment align)
        {
            align &= Qt::AlignHorizontal_Mask;
            if (align & Qt::AlignHCenter)
                return QStringLiteral("centre");
            if (align & Qt::AlignJustify)
                return QStringLiteral("justify");
            if (align & Qt::AlignRight)
                return QStringLiteral("right");
            return QStringLiteral("left");
        }

        QString lineHeightOf(const QTextBlockFormat& format)
        {
            const double h = format.lineHeight();
            switch (format.lineHeightType()) {
            case QTextBlockFormat::ProportionalHeight:
                return std::abs(h - 100) < 0.01 || h <= 0 ? QStringLiteral("single")
                                                          : QStringLiteral("%1%").arg(std::lround(h));
            case QTextBlockFormat::FixedHeight:
                return QStringLiteral("exactly %1").arg(twips(h));
            case QTextBlockFormat::MinimumHeight:
                return QStringLiteral("at least %1").arg(twips(h));
            default:
                return QStringLiteral("single");
            }
        }

        QString tabsOf(const QTextBlockFormat& format)
        {
            QStringList tabs;
            for (const QTextOption::Tab& tab : format.tabPositions()) {
                const char* kind = tab.type == QTextOption::RightTab       ? "right"
                                   : tab.type == QTextOption::CenterTab    ? "centre"
                                   : tab.type == QTextOption::DelimiterTab ? "decimal"
                                                                           : "left";
                tabs.append(QStringLiteral("%1 %2").arg(twips(tab.position), QLatin1String(kind)));
            }
            return tabs.isEmpty() ? QStringLiteral("none") : tabs.join(QStringLiteral(", "));
        }

        QString listOf(const QTextBlock& block)
        {
            const QTextList* list = block.textList();
            if (!list)
                return QStringLiteral("none");
            const char* style = "disc";
            switch (list->format().style()) {
            case QTextListFormat::ListCircle:
                style = "circle";
                break;
            case QTextListFormat::ListSquare:
                style = "square";
                break;
            case QTextListFormat::ListDecimal:
                style = "decimal";
                break;
            case QTextListFormat::ListLowerAlpha:
                style = "lower alpha";
                break;
            case QTextListFormat::ListUpperAlpha:
                style = "upper alpha";
                break;
            case QTextListFormat::ListLowerRoman:
                style = "lower roman";
                break;
            case QTextListFormat::ListUpperRoman:
                style = "upper roman";
                break;
            default:
                break;
            }
            return QStringLiteral("%1, level %2, item %3")
                .arg(QLatin1String(style))
                .arg(list->format().indent())
                .arg(list->itemNumber(block) + 1);
        }

        QString tableCellOf(const QTextBlock& block)
        {
            QTextCursor cursor(block);
            const QTextTable* table = cursor.currentTable();
            if (!table)
                return QStringLiteral("none");
            const QTextTableCell cell = table->cellAt(block.position());
            QStringList widths;
            for (const QTextLength& w : table->format().columnWidthConstraints())
                widths.append(w.type() == QTextLength::FixedLength ? twips(w.rawValue())
                                                                   : QStringLiteral("%1%").arg(w.rawValue()));
            return QStringLiteral("%1x%2 table (widths %3), row %4, column %5, spanning %6x%7")
                .arg(table->rows())
                .arg(table->columns())
                .arg(widths.isEmpty() ? QStringLiteral("free") : widths.join(QLatin1Char(' ')))
                .arg(cell.row() + 1)
                .arg(cell.column() + 1)
                .arg(cell.rowSpan())
                .arg(cell.columnSpan());
        }

        Description describeBlock(const QTextBlock& block)
        {
            const QTextBlockFormat f = block.blockFormat();
            const double indentSteps = f.indent() * block.document()->indentWidth();
            return {
                {"alignment", alignmentOf(f.alignment())},
                {"left indent", twips(f.leftMargin() + indentSteps)},
                {"right indent", twips(f.rightMargin())},
                {"first-line indent", twips(f.textIndent())},
                {"space before", twips(f.topMargin())},
                {"space after", twips(f.bottomMargin())},
                {"line height", lineHeightOf(f)},
                {"tab stops", tabsOf(f)},
                {"page break before", yesNo(f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)},
                {"list", listOf(block)},
                {"table cell", tableCellOf(block)},
            };
        }

        double pointsOf(const QTextCharFormat& format, const QFont& fallback)
        {
            const QFont font = format.font();
            if (font.pointSizeF() > 0)
                return font.pointSizeF();
            if (font.pixelSize() > 0)
                return font.pixelSize() * 0.75;
            return fallback.pointSizeF() > 0 ? fallback.pointSizeF() : 12;
        }

        Description describeChars(const QTextCharFormat& f, const QFont& defaultFont)
        {
            QString family = f.fontFamilies().toStringList().value(0);
            if (family.isEmpty())
                family = f.property(QTextFormat::FontFamily).toString();
            if (family.isEmpty())
                family = defaultFont.family();
            const char* vertical = f.verticalAlignment() == QTextCharFormat::AlignSuperScript ? "superscript"
                                   : f.verticalAlignment() == QTextCharFormat::AlignSubScript ? "subscript"
                                                                                              : "normal";
            QString picture = QStringLiteral("none");
            if (f.isImageFormat()) {
                const QTextImageFormat image = f.toImageFormat();
                picture = QStringLiteral("%1x%2").arg(twips(image.width()), twips(image.height()));
            }
            return {
                {"font", family},
                {"size", number(std::lround(pointsOf(f, defaultFont) * 2) / 2.0)},
                {"bold", yesNo(f.fontWeight() >= QFont::DemiBold)},
                {"italic", yesNo(f.fontItalic())},
                // Any line style counts: the file keeps dashes and dots, a reader may keep only the line.
                {"underline",
                 yesNo(f.underlineStyle() != QTextCharFormat::NoUnderline &&
                       f.underlineStyle() != QTextCharFormat::SpellCheckUnderline)},
                {"strikeout", yesNo(f.fontStrikeOut())},
                {"colour", colourOf(f.foreground())},
                {"highlight", colourOf(f.background())},
                {"position", QLatin1String(vertical)},
                {"link", f.isAnchor() ? f.anchorHref() : QString()},
                {"picture", picture},
            };
        }

        struct Run
        {
            int start;
            int length;
            Description chars;
        };

        QList<Run> runsOf(const QTextBlock& block, const QFont& defaultFont)
        {
            QList<Run> runs;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                Description chars = describeChars(fragment.charFormat(), defaultFont);
                if (!runs.isEmpty() && runs.last().chars == chars) {
                    runs.last().length += fragment.length();
                    continue;
                }
                runs.append({fragment.position() - block.position(), fragment.length(), std::move(chars)});
            }
            return runs;
        }

        QString excerpt(const QString& text, int from, int length)
        {
            QString piece = text.mid(from, qMin(length, 40));
            if (length > 40)
                piece += QStringLiteral("...");
            return QLatin1Char('"') + piece + QLatin1Char('"');
        }

        // The first differing item of two descriptions, as "name: expected X, got Y".
        QStringList changes(const Description& expected, const Description& actual)
        {
            QStringList out;
            for (qsizetype i = 0; i < expected.size() && i < actual.size(); ++i) {
                if (expected[i].second != actual[i].second)
                    out.append(QStringLiteral("%1 %2 became %3")
                                   .arg(QLatin1String(expected[i].first), expected[i].second, actual[i].second));
            }
            return out;
        }

        QString describeTextChange(const QString& expected, const QString& actual)
        {
            qsizetype at = 0;
            while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
                ++at;
            const qsizetype from = qMax<qsizetype>(0, at - 10);
            return QStringLiteral("text differs from character %1: expected %2, got %3")
                .arg(at)
                .arg(excerpt(expected, int(from), 40), excerpt(actual, int(from), 40));
        }

    } // namespace

    QStringList compareDocuments(const QTextDocument& expected, const QTextDocument& actual, int limit)
    {
        QStringList out;
        const auto add = [&out, limit](const QString& line) {
            if (out.size() < limit)
                out.append(line);
        };

        const QString expectedText = expected.toPlainText();
        const QString actualText = actual.toPlainText();
        if (expectedText != actualText)
            add(describeTextChange(expectedText, actualText));
        if (expected.blockCount() != actual.blockCount())
            add(QStringLiteral("%1 paragraphs became %2").arg(expected.blockCount()).arg(actual.blockCount()));

        QTextBlock a = expected.begin();
        QTextBlock b = actual.begin();
        for (int n = 1; a.isValid() && b.isValid() && out.size() < limit; ++n, a = a.next(), b = b.next()) {
            const QString where = QStringLiteral("paragraph %1 (%2)").arg(n).arg(excerpt(a.text(), 0, a.length() - 1));
            for (const QString& change : changes(describeBlock(a), describeBlock(b)))
                add(where + QStringLiteral(": ") + change);
            if (a.text() != b.text())
                continue; // the text difference is reported; runs would only repeat it

            const QList<Run> ra = runsOf(a, expected.defaultFont());
            const QList<Run> rb = runsOf(b, actual.defaultFont());
            // Walk both run lists together over the pieces between any two format changes, and name
            // each stretch of text whose formatting differs, stretches with the same change as one.
            qsizetype i = 0;
            qsizetype j = 0;
            int from = 0;
            QString pending;
            int pendingFrom = 0;
            int pendingTo = 0;
            const auto flush = [&]() {
                if (!pending.isEmpty())
                    add(where + QStringLiteral(", %1: ").arg(excerpt(a.text(), pendingFrom, pendingTo - pendingFrom)) +
                        pending);
                pending.clear();
            };
            while (i < ra.size() && j < rb.size()) {
                const int endA = ra[i].start + ra[i].length;
                const int endB = rb[j].start + rb[j].length;
                const int to = qMin(endA, endB);
                const QString change = changes(ra[i].chars, rb[j].chars).join(QStringLiteral("; "));
                if (change != pending || from != pendingTo) {
                    flush();
                    pending = change;
                    pendingFrom = from;
                }
                pendingTo = to;
                from = to;
                if (endA == to)
                    ++i;
                if (endB == to)
                    ++j;
            }
            flush();
        }
        return out;
    }

} // namespace qv::rtf
