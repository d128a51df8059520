#pragma once

#include <QByteArrayView>

#include <algorithm>

namespace qv::rtf {

    // Splits RTF bytes into groups, control words, control symbols and runs of text. It never copies:
    // every view points into the input, which must outlive the tokens.
    class Tokenizer
    {
    public:
        enum class Type
        {
            End,
            GroupOpen,
            GroupClose,
            ControlWord,
            ControlSymbol,
            HexByte,
            Text
        };

        struct Token
        {
            Type type = Type::End;
            // Control word name, or the run of text (never holding CR, LF, '\\', '{' or '}').
            QByteArrayView text;
            // Parameter of a control word (0 when absent), the byte of \'hh, or the symbol character.
            int param = 0;
            bool hasParam = false;
        };

        explicit Tokenizer(QByteArrayView input);

        Token next();

        // Consumes the rest of the group most recently opened, up to and including its closing brace,
        // without looking at what it holds. Returns false when the input ended first.
        bool skipGroup();

        // Where the last skipped group held its first \pard or \sectd, or -1: where a header
        // group that lost one of its closing braces really ended, since the body starts there.
        qsizetype skippedBodyStart() const
        {
            return m_skippedBodyStart;
        }

        // Whether nothing but white space is left.
        bool onlySpaceLeft() const;

        void seek(qsizetype position)
        {
            m_pos = std::clamp<qsizetype>(position, 0, m_input.size());
        }

        // The next n bytes as they are (the data of \binN), or fewer when the input is shorter.
        QByteArrayView takeBinary(qint64 n);

        qsizetype position() const
        {
            return m_pos;
        }

        bool atEnd() const
        {
            return m_pos >= m_input.size();
        }

    private:
        Token controlWord();

        QByteArrayView m_input;
        qsizetype m_pos = 0;
        qsizetype m_skippedBodyStart = -1;
    };

} // namespace qv::rtf
