#pragma once

#include "core/storage/programfolder.h"
#include "core/storage/result.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace qv::archives {

    inline constexpr QStringView IndexFile = u"ArchiveHold.Fla";
    inline constexpr QStringView Extension = u".Fla";
    // As much of a document name as an archive name keeps before its date.
    inline constexpr int MaxNameLength = 28;
    // The document kinds an area reports; the viewer's own kinds lie above 10.
    inline constexpr int KindPolicy = 1;
    inline constexpr int KindWorksheet = 2;
    inline constexpr int KindViewerLoading = 99;
    inline constexpr int KindViewer = 22;

    // The date as archive names carry it, "Dec-07-26": the English month abbreviation whatever the
    // user's locale, so that a data folder reads the same on every machine.
    QString dateTag(const QDate& date);
    // The name an archive of the document takes on date, without its extension. The policy named
    // "Risk Analysis" would otherwise share its archive name with the worksheet of that title.
    QString archiveName(const QString& documentName, int kind, const QDate& date);
    // The entry an index line stands for: the file name without its last 4 characters.
    QString titleOf(const QString& fileName);

    // The archives: the index file's entries, in the order they were created.
    class ArchiveIndex
    {
    public:
        explicit ArchiveIndex(const ProgramFolder& folder);

        // Reads the index again; a missing index is an empty archive. On failure the list is emptied.
        Status load();
        const QStringList& fileNames() const
        {
            return m_fileNames;
        }
        QStringList titles() const;
        int count() const
        {
            return static_cast<int>(m_fileNames.size());
        }
        // The position of the archive named name (without extension), trimmed and ignoring letter
        // case; -1 when there is none.
        int find(const QString& name) const;

        // Writes rtf as the archive name: a listed name keeps its file and index line and its file
        // is replaced, a new one is appended to the index. A failed write leaves the archive file
        // and the index as they were.
        Status store(const QString& name, const QByteArray& rtf);
        // Deletes the archive at position and its index line; the index goes with the last archive.
        Status removeAt(int position);

    private:
        Status writeIndex(const QStringList& names) const;

        ProgramFolder m_folder;
        QStringList m_fileNames;
    };

} // namespace qv::archives
