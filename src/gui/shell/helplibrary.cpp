#include "helplibrary.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <algorithm>

namespace qv {

    namespace {

        // A page is read whole to be searched; anything this large is not a help page.
        constexpr qint64 LargestPage = 4 * 1024 * 1024;

        std::optional<int> topicOfFileName(const QString& name)
        {
            static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,9})\\.html?$"),
                                                    QRegularExpression::CaseInsensitiveOption);
            const QRegularExpressionMatch match = pattern.match(name);
            if (!match.hasMatch()) {
                return std::nullopt;
            }
            return match.captured(1).toInt();
        }

        QString titleOf(const QString& html)
        {
            static const QRegularExpression pattern(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                                    QRegularExpression::CaseInsensitiveOption |
                                                        QRegularExpression::DotMatchesEverythingOption);
            const QRegularExpressionMatch match = pattern.match(html);
            if (!match.hasMatch()) {
                return {};
            }
            // The title may hold entities ("&amp;") and line breaks like any other text.
            return QTextDocumentFragment::fromHtml(match.captured(1)).toPlainText().simplified();
        }

    } // namespace

    HelpLibrary::HelpLibrary(QString folder)
        : m_folder(std::move(folder))
    {
    }

    const QString& HelpLibrary::folder() const
    {
        return m_folder;
    }

    void HelpLibrary::load()
    {
        if (m_loaded) {
            return;
        }
        m_loaded = true;
        const QDir dir(m_folder);
        for (const QString& name : dir.entryList(QDir::Files | QDir::Readable)) {
            const std::optional<int> topic = topicOfFileName(name);
            if (!topic) {
                continue;
            }
            QFile file(dir.filePath(name));
            if (file.size() > LargestPage || !file.open(QIODevice::ReadOnly)) {
                continue;
            }
            const QString html = QString::fromUtf8(file.readAll());
            Page page;
            page.topic = *topic;
            page.file = file.fileName();
            page.title = titleOf(html);
            if (page.title.isEmpty()) {
                page.title = QStringLiteral("Help Topic %1").arg(page.topic);
            }
            const QString text = QTextDocumentFragment::fromHtml(html).toPlainText();
            for (const QString& word : wordsOf(page.title + u' ' + text)) {
                page.words.insert(word);
            }
            m_pages.append(std::move(page));
        }
        std::sort(m_pages.begin(), m_pages.end(), [](const Page& a, const Page& b) { return a.topic < b.topic; });
        // "1000.html" and "1000.htm" would be one topic twice; the first of them wins.
        m_pages.erase(std::unique(m_pages.begin(),
                                  m_pages.end(),
                                  [](const Page& a, const Page& b) { return a.topic == b.topic; }),
                      m_pages.end());
    }

    bool HelpLibrary::isLoaded() const
    {
        return m_loaded;
    }

    const QList<HelpLibrary::Page>& HelpLibrary::pages() const
    {
        return m_pages;
    }

    const HelpLibrary::Page* HelpLibrary::page(int topic) const
    {
        const auto found =
            std::find_if(m_pages.cbegin(), m_pages.cend(), [topic](const Page& p) { return p.topic == topic; });
        return found == m_pages.cend() ? nullptr : &*found;
    }

    QList<int> HelpLibrary::search(const QString& query) const
    {
        const QStringList wanted = wordsOf(query);
        QList<int> found;
        if (wanted.isEmpty()) {
            return found;
        }
        for (const Page& page : m_pages) {
            if (std::all_of(wanted.cbegin(), wanted.cend(), [&page](const QString& word) {
                    return page.words.contains(word);
                })) {
                found.append(page.topic);
            }
        }
        return found;
    }

    QList<int> HelpLibrary::topicsIn(const QString& folder)
    {
        QList<int> topics;
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Readable)) {
            if (const std::optional<int> topic = topicOfFileName(name)) {
                topics.append(*topic);
            }
        }
        std::sort(topics.begin(), topics.end());
        topics.erase(std::unique(topics.begin(), topics.end()), topics.end());
        return topics;
    }

    std::optional<int> HelpLibrary::topicOfLink(const QUrl& link)
    {
        // Only a link to a file beside the page: "http://host/3010.html" is somebody else's page.
        if (!link.scheme().isEmpty() && link.scheme() != u"file") {
            return std::nullopt;
        }
        const QString name = link.path().section(u'/', -1);
        return topicOfFileName(name);
    }

    QStringList HelpLibrary::wordsOf(const QString& text)
    {
        // Letters and digits make a word; an apostrophe inside one ("organisation's") does too, so
        // that searching for it finds it, but the word alone is also a word of its own.
        QStringList words;
        QString word;
        const auto finish = [&] {
            while (word.endsWith(u'\'')) {
                word.chop(1);
            }
            if (!word.isEmpty()) {
                words.append(word);
                const qsizetype apostrophe = word.indexOf(u'\'');
                if (apostrophe > 0) {
                    words.append(word.left(apostrophe));
                }
            }
            word.clear();
        };
        for (const QChar c : text) {
            if (c.isLetterOrNumber()) {
                word.append(c.toLower());
            } else if ((c == u'\'' || c == QChar(0x2019)) && !word.isEmpty()) {
                word.append(u'\'');
            } else {
                finish();
            }
        }
        finish();
        return words;
    }

} // namespace qv
