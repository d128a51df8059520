// The parts of the RTF writer beyond running text: the tables at the top of the file, lists, tables
// and pictures.

#include "richtextunits.h"
#include "rtfplaintext.h"
#include "rtfwriter_p.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <array>

namespace qv::rtf {

    namespace {

        using rtfunits::toTwips;

        // Table widths given in percent, or not at all, are laid out on a Letter page with inch
        // margins; a fixed figure keeps the file the same whatever window the document was shown in.
        constexpr int PageTextTwips = 9360;
        constexpr int MinColumnTwips = 360;
        constexpr int ListIdBase = 1000;

        bool isBullet(QTextListFormat::Style style)
        {
            return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
                   style == QTextListFormat::ListSquare || style == QTextListFormat::ListStyleUndefined;
        }

        QString bulletText(QTextListFormat::Style style)
        {
            switch (style) {
            case QTextListFormat::ListCircle:
                return QString(QChar(0x25E6));
            case QTextListFormat::ListSquare:
                return QString(QChar(0x25AA));
            default:
                return QString(QChar(0x2022));
            }
        }

        // \levelnfc number formats.
        int levelFormat(QTextListFormat::Style style)
        {
            switch (style) {
            case QTextListFormat::ListDecimal:
                return 0;
            case QTextListFormat::ListUpperRoman:
                return 1;
            case QTextListFormat::ListLowerRoman:
                return 2;
            case QTextListFormat::ListUpperAlpha:
                return 3;
            case QTextListFormat::ListLowerAlpha:
                return 4;
            default:
                return 23; // bullet
            }
        }

        // The number style words of the older paragraph numbering that WordPad reads.
        const char* oldStyleWord(QTextListFormat::Style style)
        {
            switch (style) {
            case QTextListFormat::ListUpperRoman:
                return "pnucrm";
            case QTextListFormat::ListLowerRoman:
                return "pnlcrm";
            case QTextListFormat::ListUpperAlpha:
                return "pnucltr";
            case QTextListFormat::ListLowerAlpha:
                return "pnlcltr";
            default:
                return "pndec";
            }
        }

        // The item's number as QTextList shows it.
        QString itemText(const ListEntry& list, int item)
        {
            if (isBullet(list.style))
                return bulletText(list.style);
            return list.prefix + listItemNumber(item, list.style) + list.suffix;
        }

        // Font family classes for \fonttbl, so a reader without the font picks a similar one.
        struct FamilyClass
        {
            const char* word;
            int charset;
        };

        // Checked in this order: "DejaVu Sans Mono" is fixed pitch before it is sans serif, and
        // "Comic Sans MS" a script before either.
        struct FamilyRule
        {
            FamilyClass cls;
            QLatin1StringView keys; // separated by '|'
        };
        constexpr FamilyRule FamilyRules[] = {
            // Symbol fonts carry their own character set: their bytes are not Windows-1252 letters.
            {{"ftech", 2}, QLatin1StringView("symbol|wingdings|webdings")},
            {{"fmodern", 0}, QLatin1StringView("mono|courier|consolas|console|fixed|typewriter")},
            {{"fscript", 0}, QLatin1StringView("script|comic|brush|hand")},
            {{"fswiss", 0},
             QLatin1StringView("sans|arial|helvetica|verdana|tahoma|calibri|segoe|trebuchet|gill|franklin|futura|"
                               "univers|carlito|candara|corbel")},
            {{"froman", 0},
             QLatin1StringView("serif|times|roman|georgia|garamond|cambria|palatino|book|century|caladea|"
                               "baskerville|bodoni|didot|constantia")},
        };

        FamilyClass familyClass(const QString& family)
        {
            const QString name = family.toLower();
            for (const FamilyRule& rule : FamilyRules) {
                for (const auto key : QLatin1StringView(rule.keys).tokenize(QLatin1Char('|'))) {
                    if (name.contains(key))
                        return rule.cls;
                }
            }
            return {"fnil", 0};
        }

        void lengthByte(RtfOutput& out, int n)
        {
            constexpr char Hex[] = "0123456789abcdef";
            const char esc[5] = {'\\', '\'', Hex[(n >> 4) & 0xF], Hex[n & 0xF], 0};
            out.raw(esc);
        }

        QSize pngSize(const QByteArray& png)
        {
            // Width and height are the first fields of the IHDR chunk, big-endian.
            const auto field = [&png](int at) {
                return (uint(uchar(png[at])) << 24) | (uint(uchar(png[at + 1])) << 16) |
                       (uint(uchar(png[at + 2])) << 8) | uint(uchar(png[at + 3]));
            };
            if (png.size() < 24)
                return {};
            return QSize(int(field(16)), int(field(20)));
        }

    } // namespace

