#include "backupjob.h"
#include "backupmessages.h"
#include "backupset.h"
#include "core/storage/quotedlinefile.h"
#include "diskinfo.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <optional>

namespace qv::backup {

    namespace {
        using namespace messages;
        using Answer = Question::Answer;

        constexpr int Progress = 168;

        QString unchangedLine()
        {
            return QStringLiteral("No User Created Files have been changed.");
        }

        // A name as a key that ignores letter case, the way the data folder matches names.
        QString key(const QString& name)
        {
            return name.toCaseFolded();
        }

        class RestoreRun
        {
        public:
            RestoreRun(const ProgramFolder& folder, BackupMedia& media, Listener& ui)
                : m_folder(folder)
                , m_media(media)
                , m_ui(ui)
            {
            }

            Outcome run();

        private:
            // Every box is a moment the user may change the disk in the drive.
            Question::Answer ask(const Question& question)
            {
                const Question::Answer answer = m_ui.ask(question);
                m_media.diskChanged();
                return answer;
            }
            bool makeStaging();
            // Reads every disk of the set into the staging folder; false when it could not, the
            // user having been told why.
            bool readWholeSet();
            bool changeDisk();
            bool readCollection(const Collection& collection);
            // Copies a backup file of the disk in the drive into the staging folder under the data
            // name, reading the staged copy back. A backup file that is not there is skipped.
            bool stage(const QString& backupName, const QString& file);
            bool stageBytes(const QString& file, const QByteArray& bytes);
            // Puts the staged files in place of the user's; on any failure every file written or
            // deleted so far is put back as it was.
            bool replaceUserFiles();
            Outcome fail(const QString& text);

            const ProgramFolder& m_folder;
            BackupMedia& m_media;
            Listener& m_ui;
            std::unique_ptr<QTemporaryDir> m_stagingDir;
            std::optional<ProgramFolder> m_staging;
            // The staged files by case-folded data name: the name they are to have, and the name of
            // the staged copy (numbered, so that no name from the media decides where it lands).
            struct Staged
            {
                QString file;
                QString copy;
            };
            std::map<QString, Staged> m_staged;
            int m_expected = 1;
            int m_nextDisk = 0;
            int m_lastIndex = 0;
            QString m_failure;
            bool m_cancelled = false;
        };

        Outcome RestoreRun::run()
        {
            const DiskInfo first = DiskInfo::fromBytes(m_media.read(DiskInfoFile.toString()).valueOr(QByteArray()));
            if (!first.isBackupDisk() || first.diskNumber() != 1) {
                ask(critical(QStringLiteral("Disk Error"),
                             QStringLiteral("Unable to find Backup Disk #1 or Backup files!") + CR +
                                 QStringLiteral("Please insert Disk #1 into selected Drive and Try again.")));
                return Outcome::Failed;
            }
            if (ask(deleteFiles(QStringLiteral("This utility will first Delete all existing User Created Files") + CR +
                                QStringLiteral("located in Quorvane Program!") + CR + CR +
                                QStringLiteral("Proceed?"))) != Answer::Yes) {
                return Outcome::NotStarted;
            }
            m_ui.showStatus(texts::RestoringFiles.toString());
            m_ui.showProgress(0, Progress);
            m_nextDisk = first.nextDiskNumber();
            m_lastIndex = first.lastIndexNumber();

            if (!makeStaging()) {
                return fail(QStringLiteral("Unable to make a folder for the files read from the Backup Disk!"));
            }
            if (!readWholeSet()) {
                if (m_cancelled) {
                    m_ui.showProgress(0, 0);
                    m_ui.showStatus({});
                    ask(info(QStringLiteral("Restore Function"),
                             QStringLiteral("The restore was cancelled.") + CR + unchangedLine()));
                    return Outcome::Cancelled;
                }
                return fail(m_failure);
            }
            if (!replaceUserFiles()) {
                return fail(m_failure);
            }
            m_ui.showProgress(0, 0);
            m_ui.showStatus(texts::RestorationCompleted.toString());
            return Outcome::Completed;
        }

