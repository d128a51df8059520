#include "backupjob.h"
#include "backupmessages.h"
#include "backupset.h"
#include "diskinfo.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <optional>

namespace qv::backup {

    namespace {
        using namespace messages;
        using Answer = Question::Answer;

        // Room kept free on every disk, so that "DiskInfo.bk1" can still be rewritten once the
        // disk is full: the new file is written beside the old one before it replaces it.
        constexpr qint64 Reserve = 4096;

        // The progress bar's range while the settings files go, and while everything else does.
        constexpr int SettingsProgress = 166;
        constexpr int FilesProgress = 168;

        enum class Copy
        {
            Done,
            // The disk took no more, or did not keep what it was given.
            Full,
            // A user file could not be read; the user was told.
            Failed
        };

        // The user's files, listed once: a backup looks up every name of the set, most of them
        // not there, and reading the folder for each would cost more than the copying.
        class DataFiles
        {
        public:
            explicit DataFiles(const ProgramFolder& folder)
                : m_dir(folder.dataDir())
            {
                for (const QString& entry : QDir(m_dir).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
                    QString& known = m_names[entry.toCaseFolded()];
                    if (known.isEmpty() || entry < known) {
                        known = entry;
                    }
                }
            }

            bool exists(const QString& name) const
            {
                return ProgramFolder::isValidName(name) && m_names.contains(name.toCaseFolded());
            }
            qint64 size(const QString& name) const
            {
                return exists(name) ? QFileInfo(path(name)).size() : -1;
            }
            Result<QByteArray> read(const QString& name) const
            {
                return exists(name) ? readFile(path(name))
                                    : Result<QByteArray>::failure(QStringLiteral("%1 is not there.").arg(name));
            }

        private:
            QString path(const QString& name) const
            {
                return QDir(m_dir).filePath(m_names.value(name.toCaseFolded()));
            }

            QString m_dir;
            QHash<QString, QString> m_names;
        };

        class BackupRun
        {
        public:
            BackupRun(const ProgramFolder& folder, BackupMedia& media, Listener& ui)
                : m_data(folder)
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
            bool writeTestPassed();
            // Writes the first disk until one takes the settings files, asking for another disk
            // first when afterFailure; an outcome when the backup ends there.
            std::optional<Outcome> firstDisk(bool afterFailure);
            // The settings files onto a first disk; false when the disk cannot take them.
            Copy startFirstDisk();
            // The files of index i; the last index also carries the documents, the added files and
            // the disk's closing record, so that they always lie on the last disk.
            Copy copyUnit(int index);
            Copy copyTail();
            Copy copyCollection(const Collection& collection);
            // Copies one data file to the media and reads it back; a file that is not there is
            // skipped.
            Copy copy(const QString& file, const QString& backupName);
            Copy writeVerified(const QString& name, const QByteArray& bytes);
            Copy writeDiskInfo();
            // Takes off the disk what the unbacked unit left there, so the full disk holds only whole
            // units and has room to record where it ends.
            void dropUnit();
            void clearDisk();
            // Asks for the disk of number m_disk until one that is not the disk just written is in
            // the drive; false when the user cancels.
            bool askForDisk();
            Outcome cancelled();
            Outcome failed(const QString& title, const QString& text);

            DataFiles m_data;
            BackupMedia& m_media;
            Listener& m_ui;
            int m_disk = 1;
            int m_expected = 1;
            DiskInfo m_info;
            // The index before the first numbered file of the disk in the drive.
            int m_startIndex = -1;
            // The backup files of the unit being copied, written to the disk in the drive.
            QStringList m_unitFiles;
            QString m_failureTitle;
            QString m_failureText;
        };

        QString diskFullText()
        {
            return QStringLiteral("Disk is either Full, or there is not enough room") + CR +
                   QStringLiteral("remaining for the requested backup files!") + CR +
                   QStringLiteral("Please Insert a New Blank Formatted") + CR +
                   QStringLiteral("Backup Disk and then Click on OK.") + CR +
                   QStringLiteral("CAUTION: Wait till Disk Drive light goes out and") + CR +
                   QStringLiteral("Be sure New Disk is inserted before Clicking OK");
        }

