#pragma once

#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QString>

#include <optional>

namespace qv::writing {

    class WordChecker;

    // Where a word stands in a line of text.
    struct WordSpan
    {
        qsizetype start = 0;
        qsizetype length = 0;

        friend bool operator==(const WordSpan&, const WordSpan&) = default;
    };

    // A word: letters and digits with inner apostrophes ("don't", "user's").
    const QRegularExpression& wordPattern();
    // The words of text in order.
    QList<WordSpan> wordsOf(const QString& text);
    // A word the dictionary has a say on: a run with a digit or an underscore is a code or a number.
    bool isCheckable(QStringView word);
    // The words of text the dictionary does not know and the user has not chosen to ignore: the
    // words a check would ask about.
    QList<WordSpan> unknownWords(const QString& text, const WordChecker& words, const QSet<QString>& ignored = {});
    // The word that position of text stands in or right behind; nothing between words.
    std::optional<WordSpan> wordAt(const QString& text, qsizetype position);

} // namespace qv::writing
