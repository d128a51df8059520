#include "rtfreader.h"

#include "core/storage/codec.h"
#include "richtextunits.h"
#include "rtfinterpreter.h"

#include <QTextDocument>
#include <QUrl>

#include <algorithm>

namespace qv::rtf {

    namespace {

        // Word nests a few dozen groups at most. Deeper groups share the state of the last one kept,
        // so a file of nothing but '{' costs no memory and no stack.
        constexpr int MaxDepth = 512;
        constexpr int MaxNameLength = 256;
        constexpr int MaxInstructionLength = 4096;

        bool isHighSurrogate(char16_t c)
        {
            return c >= 0xD800 && c <= 0xDBFF;
        }

        bool isLowSurrogate(char16_t c)
        {
            return c >= 0xDC00 && c <= 0xDFFF;
        }

        // Characters that would break the document's structure if inserted as text: block and frame
        // separators and the object marker. A paragraph separator in \u form becomes a line break.
        char16_t sanitized(char16_t c)
        {
            if (c < 0x20)
                return c == u'\t' ? c : 0;
            switch (c) {
            case 0x2029:
                return 0x2028;
            case 0xFDD0:
            case 0xFDD1:
            case 0xFFFC:
            case 0xFFFE:
            case 0xFFFF:
                return 0;
            default:
                return c;
            }
        }

        // Splits a field instruction into words, honouring quotes and the field syntax's own
        // backslash escapes inside them.
        QStringList instructionWords(QStringView instruction)
        {
            QStringList words;
            qsizetype i = 0;
            const qsizetype n = instruction.size();
            while (i < n) {
                while (i < n && instruction[i].isSpace())
                    ++i;
                if (i >= n)
                    break;
                QString word;
                if (instruction[i] == u'"') {
                    ++i;
                    while (i < n && instruction[i] != u'"') {
                        if (instruction[i] == u'\\' && i + 1 < n &&
                            (instruction[i + 1] == u'\\' || instruction[i + 1] == u'"'))
                            ++i;
                        word.append(instruction[i++]);
                    }
                    ++i;
                } else {
                    while (i < n && !instruction[i].isSpace() && instruction[i] != u'"')
                        word.append(instruction[i++]);
                }
                words.append(word);
            }
            return words;
        }

    } // namespace

    bool read(QByteArrayView rtf, QTextDocument& doc)
    {
        return readDocument(rtf, doc).wasRtf;
    }

    ReadOutcome readDocument(QByteArrayView rtf, QTextDocument& doc)
    {
        if (!rtf.startsWith("{\\rtf")) {
            doc.setPlainText(cp1252::decode(rtf));
            return {};
        }
        Interpreter interpreter(rtf, doc);
        interpreter.run();
        return {true, interpreter.cutOff()};
    }

    Interpreter::Interpreter(QByteArrayView rtf, QTextDocument& doc)
        : m_tok(rtf)
        , m_doc(doc)
        , m_builder(doc)
    {
        m_stack.reserve(MaxDepth);
        m_stack.emplace_back();
    }

    void Interpreter::run()
    {
        const bool undo = m_doc.isUndoRedoEnabled();
        m_doc.clear();
        m_doc.setUndoRedoEnabled(false);
        QTextCursor edit(&m_doc);
        // One edit block: the layout and every view see a single change at the end.
        edit.beginEditBlock();

        for (;;) {
            const Tokenizer::Token token = m_tok.next();
            switch (token.type) {
            case Tokenizer::Type::End:
                break;
            case Tokenizer::Type::GroupOpen:
                pushGroup();
                continue;
            case Tokenizer::Type::GroupClose:
                popGroup();
                continue;
            case Tokenizer::Type::ControlWord:
                controlWord(token);
                continue;
            case Tokenizer::Type::ControlSymbol:
                controlSymbol(token.param);
                continue;
            case Tokenizer::Type::HexByte:
                hexByte(token.param);
                continue;
            case Tokenizer::Type::Text:
                text(token.text);
                continue;
            }
            break;
        }

        // Whatever was open when the input ended is closed as if its braces had been there; the last
        // paragraph keeps the properties it had inside them.
        if (m_stack.size() > 1 || m_overflow > 0)
            m_cutOff = true;
        const ParaState last = m_stack.size() > 1 || !m_documentPara ? top().para : *m_documentPara;
        while (m_stack.size() > 1 || m_overflow > 0)
            popGroup();
        flushSurrogate();
        if (m_para.hasContent())
            finishParagraph(last.inTable, last);
        m_builder.finish();

        edit.endEditBlock();
        m_doc.setUndoRedoEnabled(undo);
    }

