#include "rtfbuilder.h"

#include "richtextunits.h"
#include "rtfplaintext.h"

#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <array>

namespace qv::rtf {

    namespace {

        // Word allows 63 cells a row; more come only from broken input and would make the table grid
        // grow with the square of the input.
        constexpr int MaxCellsPerRow = 128;
        constexpr int MaxListLevel = 8;
        // Boundaries this close (in twips) are one column edge: writers round differently per row.
        constexpr int EdgeTolerance = 10;
        constexpr int DefaultCellWidth = 1440;

    } // namespace

    void Paragraph::clear()
    {
        text.resize(0);
        runs.clear();
        block = QTextBlockFormat();
        list = ListRef();
        markFormat = 0;
        listTextStart = -1;
        listTextEnd = -1;
    }

    void Paragraph::appendText(const char16_t* chars, qsizetype count, int format)
    {
        if (count <= 0)
            return;
        const int start = static_cast<int>(text.size());
        text.append(reinterpret_cast<const QChar*>(chars), count);
        if (!runs.empty() && runs.back().image < 0 && runs.back().format == format)
            runs.back().length += static_cast<int>(count);
        else
            runs.push_back({start, static_cast<int>(count), format, -1});
    }

    void Paragraph::appendImage(int image)
    {
        runs.push_back({static_cast<int>(text.size()), 1, 0, image});
        text.append(QChar::ObjectReplacementCharacter);
    }

    void Paragraph::erase(int from, int to)
    {
        from = std::clamp(from, 0, static_cast<int>(text.size()));
        to = std::clamp(to, from, static_cast<int>(text.size()));
        const int removed = to - from;
        if (removed == 0)
            return;
        text.remove(from, removed);
        std::vector<Run> kept;
        kept.reserve(runs.size());
        for (Run run : runs) {
            const int end = run.start + run.length;
            if (end <= from) {
                kept.push_back(run);
                continue;
            }
            if (run.start >= to) {
                run.start -= removed;
                kept.push_back(run);
                continue;
            }
            const int keepBefore = from - run.start > 0 ? from - run.start : 0;
            const int keepAfter = end - to > 0 ? end - to : 0;
            if (run.image >= 0 || keepBefore + keepAfter == 0)
                continue;
            run.start = std::min(run.start, from);
            run.length = keepBefore + keepAfter;
            kept.push_back(run);
        }
        runs = std::move(kept);
    }

    DocumentBuilder::DocumentBuilder(QTextDocument& doc)
        : m_cursor(&doc)
    {
        m_formats.emplace_back();
    }

    int DocumentBuilder::addCharFormat(const QTextCharFormat& format)
    {
        m_formats.push_back(format);
        return static_cast<int>(m_formats.size() - 1);
    }

    int DocumentBuilder::addImage(const QTextImageFormat& format)
    {
        m_images.push_back(format);
        return static_cast<int>(m_images.size() - 1);
    }

    void DocumentBuilder::addParagraph(Paragraph& paragraph)
    {
        if (!m_rows.empty() || !m_pendingCells.empty() || !m_pendingCell.paragraphs.empty())
            flushTable();
        insertParagraph(paragraph, m_bodyLists);
    }

    void DocumentBuilder::addCellParagraph(Paragraph&& paragraph)
    {
        m_pendingCell.paragraphs.push_back(std::move(paragraph));
    }

    void DocumentBuilder::endCell()
    {
        if (static_cast<int>(m_pendingCells.size()) >= MaxCellsPerRow) {
            // Extra cells of a broken row keep their text in the last cell.
            auto& last = m_pendingCells.back().paragraphs;
            for (Paragraph& p : m_pendingCell.paragraphs)
                last.push_back(std::move(p));
        } else {
            m_pendingCells.push_back(std::move(m_pendingCell));
        }
        m_pendingCell = Cell();
    }

    void DocumentBuilder::endRow(const RowDef& row, bool takeOpenCell)
    {
        if (takeOpenCell && !m_pendingCell.paragraphs.empty())
            endCell();
        if (m_pendingCells.empty())
            return;
        Row r;
        r.def = row;
        if (static_cast<int>(r.def.cells.size()) > MaxCellsPerRow)
            r.def.cells.resize(MaxCellsPerRow);
        r.cells = std::move(m_pendingCells);
        m_pendingCells.clear();
        m_rows.push_back(std::move(r));
    }

