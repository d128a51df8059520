#include "appfolders.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qv {

    namespace {

        QString absoluteClean(const QString& path)
        {
            return QDir::cleanPath(QDir::current().absoluteFilePath(path));
        }

        Result<QString> prepareDataDir(const QString& requested)
        {
            const QString dir = absoluteClean(requested);
            const QFileInfo info(dir);
            if (info.exists() && !info.isDir()) {
                return Result<QString>::failure(
                    QStringLiteral("The data folder %1 is a file, not a folder.").arg(QDir::toNativeSeparators(dir)));
            }
            if (!info.exists() && !QDir().mkpath(dir)) {
                return Result<QString>::failure(
                    QStringLiteral("The data folder %1 cannot be created.").arg(QDir::toNativeSeparators(dir)));
            }
            if (!QFileInfo(dir).isWritable()) {
                return Result<QString>::failure(
                    QStringLiteral("The data folder %1 cannot be written to.").arg(QDir::toNativeSeparators(dir)));
            }
            return dir;
        }

    } // namespace

    StartOptions parseStartOptions(const QStringList& arguments)
    {
        QCommandLineParser parser;
        parser.setApplicationDescription(
            QStringLiteral("Quorvane: a HIPAA Security Rule compliance workbook for business associates."));
        const QCommandLineOption helpOption = parser.addHelpOption();
        const QCommandLineOption versionOption = parser.addVersionOption();
        const QCommandLineOption dataOption(
            QStringList{QStringLiteral("data-dir")},
            QStringLiteral("Keep the workbook's files in <dir> instead of the per-user application data folder."),
            QStringLiteral("dir"));
        const QCommandLineOption contentOption(
            QStringList{QStringLiteral("content-dir")},
            QStringLiteral("Read the installed documents, pictures and help pages from <dir>."),
            QStringLiteral("dir"));
        const QCommandLineOption foldersOption(
            QStringList{QStringLiteral("show-folders")},
            QStringLiteral("Print the data folder and the content folder to be used and how many help pages the "
                           "content folder holds, then end."));
        parser.addOption(dataOption);
        parser.addOption(contentOption);
        parser.addOption(foldersOption);

        StartOptions options;
        const bool parsed = parser.parse(arguments);
        if (parser.isSet(helpOption)) {
            options.action = StartOptions::Action::ShowHelp;
            options.message = parser.helpText();
            return options;
        }
        if (parser.isSet(versionOption)) {
            options.action = StartOptions::Action::ShowVersion;
            options.message = QStringLiteral("Quorvane %1").arg(QStringLiteral(QUORVANE_VERSION));
            return options;
        }
        if (!parsed) {
            options.action = StartOptions::Action::Fail;
            options.message = parser.errorText();
            return options;
        }
        if (!parser.positionalArguments().isEmpty()) {
            options.action = StartOptions::Action::Fail;
            options.message =
                QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
            return options;
        }
        // An option given twice counts with its last value, as the shells' own tools do.
        for (const auto& [option, target] :
             {std::pair{&dataOption, &options.dataDir}, std::pair{&contentOption, &options.contentDir}}) {
            if (!parser.isSet(*option)) {
                continue;
            }
            *target = parser.values(*option).constLast();
            if (target->isEmpty()) {
                options.action = StartOptions::Action::Fail;
                options.message = QStringLiteral("--%1 needs a folder.").arg(option->names().constFirst());
                return options;
            }
        }
        if (parser.isSet(foldersOption)) {
            options.action = StartOptions::Action::ShowFolders;
        }
        return options;
    }

    FolderDefaults systemFolderDefaults()
    {
        return {QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                QCoreApplication::applicationDirPath()};
    }

    QString contentDirBesideExecutable(const QString& executableDir)
    {
        return QDir::cleanPath(absoluteClean(executableDir) + QStringLiteral("/../share/quorvane"));
    }

    Result<AppFolders> resolveFolders(const StartOptions& options, const FolderDefaults& defaults)
    {
        const QString requestedData = options.dataDir.isEmpty() ? defaults.dataDir : options.dataDir;
        if (requestedData.isEmpty()) {
            return Result<AppFolders>::failure(
                QStringLiteral("This system names no folder for application data; use --data-dir."));
        }
        // The content folder is checked first so a refused start leaves no new folder behind.
        QString contentDir;
        if (options.contentDir.isEmpty()) {
            contentDir = contentDirBesideExecutable(defaults.executableDir);
        } else {
            contentDir = absoluteClean(options.contentDir);
            if (!QFileInfo(contentDir).isDir()) {
                return Result<AppFolders>::failure(
                    QStringLiteral("The content folder %1 does not exist.").arg(QDir::toNativeSeparators(contentDir)));
            }
        }
        Result<QString> dataDir = prepareDataDir(requestedData);
        if (!dataDir) {
            return dataDir.status();
        }
        return AppFolders{std::move(dataDir).value(), contentDir};
    }

} // namespace qv
