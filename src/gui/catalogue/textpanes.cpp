#include "textpanes.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/referencetexts.h"
#include "core/rtf/richtextfile.h"
#include "core/rtf/rtfwriter.h"
#include "core/storage/programfolder.h"
#include "gui/kit/area.h"
#include "gui/kit/availability.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"

#include <QRadioButton>
#include <QTextDocument>

namespace qv {

    namespace {
        constexpr int ExampleArea = 9;
        constexpr int ExampleFile = catalogue::ExampleSafeguard - 1;

        QString notePrefix(int pane)
        {
            switch (pane) {
            case PaneActionTaken:
                return QStringLiteral("Action");
            case PaneComments:
                return QStringLiteral("Comment");
            default:
                return QStringLiteral("Policy");
            }
        }

        QString sampleFile(int pane)
        {
            switch (pane) {
            case PaneActionTaken:
                return QStringLiteral("SampleAct.Dat");
            case PaneComments:
                return QStringLiteral("SampleCom.Dat");
            default:
                return QStringLiteral("SamplePol.Dat");
            }
        }

        reftexts::Kind referenceKind(int option)
        {
            switch (option) {
            case WorkPanel::ReferencesInRule:
                return reftexts::Kind::References;
            case WorkPanel::AdditionalInformation:
                return reftexts::Kind::Information;
            default:
                return reftexts::Kind::Specification;
            }
        }
    } // namespace

    TextPanes::TextPanes(AreaHost& host)
        : m_host(host)
    {
    }

    int TextPanes::fileNumber() const
    {
        const ActionAreaState& state = m_host.state();
        if (state.area == ExampleArea) {
            return ExampleFile;
        }
        const std::optional<catalogue::Family> family = catalogue::familyOfArea(state.area);
        const std::optional<int> file = family ? catalogue::fileNumber(*family, state.currentItem) : std::nullopt;
        return file.value_or(-1);
    }

    const QString& TextPanes::loadedNote() const
    {
        return m_loadedNote;
    }

    bool TextPanes::overviewShown() const
    {
        const ActionAreaState& state = m_host.state();
        return (state.area == 5 || state.area == 6) && state.currentItem == 0;
    }

    bool TextPanes::mayReplaceText()
    {
        if (m_host.state().unsavedChanges != 1 || m_host.saveChangesPrompt()) {
            return true;
        }
        WorkPanel& panel = m_host.workPanel();
        if (m_shownOption >= 0) {
            panel.paneOption(static_cast<WorkPanel::PaneOption>(m_shownOption))->setChecked(true);
        } else {
            panel.clearPaneOptions();
        }
        return false;
    }

    void TextPanes::forgetNote()
    {
        m_loadedNote.clear();
        m_shownOption = -1;
    }

    void TextPanes::choose(int option)
    {
        if (!mayReplaceText()) {
            return;
        }
        switch (option) {
        case WorkPanel::ActionTaken:
            chooseUserPane(PaneActionTaken);
            break;
        case WorkPanel::CommentsNotes:
            chooseUserPane(PaneComments);
            break;
        case WorkPanel::PoliciesProcedures:
            chooseUserPane(PanePolicies);
            break;
        case WorkPanel::ImplementationSpecification:
        case WorkPanel::ReferencesInRule:
        case WorkPanel::AdditionalInformation:
            chooseReferencePane(option);
            break;
        default:
            break;
        }
    }