    void DocumentWriter::writeFontTable(RtfOutput& out) const
    {
        out.openGroup();
        out.word("fonttbl");
        for (int i = 0; i < m_fonts.size(); ++i) {
            const FamilyClass cls = familyClass(m_fonts[i]);
            out.openGroup();
            out.word("f", i);
            out.word(cls.word);
            out.word("fcharset", cls.charset);
            QString name = m_fonts[i];
            // A semicolon ends the entry; no escape exists for it inside a font name.
            name.remove(u';');
            out.plainText(name);
            out.raw(';');
            out.closeGroup();
        }
        out.closeGroup();
        out.newline();
    }

    void DocumentWriter::writeColorTable(RtfOutput& out) const
    {
        out.openGroup();
        out.word("colortbl");
        out.raw(';');
        for (const QRgb rgb : m_colors) {
            out.word("red", qRed(rgb));
            out.word("green", qGreen(rgb));
            out.word("blue", qBlue(rgb));
            out.raw(';');
        }
        out.closeGroup();
        out.newline();
    }

    int DocumentWriter::listEntry(const QTextList* list)
    {
        const auto it = m_listIndex.constFind(list);
        if (it != m_listIndex.cend())
            return *it;
        const QTextListFormat format = list->format();
        ListEntry entry;
        entry.number = int(m_lists.size()) + 1;
        entry.indent = format.indent();
        entry.style = format.style();
        entry.prefix = format.numberPrefix();
        // QTextList puts a full stop after the number unless the format says otherwise.
        entry.suffix = format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix() : QStringLiteral(".");
        m_lists.append(entry);
        m_listIndex.insert(list, int(m_lists.size()) - 1);
        return int(m_lists.size()) - 1;
    }

    void DocumentWriter::writeListTables(RtfOutput& out) const
    {
        if (m_lists.isEmpty())
            return;
        // Every QTextList numbers on its own, so each becomes a list of its own. A list at the first
        // level is a simple one-level list, as Word writes them; a deeper one gets all nine levels,
        // in its style, and its paragraphs use the level of the list's indent.
        out.openGroup();
        out.raw("\\*");
        out.word("listtable");
        for (int n = 0; n < m_lists.size(); ++n) {
            const ListEntry& list = m_lists[n];
            const auto style = list.style;
            const int nfc = levelFormat(style);
            out.newline();
            out.openGroup();
            out.word("list");
            out.word("listtemplateid", ListIdBase + n + 1);
            const bool simple = list.indent <= 1;
            if (simple)
                out.word("listsimple");
            for (int level = 0; level < (simple ? 1 : 9); ++level) {
                out.openGroup();
                out.word("listlevel");
                out.word("levelnfc", nfc);
                out.word("leveljc", 0);
                out.word("levelfollow", 0);
                out.word("levelstartat", 1);
                out.openGroup();
                out.word("leveltext");
                if (isBullet(style)) {
                    lengthByte(out, 1);
                    out.plainText(bulletText(style));
                    out.raw(';');
                    out.closeGroup();
                    out.openGroup();
                    out.word("levelnumbers");
                    out.raw(';');
                    out.closeGroup();
                } else {
                    lengthByte(out, int(list.prefix.size() + 1 + list.suffix.size()));
                    out.plainText(list.prefix);
                    lengthByte(out, level); // where the level's number goes
                    out.plainText(list.suffix);
                    out.raw(';');
                    out.closeGroup();
                    out.openGroup();
                    out.word("levelnumbers");
                    lengthByte(out, int(list.prefix.size() + 1));
                    out.raw(';');
                    out.closeGroup();
                }
                const int left = toTwips((level + 1) * m_doc.indentWidth());
                out.word("fi", -ListHangTwips);
                out.word("li", left);
                out.closeGroup();
            }
            out.openGroup();
            out.word("listname");
            out.raw(';');
            out.closeGroup();
            out.word("listid", ListIdBase + n + 1);
            out.closeGroup();
        }
        out.closeGroup();
        out.newline();

        out.openGroup();
        out.raw("\\*");
        out.word("listoverridetable");
        for (int n = 0; n < m_lists.size(); ++n) {
            out.openGroup();
            out.word("listoverride");
            out.word("listid", ListIdBase + n + 1);
            out.word("listoverridecount", 0);
            out.word("ls", n + 1);
            out.closeGroup();
        }
        out.closeGroup();
        out.newline();
    }