    void DocumentBuilder::finish()
    {
        flushTable();
    }

    void DocumentBuilder::insertParagraph(Paragraph& paragraph, ListScope& scope)
    {
        // A list item keeps the number its writer gave it as text when the list would number it
        // differently: lists that start elsewhere than 1, or restart, have no place in the document's
        // list model, and the number the writer showed is the one the reader expects.
        bool listed = paragraph.list.kind != ListRef::None;
        if (listed && paragraph.listTextStart >= 0) {
            if (showsWrittenNumber(paragraph, scope)) {
                paragraph.erase(paragraph.listTextStart, paragraph.listTextEnd);
                paragraph.listTextStart = paragraph.listTextEnd = -1;
            } else {
                listed = false;
                // Word's hanging indent is where the text after the number's tab starts.
                QTextBlockFormat& block = paragraph.block;
                if (block.textIndent() < 0 && block.tabPositions().isEmpty())
                    block.setTabPositions({QTextOption::Tab(-block.textIndent(), QTextOption::LeftTab)});
            }
        }
        const QTextCharFormat& mark = m_formats[paragraph.markFormat];
        if (m_blockUsed) {
            m_cursor.insertBlock(paragraph.block, mark);
        } else {
            m_cursor.setBlockFormat(paragraph.block);
            // The first block of a table cell carries the cell's own format (spans, background) as its
            // character format, so only blocks outside tables take the paragraph mark's.
            if (!m_inCell)
                m_cursor.setBlockCharFormat(mark);
            m_blockUsed = true;
        }
        if (paragraph.runs.size() == 1 && paragraph.runs.front().image < 0) {
            m_cursor.insertText(paragraph.text, m_formats[paragraph.runs.front().format]);
        } else {
            for (const Run& run : paragraph.runs) {
                if (run.image >= 0)
                    m_cursor.insertImage(m_images[run.image]);
                else
                    m_cursor.insertText(paragraph.text.mid(run.start, run.length), m_formats[run.format]);
            }
        }
        attachList(listed ? &paragraph.list : nullptr, scope);
    }

    bool DocumentBuilder::showsWrittenNumber(const Paragraph& paragraph, const ListScope& scope) const
    {
        const ListRef& ref = paragraph.list;
        const auto style = static_cast<QTextListFormat::Style>(ref.style);
        const bool alpha = style == QTextListFormat::ListLowerAlpha || style == QTextListFormat::ListUpperAlpha;
        const bool roman = style == QTextListFormat::ListLowerRoman || style == QTextListFormat::ListUpperRoman;
        if (style != QTextListFormat::ListDecimal && !alpha && !roman)
            return true; // bullets carry no number

        // The number the list would give this item, as attachList will place it.
        int number = 1;
        const auto it = scope.lists.constFind({ref.kind, ref.id});
        const bool continues = ref.kind != ListRef::Paragraph || scope.previousWasParagraphList;
        const int level = std::clamp(ref.level, 0, MaxListLevel);
        if (it != scope.lists.constEnd() && continues && it->lists[level] && it->styles[level] == ref.style)
            number = it->counts[level] + 1;

        // The number is the last run of digits or letters of the written marker; what frames it
        // (prefixes, the numbers of outer levels) is the list format's business.
        const QStringView marker =
            QStringView(paragraph.text)
                .sliced(paragraph.listTextStart, std::max(0, paragraph.listTextEnd - paragraph.listTextStart));
        const auto isNumeral = [style, alpha](QChar c) {
            if (style == QTextListFormat::ListDecimal)
                return c >= u'0' && c <= u'9';
            const char16_t lower = c.toLower().unicode();
            if (alpha)
                return lower >= u'a' && lower <= u'z';
            return QStringView(u"ivxlcdm").contains(QChar(lower));
        };
        qsizetype end = marker.size();
        while (end > 0 && !isNumeral(marker[end - 1]))
            --end;
        qsizetype start = end;
        while (start > 0 && isNumeral(marker[start - 1]))
            --start;
        if (start == end)
            return true; // nothing to compare: the list's own number is as good as any
        const QStringView written = marker.sliced(start, end - start);
        if (style == QTextListFormat::ListDecimal) {
            // Most lists are numbered; their numbers compare without building a string.
            qint64 value = 0;
            for (const QChar c : written) {
                value = value * 10 + (c.unicode() - u'0');
                if (value > number)
                    return false;
            }
            return value == number;
        }
        return written.compare(listItemNumber(number, style), Qt::CaseInsensitive) == 0;
    }

