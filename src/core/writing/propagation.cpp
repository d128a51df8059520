#include "propagation.h"

#include "changelist.h"

namespace qv::writing {

    namespace {

        QString capitalisedLike(QStringView replaced, const QString& replacement)
        {
            const QString lower = replacement.toLower();
            if (replaced.isEmpty() || !replaced.front().isUpper() || lower.isEmpty()) {
                return lower;
            }
            return lower.front().toUpper() + lower.mid(1);
        }

        // Replaces every run of words in cell that equals the words of pair (in any letter case).
        void replaceWholeWords(QString& cell, const WordPair& pair)
        {
            const QStringList wanted = pair.word.split(u' ', Qt::SkipEmptyParts);
            if (wanted.isEmpty()) {
                return;
            }
            // Split on single spaces so that joining again keeps the cell's own spacing.
            QStringList parts = cell.split(u' ');
            bool changed = false;
            for (qsizetype i = 0; i + wanted.size() <= parts.size(); ++i) {
                bool match = true;
                for (qsizetype w = 0; w < wanted.size() && match; ++w) {
                    match = parts.at(i + w).compare(wanted.at(w), Qt::CaseInsensitive) == 0;
                }
                if (!match) {
                    continue;
                }
                const QString replacement = capitalisedLike(parts.at(i), pair.replacement);
                parts.remove(i, wanted.size());
                parts.insert(i, replacement);
                changed = true;
            }
            if (changed) {
                cell = parts.join(u' ');
            }
        }

    } // namespace

    QString cutToCell(const QString& text)
    {
        return text.left(MaxCellLength);
    }

    QList<qsizetype> propagateChanges(ChangeList& changes, QStringList& cells, qsizetype checkedIndex)
    {
        const QList<WordPair> pairs = changes.readBack();
        QList<qsizetype> changedCells;
        for (qsizetype row = checkedIndex + 1; row < cells.size(); ++row) {
            QString& cell = cells[row];
            if (cell.trimmed().isEmpty()) {
                continue;
            }
            const QString before = cell;
            for (const WordPair& pair : pairs) {
                replaceWholeWords(cell, pair);
            }
            // A word replaced by itself ("i" by "i") is no change, and leaves the cell as the user wrote it.
            if (cell != before) {
                cell = cutToCell(cell.trimmed());
                changedCells.append(row);
            }
        }
        return changedCells;
    }

    QString trimLookupWord(const QString& selection)
    {
        static const QString delimiters = QStringLiteral(" ,.:;");
        qsizetype length = selection.size();
        while (length > 0 && delimiters.contains(selection.at(length - 1))) {
            --length;
        }
        return selection.left(length);
    }

} // namespace qv::writing
