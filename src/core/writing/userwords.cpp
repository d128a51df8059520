#include "userwords.h"

#include <QFileInfo>

namespace qv::writing {

    namespace {

        bool isLowerCase(const QString& word)
        {
            return word == word.toLower();
        }

    } // namespace

    UserDictionary::UserDictionary(std::shared_ptr<const WordChecker> dictionary, ProgramFolder folder)
        : m_dictionary(std::move(dictionary))
        , m_folder(std::move(folder))
    {
    }

    Status UserDictionary::load()
    {
        m_words.clear();
        m_exact.clear();
        m_capitals.clear();
        m_unreadable.clear();
        const QString name = UserWordsFile.toString();
        // Anything standing under the list's name is read, and what cannot be read is kept from being
        // overwritten.
        if (!QFileInfo::exists(m_folder.path(name))) {
            return Status();
        }
        const Result<QByteArray> bytes = m_folder.read(name);
        if (!bytes) {
            m_unreadable = bytes.error();
            return bytes.status();
        }
        for (const QString& line : QString::fromUtf8(bytes.value()).split(u'\n')) {
            const QString word = line.trimmed();
            if (!word.isEmpty() && !m_exact.contains(word)) {
                m_words.append(word);
                m_exact.insert(word);
                m_capitals.insert(word.toUpper());
            }
        }
        return Status();
    }

    Status UserDictionary::add(const QString& word)
    {
        const QString plain = word.trimmed();
        if (plain.isEmpty() || plain.contains(u' ') || m_exact.contains(plain)) {
            return Status();
        }
        if (!m_unreadable.isEmpty()) {
            return Status::failure(m_unreadable + QStringLiteral("\r\rThe word list is left as it is, so no word in "
                                                                 "it is lost; the word was not added."));
        }
        QStringList words = m_words;
        words.append(plain);
        const Status written = m_folder.write(UserWordsFile.toString(), (words.join(u'\n') + u'\n').toUtf8());
        if (!written) {
            return written;
        }
        m_words = std::move(words);
        m_exact.insert(plain);
        m_capitals.insert(plain.toUpper());
        return Status();
    }

    const QStringList& UserDictionary::words() const
    {
        return m_words;
    }

    bool UserDictionary::isOwnWord(const QString& word) const
    {
        if (m_exact.isEmpty()) {
            return false;
        }
        if (m_exact.contains(word)) {
            return true;
        }
        if (word.size() > 1 && word == word.toUpper() && m_capitals.contains(word)) {
            return true;
        }
        // "Quorvane" at the start of a sentence, for "quorvane" on the list.
        if (word.front().isUpper()) {
            const QString lowered = word.front().toLower() + word.mid(1);
            return isLowerCase(lowered) && m_exact.contains(lowered);
        }
        return false;
    }

    bool UserDictionary::isKnown(const QString& word) const
    {
        return isOwnWord(word) || (m_dictionary && m_dictionary->isKnown(word));
    }

    QStringList UserDictionary::suggestions(const QString& word) const
    {
        return m_dictionary ? m_dictionary->suggestions(word) : QStringList();
    }

} // namespace qv::writing