    void TextPanes::chooseUserPane(int pane)
    {
        ActionAreaState& state = m_host.state();
        WorkPanel& panel = m_host.workPanel();
        RichTextEditor* editor = panel.editor();
        const bool example = state.area == ExampleArea;
        const int file = fileNumber();
        if (file < 0) {
            return;
        }

        state.currentPane = pane;

        const bool policyShown = pane == PanePolicies && !overviewShown();
        state.documentKind = policyShown ? 1 : 0;
        m_host.setMenuEnabled(QStringLiteral("mOArchive"), policyShown);
        enableCommand(panel.templateButton(), pane == PanePolicies && (example || !overviewShown()));

        editor->setReadOnly(false);
        m_host.setEditingCommandsEnabled(true);

        m_host.clearEditor();
        if (example) {
            editor->loadFile(m_host.folder().path(sampleFile(pane), ProgramFolder::Place::Content)).ok();
        } else {
            m_loadedNote = notePrefix(pane) + QString::number(file) + QStringLiteral(".Fil");
            m_loadedPane = pane;
            // A note that was never saved has no file yet: the pane starts empty.
            editor->loadFile(m_host.folder().path(m_loadedNote)).ok();
        }

        if (example) {
            editor->setReadOnly(pane != PanePolicies);
        }
        m_shownOption = pane == PaneActionTaken ? WorkPanel::ActionTaken
                        : pane == PaneComments  ? WorkPanel::CommentsNotes
                                                : WorkPanel::PoliciesProcedures;
        state.unsavedChanges = 0;

        if (example && pane == PanePolicies && !state.samplePolicyNoticeShown) {
            m_host.prompter().inform(
                QStringLiteral("Policies and Procedures/Plan"),
                QStringLiteral("This Policy was first written using a full function word processing\r"
                               "program and then copied and pasted into the program.\r\r"
                               "You can use the program to enter in this information, but the program\r"
                               "doesn't give you all of the capabilities of a commerical word processor!"));
            state.samplePolicyNoticeShown = true;
        }
    }

    void TextPanes::chooseReferencePane(int option)
    {
        ActionAreaState& state = m_host.state();
        WorkPanel& panel = m_host.workPanel();
        RichTextEditor* editor = panel.editor();
        const int file = fileNumber();
        if (file < 0) {
            return;
        }

        enableCommand(panel.templateButton(), false);
        state.currentPane = PaneReference;
        state.documentKind = 0;
        m_host.setMenuEnabled(QStringLiteral("mOArchive"), false);

        m_host.setEditingCommandsEnabled(false);
        enableCommand(panel.command(WorkPanel::PrintOptions), true);
        m_host.setMenuEnabled(QStringLiteral("mOPrint"), true);
        editor->setReadOnly(true);

        m_host.clearEditor();
        const reftexts::Kind kind = referenceKind(option);
        if (const std::optional<QString> installed = reftexts::installedFile(file, kind)) {
            editor->loadFile(m_host.folder().path(*installed, ProgramFolder::Place::Content)).ok();
        } else if (reftexts::isAvailable(file, kind)) {
            QTextDocument text;
            reftexts::placeAssembled(file, kind, text, reftexts::Emphasis::On);
            // Assembled and emphasised apart, then handed over as RTF, as the notes print does too.
            editor->setTextRtf(rtf::write(text));
        }
        editor->setSelStart(0);
        m_shownOption = option;

        CaptionButton* exit = panel.command(WorkPanel::Exit);
        if (exit->isVisible()) {
            exit->setFocus();
        }
        state.unsavedChanges = 0;
    }

    void TextPanes::saveNote()
    {
        ActionAreaState& state = m_host.state();
        if (state.currentPane == PaneReference || m_loadedNote.isEmpty()) {
            return;
        }
        // The editor's text goes only to the note it was loaded from: the entry and pane now current
        // must still name that file.
        const int file = fileNumber();
        if (state.area == ExampleArea || file < 0 || m_loadedPane != state.currentPane ||
            m_loadedNote != notePrefix(state.currentPane) + QString::number(file) + QStringLiteral(".Fil")) {
            return;
        }
        const Status saved = saveRichText(m_host.folder(), m_loadedNote, *m_host.workPanel().editor()->document());
        if (!saved) {
            // The old note is still on file and the edits are still unsaved; the user must not be
            // told otherwise.
            m_host.prompter().critical(QStringLiteral("File Save Command"),
                                       QStringLiteral("The text could not be saved; the file keeps its earlier "
                                                      "contents.\r\r") +
                                           saved.error());
            return;
        }
        state.unsavedChanges = 0;
        m_host.prompter().inform(QStringLiteral("File Save Command"),
                                 m_loadedPane == PanePolicies
                                     ? QStringLiteral("Policies and Procedures/Plan Has Been Saved/Updated!")
                                     : QStringLiteral("File Has Been Saved/Updated!"));
    }

} // namespace qv
