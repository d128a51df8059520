#include "richtextunits.h"
#include "rtfinterpreter.h"
#include "rtfwords.h"

#include <QTextListFormat>

#include <algorithm>

namespace qv::rtf {

    namespace {

        // Words a \* group may start with and still be read.
        bool readableAfterStar(int word)
        {
            switch (word) {
            case FontTbl:
            case ColorTbl:
            case ListTable:
            case ListOverrideTable:
            case ShpPict:
            case FieldGroup:
            case FldInst:
            case FldRslt:
            case Pn:
            case Ud:
            case Transparent:
                return true;
            default:
                return false;
            }
        }

        constexpr int MaxTabs = 64;

        // Lengths are held to Word's own limit of 22 inches, so a broken file cannot ask the layout for
        // a margin of a million pages.
        int twips(int value)
        {
            return std::clamp(value, -31680, 31680);
        }

        bool isOn(const Tokenizer::Token& token)
        {
            return !token.hasParam || token.param != 0;
        }

    } // namespace

    void Interpreter::controlWord(const Tokenizer::Token& token)
    {
        const int word = lookupWord(token.text);
        if (m_ucSkip > 0) {
            // The fallback after \u may itself be a control word; \bin takes its data with it.
            --m_ucSkip;
            if (word == Bin)
                m_tok.takeBinary(token.param);
            return;
        }
        const bool starred = m_starPending;
        m_starPending = false;
        GroupState& s = top();
        if (s.dest == Dest::UprChild) {
            if (word == Ud)
                s.dest = s.savedDest;
            else
                skipGroup();
            return;
        }
        if (starred && !readableAfterStar(word)) {
            skipGroup();
            return;
        }
        // \sectd is not in the word table, where it would lengthen the search for every word the
        // reader ignores; it matters only as the start of the body.
        const bool bodyWord =
            word == Pard || (word < 0 && token.text.size() == 5 && token.text[0] == 's' && token.text == "sectd");
        if (bodyWord) {
            leaveHeaderTables();
            m_bodyStarted = m_bodyStarted || top().dest == Dest::Text;
        }
        if (word < 0)
            return; // Word's language and associated-font words sit between the bytes of a character
        flushBytes();
        const int param = token.param;
        if (word <= Skip) {
            destinationWord(word);
            return;
        }
        if (word <= Bin) {
            switch (word) {
            case Ansi:
                m_ansiCodePage = 1252;
                break;
            case Mac:
                m_ansiCodePage = 10000;
                break;
            case Pc:
                m_ansiCodePage = 437;
                break;
            case Pca:
                m_ansiCodePage = 850;
                break;
            case AnsiCpg:
                m_ansiCodePage = param > 0 ? param : 1252;
                break;
            case Deff:
                m_defaultFont = param;
                break;
            case Uc:
                s.uc = std::clamp(param, 0, 16);
                return;
            case U:
                unicode(param);
                return;
            case Bin: {
                const QByteArrayView data = m_tok.takeBinary(param);
                if (s.dest == Dest::Pict)
                    m_pict.data.append(data.data(), data.size());
                return;
            }
            }
            m_formatDirty = true;
            return;
        }
        if (word <= Blue) {
            charWord(word, token);
            return;
        }
        if (word <= RtlMark) {
            paraWord(word, param, token.hasParam);
            return;
        }
        if (word <= BrdrStyle) {
            tableWord(word, param);
            return;
        }
        if (word <= PnF) {
            listWord(word, param);
            return;
        }
        pictWord(word, param);
    }

    void Interpreter::leaveHeaderTables()
    {
        // The header's tables never hold paragraphs or sections. One that meets them has lost a
        // closing brace, and the body it would swallow has begun.
        const auto isTable = [](Dest dest) {
            return dest == Dest::FontTable || dest == Dest::ColorTable || dest == Dest::ListTable ||
                   dest == Dest::LevelText || dest == Dest::ListOverrideTable;
        };
        while (m_stack.size() > 2 && m_overflow == 0 && isTable(top().dest))
            popGroup();
    }

