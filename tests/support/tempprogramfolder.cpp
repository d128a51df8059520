#include "tempprogramfolder.h"

#include <QDir>
#include <QFile>

namespace qv::test {

    namespace {
        bool writeFile(const QString& path, QByteArrayView bytes)
        {
            QFile file(path);
            return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                   file.write(bytes.data(), bytes.size()) == bytes.size() && file.flush();
        }
    } // namespace

    TempProgramFolder::TempProgramFolder()
        : m_valid(m_root.isValid() && QDir(m_root.path()).mkdir(QStringLiteral("data")) &&
                  QDir(m_root.path()).mkdir(QStringLiteral("content")))
        , m_folder(m_root.filePath(QStringLiteral("data")), m_root.filePath(QStringLiteral("content")))
    {
    }

    bool TempProgramFolder::isValid() const
    {
        return m_valid;
    }

    const ProgramFolder& TempProgramFolder::folder() const
    {
        return m_folder;
    }

    QString TempProgramFolder::dataDir() const
    {
        return m_folder.dataDir();
    }

    QString TempProgramFolder::contentDir() const
    {
        return m_folder.contentDir();
    }

    QString TempProgramFolder::dataPath(const QString& name) const
    {
        return QDir(dataDir()).filePath(name);
    }

    QString TempProgramFolder::contentPath(const QString& name) const
    {
        return QDir(contentDir()).filePath(name);
    }

    bool TempProgramFolder::putData(const QString& name, QByteArrayView bytes) const
    {
        return writeFile(dataPath(name), bytes);
    }

    bool TempProgramFolder::putContent(const QString& name, QByteArrayView bytes) const
    {
        return writeFile(contentPath(name), bytes);
    }

    bool TempProgramFolder::copyToContent(const QString& sourcePath, const QString& name) const
    {
        QFile::remove(contentPath(name));
        return QFile::copy(sourcePath, contentPath(name));
    }

} // namespace qv::test
