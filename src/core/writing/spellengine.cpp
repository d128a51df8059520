#include "spellengine.h"

#include "dictionaryfolders.h"

#include <QFile>

#include <hunspell.hxx>

namespace qv::writing {

    namespace {
        const QString DictionaryName = QStringLiteral("en_US");
    }

    SpellEngine::SpellEngine(const QString& affix, const QString& dictionary)
        : m_hunspell(std::make_unique<Hunspell>(QFile::encodeName(affix).constData(),
                                                QFile::encodeName(dictionary).constData()))
        , m_utf8(QString::fromStdString(m_hunspell->get_dict_encoding()).compare(u"UTF-8", Qt::CaseInsensitive) == 0)
    {
    }

    SpellEngine::~SpellEngine() = default;

    bool SpellEngine::isInstalled(const QStringList& folders)
    {
        const auto dic = findFirst(folders, {DictionaryName + QStringLiteral(".dic")});
        return dic && QFile::exists(dic->chopped(4) + QStringLiteral(".aff"));
    }

    Result<std::shared_ptr<SpellEngine>> SpellEngine::open(const QStringList& folders)
    {
        if (!isInstalled(folders)) {
            return Result<std::shared_ptr<SpellEngine>>::failure(NoSpellDictionaryMessage);
        }
        const QString dic = *findFirst(folders, {DictionaryName + QStringLiteral(".dic")});
        const QString aff = dic.chopped(4) + QStringLiteral(".aff");
        return std::shared_ptr<SpellEngine>(new SpellEngine(aff, dic));
    }

    std::string SpellEngine::encode(const QString& word) const
    {
        // Hunspell compares bytes: typographic apostrophes are looked up as the dictionary writes them.
        QString plain = word;
        plain.replace(u'\u2019', u'\'');
        return m_utf8 ? plain.toStdString() : plain.toLatin1().toStdString();
    }

    QString SpellEngine::decode(const std::string& word) const
    {
        return m_utf8 ? QString::fromStdString(word) : QString::fromLatin1(word.data(), qsizetype(word.size()));
    }

    bool SpellEngine::isKnown(const QString& word) const
    {
        return m_hunspell->spell(encode(word));
    }

    QStringList SpellEngine::suggestions(const QString& word) const
    {
        QStringList list;
        for (const std::string& s : m_hunspell->suggest(encode(word))) {
            list.append(decode(s));
        }
        return list;
    }

} // namespace qv::writing
