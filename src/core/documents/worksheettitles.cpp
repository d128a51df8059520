#include "worksheettitles.h"

#include "core/rtf/richtextfile.h"
#include "core/storage/codec.h"
#include "core/storage/fixedrecordfile.h"

#include <QTextDocument>

namespace qv::worksheets {

    QString defaultTitle(int worksheet)
    {
        return QStringLiteral("Risk Analysis #%1").arg(worksheet + 1, 2);
    }

    QString fileName(int worksheet)
    {
        return QStringLiteral("Wksht%1.Fil").arg(worksheet);
    }

    bool isFilled(const ProgramFolder& folder, int worksheet)
    {
        QTextDocument doc;
        const Result<LoadOutcome> loaded = loadRichText(folder, fileName(worksheet), ProgramFolder::Place::Data, doc);
        return loaded && loaded.value() == LoadOutcome::Loaded && !doc.toPlainText().trimmed().isEmpty();
    }

    WorksheetTitles::WorksheetTitles(const ProgramFolder& folder)
        : m_folder(folder)
    {
    }

    FixedRecordFile WorksheetTitles::file() const
    {
        return FixedRecordFile(m_folder, TitlesFile.toString(), TitleRecordLength);
    }

    Result<QStringList> WorksheetTitles::load() const
    {
        const FixedRecordFile titles = file();
        // The file is made on first sight, as the program always has; a folder that cannot take it
        // still shows the defaults, and the first title save reports what is wrong.
        static_cast<void>(titles.createIfMissing());
        const Result<FixedRecords> records = titles.load();
        if (!records) {
            return records.status();
        }
        QStringList result;
        for (int n = 0; n < Count; ++n) {
            const QString stored = records.value().string(n + 1);
            result.append(stored.isEmpty() ? defaultTitle(n) : stored);
        }
        return result;
    }

    Status WorksheetTitles::store(const QStringList& entries) const
    {
        const FixedRecordFile titles = file();
        const Result<FixedRecords> records = titles.load();
        if (!records) {
            return records.status();
        }
        FixedRecords changed = records.value();
        bool any = false;
        for (int n = 0; n < Count && n < entries.size(); ++n) {
            const QString& entry = entries[n];
            if (entry.isEmpty()) {
                continue;
            }
            if (entry.size() > MaxTitleLength) {
                return Status::failure(
                    QStringLiteral("The title \"%1\" is longer than %2 characters.").arg(entry).arg(MaxTitleLength));
            }
            // The file keeps titles in Windows-1252; a letter outside it would come back as "?".
            if (!cp1252::canEncode(entry)) {
                QString outside;
                for (const QChar c : entry) {
                    if (cp1252::fromUnicode(c) < 0 && !outside.contains(c)) {
                        outside += c;
                    }
                }
                return Status::failure(QStringLiteral("The title \"%1\" holds characters that cannot be stored in "
                                                      "%2 (%3).\rPlease use other letters for this title.")
                                           .arg(entry, TitlesFile.toString(), outside));
            }
            const Status set = changed.setString(n + 1, entry);
            if (!set) {
                return set;
            }
            any = true;
        }
        return any ? titles.save(changed) : Status();
    }

} // namespace qv::worksheets