    void Interpreter::pushGroup()
    {
        m_ucSkip = 0;
        m_starPending = false;
        flushBytes();
        flushSurrogate();
        if (static_cast<int>(m_stack.size()) >= MaxDepth) {
            ++m_overflow;
            return;
        }
        GroupState child = m_stack.back();
        child.owns = 0;
        if (child.dest == Dest::Upr)
            child.dest = Dest::UprChild;
        m_stack.push_back(std::move(child));
    }

    void Interpreter::popGroup()
    {
        m_ucSkip = 0;
        m_starPending = false;
        flushBytes();
        flushSurrogate();
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        // A closing brace too many is ignored: the text after it is still read.
        if (m_stack.size() <= 1)
            return;
        if (m_stack.back().owns)
            endOwned(m_stack.back());
        // The last paragraph keeps the properties it had inside the document group, even when stray
        // text after a closing brace too many joins it.
        if (m_stack.size() == 2)
            m_documentPara = top().para;
        m_stack.pop_back();
        m_formatDirty = true;
    }

    void Interpreter::skipGroup()
    {
        // The document group itself is never skipped: a destination word without braces of its own
        // would otherwise swallow the whole document.
        if (m_stack.size() <= 2 && m_overflow == 0)
            return;
        const bool closed = m_tok.skipGroup();
        // A group of the header that runs past the end, or takes the document's own closing brace
        // with it, lost a closing brace inside: it ends where the body's first paragraph or section
        // starts, or the whole document would vanish with it. The file is then misbuilt, not cut off.
        const qsizetype bodyStart = m_tok.skippedBodyStart();
        if (!m_bodyStarted && bodyStart >= 0 && (!closed || m_tok.onlySpaceLeft()))
            m_tok.seek(bodyStart);
        else if (!closed)
            m_cutOff = true;
        popGroup();
    }

    void Interpreter::endOwned(GroupState& leaving)
    {
        GroupState& parent = m_stack[m_stack.size() - 2];
        if (leaving.owns & GroupState::OwnsPict)
            finishPicture(leaving);
        if ((leaving.owns & GroupState::OwnsField) && !m_fields.empty())
            m_fields.pop_back();
        if ((leaving.owns & GroupState::OwnsListText) && m_para.listTextStart >= 0 && m_para.listTextEnd < 0)
            m_para.listTextEnd = static_cast<int>(m_para.text.size());
        if (leaving.owns & GroupState::OwnsPn)
            parent.para.pn = m_pnBuild;
        if ((leaving.owns & GroupState::OwnsList) && m_lists.size() < 4096)
            m_lists.insert(m_listBuildId, m_listBuild);
        if ((leaving.owns & GroupState::OwnsOverride) && m_overrideLs > 0 && m_overrides.size() < 4096)
            m_overrides.insert(m_overrideLs, m_overrideListId);
        if (leaving.owns & GroupState::OwnsFontTable)
            commitFont();
    }

