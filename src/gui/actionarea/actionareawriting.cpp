// The hub's routing of the writing aids: the buttons and menu entries of the work panel lead to the
// editor pane's WritingAids; what they do lives with them.
#include "actionarea.h"

#include "core/writing/dictionaryfolders.h"
#include "gui/kit/availability.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "gui/reports/printdesk.h"
#include "gui/timeline/timelinearea.h"
#include "gui/writing/writingaids.h"

#include <QAction>
#include <QApplication>

#include <functional>

namespace qv {

    void ActionArea::connectWritingAids()
    {
        m_writing = std::make_unique<WritingAids>(*m_workPanel->editor(), m_prompter, m_dialogs, m_help, m_folder);
        // In the timeline the spell check goes through the items of its rows instead of the pane.
        const auto checkSpelling = [this] {
            if (m_state.area == 1) {
                m_timeline->checkSpelling(*m_writing);
            } else {
                m_writing->checkPane();
            }
        };
        const struct
        {
            WorkPanel::Command button;
            const char16_t* menu;
            std::function<void()> command;
            // The menu entry's, where it differs from the button's.
            std::function<void()> menuCommand;
            bool installed;
            const QString* missing;
        } commands[] = {
            {WorkPanel::FontSelect, u"mOFont", [this] { m_writing->selectFont(); }, {}, true, nullptr},
            {WorkPanel::Thesaurus,
             u"mOThes",
             [this] { m_writing->lookUpSelection(); },
             {},
             m_writing->canLookUpWords(),
             &writing::NoThesaurusMessage},
            {WorkPanel::SpellCheck,
             u"mOSpell",
             [this] { m_writing->checkPane(); },
             checkSpelling,
             m_writing->canCheckSpelling(),
             &writing::NoSpellDictionaryMessage},
        };
        QPushButton* timelineCheck = m_timeline->spellCheckButton();
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
                if (c.button == WorkPanel::SpellCheck) {
                    markUnavailable(timelineCheck);
                    timelineCheck->setToolTip(why);
                }
                continue;
            }
            connect(button, &QPushButton::clicked, this, c.command);
            const auto command = c.menuCommand ? c.menuCommand : c.command;
            // The menu entries only beep while the print options cover the pane.
            connect(menu, &QAction::triggered, this, [this, command] {
                if (m_printDesk->isOpen()) {
                    QApplication::beep();
                    return;
                }
                command();
            });
        }
        connect(
            m_timeline, &TimelineArea::spellCheckRequested, this, [this] { m_timeline->checkSpelling(*m_writing); });
    }

    WritingAids& ActionArea::writingAids() const
    {
        return *m_writing;
    }

} // namespace qv