        QString diskErrorText()
        {
            return QStringLiteral("Unable to access Disk or Disk is Full!") + CR +
                   QStringLiteral("Make sure Disk is in Drive and Not Write Protected!");
        }

        Outcome BackupRun::run()
        {
            const QString path = m_media.location();
            if (ask(deleteFiles(QStringLiteral("This utility will first Delete all existing ") +
                                texts::Subject.toString() + QStringLiteral(" files") + CR +
                                QStringLiteral("located in Path: ") + path + CR + CR + QStringLiteral("Proceed?"))) !=
                Answer::Yes) {
                return Outcome::NotStarted;
            }
            m_ui.showStatus(texts::DeletingOldFiles.toString());
            clearDisk();

            if (!writeTestPassed()) {
                if (ask(info(QStringLiteral("Disk Error"), diskErrorText(), Question::Buttons::OkCancel)) ==
                    Answer::Ok) {
                    m_ui.showStatus({});
                    return Outcome::ChooseAnotherDrive;
                }
                m_ui.showStatus(texts::BackupTerminated.toString());
                return Outcome::Cancelled;
            }
            m_ui.showStatus(texts::MakingDisk.toString() + QStringLiteral("1"));

            if (const std::optional<Outcome> end = firstDisk(false)) {
                return *end;
            }

            m_disk = 1;
            m_expected = 1;
            m_startIndex = -1;
            for (int i = 0; i <= LastIndex;) {
                m_ui.showProgress(i, FilesProgress);
                const Copy result = copyUnit(i);
                if (result == Copy::Failed) {
                    return failed(m_failureTitle, m_failureText);
                }
                if (result == Copy::Done) {
                    ++i;
                    continue;
                }
                dropUnit();
                const bool emptyDisk = i - 1 == m_startIndex;
                if (emptyDisk && m_disk == 1) {
                    // Not even the first file fits beside the settings: the first disk starts over.
                    if (const std::optional<Outcome> end = firstDisk(true)) {
                        return *end;
                    }
                    continue;
                }
                if (!emptyDisk) {
                    // The disk is full: it records where it ends and which disk follows.
                    m_info = DiskInfo::started();
                    m_info.disk = m_disk;
                    m_info.nextDisk = m_disk + 1;
                    m_info.lastIndex = i - 1;
                    if (writeDiskInfo() != Copy::Done) {
                        m_media.remove(DiskInfoFile.toString()).ok();
                        return failed(QStringLiteral("Disk Error"), diskErrorText());
                    }
                    ++m_disk;
                }
                // A disk that cannot hold even this one unit is replaced by another under the same
                // number: a disk recording no file of its own would end the set for a restore.
                m_ui.showProgress(0, 0);
                if (!askForDisk()) {
                    m_media.remove(DiskInfoFile.toString()).ok();
                    return cancelled();
                }
                m_expected = m_disk;
                m_ui.showStatus(texts::DeletingOldFiles.toString());
                m_media.removeMatching(QStringLiteral("*.bk1")).ok();
                clearDisk();
                m_startIndex = i - 1;
                m_info = DiskInfo::started();
                m_info.disk = m_disk;
                m_info.nextDisk = m_disk;
                m_info.lastIndex = i - 1;
                // A disk that cannot even take its record is full as well: the unit's retry asks again.
                writeDiskInfo();
                m_ui.showStatus(texts::MakingDisk.toString() + QString::number(m_disk));
            }
            m_ui.showProgress(0, 0);
            m_ui.showStatus(texts::BackupComplete.toString());
            return Outcome::Completed;
        }

