#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace qv::writing {

    // The folders the system's spelling dictionaries are installed in, most usual first.
    QStringList standardSpellFolders();
    // The folders the system's thesauri are installed in, most usual first.
    QStringList standardThesaurusFolders();

    // The first folder of folders that holds a file of one of names; the full path, or nothing.
    std::optional<QString> findFirst(const QStringList& folders, const QStringList& names);

    inline const QString NoSpellDictionaryMessage =
        QStringLiteral("Spell Check needs an English (US) spelling dictionary, and none is installed.\r\r"
                       "Install the package hunspell-en-us and start the program again.");
    inline const QString NoThesaurusMessage =
        QStringLiteral("The Thesaurus needs an English (US) thesaurus, and none is installed.\r\r"
                       "Install the package mythes-en-us and start the program again.");

} // namespace qv::writing
