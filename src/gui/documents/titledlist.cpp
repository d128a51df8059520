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
        Prompt prompt;
        prompt.title = QStringLiteral("Delete File!");
        prompt.text = QStringLiteral("Are you sure you want to delete file [ ") + title + QStringLiteral(" ]?");
        prompt.icon = PromptIcon::Critical;
        prompt.buttons = PromptButtons::YesNo;
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
