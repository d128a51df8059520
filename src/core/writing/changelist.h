#pragma once

#include "wordpairs.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace qv::writing {

    // The pairs the checker replaces without asking: the auto-correction list, then every word the user
    // chose "Change All" for. Words are kept in upper case, so a listed word is found in any letter case.
    class ChangeList
    {
    public:
        // The word of the pair that ends a read-back.
        static inline const QString EndMarker = QStringLiteral("TheEnd1");

        // An empty list.
        ChangeList() = default;
        // The list as every check starts it: the auto-correction list in load order.
        static ChangeList withAutoCorrections();

        void add(const QString& word, const QString& replacement);
        qsizetype count() const;
        // Entry i from 0, its word in upper case.
        WordPair entry(qsizetype i) const;

        // The entries in order up to the end marker: a marker is appended and reading stops at the
        // first entry whose trimmed word is the marker. The appended marker is taken out again, so a
        // pair the user adds later is reached by the next read-back too.
        QList<WordPair> readBack();

        // The replacement of a single word, in any letter case; the last pair added for it wins.
        std::optional<QString> replacementFor(QStringView word) const;
        // The entries of more than one word ("their are"), which are matched as phrases.
        const QList<WordPair>& phrases() const;

    private:
        QList<WordPair> m_entries;
        QHash<QString, QString> m_words;
        QList<WordPair> m_phrases;
    };

    // A listed replacement in the letter case of the word it replaces: "Teh" becomes "The", "TEH"
    // becomes "THE", and otherwise the replacement stays as listed ("i" becomes "I").
    QString inCaseOf(QStringView original, const QString& replacement);

} // namespace qv::writing
