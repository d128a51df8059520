#include "rtfplaintext.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <utility>
#include <vector>

namespace qv::rtf {

    QString listItemNumber(int item, QTextListFormat::Style style)
    {
        const bool upper = style == QTextListFormat::ListUpperAlpha || style == QTextListFormat::ListUpperRoman;
        QString number;
        switch (style) {
        case QTextListFormat::ListLowerAlpha:
        case QTextListFormat::ListUpperAlpha:
            for (int c = item; c > 0; c /= 26) {
                --c;
                number.prepend(QChar(char16_t(u'a' + c % 26)));
            }
            break;
        case QTextListFormat::ListLowerRoman:
        case QTextListFormat::ListUpperRoman: {
            if (item >= 4000) {
                return QString::number(item);
            }
            static constexpr std::pair<int, const char*> Parts[] = {{1000, "m"},
                                                                    {900, "cm"},
                                                                    {500, "d"},
                                                                    {400, "cd"},
                                                                    {100, "c"},
                                                                    {90, "xc"},
                                                                    {50, "l"},
                                                                    {40, "xl"},
                                                                    {10, "x"},
                                                                    {9, "ix"},
                                                                    {5, "v"},
                                                                    {4, "iv"},
                                                                    {1, "i"}};
            int n = item;
            for (const auto& [value, letters] : Parts) {
                for (; n >= value; n -= value) {
                    number += QLatin1String(letters);
                }
            }
            break;
        }
        default:
            return QString::number(item);
        }
        return upper ? number.toUpper() : number;
    }

    namespace {

        QString marker(const QTextList& list, const QTextBlock& block)
        {
            switch (list.format().style()) {
            case QTextListFormat::ListDisc:
                return QStringLiteral("\u2022");
            case QTextListFormat::ListCircle:
                return QStringLiteral("\u25E6");
            case QTextListFormat::ListSquare:
                return QStringLiteral("\u25AA");
            case QTextListFormat::ListDecimal:
            case QTextListFormat::ListLowerAlpha:
            case QTextListFormat::ListUpperAlpha:
            case QTextListFormat::ListLowerRoman:
            case QTextListFormat::ListUpperRoman:
                return list.itemText(block);
            default:
                return {}; // a list without a marker (checkbox lists and the like)
            }
        }

    } // namespace

    QString plainTextWithListMarkers(const QTextDocument& doc)
    {
        // Every document position is one character of the plain text, so the markers go in at the
        // positions of their blocks, last first, leaving the earlier positions where they were.
        QString text = doc.toPlainText();
        std::vector<std::pair<int, QString>> markers;
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            if (const QTextList* list = block.textList()) {
                const QString m = marker(*list, block);
                if (!m.isEmpty())
                    markers.emplace_back(block.position(), m + u'\t');
            }
        }
        for (auto it = markers.rbegin(); it != markers.rend(); ++it) {
            if (it->first <= text.size())
                text.insert(it->first, it->second);
        }
        return text;
    }

} // namespace qv::rtf