    void DocumentWriter::writeListNumber(const QTextBlock& block, const ListEntry& list, int item)
    {
        const QString number = itemText(list, item);
        const CharState numberState = blockRunInfo(block).state;

        // What Word and LibreOffice show when they do not rebuild the number from the list table.
        m_out.openGroup();
        m_out.word("listtext");
        m_out.word("pard");
        m_out.word("plain");
        writeStateChange(m_out, CharState(), numberState);
        m_out.plainText(number);
        m_out.word("tab");
        m_out.closeGroup();

        // The same for readers of the older paragraph numbering, WordPad among them.
        m_out.openGroup();
        m_out.word("pntext");
        writeStateChange(m_out, m_state, numberState);
        m_out.plainText(number);
        m_out.word("tab");
        m_out.closeGroup();
    }

    void DocumentWriter::writeOldStyleNumbering(const QTextBlock& block, const ListEntry& list, int item)
    {
        const auto style = list.style;
        const CharState numberState = blockRunInfo(block).state;
        m_out.openGroup();
        m_out.raw("\\*");
        m_out.word("pn");
        if (isBullet(style)) {
            m_out.word("pnlvlblt");
            m_out.word("pnf", numberState.font);
            m_out.word("pnindent", ListHangTwips);
            m_out.openGroup();
            m_out.word("pntxtb");
            m_out.plainText(bulletText(style));
            m_out.closeGroup();
        } else {
            m_out.word("pnlvlbody");
            m_out.word("pnf", numberState.font);
            m_out.word("pnindent", ListHangTwips);
            // Each paragraph states its own number, so a list broken by other paragraphs still
            // counts on where the reader would otherwise start again.
            m_out.word("pnstart", item);
            m_out.word(oldStyleWord(style));
            if (!list.prefix.isEmpty()) {
                m_out.openGroup();
                m_out.word("pntxtb");
                m_out.plainText(list.prefix);
                m_out.closeGroup();
            }
            m_out.openGroup();
            m_out.word("pntxta");
            m_out.plainText(list.suffix);
            m_out.closeGroup();
        }
        m_out.closeGroup();
    }

    QList<int> DocumentWriter::columnEdges(const QTextTable* table) const
    {
        const QTextTableFormat format = table->format();
        const int columns = table->columns();
        const QList<QTextLength> constraints = format.columnWidthConstraints();

        int total = PageTextTwips;
        const QTextLength width = format.width();
        if (width.type() == QTextLength::FixedLength && width.rawValue() > 0)
            total = toTwips(width.rawValue());
        else if (width.type() == QTextLength::PercentageLength && width.rawValue() > 0)
            total = int(PageTextTwips * width.rawValue() / 100);

        QList<int> widths(columns, -1);
        int known = 0;
        int unknown = 0;
        for (int c = 0; c < columns; ++c) {
            const QTextLength length = constraints.value(c);
            if (length.type() == QTextLength::FixedLength)
                widths[c] = toTwips(length.rawValue());
            else if (length.type() == QTextLength::PercentageLength)
                widths[c] = int(total * length.rawValue() / 100);
            if (widths[c] >= 0)
                known += widths[c];
            else
                ++unknown;
        }
        const int share = unknown ? std::max(MinColumnTwips, (total - known) / unknown) : 0;

        QList<int> edges;
        edges.reserve(columns);
        int edge = toTwips(format.leftMargin());
        for (int c = 0; c < columns; ++c) {
            edge += std::max(1, widths[c] >= 0 ? widths[c] : share);
            edges.append(edge);
        }
        return edges;
    }

