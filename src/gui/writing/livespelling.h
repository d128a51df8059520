#pragma once

#include "core/writing/wordscan.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <functional>

class QMenu;
class QTextBlock;

namespace qv {

    class RichTextEditor;
    class WritingAids;

    namespace writing {
        class WordChecker;
    }

    // Marks the words the dictionary does not know with a red wavy underline as the user types. The
    // marks live in the layout, not in the text: they are never saved or printed, do not count as an
    // edit and leave the undo history alone.
    class SpellHighlighter : public QSyntaxHighlighter
    {
        Q_OBJECT

    public:
        // words gives the dictionary, loaded on first use; nullptr leaves the text unmarked.
        using Words = std::function<const writing::WordChecker*()>;
        using Ignored = std::function<const QSet<QString>*()>;

        SpellHighlighter(QTextDocument* document, Words words, Ignored ignored);

        // Leaves the text unmarked from now on; for when the dictionary's owner goes.
        void detach();
        bool isActive() const;
        // Marks or unmarks the whole document at once.
        void setActive(bool active);
        // Marks the whole document again, after the dictionary learnt or the user ignored words.
        void remarkAll();
        // The marked words of block.
        QList<writing::WordSpan> marksIn(const QTextBlock& block);

    protected:
        void highlightBlock(const QString& text) override;

    private:
        QList<writing::WordSpan> unknownIn(const QString& text);
        bool isKnown(const QString& word, const writing::WordChecker& words);

        Words m_words;
        Ignored m_ignored;
        QTextCharFormat m_mark;
        bool m_active = false;
        // The dictionary's answers so far: while typing, the same words are looked up again and again.
        QHash<QString, bool> m_known;
    };

    // The live spelling of the editor pane: the marks while the pane is editable, and on the
    // right-button menu of a marked word its suggestions and "Add to dictionary" above the pane's own
    // entries.
    class LiveSpelling : public QObject
    {
        Q_OBJECT

    public:
        LiveSpelling(RichTextEditor& editor, WritingAids& aids);
        ~LiveSpelling() override;

        SpellHighlighter& highlighter();

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        void addMenuEntries(QMenu* menu, const QPoint& position);
        void replaceWord(int start, int length, const QString& replacement);

        QPointer<RichTextEditor> m_editor;
        WritingAids& m_aids;
        // The document owns it: the marks are the document's as long as it lives.
        QPointer<SpellHighlighter> m_highlighter;
    };

} // namespace qv
