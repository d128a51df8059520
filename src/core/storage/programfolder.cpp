#include "programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace qv {

    namespace {
        QString shown(const QString& path)
        {
            return QDir::toNativeSeparators(path);
        }

        QChar folded(QChar c)
        {
            return c.toCaseFolded();
        }

        // Every entry of dir that is a file, in no particular order; a missing folder has none.
        QStringList filesIn(const QString& dir)
        {
            return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
        }

        bool lessIgnoringCase(const QString& a, const QString& b)
        {
            const int c = QString::compare(a, b, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a < b;
        }

        struct InjectedFault
        {
            QString pattern;
            int count = 0;
            qint64 bytesWritten = 0;
        };
        InjectedFault injected;

        // The bytes to write before the injected failure, or -1 when this write goes through.
        qint64 takeFault(const QString& path)
        {
            if (injected.count == 0 || !matchesWildcard(QFileInfo(path).fileName(), injected.pattern)) {
                return -1;
            }
            if (injected.count > 0) {
                --injected.count;
            }
            return injected.bytesWritten;
        }
    } // namespace

    bool matchesWildcard(QStringView name, QStringView pattern)
    {
        // Greedy matching that backtracks only to the last "*": linear for the patterns we use and
        // never worse than name × pattern.
        qsizetype n = 0;
        qsizetype p = 0;
        qsizetype starP = -1;
        qsizetype starN = 0;
        while (n < name.size()) {
            if (p < pattern.size() && pattern[p] == u'*') {
                starP = p++;
                starN = n;
            } else if (p < pattern.size() && (pattern[p] == u'?' || folded(pattern[p]) == folded(name[n]))) {
                ++p;
                ++n;
            } else if (starP >= 0) {
                p = starP + 1;
                n = ++starN;
            } else {
                return false;
            }
        }
        while (p < pattern.size() && pattern[p] == u'*') {
            ++p;
        }
        return p == pattern.size();
    }

    Result<QByteArray> readFile(const QString& path)
    {
        const QFileInfo info(path);
        if (!info.exists()) {
            return Result<QByteArray>::failure(QStringLiteral("The file %1 does not exist.").arg(shown(path)));
        }
        if (info.isDir()) {
            return Result<QByteArray>::failure(
                QStringLiteral("%1 could not be read: it is a folder, not a file.").arg(shown(path)));
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return Result<QByteArray>::failure(
                QStringLiteral("The file %1 could not be opened: %2.").arg(shown(path), file.errorString()));
        }
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            return Result<QByteArray>::failure(
                QStringLiteral("The file %1 could not be read: %2.").arg(shown(path), file.errorString()));
        }
        return bytes;
    }

    Status writeFileAtomically(const QString& path, QByteArrayView bytes)
    {
        const auto fail = [&](const QString& reason) {
            return Status::failure(QStringLiteral("The file %1 could not be saved: %2.").arg(shown(path), reason));
        };
        QSaveFile file(path);
        // Unbuffered, so a full disk or a file size limit fails the write() that meets it. Through
        // Qt's buffer the bytes are only written at commit(), whose failed flush does not stop the
        // rename: a short temporary file would then replace the old one and commit() say it went well.
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            return fail(file.errorString());
        }
        if (const qint64 limit = takeFault(path); limit >= 0) {
            file.write(bytes.data(), qMin<qint64>(limit, bytes.size()));
            file.cancelWriting();
            return fail(QStringLiteral("No space left on device"));
        }
        qint64 written = 0;
        while (written < bytes.size()) {
            const qint64 n = file.write(bytes.data() + written, bytes.size() - written);
            if (n <= 0) {
                const QString reason = file.error() != QFileDevice::NoError
                                           ? file.errorString()
                                           : QStringLiteral("the disk took no more bytes");
                file.cancelWriting();
                return fail(reason);
            }
            written += n;
        }
        // The temporary file must hold every byte before it may replace the old one.
        if (!file.flush() || file.error() != QFileDevice::NoError) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return fail(reason);
        }
        if (file.size() != bytes.size()) {
            file.cancelWriting();
            return fail(QStringLiteral("only %1 of %2 bytes reached the disk").arg(file.size()).arg(bytes.size()));
        }
        if (!file.commit()) {
            return fail(file.errorString());
        }
        return {};
    }

    void WriteFaults::inject(const QString& pattern, int count, qint64 bytesWritten)
    {
        injected = InjectedFault{pattern, count, qMax<qint64>(0, bytesWritten)};
    }

    void WriteFaults::clear()
    {
        injected = {};
    }

    int WriteFaults::pending()
    {
        return injected.count;
    }

    // --- ProgramFolder -------------------------------------------------------------------------

    ProgramFolder::ProgramFolder(QString dataDir, QString contentDir)
        : m_dataDir(std::move(dataDir))
        , m_contentDir(std::move(contentDir))
    {
    }

    const QString& ProgramFolder::dataDir() const
    {
        return m_dataDir;
    }

    const QString& ProgramFolder::contentDir() const
    {
        return m_contentDir;
    }

    QString ProgramFolder::dir(Place place) const
    {
        return place == Place::Data ? m_dataDir : m_contentDir;
    }

    bool ProgramFolder::isValidName(const QString& name)
    {
        return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\') &&
               !name.contains(QChar(0));
    }

    QString ProgramFolder::path(const QString& name, Place place) const
    {
        const QString folder = dir(place);
        QString onDisk;
        for (const QString& entry : filesIn(folder)) {
            if (entry == name) {
                onDisk = entry;
                break;
            }
            // Of several spellings that differ only in case, take the same one every time.
            if (entry.compare(name, Qt::CaseInsensitive) == 0 && (onDisk.isEmpty() || entry < onDisk)) {
                onDisk = entry;
            }
        }
        return QDir(folder).filePath(onDisk.isEmpty() ? name : onDisk);
    }

    bool ProgramFolder::exists(const QString& name, Place place) const
    {
        return isValidName(name) && QFileInfo(path(name, place)).isFile();
    }

    qint64 ProgramFolder::size(const QString& name, Place place) const
    {
        if (!isValidName(name)) {
            return -1;
        }
        const QFileInfo info(path(name, place));
        return info.isFile() ? info.size() : -1;
    }

    Result<QByteArray> ProgramFolder::read(const QString& name, Place place) const
    {
        if (!isValidName(name)) {
            return Result<QByteArray>::failure(QStringLiteral("\"%1\" is not a valid file name.").arg(name));
        }
        return readFile(path(name, place));
    }

    Status ProgramFolder::write(const QString& name, QByteArrayView bytes) const
    {
        if (!isValidName(name)) {
            return Status::failure(QStringLiteral("\"%1\" is not a valid file name.").arg(name));
        }
        if (!QDir().mkpath(m_dataDir)) {
            return Status::failure(QStringLiteral("The folder %1 could not be created.").arg(shown(m_dataDir)));
        }
        return writeFileAtomically(path(name), bytes);
    }

    Status ProgramFolder::copy(const QString& from, Place fromPlace, const QString& to) const
    {
        return copy(from, fromPlace, *this, to);
    }

    Status
    ProgramFolder::copy(const QString& from, Place fromPlace, const ProgramFolder& target, const QString& to) const
    {
        // Our files are small enough to hold whole, and writing them through the atomic writer means
        // a copy that fails half-way leaves no half file behind.
        Result<QByteArray> bytes = read(from, fromPlace);
        if (!bytes) {
            return bytes.status();
        }
        return target.write(to, bytes.value());
    }

    Status ProgramFolder::remove(const QString& name) const
    {
        if (!isValidName(name)) {
            return Status::failure(QStringLiteral("\"%1\" is not a valid file name.").arg(name));
        }
        const QString p = path(name);
        if (!QFileInfo(p).isFile()) {
            return {};
        }
        QFile file(p);
        if (!file.remove()) {
            return Status::failure(
                QStringLiteral("The file %1 could not be deleted: %2.").arg(shown(p), file.errorString()));
        }
        return {};
    }

    Result<int> ProgramFolder::removeMatching(const QString& pattern) const
    {
        int removed = 0;
        Status first;
        for (const QString& name : list(pattern)) {
            QFile file(QDir(m_dataDir).filePath(name));
            if (file.remove()) {
                ++removed;
            } else if (first.ok()) {
                first = Status::failure(QStringLiteral("The file %1 could not be deleted: %2.")
                                            .arg(shown(file.fileName()), file.errorString()));
            }
        }
        if (!first) {
            return first;
        }
        return removed;
    }

    QStringList ProgramFolder::list(const QString& pattern, Place place) const
    {
        QStringList names;
        for (const QString& entry : filesIn(dir(place))) {
            if (matchesWildcard(entry, pattern)) {
                names.append(entry);
            }
        }
        std::sort(names.begin(), names.end(), lessIgnoringCase);
        return names;
    }

} // namespace qv
