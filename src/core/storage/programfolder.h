#pragma once

#include "result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace qv {

    // Where the program's files live: the data folder holds every file the user made, the content
    // folder the installed read-only documents, pictures and help pages.
    //
    // Names are resolved ignoring letter case when reading, so a file restored from another system
    // with other capitals is still found; a new file gets the name as the program spells it, an
    // existing one keeps the spelling it has on disk. Every write replaces the file atomically: a
    // failed write leaves the old file as it was and says why.
    class ProgramFolder
    {
    public:
        enum class Place
        {
            Data,
            Content
        };

        ProgramFolder(QString dataDir, QString contentDir);

        const QString& dataDir() const;
        const QString& contentDir() const;

        // The path of the file called name (ignoring case) in place; when there is none, the path
        // with name spelled as given.
        QString path(const QString& name, Place place = Place::Data) const;

        bool exists(const QString& name, Place place = Place::Data) const;
        // Size in bytes, or -1 when there is no such file.
        qint64 size(const QString& name, Place place = Place::Data) const;

        Result<QByteArray> read(const QString& name, Place place = Place::Data) const;
        // Writes into the data folder (created when missing), replacing the file atomically.
        Status write(const QString& name, QByteArrayView bytes) const;

        Status copy(const QString& from, Place fromPlace, const QString& to) const;
        Status remove(const QString& name) const;
        // Deletes every data file whose name matches the wildcard pattern ("*.Flc"), ignoring case;
        // the count deleted, or the first failure.
        Result<int> removeMatching(const QString& pattern) const;
        // Names of the files in place that match the wildcard pattern, ignoring case, sorted.
        QStringList list(const QString& pattern, Place place = Place::Data) const;

    private:
        QString m_dataDir;
        QString m_contentDir;
    };

    // Replaces the file at path with bytes through QSaveFile, each step checked. On failure the old
    // file is untouched and the message names the file and the reason.
    Status writeFileAtomically(const QString& path, QByteArrayView bytes);

} // namespace qv
