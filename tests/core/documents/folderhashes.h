#pragma once

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QString>

namespace qv::test {

    // Every file under root, by its path relative to root, with the SHA-256 of its bytes: taken before
    // and after a command that writes or deletes one file, it shows that no other file changed and
    // that nothing was written outside the folder meant.
    inline QMap<QString, QByteArray> fileHashes(const QString& root)
    {
        QMap<QString, QByteArray> hashes;
        QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            QByteArray hash("<unreadable>");
            if (file.open(QIODevice::ReadOnly)) {
                hash = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
            }
            hashes.insert(QDir(root).relativeFilePath(path), hash);
        }
        return hashes;
    }

    // The hashes with the named files left out, for comparing everything but the files a command
    // was meant to change.
    inline QMap<QString, QByteArray> without(QMap<QString, QByteArray> hashes, const QStringList& names)
    {
        for (const QString& name : names) {
            hashes.remove(name);
        }
        return hashes;
    }

} // namespace qv::test
