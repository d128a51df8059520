#include "statusstore.h"

#include "core/storage/codec.h"
#include "statusvocabulary.h"

namespace qv {

    StatusStore::StatusStore(const ProgramFolder& folder)
        : m_file(folder, FileName.toString(), RecordLength)
    {
    }

    Status StatusStore::loadAll()
    {
        return readRange(LastRecord);
    }

    Status StatusStore::refreshFamilies()
    {
        return readRange(LastFamilyRecord);
    }

    Status StatusStore::readRange(int last)
    {
        if (Status created = m_file.createIfMissing(); !created) {
            return created;
        }
        Result<FixedRecords> records = m_file.load();
        if (!records) {
            return records.status();
        }
        for (int record = FirstRecord; record <= last; ++record) {
            (void)m_table.setEntry(record, records.value().string(record));
        }
        return {};
    }

    Status StatusStore::write(int record, const QString& text)
    {
        if (record < FirstRecord || record > LastRecord) {
            return Status::failure(QStringLiteral("There is no status record %1; records run from %2 to %3.")
                                       .arg(record)
                                       .arg(FirstRecord)
                                       .arg(LastRecord));
        }
        if (const Status written = m_file.writeString(record, text); !written) {
            // The table follows the file, which may have been replaced since it was read.
            if (const Result<QString> onFile = m_file.readString(record)) {
                (void)m_table.setEntry(record, onFile.value());
            }
            const QString kept = m_table.entry(record).valueOr(QString());
            const QString outcome =
                kept.trimmed().isEmpty()
                    ? QStringLiteral("The status \"%1\" could not be saved; no status is on file.").arg(text)
                    : QStringLiteral("The status \"%1\" could not be saved; the status on file "
                                     "is still \"%2\".")
                          .arg(text, kept);
            return Status::failure(outcome + QStringLiteral("\r\n") + written.error());
        }
        // What the file now holds, which differs from text only for characters the code page lacks.
        (void)m_table.setEntry(record, cp1252::decode(cp1252::encode(text)));
        return {};
    }

    Result<StatusStore::PickOutcome> StatusStore::pick(int area, int item, const QString& text)
    {
        constexpr int FirstUnstoredArea = 8;
        if (area >= FirstUnstoredArea) {
            return PickOutcome::NotStored;
        }
        const std::optional<int> record = statuses::recordFor(area, item);
        if (!record) {
            return Result<PickOutcome>::failure(
                QStringLiteral("Area %1 has no item %2 whose status could be saved.").arg(area).arg(item));
        }
        if (Status written = write(*record, text); !written) {
            return written;
        }
        return statuses::isNotImplemented(text) ? PickOutcome::StoredNotImplemented : PickOutcome::Stored;
    }

} // namespace qv