    void Interpreter::controlSymbol(int symbol)
    {
        if (symbol == '*') {
            m_starPending = true;
            return;
        }
        if (m_ucSkip > 0) {
            --m_ucSkip;
            return;
        }
        m_starPending = false;
        // The second byte of a double-byte character may be a backslash or a brace, escaped.
        if (m_pendingCount > 0 && (symbol == '\\' || symbol == '{' || symbol == '}')) {
            hexByte(symbol);
            return;
        }
        flushBytes();
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            emitChar(static_cast<char16_t>(symbol));
            break;
        case '~':
            emitChar(0x00A0);
            break;
        case '-':
            emitChar(0x00AD);
            break;
        case '_':
            emitChar(0x2011);
            break;
        case '\r':
        case '\n':
            if (top().dest == Dest::Text)
                finishParagraph(top().para.inTable);
            break;
        default:
            break;
        }
    }

    void Interpreter::destinationWord(int word)
    {
        GroupState& s = top();
        const auto own = [&s](Dest dest, quint8 owns) {
            s.dest = dest;
            s.owns |= owns;
        };
        switch (word) {
        case Rtf:
        case Transparent:
        case ShpPict:
            break;
        case Skip:
            skipGroup();
            break;
        case FontTbl:
            own(Dest::FontTable, GroupState::OwnsFontTable);
            break;
        case ColorTbl:
            m_colors.clear();
            m_red = m_green = m_blue = -1;
            own(Dest::ColorTable, 0);
            break;
        case ListTable:
            own(Dest::ListTable, 0);
            break;
        case ListOverrideTable:
            own(Dest::ListOverrideTable, 0);
            break;
        case List:
            if (s.dest == Dest::ListTable && !(s.owns & GroupState::OwnsList)) {
                m_listBuild = ListDef();
                m_listBuildId = 0;
                m_levelBuild = -1;
                s.owns |= GroupState::OwnsList;
            }
            break;
        case ListLevel:
            if (s.dest == Dest::ListTable)
                ++m_levelBuild;
            break;
        case LevelText:
            if (s.dest == Dest::ListTable)
                s.dest = Dest::LevelText;
            break;
        case ListOverride:
            if (s.dest == Dest::ListOverrideTable && !(s.owns & GroupState::OwnsOverride)) {
                m_overrideListId = 0;
                m_overrideLs = 0;
                s.owns |= GroupState::OwnsOverride;
            }
            break;
        case Pict:
            if (!(s.owns & GroupState::OwnsPict)) {
                m_pict = PictureData();
                m_pictNibble = -1;
                s.savedDest = s.dest;
                own(Dest::Pict, GroupState::OwnsPict);
            }
            break;
        case FieldGroup:
            if (!(s.owns & GroupState::OwnsField)) {
                m_fields.emplace_back();
                s.field = static_cast<int>(m_fields.size() - 1);
                s.owns |= GroupState::OwnsField;
            }
            break;
        case FldInst:
            s.dest = Dest::FieldInst;
            break;
        case FldRslt:
            s.dest = Dest::Text;
            if (s.field >= 0 && s.field < static_cast<int>(m_fields.size())) {
                if (const int href = fieldHref(m_fields[s.field])) {
                    s.chr.href = href;
                    m_formatDirty = true;
                }
            }
            break;
        case PnText:
        case ListText:
            // Writers may give both forms, one after the other; together they are one marker. A second
            // marker with text between them is ordinary text.
            if (s.dest == Dest::Text && !(s.owns & GroupState::OwnsListText)) {
                const int here = static_cast<int>(m_para.text.size());
                if (m_para.listTextStart < 0) {
                    m_para.listTextStart = here;
                    s.owns |= GroupState::OwnsListText;
                } else if (m_para.listTextEnd == here) {
                    m_para.listTextEnd = -1;
                    s.owns |= GroupState::OwnsListText;
                }
            }
            break;
        case Pn:
            m_pnBuild = PnState();
            own(Dest::Ignore, GroupState::OwnsPn);
            break;
        case PnTxtA:
            s.dest = Dest::PnTextAfter;
            break;
        case PnTxtB:
            s.dest = Dest::PnTextBefore;
            break;
        case Upr:
            s.savedDest = s.dest;
            s.dest = Dest::Upr;
            break;
        default:
            break;
        }
    }

    void Interpreter::charWord(int word, const Tokenizer::Token& token)
    {
        GroupState& s = top();
        CharState& c = s.chr;
        const int param = token.param;
        switch (word) {
        case Plain: {
            // A link is where the text sits, not how it looks: \plain inside a field result keeps it.
            const int href = c.href;
            c = CharState();
            c.href = href;
            break;
        }
        case B:
            c.set(CharState::Bold, isOn(token));
            break;
        case I:
            c.set(CharState::Italic, isOn(token));
            break;
        case Ul:
            c.set(CharState::Underline, isOn(token));
            break;
        case UlNone:
            c.set(CharState::Underline, false);
            break;
        case Strike:
            c.set(CharState::Strike, isOn(token));
            break;
        case Super:
            c.set(CharState::Super, true);
            c.set(CharState::Sub, false);
            break;
        case Sub:
            c.set(CharState::Sub, true);
            c.set(CharState::Super, false);
            break;
        case NoSuperSub:
            c.set(CharState::Super, false);
            c.set(CharState::Sub, false);
            break;
        case Up:
            c.set(CharState::Super, isOn(token));
            c.set(CharState::Sub, false);
            break;
        case Dn:
            c.set(CharState::Sub, isOn(token));
            c.set(CharState::Super, false);
            break;
        case F:
            if (s.dest == Dest::FontTable) {
                commitFont();
                m_fontEntry = param;
            } else if (s.dest == Dest::ListTable) {
                if (m_levelBuild >= 0 && m_levelBuild < 9)
                    m_listBuild.levels[m_levelBuild].font = param;
            } else {
                c.font = param;
            }
            break;
        case Fs:
            c.halfPoints = param > 0 ? std::min(param, 3276) : 24;
            break;
        case Cf:
            c.foreground = std::max(param, 0);
            break;
        case Cb:
        case Highlight:
            c.background = std::max(param, 0);
            break;
        case V:
            c.set(CharState::Hidden, isOn(token));
            break;
        case FCharset:
            m_fontCharset = param;
            break;
        case Cpg:
            m_fontCodePage = param;
            break;
        case Red:
            m_red = param;
            break;
        case Green:
            m_green = param;
            break;
        case Blue:
            m_blue = param;
            break;
        }
        m_formatDirty = true;
    }

    void Interpreter::paraWord(int word, int param, bool hasParam)
    {
        ParaState& p = top().para;
        const bool text = top().dest == Dest::Text;
        switch (word) {
        case Pard:
            p = ParaState();
            break;
        case Ql:
            p.align = ParaState::Left;
            break;
        case Qc:
            p.align = ParaState::Center;
            break;
        case Qr:
            p.align = ParaState::Right;
            break;
        case Qj:
            p.align = ParaState::Justify;
            break;
        case Li:
            p.leftIndent = twips(param);
            break;
        case Ri:
            p.rightIndent = twips(param);
            break;
        case Fi:
            p.firstIndent = twips(param);
            break;
        case Sb:
            p.spaceBefore = std::max(twips(param), 0);
            break;
        case Sa:
            p.spaceAfter = std::max(twips(param), 0);
            break;
        case Sl:
            p.lineSpacing = twips(param);
            break;
        case SlMult:
            p.lineMultiple = !hasParam || param != 0;
            break;
        case Tx:
            if (p.tabs.size() < MaxTabs) {
                const auto type = static_cast<QTextOption::TabType>(p.tabKind);
                const QChar delimiter = type == QTextOption::DelimiterTab ? QChar(u'.') : QChar();
                p.tabs.append(QTextOption::Tab(rtfunits::fromTwips(std::max(twips(param), 0)), type, delimiter));
            }
            p.tabKind = QTextOption::LeftTab;
            break;
        case Tqr:
            p.tabKind = QTextOption::RightTab;
            break;
        case Tqc:
            p.tabKind = QTextOption::CenterTab;
            break;
        case Tqdec:
            p.tabKind = QTextOption::DelimiterTab;
            break;
        case PageBb:
            p.pageBreakBefore = !hasParam || param != 0;
            break;
        case InTbl:
            p.inTable = true;
            break;
        case Ls:
            if (top().dest == Dest::ListOverrideTable)
                m_overrideLs = param;
            else
                p.listOverride = param;
            break;
        case Ilvl:
            p.listLevel = std::clamp(param, 0, 8);
            break;
        case Par:
        case Sect:
            if (text)
                finishParagraph(p.inTable);
            break;
        case NestCell:
        case NestRow:
            // Nested tables are flattened: each nested cell becomes a paragraph of the outer cell.
            if (text && (word == NestCell || m_para.hasContent()))
                finishParagraph(true);
            break;
        case Cell:
            if (text) {
                // Some writers never end a row with \row: a cell past those the row defines starts
                // the next row, or all rows would run together into one too wide to keep apart.
                if (!m_rowsEnded && !m_row.cells.empty() && m_builder.pendingCells() >= m_row.cells.size())
                    m_builder.endRow(m_row, false);
                finishParagraph(true);
                m_builder.endCell();
            }
            break;
        case Row:
            m_rowsEnded = true;
            if (text) {
                if (m_para.hasContent() && p.inTable) {
                    finishParagraph(true);
                    m_builder.endCell();
                }
                m_builder.endRow(m_row);
            }
            break;
        case Page:
            if (text)
                pageBreak();
            break;
        case Line:
            emitChar(0x2028);
            break;
        case Tab:
            emitChar(u'\t');
            break;
        case Bullet:
            emitChar(0x2022);
            break;
        case EnDash:
            emitChar(0x2013);
            break;
        case EmDash:
            emitChar(0x2014);
            break;
        case LQuote:
            emitChar(0x2018);
            break;
        case RQuote:
            emitChar(0x2019);
            break;
        case LDblQuote:
            emitChar(0x201C);
            break;
        case RDblQuote:
            emitChar(0x201D);
            break;
        case EmSpace:
            emitChar(0x2003);
            break;
        case EnSpace:
            emitChar(0x2002);
            break;
        case QmSpace:
            emitChar(0x2005);
            break;
        case Zwj:
            emitChar(0x200D);
            break;
        case Zwnj:
            emitChar(0x200C);
            break;
        case LtrMark:
            emitChar(0x200E);
            break;
        case RtlMark:
            emitChar(0x200F);
            break;
        }
    }

    void Interpreter::tableWord(int word, int param)
    {
        switch (word) {
        case Trowd:
            m_row = RowDef();
            m_cellBuild = CellDef();
            m_borderTarget = BorderTarget::None;
            break;
        case TrLeft:
            m_row.left = twips(param);
            break;
        case TrGaph:
            m_row.padding = std::max(twips(param), 0);
            break;
        case CellX:
            m_cellBuild.right = twips(param);
            if (m_row.cells.size() < 256)
                m_row.cells.push_back(m_cellBuild);
            m_cellBuild = CellDef();
            m_borderTarget = BorderTarget::None;
            break;
        case ClMgf:
            m_cellBuild.mergeFirst = true;
            break;
        case ClMrg:
            m_cellBuild.merged = true;
            break;
        case ClVmgf:
            m_cellBuild.vMergeFirst = true;
            break;
        case ClVmrg:
            m_cellBuild.vMerged = true;
            break;
        case ClCbPat:
            if (param > 0 && param < m_colors.size())
                m_cellBuild.background = m_colors[param];
            break;
        case ClBrdr:
            m_borderTarget = BorderTarget::Cell;
            break;
        case TrBrdr:
            m_borderTarget = BorderTarget::Row;
            break;
        case ParaBrdr:
            m_borderTarget = BorderTarget::Paragraph;
            break;
        case BrdrNone:
            break;
        case BrdrStyle:
            if (m_borderTarget == BorderTarget::Cell || m_borderTarget == BorderTarget::Row)
                m_row.borders = true;
            break;
        }
    }

    void Interpreter::pictWord(int word, int param)
    {
        if (top().dest != Dest::Pict)
            return;
        switch (word) {
        case PicWGoal:
            m_pict.goalWidth = param;
            break;
        case PicHGoal:
            m_pict.goalHeight = param;
            break;
        case PicScaleX:
            m_pict.scaleX = param;
            break;
        case PicScaleY:
            m_pict.scaleY = param;
            break;
        }
    }

} // namespace qv::rtf
