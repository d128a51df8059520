// The Action Area's menus. Entries whose features arrive later are in their places already, and
// disabled until then.
#include "actionarea.h"

#include "core/documents/worksheettitles.h"
#include "core/insight/progresspage.h"
#include "core/reports/spreadsheet.h"
#include "core/storage/programfolder.h"
#include "gui/backup/backupwindow.h"
#include "gui/catalogue/overviewarea.h"
#include "gui/insight/finddialog.h"
#include "gui/insight/hitopener.h"
#include "gui/insight/progresschart.h"
#include "gui/insight/progresspanel.h"
#include "gui/kit/availability.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/help.h"
#include "gui/kit/navigator.h"
#include "gui/kit/prompter.h"
#include "gui/kit/weblinks.h"
#include "gui/reports/exportpanel.h"
#include "gui/reports/printdesk.h"
#include "gui/shell/aboutdialog.h"
#include "gui/shell/griddisplay.h"
#include "gui/timeline/timelinearea.h"

#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>

namespace qv {

    void ActionArea::buildMenus()
    {
        auto add = [this](QMenu* menu, const QString& name, const QString& caption) {
            QAction* action = menu->addAction(caption);
            action->setObjectName(name);
            m_actions.insert(name, action);
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
        add(options, QStringLiteral("mOFind"), QStringLiteral("Find in All Documents\u2026"))
            ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
        options->addSeparator();
        add(options, QStringLiteral("mOInsert"), QStringLiteral("&Insert Row"));
        add(options, QStringLiteral("mODelete"), QStringLiteral("&Delete Item from Grid"));
        add(options, QStringLiteral("mOClear"), QStringLiteral("&Clear Grid"));
        add(options, QStringLiteral("mOGrid"), QStringLiteral("&Grid Background Selector"));
        add(options, QStringLiteral("mOGridColor"), QStringLiteral("Grid Font Color"));
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
        QAction* backUp = add(utilities, QStringLiteral("mUBack"), QStringLiteral("&Backup User Created Files"));
        QAction* restore = add(utilities, QStringLiteral("mURestore"), QStringLiteral("&Restore User Created Files"));
        // A report on view is the print options' own: the files stay as they are until it is put away.
        connect(utilities, &QMenu::aboutToShow, this, [this, backUp, restore] {
            backUp->setEnabled(!m_printDesk->isOpen());
            restore->setEnabled(!m_printDesk->isOpen());
        });
        connect(backUp, &QAction::triggered, this, [this] {
            // What the user typed belongs in the backup too.
            if (m_printDesk->isOpen() || !offerToSave()) {
                return;
            }
            openBackupWindow(this, BackupMode::Backup, m_folder, m_prompter, m_dialogs);
        });
        connect(restore, &QAction::triggered, this, [this] {
            if (m_printDesk->isOpen()) {
                return;
            }
            if (openBackupWindow(this, BackupMode::Restore, m_folder, m_prompter, m_dialogs) ==
                backup::Outcome::Completed) {
                takeRestoredFiles();
            }
        });
        utilities->addSeparator();
        add(utilities, QStringLiteral("mUExport"), QStringLiteral("Export File in Excel/Spreadsheet Format"));

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

    // Both grids share one look, read when the screen is built: it lives as long as the program.
    void ActionArea::buildGridDisplay()
    {
        m_gridDisplay =
            new GridDisplay(m_folder, m_dialogs, m_prompter, {m_overview->grid(), m_timeline->grid()}, m_content);
        m_gridDisplay->load();
        connect(
            m_actions.value(QStringLiteral("mOGrid")), &QAction::triggered, m_gridDisplay, &GridDisplay::openSelector);
        connect(m_actions.value(QStringLiteral("mOGridColor")),
                &QAction::triggered,
                m_gridDisplay,
                &GridDisplay::chooseTextColor);
    }

    GridDisplay* ActionArea::gridDisplay() const
    {
        return m_gridDisplay;
    }

    void ActionArea::attachInsight()
    {
        auto* summary = new ProgressPanel(m_statusStore, m_folder);
        m_overview->setSidePanel(summary);
        m_printDesk->setSummaryPage([this](PageEngine& engine) {
            const insight::Progress progress = insight::countProgress(
                m_statusStore.table(), [this](int worksheet) { return worksheets::isFilled(m_folder, worksheet); });
            return insight::composeProgressPage(engine, progress, bucketColours());
        });

        // Built on first use, and kept with its index for the rest of the session.
        connect(m_actions.value(QStringLiteral("mOFind")), &QAction::triggered, this, [this] {
            auto* dialog = findChild<FindDialog*>();
            if (!dialog) {
                dialog = new FindDialog(m_folder, this);
                connect(dialog, &FindDialog::openRequested, this, [this](const insight::Hit& hit) {
                    m_printDesk->close();
                    m_exportPanel->hide();
                    DocumentControls controls;
                    controls.host = this;
                    controls.areaButton = [this](int k) -> QAbstractButton* { return m_areaButtons.value(k); };
                    controls.familyArea = [this](int k) { return familyArea(k); };
                    controls.worksheets = m_worksheets;
                    controls.incidents = m_incidents;
                    controls.archives = m_archives;
                    controls.viewArchives = m_actions.value(QStringLiteral("mOArchiveV"));
                    openHit(controls, hit);
                });
            }
            dialog->show();
            dialog->raise();
            dialog->activateWindow();
            dialog->focusQuery();
        });
    }

    void ActionArea::takeRestoredFiles()
    {
        // The statuses and the text on screen came from files the restore replaced: an edit of the
        // old text saved now would undo the restore.
        m_state.unsavedChanges = 0;
        if (const Status loaded = m_statusStore.loadAll(); !loaded) {
            m_prompter.warn(QStringLiteral("Current Status"), loaded.error());
        }
        selectArea(0);
    }

    void ActionArea::openExport()
    {
        QString name;
        ExportPanel::RowSource rows;
        if (m_state.area == 0) {
            static constexpr catalogue::Family shown[] = {
                catalogue::Family::Administrative, catalogue::Family::Physical, catalogue::Family::Technical};
            name = spreadsheet::defaultName(spreadsheet::Grid::Standards,
                                            shown[std::clamp(m_overview->chosenFamily(), 0, 2)]);
            rows = [this] {
                // The cells as the reports have them, line breaks and all; the heading row stays out.
                const QTableWidget* grid = m_overview->grid();
                QList<QStringList> cells;
                for (int r = 1; r < grid->rowCount(); ++r) {
                    QStringList row;
                    for (int c = 0; c < grid->columnCount(); ++c) {
                        const QTableWidgetItem* item = grid->item(r, c);
                        row.append(item ? item->data(Qt::UserRole).toString() : QString());
                    }
                    cells.append(row);
                }
                return cells;
            };
        } else if (m_state.area == 1) {
            name = spreadsheet::defaultName(spreadsheet::Grid::Timeline);
            rows = [this] { return m_timeline->model().cellRows(); };
        } else {
            // No grid is shown here: there is nothing to export, so nothing is offered.
            return;
        }
        m_printDesk->close();
        m_exportPanel->open(m_folder.dataDir(), name, std::move(rows));
    }

    ExportPanel* ActionArea::exportPanel() const
    {
        return m_exportPanel;
    }

} // namespace qv
