#pragma once

#include "rtfoutput.h"

#include <QBrush>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QRgb>
#include <QString>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextListFormat>

class QColor;
class QTextBlock;
class QTextCharFormat;
class QTextFragment;
class QTextDocument;
class QTextList;
class QTextTable;
class QTextTableCell;

namespace qv::rtf {

    // A list level hangs its number this far left of its text, as Word's own lists do.
    inline constexpr int ListHangTwips = 360;

    inline bool visible(const QBrush& brush)
    {
        return brush.style() != Qt::NoBrush && brush.color().isValid() && brush.color().alpha() > 0;
    }

    // Character formatting as RTF sees it: indexes into the font and colour tables, sizes in
    // half-points. Kept small so that comparing the current state with the next run is cheap.
    struct CharState
    {
        int font = 0;
        int halfPoints = 24; // RTF's default, 12 pt
        bool bold = false;
        bool italic = false;
        bool strike = false;
        int underline = 0; // a QTextCharFormat::UnderlineStyle
        int color = 0; // colour table index; 0 is the reader's automatic colour
        int highlight = 0;
        int vertical = 0; // 0 normal, 1 superscript, 2 subscript

        bool operator==(const CharState&) const = default;
    };

    // What the writer needs from one character format of the document, worked out once per format.
    struct RunInfo
    {
        CharState state;
        QString href;
        bool isImage = false;
        QTextImageFormat image;
    };

    // The paragraph formatting words of one block format, and its page breaks.
    struct ParagraphInfo
    {
        QByteArray words;
        QTextFormat::PageBreakFlags breaks;
    };

    // One QTextList as the writer numbers it. Its format is read once and its items are counted as
    // they come: QTextList::itemNumber() searches the whole list, which makes long lists slow.
    struct ListEntry
    {
        int number = 0; // \ls, from 1
        int indent = 1;
        QTextListFormat::Style style = QTextListFormat::ListDisc;
        QString prefix;
        QString suffix;
        int items = 0;
    };

    class DocumentWriter
    {
    public:
        explicit DocumentWriter(const QTextDocument& doc);

        QByteArray write();

    private:
        // Tables at the top of the file.
        int fontIndex(const QString& family);
        int colorIndex(const QColor& color);
        int listEntry(const QTextList* list);
        void writeFontTable(RtfOutput& out) const;
        void writeColorTable(RtfOutput& out) const;
        void writeListTables(RtfOutput& out) const;

        // The body.
        void writeFrame(const QTextFrame* frame);
        void writeBlock(const QTextBlock& block, bool inTable);
        void writeRuns(const QTextBlock& block);
        void writeTable(const QTextTable* table);
        void writeCell(const QTextTableCell& cell);
        void writeFlattenedTable(const QTextTable* table, bool& first);
        void writeListNumber(const QTextBlock& block, const ListEntry& list, int item);
        void writeOldStyleNumbering(const QTextBlock& block, const ListEntry& list, int item);
        void writeCellItems(QTextFrame::iterator it, bool& first);
        void writeImage(const QTextImageFormat& format);

        // Formats are looked up by their index in the document, so a format is built only the first
        // time it is met; building one per fragment would cost more than writing the text.
        const RunInfo& runInfo(const QTextFragment& fragment);
        const RunInfo& blockRunInfo(const QTextBlock& block);
        const RunInfo& addRunInfo(int formatIndex, const QTextCharFormat& format);
        const ParagraphInfo& paragraphInfo(const QTextBlock& block);
        void switchTo(const CharState& next);
        static void writeStateChange(RtfOutput& out, const CharState& from, const CharState& to);
        void openLink(const QString& href);
        void closeLink();
        QList<int> columnEdges(const QTextTable* table) const;

        const QTextDocument& m_doc;
        RtfOutput m_out;
        QString m_defaultFamily;
        double m_defaultPoints = 12;

        QList<QString> m_fonts;
        QHash<QString, int> m_fontIndex;
        QList<QRgb> m_colors;
        QHash<QRgb, int> m_colorIndex;
        QList<ListEntry> m_lists;
        QHash<const QTextList*, int> m_listIndex;

        QHash<int, RunInfo> m_runs;
        QHash<int, ParagraphInfo> m_paragraphs;

        CharState m_state;
        // Formatting outside the hyperlink group currently open; restored when the group closes.
        CharState m_stateOutsideLink;
        QString m_openHref;
        bool m_pageBreakPending = false;
    };

} // namespace qv::rtf