        bool RestoreRun::makeStaging()
        {
            // Beside the data folder, so that the files are on the same disk as the workbook when
            // they replace it; the system's temporary folder when that one takes no folder.
            const QString parent = QFileInfo(m_folder.dataDir()).absolutePath();
            m_stagingDir = std::make_unique<QTemporaryDir>(parent + QStringLiteral("/.quorvane-restore-XXXXXX"));
            if (!m_stagingDir->isValid()) {
                m_stagingDir = std::make_unique<QTemporaryDir>();
            }
            if (!m_stagingDir->isValid()) {
                return false;
            }
            m_staging.emplace(m_stagingDir->path(), QString());
            return true;
        }

        bool RestoreRun::readWholeSet()
        {
            for (int k = 1; k <= SettingsCount; ++k) {
                if (!stage(settingsBackupName(k), settingsFile(k))) {
                    return false;
                }
            }
            for (int i = 0; i <= LastIndex; ++i) {
                m_ui.showProgress(i, Progress);
                if (!stage(numberedBackupName(i), numberedFile(i))) {
                    return false;
                }
                if (i < LastIndex && i == m_lastIndex && !changeDisk()) {
                    return false;
                }
            }
            // A set whose last disk does not end with the last index was never finished: what it
            // lacks would be deleted from the workbook.
            if (m_lastIndex != LastIndex) {
                m_failure = QStringLiteral("Backup Disk #") + QString::number(m_expected) +
                            QStringLiteral(" does not end the backup: the backup is not complete!");
                return false;
            }
            int progress = Progress - 1;
            for (const Collection& collection : collections()) {
                if (!readCollection(collection)) {
                    return false;
                }
                m_ui.showProgress(progress++, Progress);
            }
            for (const Extra& extra : extras()) {
                if (!stage(extra.backupName.toString(), extra.file.toString())) {
                    return false;
                }
            }
            return true;
        }

        bool RestoreRun::changeDisk()
        {
            for (;;) {
                // Unlike a restore that deletes first, this one may stop at any disk: nothing has
                // been changed yet, and a lost disk must not keep the user in this box for ever.
                if (ask(info(QStringLiteral("Restore Function"),
                             QStringLiteral("Please insert Backup Disk #") + QString::number(m_nextDisk),
                             Question::Buttons::OkCancel)) != Answer::Ok) {
                    m_cancelled = true;
                    return false;
                }
                const int wanted = m_expected + 1;
                const DiskInfo inDrive =
                    DiskInfo::fromBytes(m_media.read(DiskInfoFile.toString()).valueOr(QByteArray()));
                if (inDrive.isBackupDisk() && inDrive.diskNumber() == wanted) {
                    m_expected = wanted;
                    m_nextDisk = inDrive.nextDiskNumber();
                    m_lastIndex = inDrive.lastIndexNumber();
                    return true;
                }
                m_nextDisk = wanted;
            }
        }

        bool RestoreRun::readCollection(const Collection& collection)
        {
            const QString indexName = collection.indexBackupName.toString();
            // An index of a few bytes lists no document.
            if (m_media.size(indexName) < 6) {
                return true;
            }
            const Result<QByteArray> bytes = m_media.read(indexName);
            if (!bytes) {
                m_failure = QStringLiteral("Unable to read ") + indexName + QStringLiteral(" from Backup Disk #") +
                            QString::number(m_expected) + QStringLiteral("!");
                return false;
            }
            QStringList kept;
            bool refused = false;
            for (const QString& entry : readIndexEntries(bytes.value())) {
                if (!isDocumentName(collection, entry)) {
                    refused = true;
                    ask(info(QStringLiteral("Restore Function"),
                             QStringLiteral("The list of ") + collection.noun.toString() +
                                 QStringLiteral("s on the Backup Disk names \"") + entry + QStringLiteral("\",") + CR +
                                 QStringLiteral("which is not one of its files. It is not restored.")));
                    continue;
                }
                kept.append(entry);
                if (!stage(documentBackupName(collection, entry), entry)) {
                    return false;
                }
            }
            if (!refused) {
                return stageBytes(collection.indexFile.toString(), bytes.value());
            }
            // The index keeps only what was restored, so no later command acts on a refused name.
            const Result<QByteArray> cleaned = quotedlines::format(kept);
            return cleaned && stageBytes(collection.indexFile.toString(), cleaned.value());
        }

