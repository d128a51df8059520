#include "rtfcodepage.h"

#include "core/storage/codec.h"

#include <QStringDecoder>

#include <algorithm>

namespace qv::rtf {

    namespace {

        struct CharsetRow
        {
            int charset;
            int codePage;
        };

        // \fcharset values and the Windows code pages they stand for.
        constexpr CharsetRow charsetRows[] = {
            {77, 10000},
            {128, 932},
            {129, 949},
            {130, 1361},
            {134, 936},
            {136, 950},
            {161, 1253},
            {162, 1254},
            {163, 1258},
            {177, 1255},
            {178, 1256},
            {186, 1257},
            {204, 1251},
            {222, 874},
            {238, 1250},
            {254, 437},
            {255, 850},
        };

        struct CodePageName
        {
            int codePage;
            const char* name;
        };

        // Microsoft's own variants of the East Asian pages: Word and WordPad write their extra
        // characters (circled numbers, the NEC and IBM rows), which the plain standards lack.
        constexpr CodePageName codePageNames[] = {
            {932, "windows-932"},
            {936, "windows-936"},
            {949, "windows-949"},
            {950, "windows-950"},
            {65001, "UTF-8"},
            {1250, "windows-1250"},
            {1251, "windows-1251"},
            {1253, "windows-1253"},
            {1254, "windows-1254"},
            {1255, "windows-1255"},
            {1256, "windows-1256"},
            {1257, "windows-1257"},
            {1258, "windows-1258"},
            {874, "windows-874"},
            {437, "IBM437"},
            {850, "IBM850"},
            {10000, "macintosh"},
        };

        struct LeadRange
        {
            int codePage;
            uchar low;
            uchar high;
            quint8 length;
        };

        // The bytes that start a sequence of more than one byte, and its length.
        constexpr LeadRange leadRanges[] = {
            {932, 0x81, 0x9F, 2},
            {932, 0xE0, 0xFC, 2},
            {936, 0x81, 0xFE, 2},
            {949, 0x81, 0xFE, 2},
            {950, 0x81, 0xFE, 2},
            {65001, 0xC2, 0xDF, 2},
            {65001, 0xE0, 0xEF, 3},
            {65001, 0xF0, 0xF4, 4},
        };

        const char* codePageName(int codePage)
        {
            for (const CodePageName& row : codePageNames) {
                if (row.codePage == codePage)
                    return row.name;
            }
            return nullptr;
        }

        struct SymbolRow
        {
            uchar byte;
            char16_t character;
        };

