#pragma once

#include <QString>

class QWidget;

namespace qv {

    class PageEngine;
    class ProgramFolder;
    class Prompter;
    struct PrintSettings;
    class WorkPanel;

    // The Action Area's screen state: one plain record that the hub owns and the areas read and set.
    struct ActionAreaState
    {
        static constexpr int NoWorksheet = 99;

        int area = 0;
        int lastAreaButton = 0;
        // The chosen entry button inside the area, from 0.
        int currentItem = 0;
        // 0 a reference text, 3 Action Taken, 4 Comments/Notes, 5 Policies and Procedures/Plan.
        int currentPane = 0;
        // 1 when the editor holds edits not yet saved; only 1 makes the save-changes prompt ask.
        int unsavedChanges = 0;
        // 9 just before the program clears the editor, so that clearing is not taken for an edit.
        int suppressChange = 0;
        QString captionBase;
        // The full name of the chosen entry or the name of the document shown.
        QString documentName;
        // 0 nothing archivable shown, 1 a policy or plan, 2 a worksheet.
        int documentKind = 0;
        bool sampleNoticeShown = false;
        bool samplePolicyNoticeShown = false;
        int chosenWorksheet = NoWorksheet;
    };

    // What an area may ask of the Action Area that shows it.
    class AreaHost
    {
    public:
        virtual ~AreaHost() = default;

        virtual ActionAreaState& state() = 0;
        virtual WorkPanel& workPanel() = 0;
        virtual Prompter& prompter() = 0;
        virtual const ProgramFolder& folder() const = 0;

        virtual void setCaption(const QString& caption) = 0;
        // The caption of the panel above the work panel, for areas without entry buttons.
        virtual void setPanelCaption(const QString& caption) = 0;
        // Asks "Save changes/entries before next action?" and saves on Yes. False when the edits are
        // still not on disk (the save was refused or failed): the caller must then leave the editor's
        // content as it is and stay where it is.
        virtual bool saveChangesPrompt() = 0;
        // Empties the editor without counting it as an edit.
        virtual void clearEditor() = 0;
        // Shows the chosen text pane again, for a newly chosen entry.
        virtual void rerunSelectedPane() = 0;
        // The status box shows text; setting it never counts as a pick.
        virtual void showStatus(const QString& text) = 0;
        // Enables or disables a menu entry by name, as far as its feature is in the program.
        virtual void setMenuEnabled(const QString& name, bool enabled) = 0;
        // The editing commands (print options, save, font, thesaurus, spell check) with their menu
        // entries and the "Text Location" frame, together.
        virtual void setEditingCommandsEnabled(bool enabled) = 0;
    };

    // A printout its area composes itself (the timeline), shown with the two timeline boxes of the
    // print options: "Print 'As of' date/each page" and "Print Grid Lines".
    class GridPrint
    {
    public:
        virtual ~GridPrint() = default;

        // The print's own font rules, applied to the program's settings before it is composed.
        virtual void prepare(PrintSettings& settings) const = 0;
        virtual void
        compose(PageEngine& engine, const PrintSettings& settings, bool asOfDate, bool gridLines) const = 0;
    };

    // The reports an area's print command can open; the Action Area's print desk opens them in the
    // print options.
    class ReportPrinter
    {
    public:
        virtual ~ReportPrinter() = default;

        // The safeguard status report with an overview family (0–2) ticked in advance.
        virtual void openStatusReport(int family) = 0;
        // The notes report of the entry chosen in a safeguard family.
        virtual void openNotesReport() = 0;
        // The editor's whole document as one block; planArea gives the plan's deeper bottom margin.
        virtual void openSingleDocument(bool planArea) = 0;
        // A printout the area composes; print must outlive the print options' use of it.
        virtual void openGridPrint(const GridPrint& print) = 0;
    };

    // One area of the Action Area. The hub runs the steps every area shares when it is selected and
    // hands each command that depends on the area to the current one, so the areas live with their
    // own subsystems and the hub knows none of their insides.
    class Area
    {
    public:
        virtual ~Area() = default;

        // What the area shows in the hub's area panel: the overview or timeline panel, or the frame of
        // entry buttons above the work panel; nullptr when it has none.
        virtual QWidget* content()
        {
            return nullptr;
        }
        // The area's own part of being selected, after the common steps.
        virtual void enter() = 0;
        // The Save command while this area is current; false when the area has nothing to save. The
        // unsaved-changes flag is cleared once the text is on disk and stays set when the save is
        // refused or fails: the save-changes question relies on that.
        virtual bool save()
        {
            return false;
        }
        // The template button ("Insert Template", or "New Worksheet" among the worksheets).
        virtual void insertTemplate()
        {
        }
        // "&Print Options" while the print options are closed: most areas print the editor's document.
        virtual void print(ReportPrinter& printer)
        {
            printer.openSingleDocument(false);
        }
    };

} // namespace qv
