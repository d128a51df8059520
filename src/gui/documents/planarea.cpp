#include "planarea.h"

#include "core/rtf/richtextfile.h"
#include "core/storage/programfolder.h"
#include "gui/kit/availability.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"

#include <QGroupBox>

namespace qv {

    namespace {
        const QString PlanName = QStringLiteral("Disaster Recovery Plan");
        const QString SaveTitle = QStringLiteral("File Save Command");

        bool blank(const RichTextEditor* editor)
        {
            return editor->text().trimmed().isEmpty();
        }
    } // namespace

    PlanArea::PlanArea(AreaHost& host)
        : m_host(host)
    {
    }

    void PlanArea::describeDocument(bool planOnFile)
    {
        ActionAreaState& state = m_host.state();
        if (planOnFile) {
            state.documentName = PlanName;
            state.documentKind = 1;
        } else {
            state.documentKind = 0;
        }
        m_host.setMenuEnabled(QStringLiteral("mOArchive"), planOnFile);
    }

    void PlanArea::enter()
    {
        ActionAreaState& state = m_host.state();
        WorkPanel& panel = m_host.workPanel();
        RichTextEditor* editor = panel.editor();

        state.suppressChange = 9;
        // No plan file yet is no plan: the sample below stands in.
        editor->loadFile(m_host.folder().path(PlanFile.toString())).ok();
        // A load that changed nothing announced nothing; the flag must not swallow the first keystroke.
        state.suppressChange = 0;

        const bool planOnFile = !blank(editor);
        describeDocument(planOnFile);
        if (!planOnFile) {
            editor->loadFile(m_host.folder().path(SampleFile.toString(), ProgramFolder::Place::Content)).ok();
            m_host.prompter().inform(
                QStringLiteral("Disaster Recovery Plan Information"),
                QStringLiteral("In response to a request from a user, we have included a copy of a sample "
                               "Disaster Recovery Plan. \r\r"
                               "This plan is for a larger organization and may or may not be applicable to "
                               "your organization.\r\r"
                               "Hopefully, it will give you some ideas on how to address disaster recovery in "
                               "your situation.\r\r\r"
                               "If you are a small provider then much of this plan can be cut down or covered "
                               "in a few sentences instead of the lists and so forth as contained in this "
                               "plan.\r\r"
                               "You can use this template to make changes in this program and save your "
                               "changes, etc. or you can copy and paste this document into your word "
                               "processor and work on it there."));
        }
        // Showing the sample is no edit of the user's.
        state.unsavedChanges = 0;

        enableCommand(panel.templateButton(), true);
        m_host.setPanelCaption(PlanName);
        m_host.setEditingCommandsEnabled(true);
        // Alignment stays with the safeguard notes.
        enableCommand(panel.textLocationFrame(), false);
    }

    bool PlanArea::save()
    {
        ActionAreaState& state = m_host.state();
        const RichTextEditor* editor = m_host.workPanel().editor();
        const Status saved = saveRichText(m_host.folder(), PlanFile.toString(), *editor->document());
        if (!saved) {
            // The earlier plan is still on file and the edits are still unsaved.
            m_host.prompter().critical(SaveTitle,
                                       QStringLiteral("The plan could not be saved; the file keeps its earlier "
                                                      "contents.\r\r") +
                                           saved.error());
            return true;
        }
        state.unsavedChanges = 0;
        describeDocument(!blank(editor));
        m_host.prompter().inform(SaveTitle, QStringLiteral("Disaster Recovery Plan Has Been Saved!"));
        return true;
    }

    TemplateChoice PlanArea::templateChoice()
    {
        return {SampleFile.toString(), PlanFile.toString(), QStringLiteral("Disaster Recovery Plan.")};
    }

    void PlanArea::print(ReportPrinter& printer)
    {
        printer.openSingleDocument(true);
    }

    void PlanArea::insertTemplate()
    {
        qv::insertTemplate(m_host, templateChoice());
    }

} // namespace qv