        std::optional<Outcome> BackupRun::firstDisk(bool afterFailure)
        {
            for (;;) {
                if (afterFailure) {
                    m_media.remove(DiskInfoFile.toString()).ok();
                    m_media.removeMatching(QStringLiteral("*.hb1")).ok();
                    if (ask(info(QStringLiteral("Backup Disk"), diskFullText(), Question::Buttons::OkCancel)) !=
                        Answer::Ok) {
                        m_ui.showStatus({});
                        return cancelled();
                    }
                    // Whatever an older backup left on the new disk must not mix with this one.
                    clearDisk();
                }
                const Copy first = startFirstDisk();
                if (first == Copy::Failed) {
                    return failed(m_failureTitle, m_failureText);
                }
                if (first == Copy::Done) {
                    return std::nullopt;
                }
                afterFailure = true;
            }
        }

        void BackupRun::clearDisk()
        {
            for (const QString& pattern : backupPatterns()) {
                m_media.removeMatching(pattern).ok();
            }
        }

        bool BackupRun::writeTestPassed()
        {
            // The display settings make a handy test, but a workbook that never changed them has
            // none; a few bytes of our own show just as well whether the disk takes a file.
            static constexpr QStringView TestFile = u"Test1.hb1";
            QByteArray probe = m_data.read(QStringLiteral("HINV3.Fil")).valueOr(QByteArray());
            if (probe.isEmpty()) {
                probe = QByteArrayLiteral("HIPAA");
            }
            const bool passed = writeVerified(TestFile.toString(), probe) == Copy::Done;
            m_media.remove(TestFile.toString()).ok();
            return passed;
        }

        Copy BackupRun::startFirstDisk()
        {
            m_ui.showProgress(0, SettingsProgress);
            m_info = DiskInfo::started();
            m_unitFiles.clear();
            if (writeDiskInfo() != Copy::Done) {
                return Copy::Full;
            }
            for (int k = 1; k <= SettingsCount; ++k) {
                const Copy result = copy(settingsFile(k), settingsBackupName(k));
                if (result != Copy::Done) {
                    return result;
                }
                m_ui.showProgress(k, SettingsProgress);
            }
            m_unitFiles.clear();
            return Copy::Done;
        }

        Copy BackupRun::copyUnit(int index)
        {
            m_unitFiles.clear();
            const Copy file = copy(numberedFile(index), numberedBackupName(index));
            if (file != Copy::Done || index < LastIndex) {
                return file;
            }
            return copyTail();
        }

        Copy BackupRun::copyTail()
        {
            int progress = FilesProgress - 1;
            for (const Collection& collection : collections()) {
                const Copy result = copyCollection(collection);
                if (result != Copy::Done) {
                    return result;
                }
                m_ui.showProgress(progress++, FilesProgress);
            }
            for (const Extra& extra : extras()) {
                const Copy result = copy(extra.file.toString(), extra.backupName.toString());
                if (result != Copy::Done) {
                    return result;
                }
            }
            m_info.disk = m_disk;
            m_info.lastIndex = LastIndex;
            return writeDiskInfo();
        }

        Copy BackupRun::copyCollection(const Collection& collection)
        {
            // An index of a few bytes lists no document.
            if (m_data.size(collection.indexFile.toString()) <= 5) {
                return Copy::Done;
            }
            const QString index = collection.indexFile.toString();
            Result<QByteArray> bytes = m_data.read(index);
            if (!bytes) {
                m_failureTitle = QStringLiteral("Backup Error");
                m_failureText = QStringLiteral("Unable to read ") + index + QStringLiteral(":") + CR + bytes.error();
                return Copy::Failed;
            }
            const Copy indexCopy = writeVerified(collection.indexBackupName.toString(), bytes.value());
            if (indexCopy != Copy::Done) {
                return indexCopy;
            }
            for (const QString& entry : readIndexEntries(bytes.value())) {
                // A damaged index may name anything; only documents of the collection are its to carry.
                if (!isDocumentName(collection, entry)) {
                    continue;
                }
                const Copy result = copy(entry, documentBackupName(collection, entry));
                if (result != Copy::Done) {
                    return result;
                }
            }
            return Copy::Done;
        }

