#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace qv::backup {

    // The files a backup carries, their names on the backup media, and the order they go in.
    //
    // The six settings and list files come first, then the numbered notes, policies, worksheets and
    // the plan by index 0-162 (the index a disk records as the last it holds), then the incident
    // reports and archives with their indexes. Files this program added to the workbook later (the
    // grid background and the personal word list) follow last, under a name of their own, so a
    // backup made before them still restores.

    inline constexpr int LastIndex = 162;
    inline constexpr int SettingsCount = 6;

    // The k-th settings file (1-6) as the program spells it in the data folder, and its backup name.
    QString settingsFile(int k);
    QString settingsBackupName(int k);

    // The numbered file of index i (0-162) in the data folder ("Action5.Fil") and on the media
    // ("Action5.hb1").
    QString numberedFile(int index);
    QString numberedBackupName(int index);

    // The two document collections that span no disk: each an index file listing its documents.
    struct Collection
    {
        QStringView indexFile; // "IncidHold.Flc"
        QStringView indexBackupName; // "IncidHold.Hb2"
        QStringView extension; // ".Flc"
        QStringView backupExtension; // ".Hb2"
        QStringView noun; // in messages: "incident report"
    };
    const QList<Collection>& collections();

    // The backup name of a document its index lists: the name without its last 4 characters,
    // trimmed, with the collection's backup extension.
    QString documentBackupName(const Collection& collection, const QString& fileName);
    // Whether an index entry can be a document of collection: a plain file name with the
    // collection's extension, other than the index itself, whose backup name is a plain name too.
    // An entry that names a folder, "..", or a file of another kind could otherwise make a restore
    // write outside the data folder or over a file the backup does not own.
    bool isDocumentName(const Collection& collection, const QString& fileName);
    // An index read from the media, or the data folder, as a list of entries; never fails.
    QStringList readIndexEntries(const QByteArray& bytes);

    // The files added after the first backups: kept when a backup does not carry them.
    struct Extra
    {
        QStringView file;
        QStringView backupName;
    };
    const QList<Extra>& extras();

    // Whether a data-folder file belongs to the kinds a restore replaces: the settings and numbered
    // files, the collections' indexes and documents. Letter case is ignored.
    bool isSetKind(const QString& dataFileName);

    // Wildcards of every backup file on a disk, deleted before a disk is written.
    QStringList backupPatterns();

    inline constexpr QStringView DiskInfoFile = u"DiskInfo.bk1";

} // namespace qv::backup
