#include "emphasis.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace qv {

    namespace {

        bool isWordCharacter(QChar c)
        {
            return c.isLetterOrNumber();
        }

    } // namespace

    QList<qsizetype> wholeWordOccurrences(QStringView text, QStringView phrase)
    {
        QList<qsizetype> found;
        if (phrase.isEmpty()) {
            return found;
        }
        qsizetype from = 0;
        while (from <= text.size() - phrase.size()) {
            const qsizetype at = text.indexOf(phrase, from, Qt::CaseInsensitive);
            if (at < 0) {
                break;
            }
            // The comparison folds case one code unit at a time, so a match is as long as the phrase.
            const qsizetype end = at + phrase.size();
            // Only an edge of the phrase that is itself part of a word needs a boundary there.
            const bool startsWord = !isWordCharacter(phrase.front()) || at == 0 || !isWordCharacter(text[at - 1]);
            const bool endsWord = !isWordCharacter(phrase.back()) || end == text.size() || !isWordCharacter(text[end]);
            if (startsWord && endsWord) {
                found.append(at);
                from = end;
            } else {
                from = at + 1;
            }
        }
        return found;
    }

    int applyEmphasis(QTextDocument& doc, QStringView phrase)
    {
        // The raw text has one character per cursor position, paragraph ends included, so an index
        // into it is a position in the document.
        const QString text = doc.toRawText();
        const QList<qsizetype> found = wholeWordOccurrences(text, phrase);
        if (found.isEmpty()) {
            return 0;
        }
        QTextCharFormat emphasis;
        emphasis.setFontWeight(QFont::Bold);
        emphasis.setFontUnderline(true);
        QTextCursor cursor(&doc);
        cursor.beginEditBlock();
        for (const qsizetype at : found) {
            cursor.setPosition(static_cast<int>(at));
            cursor.setPosition(static_cast<int>(at + phrase.size()), QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(emphasis);
        }
        cursor.endEditBlock();
        return static_cast<int>(found.size());
    }

} // namespace qv
