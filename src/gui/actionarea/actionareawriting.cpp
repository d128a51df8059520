// The hub's routing of the writing aids: the buttons and menu entries of the work panel lead to the
// editor pane's WritingAids; what they do lives with them.
#include "actionarea.h"

#include "core/writing/dictionaryfolders.h"
#include "gui/kit/availability.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "gui/reports/printdesk.h"
#include "gui/writing/writingaids.h"

#include <QAction>
#include <QApplication>

namespace qv {

    void ActionArea::connectWritingAids()
    {
        m_writing = std::make_unique<WritingAids>(*m_workPanel->editor(), m_prompter, m_dialogs, m_help);
        const struct
        {
            WorkPanel::Command button;
            const char16_t* menu;
            void (WritingAids::*command)();
            bool installed;
            const QString* missing;
        } commands[] = {
            {WorkPanel::FontSelect, u"mOFont", &WritingAids::selectFont, true, nullptr},
            {WorkPanel::Thesaurus,
             u"mOThes",
             &WritingAids::lookUpSelection,
             m_writing->canLookUpWords(),
             &writing::NoThesaurusMessage},
            {WorkPanel::SpellCheck,
             u"mOSpell",
             &WritingAids::checkPane,
             m_writing->canCheckSpelling(),
             &writing::NoSpellDictionaryMessage},
        };
        for (const auto& c : commands) {
            QPushButton* button = m_workPanel->command(c.button);
            QAction* menu = m_actions.value(QString::fromUtf16(c.menu));
            if (!c.installed) {
                // The reason stays with the command, which can never be used on this system.
                const QString why = QString(*c.missing).replace(u'\r', u' ');
                markUnavailable(button);
                markUnavailable(menu);
                button->setToolTip(why);
                menu->setToolTip(why);
                menu->setStatusTip(why);
                continue;
            }
            const auto command = c.command;
            connect(button, &QPushButton::clicked, this, [this, command] { (m_writing.get()->*command)(); });
            // The menu entries only beep while the print options cover the pane.
            connect(menu, &QAction::triggered, this, [this, command] {
                if (m_printDesk->isOpen()) {
                    QApplication::beep();
                    return;
                }
                (m_writing.get()->*command)();
            });
        }
    }

    WritingAids& ActionArea::writingAids() const
    {
        return *m_writing;
    }

} // namespace qv
