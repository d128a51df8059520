#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace qv::writing {

    class ChangeList;

    // A corrected timeline cell keeps at most this many characters.
    inline constexpr int MaxCellLength = 45;

    // The change-all step of a check that goes cell by cell: after the user chose "Change All" while
    // cell checkedIndex was checked, every pair of the change list is carried into the cells after it.
    // In each non-blank later cell every whole word (delimited by spaces or the ends of the cell) equal
    // to a listed word in any letter case is replaced: with a capital first letter and the rest in lower
    // case where the replaced word began with a capital, else all in lower case. A cell so changed is
    // trimmed and cut to MaxCellLength. Returns the indices of the cells that changed.
    QList<qsizetype> propagateChanges(ChangeList& changes, QStringList& cells, qsizetype checkedIndex);

    // A corrected cell as the grid stores it: cut to its first MaxCellLength characters.
    QString cutToCell(const QString& text);

    // How much of a selection the thesaurus looks up: trailing blanks, commas, full stops, colons and
    // semicolons are dropped, so "security, " sends "security".
    QString trimLookupWord(const QString& selection);

} // namespace qv::writing
