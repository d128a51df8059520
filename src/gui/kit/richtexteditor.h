#pragma once

#include "core/storage/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QTextEdit>

#include <optional>

class QMenu;
class QTextCharFormat;

namespace qv {

    enum class ParagraphAlignment
    {
        Left,
        Centre,
        Right
    };

    // The rich-text pane every long text of the program is shown and edited in.
    //
    // Positions and lengths count characters of text() from 0, and are the positions QTextCursor
    // uses: a paragraph break, a line break inside a paragraph, and each cell boundary and the start
    // and end of a table count one character each, and text() shows every one of them as a line feed,
    // so text().mid(selStart(), selLength()) is always selText().
    //
    // Every change the program makes (a load, setText, a format applied to the selection) is
    // announced by exactly one changed(), however many edits it takes inside the document; typing
    // announces each keystroke.
    //
    // setText() and find() stand in for QTextEdit's functions of the same names on purpose: those
    // guess at HTML in the text and move the selection to the hit, and callers here need neither.
    class RichTextEditor : public QTextEdit
    {
        Q_OBJECT

    public:
        explicit RichTextEditor(QWidget* parent = nullptr);

        // Replaces the whole content with the RTF file at path. A missing or unreadable file is a
        // failure and leaves the content as it was.
        Status loadFile(const QString& path);
        // Writes the whole content as RTF, replacing the file atomically.
        Status saveFile(const QString& path) const;

        // The content as plain text, paragraphs separated by line feeds.
        QString text() const;
        // Replaces the content with plain text; CR LF, CR and LF each start a new paragraph.
        void setText(const QString& text);
        QByteArray textRtf() const;
        void setTextRtf(QByteArrayView rtf);

        int selStart() const;
        // Places the caret at start (clamped to the text), selecting nothing.
        void setSelStart(int start);
        int selLength() const;
        // Selects length characters from the current start, as many as the text has.
        void setSelLength(int length);
        void select(int start, int length);
        QString selText() const;
        // Replaces the selection with text (line breaks as in setText) in the format at the start of
        // the selection, leaving the caret after it.
        void setSelText(const QString& text);
        QByteArray selRtf() const;
        // Replaces the selection with the content of an RTF document, leaving the caret after it.
        void setSelRtf(QByteArrayView rtf);

        // The position of the first occurrence of word at or after from, as a whole word and in any
        // letter case; -1 when there is none.
        int find(const QString& word, int from = 0) const;

        // Character attributes of the selection, or of the text typed next when nothing is selected.
        // A selection that mixes values reads as nullopt.
        std::optional<bool> selBold() const;
        std::optional<bool> selItalic() const;
        std::optional<bool> selUnderline() const;
        std::optional<bool> selStrikethrough() const;
        std::optional<QColor> selColor() const;
        std::optional<QString> selFontName() const;
        std::optional<double> selFontSize() const;
        void setSelBold(bool on);
        void setSelItalic(bool on);
        void setSelUnderline(bool on);
        void setSelStrikethrough(bool on);
        void setSelColor(const QColor& color);
        void setSelFontName(const QString& face);
        void setSelFontSize(double points);

        // Alignment of the paragraphs the selection touches, or of the caret's paragraph. A selection
        // that ends at the very start of a paragraph does not touch that paragraph. Justified
        // paragraphs read as left-aligned.
        std::optional<ParagraphAlignment> selAlignment() const;
        void setSelAlignment(ParagraphAlignment alignment);

        // Whether the selection disappears while another control has the focus; off by default.
        bool hideSelection() const;
        void setHideSelection(bool hide);

    Q_SIGNALS:
        void changed();
        void clicked();
        void gotFocus();
        void lostFocus();
        // A key pressed while the pane has the focus, before the pane acts on it. A handler
        // connected directly that sets *consumed to true keeps the pane from seeing the key.
        void keyDown(int key, Qt::KeyboardModifiers modifiers, bool* consumed);
        void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& position);
        // The right-button menu at position (viewport coordinates) is about to show, with the pane's
        // own entries in it: a handler connected directly may add entries of its own.
        void contextMenuOpening(QMenu* menu, const QPoint& position);

    protected:
        void keyPressEvent(QKeyEvent* event) override;
        void mousePressEvent(QMouseEvent* event) override;
        void mouseReleaseEvent(QMouseEvent* event) override;
        void focusInEvent(QFocusEvent* event) override;
        void focusOutEvent(QFocusEvent* event) override;
        void changeEvent(QEvent* event) override;
        void contextMenuEvent(QContextMenuEvent* event) override;

    private:
        class ProgramChange;
        friend class ProgramChange;

        void onDocumentChanged();
        void applySelectionPalette();
        // read(format, font) of every run of text in the selection when all give the same value; for
        // an empty selection, of the text typed next. font is the format's font over the pane's own.
        template <typename T, typename Read> std::optional<T> uniformAttribute(Read read) const;
        void mergeSelectionFormat(const QTextCharFormat& format);

        int m_programChangeDepth = 0;
        bool m_changePending = false;
        bool m_pressedHere = false;
        bool m_hideSelection = false;
    };

} // namespace qv
