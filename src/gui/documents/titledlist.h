#pragma once

#include <QString>

class QComboBox;
class QLabel;

namespace qv {

    class DocumentIndex;
    class Prompter;

    // The pieces the incident reports and the archive viewer share around their lists of titled
    // documents, so both say the same things the same way.
    namespace titledlist {

        // Reads the index again and lists its titles in the selector, nothing chosen. An index that
        // cannot be read is reported under title and lists what was read of it.
        void reload(QComboBox* selector, DocumentIndex& index, Prompter& prompter, const QString& title);

        // "There are currently no Existing/Saved " + what + "!", titled like the selector's placeholder.
        void informNoneSaved(Prompter& prompter, const QString& title, const QString& what);

        // The count label: "There is - 1 Entry", "There are - 3 Entries", in bold, shown.
        void showCount(QLabel* label, int count);

        // Asks "Are you sure you want to delete file [ title ]?" (No preselected) and on Yes deletes
        // the document at position from the index, reporting a deletion that fails. A line that names
        // no document of the index is refused with a message instead. True when the user said Yes.
        bool confirmAndDelete(Prompter& prompter, DocumentIndex& index, int position, const QString& title);

    } // namespace titledlist

} // namespace qv
