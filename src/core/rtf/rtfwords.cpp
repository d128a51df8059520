#include "rtfwords.h"

#include <array>
#include <string_view>

namespace qv::rtf {

    namespace {

        struct WordRow
        {
            std::string_view name;
            Word word;
        };

        // Every control word the reader acts on. Words not listed are ignored, and a group that starts
        // with \* and an unlisted word is skipped whole.
        // clang-format off
        constexpr WordRow wordRows[] = {
            {"rtf", Rtf}, {"fonttbl", FontTbl}, {"colortbl", ColorTbl}, {"listtable", ListTable},
            {"listoverridetable", ListOverrideTable}, {"list", List}, {"listlevel", ListLevel},
            {"leveltext", LevelText}, {"listoverride", ListOverride}, {"pict", Pict}, {"shppict", ShpPict},
            {"field", FieldGroup}, {"fldinst", FldInst}, {"fldrslt", FldRslt}, {"pntext", PnText},
            {"listtext", ListText}, {"pn", Pn}, {"pntxta", PnTxtA}, {"pntxtb", PnTxtB}, {"upr", Upr},
            {"ud", Ud}, {"shp", Transparent}, {"shprslt", Transparent}, {"object", Transparent},
            {"result", Transparent}, {"info", Skip}, {"stylesheet", Skip}, {"header", Skip}, {"headerl", Skip},
            {"headerr", Skip}, {"headerf", Skip}, {"footer", Skip}, {"footerl", Skip}, {"footerr", Skip},
            {"footerf", Skip}, {"footnote", Skip}, {"annotation", Skip}, {"xe", Skip}, {"tc", Skip},
            {"tcn", Skip}, {"txe", Skip}, {"nonshppict", Skip}, {"nonesttables", Skip}, {"pgdsctbl", Skip},
            {"revtbl", Skip}, {"rsidtbl", Skip}, {"generator", Skip}, {"xmlnstbl", Skip}, {"themedata", Skip},
            {"colorschememapping", Skip}, {"latentstyles", Skip}, {"datastore", Skip}, {"mmathPr", Skip},
            {"listpicture", Skip}, {"fontemb", Skip}, {"fontfile", Skip}, {"filetbl", Skip}, {"objdata", Skip},
            {"template", Skip}, {"doccomm", Skip}, {"comment", Skip}, {"private", Skip}, {"userprops", Skip},
            {"docvar", Skip}, {"ftnsep", Skip}, {"ftnsepc", Skip}, {"ftncn", Skip}, {"aftnsep", Skip},
            {"aftnsepc", Skip}, {"aftncn", Skip}, {"do", Skip}, {"pnseclvl", Skip}, {"panose", Skip},
            {"falt", Skip}, {"levelnumbers", Skip}, {"listname", Skip}, {"shpinst", Skip}, {"fchars", Skip},
            {"lchars", Skip}, {"bkmkstart", Skip}, {"bkmkend", Skip}, {"atnid", Skip}, {"atnauthor", Skip},
            {"atndate", Skip}, {"atnref", Skip}, {"protusertbl", Skip}, {"pgptbl", Skip}, {"background", Skip},
            {"ansi", Ansi}, {"mac", Mac}, {"pc", Pc}, {"pca", Pca}, {"ansicpg", AnsiCpg}, {"deff", Deff},
            {"uc", Uc}, {"u", U}, {"bin", Bin}, {"plain", Plain}, {"b", B}, {"i", I}, {"ul", Ul}, {"uld", Ul},
            {"uldb", Ul}, {"uldash", Ul}, {"uldashd", Ul}, {"uldashdd", Ul}, {"ulw", Ul}, {"ulwave", Ul},
            {"ulth", Ul}, {"ulhwave", Ul}, {"ululdbwave", Ul}, {"ulthd", Ul}, {"ulthdash", Ul},
            {"ulldash", Ul}, {"ulthldash", Ul}, {"ulthdashd", Ul}, {"ulthdashdd", Ul}, {"ulnone", UlNone},
            {"strike", Strike}, {"striked", Strike}, {"super", Super}, {"sub", Sub},
            {"nosupersub", NoSuperSub}, {"up", Up}, {"dn", Dn}, {"f", F}, {"fs", Fs}, {"cf", Cf}, {"cb", Cb},
            {"chcbpat", Cb}, {"highlight", Highlight}, {"v", V}, {"fcharset", FCharset}, {"cpg", Cpg},
            {"red", Red}, {"green", Green}, {"blue", Blue}, {"pard", Pard}, {"ql", Ql}, {"qc", Qc}, {"qr", Qr},
            {"qj", Qj}, {"qd", Qj}, {"li", Li}, {"lin", Li}, {"ri", Ri}, {"rin", Ri}, {"fi", Fi}, {"sb", Sb},
            {"sa", Sa}, {"sl", Sl}, {"slmult", SlMult}, {"tx", Tx}, {"tqr", Tqr}, {"tqc", Tqc},
            {"tqdec", Tqdec}, {"pagebb", PageBb}, {"intbl", InTbl}, {"ls", Ls}, {"ilvl", Ilvl}, {"par", Par},
            {"sect", Sect}, {"line", Line}, {"tab", Tab}, {"page", Page}, {"cell", Cell}, {"row", Row},
            {"nestcell", NestCell}, {"nestrow", NestRow}, {"bullet", Bullet}, {"endash", EnDash},
            {"emdash", EmDash}, {"lquote", LQuote}, {"rquote", RQuote}, {"ldblquote", LDblQuote},
            {"rdblquote", RDblQuote}, {"emspace", EmSpace}, {"enspace", EnSpace}, {"qmspace", QmSpace},
            {"zwj", Zwj}, {"zwnj", Zwnj}, {"ltrmark", LtrMark}, {"rtlmark", RtlMark}, {"trowd", Trowd},
            {"trleft", TrLeft}, {"trgaph", TrGaph}, {"cellx", CellX}, {"clmgf", ClMgf}, {"clmrg", ClMrg},
            {"clvmgf", ClVmgf}, {"clvmrg", ClVmrg}, {"clcbpat", ClCbPat}, {"clbrdrt", ClBrdr},
            {"clbrdrl", ClBrdr}, {"clbrdrb", ClBrdr}, {"clbrdrr", ClBrdr}, {"trbrdrt", TrBrdr},
            {"trbrdrl", TrBrdr}, {"trbrdrb", TrBrdr}, {"trbrdrr", TrBrdr}, {"trbrdrh", TrBrdr},
            {"trbrdrv", TrBrdr}, {"brdrt", ParaBrdr}, {"brdrl", ParaBrdr}, {"brdrb", ParaBrdr},
            {"brdrr", ParaBrdr}, {"box", ParaBrdr}, {"brdrnone", BrdrNone}, {"brdrnil", BrdrNone},
            {"brdrs", BrdrStyle}, {"brdrth", BrdrStyle}, {"brdrdb", BrdrStyle}, {"brdrsh", BrdrStyle},
            {"brdrdot", BrdrStyle}, {"brdrdash", BrdrStyle}, {"brdrhair", BrdrStyle},
            {"brdrtriple", BrdrStyle}, {"brdrsingle", BrdrStyle}, {"brdrinset", BrdrStyle},
            {"brdroutset", BrdrStyle}, {"listid", ListId}, {"levelnfc", LevelNfc}, {"pnlvlblt", PnLvlBlt},
            {"pnlvlbody", PnLvlBody}, {"pnlvl", PnLvl}, {"pnlvlcont", PnLvlCont}, {"pndec", PnDec},
            {"pnucltr", PnUcLtr}, {"pnlcltr", PnLcLtr}, {"pnucrm", PnUcRm}, {"pnlcrm", PnLcRm}, {"pnf", PnF},
            {"picwgoal", PicWGoal}, {"pichgoal", PicHGoal}, {"picscalex", PicScaleX}, {"picscaley", PicScaleY},
        };
        // clang-format on

    } // namespace

