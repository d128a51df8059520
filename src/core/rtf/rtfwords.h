#pragma once

#include <QByteArrayView>

namespace qv::rtf {

    // The control words the reader acts on, grouped so the interpreter can hand each group to its
    // own handler by range.
    // clang-format off
    enum Word : int
    {
        // Destinations we read, or that merely wrap what we read
        Rtf, FontTbl, ColorTbl, ListTable, ListOverrideTable, List, ListLevel, LevelText, ListOverride, Pict,
        ShpPict, FieldGroup, FldInst, FldRslt, PnText, ListText, Pn, PnTxtA, PnTxtB, Upr, Ud, Transparent,
        // Destinations never shown
        Skip,
        // Document
        Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, U, Bin,
        // Character
        Plain, B, I, Ul, UlNone, Strike, Super, Sub, NoSuperSub, Up, Dn, F, Fs, Cf, Cb, Highlight, V, FCharset,
        Cpg, Red, Green, Blue,
        // Paragraph
        Pard, Ql, Qc, Qr, Qj, Li, Ri, Fi, Sb, Sa, Sl, SlMult, Tx, Tqr, Tqc, Tqdec, PageBb, InTbl, Ls, Ilvl,
        // Special characters and breaks
        Par, Sect, Line, Tab, Page, Cell, Row, NestCell, NestRow, Bullet, EnDash, EmDash, LQuote, RQuote,
        LDblQuote, RDblQuote, EmSpace, EnSpace, QmSpace, Zwj, Zwnj, LtrMark, RtlMark,
        // Tables
        Trowd, TrLeft, TrGaph, CellX, ClMgf, ClMrg, ClVmgf, ClVmrg, ClCbPat, ClBrdr, TrBrdr, ParaBrdr,
        BrdrNone, BrdrStyle,
        // Lists
        ListId, LevelNfc, PnLvlBlt, PnLvlBody, PnLvl, PnLvlCont, PnDec, PnUcLtr, PnLcLtr, PnUcRm, PnLcRm, PnF,
        // Pictures
        PicWGoal, PicHGoal, PicScaleX, PicScaleY
    };
    // clang-format on

    // The word for a control word's name, or -1 for words the reader ignores.
    int lookupWord(QByteArrayView name);

} // namespace qv::rtf
