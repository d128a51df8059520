#include "rtftokenizer.h"

#include <limits>

namespace qv::rtf {

    namespace {

        bool isLetter(char c)
        {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        }

        bool isDigit(char c)
        {
            return c >= '0' && c <= '9';
        }

        int hexValue(char c)
        {
            if (c >= '0' && c <= '9')
                return c - '0';
            if (c >= 'a' && c <= 'f')
                return c - 'a' + 10;
            if (c >= 'A' && c <= 'F')
                return c - 'A' + 10;
            return -1;
        }

    } // namespace

    Tokenizer::Tokenizer(QByteArrayView input)
        : m_input(input)
    {
    }

    Tokenizer::Token Tokenizer::next()
    {
        const qsizetype size = m_input.size();
        const char* data = m_input.data();
        while (m_pos < size) {
            const char c = data[m_pos];
            if (c == '{') {
                ++m_pos;
                return {Type::GroupOpen, {}, 0, false};
            }
            if (c == '}') {
                ++m_pos;
                return {Type::GroupClose, {}, 0, false};
            }
            if (c == '\\')
                return controlWord();
            if (c == '\r' || c == '\n') {
                ++m_pos;
                continue;
            }
            const qsizetype start = m_pos;
            while (m_pos < size) {
                const char d = data[m_pos];
                if (d == '\\' || d == '{' || d == '}' || d == '\r' || d == '\n')
                    break;
                ++m_pos;
            }
            return {Type::Text, m_input.sliced(start, m_pos - start), 0, false};
        }
        return {};
    }

    Tokenizer::Token Tokenizer::controlWord()
    {
        const qsizetype size = m_input.size();
        const char* data = m_input.data();
        ++m_pos; // the backslash
        if (m_pos >= size)
            return {};
        const char first = data[m_pos];
        if (!isLetter(first)) {
            ++m_pos;
            if (first == '\'') {
                // A truncated or malformed \'hh keeps whatever digits there are, so no byte of the
                // text that follows is swallowed.
                int value = 0;
                int digits = 0;
                while (digits < 2 && m_pos < size) {
                    const int h = hexValue(data[m_pos]);
                    if (h < 0)
                        break;
                    value = value * 16 + h;
                    ++m_pos;
                    ++digits;
                }
                if (digits == 0)
                    return next();
                return {Type::HexByte, {}, value, true};
            }
            return {Type::ControlSymbol, {}, static_cast<unsigned char>(first), false};
        }

        const qsizetype start = m_pos;
        while (m_pos < size && isLetter(data[m_pos]))
            ++m_pos;
        Token token{Type::ControlWord, m_input.sliced(start, m_pos - start), 0, false};

        bool negative = false;
        if (m_pos + 1 < size && data[m_pos] == '-' && isDigit(data[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        if (m_pos < size && isDigit(data[m_pos])) {
            // Parameters are 16-bit in the format and 32-bit in practice; longer digit strings are
            // read to their end but held at the 32-bit limit.
            constexpr qint64 limit = std::numeric_limits<int>::max();
            qint64 value = 0;
            while (m_pos < size && isDigit(data[m_pos])) {
                if (value <= limit)
                    value = value * 10 + (data[m_pos] - '0');
                ++m_pos;
            }
            if (value > limit)
                value = limit;
            token.param = static_cast<int>(negative ? -value : value);
            token.hasParam = true;
        }
        if (m_pos < size && data[m_pos] == ' ')
            ++m_pos;
        return token;
    }

    bool Tokenizer::skipGroup()
    {
        const qsizetype size = m_input.size();
        const char* data = m_input.data();
        qint64 depth = 1;
        m_skippedBodyStart = -1;
        while (m_pos < size) {
            const char c = data[m_pos];
            if (c == '{') {
                ++depth;
                ++m_pos;
            } else if (c == '}') {
                ++m_pos;
                if (--depth == 0)
                    return true;
            } else if (c == '\\') {
                if (m_pos + 1 < size && isLetter(data[m_pos + 1])) {
                    const qsizetype start = m_pos;
                    const Token word = controlWord();
                    if (word.text == "bin" && word.param > 0)
                        takeBinary(word.param);
                    else if (m_skippedBodyStart < 0 && (word.text == "pard" || word.text == "sectd"))
                        m_skippedBodyStart = start;
                } else {
                    m_pos += 2; // an escaped brace or backslash must not count
                }
            } else {
                ++m_pos;
            }
        }
        m_pos = size;
        return false;
    }

    bool Tokenizer::onlySpaceLeft() const
    {
        for (qsizetype i = m_pos; i < m_input.size(); ++i) {
            const char c = m_input[i];
            if (c != ' ' && c != '\r' && c != '\n' && c != '\t' && c != '\0')
                return false;
        }
        return true;
    }

    QByteArrayView Tokenizer::takeBinary(qint64 n)
    {
        const qsizetype available = m_input.size() - m_pos;
        const qsizetype count = n <= 0 ? 0 : (n < available ? static_cast<qsizetype>(n) : available);
        const QByteArrayView bytes = m_input.sliced(m_pos, count);
        m_pos += count;
        return bytes;
    }

} // namespace qv::rtf
