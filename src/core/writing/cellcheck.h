#pragma once

#include "spellchecker.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace qv::writing {

    struct CellCheckOutcome
    {
        // Some cell was corrected, by the user's choice, the change list or a change-all.
        bool changed = false;
        bool cancelled = false;
    };

    // The check of one-line cells one after another (the timeline's items). Each cell goes through the
    // checker; a corrected cell is cut to MaxCellLength. A "Change All" carries the change list into
    // every later cell once the cell it was chosen in is done. A cancel ends the check at once: what
    // was corrected up to then, the cancelled cell's own corrections included, stays.
    //
    // review is asked about each unknown word with the index of its cell; corrected is told about
    // every cell that changed, with its text before and after, in the order the changes are made.
    class CellCheck
    {
    public:
        using Reviewer = std::function<SpellDecision(qsizetype cell, const Misspelling&)>;
        using Corrected = std::function<void(qsizetype cell, const QString& before, const QString& after)>;

        static CellCheckOutcome
        run(SpellChecker& checker, QStringList& cells, const Reviewer& review, const Corrected& corrected = {});
    };

} // namespace qv::writing
