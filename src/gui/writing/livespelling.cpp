#include "livespelling.h"

#include "core/writing/spellengine.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "writingaids.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace qv {

    namespace {
        // Enough to keep every word of a long policy, few enough to stay small.
        constexpr qsizetype KnownWordsKept = 50000;
        constexpr int SuggestionsShown = 6;
    } // namespace

    SpellHighlighter::SpellHighlighter(QTextDocument* document, Words words, Ignored ignored)
        : QSyntaxHighlighter(document)
        , m_words(std::move(words))
        , m_ignored(std::move(ignored))
    {
        m_mark.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        m_mark.setUnderlineColor(Qt::red);
    }

    void SpellHighlighter::detach()
    {
        m_words = {};
        m_ignored = {};
    }

    bool SpellHighlighter::isActive() const
    {
        return m_active;
    }

    void SpellHighlighter::setActive(bool active)
    {
        if (m_active == active) {
            return;
        }
        m_active = active;
        remarkAll();
    }

    void SpellHighlighter::remarkAll()
    {
        m_known.clear();
        QTextDocument* doc = document();
        if (!doc) {
            return;
        }
        // Straight into the layouts rather than through rehighlight(), which wraps its work in an
        // edit block: that would announce a change of the text and mark the document as edited.
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            QList<QTextLayout::FormatRange> ranges;
            if (m_active) {
                for (const writing::WordSpan& span : unknownIn(block.text())) {
                    ranges.append({int(span.start), int(span.length), m_mark});
                }
            }
            if (ranges.isEmpty() && block.layout()->formats().isEmpty()) {
                continue;
            }
            block.layout()->setFormats(ranges);
            doc->markContentsDirty(block.position(), block.length());
        }
    }

    QList<writing::WordSpan> SpellHighlighter::marksIn(const QTextBlock& block)
    {
        QList<writing::WordSpan> marks;
        if (!block.isValid() || !block.layout()) {
            return marks;
        }
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline) {
                marks.append({range.start, range.length});
            }
        }
        return marks;
    }

    void SpellHighlighter::highlightBlock(const QString& text)
    {
        if (!m_active) {
            return;
        }
        for (const writing::WordSpan& span : unknownIn(text)) {
            setFormat(int(span.start), int(span.length), m_mark);
        }
    }

    QList<writing::WordSpan> SpellHighlighter::unknownIn(const QString& text)
    {
        QList<writing::WordSpan> unknown;
        const QList<writing::WordSpan> spans = writing::wordsOf(text);
        // An empty pane does not load the dictionary: the program starts without waiting for it.
        const writing::WordChecker* words = spans.isEmpty() || !m_words ? nullptr : m_words();
        if (!words) {
            return unknown;
        }
        const QSet<QString>* ignored = m_ignored ? m_ignored() : nullptr;
        for (const writing::WordSpan& span : spans) {
            const QString word = text.mid(span.start, span.length);
            if (writing::isCheckable(word) && !(ignored && ignored->contains(word)) && !isKnown(word, *words)) {
                unknown.append(span);
            }
        }
        return unknown;
    }

    bool SpellHighlighter::isKnown(const QString& word, const writing::WordChecker& words)
    {
        const auto found = m_known.constFind(word);
        if (found != m_known.cend()) {
            return *found;
        }
        if (m_known.size() >= KnownWordsKept) {
            m_known.clear();
        }
        const bool known = words.isKnown(word);
        m_known.insert(word, known);
        return known;
    }

    // ---- The pane -------------------------------------------------------------------------------

    LiveSpelling::LiveSpelling(RichTextEditor& editor, WritingAids& aids)
        : m_editor(&editor)
        , m_aids(aids)
    {
        m_highlighter = new SpellHighlighter(
            editor.document(), [this] { return m_aids.dictionary(); }, [this] { return m_aids.ignoredWords(); });
        m_highlighter->setActive(!editor.isReadOnly());
        editor.installEventFilter(this);
        connect(&editor, &RichTextEditor::contextMenuOpening, this, &LiveSpelling::addMenuEntries);
    }

    LiveSpelling::~LiveSpelling()
    {
        if (m_highlighter) {
            m_highlighter->detach();
        }
        if (m_editor) {
            m_editor->removeEventFilter(this);
        }
    }

    SpellHighlighter& LiveSpelling::highlighter()
    {
        return *m_highlighter;
    }

    bool LiveSpelling::eventFilter(QObject* watched, QEvent* event)
    {
        // Reference texts are shown read-only: the rule's own words are not the user's to correct.
        if (watched == m_editor && event->type() == QEvent::ReadOnlyChange) {
            m_highlighter->setActive(!m_editor->isReadOnly());
        }
        return QObject::eventFilter(watched, event);
    }

    void LiveSpelling::addMenuEntries(QMenu* menu, const QPoint& position)
    {
        if (!m_highlighter->isActive()) {
            return;
        }
        const QTextCursor at = m_editor->cursorForPosition(position);
        const QTextBlock block = at.block();
        const int inBlock = at.position() - block.position();
        std::optional<writing::WordSpan> marked;
        for (const writing::WordSpan& span : m_highlighter->marksIn(block)) {
            if (inBlock >= span.start && inBlock <= span.start + span.length) {
                marked = span;
            }
        }
        if (!marked) {
            return;
        }
        const int start = block.position() + int(marked->start);
        const int length = int(marked->length);
        const QString word = block.text().mid(marked->start, marked->length);

        QAction* first = menu->actions().value(0);
        const QStringList suggestions = m_aids.suggestionsFor(word).mid(0, SuggestionsShown);
        for (const QString& suggestion : suggestions) {
            auto* action = new QAction(suggestion, menu);
            action->setObjectName(QStringLiteral("SpellSuggestion"));
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            connect(action, &QAction::triggered, this, [this, start, length, suggestion] {
                replaceWord(start, length, suggestion);
            });
            menu->insertAction(first, action);
        }
        auto* add = new QAction(QStringLiteral("Add to dictionary"), menu);
        add->setObjectName(QStringLiteral("AddToDictionary"));
        connect(add, &QAction::triggered, this, [this, word] {
            const Status added = m_aids.addUserWord(word);
            if (!added) {
                m_aids.prompter().critical(QStringLiteral("Spell Check"), added.error());
                return;
            }
            m_highlighter->remarkAll();
        });
        menu->insertAction(first, add);
        if (first) {
            menu->insertSeparator(first);
        }
    }

    void LiveSpelling::replaceWord(int start, int length, const QString& replacement)
    {
        // The word keeps its own look: the replacement takes the format of its first letter.
        QTextCursor cursor(m_editor->document());
        cursor.setPosition(start + 1);
        const QTextCharFormat format = cursor.charFormat();
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        cursor.insertText(replacement, format);
        m_editor->setTextCursor(cursor);
    }

} // namespace qv
