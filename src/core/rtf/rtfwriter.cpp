#include "rtfwriter.h"

#include "richtextunits.h"
#include "rtfwriter_p.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <cmath>

namespace qv::rtf {

    namespace {

        using rtfunits::toTwips;

        // Points from a font that may carry a pixel size instead (Qt's HTML import does that for
        // "px" sizes); CSS pixels are 96 to the inch.
        double pointsOf(const QFont& font)
        {
            if (font.pointSizeF() > 0)
                return font.pointSizeF();
            if (font.pixelSize() > 0)
                return font.pixelSize() * 0.75;
            return 0;
        }

        int underlineOf(const QTextCharFormat& format, const QFont& resolved)
        {
            if (format.hasProperty(QTextFormat::TextUnderlineStyle)) {
                const auto style = format.underlineStyle();
                // The red wave under misspelt words is the editor's, not the document's.
                return style == QTextCharFormat::SpellCheckUnderline ? 0 : int(style);
            }
            if (format.hasProperty(QTextFormat::FontUnderline))
                return format.fontUnderline() ? int(QTextCharFormat::SingleUnderline) : 0;
            return resolved.underline() ? int(QTextCharFormat::SingleUnderline) : 0;
        }

        const char* underlineWord(int style)
        {
            switch (style) {
            case QTextCharFormat::DashUnderline:
                return "uldash";
            case QTextCharFormat::DotLine:
                return "uld";
            case QTextCharFormat::DashDotLine:
                return "uldashd";
            case QTextCharFormat::DashDotDotLine:
                return "uldashdd";
            case QTextCharFormat::WaveUnderline:
                return "ulwave";
            default:
                return "ul";
            }
        }

    } // namespace

    DocumentWriter::DocumentWriter(const QTextDocument& doc)
        : m_doc(doc)
        // Formatting words add a little to the text; pictures grow the buffer as they come.
        , m_out(qsizetype(doc.characterCount()) * 3 / 2 + 4096)
    {
        const QFont font = doc.defaultFont();
        m_defaultFamily = font.family();
        if (m_defaultFamily.isEmpty())
            m_defaultFamily = QStringLiteral("Arial");
        m_defaultPoints = pointsOf(font);
        if (m_defaultPoints <= 0)
            m_defaultPoints = 12;
        // The document's default font is \deff0, whether or not any text names it.
        fontIndex(m_defaultFamily);
    }

    QByteArray DocumentWriter::write()
    {
        writeFrame(m_doc.rootFrame());
        closeLink();
        QByteArray body = m_out.take();

        RtfOutput head(body.size() + 4096);
        head.openGroup();
        head.word("rtf", 1);
        head.word("ansi");
        head.word("ansicpg", 1252);
        head.word("deff", 0);
        writeFontTable(head);
        writeColorTable(head);
        writeListTables(head);
        head.openGroup();
        head.raw("\\*");
        head.word("generator");
        head.plainText(u"Quorvane " QUORVANE_VERSION);
        head.raw(';');
        head.closeGroup();
        const double tabStop = m_doc.defaultTextOption().tabStopDistance();
        head.word("deftab", toTwips(tabStop > 0 ? tabStop : 80));
        head.word("viewkind", 4);
        head.word("uc", 1);
        head.newline();
        QByteArray out = head.take();
        out.append(body);
        out.append('}');
        return out;
    }

    int DocumentWriter::fontIndex(const QString& family)
    {
        const auto it = m_fontIndex.constFind(family);
        if (it != m_fontIndex.cend())
            return *it;
        const int index = int(m_fonts.size());
        m_fonts.append(family);
        m_fontIndex.insert(family, index);
        return index;
    }

    int DocumentWriter::colorIndex(const QColor& color)
    {
        const QRgb rgb = color.rgb() | 0xFF000000u;
        const auto it = m_colorIndex.constFind(rgb);
        if (it != m_colorIndex.cend())
            return *it;
        m_colors.append(rgb);
        const int index = int(m_colors.size()); // entry 0 is "automatic"
        m_colorIndex.insert(rgb, index);
        return index;
    }

    const RunInfo& DocumentWriter::runInfo(const QTextFragment& fragment)
    {
        const int index = fragment.charFormatIndex();
        const auto found = m_runs.constFind(index);
        return found != m_runs.cend() ? *found : addRunInfo(index, fragment.charFormat());
    }

    const RunInfo& DocumentWriter::blockRunInfo(const QTextBlock& block)
    {
        const int index = block.charFormatIndex();
        const auto found = m_runs.constFind(index);
        return found != m_runs.cend() ? *found : addRunInfo(index, block.charFormat());
    }

