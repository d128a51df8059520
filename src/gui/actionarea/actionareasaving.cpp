// The Action Area's side of keeping the user's words: the save-changes question, the Save command's
// dispatch, and the ways out of an area that must never drop or misplace an edit.
//
// The rule every path here keeps: the question and the save run while the area that owns the text in
// the editor is still the current one, so Save can only write where the text came from; and a save
// that is refused or fails leaves the unsaved-changes flag set and the user where they were.
#include "actionarea.h"

#include "gui/catalogue/textpanes.h"
#include "gui/documents/archivearea.h"
#include "gui/kit/availability.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "gui/reports/printdesk.h"

namespace qv {

    namespace {
        constexpr int ExampleAreaNumber = 9;

        bool isFamilyArea(int k)
        {
            return k >= 2 && k <= 6;
        }
    } // namespace

    bool ActionArea::saveChangesPrompt()
    {
        // The example's edits are never kept, so there is nothing to ask.
        if (m_state.area == ExampleAreaNumber) {
            m_state.unsavedChanges = 0;
            return true;
        }
        const bool yes = m_prompter.askYesNo(QStringLiteral("Save Changes?"),
                                             QStringLiteral("Save changes/entries before next action?"),
                                             PromptAnswer::Yes);
        if (!yes) {
            m_state.unsavedChanges = 0;
            return true;
        }
        save();
        // Every area clears the flag once the text is on disk; a refused or failed save leaves it, and
        // whatever was about to replace the editor's content must not go on.
        return m_state.unsavedChanges == 0;
    }

    bool ActionArea::offerToSave()
    {
        return m_state.unsavedChanges != 1 || saveChangesPrompt();
    }

    void ActionArea::clearEditor()
    {
        m_state.suppressChange = 9;
        m_workPanel->editor()->clear();
        // Clearing an empty editor announces no change; the flag must not outlive this call, or the
        // user's next keystroke would be taken for the program's and not count as an edit.
        m_state.suppressChange = 0;
        // The text that came from a note is gone, and with it the note that Save would write.
        m_textPanes->forgetNote();
    }

    void ActionArea::rerunSelectedPane()
    {
        const int option = m_workPanel->checkedPaneOption();
        if (option >= 0) {
            onPaneOptionChosen(option);
        } else {
            showNoPane();
        }
    }

    void ActionArea::clearPanes()
    {
        m_workPanel->clearPaneOptions();
        showNoPane();
    }

    void ActionArea::showNoPane()
    {
        // With no pane chosen the editor shows nothing of the entry's: nothing typed there could be
        // saved anywhere it belongs.
        m_state.currentPane = PaneReference;
        m_textPanes->forgetNote();
        m_workPanel->editor()->setReadOnly(true);
        // Nothing to save, correct or restyle; the family's notes can still be printed.
        setEditingCommandsEnabled(false);
        enableCommand(m_workPanel->command(WorkPanel::PrintOptions), true);
        setMenuEnabled(QStringLiteral("mOPrint"), true);
        enableCommand(m_workPanel->templateButton(), false);
    }

    void ActionArea::onEditorChanged()
    {
        if (m_state.suppressChange == 9) {
            m_state.suppressChange = 0;
            return;
        }
        const int pane = m_state.currentPane;
        m_state.unsavedChanges = (pane == PaneActionTaken || pane == PaneComments || pane == PanePolicies) ? 1 : 0;
        if (m_state.area == 8 || m_state.area == 10) {
            m_state.unsavedChanges = 1;
        }
        // A worksheet's text is the user's own whatever pane was shown last in a family; without this
        // an edit would be dropped without a question when another worksheet or area is chosen.
        if (m_state.area == 7 && m_state.chosenWorksheet != ActionAreaState::NoWorksheet) {
            m_state.unsavedChanges = 1;
        }
    }

    void ActionArea::onPaneOptionChosen(int option)
    {
        m_textPanes->choose(option);
    }

    void ActionArea::save()
    {
        if (isFamilyArea(m_state.area)) {
            m_textPanes->saveNote();
            return;
        }
        if (Area* current = area(m_state.area)) {
            current->save();
        }
    }

    void ActionArea::viewArchives()
    {
        if (!offerToSave()) {
            return;
        }
        m_printDesk->close();
        if (m_state.lastAreaButton == 11) {
            m_archives->enter();
            return;
        }
        selectArea(11);
    }

    void ActionArea::exitWorkPanel()
    {
        // Asked here, while the area that owns the text is current, so that Yes saves it where it came
        // from; the incident reports ask also for a typed title alone.
        const bool pending = m_state.unsavedChanges == 1 || (m_state.area == 10 && m_state.unsavedChanges != 0);
        if (pending && !saveChangesPrompt()) {
            return;
        }
        m_state.unsavedChanges = 0;
        m_state.documentKind = 0;
        setMenuEnabled(QStringLiteral("mOArchive"), false);
        selectArea(0);
    }

} // namespace qv
