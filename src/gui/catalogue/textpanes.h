#pragma once

#include <QString>

namespace qv {

    class AreaHost;

    // The six text panes of a safeguard: three read-only reference texts and the user's three notes,
    // shown one at a time in the Action Area's editor, and the Save command's note branch.
    class TextPanes
    {
    public:
        explicit TextPanes(AreaHost& host);

        // One of the six options chosen, by the user or again for a newly chosen entry.
        void choose(int option);

        // Saves the note the editor shows: nothing when a reference text is shown. A failed write
        // keeps the old file and the unsaved-changes flag, and tells the user so.
        void saveNote();
        // The editor no longer shows the note last loaded (it was cleared, or the panes unticked).
        void forgetNote();

        // The file number of the entry the panes describe: the chosen entry, or the example's.
        int fileNumber() const;
        // The note file the editor was last loaded from ("Policy14.Fil"), empty before any.
        const QString& loadedNote() const;

    private:
        void chooseUserPane(int pane);
        void chooseReferencePane(int option);
        bool overviewShown() const;
        // The question before another pane replaces the editor's text; false when the user stays on
        // the pane shown, whose option is then ticked again.
        bool mayReplaceText();

        AreaHost& m_host;
        QString m_loadedNote;
        int m_loadedPane = 0;
        // The option whose text the editor shows, or -1.
        int m_shownOption = -1;
    };

} // namespace qv
