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

        // Copies a file of place into the data folder, replacing any file of that name atomically.
        Status copy(const QString& from, Place fromPlace, const QString& to) const;
        // The same into the data folder of another program folder (a backup target).
        Status copy(const QString& from, Place fromPlace, const ProgramFolder& target, const QString& to) const;
        // Deletes one data file; one that is not there is already gone, which is no failure.
        Status remove(const QString& name) const;
        // Deletes every data file whose name matches the wildcard pattern ("*.Flc"), ignoring case;
        // the count deleted, or, when some could not be deleted, the first failure (the others are
        // still tried).
        Result<int> removeMatching(const QString& pattern) const;
        // Names of the files in place that match the wildcard pattern, ignoring case, sorted.
        QStringList list(const QString& pattern, Place place = Place::Data) const;

        // A plain file name: not empty, not "." or "..", and without a folder separator, so a name made
        // from what the user typed (an incident report's title) cannot reach outside the folder.
        static bool isValidName(const QString& name);

    private:
        QString dir(Place place) const;

        QString m_dataDir;
        QString m_contentDir;
    };

    // Whether name matches a wildcard pattern the way the file system's own "*.Fil" does: "*" any
    // run of characters, "?" exactly one, letter case ignored.
    bool matchesWildcard(QStringView name, QStringView pattern);

    // The whole file at path; the message names the file and says why it could not be read.
    Result<QByteArray> readFile(const QString& path);

    // Replaces the file at path with bytes through QSaveFile, each step checked. On failure the old
    // file is untouched and the message names the file and the reason.
    Status writeFileAtomically(const QString& path, QByteArrayView bytes);

    // Lets tests make writes fail the way a full or failing disk does. Tests run as root in CI, where
    // a read-only folder does not stop a write, so nothing else can make one fail. Never used by the
    // program itself.
    class WriteFaults
    {
    public:
        // The next count writes (every one when count is negative) to a file whose name matches the
        // wildcard pattern fail as if the disk filled up after bytesWritten bytes.
        static void inject(const QString& pattern, int count = 1, qint64 bytesWritten = 0);
        static void clear();
        // How many injected failures are still to come (-1: unlimited).
        static int pending();
    };

} // namespace qv