    const RunInfo& DocumentWriter::addRunInfo(int formatIndex, const QTextCharFormat& format)
    {
        RunInfo info;
        // The document's formats are already resolved against its default font, so this also
        // carries the sizes of headings given as a size adjustment rather than in points.
        const QFont font = format.font();
        QString family;
        const QStringList families = format.fontFamilies().toStringList();
        if (!families.isEmpty())
            family = families.constFirst();
        if (family.isEmpty())
            family = format.property(QTextFormat::FontFamily).toString();
        if (family.isEmpty())
            family = m_defaultFamily;
        info.state.font = fontIndex(family);

        double points = pointsOf(font);
        if (points <= 0)
            points = m_defaultPoints;
        info.state.halfPoints = std::clamp(int(std::lround(points * 2)), 2, 3276);

        const int weight = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() : font.weight();
        info.state.bold = weight >= QFont::DemiBold;
        info.state.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : font.italic();
        info.state.strike = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : font.strikeOut();
        info.state.underline = underlineOf(format, font);
        if (visible(format.foreground()))
            info.state.color = colorIndex(format.foreground().color());
        if (visible(format.background()))
            info.state.highlight = colorIndex(format.background().color());
        switch (format.verticalAlignment()) {
        case QTextCharFormat::AlignSuperScript:
            info.state.vertical = 1;
            break;
        case QTextCharFormat::AlignSubScript:
            info.state.vertical = 2;
            break;
        default:
            break;
        }
        if (format.isAnchor())
            info.href = format.anchorHref();
        if (format.isImageFormat()) {
            info.isImage = true;
            info.image = format.toImageFormat();
        }
        return *m_runs.insert(formatIndex, info);
    }

    void DocumentWriter::writeStateChange(RtfOutput& out, const CharState& from, const CharState& to)
    {
        if (from.font != to.font)
            out.word("f", to.font);
        if (from.halfPoints != to.halfPoints)
            out.word("fs", to.halfPoints);
        if (from.bold != to.bold)
            to.bold ? out.word("b") : out.word("b", 0);
        if (from.italic != to.italic)
            to.italic ? out.word("i") : out.word("i", 0);
        if (from.underline != to.underline)
            to.underline ? out.word(underlineWord(to.underline)) : out.word("ulnone");
        if (from.strike != to.strike)
            to.strike ? out.word("strike") : out.word("strike", 0);
        if (from.color != to.color)
            out.word("cf", to.color);
        if (from.highlight != to.highlight) {
            // Word shows \highlight only in its sixteen marker colours and takes any other colour
            // from \chcbpat; WordPad knows only \highlight. Both name the same table entry.
            out.word("chcbpat", to.highlight);
            out.word("highlight", to.highlight);
        }
        if (from.vertical != to.vertical)
            out.word(to.vertical == 1 ? "super" : to.vertical == 2 ? "sub" : "nosupersub");
    }

    void DocumentWriter::switchTo(const CharState& next)
    {
        if (next == m_state)
            return;
        writeStateChange(m_out, m_state, next);
        m_state = next;
    }

    void DocumentWriter::openLink(const QString& href)
    {
        m_stateOutsideLink = m_state;
        m_openHref = href;
        // Inside the field instruction a backslash and a quote have their field meaning, so the
        // address is written with both escaped for the field before RTF escaping.
        QString instruction = href;
        instruction.replace(u'\\', QStringLiteral("\\\\"));
        instruction.replace(u'"', QStringLiteral("\\\""));
        m_out.openGroup();
        m_out.word("field");
        m_out.openGroup();
        m_out.raw("\\*");
        m_out.word("fldinst");
        m_out.openGroup();
        m_out.plainText(u"HYPERLINK \"");
        m_out.plainText(instruction);
        m_out.raw('"');
        m_out.closeGroup();
        m_out.closeGroup();
        m_out.openGroup();
        m_out.word("fldrslt");
        m_out.openGroup();
    }

    void DocumentWriter::closeLink()
    {
        if (m_openHref.isEmpty())
            return;
        m_out.closeGroup();
        m_out.closeGroup();
        m_out.closeGroup();
        m_openHref.clear();
        m_state = m_stateOutsideLink;
    }

