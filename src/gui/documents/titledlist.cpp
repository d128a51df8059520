#include "titledlist.h"

#include "core/documents/documentindex.h"
#include "gui/kit/prompter.h"

#include <QComboBox>
#include <QLabel>

namespace qv::titledlist {

    void reload(QComboBox* selector, DocumentIndex& index, Prompter& prompter, const QString& title)
    {
        const Status loaded = index.load();
        if (!loaded) {
            prompter.critical(title, loaded.error());
        }
        selector->clear();
        selector->addItems(index.titles());
    }

    void informNoneSaved(Prompter& prompter, const QString& title, const QString& what)
    {
        prompter.inform(title, QStringLiteral("There are currently no Existing/Saved ") + what + QStringLiteral("!"));
    }

    void showCount(QLabel* label, int count)
    {
        const bool one = count == 1;
        label->setText(QStringLiteral("There ") + (one ? QStringLiteral("is") : QStringLiteral("are")) +
                       QStringLiteral(" - ") + QString::number(count) +
                       (one ? QStringLiteral(" Entry") : QStringLiteral(" Entries")));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->show();
    }

    bool confirmAndDelete(Prompter& prompter, DocumentIndex& index, int position, const QString& title)
    {
        const QString dialogTitle = QStringLiteral("Delete File!");
        // A line that names no document of this list is not offered for deletion at all.
        const Status deletable = index.checkDeletable(position);
        if (!deletable) {
            prompter.warn(dialogTitle, deletable.error());
            return false;
        }
        Prompt prompt;
        prompt.title = dialogTitle;
        prompt.text = QStringLiteral("Are you sure you want to delete file [ ") + title + QStringLiteral(" ]?");
        prompt.icon = PromptIcon::Critical;
        prompt.buttons = PromptButtons::YesNo;
        prompt.defaultButton = PromptAnswer::No;
        if (prompter.ask(prompt) != PromptAnswer::Yes) {
            return false;
        }
        const Status removed = index.removeAt(position);
        if (!removed) {
            prompter.critical(prompt.title, removed.error());
        }
        return true;
    }

} // namespace qv::titledlist
