#include "richtexteditor.h"

#include "busypointer.h"
#include "core/rtf/richtextfile.h"
#include "core/rtf/rtfreader.h"
#include "core/rtf/rtfwriter.h"
#include "prompter.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <optional>
#include <utility>

namespace qv {

    // Gathers the many edits one program operation makes into a single changed(), so a caller that
    // counts notifications (to tell its own clearing of the pane from the user's edits) sees one.
    class RichTextEditor::ProgramChange
    {
    public:
        explicit ProgramChange(RichTextEditor& editor)
            : m_editor(editor)
        {
            ++m_editor.m_programChangeDepth;
        }
        ~ProgramChange()
        {
            if (--m_editor.m_programChangeDepth == 0 && std::exchange(m_editor.m_changePending, false)) {
                Q_EMIT m_editor.changed();
            }
        }
        ProgramChange(const ProgramChange&) = delete;
        ProgramChange& operator=(const ProgramChange&) = delete;

    private:
        RichTextEditor& m_editor;
    };

    namespace {

        // Files from this size on load slowly enough for the user to notice.
        constexpr qint64 LongLoadBytes = 512 * 1024;

        // QTextCursor::selectedText() and block texts hold the document's own separators; text()
        // shows each as a line feed (and a no-break space as a space), one character for one.
        QString plainFromDocumentText(QString text)
        {
            for (QChar& c : text) {
                switch (c.unicode()) {
                case QChar::ParagraphSeparator:
                case QChar::LineSeparator:
                case 0xFDD0: // beginning of a frame or table cell
                case 0xFDD1: // end of a frame
                    c = u'\n';
                    break;
                case QChar::Nbsp:
                    c = u' ';
                    break;
                default:
                    break;
                }
            }
            return text;
        }

        bool isWordCharacter(QChar c)
        {
            return c.isLetterOrNumber() || c.isMark();
        }

        ParagraphAlignment alignmentOf(const QTextBlockFormat& format)
        {
            const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
            if (horizontal & Qt::AlignHCenter) {
                return ParagraphAlignment::Centre;
            }
            if (horizontal & Qt::AlignRight) {
                return ParagraphAlignment::Right;
            }
            return ParagraphAlignment::Left;
        }

        Qt::Alignment qtAlignment(ParagraphAlignment alignment)
        {
            switch (alignment) {
            case ParagraphAlignment::Left:
                return Qt::AlignLeft;
            case ParagraphAlignment::Centre:
                return Qt::AlignHCenter;
            case ParagraphAlignment::Right:
                return Qt::AlignRight;
            }
            return Qt::AlignLeft;
        }

    } // namespace

    RichTextEditor::RichTextEditor(QWidget* parent)
        : QTextEdit(parent)
    {
        setAcceptRichText(true);
        connect(this, &QTextEdit::textChanged, this, &RichTextEditor::onDocumentChanged);
        applySelectionPalette();
    }

    void RichTextEditor::onDocumentChanged()
    {
        if (m_programChangeDepth > 0) {
            m_changePending = true;
        } else {
            Q_EMIT changed();
        }
    }

    Status RichTextEditor::loadFile(const QString& path)
    {
        const QFileInfo info(path);
        if (!info.isFile()) {
            return Status::failure(QStringLiteral("The file %1 does not exist.").arg(QDir::toNativeSeparators(path)));
        }
        // A note of a few megabytes takes seconds to read and lay out: the user sees the hourglass,
        // not a window that ignores them under the arrow.
        std::optional<BusyPointer> busy;
        if (info.size() >= LongLoadBytes) {
            busy.emplace();
        }
        ProgramChange change(*this);
        // loadRichText leaves the document untouched when the file cannot be read.
        const Result<LoadOutcome> loaded = loadRichText(path, *document());
        if (!loaded) {
            return loaded.status();
        }
        if (loaded.value() == LoadOutcome::Missing) {
            return Status::failure(QStringLiteral("The file %1 does not exist.").arg(QDir::toNativeSeparators(path)));
        }
        document()->clearUndoRedoStacks();
        setSelStart(0);
        return {};
    }