    namespace {

        // Control words come every few bytes, mostly ones the reader ignores (Word's revision ids and
        // bidirectional font switches), so the lookup is an open-addressed table with a cheap hash.
        constexpr size_t TableSize = 1024;

        size_t hashOf(const char* data, size_t size)
        {
            size_t h = 2166136261u;
            for (size_t i = 0; i < size; ++i)
                h = (h ^ static_cast<unsigned char>(data[i])) * 16777619u;
            return h;
        }

        struct WordTable
        {
            std::array<const WordRow*, TableSize> slots{};

            WordTable()
            {
                static_assert(std::size(wordRows) < TableSize / 2);
                for (const WordRow& row : wordRows) {
                    size_t i = hashOf(row.name.data(), row.name.size()) & (TableSize - 1);
                    while (slots[i])
                        i = (i + 1) & (TableSize - 1);
                    slots[i] = &row;
                }
            }
        };

    } // namespace

    int lookupWord(QByteArrayView name)
    {
        static const WordTable table;
        const std::string_view key(name.data(), static_cast<size_t>(name.size()));
        for (size_t i = hashOf(key.data(), key.size()) & (TableSize - 1);; i = (i + 1) & (TableSize - 1)) {
            const WordRow* row = table.slots[i];
            if (!row)
                return -1;
            if (row->name == key)
                return row->word;
        }
    }

} // namespace qv::rtf