    void Interpreter::text(QByteArrayView bytes)
    {
        if (m_ucSkip > 0) {
            const qsizetype skipped = std::min<qsizetype>(m_ucSkip, bytes.size());
            bytes = bytes.sliced(skipped);
            m_ucSkip -= static_cast<int>(skipped);
        }
        if (bytes.isEmpty())
            return;
        flushSurrogate();
        const Dest dest = top().dest;
        if (dest == Dest::Pict) {
            // Hex digits, with whatever else (line breaks, spaces) ignored.
            QByteArray& data = m_pict.data;
            for (const char ch : bytes) {
                int v;
                if (ch >= '0' && ch <= '9')
                    v = ch - '0';
                else if (ch >= 'a' && ch <= 'f')
                    v = ch - 'a' + 10;
                else if (ch >= 'A' && ch <= 'F')
                    v = ch - 'A' + 10;
                else
                    continue;
                if (m_pictNibble < 0) {
                    m_pictNibble = v;
                } else {
                    data.append(static_cast<char>(m_pictNibble * 16 + v));
                    m_pictNibble = -1;
                }
            }
            return;
        }
        if (dest != Dest::Text) {
            if (dest == Dest::Ignore || dest == Dest::Upr || dest == Dest::UprChild)
                return;
            const int codePage = codePageHere();
            const ByteTable& table = m_codePages.table(codePage);
            MultiByteCodePage* page = m_codePages.multiByte(codePage);
            for (const char ch : bytes)
                decodeByte(static_cast<uchar>(ch), table, page);
            return;
        }
        ensureFormat();
        if (top().chr.has(CharState::Hidden))
            return;
        const ByteTable& table = *m_decode;
        if (m_decodeMulti || m_pendingCount > 0) {
            for (const char ch : bytes)
                decodeByte(static_cast<uchar>(ch), table, m_decodeMulti);
            return;
        }
        char16_t buffer[512];
        qsizetype i = 0;
        while (i < bytes.size()) {
            qsizetype n = 0;
            for (; i < bytes.size() && n < qsizetype(std::size(buffer)); ++i) {
                const char16_t c = table[static_cast<uchar>(bytes[i])];
                buffer[n] = c;
                n += c != 0;
            }
            m_para.appendText(buffer, n, m_formatId);
        }
    }

    void Interpreter::hexByte(int byte)
    {
        if (m_ucSkip > 0) {
            --m_ucSkip;
            return;
        }
        const Dest dest = top().dest;
        if (dest == Dest::LevelText && byte < 0x20) {
            // The length and the level placeholders of a list level's text are raw numbers.
            emitChar(static_cast<char16_t>(byte));
            return;
        }
        if (dest == Dest::PnTextBefore || dest == Dest::PnTextAfter) {
            emitChar(static_cast<char16_t>(byte)); // mapped through the \pnf font later
            return;
        }
        if (dest == Dest::Text) {
            ensureFormat();
            decodeByte(static_cast<uchar>(byte), *m_decode, m_decodeMulti);
            return;
        }
        const int codePage = codePageHere();
        decodeByte(static_cast<uchar>(byte), m_codePages.table(codePage), m_codePages.multiByte(codePage));
    }

    void Interpreter::decodeByte(uchar byte, const ByteTable& table, MultiByteCodePage* page)
    {
        if (m_pendingCount > 0) {
            if (page == m_pendingPage && page->continues(byte)) {
                m_pendingBytes[m_pendingCount++] = static_cast<char>(byte);
                if (m_pendingCount < m_pendingLength)
                    return;
                const QString decoded = page->decode(QByteArrayView(m_pendingBytes.data(), m_pendingCount));
                m_pendingCount = 0;
                if (byte < 0x80 && decoded == u"\uFFFD") {
                    // A lead byte before a letter it does not pair with: the letter is still text.
                    emitChar(0xFFFD);
                    if (const char16_t c = table[byte])
                        emitChar(c);
                    return;
                }
                char16_t out[4];
                qsizetype n = 0;
                for (qsizetype i = 0; i < decoded.size() && n < qsizetype(std::size(out)); ++i) {
                    const char16_t c = decoded.at(i).unicode();
                    if (isHighSurrogate(c) || isLowSurrogate(c))
                        out[n++] = c;
                    else if (const char16_t kept = sanitized(c))
                        out[n++] = kept;
                }
                emitChars(out, n);
                return;
            }
            flushBytes();
        }
        if (page) {
            if (const int length = page->sequenceLength(byte)) {
                m_pendingPage = page;
                m_pendingBytes[0] = static_cast<char>(byte);
                m_pendingCount = 1;
                m_pendingLength = length;
                return;
            }
        }
        if (const char16_t c = table[byte])
            emitChar(c);
    }

    void Interpreter::flushPendingBytes()
    {
        // A sequence cut short stands for one character the reader cannot name.
        m_pendingCount = 0;
        emitChar(0xFFFD);
    }

