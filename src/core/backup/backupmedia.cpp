#include "backupmedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qv::backup {

    BackupMedia::~BackupMedia() = default;

    void BackupMedia::diskChanged()
    {
    }

    Status BackupMedia::sync()
    {
        return {};
    }

    namespace {

        std::filesystem::path fileSystemPath(const QString& path)
        {
#ifdef Q_OS_WIN
            return std::filesystem::path(path.toStdWString());
#else
            return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
        }

        Status notSaved(const QString& path, const QString& why)
        {
            return Status::failure(
                QStringLiteral("The file %1 could not be saved: %2.").arg(QDir::toNativeSeparators(path), why));
        }

        // Written beside its name and renamed over it, so the media only ever holds whole files. Unlike
        // the data folder's writes it is not synced file by file: on removable media a sync per file
        // costs more than the copy, and the backup syncs each disk before it counts as written.
        Status writeReplacing(const QString& path, QByteArrayView bytes)
        {
            const QString part = path + QStringLiteral(".part");
            QFile file(part);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
                return notSaved(path, file.errorString());
            }
            qint64 done = 0;
            while (done < bytes.size()) {
                const qint64 n = file.write(bytes.data() + done, bytes.size() - done);
                if (n <= 0) {
                    const QString why = file.errorString();
                    file.close();
                    file.remove();
                    return notSaved(path, why);
                }
                done += n;
            }
            file.close();
            if (file.error() != QFileDevice::NoError || QFileInfo(part).size() != bytes.size()) {
                const QString why = file.errorString();
                file.remove();
                return notSaved(path, why);
            }
            std::error_code error;
            std::filesystem::rename(fileSystemPath(part), fileSystemPath(path), error);
            if (error) {
                QFile::remove(part);
                return notSaved(path, QString::fromStdString(error.message()));
            }
            return {};
        }

    } // namespace

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
        const Status written = writeReplacing(path, bytes);
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
        // Asked before every file: one call to the file system, where QStorageInfo would first read
        // the whole mount table again.
        std::error_code error;
        const std::filesystem::space_info space = std::filesystem::space(fileSystemPath(m_dir), error);
        return error ? -1 : qint64(space.available);
    }

    Status FolderMedia::sync()
    {
#ifdef Q_OS_LINUX
        const int dir = ::open(QFile::encodeName(m_dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir < 0) {
            return Status::failure(
                QStringLiteral("%1 could not be opened: %2.")
                    .arg(QDir::toNativeSeparators(m_dir), QString::fromLocal8Bit(std::strerror(errno))));
        }
        const int synced = ::syncfs(dir);
        const int why = errno;
        ::close(dir);
        if (synced != 0) {
            return Status::failure(
                QStringLiteral("%1 could not be written to the end: %2.")
                    .arg(QDir::toNativeSeparators(m_dir), QString::fromLocal8Bit(std::strerror(why))));
        }
#elif defined(Q_OS_UNIX)
        ::sync();
#endif
        // Elsewhere the system writes the files out on its own; the read-back still checks each one.
        return {};
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
