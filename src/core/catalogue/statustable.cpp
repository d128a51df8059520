#include "statustable.h"

namespace qv {

    namespace {
        Status refused(int index)
        {
            return Status::failure(QStringLiteral("There is no status entry %1; entries run from %2 to %3.")
                                       .arg(index)
                                       .arg(StatusTable::FirstIndex)
                                       .arg(StatusTable::LastIndex));
        }
    } // namespace

    Result<QString> StatusTable::entry(int index) const
    {
        if (!isValidIndex(index)) {
            return refused(index);
        }
        return m_entries[static_cast<std::size_t>(index)];
    }

    Status StatusTable::setEntry(int index, QString text)
    {
        if (!isValidIndex(index)) {
            return refused(index);
        }
        m_entries[static_cast<std::size_t>(index)] = std::move(text);
        return {};
    }

} // namespace qv