    Status RichTextEditor::saveFile(const QString& path) const
    {
        return saveRichText(path, *document());
    }

    QString RichTextEditor::text() const
    {
        return document()->toPlainText();
    }

    void RichTextEditor::setText(const QString& text)
    {
        ProgramChange change(*this);
        setPlainText(normaliseLineBreaks(text));
    }

    QByteArray RichTextEditor::textRtf() const
    {
        return rtf::write(*document());
    }

    void RichTextEditor::setTextRtf(QByteArrayView rtf)
    {
        ProgramChange change(*this);
        rtf::read(rtf, *document());
        document()->clearUndoRedoStacks();
        setSelStart(0);
    }

    int RichTextEditor::selStart() const
    {
        return textCursor().selectionStart();
    }

    int RichTextEditor::selLength() const
    {
        const QTextCursor cursor = textCursor();
        return cursor.selectionEnd() - cursor.selectionStart();
    }

    void RichTextEditor::setSelStart(int start)
    {
        select(start, 0);
    }

    void RichTextEditor::setSelLength(int length)
    {
        select(selStart(), length);
    }

    void RichTextEditor::select(int start, int length)
    {
        const int end = document()->characterCount() - 1;
        start = std::clamp(start, 0, end);
        QTextCursor cursor = textCursor();
        cursor.setPosition(start);
        cursor.setPosition(std::clamp(start + std::max(length, 0), start, end), QTextCursor::KeepAnchor);
        setTextCursor(cursor);
    }

    QString RichTextEditor::selText() const
    {
        return plainFromDocumentText(textCursor().selectedText());
    }

    void RichTextEditor::setSelText(const QString& text)
    {
        ProgramChange change(*this);
        QTextCursor cursor = textCursor();
        cursor.insertText(normaliseLineBreaks(text));
        setTextCursor(cursor);
    }

    QByteArray RichTextEditor::selRtf() const
    {
        QTextDocument selection;
        selection.setDefaultFont(document()->defaultFont());
        QTextCursor(&selection).insertFragment(textCursor().selection());
        return rtf::write(selection);
    }

    void RichTextEditor::setSelRtf(QByteArrayView rtf)
    {
        QTextDocument inserted;
        inserted.setDefaultFont(document()->defaultFont());
        rtf::read(rtf, inserted);
        ProgramChange change(*this);
        QTextCursor cursor = textCursor();
        cursor.insertFragment(QTextDocumentFragment(&inserted));
        setTextCursor(cursor);
    }

    int RichTextEditor::find(const QString& word, int from) const
    {
        const int end = document()->characterCount() - 1;
        if (word.isEmpty() || from > end) {
            return -1;
        }
        from = std::max(from, 0);
        // Block by block rather than over text(), so a search from the middle of a long document
        // does not copy all of it; a hit never spans a paragraph break.
        for (QTextBlock block = document()->findBlock(from); block.isValid(); block = block.next()) {
            const QString text = block.text();
            qsizetype index = std::max(0, from - block.position());
            while ((index = text.indexOf(word, index, Qt::CaseInsensitive)) >= 0) {
                const qsizetype after = index + word.size();
                const bool startsWord = index == 0 || !isWordCharacter(text.at(index - 1));
                const bool endsWord = after >= text.size() || !isWordCharacter(text.at(after));
                if (startsWord && endsWord) {
                    return block.position() + static_cast<int>(index);
                }
                ++index;
            }
        }
        return -1;
    }

