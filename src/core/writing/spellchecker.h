#pragma once

#include "changelist.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QTextDocument;

namespace qv::writing {

    class WordChecker;

    // A word the dictionary does not know, where it stands in the document (QTextCursor positions).
    struct Misspelling
    {
        int start = 0;
        int length = 0;
        QString word;
        QStringList suggestions;
    };

    // What the user decided about a misspelling.
    struct SpellDecision
    {
        enum class Kind
        {
            Ignore,
            IgnoreAll,
            Change,
            ChangeAll,
            Cancel
        };
        Kind kind = Kind::Ignore;
        QString replacement;
    };

    struct SpellCheckOutcome
    {
        // Words replaced, automatically or by the user's choice.
        int changes = 0;
        bool cancelled = false;
        // The user chose "Change All" at least once.
        bool changedAll = false;
    };

    // The checker: walks a document word by word, replaces the words of its change list without asking,
    // and asks a reviewer about every other word the dictionary does not know. Corrections are made in
    // place, each in the format of the word it replaces, so bold, colours, lists and tables stay as
    // they were. The change list and the words to ignore last as long as the checker.
    class SpellChecker
    {
    public:
        using Reviewer = std::function<SpellDecision(const Misspelling&)>;

        // Starts with the auto-correction list.
        explicit SpellChecker(std::shared_ptr<const WordChecker> words);

        SpellCheckOutcome check(QTextDocument& document, const Reviewer& review);
        // One line of plain text, for checks that go cell by cell; text is the corrected text after.
        SpellCheckOutcome checkText(QString& text, const Reviewer& review);

        ChangeList& changeList();
        const QSet<QString>& ignoredWords() const;

    private:
        std::shared_ptr<const WordChecker> m_words;
        ChangeList m_changes = ChangeList::withAutoCorrections();
        QSet<QString> m_ignored;
    };

} // namespace qv::writing
