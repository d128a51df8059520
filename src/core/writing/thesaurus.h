#pragma once

#include "core/storage/result.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class MyThes;

namespace qv::writing {

    // One sense of a word: its description ("(noun) security") and the words that share it.
    struct Meaning
    {
        QString description;
        QStringList synonyms;
    };

    // The English (US) thesaurus of the system's MyThes.
    class Thesaurus
    {
    public:
        ~Thesaurus();

        // "th_en_US_v2" (or the older "th_en_US") from the first of folders that holds it; fails with
        // NoThesaurusMessage when none does.
        static Result<std::shared_ptr<Thesaurus>> open(const QStringList& folders);
        static bool isInstalled(const QStringList& folders);

        // The senses of word, looked up as written and then in lower case; empty when unknown.
        QList<Meaning> lookUp(const QString& word) const;

    private:
        Thesaurus(const QString& index, const QString& data);
        QList<Meaning> lookUpExactly(const QString& word) const;

        std::unique_ptr<MyThes> m_thesaurus;
        bool m_utf8 = true;
    };

    // A synonym as it goes into the text: without the thesaurus's note on how it relates
    // ("city (generic term)" gives "city").
    QString synonymAsReplacement(const QString& synonym);

} // namespace qv::writing
