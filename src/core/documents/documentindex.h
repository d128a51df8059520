#pragma once

#include "core/storage/programfolder.h"
#include "core/storage/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qv {

    // Documents kept one file each under a title, with an index file that lists their file names in
    // the order they were first stored (incident reports, archives). The index is a quoted-line file;
    // it is removed when its last document goes.
    class DocumentIndex
    {
    public:
        // noun names one document in messages ("stored report", "archive").
        DocumentIndex(const ProgramFolder& folder, QString indexFile, QString extension, QString noun);

        // Reads the index again; a missing index lists nothing. On failure the list is emptied.
        Status load();
        const QStringList& fileNames() const
        {
            return m_fileNames;
        }
        // The file names without their extensions.
        QStringList titles() const;
        int count() const
        {
            return static_cast<int>(m_fileNames.size());
        }
        // The position of the document titled title, comparing trimmed and ignoring letter case; -1
        // when there is none.
        int find(const QString& title) const;
        // Whether storing under title would replace a document: one listed under that title, or a
        // file of that name on disk that the index lost track of.
        bool isTaken(const QString& title) const;

        // Whether the line at position may be deleted. Only a document of this index is: the line
        // names a file of the data folder with this index's extension, as the program names them
        // (title + extension). A line naming anything else (another of the program's files, a path,
        // the index itself), as a damaged or hand-edited index may, fails with a message naming it.
        Status checkDeletable(int position) const;

        // Writes rtf under title: a listed title keeps its place, file and spelling, a new one is
        // appended to the index. A title that could not name a file of the folder, or that the index
        // could not list as it is, is refused before anything is written. A failed write leaves the
        // document file and the index as they were.
        Status store(const QString& title, const QByteArray& rtf);
        // Deletes the document at position and its index line, when checkDeletable allows it.
        Status removeAt(int position);

    private:
        Status writeIndex(const QStringList& names) const;

        ProgramFolder m_folder;
        QString m_indexFile;
        QString m_extension;
        QString m_noun;
        QStringList m_fileNames;
    };

} // namespace qv
