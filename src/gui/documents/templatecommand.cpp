#include "templatecommand.h"

#include "core/catalogue/catalogue.h"
#include "core/storage/programfolder.h"
#include "core/storage/richtextfile.h"
#include "gui/kit/area.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "planarea.h"

#include <QTextDocument>

namespace qv {

    namespace {
        constexpr int PlanAreaIndex = 8;
        constexpr int ExampleAreaIndex = 9;
        // The example shows the Password Management entry, whose template this is.
        constexpr int ExampleTemplate = 28;

        QString templateName(int number)
        {
            return QStringLiteral("Misc") + QString::number(number) + QStringLiteral(".Fl1");
        }

        const QString PolicyWhat = QStringLiteral("Policy and Procedure/Plan.");

        // Whether the user's document holds text worth a question; one that cannot be read has none
        // the template could destroy.
        bool hasText(const ProgramFolder& folder, const QString& name)
        {
            QTextDocument scratch;
            const Result<LoadOutcome> loaded = loadRichText(folder, name, ProgramFolder::Place::Data, scratch);
            return loaded && loaded.value() == LoadOutcome::Loaded && !scratch.toPlainText().trimmed().isEmpty();
        }
    } // namespace

    std::optional<TemplateChoice> templateChoice(int area, int item)
    {
        if (area == PlanAreaIndex) {
            return TemplateChoice{
                templateName(60), PlanArea::PlanFile.toString(), QStringLiteral("Disaster Recovery Plan.")};
        }
        if (area == ExampleAreaIndex) {
            return TemplateChoice{templateName(ExampleTemplate), QString(), PolicyWhat};
        }
        const std::optional<catalogue::Family> family = catalogue::familyOfArea(area);
        if (!family) {
            return std::nullopt;
        }
        // An overview describes a whole family and has no policy of its own to start.
        const catalogue::Entry* entry = catalogue::entryByButton(*family, item);
        if (!entry || entry->isOverview()) {
            return std::nullopt;
        }
        const std::optional<int> number = catalogue::templateNumber(*family, item);
        const std::optional<int> file = catalogue::fileNumber(*family, item);
        if (!number || !file) {
            return std::nullopt;
        }
        return TemplateChoice{templateName(*number),
                              QStringLiteral("Policy") + QString::number(*file) + QStringLiteral(".Fil"),
                              PolicyWhat};
    }

    bool insertTemplate(AreaHost& host, const TemplateChoice& choice)
    {
        if (choice.existingFile.isEmpty() || hasText(host.folder(), choice.existingFile)) {
            const PromptAnswer answer =
                host.prompter().ask({QStringLiteral("Insert Template"),
                                     QStringLiteral("The program has detected an existing ") + choice.what +
                                         QStringLiteral("\r\rIf you insert template and save file the existing "
                                                        "file will be overwritten!\r\rInsert new Template?"),
                                     PromptIcon::Warning,
                                     PromptButtons::YesNoCancel,
                                     PromptAnswer::No});
            if (answer != PromptAnswer::Yes) {
                return false;
            }
        }
        RichTextEditor* editor = host.workPanel().editor();
        // A template that is not installed leaves the editor as it was.
        if (!editor->loadFile(host.folder().path(choice.templateFile, ProgramFolder::Place::Content))) {
            return false;
        }
        host.state().unsavedChanges = 1;
        return true;
    }

    bool insertTemplateForCurrentEntry(AreaHost& host)
    {
        const ActionAreaState& state = host.state();
        // Among the safeguards only the policy pane takes a template: the others are notes of what
        // was done.
        if (state.area != PlanAreaIndex && state.currentPane != PanePolicies) {
            return false;
        }
        const std::optional<TemplateChoice> choice = templateChoice(state.area, state.currentItem);
        return choice && insertTemplate(host, *choice);
    }

} // namespace qv
