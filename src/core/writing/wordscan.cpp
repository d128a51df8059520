#include "wordscan.h"

#include "spellengine.h"

#include <QRegularExpression>

namespace qv::writing {

    const QRegularExpression& wordPattern()
    {
        static const QRegularExpression pattern(QStringLiteral("[\\p{L}\\p{N}_]+(?:['\\x{2019}][\\p{L}]+)*"));
        return pattern;
    }

    QList<WordSpan> wordsOf(const QString& text)
    {
        QList<WordSpan> spans;
        QRegularExpressionMatchIterator it = wordPattern().globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            spans.append({match.capturedStart(), match.capturedLength()});
        }
        return spans;
    }

    bool isCheckable(QStringView word)
    {
        for (QChar c : word) {
            if (c.isDigit() || c == u'_') {
                return false;
            }
        }
        return !word.isEmpty();
    }

    QList<WordSpan> unknownWords(const QString& text, const WordChecker& words, const QSet<QString>& ignored)
    {
        QList<WordSpan> unknown;
        for (const WordSpan& span : wordsOf(text)) {
            const QString word = text.mid(span.start, span.length);
            if (isCheckable(word) && !ignored.contains(word) && !words.isKnown(word)) {
                unknown.append(span);
            }
        }
        return unknown;
    }

    std::optional<WordSpan> wordAt(const QString& text, qsizetype position)
    {
        for (const WordSpan& span : wordsOf(text)) {
            if (position >= span.start && position <= span.start + span.length) {
                return span;
            }
            if (span.start > position) {
                break;
            }
        }
        return std::nullopt;
    }

} // namespace qv::writing
