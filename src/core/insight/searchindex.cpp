#include "searchindex.h"

#include "core/rtf/rtfreader.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

#include <algorithm>

namespace qv::insight {

    namespace {

        bool isWordChar(QChar c)
        {
            return c.isLetterOrNumber() || c == u'_';
        }

        bool isApostrophe(QChar c)
        {
            return c == u'\'' || c == QChar(0x2019);
        }

        bool isLineBreak(QChar c)
        {
            return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
        }

        // How much of a long line a result shows on either side of the hit.
        constexpr qsizetype ContextBefore = 60;
        constexpr qsizetype ContextAfter = 90;

    } // namespace

    QList<WordSpan> words(QStringView text)
    {
        QList<WordSpan> found;
        const qsizetype size = text.size();
        qsizetype i = 0;
        while (i < size) {
            if (!isWordChar(text[i])) {
                ++i;
                continue;
            }
            const qsizetype start = i;
            while (i < size) {
                if (isWordChar(text[i])) {
                    ++i;
                } else if (isApostrophe(text[i]) && i + 1 < size && isWordChar(text[i + 1])) {
                    i += 2;
                } else {
                    break;
                }
            }
            found.append({start, i - start});
        }
        return found;
    }

    SearchIndex::SearchIndex(ProgramFolder folder)
        : m_folder(std::move(folder))
    {
    }

    SearchIndex::Stamp SearchIndex::stampOf(const QFileInfo& info)
    {
        // The change time moves on every replacement, even one that keeps size and modification time
        // (a restore that sets the old date back), so it is checked too.
        return {info.size(), info.lastModified(), info.metadataChangeTime()};
    }

    int SearchIndex::wordId(const QString& folded)
    {
        const auto it = m_words.constFind(folded);
        if (it != m_words.constEnd()) {
            return it.value();
        }
        const int id = static_cast<int>(m_words.size());
        m_words.insert(folded, id);
        return id;
    }

    int SearchIndex::knownWordId(const QString& folded) const
    {
        return m_words.value(folded, -1);
    }

    void SearchIndex::read(Document& document, const QString& path)
    {
        document.text.clear();
        document.tokens.clear();
        const Result<QByteArray> bytes = readFile(path);
        if (!bytes) {
            // Unreadable now; the next search tries again, as the stamp it was read under stays unset.
            document.stamp = {};
            return;
        }
        QTextDocument doc;
        rtf::read(bytes.value(), doc);
        // Positions of the plain text are the editor's positions of the same document, so a hit can
        // be selected in the editor where it was found.
        document.text = doc.toPlainText();
        const QList<WordSpan> spans = words(document.text);
        document.tokens.reserve(static_cast<size_t>(spans.size()));
        for (const WordSpan& span : spans) {
            const QString folded = QStringView(document.text).sliced(span.start, span.length).toString().toCaseFolded();
            document.tokens.push_back({span.start, span.length, wordId(folded)});
        }
    }

    int SearchIndex::refresh()
    {
        const QList<DocumentRef> wanted = userDocuments(m_folder);
        // One listing for every file's stamp, looked up ignoring letter case as the program's file
        // names are.
        QHash<QString, QFileInfo> files;
        const QFileInfoList listed =
            QDir(m_folder.dataDir()).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
        for (const QFileInfo& info : listed) {
            files.insert(info.fileName().toLower(), info);
        }
        std::vector<Document> kept;
        kept.reserve(static_cast<size_t>(wanted.size()));
        int reread = 0;
        for (const DocumentRef& ref : wanted) {
            const auto old = std::find_if(m_documents.begin(), m_documents.end(), [&ref](const Document& d) {
                return d.ref.fileName.compare(ref.fileName, Qt::CaseInsensitive) == 0;
            });
            const QFileInfo info = files.value(ref.fileName.toLower());
            const Stamp stamp = stampOf(info);
            if (old != m_documents.end() && old->stamp.size >= 0 && old->stamp == stamp) {
                Document same = std::move(*old);
                // A worksheet renamed or an index rewritten changes the name, not the text.
                same.ref = ref;
                kept.push_back(std::move(same));
                continue;
            }
            Document fresh;
            fresh.ref = ref;
            fresh.stamp = stamp;
            read(fresh, info.absoluteFilePath());
            ++reread;
            kept.push_back(std::move(fresh));
        }
        m_documents = std::move(kept);
        return reread;
    }

    SearchIndex::Found SearchIndex::find(const QString& query)
    {
        Found found;
        const QList<WordSpan> spans = words(query);
        if (spans.isEmpty()) {
            return found;
        }
        refresh();
        std::vector<int> phrase;
        for (const WordSpan& span : spans) {
            const int id = knownWordId(QStringView(query).sliced(span.start, span.length).toString().toCaseFolded());
            if (id < 0) {
                return found; // a word no document holds
            }
            phrase.push_back(id);
        }
        const size_t n = phrase.size();
        for (const Document& document : m_documents) {
            const std::vector<Token>& tokens = document.tokens;
            bool inDocument = false;
            for (size_t i = 0; i + n <= tokens.size(); ++i) {
                if (tokens[i].word != phrase[0]) {
                    continue;
                }
                bool match = true;
                for (size_t k = 1; k < n && match; ++k) {
                    const Token& before = tokens[i + k - 1];
                    const Token& token = tokens[i + k];
                    if (token.word != phrase[k]) {
                        match = false;
                        break;
                    }
                    // A phrase is read along one line: words on two lines are not one phrase.
                    for (qsizetype c = before.start + before.length; c < token.start; ++c) {
                        if (isLineBreak(document.text[c])) {
                            match = false;
                            break;
                        }
                    }
                }
                if (!match) {
                    continue;
                }
                ++found.total;
                inDocument = true;
                if (found.hits.size() < MaxHits) {
                    const Token& last = tokens[i + n - 1];
                    found.hits.append(makeHit(document, tokens[i].start, last.start + last.length));
                }
                i += n - 1;
            }
            if (inDocument) {
                ++found.documents;
            }
        }
        return found;
    }

    Hit SearchIndex::makeHit(const Document& document, qsizetype start, qsizetype end) const
    {
        const QString& text = document.text;
        qsizetype lineStart = start;
        while (lineStart > 0 && !isLineBreak(text[lineStart - 1])) {
            --lineStart;
        }
        qsizetype lineEnd = end;
        while (lineEnd < text.size() && !isLineBreak(text[lineEnd])) {
            ++lineEnd;
        }
        const bool cutBefore = start - lineStart > ContextBefore;
        const bool cutAfter = lineEnd - end > ContextAfter;
        const qsizetype from = cutBefore ? start - ContextBefore : lineStart;
        const qsizetype to = cutAfter ? end + ContextAfter : lineEnd;

        Hit hit;
        hit.document = document.ref;
        hit.position = start;
        hit.length = end - start;
        QString before = text.mid(from, start - from);
        QString after = text.mid(end, to - end);
        // Tabs and the editor's own spaces read as plain blanks in a one-line list.
        before.replace(u'\t', u' ');
        after.replace(u'\t', u' ');
        while (!before.isEmpty() && before.front().isSpace()) {
            before.remove(0, 1);
        }
        while (!after.isEmpty() && after.back().isSpace()) {
            after.chop(1);
        }
        if (cutBefore) {
            before.prepend(QChar(0x2026));
        }
        if (cutAfter) {
            after.append(QChar(0x2026));
        }
        hit.lineHitStart = before.size();
        hit.lineHitLength = end - start;
        hit.line = before + text.mid(start, end - start) + after;
        return hit;
    }

} // namespace qv::insight
