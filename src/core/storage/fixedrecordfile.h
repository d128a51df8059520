#pragma once

#include "programfolder.h"
#include "result.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>
#include <variant>

namespace qv {

    // A value kept with its type code in a record: the settings files remember a window size as a
    // 16-bit integer or as a float, a colour as a 32-bit integer or the word "Def", and each reader
    // must learn which it was. A record that holds no value (never written, or a type this program
    // does not write) is Empty.
    class RecordValue
    {
    public:
        enum class Type : quint16
        {
            Empty = 0,
            Int16 = 2,
            Int32 = 3,
            Float = 4,
            String = 8
        };

        RecordValue() = default;
        static RecordValue fromInt16(qint16 value);
        static RecordValue fromInt32(qint32 value);
        static RecordValue fromFloat(float value);
        static RecordValue fromString(QString text);

        Type type() const;
        bool isEmpty() const
        {
            return type() == Type::Empty;
        }

        // The value as a number whatever its type: a string is read as a decimal number ignoring
        // blanks around it, and one that is no number, like Empty, gives 0.
        double toDouble() const;
        // The value as text: numbers in decimal, Empty as "".
        QString toString() const;

        // Bit-exact for floats, so a NaN read from a file equals itself.
        bool operator==(const RecordValue& other) const;

    private:
        friend class FixedRecords;
        using Value = std::variant<std::monostate, qint16, qint32, float, QString>;
        explicit RecordValue(Value value)
            : m_value(std::move(value))
        {
        }
        Value m_value;
    };

    // The bytes of a file of fixed-length records, numbered from 1. A string record holds an
    // unsigned 16-bit little-endian length and that many Windows-1252 characters; a typed record a
    // 16-bit little-endian type code and the value (a typed string again as length and characters).
    // Writers fill the rest of a record with zeros.
    //
    // Reading never fails: a record past the end, of length 0, whose length runs past the record or
    // past the end of a cut-off file, or of a type not listed above, reads as empty. Writing checks
    // that the value fits its record and never touches another record; writing past the end first
    // adds zero-filled records.
    class FixedRecords
    {
    public:
        // Record numbers beyond this are refused: no file of ours has more than a few dozen records,
        // and the limit keeps a wrong number from allocating megabytes.
        static constexpr int MaxRecord = 4096;

        // Records shorter than MinRecordLength could not hold a typed float.
        static constexpr int MinRecordLength = 6;
        static constexpr int MaxRecordLength = 4096;

        explicit FixedRecords(int recordLength, QByteArray bytes = {});

        int recordLength() const
        {
            return m_recordLength;
        }
        // Records that start inside the bytes, a cut-off last one included.
        int recordCount() const;
        const QByteArray& bytes() const
        {
            return m_bytes;
        }

        // The most characters a string record, or a typed string, can hold.
        int maxStringLength() const;
        int maxTypedStringLength() const;

        QString string(int record) const;
        RecordValue value(int record) const;

        Status setString(int record, QStringView text);
        Status setValue(int record, const RecordValue& value);

    private:
        QByteArray recordBytes(int record) const;
        Status checkRecord(int record) const;
        void putRecord(int record, const QByteArray& content);

        int m_recordLength;
        QByteArray m_bytes;
    };

    // One fixed-record file of the program folder, opened, used and closed inside each call. Every
    // write reads the whole file, changes one record and replaces the file atomically, so a failed
    // write leaves the file as it was.
    class FixedRecordFile
    {
    public:
        FixedRecordFile(const ProgramFolder& folder, QString name, int recordLength);

        const QString& name() const
        {
            return m_name;
        }

        // The whole file; a missing file is one without records. Fails only when the file exists and
        // cannot be read.
        Result<FixedRecords> load() const;
        Status save(const FixedRecords& records) const;

        Result<QString> readString(int record) const;
        Result<RecordValue> readValue(int record) const;

        // A string too long for the record is refused and the file is left as it was.
        Status writeString(int record, QStringView text) const;
        Status writeValue(int record, const RecordValue& value) const;

        // Creates the file without records when there is none, as opening it for random access would.
        Status createIfMissing() const;

    private:
        Status change(int record, const std::function<Status(FixedRecords&)>& edit) const;

        ProgramFolder m_folder;
        QString m_name;
        int m_recordLength;
    };

} // namespace qv
