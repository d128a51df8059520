#include "backupset.h"

#include "core/storage/programfolder.h"
#include "core/storage/quotedlinefile.h"

namespace qv::backup {

    namespace {
        // The settings and list files in backup order: the name the program gives the file in the
        // data folder, and the base of its backup name as backups have always spelled it.
        struct Settings
        {
            QStringView file;
            QStringView base;
        };
        constexpr Settings settings[SettingsCount] = {
            {u"TODONAME.FIL", u"ToDoName"},
            {u"GColor3.Fil", u"Gcolor3"},
            {u"TODOActv.FIL", u"ToDoActv"},
            {u"HINV3.Fil", u"Hinv3"},
            {u"Stat1.Fil", u"Stat1"},
            {u"RAList.Fil", u"RAList"},
        };

        // The numbered ranges: first index, prefix, how many.
        struct Range
        {
            int first;
            QStringView prefix;
            int count;
        };
        constexpr Range ranges[] = {
            {0, u"Action", 47},
            {47, u"Comment", 47},
            {94, u"Policy", 47},
            {141, u"Wksht", 21},
        };
        constexpr QStringView planBase = u"DRPln";

        // The base name of index i ("Action5"), empty outside 0-162.
        QString numberedBase(int index)
        {
            for (const Range& r : ranges) {
                if (index >= r.first && index < r.first + r.count) {
                    return r.prefix.toString() + QString::number(index - r.first);
                }
            }
            return index == LastIndex ? planBase.toString() + QStringLiteral("1") : QString();
        }
    } // namespace

    QString settingsFile(int k)
    {
        return k >= 1 && k <= SettingsCount ? settings[k - 1].file.toString() : QString();
    }

    QString settingsBackupName(int k)
    {
        return k >= 1 && k <= SettingsCount ? settings[k - 1].base.toString() + QStringLiteral(".hb1") : QString();
    }

    QString numberedFile(int index)
    {
        const QString base = numberedBase(index);
        return base.isEmpty() ? base : base + QStringLiteral(".Fil");
    }

    QString numberedBackupName(int index)
    {
        const QString base = numberedBase(index);
        return base.isEmpty() ? base : base + QStringLiteral(".hb1");
    }

    const QList<Collection>& collections()
    {
        static const QList<Collection> all = {
            {u"IncidHold.Flc", u"IncidHold.Hb2", u".Flc", u".Hb2", u"incident report"},
            {u"ArchiveHold.Fla", u"ArchiveHold.Hb3", u".Fla", u".Hb3", u"archive"},
        };
        return all;
    }

    QString documentBackupName(const Collection& collection, const QString& fileName)
    {
        return fileName.left(qMax<qsizetype>(0, fileName.size() - 4)).trimmed() + collection.backupExtension.toString();
    }

    bool isDocumentName(const Collection& collection, const QString& fileName)
    {
        return ProgramFolder::isValidName(fileName) && fileName.size() > collection.extension.size() &&
               fileName.endsWith(collection.extension, Qt::CaseInsensitive) &&
               fileName.compare(collection.indexFile, Qt::CaseInsensitive) != 0 &&
               ProgramFolder::isValidName(documentBackupName(collection, fileName)) &&
               documentBackupName(collection, fileName).compare(collection.indexBackupName, Qt::CaseInsensitive) != 0;
    }

    QStringList readIndexEntries(const QByteArray& bytes)
    {
        QStringList entries = quotedlines::parse(bytes);
        // A blank line is no entry: the index is written without them, and one read back from a
        // damaged file would only be refused later.
        entries.removeIf([](const QString& e) { return e.trimmed().isEmpty(); });
        return entries;
    }

    const QList<Extra>& extras()
    {
        static const QList<Extra> all = {
            {u"GColor1.Fil", u"GColor1.hb4"},
            {u"UserWords.dic", u"UserWords.hb4"},
        };
        return all;
    }

    bool isSetKind(const QString& name)
    {
        for (int k = 1; k <= SettingsCount; ++k) {
            if (name.compare(settingsFile(k), Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
        for (int i = 0; i <= LastIndex; ++i) {
            if (name.compare(numberedFile(i), Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
        for (const Collection& c : collections()) {
            if (name.compare(c.indexFile, Qt::CaseInsensitive) == 0 || isDocumentName(c, name)) {
                return true;
            }
        }
        return false;
    }

    QStringList backupPatterns()
    {
        return {QStringLiteral("*.hb1"), QStringLiteral("*.hb2"), QStringLiteral("*.hb3"), QStringLiteral("*.hb4")};
    }

} // namespace qv::backup