        // The Symbol font: Greek letters on the Latin ones, and the signs documents use it for.
        constexpr SymbolRow symbolRows[] = {
            {0x22, u'\u2200'}, {0x24, u'\u2203'}, {0x27, u'\u220B'}, {0x2A, u'\u2217'}, {0x2D, u'\u2212'},
            {0x40, u'\u2245'}, {0x41, u'\u0391'}, {0x42, u'\u0392'}, {0x43, u'\u03A7'}, {0x44, u'\u0394'},
            {0x45, u'\u0395'}, {0x46, u'\u03A6'}, {0x47, u'\u0393'}, {0x48, u'\u0397'}, {0x49, u'\u0399'},
            {0x4A, u'\u03D1'}, {0x4B, u'\u039A'}, {0x4C, u'\u039B'}, {0x4D, u'\u039C'}, {0x4E, u'\u039D'},
            {0x4F, u'\u039F'}, {0x50, u'\u03A0'}, {0x51, u'\u0398'}, {0x52, u'\u03A1'}, {0x53, u'\u03A3'},
            {0x54, u'\u03A4'}, {0x55, u'\u03A5'}, {0x56, u'\u03C2'}, {0x57, u'\u03A9'}, {0x58, u'\u039E'},
            {0x59, u'\u03A8'}, {0x5A, u'\u0396'}, {0x5E, u'\u22A5'}, {0x61, u'\u03B1'}, {0x62, u'\u03B2'},
            {0x63, u'\u03C7'}, {0x64, u'\u03B4'}, {0x65, u'\u03B5'}, {0x66, u'\u03C6'}, {0x67, u'\u03B3'},
            {0x68, u'\u03B7'}, {0x69, u'\u03B9'}, {0x6A, u'\u03D5'}, {0x6B, u'\u03BA'}, {0x6C, u'\u03BB'},
            {0x6D, u'\u03BC'}, {0x6E, u'\u03BD'}, {0x6F, u'\u03BF'}, {0x70, u'\u03C0'}, {0x71, u'\u03B8'},
            {0x72, u'\u03C1'}, {0x73, u'\u03C3'}, {0x74, u'\u03C4'}, {0x75, u'\u03C5'}, {0x76, u'\u03D6'},
            {0x77, u'\u03C9'}, {0x78, u'\u03BE'}, {0x79, u'\u03C8'}, {0x7A, u'\u03B6'}, {0x7E, u'\u223C'},
            {0xA3, u'\u2264'}, {0xA5, u'\u221E'}, {0xA7, u'\u2663'}, {0xA8, u'\u2666'}, {0xA9, u'\u2665'},
            {0xAA, u'\u2660'}, {0xAB, u'\u2194'}, {0xAC, u'\u2190'}, {0xAD, u'\u2191'}, {0xAE, u'\u2192'},
            {0xAF, u'\u2193'}, {0xB0, u'\u00B0'}, {0xB1, u'\u00B1'}, {0xB3, u'\u2265'}, {0xB4, u'\u00D7'},
            {0xB7, u'\u2022'}, {0xB8, u'\u00F7'}, {0xB9, u'\u2260'}, {0xBA, u'\u2261'}, {0xBB, u'\u2248'},
            {0xBC, u'\u2026'}, {0xD2, u'\u00AE'}, {0xD3, u'\u00A9'}, {0xD4, u'\u2122'}, {0xD6, u'\u221A'},
            {0xE5, u'\u2211'},
        };

        // Wingdings: the bullets, boxes, arrows and ticks of bulleted lists and forms.
        constexpr SymbolRow wingdingsRows[] = {
            {0x6C, u'\u25CF'},
            {0x6E, u'\u25A0'},
            {0x6F, u'\u25A1'},
            {0x71, u'\u2751'},
            {0x75, u'\u25C6'},
            {0x76, u'\u2756'},
            {0x77, u'\u2B25'},
            {0x9F, u'\u2022'},
            {0xA7, u'\u25AA'},
            {0xA8, u'\u25FB'},
            {0xD8, u'\u27A2'},
            {0xE0, u'\u2192'},
            {0xE8, u'\u2794'},
            {0xF0, u'\u21E8'},
            {0xFB, u'\u2717'},
            {0xFC, u'\u2713'},
            {0xFD, u'\u2612'},
            {0xFE, u'\u2611'},
        };

        void dropControls(ByteTable& table)
        {
            for (int b = 0; b < 0x20; ++b)
                table[b] = b == '\t' ? u'\t' : 0;
            table[0x7F] = 0;
        }

        std::shared_ptr<ByteTable> cp1252Table()
        {
            auto table = std::make_shared<ByteTable>();
            for (int b = 0; b < 256; ++b)
                (*table)[b] = cp1252::toUnicode(static_cast<uchar>(b)).unicode();
            dropControls(*table);
            return table;
        }

        std::shared_ptr<ByteTable> decodedTable(const char* name)
        {
            auto table = cp1252Table();
            QStringDecoder probe(name);
            if (!probe.isValid())
                return table;
            for (int b = 0x80; b < 256; ++b) {
                QStringDecoder decoder(name, QStringDecoder::Flag::Stateless);
                const char byte = static_cast<char>(b);
                const QString decoded = decoder.decode(QByteArrayView(&byte, 1));
                if (decoded.size() == 1)
                    (*table)[b] = decoded.at(0).unicode();
            }
            return table;
        }