        Copy BackupRun::copy(const QString& file, const QString& backupName)
        {
            if (!m_data.exists(file)) {
                return Copy::Done;
            }
            Result<QByteArray> bytes = m_data.read(file);
            if (!bytes) {
                m_failureTitle = QStringLiteral("Backup Error");
                m_failureText = QStringLiteral("Unable to read ") + file + QStringLiteral(":") + CR + bytes.error();
                return Copy::Failed;
            }
            return writeVerified(backupName, bytes.value());
        }

        Copy BackupRun::writeVerified(const QString& name, const QByteArray& bytes)
        {
            const qint64 free = m_media.freeSpace();
            if (free >= 0 && bytes.size() + Reserve > free && name != DiskInfoFile) {
                return Copy::Full;
            }
            m_unitFiles.append(name);
            if (!m_media.write(name, bytes)) {
                return Copy::Full;
            }
            // A disk that takes a file but does not give it back whole is of no use for a restore.
            if (m_media.size(name) != bytes.size()) {
                return Copy::Full;
            }
            const Result<QByteArray> back = m_media.read(name);
            return back && back.value() == bytes ? Copy::Done : Copy::Full;
        }

        // The record goes down only after everything before it is on the media, and is itself synced:
        // a disk whose record says it ends somewhere really holds every file up to there.
        Copy BackupRun::writeDiskInfo()
        {
            if (!m_media.sync()) {
                return Copy::Full;
            }
            const Copy written = writeVerified(DiskInfoFile.toString(), m_info.toBytes());
            return written == Copy::Done && !m_media.sync() ? Copy::Full : written;
        }

        void BackupRun::dropUnit()
        {
            for (const QString& name : std::as_const(m_unitFiles)) {
                if (name != DiskInfoFile) {
                    m_media.remove(name).ok();
                }
            }
            m_unitFiles.clear();
        }

        bool BackupRun::askForDisk()
        {
            for (;;) {
                if (ask(info(QStringLiteral("Backup Disk"),
                             QStringLiteral("Disk is Full.") + CR + QStringLiteral("Please Insert Backup Disk #") +
                                 QString::number(m_disk) + CR +
                                 QStringLiteral("CAUTION: Wait till Disk Drive light goes out and Be sure New "
                                                "Disk is inserted before Clicking OK"),
                             Question::Buttons::OkCancel)) != Answer::Ok) {
                    return false;
                }
                // The disk just written is still in the drive: writing on would overwrite it.
                const DiskInfo inDrive =
                    DiskInfo::fromBytes(m_media.read(DiskInfoFile.toString()).valueOr(QByteArray()));
                if (inDrive.diskNumber() != m_expected) {
                    return true;
                }
            }
        }

        Outcome BackupRun::cancelled()
        {
            m_ui.showProgress(0, 0);
            ask(info(QStringLiteral("Backup Proceedure Cancelation"),
                     QStringLiteral("You have cancelled the backup proceedure!") + CR +
                         QStringLiteral("If backup files were on this disk they have been deleted!") + CR +
                         QStringLiteral("May we suggest you initiate Backup for these files again!")));
            m_ui.showStatus(texts::BackupTerminated.toString());
            return Outcome::Cancelled;
        }

        Outcome BackupRun::failed(const QString& title, const QString& text)
        {
            // An unfinished disk must not pass for a backup a restore could take.
            m_media.remove(DiskInfoFile.toString()).ok();
            m_ui.showProgress(0, 0);
            m_ui.showStatus({});
            ask(critical(title, text + CR + QStringLiteral("The backup was not completed.")));
            return Outcome::Failed;
        }
    } // namespace

    Outcome runBackup(const ProgramFolder& folder, BackupMedia& media, Listener& listener)
    {
        return BackupRun(folder, media, listener).run();
    }

} // namespace qv::backup
