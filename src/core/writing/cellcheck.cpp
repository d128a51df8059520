#include "cellcheck.h"

#include "propagation.h"

namespace qv::writing {

    CellCheckOutcome
    CellCheck::run(SpellChecker& checker, QStringList& cells, const Reviewer& review, const Corrected& corrected)
    {
        CellCheckOutcome outcome;
        auto tell = [&](qsizetype cell, const QString& before) {
            outcome.changed = true;
            if (corrected) {
                corrected(cell, before, cells.at(cell));
            }
        };
        for (qsizetype i = 0; i < cells.size(); ++i) {
            // A blank cell has nothing to check, and a blank cell stays as the user left it.
            if (cells.at(i).trimmed().isEmpty()) {
                continue;
            }
            const QString before = cells.at(i);
            QString text = before;
            const SpellCheckOutcome checked =
                checker.checkText(text, [&](const Misspelling& word) { return review(i, word); });
            if (checked.changes > 0) {
                text = cutToCell(text);
                if (text != before) {
                    cells[i] = text;
                    tell(i, before);
                }
            }
            if (checked.cancelled) {
                outcome.cancelled = true;
                break;
            }
            if (checked.changedAll) {
                const QStringList unchanged = cells;
                for (const qsizetype later : propagateChanges(checker.changeList(), cells, i)) {
                    tell(later, unchanged.at(later));
                }
            }
        }
        return outcome;
    }

} // namespace qv::writing