    void DocumentBuilder::attachList(const ListRef* item, ListScope& scope)
    {
        const bool paragraphList = item && item->kind == ListRef::Paragraph;
        if (paragraphList && !scope.previousWasParagraphList)
            scope.lists.remove({ListRef::Paragraph, 0});
        scope.previousWasParagraphList = paragraphList;
        if (!item || item->kind == ListRef::None)
            return;
        const ListRef& ref = *item;

        const int level = std::clamp(ref.level, 0, MaxListLevel);
        auto it = scope.lists.find({ref.kind, ref.id});
        if (it == scope.lists.end())
            it = scope.lists.insert({ref.kind, ref.id}, {});
        auto& levels = *it;
        // An item restarts the numbering of every deeper level, as in an outline.
        for (int deeper = level + 1; deeper <= MaxListLevel; ++deeper)
            levels.lists[deeper] = nullptr;
        QTextList*& list = levels.lists[level];
        if (list && levels.styles[level] == ref.style) {
            list->add(m_cursor.block());
            ++levels.counts[level];
        } else {
            list = m_cursor.createList(ref.format);
            levels.styles[level] = ref.style;
            levels.counts[level] = 1;
        }
    }

    void DocumentBuilder::flushTable()
    {
        if (!m_pendingCell.paragraphs.empty() || !m_pendingCells.empty())
            endRow(m_rows.empty() ? RowDef() : m_rows.back().def);
        if (m_rows.empty())
            return;
        insertTable(m_rows, 0, static_cast<int>(m_rows.size()), false);
        m_rows.clear();
    }