    int Interpreter::codePageOf(const FontDef& font) const
    {
        return font.codePage > 0 ? font.codePage : codePageForCharset(font.charset, m_ansiCodePage);
    }

    int Interpreter::codePageHere() const
    {
        // A font's name is in its own character set, which the entry names before the name.
        if (m_stack.back().dest == Dest::FontTable)
            return m_fontCodePage > 0 ? m_fontCodePage : codePageForCharset(m_fontCharset, m_ansiCodePage);
        const CharState& c = m_stack.back().chr;
        const auto font = m_fonts.constFind(c.font < 0 ? m_defaultFont : c.font);
        return font != m_fonts.constEnd() ? codePageOf(*font) : m_ansiCodePage;
    }

    void Interpreter::unicode(int value)
    {
        flushBytes();
        m_ucSkip = top().uc;
        qint64 v = value;
        if (v < 0)
            v += 65536;
        char16_t c = (v < 0 || v > 0xFFFF) ? char16_t(0xFFFD) : char16_t(v);
        if (top().dest == Dest::Text) {
            const FontDef* font = nullptr;
            const int fontId = top().chr.font < 0 ? m_defaultFont : top().chr.font;
            auto it = m_fonts.constFind(fontId);
            if (it != m_fonts.constEnd())
                font = &*it;
            if (font && font->symbol != SymbolFont::None && c >= 0xF020 && c <= 0xF0FF)
                c = symbolCharacter(font->symbol, static_cast<uchar>(c - 0xF000));
        }
        if (isLowSurrogate(c)) {
            if (m_highSurrogate) {
                const char16_t pair[2] = {m_highSurrogate, c};
                m_highSurrogate = 0;
                emitChars(pair, 2);
            } else {
                emitChar(0xFFFD);
            }
            return;
        }
        flushSurrogate();
        if (isHighSurrogate(c)) {
            m_highSurrogate = c;
            return;
        }
        if ((c = sanitized(c)))
            emitChar(c);
    }

    void Interpreter::flushSurrogate()
    {
        if (m_highSurrogate) {
            m_highSurrogate = 0;
            emitChar(0xFFFD);
        }
    }

    void Interpreter::emitChars(const char16_t* chars, qsizetype count)
    {
        GroupState& s = top();
        switch (s.dest) {
        case Dest::Text:
            ensureFormat();
            if (!s.chr.has(CharState::Hidden))
                m_para.appendText(chars, count, m_formatId);
            return;
        case Dest::FontTable:
            for (qsizetype i = 0; i < count; ++i) {
                if (chars[i] == u';')
                    commitFont();
                else if (m_fontName.size() < MaxNameLength)
                    m_fontName.append(QChar(chars[i]));
            }
            return;
        case Dest::ColorTable:
            for (qsizetype i = 0; i < count; ++i) {
                if (chars[i] == u';')
                    commitColor();
            }
            return;
        case Dest::LevelText:
            if (m_levelBuild >= 0 && m_levelBuild < 9) {
                QString& t = m_listBuild.levels[m_levelBuild].text;
                if (t.size() < MaxNameLength)
                    t.append(reinterpret_cast<const QChar*>(chars), count);
            }
            return;
        case Dest::FieldInst:
            if (s.field >= 0 && s.field < static_cast<int>(m_fields.size())) {
                QString& inst = m_fields[s.field].instruction;
                if (inst.size() < MaxInstructionLength)
                    inst.append(reinterpret_cast<const QChar*>(chars), count);
            }
            return;
        case Dest::PnTextBefore:
        case Dest::PnTextAfter: {
            QString& t = s.dest == Dest::PnTextBefore ? m_pnBuild.before : m_pnBuild.after;
            if (t.size() < 16)
                t.append(reinterpret_cast<const QChar*>(chars), count);
            return;
        }
        default:
            return;
        }
    }

