#pragma once

#include "core/storage/result.h"

#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

namespace qv::writing {

    // What a check needs to know of words; the Hunspell engine below, or a word list in tests.
    class WordChecker
    {
    public:
        virtual ~WordChecker() = default;
        virtual bool isKnown(const QString& word) const = 0;
        // Likely meant words, best first.
        virtual QStringList suggestions(const QString& word) const = 0;
    };

    // The English (US) dictionary of the system's Hunspell.
    class SpellEngine : public WordChecker
    {
    public:
        ~SpellEngine() override;

        // The dictionary "en_US" from the first of folders that holds it; fails with
        // NoSpellDictionaryMessage when none does.
        static Result<std::shared_ptr<SpellEngine>> open(const QStringList& folders);
        // Whether open() would find a dictionary, without loading it.
        static bool isInstalled(const QStringList& folders);

        bool isKnown(const QString& word) const override;
        QStringList suggestions(const QString& word) const override;

    private:
        SpellEngine(const QString& affix, const QString& dictionary);

        std::string encode(const QString& word) const;
        QString decode(const std::string& word) const;

        std::unique_ptr<Hunspell> m_hunspell;
        bool m_utf8 = true;
    };

} // namespace qv::writing