    void DocumentBuilder::insertTable(std::vector<Row>& rows, int firstRow, int lastRow, bool ownGrid)
    {
        // Each row's cell edges, in twips; cells without a definition get a default width.
        std::vector<std::vector<int>> edges;
        std::vector<int> all;
        qint64 cellCount = 0;
        for (int r = firstRow; r < lastRow; ++r) {
            const Row& row = rows[r];
            const int count = std::max(static_cast<int>(row.def.cells.size()), static_cast<int>(row.cells.size()));
            std::vector<int> e{row.def.left};
            for (int c = 0; c < count; ++c) {
                int right =
                    c < static_cast<int>(row.def.cells.size()) ? row.def.cells[c].right : e.back() + DefaultCellWidth;
                right = std::max(right, e.back() + 1);
                e.push_back(right);
            }
            all.insert(all.end(), e.begin(), e.end());
            edges.push_back(std::move(e));
            cellCount += count;
        }
        std::sort(all.begin(), all.end());
        std::vector<int> grid;
        for (int x : all) {
            if (grid.empty() || x - grid.back() >= EdgeTolerance)
                grid.push_back(x);
        }
        const int rowCount = lastRow - firstRow;
        const int columns = std::max(1, static_cast<int>(grid.size()) - 1);
        // Rows that disagree about their edges make a grid finer than any row; past a point, from
        // broken input only, each row becomes a table of its own.
        if (!ownGrid && rowCount > 1 &&
            (columns > MaxCellsPerRow || qint64(columns) * rowCount > 8 * cellCount + 4096)) {
            for (int r = firstRow; r < lastRow; ++r)
                insertTable(rows, r, r + 1, true);
            return;
        }
        const auto column = [&grid, columns](int x) {
            const auto it = std::lower_bound(grid.begin(), grid.end(), x - EdgeTolerance + 1);
            return std::clamp(static_cast<int>(it - grid.begin()), 0, columns);
        };

        struct Placed
        {
            int row;
            int column;
            int rows;
            int columns;
            Cell* cell;
            QColor background;
        };
        std::vector<Placed> placed;
        std::vector<int> verticalAnchor(columns, -1); // index into placed, per starting column
        std::vector<char> taken(static_cast<size_t>(rowCount) * columns, 0);
        const auto isFree = [&](int r, int c, int rs, int cs) {
            if (r + rs > rowCount || c + cs > columns)
                return false;
            for (int i = r; i < r + rs; ++i)
                for (int j = c; j < c + cs; ++j)
                    if (taken[static_cast<size_t>(i) * columns + j])
                        return false;
            return true;
        };
        const auto take = [&](int r, int c, int rs, int cs) {
            for (int i = r; i < r + rs; ++i)
                for (int j = c; j < c + cs; ++j)
                    taken[static_cast<size_t>(i) * columns + j] = 1;
        };

        for (int r = 0; r < rowCount; ++r) {
            Row& row = rows[firstRow + r];
            const std::vector<int>& e = edges[r];
            int horizontalAnchor = -1;
            for (int c = 0; c + 1 < static_cast<int>(e.size()); ++c) {
                const CellDef def = c < static_cast<int>(row.def.cells.size()) ? row.def.cells[c] : CellDef();
                Cell* cell = c < static_cast<int>(row.cells.size()) ? &row.cells[c] : nullptr;
                int c0 = column(e[c]);
                const int c1 = std::max(column(e[c + 1]), c0 + 1);
                if (c0 >= columns)
                    continue;
                if (def.merged && horizontalAnchor >= 0) {
                    Placed& anchor = placed[horizontalAnchor];
                    if (anchor.row + anchor.rows - 1 == r &&
                        isFree(r, anchor.column + anchor.columns, 1, c1 - (anchor.column + anchor.columns))) {
                        take(r, anchor.column + anchor.columns, 1, c1 - (anchor.column + anchor.columns));
                        anchor.columns = c1 - anchor.column;
                    }
                    continue;
                }
                if (def.vMerged && verticalAnchor[c0] >= 0) {
                    Placed& anchor = placed[verticalAnchor[c0]];
                    if (anchor.row + anchor.rows == r && isFree(r, anchor.column, 1, anchor.columns)) {
                        take(r, anchor.column, 1, anchor.columns);
                        ++anchor.rows;
                        continue;
                    }
                }
                while (c0 < columns && taken[static_cast<size_t>(r) * columns + c0])
                    ++c0;
                if (c0 >= columns)
                    continue;
                int span = std::max(1, std::min(c1, columns) - c0);
                while (span > 1 && !isFree(r, c0, 1, span))
                    --span;
                take(r, c0, 1, span);
                placed.push_back({r, c0, 1, span, cell, def.background});
                horizontalAnchor = static_cast<int>(placed.size() - 1);
                verticalAnchor[c0] = def.vMergeFirst ? horizontalAnchor : -1;
            }
        }

        QTextTableFormat format;
        format.setCellSpacing(0);
        const RowDef& firstDef = rows[firstRow].def;
        if (firstDef.padding >= 0)
            format.setCellPadding(rtfunits::fromTwips(firstDef.padding));
        if (firstDef.borders) {
            format.setBorder(1);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderBrush(QBrush(Qt::black));
            format.setBorderCollapse(true);
        } else {
            format.setBorder(0);
        }
        QList<QTextLength> widths;
        for (int c = 0; c < columns; ++c) {
            const int w = c + 1 < static_cast<int>(grid.size()) ? grid[c + 1] - grid[c] : DefaultCellWidth;
            widths.append(QTextLength(QTextLength::FixedLength, rtfunits::fromTwips(w)));
        }
        format.setColumnWidthConstraints(widths);

        QTextTable* table = m_cursor.insertTable(rowCount, columns, format);
        // Every merge makes Qt rebuild the table's grid, so broken input with thousands of merges
        // keeps its cells apart instead of taking quadratic time.
        qint64 mergeBudget = 50'000'000;
        const qint64 gridCells = qint64(rowCount) * columns;
        for (const Placed& p : placed) {
            if ((p.rows > 1 || p.columns > 1) && mergeBudget >= gridCells) {
                table->mergeCells(p.row, p.column, p.rows, p.columns);
                mergeBudget -= gridCells;
            }
        }
        const QTextCursor saved = m_cursor;
        m_inCell = true;
        for (const Placed& p : placed) {
            QTextTableCell cell = table->cellAt(p.row, p.column);
            if (p.background.isValid()) {
                QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
                cellFormat.setBackground(p.background);
                cell.setFormat(cellFormat);
            }
            if (!p.cell)
                continue;
            m_cursor = cell.firstCursorPosition();
            m_blockUsed = false;
            ListScope scope;
            for (Paragraph& paragraph : p.cell->paragraphs)
                insertParagraph(paragraph, scope);
        }
        m_inCell = false;
        m_cursor = saved;
        m_cursor.movePosition(QTextCursor::End);
        m_blockUsed = false;
        m_bodyLists.previousWasParagraphList = false;
    }

} // namespace qv::rtf
