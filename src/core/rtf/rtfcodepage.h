#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringDecoder>

#include <array>
#include <memory>

namespace qv::rtf {

    // What each byte of a single-byte code page stands for. Control bytes other than tab map to 0,
    // which the reader drops: RTF ignores them in text.
    using ByteTable = std::array<char16_t, 256>;

    // Fonts whose glyphs sit on the letters of the code page rather than on Unicode. Their bytes (and
    // the U+F0xx characters Word writes for them) are mapped to the Unicode characters they draw.
    enum class SymbolFont
    {
        None,
        Symbol,
        Wingdings
    };

    // The code page an \fcharset value selects; 0 ("ANSI") and 1 ("default") take the document's.
    int codePageForCharset(int charset, int documentCodePage);

    // A code page whose characters may take more than one byte (the East Asian double-byte pages and
    // UTF-8). Writers split a character's bytes across \'hh escapes and plain text as they please, so
    // the reader collects the bytes of a sequence itself and hands each whole one to Qt's converter.
    class MultiByteCodePage
    {
    public:
        MultiByteCodePage(int codePage, const char* name);

        // How many bytes a sequence starting with byte has; 0 when it stands alone.
        int sequenceLength(uchar byte) const
        {
            return m_length[byte];
        }
        bool continues(uchar byte) const
        {
            return byte >= m_trailLow && byte <= m_trailHigh && byte != 0x7F;
        }
        QString decode(QByteArrayView sequence);

    private:
        std::array<quint8, 256> m_length{};
        uchar m_trailLow = 0x40;
        uchar m_trailHigh = 0xFE;
        QStringDecoder m_decoder;
    };

    SymbolFont symbolFontForName(QStringView family);

    // The character a symbol font draws for byte (0 to 255); other bytes as Windows-1252.
    char16_t symbolCharacter(SymbolFont font, uchar byte);

    // Tables are built on first use for each code page and kept by the reader that asked for them,
    // so a read shares nothing with other threads. Code pages this Qt cannot decode fall back to
    // Windows-1252 rather than losing the text. A multi-byte page's table holds its single bytes.
    class CodePages
    {
    public:
        const ByteTable& table(int codePage);
        const ByteTable& symbolTable(SymbolFont font);
        // Null for single-byte code pages and for multi-byte ones this Qt cannot decode.
        MultiByteCodePage* multiByte(int codePage);

    private:
        QHash<int, std::shared_ptr<ByteTable>> m_tables;
        QHash<int, std::shared_ptr<MultiByteCodePage>> m_multiByte;
        std::shared_ptr<ByteTable> m_symbol;
        std::shared_ptr<ByteTable> m_wingdings;
    };

} // namespace qv::rtf