    template <typename T, typename Read> std::optional<T> RichTextEditor::uniformAttribute(Read read) const
    {
        const QFont base = document()->defaultFont();
        const auto valueOf = [&](const QTextCharFormat& format) -> T {
            return read(format, format.font().resolve(base));
        };
        const QTextCursor cursor = textCursor();
        if (!cursor.hasSelection()) {
            return valueOf(cursor.charFormat());
        }
        const int start = cursor.selectionStart();
        const int end = cursor.selectionEnd();
        std::optional<T> value;
        for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end;
             block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (!fragment.isValid() || fragment.position() >= end ||
                    fragment.position() + fragment.length() <= start) {
                    continue;
                }
                const T v = valueOf(fragment.charFormat());
                if (!value) {
                    value = v;
                } else if (!(*value == v)) {
                    return std::nullopt;
                }
            }
        }
        // Only paragraph breaks selected: they take the format of the text at the selection's start.
        return value ? value : std::optional<T>(valueOf(cursor.charFormat()));
    }

    std::optional<bool> RichTextEditor::selBold() const
    {
        return uniformAttribute<bool>([](const QTextCharFormat&, const QFont& font) { return font.bold(); });
    }

    std::optional<bool> RichTextEditor::selItalic() const
    {
        return uniformAttribute<bool>([](const QTextCharFormat&, const QFont& font) { return font.italic(); });
    }

    std::optional<bool> RichTextEditor::selUnderline() const
    {
        // Dotted, wavy and other underline styles count as underlined; QFont only knows the single one.
        return uniformAttribute<bool>([](const QTextCharFormat& format, const QFont& font) {
            return format.hasProperty(QTextFormat::TextUnderlineStyle)
                       ? format.underlineStyle() != QTextCharFormat::NoUnderline
                       : font.underline();
        });
    }

    std::optional<bool> RichTextEditor::selStrikethrough() const
    {
        return uniformAttribute<bool>([](const QTextCharFormat&, const QFont& font) { return font.strikeOut(); });
    }

    std::optional<QColor> RichTextEditor::selColor() const
    {
        // Text without a colour of its own is drawn in the pane's text colour, so that is its colour.
        const QColor paneText = palette().color(QPalette::Text);
        return uniformAttribute<QColor>([&](const QTextCharFormat& format, const QFont&) {
            const QBrush brush = format.foreground();
            const QColor c = brush.style() == Qt::NoBrush ? paneText : brush.color();
            return QColor::fromRgba(c.rgba());
        });
    }

    std::optional<QString> RichTextEditor::selFontName() const
    {
        return uniformAttribute<QString>([](const QTextCharFormat&, const QFont& font) { return font.family(); });
    }

    std::optional<double> RichTextEditor::selFontSize() const
    {
        return uniformAttribute<double>([](const QTextCharFormat&, const QFont& font) { return font.pointSizeF(); });
    }

    void RichTextEditor::mergeSelectionFormat(const QTextCharFormat& format)
    {
        ProgramChange change(*this);
        // Through a cursor of our own rather than QTextEdit::mergeCurrentCharFormat, which does
        // nothing in read-only mode; with no selection the cursor carries the format to the text
        // typed next.
        mergeCurrentCharFormat(format);
    }

    void RichTextEditor::setSelBold(bool on)
    {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        mergeSelectionFormat(format);
    }

    void RichTextEditor::setSelItalic(bool on)
    {
        QTextCharFormat format;
        format.setFontItalic(on);
        mergeSelectionFormat(format);
    }

    void RichTextEditor::setSelUnderline(bool on)
    {
        QTextCharFormat format;
        format.setUnderlineStyle(on ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline);
        mergeSelectionFormat(format);
    }

    void RichTextEditor::setSelStrikethrough(bool on)
    {
        QTextCharFormat format;
        format.setFontStrikeOut(on);
        mergeSelectionFormat(format);
    }

    void RichTextEditor::setSelColor(const QColor& color)
    {
        QTextCharFormat format;
        format.setForeground(color);
        mergeSelectionFormat(format);
    }

    void RichTextEditor::setSelFontName(const QString& face)
    {
        QTextCharFormat format;
        format.setFontFamilies(QStringList{face});
        mergeSelectionFormat(format);
    }

    void RichTextEditor::setSelFontSize(double points)
    {
        if (points <= 0) {
            return;
        }
        QTextCharFormat format;
        format.setFontPointSize(points);
        mergeSelectionFormat(format);
    }

    namespace {

        // The paragraphs a selection touches; see selAlignment().
        std::pair<QTextBlock, QTextBlock> touchedBlocks(const QTextDocument& doc, const QTextCursor& cursor)
        {
            const QTextBlock first = doc.findBlock(cursor.selectionStart());
            QTextBlock last = doc.findBlock(cursor.selectionEnd());
            if (cursor.hasSelection() && last != first && cursor.selectionEnd() == last.position()) {
                last = last.previous();
            }
            return {first, last};
        }

    } // namespace

    std::optional<ParagraphAlignment> RichTextEditor::selAlignment() const
    {
        const auto [first, last] = touchedBlocks(*document(), textCursor());
        const ParagraphAlignment alignment = alignmentOf(first.blockFormat());
        for (QTextBlock block = first; block.isValid() && block != last; block = block.next()) {
            if (alignmentOf(block.next().blockFormat()) != alignment) {
                return std::nullopt;
            }
        }
        return alignment;
    }

    void RichTextEditor::setSelAlignment(ParagraphAlignment alignment)
    {
        const auto [first, last] = touchedBlocks(*document(), textCursor());
        QTextBlockFormat format;
        format.setAlignment(qtAlignment(alignment));
        ProgramChange change(*this);
        QTextCursor cursor(document());
        cursor.beginEditBlock();
        for (QTextBlock block = first; block.isValid(); block = block.next()) {
            cursor.setPosition(block.position());
            cursor.mergeBlockFormat(format);
            if (block == last) {
                break;
            }
        }
        cursor.endEditBlock();
    }

    bool RichTextEditor::hideSelection() const
    {
        return m_hideSelection;
    }

    void RichTextEditor::setHideSelection(bool hide)
    {
        m_hideSelection = hide;
        applySelectionPalette();
    }

    // The pane draws its selection with the inactive colour group when it has no focus; making that
    // group's highlight the active one keeps the selection visible, making it the background hides it.
    void RichTextEditor::applySelectionPalette()
    {
        QPalette p = palette();
        const QBrush highlight = p.brush(QPalette::Active, m_hideSelection ? QPalette::Base : QPalette::Highlight);
        const QBrush highlightedText =
            p.brush(QPalette::Active, m_hideSelection ? QPalette::Text : QPalette::HighlightedText);
        if (p.brush(QPalette::Inactive, QPalette::Highlight) == highlight &&
            p.brush(QPalette::Inactive, QPalette::HighlightedText) == highlightedText) {
            return;
        }
        p.setBrush(QPalette::Inactive, QPalette::Highlight, highlight);
        p.setBrush(QPalette::Inactive, QPalette::HighlightedText, highlightedText);
        setPalette(p);
    }

    void RichTextEditor::changeEvent(QEvent* event)
    {
        QTextEdit::changeEvent(event);
        if (event->type() == QEvent::PaletteChange) {
            applySelectionPalette();
        }
    }

    void RichTextEditor::contextMenuEvent(QContextMenuEvent* event)
    {
        QMenu* menu = createStandardContextMenu(event->pos());
        menu->setAttribute(Qt::WA_DeleteOnClose);
        Q_EMIT contextMenuOpening(menu, event->pos());
        menu->popup(event->globalPos());
    }

    void RichTextEditor::keyPressEvent(QKeyEvent* event)
    {
        bool consumed = false;
        Q_EMIT keyDown(event->key(), event->modifiers(), &consumed);
        if (consumed) {
            event->accept();
            return;
        }
        QTextEdit::keyPressEvent(event);
    }

    void RichTextEditor::mousePressEvent(QMouseEvent* event)
    {
        if (event->button() == Qt::LeftButton) {
            m_pressedHere = true;
        }
        QTextEdit::mousePressEvent(event);
    }

    void RichTextEditor::mouseReleaseEvent(QMouseEvent* event)
    {
        QTextEdit::mouseReleaseEvent(event);
        const QPoint position = viewport()->mapTo(this, event->position().toPoint());
        Q_EMIT mouseReleased(event->button(), event->modifiers(), position);
        if (event->button() == Qt::LeftButton && std::exchange(m_pressedHere, false)) {
            Q_EMIT clicked();
        }
    }

    void RichTextEditor::focusInEvent(QFocusEvent* event)
    {
        QTextEdit::focusInEvent(event);
        Q_EMIT gotFocus();
    }

    void RichTextEditor::focusOutEvent(QFocusEvent* event)
    {
        QTextEdit::focusOutEvent(event);
        Q_EMIT lostFocus();
    }

} // namespace qv
