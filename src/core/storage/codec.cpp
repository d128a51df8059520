#include "codec.h"

#include <array>

namespace qv::cp1252 {

    namespace {
        // Bytes 80 to 9F; everything else is Latin-1. The holes (81, 8D, 8F, 90, 9D) hold their own
        // value, the way Windows' MultiByteToWideChar maps them, so decode() never loses a byte.
        constexpr std::array<char16_t, 32> high = {
            0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
        };

        bool isHole(char16_t c)
        {
            return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
        }
    } // namespace

    QChar toUnicode(uchar byte)
    {
        if (byte >= 0x80 && byte <= 0x9F) {
            return QChar(high[byte - 0x80]);
        }
        return QChar(char16_t(byte));
    }

    int fromUnicode(QChar ch)
    {
        const char16_t c = ch.unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF) || isHole(c)) {
            return c;
        }
        if (c < 0xA0) {
            // C1 controls other than the holes have no byte: 80-9F stand for other characters here.
            return -1;
        }
        for (std::size_t i = 0; i < high.size(); ++i) {
            if (high[i] == c) {
                return static_cast<int>(0x80 + i);
            }
        }
        return -1;
    }

    QString decode(QByteArrayView bytes)
    {
        QString text(bytes.size(), Qt::Uninitialized);
        QChar* out = text.data();
        for (const char b : bytes) {
            *out++ = toUnicode(static_cast<uchar>(b));
        }
        return text;
    }

    QByteArray encode(QStringView text)
    {
        QByteArray bytes;
        bytes.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar ch = text[i];
            // A character beyond the BMP is one character to the user, so it becomes one "?".
            if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                ++i;
                bytes.append('?');
                continue;
            }
            const int b = fromUnicode(ch);
            bytes.append(b < 0 ? '?' : static_cast<char>(b));
        }
        return bytes;
    }

    bool canEncode(QStringView text)
    {
        for (const QChar ch : text) {
            if (fromUnicode(ch) < 0) {
                return false;
            }
        }
        return true;
    }

} // namespace qv::cp1252
