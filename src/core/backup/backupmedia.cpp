#include "backupmedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace qv::backup {

    BackupMedia::~BackupMedia() = default;

    void BackupMedia::diskChanged()
    {
    }

    FolderMedia::FolderMedia(QString dir)
        : m_dir(std::move(dir))
    {
    }

    void FolderMedia::setDir(const QString& dir)
    {
        m_dir = dir;
        m_names.reset();
    }

    void FolderMedia::diskChanged()
    {
        m_names.reset();
    }

    const QHash<QString, QString>& FolderMedia::names() const
    {
        if (!m_names) {
            m_names.emplace();
            for (const QString& entry : QDir(m_dir).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
                // Of several spellings that differ only in case, the same one every time.
                QString& known = (*m_names)[entry.toCaseFolded()];
                if (known.isEmpty() || entry < known) {
                    known = entry;
                }
            }
        }
        return *m_names;
    }

    QString FolderMedia::pathOf(const QString& name) const
    {
        return QDir(m_dir).filePath(names().value(name.toCaseFolded(), name));
    }

    QString FolderMedia::location() const
    {
        return QDir::toNativeSeparators(m_dir);
    }

    qint64 FolderMedia::size(const QString& name) const
    {
        if (!ProgramFolder::isValidName(name) || !names().contains(name.toCaseFolded())) {
            return -1;
        }
        const QFileInfo info(pathOf(name));
        return info.isFile() ? info.size() : -1;
    }

    Result<QByteArray> FolderMedia::read(const QString& name) const
    {
        if (!ProgramFolder::isValidName(name)) {
            return Result<QByteArray>::failure(QStringLiteral("\"%1\" is not a valid file name.").arg(name));
        }
        return readFile(pathOf(name));
    }

    Status FolderMedia::write(const QString& name, QByteArrayView bytes)
    {
        if (!ProgramFolder::isValidName(name)) {
            return Status::failure(QStringLiteral("\"%1\" is not a valid file name.").arg(name));
        }
        const QString path = pathOf(name);
        const Status written = writeFileAtomically(path, bytes);
        if (written) {
            m_names->insert(name.toCaseFolded(), QFileInfo(path).fileName());
        }
        return written;
    }

    Status FolderMedia::remove(const QString& name)
    {
        if (!ProgramFolder::isValidName(name) || !names().contains(name.toCaseFolded())) {
            return {};
        }
        QFile file(pathOf(name));
        if (file.exists() && !file.remove()) {
            return Status::failure(QStringLiteral("The file %1 could not be deleted: %2.")
                                       .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        }
        m_names->remove(name.toCaseFolded());
        return {};
    }

    Status FolderMedia::removeMatching(const QString& pattern)
    {
        Status first;
        const QList<QString> present = names().values();
        for (const QString& name : present) {
            if (matchesWildcard(name, pattern)) {
                const Status removed = remove(name);
                if (!removed && first.ok()) {
                    first = removed;
                }
            }
        }
        return first;
    }

    qint64 FolderMedia::freeSpace() const
    {
        const QStorageInfo storage(m_dir);
        return storage.isValid() && storage.isReady() ? storage.bytesAvailable() : -1;
    }

    SizeLimitedFolderMedia::SizeLimitedFolderMedia(QString dir, qint64 capacity)
        : FolderMedia(std::move(dir))
        , m_capacity(capacity)
    {
    }

    qint64 SizeLimitedFolderMedia::usedSpace() const
    {
        qint64 used = 0;
        for (const QFileInfo& file : QDir(dir()).entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
            used += file.size();
        }
        return used;
    }

    Status SizeLimitedFolderMedia::write(const QString& name, QByteArrayView bytes)
    {
        // The new file is written beside the old one before it replaces it, as on any disk.
        if (usedSpace() + bytes.size() > m_capacity) {
            return Status::failure(QStringLiteral("The file %1 could not be saved: No space left on device.")
                                       .arg(QDir::toNativeSeparators(QDir(dir()).filePath(name))));
        }
        return FolderMedia::write(name, bytes);
    }

    qint64 SizeLimitedFolderMedia::freeSpace() const
    {
        return qMax<qint64>(0, m_capacity - usedSpace());
    }

    QList<RemovableDrive> removableDrives()
    {
        QList<RemovableDrive> drives;
        for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
            if (!volume.isValid() || !volume.isReady() || volume.isReadOnly()) {
                continue;
            }
            const QString root = volume.rootPath();
#ifdef Q_OS_WIN
            if (root.compare(QStorageInfo::root().rootPath(), Qt::CaseInsensitive) == 0) {
                continue;
            }
#else
            static const QStringList mediaRoots = {QStringLiteral("/media/"),
                                                   QStringLiteral("/run/media/"),
                                                   QStringLiteral("/mnt/"),
                                                   QStringLiteral("/Volumes/")};
            if (std::none_of(
                    mediaRoots.begin(), mediaRoots.end(), [&](const QString& r) { return root.startsWith(r); })) {
                continue;
            }
#endif
            const QString label = volume.displayName();
            drives.append({label.isEmpty() ? QDir::toNativeSeparators(root) : label, root});
        }
        return drives;
    }

} // namespace qv::backup
