#include "thesaurus.h"

#include "dictionaryfolders.h"

#include <QFile>

#include <mythes.hxx>

namespace qv::writing {

    namespace {
        const QStringList IndexNames = {QStringLiteral("th_en_US_v2.idx"), QStringLiteral("th_en_US.idx")};

        std::optional<QString> indexIn(const QStringList& folders)
        {
            const auto idx = findFirst(folders, IndexNames);
            if (idx && QFile::exists(idx->chopped(4) + QStringLiteral(".dat"))) {
                return idx;
            }
            return std::nullopt;
        }
    } // namespace

    Thesaurus::Thesaurus(const QString& index, const QString& data)
        : m_thesaurus(
              std::make_unique<MyThes>(QFile::encodeName(index).constData(), QFile::encodeName(data).constData()))
    {
        const char* encoding = m_thesaurus->get_th_encoding();
        m_utf8 = !encoding || QString::fromLatin1(encoding).compare(u"UTF-8", Qt::CaseInsensitive) == 0;
    }

    Thesaurus::~Thesaurus() = default;

    bool Thesaurus::isInstalled(const QStringList& folders)
    {
        return indexIn(folders).has_value();
    }

    Result<std::shared_ptr<Thesaurus>> Thesaurus::open(const QStringList& folders)
    {
        const auto idx = indexIn(folders);
        if (!idx) {
            return Result<std::shared_ptr<Thesaurus>>::failure(NoThesaurusMessage);
        }
        return std::shared_ptr<Thesaurus>(new Thesaurus(*idx, idx->chopped(4) + QStringLiteral(".dat")));
    }

    QList<Meaning> Thesaurus::lookUpExactly(const QString& word) const
    {
        const QByteArray bytes = m_utf8 ? word.toUtf8() : word.toLatin1();
        mentry* entries = nullptr;
        const int count = m_thesaurus->Lookup(bytes.constData(), int(bytes.size()), &entries);
        QList<Meaning> meanings;
        auto text = [this](const char* s) { return m_utf8 ? QString::fromUtf8(s) : QString::fromLatin1(s); };
        for (int i = 0; i < count; ++i) {
            Meaning m;
            m.description = text(entries[i].defn);
            for (int s = 0; s < entries[i].count; ++s) {
                m.synonyms.append(text(entries[i].psyns[s]));
            }
            meanings.append(m);
        }
        if (entries) {
            m_thesaurus->CleanUpAfterLookup(&entries, count);
        }
        return meanings;
    }

    QList<Meaning> Thesaurus::lookUp(const QString& word) const
    {
        const QString wanted = word.trimmed();
        if (wanted.isEmpty()) {
            return {};
        }
        QList<Meaning> meanings = lookUpExactly(wanted);
        if (meanings.isEmpty() && wanted != wanted.toLower()) {
            meanings = lookUpExactly(wanted.toLower());
        }
        return meanings;
    }

    QString synonymAsReplacement(const QString& synonym)
    {
        QString word = synonym.trimmed();
        if (word.endsWith(u')')) {
            const qsizetype open = word.lastIndexOf(QStringLiteral(" ("));
            if (open > 0) {
                word.truncate(open);
            }
        }
        return word.trimmed();
    }

} // namespace qv::writing
