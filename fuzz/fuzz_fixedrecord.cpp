// Reads every record of arbitrary bytes as a string and as a typed value, and checks what a reader
// promises: nothing read is longer than its record, and whatever was read can be written back into
// its record, reads back the same, and leaves every other record as it was.
#include "core/storage/fixedrecordfile.h"

#include <cstdint>
#include <cstdlib>

namespace {
    void require(bool condition)
    {
        if (!condition) {
            std::abort();
        }
    }

    // Every byte outside the record must be unchanged by a write into it.
    void requireOthersUnchanged(const QByteArray& before, const qv::FixedRecords& after, int record)
    {
        const qsizetype length = after.recordLength();
        const qsizetype start = qsizetype(record - 1) * length;
        const QByteArray& now = after.bytes();
        require(now.size() >= start + length);
        require(now.first(qMin(start, before.size())) == before.first(qMin(start, before.size())));
        if (before.size() > start + length) {
            require(now.sliced(start + length) == before.sliced(start + length));
        }
    }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    static constexpr int lengths[] = {10, 20, 30};
    const int recordLength = lengths[data[0] % 3];
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const qv::FixedRecords records(recordLength, bytes);

    // One record past the end and the numbers that are never valid are read too.
    for (int record = -1; record <= records.recordCount() + 1; ++record) {
        const QString text = records.string(record);
        require(text.size() <= records.maxStringLength());
        const qv::RecordValue value = records.value(record);
        if (value.type() == qv::RecordValue::Type::String) {
            require(value.toString().size() <= records.maxTypedStringLength());
        }
        if (record < 1) {
            require(text.isEmpty() && value.isEmpty());
            continue;
        }

        qv::FixedRecords copy = records;
        require(copy.setString(record, text).ok());
        require(copy.string(record) == text);
        requireOthersUnchanged(bytes, copy, record);

        copy = records;
        require(copy.setValue(record, value).ok());
        require(copy.value(record) == value);
        requireOthersUnchanged(bytes, copy, record);
    }
    return 0;
}
