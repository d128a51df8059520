#include "rtfoutput.h"

#include "codec.h"

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

        void appendNumber(QByteArray& buf, int value)
        {
            char digits[16];
            const auto res = std::to_chars(digits, digits + sizeof digits, value);
            buf.append(digits, res.ptr - digits);
        }

    } // namespace

    RtfOutput::RtfOutput(qsizetype reserve)
    {
        m_buf.reserve(reserve);
    }

    void RtfOutput::word(const char* name)
    {
        m_buf.append('\\');
        m_buf.append(name, qsizetype(std::strlen(name)));
        m_pendingWord = true;
    }

    void RtfOutput::word(const char* name, int value)
    {
        m_buf.append('\\');
        m_buf.append(name, qsizetype(std::strlen(name)));
        appendNumber(m_buf, value);
        m_pendingWord = true;
    }

    void RtfOutput::openGroup()
    {
        m_buf.append('{');
        m_pendingWord = false;
    }

    void RtfOutput::closeGroup()
    {
        m_buf.append('}');
        m_pendingWord = false;
    }

    void RtfOutput::raw(const char* bytes)
    {
        if (*bytes == 0)
            return;
        delimitBefore(*bytes);
        m_buf.append(bytes, qsizetype(std::strlen(bytes)));
    }

    void RtfOutput::raw(char byte)
    {
        delimitBefore(byte);
        m_buf.append(byte);
    }

    void RtfOutput::newline()
    {
        // Some older readers take a line end after a control word as part of the text; a space ends
        // the word for all of them.
        if (m_pendingWord)
            m_buf.append(' ');
        m_buf.append("\r\n", 2);
        m_pendingWord = false;
    }

    void RtfOutput::delimitBefore(char next)
    {
        if (m_pendingWord) {
            if (continuesWord(next))
                m_buf.append(' ');
            m_pendingWord = false;
        }
    }

    void RtfOutput::unicodeUnit(char16_t unit)
    {
        m_buf.append("\\u", 2);
        appendNumber(m_buf, signedUnit(unit));
        // The one-character fallback announced by \uc1 in the header; it also ends the word.
        m_buf.append('?');
        m_pendingWord = false;
    }

    void RtfOutput::character(char16_t ch, bool special)
    {
        if (ch < 0x80) {
            switch (ch) {
            case u'\\':
            case u'{':
            case u'}':
                m_buf.append('\\');
                m_buf.append(char(ch));
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
            m_buf.append(char(ch));
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
            m_buf.append(esc, 4);
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
                const qsizetype at = m_buf.size();
                m_buf.resize(at + n);
                char* dst = m_buf.data() + at;
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
        const qsizetype at = m_buf.size();
        m_buf.resize(at + data.size() * 2 + lines * 2);
        char* dst = m_buf.data() + at;
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
        m_buf.append(run);
        m_pendingWord = true;
    }

    QByteArray RtfOutput::take()
    {
        m_pendingWord = false;
        return std::move(m_buf);
    }

} // namespace qv::rtf
