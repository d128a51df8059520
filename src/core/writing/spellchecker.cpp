#include "spellchecker.h"

#include "spellengine.h"
#include "wordscan.h"

#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace qv::writing {

    namespace {

        bool isLetter(const QString& text, qsizetype i)
        {
            return i >= 0 && i < text.size() && (text.at(i).isLetterOrNumber() || text.at(i) == u'_');
        }

        // The listed phrase that starts at offset of text as whole words, in any letter case.
        const WordPair* phraseAt(const ChangeList& changes, const QString& text, qsizetype offset)
        {
            for (const WordPair& phrase : changes.phrases()) {
                const qsizetype end = offset + phrase.word.size();
                if (end <= text.size() && !isLetter(text, end) &&
                    QStringView(text).mid(offset, phrase.word.size()).compare(phrase.word, Qt::CaseInsensitive) == 0) {
                    return &phrase;
                }
            }
            return nullptr;
        }

        // Replaces length characters at start in the format of their first character.
        void replaceInPlace(QTextDocument& document, int start, int length, const QString& replacement)
        {
            QTextCursor first(&document);
            first.setPosition(start + 1);
            const QTextCharFormat format = first.charFormat();
            QTextCursor cursor(&document);
            cursor.setPosition(start);
            cursor.setPosition(start + length, QTextCursor::KeepAnchor);
            cursor.insertText(replacement, format);
        }

    } // namespace

    SpellChecker::SpellChecker(std::shared_ptr<const WordChecker> words)
        : m_words(std::move(words))
    {
    }

    ChangeList& SpellChecker::changeList()
    {
        return m_changes;
    }

    const QSet<QString>& SpellChecker::ignoredWords() const
    {
        return m_ignored;
    }

    SpellCheckOutcome SpellChecker::check(QTextDocument& document, const Reviewer& review)
    {
        SpellCheckOutcome outcome;
        // A policy uses the same words again and again: each is looked up once a check.
        QHash<QString, bool> known;
        auto isKnown = [&](const QString& word) {
            const auto found = known.constFind(word);
            if (found != known.cend()) {
                return *found;
            }
            return *known.insert(word, m_words->isKnown(word));
        };
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            qsizetype offset = 0;
            // Read again only after a replacement: reading a block's text copies it.
            QString text = block.text();
            for (;;) {
                const QRegularExpressionMatch match = wordPattern().match(text, offset);
                if (!match.hasMatch()) {
                    break;
                }
                const qsizetype at = match.capturedStart();
                const int start = block.position() + int(at);
                QString word = match.captured();
                offset = match.capturedEnd();

                auto replace = [&](qsizetype length, const QString& replacement) {
                    replaceInPlace(document, start, int(length), replacement);
                    ++outcome.changes;
                    offset = at + replacement.size();
                    text = block.text();
                };

                if (const WordPair* phrase = phraseAt(m_changes, text, at)) {
                    replace(phrase->word.size(),
                            inCaseOf(QStringView(text).mid(at, phrase->word.size()), phrase->replacement));
                    continue;
                }
                if (const auto listed = m_changes.replacementFor(word)) {
                    const QString replacement = inCaseOf(word, *listed);
                    if (replacement != word) {
                        replace(word.size(), replacement);
                    }
                    continue;
                }
                if (!isCheckable(word) || m_ignored.contains(word) || !m_words || isKnown(word)) {
                    continue;
                }

                const SpellDecision decision =
                    review(Misspelling{start, int(word.size()), word, m_words->suggestions(word)});
                switch (decision.kind) {
                case SpellDecision::Kind::Cancel:
                    outcome.cancelled = true;
                    return outcome;
                case SpellDecision::Kind::Ignore:
                    break;
                case SpellDecision::Kind::IgnoreAll:
                    m_ignored.insert(word);
                    break;
                case SpellDecision::Kind::ChangeAll:
                    m_changes.add(word, decision.replacement);
                    outcome.changedAll = true;
                    [[fallthrough]];
                case SpellDecision::Kind::Change:
                    if (decision.replacement != word) {
                        replace(word.size(), decision.replacement);
                    }
                    break;
                }
            }
        }
        return outcome;
    }

    SpellCheckOutcome SpellChecker::checkText(QString& text, const Reviewer& review)
    {
        QTextDocument document;
        document.setPlainText(text);
        const SpellCheckOutcome outcome = check(document, review);
        if (outcome.changes > 0) {
            text = document.toPlainText();
        }
        return outcome;
    }

} // namespace qv::writing
