#pragma once

#include "core/writing/spellengine.h"

#include <QSet>
#include <QStringList>

namespace qv::test {

    // A dictionary of the words a test names, so that a check asks about exactly the others. Its
    // suggestion for any word is the word with a question mark.
    class WordList : public writing::WordChecker
    {
    public:
        explicit WordList(QStringList words)
            : m_words(words.begin(), words.end())
        {
        }
        bool isKnown(const QString& word) const override
        {
            return m_words.contains(word.toLower());
        }
        QStringList suggestions(const QString& word) const override
        {
            return {word + QStringLiteral("?")};
        }

    private:
        QSet<QString> m_words;
    };

} // namespace qv::test
