#include "templatecommand.h"

#include "area.h"
#include "core/rtf/richtextfile.h"
#include "core/storage/programfolder.h"
#include "prompter.h"
#include "richtexteditor.h"
#include "workpanel.h"

#include <QTextDocument>

namespace qv {

    namespace {
        // Whether the user's document holds text worth a question; one that cannot be read has none
        // the template could destroy.
        bool hasText(const ProgramFolder& folder, const QString& name)
        {
            QTextDocument scratch;
            const Result<LoadOutcome> loaded = loadRichText(folder, name, ProgramFolder::Place::Data, scratch);
            return loaded && loaded.value() == LoadOutcome::Loaded && !scratch.toPlainText().trimmed().isEmpty();
        }
    } // namespace

    QString templateFileName(int number)
    {
        return QStringLiteral("Misc") + QString::number(number) + QStringLiteral(".Fl1");
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

} // namespace qv