    void Interpreter::ensureFormat()
    {
        if (!m_formatDirty)
            return;
        const CharState& c = top().chr;
        const auto font = m_fonts.constFind(c.font < 0 ? m_defaultFont : c.font);
        if (font != m_fonts.constEnd() && font->symbol != SymbolFont::None) {
            m_decode = &m_codePages.symbolTable(font->symbol);
            m_decodeMulti = nullptr;
            m_decodePage = -1;
        } else {
            // Formats change every few words; the code page seldom does.
            const int codePage = font != m_fonts.constEnd() ? codePageOf(*font) : m_ansiCodePage;
            if (codePage != m_decodePage) {
                m_decode = &m_codePages.table(codePage);
                m_decodeMulti = m_codePages.multiByte(codePage);
                m_decodePage = codePage;
            }
        }
        // Most changes of format are a group closing or a word that sets what was set already.
        if (!m_formatStateKnown || !(c == m_formatState)) {
            auto it = m_formatIds.constFind(c);
            if (it == m_formatIds.constEnd())
                it = m_formatIds.insert(c, m_builder.addCharFormat(charFormat(c)));
            m_formatId = *it;
            m_formatState = c;
            m_formatStateKnown = true;
        }
        m_formatDirty = false;
    }

    QTextCharFormat Interpreter::charFormat(const CharState& c) const
    {
        QTextCharFormat f;
        if (c.has(CharState::Bold))
            f.setFontWeight(QFont::Bold);
        if (c.has(CharState::Italic))
            f.setFontItalic(true);
        if (c.has(CharState::Underline))
            f.setFontUnderline(true);
        if (c.has(CharState::Strike))
            f.setFontStrikeOut(true);
        if (c.has(CharState::Super))
            f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (c.has(CharState::Sub))
            f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        const auto font = m_fonts.constFind(c.font < 0 ? m_defaultFont : c.font);
        if (font != m_fonts.constEnd() && !font->family.isEmpty())
            f.setFontFamilies(QStringList{font->family});
        f.setFontPointSize(c.halfPoints / 2.0);
        if (c.foreground > 0 && c.foreground < m_colors.size() && m_colors[c.foreground].isValid())
            f.setForeground(QBrush(m_colors[c.foreground]));
        if (c.background > 0 && c.background < m_colors.size() && m_colors[c.background].isValid())
            f.setBackground(QBrush(m_colors[c.background]));
        if (c.href > 0 && c.href <= static_cast<int>(m_hrefs.size())) {
            f.setAnchor(true);
            f.setAnchorHref(m_hrefs[c.href - 1]);
        }
        return f;
    }

