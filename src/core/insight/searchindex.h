#pragma once

#include "core/storage/programfolder.h"
#include "userdocuments.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

namespace qv::insight {

    // A word of a text: where it starts and how long it is.
    struct WordSpan
    {
        qsizetype start = 0;
        qsizetype length = 0;
    };

    // The words of text: runs of letters and digits, with an apostrophe inside a word ("user's")
    // kept in it. Everything else separates words.
    QList<WordSpan> words(QStringView text);

    // One place a search found.
    struct Hit
    {
        DocumentRef document;
        // The hit in the document's plain text, which is the document as the editor holds it: one
        // character per editor position.
        qsizetype position = 0;
        qsizetype length = 0;
        // The line around the hit, shortened at either end when long, and where the hit lies in it.
        QString line;
        qsizetype lineHitStart = 0;
        qsizetype lineHitLength = 0;
    };

    // The user's documents as plain text in memory, to find whole words and phrases in, ignoring
    // letter case. The index is built on the first search and brought up to date before each one:
    // a document whose file changed (saved, restored, replaced) since it was read is read again,
    // one that is gone is forgotten. Reading never writes to the data folder.
    class SearchIndex
    {
    public:
        // More places than anyone reads through; the count beyond is still reported.
        static constexpr int MaxHits = 1000;

        explicit SearchIndex(ProgramFolder folder);

        struct Found
        {
            QList<Hit> hits;
            // All the places found, those past MaxHits too.
            int total = 0;
            int documents = 0;
        };

        // The places where the query's words stand one after another on one line, in document order.
        // A query without a word finds nothing.
        Found find(const QString& query);

        // Brings the index up to date with the folder; returns how many documents were read.
        int refresh();
        int documentCount() const
        {
            return static_cast<int>(m_documents.size());
        }

    private:
        struct Token
        {
            qsizetype start;
            qsizetype length;
            int word;
        };
        struct Stamp
        {
            qint64 size = -1;
            QDateTime modified;
            QDateTime changed;
            bool operator==(const Stamp&) const = default;
        };
        struct Document
        {
            DocumentRef ref;
            Stamp stamp;
            QString text;
            std::vector<Token> tokens;
        };

        static Stamp stampOf(const QFileInfo& info);
        void read(Document& document, const QString& path);
        int wordId(const QString& folded);
        int knownWordId(const QString& folded) const;
        Hit makeHit(const Document& document, qsizetype start, qsizetype end) const;

        ProgramFolder m_folder;
        std::vector<Document> m_documents;
        QHash<QString, int> m_words;
    };

} // namespace qv::insight