        template <std::size_t N> std::shared_ptr<ByteTable> symbolTableFrom(const SymbolRow (&rows)[N])
        {
            // Bytes the table does not name keep Word's private-use code, which the symbol font
            // itself still draws when it is installed.
            auto table = std::make_shared<ByteTable>();
            for (int b = 0; b < 256; ++b)
                (*table)[b] = b < 0x80 ? char16_t(b) : char16_t(0xF000 + b);
            for (const SymbolRow& row : rows)
                (*table)[row.byte] = row.character;
            dropControls(*table);
            return table;
        }

    } // namespace

    int codePageForCharset(int charset, int documentCodePage)
    {
        if (charset == 0 || charset == 1)
            return documentCodePage;
        for (const CharsetRow& row : charsetRows) {
            if (row.charset == charset)
                return row.codePage;
        }
        return documentCodePage;
    }

    SymbolFont symbolFontForName(QStringView family)
    {
        if (family.startsWith(u"Wingdings", Qt::CaseInsensitive) || family.startsWith(u"Webdings", Qt::CaseInsensitive))
            return SymbolFont::Wingdings;
        if (family.compare(u"Symbol", Qt::CaseInsensitive) == 0)
            return SymbolFont::Symbol;
        return SymbolFont::None;
    }

    char16_t symbolCharacter(SymbolFont font, uchar byte)
    {
        const auto find = [byte](const auto& rows) -> char16_t {
            for (const SymbolRow& row : rows) {
                if (row.byte == byte)
                    return row.character;
            }
            return 0;
        };
        char16_t c = 0;
        if (font == SymbolFont::Symbol)
            c = find(symbolRows);
        else if (font == SymbolFont::Wingdings)
            c = find(wingdingsRows);
        return c ? c : cp1252::toUnicode(byte).unicode();
    }

    const ByteTable& CodePages::table(int codePage)
    {
        auto it = m_tables.find(codePage);
        if (it != m_tables.end())
            return **it;
        const char* name = codePageName(codePage);
        // Code pages without a name here share the 1252 table, so a document naming thousands of
        // them still builds at most one table each for the few real ones.
        if (!name && codePage != 1252)
            return table(1252);
        std::shared_ptr<ByteTable> built = name ? decodedTable(name) : cp1252Table();
        return **m_tables.insert(codePage, std::move(built));
    }

    MultiByteCodePage* CodePages::multiByte(int codePage)
    {
        auto it = m_multiByte.find(codePage);
        if (it != m_multiByte.end())
            return it->get();
        std::shared_ptr<MultiByteCodePage> page;
        const char* name = codePageName(codePage);
        const bool multi = std::any_of(std::begin(leadRanges), std::end(leadRanges), [codePage](const LeadRange& r) {
            return r.codePage == codePage;
        });
        if (name && multi && QStringDecoder(name).isValid())
            page = std::make_shared<MultiByteCodePage>(codePage, name);
        // Broken input may name thousands of code pages; past a few thousand the single-byte answer
        // is worked out again each time rather than remembered.
        if (m_multiByte.size() < 4096 || page)
            return m_multiByte.insert(codePage, std::move(page))->get();
        return nullptr;
    }

    MultiByteCodePage::MultiByteCodePage(int codePage, const char* name)
        : m_decoder(name, QStringDecoder::Flag::Stateless)
    {
        for (const LeadRange& range : leadRanges) {
            if (range.codePage != codePage)
                continue;
            for (int b = range.low; b <= range.high; ++b)
                m_length[b] = range.length;
        }
        if (codePage == 65001) {
            m_trailLow = 0x80;
            m_trailHigh = 0xBF;
        }
    }

    QString MultiByteCodePage::decode(QByteArrayView sequence)
    {
        return m_decoder.decode(sequence);
    }

    const ByteTable& CodePages::symbolTable(SymbolFont font)
    {
        std::shared_ptr<ByteTable>& slot = font == SymbolFont::Wingdings ? m_wingdings : m_symbol;
        if (!slot)
            slot = font == SymbolFont::Wingdings ? symbolTableFrom(wingdingsRows) : symbolTableFrom(symbolRows);
        return *slot;
    }

} // namespace qv::rtf