    QTextBlockFormat Interpreter::blockFormat(const ParaState& p) const
    {
        QTextBlockFormat b;
        switch (p.align) {
        case ParaState::Center:
            b.setAlignment(Qt::AlignHCenter);
            break;
        case ParaState::Right:
            b.setAlignment(Qt::AlignRight);
            break;
        case ParaState::Justify:
            b.setAlignment(Qt::AlignJustify);
            break;
        default:
            break;
        }
        if (p.leftIndent)
            b.setLeftMargin(rtfunits::fromTwips(p.leftIndent));
        if (p.rightIndent)
            b.setRightMargin(rtfunits::fromTwips(p.rightIndent));
        if (p.firstIndent)
            b.setTextIndent(rtfunits::fromTwips(p.firstIndent));
        if (p.spaceBefore)
            b.setTopMargin(rtfunits::fromTwips(p.spaceBefore));
        if (p.spaceAfter)
            b.setBottomMargin(rtfunits::fromTwips(p.spaceAfter));
        if (p.lineSpacing > 0 && p.lineMultiple)
            b.setLineHeight(p.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (p.lineSpacing > 0)
            b.setLineHeight(rtfunits::fromTwips(p.lineSpacing), QTextBlockFormat::MinimumHeight);
        else if (p.lineSpacing < 0)
            b.setLineHeight(rtfunits::fromTwips(-double(p.lineSpacing)), QTextBlockFormat::FixedHeight);
        if (!p.tabs.isEmpty())
            b.setTabPositions(p.tabs);
        if (p.pageBreakBefore)
            b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        return b;
    }

    void Interpreter::finishParagraph(bool inTable)
    {
        finishParagraph(inTable, top().para);
    }

    void Interpreter::finishParagraph(bool inTable, const ParaState& p)
    {
        flushBytes();
        flushSurrogate();
        m_para.block = blockFormat(p);
        m_para.list = listRef(p);
        if (m_para.listTextStart >= 0 && m_para.listTextEnd < 0)
            m_para.listTextEnd = static_cast<int>(m_para.text.size());
        ensureFormat();
        m_para.markFormat = m_formatId;
        if (m_pageBreakPending) {
            m_para.block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            m_pageBreakPending = false;
        }
        if (inTable)
            m_builder.addCellParagraph(std::move(m_para));
        else
            m_builder.addParagraph(m_para);
        m_para.clear();
    }

    void Interpreter::pageBreak()
    {
        // The break belongs before the next paragraph; text already on this line ends its own.
        if (m_para.hasContent())
            finishParagraph(top().para.inTable);
        m_pageBreakPending = true;
    }

    void Interpreter::commitFont()
    {
        if (m_fontEntry >= 0 && m_fonts.size() < 4096) {
            FontDef font;
            font.family = m_fontName.trimmed();
            font.symbol = m_fontCharset == 2 ? symbolFontForName(font.family) : SymbolFont::None;
            if (m_fontCharset == 2 && font.symbol == SymbolFont::None)
                font.symbol = SymbolFont::Symbol;
            font.charset = m_fontCharset;
            font.codePage = m_fontCodePage;
            m_fonts.insert(m_fontEntry, font);
            m_formatDirty = true;
        }
        m_fontEntry = -1;
        m_fontCharset = -1;
        m_fontCodePage = 0;
        m_fontName.clear();
    }

    void Interpreter::commitColor()
    {
        QColor color;
        if (m_red >= 0 || m_green >= 0 || m_blue >= 0)
            color = QColor(std::clamp(m_red, 0, 255), std::clamp(m_green, 0, 255), std::clamp(m_blue, 0, 255));
        if (m_colors.size() < 65536)
            m_colors.append(color);
        m_red = m_green = m_blue = -1;
        m_formatDirty = true;
    }

    void Interpreter::finishPicture(const GroupState& pictGroup)
    {
        PictureData picture = std::move(m_pict);
        m_pict = PictureData();
        m_pictNibble = -1;
        if (pictGroup.savedDest != Dest::Text)
            return;
        const QImage image = m_pictures.decode(picture);
        QString name;
        if (image.isNull()) {
            if (m_placeholderName.isEmpty()) {
                m_placeholderName = QStringLiteral("rtfimage://placeholder");
                m_doc.addResource(QTextDocument::ImageResource, QUrl(m_placeholderName), PictureDecoder::placeholder());
            }
            name = m_placeholderName;
        } else {
            name = QStringLiteral("rtfimage://%1").arg(++m_imageCount);
            m_doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
        }
        const QSizeF size = PictureDecoder::displaySize(picture, image);
        QTextImageFormat format;
        format.setName(name);
        format.setWidth(size.width());
        format.setHeight(size.height());
        m_para.appendImage(m_builder.addImage(format));
    }

    int Interpreter::fieldHref(Field& field)
    {
        if (field.href >= 0)
            return field.href;
        field.href = 0;
        const QStringList words = instructionWords(field.instruction);
        if (words.isEmpty() || words.front().compare(u"HYPERLINK", Qt::CaseInsensitive) != 0)
            return 0;
        QString target;
        QString anchor;
        for (qsizetype i = 1; i < words.size(); ++i) {
            const QString& w = words[i];
            if (w.compare(u"\\l", Qt::CaseInsensitive) == 0 && i + 1 < words.size())
                anchor = words[++i];
            else if ((w.compare(u"\\o", Qt::CaseInsensitive) == 0 || w.compare(u"\\t", Qt::CaseInsensitive) == 0) &&
                     i + 1 < words.size())
                ++i;
            else if (w.startsWith(u'\\'))
                continue;
            else if (target.isEmpty())
                target = w;
        }
        if (!anchor.isEmpty())
            target += u'#' + anchor;
        if (target.isEmpty())
            return 0;
        m_hrefs.push_back(target);
        field.href = static_cast<int>(m_hrefs.size());
        return field.href;
    }

} // namespace qv::rtf
