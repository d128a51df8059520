#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QUrl>

#include <optional>

namespace qv {

    // The installed help pages: one HTML file a topic, named by its id ("3010.html"), titled by
    // its <title>. Read once, then listed and searched without touching the disk again.
    class HelpLibrary
    {
    public:
        struct Page
        {
            int topic = 0;
            QString title;
            QString file;
            QSet<QString> words; // every word of the title and the text, in lower case
        };

        explicit HelpLibrary(QString folder);

        const QString& folder() const;

        // Reads the folder on the first call; later calls keep what was read.
        void load();
        bool isLoaded() const;

        // Every page, lowest topic id first: the ids are grouped by screen, overview first.
        const QList<Page>& pages() const;
        const Page* page(int topic) const;

        // The topics whose page holds every word of query as a whole word, ignoring case, in the
        // order of pages(). A query without a word finds nothing.
        QList<int> search(const QString& query) const;

        // The topic ids of the pages in folder, by their file names alone: cheap enough for a
        // check of an installation, and needs no window system.
        static QList<int> topicsIn(const QString& folder);

        // The topic a link between pages names ("3010.html", "3010.html#printing"), if it is one.
        static std::optional<int> topicOfLink(const QUrl& link);

        // The words of text as the search compares them.
        static QStringList wordsOf(const QString& text);

    private:
        QString m_folder;
        QList<Page> m_pages;
        bool m_loaded = false;
    };

} // namespace qv
