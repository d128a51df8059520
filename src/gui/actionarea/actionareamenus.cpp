// The Action Area's menus. Entries whose features arrive later are in their places already, and
// disabled until then.
#include "actionarea.h"

#include "gui/kit/availability.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/help.h"
#include "gui/kit/navigator.h"
#include "gui/kit/prompter.h"
#include "gui/kit/weblinks.h"
#include "gui/reports/printdesk.h"
#include "gui/shell/aboutdialog.h"

#include <QMenuBar>

namespace qv {

    void ActionArea::buildMenus()
    {
        auto add = [this](QMenu* menu, const QString& name, const QString& caption) {
            QAction* action = menu->addAction(caption);
            action->setObjectName(name);
            m_actions.insert(name, action);
            return action;
        };
        auto later = [&add](QMenu* menu, const QString& name, const QString& caption) {
            QAction* action = add(menu, name, caption);
            markUnavailable(action);
            return action;
        };

        m_optionsMenu = menuBar()->addMenu(QStringLiteral("&Options"));
        m_optionsMenu->setObjectName(QStringLiteral("mO"));
        QMenu* options = m_optionsMenu;
        add(options, QStringLiteral("mOPrint"), QStringLiteral("&Print Options"));
        // Shown only while the notes report of a family is in the print options.
        add(options, QStringLiteral("mOPrintAll"), QStringLiteral("Print &All Current Policies Only"))
            ->setVisible(false);
        connect(add(options, QStringLiteral("mOSave"), QStringLiteral("&Save")),
                &QAction::triggered,
                this,
                &ActionArea::save);
        add(options, QStringLiteral("mOClip"), QStringLiteral("&Copy to Clipboard"));
        options->addSeparator();
        add(options, QStringLiteral("mOFont"), QStringLiteral("&Font Select"));
        add(options, QStringLiteral("mOThes"), QStringLiteral("&Thesaurus"));
        add(options, QStringLiteral("mOSpell"), QStringLiteral("&Spell Check"));
        options->addSeparator();
        // Enabled by the areas while an archivable document is shown.
        add(options, QStringLiteral("mOArchive"), QStringLiteral("Create Archive of Policy, etc."))->setEnabled(false);
        add(options, QStringLiteral("mOArchiveV"), QStringLiteral("View Archived Policies, etc."));
        add(options, QStringLiteral("mOWkTitle"), QStringLiteral("&Change Worksheet Button Title"))->setEnabled(false);
        options->addSeparator();
        later(options, QStringLiteral("mOInsert"), QStringLiteral("&Insert Row"));
        later(options, QStringLiteral("mODelete"), QStringLiteral("&Delete Item from Grid"));
        later(options, QStringLiteral("mOClear"), QStringLiteral("&Clear Grid"));
        later(options, QStringLiteral("mOGrid"), QStringLiteral("&Grid Background Selector"));
        later(options, QStringLiteral("mOGridColor"), QStringLiteral("Grid Font Color"));
        options->addSeparator();

        // Entries 0-4 press navigation buttons 1, 2, 6, 3 and 4.
        const struct
        {
            const char16_t* caption;
            int navigation;
        } screens[] = {
            {u"&Information Advisor", Navigator::InformationAdvisor},
            {u"&Security Rule", Navigator::SecurityRule},
            {u"&HITECH Information", Navigator::HitechInformation},
            {u"&Miscellaneous", Navigator::Miscellaneous},
            {u"&Exit Program", Navigator::ExitProgram},
        };
        for (int i = 0; i < 5; ++i) {
            QAction* action = options->addAction(QString::fromUtf16(screens[i].caption));
            setControlName(action, QStringLiteral("mOTab"), i);
            const int k = screens[i].navigation;
            if (k != Navigator::ExitProgram && !m_navigator.isAvailable(k)) {
                markUnavailable(action);
            }
            // A report on view belongs to this screen: it is put away before another screen opens
            // or the program asks to end.
            connect(action, &QAction::triggered, this, [this, k] {
                m_printDesk->close();
                pressNavigation(k);
            });
        }

        QMenu* utilities = menuBar()->addMenu(QStringLiteral("Utilities"));
        utilities->setObjectName(QStringLiteral("mU"));
        later(utilities, QStringLiteral("mUBack"), QStringLiteral("&Backup User Created Files"));
        later(utilities, QStringLiteral("mURestore"), QStringLiteral("&Restore User Created Files"));
        utilities->addSeparator();
        later(utilities, QStringLiteral("mUExport"), QStringLiteral("Export File in Excel/Spreadsheet Format"));

        QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
        help->setObjectName(QStringLiteral("mH"));
        connect(add(help, QStringLiteral("mHI"), QStringLiteral("&Program Overview")),
                &QAction::triggered,
                this,
                [this] { m_help.showTopic(HelpTopic::ProgramOverview); });
        connect(add(help, QStringLiteral("mHScreen"), QStringLiteral("&Action Area")),
                &QAction::triggered,
                this,
                [this] { m_help.showTopic(helpTopic()); });
        connect(add(help, QStringLiteral("mHPrint"), QStringLiteral("&Print")), &QAction::triggered, this, [this] {
            m_help.showTopic(HelpTopic::Printing);
        });
        connect(add(help,
                    QStringLiteral("mHArchive"),
                    QStringLiteral("Create/View - Archives of Policy, Risk Analysis, etc.")),
                &QAction::triggered,
                this,
                [this] { m_help.showTopic(HelpTopic::Archives); });
        help->addSeparator();
        connect(add(help, QStringLiteral("mHA"), QStringLiteral("&About Quorvane")), &QAction::triggered, this, [this] {
            AboutDialog about(this);
            about.exec();
        });
        connect(add(help, QStringLiteral("mODownload"), QStringLiteral("&Download Brevantel")),
                &QAction::triggered,
                this,
                [this] { openWebPage(brevantelDownload(), m_prompter); });
        connect(add(help, QStringLiteral("mHWeb"), QStringLiteral("Quorvane on the &Web")),
                &QAction::triggered,
                this,
                [this] { openWebPage(vendorHomePage(), m_prompter); });
    }

} // namespace qv
