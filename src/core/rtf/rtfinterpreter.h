#pragma once

#include "rtfbuilder.h"
#include "rtfcodepage.h"
#include "rtfpicture.h"
#include "rtftokenizer.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QTextOption>

#include <array>
#include <optional>
#include <vector>

class QTextDocument;

namespace qv::rtf {

    // Where the text of a group goes.
    enum class Dest : quint8
    {
        Text,
        Ignore,
        FontTable,
        ColorTable,
        ListTable,
        LevelText,
        ListOverrideTable,
        Pict,
        FieldInst,
        PnTextBefore,
        PnTextAfter,
        Upr, // the ANSI half of a Unicode pair; only its \ud child is read
        UprChild // a child of \upr until its first word shows whether it is \ud
    };

    // Character properties, kept as plain integers so a run's format can be looked up by its bytes.
    struct CharState
    {
        enum Flag : qint32
        {
            Bold = 1,
            Italic = 2,
            Underline = 4,
            Strike = 8,
            Super = 16,
            Sub = 32,
            Hidden = 64
        };
        qint32 font = -1; // -1: the document's default font
        qint32 halfPoints = 24;
        qint32 foreground = 0; // colour table index, 0 = automatic
        qint32 background = 0;
        qint32 href = 0; // 1-based index into the reader's link targets
        qint32 flags = 0;

        void set(Flag flag, bool on)
        {
            flags = on ? (flags | flag) : (flags & ~flag);
        }
        bool has(Flag flag) const
        {
            return flags & flag;
        }
        friend bool operator==(const CharState&, const CharState&) = default;
    };

    inline size_t qHash(const CharState& c, size_t seed)
    {
        return qHashMulti(seed, c.font, c.halfPoints, c.foreground, c.background, c.href, c.flags);
    }

    // The older list form: every paragraph says itself what kind of item it is.
    struct PnState
    {
        bool active = false;
        int level = 0;
        int style = 0; // QTextListFormat::Style
        int font = -1;
        QString before;
        QString after;
    };

    struct ParaState
    {
        enum Align
        {
            Left,
            Center,
            Right,
            Justify
        };
        int align = Left;
        int leftIndent = 0;
        int rightIndent = 0;
        int firstIndent = 0;
        int spaceBefore = 0;
        int spaceAfter = 0;
        int lineSpacing = 0;
        bool lineMultiple = false;
        bool inTable = false;
        bool pageBreakBefore = false;
        int listOverride = 0;
        int listLevel = 0;
        int tabKind = 0; // QTextOption::TabType of the next \tx
        QList<QTextOption::Tab> tabs;
        PnState pn;
    };

    struct GroupState
    {
        enum Owns : quint8
        {
            OwnsPict = 1,
            OwnsField = 2,
            OwnsListText = 4,
            OwnsPn = 8,
            OwnsList = 16,
            OwnsOverride = 32,
            OwnsFontTable = 64
        };
        CharState chr;
        ParaState para;
        Dest dest = Dest::Text;
        Dest savedDest = Dest::Text; // the destination \upr or \pict interrupted
        quint8 owns = 0;
        int uc = 1;
        int field = -1;
    };

    struct LevelDef
    {
        int numberFormat = 0; // \levelnfc
        int font = -1;
        QString text; // \leveltext: a length character, then text with level placeholders
    };

    struct ListDef
    {
        std::array<LevelDef, 9> levels;
    };

    struct FontDef
    {
        QString family;
        int charset = -1; // -1 when the entry names none
        int codePage = 0; // \cpg, which wins over the character set; 0 when absent
        SymbolFont symbol = SymbolFont::None;
    };

    struct Field
    {
        QString instruction;
        int href = -1; // -1 until the result starts; then 0 or the link index
    };

    class Interpreter
    {
    public:
        Interpreter(QByteArrayView rtf, QTextDocument& doc);
        void run();
        // After run(): the input ended inside a group.
        bool cutOff() const
        {
            return m_cutOff;
        }

