#pragma once

#include "core/storage/fixedrecordfile.h"
#include "core/storage/programfolder.h"
#include "core/storage/result.h"
#include "statustable.h"

#include <QString>
#include <QStringView>

namespace qv {

    // The statuses the user picked for the safeguards and worksheets: the status file "Stat1.Fil" (20-byte
    // records 1–68) and the table that mirrors it while the Action Area lives. The file is opened and
    // closed inside each call, so a file restored from a backup is seen on the next load or refresh.
    //
    // The table only ever holds what is on file: a status whose write failed is not shown as kept,
    // since the user would otherwise believe a status saved that the next start would have lost.
    class StatusStore
    {
    public:
        static constexpr QStringView FileName = u"Stat1.Fil";
        static constexpr int RecordLength = 20;
        static constexpr int FirstRecord = 1;
        static constexpr int LastRecord = 68;
        // The entries of the three families the overview grid shows.
        static constexpr int LastFamilyRecord = 42;

        explicit StatusStore(const ProgramFolder& folder);

        const StatusTable& table() const
        {
            return m_table;
        }
        // Table entry index; refused outside 0 to 70.
        Result<QString> status(int index) const
        {
            return m_table.entry(index);
        }

        // Reads records 1–68 into the table, creating an empty file when there is none. When the file
        // can be neither created nor read the table keeps what it had.
        Status loadAll();
        // The same for records 1–42 only.
        Status refreshFamilies();

        // Writes text into record (1–68) and, once it is on file, into the table. On failure the file
        // and the table keep the status on file, and the message says so.
        Status write(int record, const QString& text);

        enum class PickOutcome
        {
            NotStored, // an area whose statuses are never stored (the plan, the example, ...)
            Stored, // written to the file and the table
            StoredNotImplemented, // stored; the user should be reminded to say why in the notes
        };

        // The user picked text in the status box while item of area was chosen.
        Result<PickOutcome> pick(int area, int item, const QString& text);

    private:
        Status readRange(int last);

        FixedRecordFile m_file;
        StatusTable m_table;
    };

} // namespace qv
