#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace qv::test {

    // Every file under a folder (by its path relative to it) with a hash of its bytes, to prove that a
    // command changed only the file it was meant to and wrote nothing beside it.
    class FolderSnapshot
    {
    public:
        explicit FolderSnapshot(const QString& dir);
        // The folder around a data folder, so that a write beside the data folder shows too; the
        // allowed names of unexpectedChanges() are still names in the data folder.
        static FolderSnapshot aroundDataFolder(const QString& dataDir);

        // The names that were added, removed or changed since this snapshot, sorted.
        QStringList changedSince() const;
        // A readable failure text when anything but allowed changed; empty when all is well.
        QString unexpectedChanges(const QStringList& allowed = {}) const;

    private:
        QString m_dir;
        QString m_allowedPrefix;
        QMap<QString, QByteArray> m_hashes;
    };

} // namespace qv::test