    private:
        // rtfreader.cpp: groups, text and paragraphs
        GroupState& top()
        {
            return m_stack.back();
        }
        void pushGroup();
        void popGroup();
        void endOwned(GroupState& leaving);
        void skipGroup();
        void text(QByteArrayView bytes);
        void hexByte(int byte);
        void decodeByte(uchar byte, const ByteTable& table, MultiByteCodePage* page);
        void flushBytes()
        {
            if (m_pendingCount > 0)
                flushPendingBytes();
        }
        void flushPendingBytes();
        int codePageHere() const;
        int codePageOf(const FontDef& font) const;
        void unicode(int value);
        void emitChars(const char16_t* chars, qsizetype count);
        void emitChar(char16_t c)
        {
            emitChars(&c, 1);
        }
        void flushSurrogate();
        void ensureFormat();
        QTextCharFormat charFormat(const CharState& c) const;
        QTextBlockFormat blockFormat(const ParaState& p) const;
        ListRef listRef(const ParaState& p) const;
        void finishParagraph(bool inTable);
        void finishParagraph(bool inTable, const ParaState& p);
        void pageBreak();
        void commitFont();
        void commitColor();
        void finishPicture(const GroupState& pictGroup);
        int fieldHref(Field& field);

        // rtfcontrolwords.cpp: what each control word and symbol does
        void controlWord(const Tokenizer::Token& token);
        void controlSymbol(int symbol);
        void destinationWord(int word);
        void charWord(int word, const Tokenizer::Token& token);
        void paraWord(int word, int param, bool hasParam);
        void tableWord(int word, int param);
        void listWord(int word, int param);
        void pictWord(int word, int param);

        Tokenizer m_tok;
        QTextDocument& m_doc;
        DocumentBuilder m_builder;
        CodePages m_codePages;
        PictureDecoder m_pictures;

        std::vector<GroupState> m_stack;
        qint64 m_overflow = 0;
        bool m_cutOff = false;
        bool m_starPending = false;
        bool m_bodyStarted = false; // a paragraph or section of the body has begun
        void leaveHeaderTables();
        int m_ucSkip = 0;
        char16_t m_highSurrogate = 0;

        Paragraph m_para;
        bool m_pageBreakPending = false;
        std::optional<ParaState> m_documentPara;

        int m_ansiCodePage = 1252;
        int m_defaultFont = 0;
        QHash<int, FontDef> m_fonts;
        int m_fontEntry = -1;
        int m_fontCharset = -1;
        int m_fontCodePage = 0;
        QString m_fontName;
        QList<QColor> m_colors;
        int m_red = -1;
        int m_green = -1;
        int m_blue = -1;

        QHash<CharState, int> m_formatIds;
        bool m_formatDirty = true;
        int m_formatId = 0;
        CharState m_formatState; // the state m_formatId is for
        bool m_formatStateKnown = false;
        const ByteTable* m_decode = nullptr;
        MultiByteCodePage* m_decodeMulti = nullptr;
        int m_decodePage = -1; // the code page m_decode and m_decodeMulti are for; -1 for a symbol font
        // The first bytes of a multi-byte character whose last byte has not come yet.
        std::array<char, 4> m_pendingBytes{};
        int m_pendingCount = 0;
        int m_pendingLength = 0;
        MultiByteCodePage* m_pendingPage = nullptr;

        std::vector<Field> m_fields;
        std::vector<QString> m_hrefs;

        PictureData m_pict;
        int m_pictNibble = -1;
        int m_imageCount = 0;
        QString m_placeholderName;

        QHash<int, ListDef> m_lists;
        QHash<int, int> m_overrides; // \ls number to \listid
        ListDef m_listBuild;
        int m_listBuildId = 0;
        int m_levelBuild = -1;
        int m_overrideListId = 0;
        int m_overrideLs = 0;
        PnState m_pnBuild;

        RowDef m_row;
        bool m_rowsEnded = false; // the writer ends its table rows with \row
        CellDef m_cellBuild;
        enum class BorderTarget
        {
            None,
            Cell,
            Row,
            Paragraph
        } m_borderTarget = BorderTarget::None;
    };

} // namespace qv::rtf