    void DocumentWriter::writeTable(const QTextTable* table)
    {
        const QTextTableFormat format = table->format();
        const QList<int> edges = columnEdges(table);
        const int rows = table->rows();
        const int columns = table->columns();
        const bool borders = format.border() > 0 && format.borderStyle() != QTextFrameFormat::BorderStyle_None;
        const int borderWidth = std::clamp(toTwips(format.border()), 1, 75);
        const int borderColor = visible(format.borderBrush()) ? colorIndex(format.borderBrush().color()) : 0;
        const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;

        for (int r = 0; r < rows; ++r) {
            m_out.word("trowd");
            m_out.word("trgaph", toTwips(format.cellPadding()));
            m_out.word("trleft", toTwips(format.leftMargin()));
            if (r < format.headerRowCount())
                m_out.word("trhdr");
            if (align & Qt::AlignHCenter)
                m_out.word("trqc");
            else if (align & Qt::AlignRight)
                m_out.word("trqr");
            for (int c = 0; c < columns; ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.columnSpan() > 1)
                    m_out.word(c == cell.column() ? "clmgf" : "clmrg");
                if (cell.rowSpan() > 1)
                    m_out.word(r == cell.row() ? "clvmgf" : "clvmrg");
                const QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
                switch (cellFormat.verticalAlignment()) {
                case QTextCharFormat::AlignMiddle:
                    m_out.word("clvertalc");
                    break;
                case QTextCharFormat::AlignBottom:
                    m_out.word("clvertalb");
                    break;
                default:
                    break;
                }
                if (borders) {
                    for (const char* side : {"clbrdrt", "clbrdrl", "clbrdrb", "clbrdrr"}) {
                        m_out.word(side);
                        m_out.word("brdrs");
                        m_out.word("brdrw", borderWidth);
                        if (borderColor)
                            m_out.word("brdrcf", borderColor);
                    }
                }
                if (visible(cellFormat.background()))
                    m_out.word("clcbpat", colorIndex(cellFormat.background().color()));
                m_out.word("cellx", edges[c]);
            }
            m_out.newline();
            for (int c = 0; c < columns; ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() == r && cell.column() == c) {
                    writeCell(cell);
                } else {
                    // A position covered by a merged cell still needs its (empty) cell.
                    m_out.word("pard");
                    m_out.word("intbl");
                }
                m_out.word("cell");
                m_out.newline();
            }
            m_out.word("row");
            m_out.newline();
        }
    }

    void DocumentWriter::writeCell(const QTextTableCell& cell)
    {
        bool first = true;
        writeCellItems(cell.begin(), first);
        if (first) {
            m_out.word("pard");
            m_out.word("intbl");
        }
    }

    void DocumentWriter::writeCellItems(QTextFrame::iterator it, bool& first)
    {
        for (; !it.atEnd(); ++it) {
            if (const QTextFrame* child = it.currentFrame()) {
                if (const auto* table = qobject_cast<const QTextTable*>(child))
                    writeFlattenedTable(table, first);
                else
                    writeCellItems(child->begin(), first);
                continue;
            }
            if (!first) {
                m_out.word("par");
                m_out.newline();
            }
            first = false;
            writeBlock(it.currentBlock(), true);
        }
    }

    void DocumentWriter::writeFlattenedTable(const QTextTable* table, bool& first)
    {
        // RTF's nested tables are not read alike by Word, WordPad and LibreOffice; a table inside a
        // cell keeps its text as one paragraph per row, cells apart by tabs.
        for (int r = 0; r < table->rows(); ++r) {
            if (!first) {
                m_out.word("par");
                m_out.newline();
            }
            first = false;
            m_out.word("pard");
            m_out.word("intbl");
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c)
                    continue;
                if (c > 0)
                    m_out.word("tab");
                QTextBlock block = m_doc.findBlock(cell.firstPosition());
                bool firstBlock = true;
                while (block.isValid() && block.position() <= cell.lastPosition()) {
                    if (!firstBlock)
                        m_out.word("line");
                    firstBlock = false;
                    writeRuns(block);
                    block = block.next();
                }
            }
        }
    }

    void DocumentWriter::writeImage(const QTextImageFormat& format)
    {
        const QVariant resource = m_doc.resource(QTextDocument::ImageResource, QUrl(format.name()));
        QByteArray png;
        QSize pixels;
        QImage image;
        switch (resource.typeId()) {
        case QMetaType::QImage:
            image = resource.value<QImage>();
            break;
        case QMetaType::QPixmap:
            image = resource.value<QPixmap>().toImage();
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = resource.toByteArray();
            if (bytes.startsWith("\x89PNG\r\n\x1a\n")) {
                png = bytes;
                pixels = pngSize(bytes);
            } else {
                image = QImage::fromData(bytes);
            }
            break;
        }
        default:
            break;
        }
        if (png.isEmpty()) {
            if (image.isNull())
                return; // nothing to show; the reader would only get an empty frame
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            if (!image.save(&buffer, "PNG"))
                return;
            pixels = image.size();
        }
        if (pixels.isEmpty())
            return;

        // Without a size of its own a picture shows one document unit per pixel, as Qt shows it.
        double width = format.width();
        double height = format.height();
        if (width <= 0 && height <= 0) {
            width = pixels.width();
            height = pixels.height();
        } else if (width <= 0) {
            width = height * pixels.width() / pixels.height();
        } else if (height <= 0) {
            height = width * pixels.height() / pixels.width();
        }

        m_out.openGroup();
        m_out.raw("\\*");
        m_out.word("shppict");
        m_out.openGroup();
        m_out.word("pict");
        m_out.word("pngblip");
        m_out.word("picw", pixels.width());
        m_out.word("pich", pixels.height());
        m_out.word("picwgoal", toTwips(width));
        m_out.word("pichgoal", toTwips(height));
        m_out.hex(png);
        m_out.closeGroup();
        m_out.closeGroup();
    }

} // namespace qv::rtf