        bool RestoreRun::stage(const QString& backupName, const QString& file)
        {
            const qint64 size = m_media.size(backupName);
            if (size < 0) {
                return true;
            }
            const Result<QByteArray> bytes = m_media.read(backupName);
            if (!bytes || bytes.value().size() != size) {
                m_failure = QStringLiteral("Unable to read ") + backupName + QStringLiteral(" from Backup Disk #") +
                            QString::number(m_expected) + QStringLiteral("!");
                return false;
            }
            return stageBytes(file, bytes.value());
        }

        bool RestoreRun::stageBytes(const QString& file, const QByteArray& bytes)
        {
            // The same file under another spelling is one file: the later copy wins.
            const auto found = m_staged.find(key(file));
            const QString copy =
                found != m_staged.end()
                    ? found->second.copy
                    : QStringLiteral("%1.staged").arg(qulonglong(m_staged.size()), 4, 10, QLatin1Char('0'));
            const Status written = m_staging->write(copy, bytes);
            const Result<QByteArray> back = written ? m_staging->read(copy) : Result<QByteArray>(written);
            if (!back || back.value() != bytes) {
                m_failure = QStringLiteral("Unable to keep the files read from the Backup Disk:") + CR +
                            (back ? QStringLiteral("%1 did not read back as written.").arg(file) : back.error());
                return false;
            }
            m_staged[key(file)] = {file, copy};
            return true;
        }

        bool RestoreRun::replaceUserFiles()
        {
            // What the workbook holds now of every file the restore writes or deletes, to put back
            // if any of it fails.
            std::map<QString, std::optional<QByteArray>> before;
            QStringList toDelete;
            for (const QString& name : m_folder.list(QStringLiteral("*"))) {
                if (isSetKind(name) && m_staged.find(key(name)) == m_staged.end()) {
                    toDelete.append(name);
                }
            }
            auto remember = [&](const QString& name) {
                if (!m_folder.exists(name)) {
                    before[name] = std::nullopt;
                    return true;
                }
                Result<QByteArray> bytes = m_folder.read(name);
                if (!bytes) {
                    m_failure = bytes.error();
                    return false;
                }
                before[name] = std::move(bytes).value();
                return true;
            };
            for (const auto& [k, staged] : m_staged) {
                if (!remember(staged.file)) {
                    return false;
                }
            }
            for (const QString& name : std::as_const(toDelete)) {
                if (!remember(name)) {
                    return false;
                }
            }

            QStringList done;
            auto undo = [&](const QString& error) {
                for (const QString& name : std::as_const(done)) {
                    const std::optional<QByteArray>& old = before[name];
                    (old ? m_folder.write(name, *old) : m_folder.remove(name)).ok();
                }
                m_failure = error;
                return false;
            };
            for (const auto& [k, staged] : m_staged) {
                const Result<QByteArray> bytes = m_staging->read(staged.copy);
                const Status written = bytes ? m_folder.write(staged.file, bytes.value()) : bytes.status();
                if (!written) {
                    return undo(written.error());
                }
                done.append(staged.file);
            }
            for (const QString& name : std::as_const(toDelete)) {
                const Status removed = m_folder.remove(name);
                if (!removed) {
                    return undo(removed.error());
                }
                done.append(name);
            }
            return true;
        }

        Outcome RestoreRun::fail(const QString& text)
        {
            m_ui.showProgress(0, 0);
            m_ui.showStatus({});
            ask(critical(QStringLiteral("Disk Error"), text + CR + unchangedLine()));
            return Outcome::Failed;
        }
    } // namespace

    Outcome runRestore(const ProgramFolder& folder, BackupMedia& media, Listener& listener)
    {
        return RestoreRun(folder, media, listener).run();
    }

} // namespace qv::backup
