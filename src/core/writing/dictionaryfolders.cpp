#include "dictionaryfolders.h"

#include <QDir>
#include <QFileInfo>

namespace qv::writing {

    QStringList standardSpellFolders()
    {
        return {QStringLiteral("/usr/share/hunspell"),
                QStringLiteral("/usr/local/share/hunspell"),
                QStringLiteral("/usr/share/myspell/dicts"),
                QStringLiteral("/usr/share/myspell")};
    }

    QStringList standardThesaurusFolders()
    {
        return {QStringLiteral("/usr/share/mythes"),
                QStringLiteral("/usr/local/share/mythes"),
                QStringLiteral("/usr/share/myspell/dicts")};
    }

    std::optional<QString> findFirst(const QStringList& folders, const QStringList& names)
    {
        for (const QString& folder : folders) {
            const QDir dir(folder);
            for (const QString& name : names) {
                const QFileInfo file(dir.filePath(name));
                if (file.isFile() && file.isReadable()) {
                    return file.absoluteFilePath();
                }
            }
        }
        return std::nullopt;
    }

} // namespace qv::writing
