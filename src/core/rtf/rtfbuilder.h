#pragma once

#include <QColor>
#include <QHash>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextImageFormat>
#include <QTextListFormat>

#include <array>
#include <vector>

class QTextDocument;
class QTextList;

namespace qv::rtf {

    // A stretch of one paragraph's text in one character format, or a single picture.
    struct Run
    {
        int start = 0;
        int length = 0;
        int format = 0; // index into the builder's character formats
        int image = -1; // index into the builder's image formats, or -1 for text
    };

    // Which list a paragraph belongs to. Lists from the list table keep their numbering across the
    // whole document, as Word does; the older per-paragraph form only joins adjoining paragraphs.
    struct ListRef
    {
        enum Kind
        {
            None,
            Table,
            Paragraph
        };
        Kind kind = None;
        int id = 0;
        int level = 0;
        QTextListFormat format;
        int style = 0; // the format's style, kept apart so that comparing it costs no property lookup
    };

    struct Paragraph
    {
        QString text;
        std::vector<Run> runs;
        QTextBlockFormat block;
        ListRef list;
        int markFormat = 0; // the character format of the paragraph mark, for empty lines
        // The text a list paragraph carries for readers that do not know lists (its number or bullet);
        // dropped once the paragraph is made a list item that shows the same number.
        int listTextStart = -1;
        int listTextEnd = -1;

        bool hasContent() const
        {
            return !text.isEmpty();
        }
        void clear();
        void appendText(const char16_t* chars, qsizetype count, int format);
        void appendImage(int image);
        void erase(int from, int to);
    };

    struct CellDef
    {
        int right = 0; // twips from the row's origin
        bool mergeFirst = false;
        bool merged = false;
        bool vMergeFirst = false;
        bool vMerged = false;
        QColor background;
    };

    struct RowDef
    {
        int left = 0;
        int padding = -1; // twips, -1 when the row names none
        bool borders = false;
        std::vector<CellDef> cells;
    };

    // Puts what the reader found into the document through one cursor. Paragraphs outside tables go
    // in as they come; table rows wait until the table ends, since RTF may define a row's cells after
    // their content.
    class DocumentBuilder
    {
    public:
        explicit DocumentBuilder(QTextDocument& doc);

        int addCharFormat(const QTextCharFormat& format);
        int addImage(const QTextImageFormat& format);

        // Takes the paragraph's list marker out of it when the list shows the same.
        void addParagraph(Paragraph& paragraph);
        void addCellParagraph(Paragraph&& paragraph);
        void endCell();
        // Cells ended in the row not yet ended.
        size_t pendingCells() const
        {
            return m_pendingCells.size();
        }
        // Ends the row; the cell being read belongs to it unless takeOpenCell is false.
        void endRow(const RowDef& row, bool takeOpenCell = true);
        void finish();

    private:
        struct Cell
        {
            std::vector<Paragraph> paragraphs;
        };
        struct Row
        {
            RowDef def;
            std::vector<Cell> cells;
        };
        struct ListKey
        {
            int kind;
            int id;
            friend bool operator==(const ListKey&, const ListKey&) = default;
        };
        friend size_t qHash(const ListKey& key, size_t seed)
        {
            return qHashMulti(seed, key.kind, key.id);
        }
        struct ListScope
        {
            // The open list of each level (0 to 8) of each list, its style and how many items it has.
            struct Levels
            {
                std::array<QTextList*, 9> lists{};
                std::array<int, 9> styles{};
                std::array<int, 9> counts{};
            };
            QHash<ListKey, Levels> lists;
            bool previousWasParagraphList = false;
        };

        void insertParagraph(Paragraph& paragraph, ListScope& scope);
        // Null for a paragraph that is no list item.
        void attachList(const ListRef* item, ListScope& scope);
        bool showsWrittenNumber(const Paragraph& paragraph, const ListScope& scope) const;
        void flushTable();
        void insertTable(std::vector<Row>& rows, int firstRow, int lastRow, bool ownGrid);

        QTextCursor m_cursor;
        std::vector<QTextCharFormat> m_formats;
        std::vector<QTextImageFormat> m_images;
        ListScope m_bodyLists;
        bool m_blockUsed = false;
        bool m_inCell = false;

        std::vector<Row> m_rows;
        std::vector<Cell> m_pendingCells;
        Cell m_pendingCell;
    };

} // namespace qv::rtf
