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

        // "Are you sure you want to delete file [ title ]?" with Yes and No; true for Yes.
        bool confirmDelete(Prompter& prompter, const QString& title);
        // The title of that question, for the message when the deletion fails.
        inline constexpr const char16_t* DeleteTitle = u"Delete File!";

    } // namespace titledlist

} // namespace qv
