#pragma once

#include <QByteArray>
#include <QStringView>

namespace qv::rtf {

    // The byte buffer the writer fills. It knows RTF's lexical rules: a control word needs a delimiter
    // only when the next byte could be read as part of it, text is escaped and put into Windows-1252
    // with \uN? for everything else. Whole documents go through here, so it appends bytes straight into
    // one buffer and never builds a string per character.
    class RtfOutput
    {
    public:
        explicit RtfOutput(qsizetype reserve = 0);

        // \name
        void word(const char* name);
        // \nameN
        void word(const char* name, int value);

        void openGroup();
        void closeGroup();

        // Bytes that are already RTF (a control symbol, a literal ';'). Ends any pending control word.
        void raw(const char* bytes);
        void raw(char byte);

        // Ends the current line of the file. RTF readers ignore line ends, so this is for people who
        // look at the file.
        void newline();

        // Document text: escapes \ { }, writes tabs as \tab and U+2028 as \line, non-ASCII characters
        // as \'hh when Windows-1252 has them and as \uN? (one \u per UTF-16 unit) when it has not.
        // Control characters and U+FFFC (an object without data) are dropped.
        void text(QStringView text);

        // Text inside a table destination (font names, list level text): like text(), but without the
        // special meaning of tab and line separator.
        void plainText(QStringView text);

        // Binary data as lowercase hex, in lines of a readable length.
        void hex(const QByteArray& data);

        // A run of control words prepared earlier; like word(), the last one may need a delimiter.
        void words(const QByteArray& run);

        qsizetype size() const
        {
            return m_size;
        }
        QByteArray take();

    private:
        void delimitBefore(char next);
        void unicodeUnit(char16_t unit);
        void character(char16_t ch, bool special);

        // Room for n more bytes, and where they go. The buffer is kept at its capacity and only the
        // first m_size bytes are written, which spares QByteArray's checks on every small append.
        char* grow(qsizetype n)
        {
            if (m_size + n > m_buf.size())
                enlarge(n);
            char* at = m_data + m_size;
            m_size += n;
            return at;
        }
        void put(char c)
        {
            *grow(1) = c;
        }
        void put(const char* bytes, qsizetype n);
        void enlarge(qsizetype n);

        QByteArray m_buf;
        char* m_data = nullptr;
        qsizetype m_size = 0;
        // A control word was written last and the next byte may need a space to end it.
        bool m_pendingWord = false;
    };

    // \uN takes a signed 16-bit number, so units above 0x7FFF are written negative.
    constexpr int signedUnit(char16_t unit)
    {
        return unit > 0x7FFF ? int(unit) - 0x10000 : int(unit);
    }

} // namespace qv::rtf
