#pragma once

#include "core/storage/programfolder.h"
#include "core/storage/result.h"
#include "spellengine.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

namespace qv::writing {

    // The user's own words, kept in the data folder so a backup carries them with the rest of the
    // workbook: UTF-8, one word a line, in the order they were added.
    inline constexpr QStringView UserWordsFile = u"UserWords.dic";

    // The dictionary together with the user's own words: a check and the live marks accept both.
    // A word added in lower case is accepted with a capital first letter and in capitals too, as the
    // dictionary's own words are; one added with capitals only as written or all in capitals.
    class UserDictionary : public WordChecker
    {
    public:
        UserDictionary(std::shared_ptr<const WordChecker> dictionary, ProgramFolder folder);

        // Reads the word list; a missing file is an empty list. When the file is there but cannot be
        // read, the list is empty and stays unwritable, so adding a word cannot overwrite the words
        // it still holds.
        Status load();
        // Adds word and rewrites the list. A blank word, a word with a blank inside and a word already
        // known to the list change nothing. When the list cannot be written it stays as it was and the
        // failure says why.
        Status add(const QString& word);
        const QStringList& words() const;

        bool isKnown(const QString& word) const override;
        QStringList suggestions(const QString& word) const override;

    private:
        bool isOwnWord(const QString& word) const;

        std::shared_ptr<const WordChecker> m_dictionary;
        ProgramFolder m_folder;
        QStringList m_words;
        QSet<QString> m_exact;
        QSet<QString> m_capitals;
        QString m_unreadable;
    };

} // namespace qv::writing
