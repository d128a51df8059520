// What the list words do, and the list each paragraph belongs to: the list table's levels and
// overrides, and the older per-paragraph numbering.
#include "rtfinterpreter.h"
#include "rtfwords.h"

#include <QTextListFormat>

#include <algorithm>

namespace qv::rtf {

    namespace {

        QTextListFormat::Style bulletStyle(char16_t c)
        {
            switch (c) {
            case u'o':
            case 0x25CB:
            case 0x25E6:
            case 0x26AA:
                return QTextListFormat::ListCircle;
            case 0x25A0:
            case 0x25A1:
            case 0x25AA:
            case 0x25AB:
            case 0x25FB:
            case 0x25FC:
            case 0x25FE:
            case 0x2751:
                return QTextListFormat::ListSquare;
            default:
                return QTextListFormat::ListDisc;
            }
        }

        QTextListFormat::Style numberStyle(int levelNfc)
        {
            switch (levelNfc) {
            case 1:
                return QTextListFormat::ListUpperRoman;
            case 2:
                return QTextListFormat::ListLowerRoman;
            case 3:
                return QTextListFormat::ListUpperAlpha;
            case 4:
                return QTextListFormat::ListLowerAlpha;
            default:
                return QTextListFormat::ListDecimal;
            }
        }

    } // namespace

    void Interpreter::listWord(int word, int param)
    {
        const Dest dest = top().dest;
        switch (word) {
        case ListId:
            if (dest == Dest::ListTable)
                m_listBuildId = param;
            else if (dest == Dest::ListOverrideTable)
                m_overrideListId = param;
            break;
        case LevelNfc:
            if (dest == Dest::ListTable && m_levelBuild >= 0 && m_levelBuild < 9)
                m_listBuild.levels[m_levelBuild].numberFormat = param;
            break;
        case PnLvlBlt:
            m_pnBuild.active = true;
            m_pnBuild.level = 0;
            m_pnBuild.style = QTextListFormat::ListDisc;
            break;
        case PnLvlBody:
            m_pnBuild.active = true;
            m_pnBuild.level = 0;
            if (m_pnBuild.style == 0 || m_pnBuild.style == QTextListFormat::ListDisc)
                m_pnBuild.style = QTextListFormat::ListDecimal;
            break;
        case PnLvl:
            m_pnBuild.active = true;
            m_pnBuild.level = std::clamp(param - 1, 0, 8);
            if (m_pnBuild.style == 0)
                m_pnBuild.style = QTextListFormat::ListDecimal;
            break;
        case PnLvlCont:
            m_pnBuild.active = false;
            break;
        case PnDec:
            m_pnBuild.style = QTextListFormat::ListDecimal;
            break;
        case PnUcLtr:
            m_pnBuild.style = QTextListFormat::ListUpperAlpha;
            break;
        case PnLcLtr:
            m_pnBuild.style = QTextListFormat::ListLowerAlpha;
            break;
        case PnUcRm:
            m_pnBuild.style = QTextListFormat::ListUpperRoman;
            break;
        case PnLcRm:
            m_pnBuild.style = QTextListFormat::ListLowerRoman;
            break;
        case PnF:
            m_pnBuild.font = param;
            break;
        }
    }

    ListRef Interpreter::listRef(const ParaState& p) const
    {
        ListRef ref;
        if (p.listOverride > 0) {
            const int listId = m_overrides.value(p.listOverride, p.listOverride);
            const auto list = m_lists.constFind(listId);
            const LevelDef level = list != m_lists.constEnd() ? list->levels[p.listLevel] : LevelDef{23, -1, {}};
            if (level.numberFormat == 255)
                return ref; // a level without a marker: an indented paragraph, not an item
            ref.kind = ListRef::Table;
            ref.id = p.listOverride;
            ref.level = p.listLevel;
            // The level text starts with its own length; what follows the length is not part of it.
            const QString content = level.text.mid(1, level.text.isEmpty() ? 0 : level.text.at(0).unicode());
            if (level.numberFormat == 23) {
                char16_t marker = content.isEmpty() ? u'\x2022' : content.at(0).unicode();
                const auto font = m_fonts.constFind(level.font);
                if (font != m_fonts.constEnd() && font->symbol != SymbolFont::None) {
                    if (marker >= 0xF000 && marker <= 0xF0FF)
                        marker = symbolCharacter(font->symbol, static_cast<uchar>(marker - 0xF000));
                    else if (marker < 0x100)
                        marker = symbolCharacter(font->symbol, static_cast<uchar>(marker));
                }
                ref.format.setStyle(bulletStyle(marker));
            } else {
                ref.format.setStyle(numberStyle(level.numberFormat));
                // Text before the first level placeholder and after the last one frame the number.
                qsizetype first = -1;
                qsizetype last = -1;
                for (qsizetype i = 0; i < content.size(); ++i) {
                    if (content.at(i).unicode() < 9) {
                        if (first < 0)
                            first = i;
                        last = i;
                    }
                }
                if (first > 0)
                    ref.format.setNumberPrefix(content.left(first));
                if (last >= 0) {
                    const QString suffix = content.mid(last + 1);
                    if (suffix != u".")
                        ref.format.setNumberSuffix(suffix);
                }
            }
        } else if (p.pn.active) {
            ref.kind = ListRef::Paragraph;
            ref.level = p.pn.level;
            if (p.pn.style == QTextListFormat::ListDisc) {
                char16_t marker = p.pn.before.isEmpty() ? u'\x2022' : p.pn.before.at(0).unicode();
                const auto font = m_fonts.constFind(p.pn.font);
                if (font != m_fonts.constEnd() && font->symbol != SymbolFont::None && marker < 0x100)
                    marker = symbolCharacter(font->symbol, static_cast<uchar>(marker));
                ref.format.setStyle(bulletStyle(marker));
            } else {
                ref.format.setStyle(static_cast<QTextListFormat::Style>(p.pn.style));
                if (!p.pn.before.isEmpty())
                    ref.format.setNumberPrefix(p.pn.before);
                if (p.pn.after != u".")
                    ref.format.setNumberSuffix(p.pn.after);
            }
        } else {
            return ref;
        }
        ref.format.setIndent(ref.level + 1);
        ref.style = ref.format.style();
        return ref;
    }

} // namespace qv::rtf
