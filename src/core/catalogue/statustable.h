#pragma once

#include "core/storage/result.h"

#include <QString>

#include <array>

namespace qv {

    // The in-memory mirror of the status file: entry n holds the status text of record n. Entries 0,
    // 69 and 70 exist but are never filled; they are kept so that record numbers index the table
    // directly.
    class StatusTable
    {
    public:
        static constexpr int FirstIndex = 0;
        static constexpr int LastIndex = 70;

        static bool isValidIndex(int index)
        {
            return index >= FirstIndex && index <= LastIndex;
        }

        // The text of entry index; refused outside 0 to 70.
        Result<QString> entry(int index) const;
        Status setEntry(int index, QString text);

    private:
        std::array<QString, LastIndex + 1> m_entries;
    };

} // namespace qv