    void DocumentWriter::writeFrame(const QTextFrame* frame)
    {
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            if (const QTextFrame* child = it.currentFrame()) {
                if (const auto* table = qobject_cast<const QTextTable*>(child))
                    writeTable(table);
                else
                    writeFrame(child);
                continue;
            }
            writeBlock(it.currentBlock(), false);
            m_out.word("par");
            m_out.newline();
        }
    }

    const ParagraphInfo& DocumentWriter::paragraphInfo(const QTextBlock& block)
    {
        const int key = block.blockFormatIndex();
        const auto found = m_paragraphs.constFind(key);
        if (found != m_paragraphs.cend())
            return *found;

        const QTextBlockFormat bf = block.blockFormat();
        RtfOutput out;
        const Qt::Alignment align = bf.alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignHCenter)
            out.word("qc");
        else if (align & Qt::AlignJustify)
            out.word("qj");
        else if (align & Qt::AlignRight)
            out.word("qr");

        // Qt adds the block's indent steps to its left margin; RTF has one left indent for both.
        // A list's own indent is its level (\ilvl), not part of \li: a list paragraph without a
        // margin of its own writes no \li at all, and Word and LibreOffice then indent it as its
        // list level says.
        const int left = toTwips(bf.leftMargin() + bf.indent() * m_doc.indentWidth());
        if (const int first = toTwips(bf.textIndent()))
            out.word("fi", first);
        if (left != 0)
            out.word("li", left);
        if (const int right = toTwips(bf.rightMargin()))
            out.word("ri", right);
        if (const int before = toTwips(bf.topMargin()))
            out.word("sb", before);
        if (const int after = toTwips(bf.bottomMargin()))
            out.word("sa", after);

        const double height = bf.lineHeight();
        switch (bf.lineHeightType()) {
        case QTextBlockFormat::ProportionalHeight:
            if (height > 0 && std::abs(height - 100) > 0.01) {
                out.word("sl", int(std::lround(240 * height / 100)));
                out.word("slmult", 1);
            }
            break;
        case QTextBlockFormat::FixedHeight:
            if (height > 0) {
                out.word("sl", -toTwips(height));
                out.word("slmult", 0);
            }
            break;
        case QTextBlockFormat::MinimumHeight:
            if (height > 0) {
                out.word("sl", toTwips(height));
                out.word("slmult", 0);
            }
            break;
        default:
            break;
        }

        for (const QTextOption::Tab& tab : bf.tabPositions()) {
            switch (tab.type) {
            case QTextOption::RightTab:
                out.word("tqr");
                break;
            case QTextOption::CenterTab:
                out.word("tqc");
                break;
            case QTextOption::DelimiterTab:
                out.word("tqdec");
                break;
            default:
                break;
            }
            out.word("tx", toTwips(tab.position));
        }

        if (bf.headingLevel() >= 1 && bf.headingLevel() <= 9)
            out.word("outlinelevel", bf.headingLevel() - 1);
        if (bf.nonBreakableLines())
            out.word("keep");
        if (visible(bf.background()))
            out.word("cbpat", colorIndex(bf.background().color()));

        return *m_paragraphs.insert(key, {out.take(), bf.pageBreakPolicy()});
    }

    void DocumentWriter::writeBlock(const QTextBlock& block, bool inTable)
    {
        const ListEntry* list = nullptr;
        int item = 0;
        if (const QTextList* textList = block.textList()) {
            ListEntry& entry = m_lists[listEntry(textList)];
            item = ++entry.items;
            list = &entry;
            writeListNumber(block, entry, item);
        }
        m_out.word("pard");
        if (inTable)
            m_out.word("intbl");
        const ParagraphInfo& paragraph = paragraphInfo(block);
        const auto breaks = paragraph.breaks;
        m_out.words(paragraph.words);
        if (list) {
            // LibreOffice lets the older numbering replace the list when it comes after \ls, and
            // Word reads \ls over it either way.
            writeOldStyleNumbering(block, *list, item);
            m_out.word("ls", list->number);
            m_out.word("ilvl", std::clamp(list->indent - 1, 0, 8));
        }

        if (!inTable && (m_pageBreakPending || (breaks & QTextFormat::PageBreak_AlwaysBefore))) {
            m_out.word("page");
            m_pageBreakPending = false;
        }
        if (!inTable && (breaks & QTextFormat::PageBreak_AlwaysAfter))
            m_pageBreakPending = true;

        writeRuns(block);
    }

    void DocumentWriter::writeRuns(const QTextBlock& block)
    {
        if (block.length() <= 1) {
            // An empty paragraph still has a mark, and its size sets the height of the line.
            switchTo(blockRunInfo(block).state);
            return;
        }
        const QString text = block.text();
        // Fragments follow each other, so their offsets add up; asking each for its position would
        // search the document's fragment tree every time.
        qsizetype offset = 0;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const RunInfo& info = runInfo(fragment);
            if (info.href != m_openHref) {
                closeLink();
                if (!info.href.isEmpty())
                    openLink(info.href);
            }
            switchTo(info.state);
            const QStringView piece = QStringView(text).mid(offset, fragment.length());
            offset += fragment.length();
            if (info.isImage) {
                const QTextImageFormat image = info.image;
                for (const QChar ch : piece) {
                    if (ch == QChar::ObjectReplacementCharacter)
                        writeImage(image);
                    else
                        m_out.text(QStringView(&ch, 1));
                }
            } else {
                m_out.text(piece);
            }
        }
        closeLink();
    }

    QByteArray write(const QTextDocument& doc)
    {
        DocumentWriter writer(doc);
        return writer.write();
    }

} // namespace qv::rtf
