#pragma once

#include "core/storage/result.h"

#include <QString>
#include <QStringList>

namespace qv {

    // What the command line asks for. Parsing never ends the process; main() decides what to print
    // and which exit code to give, so every outcome can be tested.
    struct StartOptions
    {
        enum class Action
        {
            Run,
            ShowHelp,
            ShowVersion,
            ShowFolders, // print where the folders are and whether the content has its help, then end
            Fail // message says why; the exit code is 2
        };

        Action action = Action::Run;
        QString dataDir; // as given, empty for the default
        QString contentDir; // as given, empty for the default
        QString message; // the help text, the version line or the error
    };

    // arguments as QCoreApplication::arguments() gives them, the program's own path first.
    // Help and version win over any other mistake on the line, as people expect of them.
    StartOptions parseStartOptions(const QStringList& arguments);

    // Where the folders go when the command line names none.
    struct FolderDefaults
    {
        QString dataDir; // the per-user application data folder
        QString executableDir; // the folder holding the program itself
    };

    // The defaults of this installation; needs the application's organisation and name set first.
    FolderDefaults systemFolderDefaults();

    // <exe dir>/../share/quorvane: the same shape in the build tree and in an installation.
    QString contentDirBesideExecutable(const QString& executableDir);

    struct AppFolders
    {
        QString dataDir;
        QString contentDir;
    };

    // Absolute, clean paths of both folders. The data folder is created when missing: the program
    // writes into it from the first command on, so a folder that cannot be made or written is an error
    // now rather than a lost note later. A content folder named on the command line must exist; the
    // default one may be missing (the documents then simply read as empty).
    Result<AppFolders> resolveFolders(const StartOptions& options, const FolderDefaults& defaults);

} // namespace qv
