#include "rtfoutput.h"

#include "core/storage/codec.h"

#include <charconv>
#include <cstring>

namespace qv::rtf {

    namespace {

        constexpr char HexDigits[] = "0123456789abcdef";

        bool continuesWord(char c)
        {
            // A letter or digit would be read as part of the word or its number, a space would be
            // swallowed as the delimiter, and "-" followed by a digit would make a negative number.
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '-';
        }

    } // namespace

    RtfOutput::RtfOutput(qsizetype reserve)
    {
        m_buf.resize(qMax<qsizetype>(reserve, 256));
        m_data = m_buf.data();
    }

    void RtfOutput::enlarge(qsizetype n)
    {
        m_buf.resize(qMax(m_buf.size() * 2, m_size + n));
        m_data = m_buf.data();
    }

    void RtfOutput::put(const char* bytes, qsizetype n)
    {
        std::memcpy(grow(n), bytes, size_t(n));
    }

    void RtfOutput::word(const char* name)
    {
        put('\\');
        put(name, qsizetype(std::strlen(name)));
        m_pendingWord = true;
    }

    void RtfOutput::word(const char* name, int value)
    {
        put('\\');
        put(name, qsizetype(std::strlen(name)));
        char digits[16];
        const auto res = std::to_chars(digits, digits + sizeof digits, value);
        put(digits, res.ptr - digits);
        m_pendingWord = true;
    }

    void RtfOutput::openGroup()
    {
        put('{');
        m_pendingWord = false;
    }

    void RtfOutput::closeGroup()
    {
        put('}');
        m_pendingWord = false;
    }

    void RtfOutput::raw(const char* bytes)
    {
        if (*bytes == 0)
            return;
        delimitBefore(*bytes);
        put(bytes, qsizetype(std::strlen(bytes)));
    }

    void RtfOutput::raw(char byte)
    {
        delimitBefore(byte);
        put(byte);
    }

    void RtfOutput::newline()
    {
        // Some older readers take a line end after a control word as part of the text; a space ends
        // the word for all of them.
        if (m_pendingWord)
            put(' ');
        put("\r\n", 2);
        m_pendingWord = false;
    }

    void RtfOutput::delimitBefore(char next)
    {
        if (m_pendingWord) {
            if (continuesWord(next))
                put(' ');
            m_pendingWord = false;
        }
    }

    void RtfOutput::unicodeUnit(char16_t unit)
    {
        put("\\u", 2);
        char digits[16];
        const auto res = std::to_chars(digits, digits + sizeof digits, signedUnit(unit));
        put(digits, res.ptr - digits);
        // The one-character fallback announced by \uc1 in the header; it also ends the word.
        put('?');
        m_pendingWord = false;
    }

    void RtfOutput::character(char16_t ch, bool special)
    {
        if (ch < 0x80) {
            switch (ch) {
            case u'\\':
            case u'{':
            case u'}':
                put('\\');
                put(char(ch));
                m_pendingWord = false;
                return;
            case u'\t':
                if (special)
                    word("tab");
                else
                    raw(' ');
                return;
            default:
                break;
            }
            if (ch < 0x20 || ch == 0x7F)
                return;
            delimitBefore(char(ch));
            put(char(ch));
            return;
        }
        switch (ch) {
        case 0x2028: // line separator: a line break inside the paragraph
            if (special)
                word("line");
            else
                raw(' ');
            return;
        case 0x00A0:
            raw("\\~");
            return;
        case 0x00AD:
            raw("\\-");
            return;
        case 0x2011:
            raw("\\_");
            return;
        case 0x2029:
        case 0xFEFF:
        case 0xFFFC:
            return;
        default:
            break;
        }
        const int byte = cp1252::fromUnicode(QChar(ch));
        if (byte >= 0) {
            const char esc[4] = {'\\', '\'', HexDigits[(byte >> 4) & 0xF], HexDigits[byte & 0xF]};
            put(esc, 4);
            m_pendingWord = false;
        } else {
            unicodeUnit(ch);
        }
    }

    void RtfOutput::text(QStringView text)
    {
        const char16_t* p = text.utf16();
        const char16_t* const end = p + text.size();
        while (p < end) {
            // Most text is plain ASCII: copy runs of it without the per-character dispatch.
            const char16_t* run = p;
            while (run < end && *run >= 0x20 && *run < 0x7F && *run != u'\\' && *run != u'{' && *run != u'}')
                ++run;
            if (run > p) {
                delimitBefore(char(*p));
                const qsizetype n = run - p;
                char* dst = grow(n);
                for (qsizetype i = 0; i < n; ++i)
                    dst[i] = char(p[i]);
                p = run;
                if (p == end)
                    break;
            }
            character(*p, true);
            ++p;
        }
    }

    void RtfOutput::plainText(QStringView text)
    {
        for (const QChar ch : text)
            character(ch.unicode(), false);
    }

    void RtfOutput::hex(const QByteArray& data)
    {
        constexpr qsizetype BytesPerLine = 64;
        newline();
        const qsizetype lines = (data.size() + BytesPerLine - 1) / BytesPerLine;
        char* dst = grow(data.size() * 2 + lines * 2);
        for (qsizetype i = 0; i < data.size(); ++i) {
            const auto b = uchar(data[i]);
            *dst++ = HexDigits[b >> 4];
            *dst++ = HexDigits[b & 0xF];
            if ((i + 1) % BytesPerLine == 0 || i + 1 == data.size()) {
                *dst++ = '\r';
                *dst++ = '\n';
            }
        }
        m_pendingWord = false;
    }

    void RtfOutput::words(const QByteArray& run)
    {
        if (run.isEmpty())
            return;
        put(run.constData(), run.size());
        m_pendingWord = true;
    }

    QByteArray RtfOutput::take()
    {
        m_buf.truncate(m_size);
        QByteArray out = std::move(m_buf);
        m_buf = QByteArray();
        m_data = nullptr;
        m_size = 0;
        m_pendingWord = false;
        return out;
    }

} // namespace qv::rtf
