#include "appfolders.h"
#include "core/reports/printsettings.h"
#include "core/storage/programfolder.h"
#include "gui/actionarea/actionarea.h"
#include "gui/backup/backupwindow.h"
#include "gui/kit/dialogs.h"
#include "gui/kit/navigator.h"
#include "gui/kit/programlook.h"
#include "gui/kit/prompter.h"
#include "gui/library/libraryscreens.h"
#include "gui/shell/helplibrary.h"
#include "gui/shell/helpviewer.h"
#include "gui/shell/startscreen.h"
#include "workbooklock.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

    // Help and version are answered without a window system, so they work over ssh and in scripts.
    bool wantsTextOnly(int argc, char* argv[])
    {
        for (int i = 1; i < argc; ++i) {
            for (const char* flag : {"-h", "-?", "--help", "--help-all", "-v", "--version", "--show-folders"}) {
                if (std::strcmp(argv[i], flag) == 0) {
                    return true;
                }
            }
        }
        return false;
    }

    void nameApplication()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Quorvane"));
        QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
        QCoreApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
    }

    int fail(const QString& message)
    {
        QTextStream(stderr) << "quorvane: " << message << '\n';
        return 2;
    }

    // Tells where an installation looks for its files. A content folder without help is an
    // installation that lost its share folder, so it fails here as it would leave the user without
    // documents or help on a real start.
    int showFolders(const qv::AppFolders& folders)
    {
        const QString helpFolder = folders.contentDir + QStringLiteral("/help");
        const QList<int> topics = qv::HelpLibrary::topicsIn(helpFolder);
        QTextStream(stdout) << "Data folder: " << QDir::toNativeSeparators(folders.dataDir) << '\n'
                            << "Content folder: " << QDir::toNativeSeparators(folders.contentDir) << '\n'
                            << "Help topics: " << topics.size() << '\n';
        if (topics.isEmpty()) {
            return fail(QStringLiteral("The content folder %1 holds no help pages.")
                            .arg(QDir::toNativeSeparators(folders.contentDir)));
        }
        return 0;
    }

    // No window is up yet, so the refusal is a box of its own; it goes to stderr as well for whoever
    // started the program from a shell or a script. A platform with no screen (offscreen, minimal)
    // has nobody to click the box away, so it gets stderr only.
    int refuseOpenWorkbook(const QString& message)
    {
        const QString platform = QGuiApplication::platformName();
        if (platform != u"offscreen" && platform != u"minimal") {
            qv::QtPrompter().warn(QStringLiteral("Quorvane"), message);
        }
        return fail(message);
    }

} // namespace

int main(int argc, char* argv[])
{
    nameApplication();
    // QApplication takes its own options (-platform, -style) off the command line before we parse it.
    std::unique_ptr<QCoreApplication> app = wantsTextOnly(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                                                                      : std::make_unique<QApplication>(argc, argv);

    const qv::StartOptions options = qv::parseStartOptions(QCoreApplication::arguments());
    switch (options.action) {
    case qv::StartOptions::Action::ShowHelp:
    case qv::StartOptions::Action::ShowVersion:
        QTextStream(stdout) << options.message << (options.message.endsWith(u'\n') ? "" : "\n");
        return 0;
    case qv::StartOptions::Action::Fail:
        return fail(options.message);
    case qv::StartOptions::Action::Run:
    case qv::StartOptions::Action::ShowFolders:
        break;
    }

    const qv::Result<qv::AppFolders> folders = qv::resolveFolders(options, qv::systemFolderDefaults());
    if (!folders) {
        return fail(folders.error());
    }
    if (options.action == qv::StartOptions::Action::ShowFolders) {
        return showFolders(folders.value());
    }

    // Claimed before anything reads the workbook: a second program on it would undo the first one's saves.
    qv::WorkbookLock lock(folders.value().dataDir);
    if (const qv::Status claimed = lock.claim(); !claimed) {
        return refuseOpenWorkbook(claimed.error());
    }

    qv::applyProgramLook();
    const qv::ProgramFolder folder(folders.value().dataDir, folders.value().contentDir);
    qv::QtPrompter prompter;
    qv::QtDialogs dialogs;
    qv::HelpViewer help(folder.contentDir() + QStringLiteral("/help"));
    qv::Navigator navigator;
    // One set for the whole run: a page set-up made for one screen's printout holds on the next.
    qv::PrintSettings printSettings;

    qv::StartScreen start(navigator, prompter, help, dialogs, folder);
    navigator.adopt(qv::Navigator::StartScreen, &start);
    // Every screen's Utilities menu opens the one backup utility; a restore also renews what the
    // Action Area holds of the replaced files, wherever it was started.
    const auto backupUtility = [&](QWidget* parent, bool restore) {
        const auto outcome = qv::openBackupWindow(
            parent, restore ? qv::BackupMode::Restore : qv::BackupMode::Backup, folder, prompter, dialogs);
        auto* area = qobject_cast<qv::ActionArea*>(navigator.existing(qv::Navigator::ActionArea));
        if (restore && outcome == qv::backup::Outcome::Completed && area) {
            area->takeRestoredFiles();
        }
    };
    start.setBackupCommand([&](bool restore) { backupUtility(&start, restore); });
    QObject::connect(&start, &qv::StartScreen::exitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    navigator.setFactory(qv::Navigator::ActionArea, [&] {
        auto* area = new qv::ActionArea(navigator, prompter, help, dialogs, folder, printSettings);
        // Exit ends the program at once: quit() would first close every window, and the Action
        // Area's close hands the screen back to the start screen, which would flash up on the way out.
        QObject::connect(
            area, &qv::ActionArea::exitRequested, qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        return area;
    });

    // Registered before the Action Area is made, which enables its buttons for the screens there are.
    qv::registerLibraryScreens({navigator, prompter, help, dialogs, folder, printSettings, backupUtility}, [] {
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    });

    if (!start.start()) {
        // The screen is too small for the program; the user has been told.
        return 1;
    }
    start.showInMode();
    const int code = QCoreApplication::exec();
    // The screens use the prompter, folders and settings above: they go before those do.
    for (int screen : {qv::Navigator::InformationAdvisor,
                       qv::Navigator::SecurityRule,
                       qv::Navigator::Miscellaneous,
                       qv::Navigator::HitechInformation}) {
        delete navigator.existing(screen);
    }
    if (QWidget* area = navigator.existing(qv::Navigator::ActionArea)) {
        area->setAttribute(Qt::WA_DeleteOnClose, false);
        delete area;
    }
    return code;
}
