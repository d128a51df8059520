#include "hitopener.h"

#include "core/catalogue/catalogue.h"
#include "gui/catalogue/familyarea.h"
#include "gui/documents/archivearea.h"
#include "gui/documents/incidentarea.h"
#include "gui/documents/worksheetarea.h"
#include "gui/kit/area.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"

#include <QAction>
#include <QComboBox>
#include <QRadioButton>

namespace qv {

    namespace {

        constexpr int WorksheetArea = 7;
        constexpr int PlanArea = 8;
        constexpr int IncidentArea = 10;
        constexpr int ArchiveArea = 11;

        using insight::DocumentKind;

        WorkPanel::PaneOption paneOf(DocumentKind kind)
        {
            switch (kind) {
            case DocumentKind::ActionTaken:
                return WorkPanel::ActionTaken;
            case DocumentKind::Comments:
                return WorkPanel::CommentsNotes;
            default:
                return WorkPanel::PoliciesProcedures;
            }
        }

        // Pressing the button of the area already shown does nothing, as it does for the user.
        bool enterArea(const DocumentControls& c, int area)
        {
            if (c.host->state().area != area) {
                c.areaButton(area)->click();
            }
            return c.host->state().area == area;
        }

        bool openNote(const DocumentControls& c, const insight::Hit& hit)
        {
            const catalogue::Entry* entry = catalogue::entryBySafeguard(hit.document.number);
            if (!entry || !enterArea(c, catalogue::family(entry->family).area)) {
                return false;
            }
            ActionAreaState& state = c.host->state();
            WorkPanel& panel = c.host->workPanel();
            const WorkPanel::PaneOption pane = paneOf(hit.document.kind);
            FamilyArea* family = c.familyArea(state.area);
            if (state.currentItem != entry->button) {
                // Choosing the entry shows the pane already chosen, for the new entry.
                family->button(entry->button)->click();
                if (state.currentItem != entry->button) {
                    return false;
                }
            }
            if (panel.checkedPaneOption() != pane) {
                panel.paneOption(pane)->click();
            }
            return state.currentItem == entry->button && panel.checkedPaneOption() == pane;
        }

        bool openWorksheet(const DocumentControls& c, const insight::Hit& hit)
        {
            if (!enterArea(c, WorksheetArea)) {
                return false;
            }
            c.worksheets->button(hit.document.number)->click();
            return c.host->state().chosenWorksheet == hit.document.number;
        }

        bool openIncident(const DocumentControls& c, const insight::Hit& hit)
        {
            if (!enterArea(c, IncidentArea)) {
                return false;
            }
            qv::IncidentArea* area = c.incidents;
            if (area->mode() != qv::IncidentArea::Choosing && area->mode() != qv::IncidentArea::Opened) {
                // "Select Existing Report Above", which asks about a report being written.
                area->command(0)->click();
                if (area->mode() != qv::IncidentArea::Choosing) {
                    return false;
                }
            }
            const int position = area->index().find(hit.document.title);
            if (position < 0) {
                return false;
            }
            if (area->mode() == qv::IncidentArea::Opened && area->selector()->currentIndex() == position) {
                return true; // on view already, with whatever edits it has
            }
            // What picking the report in the selector does.
            area->selector()->setCurrentIndex(position);
            area->chooseReport(position);
            return area->mode() == qv::IncidentArea::Opened &&
                   c.host->state().unsavedChanges == 0; // the report on view is the one chosen
        }

        bool openArchive(const DocumentControls& c, const insight::Hit& hit)
        {
            if (c.host->state().area != ArchiveArea) {
                c.viewArchives->trigger();
                if (c.host->state().area != ArchiveArea) {
                    return false;
                }
            }
            const int position = c.archives->index().find(hit.document.title);
            if (position < 0) {
                return false;
            }
            c.archives->selector()->setCurrentIndex(position);
            c.archives->chooseArchive(position);
            return true;
        }

        // The hit where the index found it, or, when the document has changed in the editor since,
        // its first place in the text now shown.
        void selectHit(RichTextEditor* editor, const insight::Hit& hit)
        {
            const QString text = editor->text();
            const QString words = hit.line.mid(hit.lineHitStart, hit.lineHitLength);
            qsizetype at = hit.position;
            if (text.mid(at, hit.length).compare(words, Qt::CaseInsensitive) != 0) {
                at = text.indexOf(words, 0, Qt::CaseInsensitive);
            }
            if (at < 0) {
                return;
            }
            editor->select(static_cast<int>(at), static_cast<int>(hit.length));
            editor->ensureCursorVisible();
            editor->setFocus();
        }

    } // namespace

    bool openHit(const DocumentControls& controls, const insight::Hit& hit)
    {
        bool opened = false;
        switch (hit.document.kind) {
        case DocumentKind::ActionTaken:
        case DocumentKind::Comments:
        case DocumentKind::Policy:
            opened = openNote(controls, hit);
            break;
        case DocumentKind::Worksheet:
            opened = openWorksheet(controls, hit);
            break;
        case DocumentKind::Plan:
            opened = enterArea(controls, PlanArea);
            break;
        case DocumentKind::IncidentReport:
            opened = openIncident(controls, hit);
            break;
        case DocumentKind::Archive:
            opened = openArchive(controls, hit);
            break;
        }
        if (opened) {
            selectHit(controls.host->workPanel().editor(), hit);
        }
        return opened;
    }

} // namespace qv
