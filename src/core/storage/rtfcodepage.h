#pragma once

#include <QHash>
#include <QString>

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

    // The code page an \fcharset value selects; 1 ("default") takes the document's.
    int codePageForCharset(int charset, int documentCodePage);

    SymbolFont symbolFontForName(QStringView family);

    // The character a symbol font draws for byte (0 to 255); other bytes as Windows-1252.
    char16_t symbolCharacter(SymbolFont font, uchar byte);

    // Tables are built on first use for each code page and kept by the reader that asked for them,
    // so a read shares nothing with other threads. Code pages this Qt cannot decode, and multi-byte
    // ones, fall back to Windows-1252 rather than losing the text.
    class CodePages
    {
    public:
        const ByteTable& table(int codePage);
        const ByteTable& symbolTable(SymbolFont font);

    private:
        QHash<int, std::shared_ptr<ByteTable>> m_tables;
        std::shared_ptr<ByteTable> m_symbol;
        std::shared_ptr<ByteTable> m_wingdings;
    };

} // namespace qv::rtf
