#include "foldersnapshot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace qv::test {

    namespace {
        QMap<QString, QByteArray> hashesOf(const QString& dir)
        {
            QMap<QString, QByteArray> hashes;
            QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                QFile file(path);
                hashes.insert(QDir(dir).relativeFilePath(path),
                              file.open(QIODevice::ReadOnly)
                                  ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                  : QByteArray("unreadable"));
            }
            return hashes;
        }
    } // namespace

    FolderSnapshot::FolderSnapshot(const QString& dir)
        : m_dir(dir)
        , m_hashes(hashesOf(dir))
    {
    }

    FolderSnapshot FolderSnapshot::aroundDataFolder(const QString& dataDir)
    {
        const QFileInfo data(dataDir);
        FolderSnapshot snapshot(data.path());
        snapshot.m_allowedPrefix = data.fileName() + QLatin1Char('/');
        return snapshot;
    }

    QStringList FolderSnapshot::changedSince() const
    {
        const QMap<QString, QByteArray> now = hashesOf(m_dir);
        QSet<QString> names(m_hashes.keyBegin(), m_hashes.keyEnd());
        names.unite(QSet<QString>(now.keyBegin(), now.keyEnd()));
        QStringList changed;
        for (const QString& name : names) {
            if (m_hashes.value(name) != now.value(name)) {
                changed.append(name);
            }
        }
        changed.sort();
        return changed;
    }

    QString FolderSnapshot::unexpectedChanges(const QStringList& allowed) const
    {
        QStringList unexpected;
        for (const QString& name : changedSince()) {
            if (!name.startsWith(m_allowedPrefix) || !allowed.contains(name.mid(m_allowedPrefix.size()))) {
                unexpected.append(name);
            }
        }
        return unexpected.isEmpty() ? QString()
                                    : QStringLiteral("changed unexpectedly: ") + unexpected.join(QStringLiteral(", "));
    }

} // namespace qv::test
