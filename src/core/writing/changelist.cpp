#include "changelist.h"

#include <QFile>

namespace qv::writing {

    const QList<WordPair>& autoCorrections()
    {
        static const QList<WordPair> pairs = [] {
            QList<WordPair> list;
            QFile file(QStringLiteral(":/writing/autocorrections.txt"));
            if (!file.open(QIODevice::ReadOnly)) {
                return list;
            }
            const QString text = QString::fromUtf8(file.readAll());
            for (QStringView line : QStringView(text).split(u'\n', Qt::SkipEmptyParts)) {
                const qsizetype tab = line.indexOf(u'\t');
                if (tab > 0) {
                    list.append({line.left(tab).toString(), line.mid(tab + 1).toString()});
                }
            }
            return list;
        }();
        return pairs;
    }

    ChangeList ChangeList::withAutoCorrections()
    {
        ChangeList list;
        for (const WordPair& pair : autoCorrections()) {
            list.add(pair.word, pair.replacement);
        }
        return list;
    }

    void ChangeList::add(const QString& word, const QString& replacement)
    {
        const QString upper = word.toUpper();
        m_entries.append({upper, replacement});
        if (upper.contains(u' ')) {
            m_phrases.append({upper, replacement});
        } else {
            m_words.insert(upper, replacement);
        }
    }

    qsizetype ChangeList::count() const
    {
        return m_entries.size();
    }

    WordPair ChangeList::entry(qsizetype i) const
    {
        return m_entries.value(i);
    }

    QList<WordPair> ChangeList::readBack()
    {
        const QString marker = EndMarker.toUpper();
        m_entries.append({marker, EndMarker});
        QList<WordPair> read;
        qsizetype i = 0;
        for (; i < m_entries.size(); ++i) {
            if (m_entries.at(i).word.trimmed() == marker) {
                break;
            }
            read.append(m_entries.at(i));
        }
        // Left in the list, the marker would hide every pair added after it from later read-backs.
        m_entries.removeLast();
        return read;
    }

    std::optional<QString> ChangeList::replacementFor(QStringView word) const
    {
        const auto it = m_words.constFind(word.toString().toUpper());
        if (it == m_words.constEnd()) {
            return std::nullopt;
        }
        return *it;
    }

    const QList<WordPair>& ChangeList::phrases() const
    {
        return m_phrases;
    }

    QString inCaseOf(QStringView original, const QString& replacement)
    {
        if (original.isEmpty() || replacement.isEmpty() || !original.front().isUpper()) {
            return replacement;
        }
        bool allUpper = original.size() > 1;
        for (QChar c : original) {
            if (c.isLetter() && !c.isUpper()) {
                allUpper = false;
            }
        }
        if (allUpper) {
            return replacement.toUpper();
        }
        return replacement.front().toUpper() + replacement.mid(1);
    }

} // namespace qv::writing
