#pragma once

#include "core/storage/programfolder.h"
#include "core/storage/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace qv::backup {

    // Where a backup is written to and read from: the folder on the disk now in the drive. A backup
    // that spans disks asks the user to change the disk, and the same media then shows the new one.
    // Names are matched ignoring letter case, as on the disks backups have always been made on.
    class BackupMedia
    {
    public:
        virtual ~BackupMedia();

        // The folder as the user chose it, for messages.
        virtual QString location() const = 0;

        // Size in bytes, -1 when there is no such file.
        virtual qint64 size(const QString& name) const = 0;
        bool exists(const QString& name) const
        {
            return size(name) >= 0;
        }
        virtual Result<QByteArray> read(const QString& name) const = 0;
        // Replaces the file as a whole: a write that fails leaves no part of a file behind. The bytes
        // may still be on their way to the media until sync().
        virtual Status write(const QString& name, QByteArrayView bytes) = 0;
        // Returns once everything written so far is on the media itself.
        virtual Status sync();
        virtual Status remove(const QString& name) = 0;
        // Deletes every file matching the wildcard; the first failure, when some could not go.
        virtual Status removeMatching(const QString& pattern) = 0;
        // Bytes that can still be written, or -1 when the media cannot tell.
        virtual qint64 freeSpace() const = 0;
        // The user may have put another disk in the drive: what was known of the last one is
        // forgotten. Called after every box, as disks are changed while one is up.
        virtual void diskChanged();
    };

    // A folder on any drive: a fixed disk, a network share, or removable media mounted as a folder.
    class FolderMedia : public BackupMedia
    {
    public:
        explicit FolderMedia(QString dir);

        const QString& dir() const
        {
            return m_dir;
        }
        // Another disk in the drive, or the test's next "disk".
        void setDir(const QString& dir);

        QString location() const override;
        qint64 size(const QString& name) const override;
        Result<QByteArray> read(const QString& name) const override;
        Status write(const QString& name, QByteArrayView bytes) override;
        Status remove(const QString& name) override;
        Status removeMatching(const QString& pattern) override;
        qint64 freeSpace() const override;
        Status sync() override;

        void diskChanged() override;

    private:
        // The files of the folder by their case-folded names, read once a disk: a backup looks up
        // hundreds of names, and reading the folder for each would cost more than the copying.
        const QHash<QString, QString>& names() const;
        QString pathOf(const QString& name) const;

        QString m_dir;
        mutable std::optional<QHash<QString, QString>> m_names;
    };

    // A folder that holds no more than capacity bytes, the way a floppy disk fills up: a write that
    // would pass the capacity while the old file is still there fails as a full disk does.
    class SizeLimitedFolderMedia : public FolderMedia
    {
    public:
        SizeLimitedFolderMedia(QString dir, qint64 capacity);

        Status write(const QString& name, QByteArrayView bytes) override;
        qint64 freeSpace() const override;

        qint64 usedSpace() const;

    private:
        qint64 m_capacity;
    };

    // A drive that can take removable media, as the platform mounts them.
    struct RemovableDrive
    {
        QString name; // what the user reads: the volume label, or the mount folder
        QString rootPath; // where it is mounted
    };
    // The removable drives mounted now: on Windows every ready drive but the system drive; elsewhere
    // the volumes mounted where the system mounts media (/media, /run/media, /mnt, /Volumes).
    QList<RemovableDrive> removableDrives();

} // namespace qv::backup
