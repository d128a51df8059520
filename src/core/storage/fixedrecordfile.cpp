#include "fixedrecordfile.h"

#include "codec.h"

#include <QFileInfo>

#include <QtEndian>

#include <charconv>
#include <cstring>

namespace qv {

    namespace {
        quint16 u16At(const QByteArray& bytes, qsizetype at)
        {
            return qFromLittleEndian<quint16>(bytes.constData() + at);
        }

        void appendU16(QByteArray& out, quint16 v)
        {
            char buf[2];
            qToLittleEndian(v, buf);
            out.append(buf, 2);
        }

        template <typename T> void appendLe(QByteArray& out, T v)
        {
            char buf[sizeof(T)];
            qToLittleEndian(v, buf);
            out.append(buf, sizeof(T));
        }

        // Length and characters, the layout of a string record and of the value of a typed string.
        // Empty when the length is 0 or the characters are not all there.
        QString counted(const QByteArray& record, qsizetype at)
        {
            if (record.size() < at + 2) {
                return {};
            }
            const qsizetype length = u16At(record, at);
            if (length == 0 || at + 2 + length > record.size()) {
                return {};
            }
            return cp1252::decode(QByteArrayView(record).sliced(at + 2, length));
        }

        QString floatText(float value)
        {
            char buf[32];
            const auto result = std::to_chars(buf, buf + sizeof buf, value);
            return QString::fromLatin1(buf, result.ptr - buf);
        }

        QString tooLong(const QByteArray& encoded, int max)
        {
            return QStringLiteral("The text \"%1\" is too long: it has %2 characters and the record holds at most %3.")
                .arg(cp1252::decode(encoded), QString::number(encoded.size()), QString::number(max));
        }
    } // namespace

    // --- RecordValue ---------------------------------------------------------------------------

    RecordValue RecordValue::fromInt16(qint16 value)
    {
        return RecordValue(Value(value));
    }

    RecordValue RecordValue::fromInt32(qint32 value)
    {
        return RecordValue(Value(value));
    }

    RecordValue RecordValue::fromFloat(float value)
    {
        return RecordValue(Value(value));
    }

    RecordValue RecordValue::fromString(QString text)
    {
        return RecordValue(Value(std::move(text)));
    }

    RecordValue::Type RecordValue::type() const
    {
        switch (m_value.index()) {
        case 1:
            return Type::Int16;
        case 2:
            return Type::Int32;
        case 3:
            return Type::Float;
        case 4:
            return Type::String;
        default:
            return Type::Empty;
        }
    }

    double RecordValue::toDouble() const
    {
        if (const auto* v = std::get_if<qint16>(&m_value)) {
            return *v;
        }
        if (const auto* v = std::get_if<qint32>(&m_value)) {
            return *v;
        }
        if (const auto* v = std::get_if<float>(&m_value)) {
            return *v;
        }
        if (const auto* v = std::get_if<QString>(&m_value)) {
            bool ok = false;
            const double d = v->trimmed().toDouble(&ok);
            return ok ? d : 0.0;
        }
        return 0.0;
    }

    QString RecordValue::toString() const
    {
        if (const auto* v = std::get_if<qint16>(&m_value)) {
            return QString::number(*v);
        }
        if (const auto* v = std::get_if<qint32>(&m_value)) {
            return QString::number(*v);
        }
        if (const auto* v = std::get_if<float>(&m_value)) {
            return floatText(*v);
        }
        if (const auto* v = std::get_if<QString>(&m_value)) {
            return *v;
        }
        return {};
    }

    bool RecordValue::operator==(const RecordValue& other) const
    {
        const auto* a = std::get_if<float>(&m_value);
        const auto* b = std::get_if<float>(&other.m_value);
        if (a && b) {
            return std::memcmp(a, b, sizeof(float)) == 0;
        }
        return m_value == other.m_value;
    }

    // --- FixedRecords --------------------------------------------------------------------------

    FixedRecords::FixedRecords(int recordLength, QByteArray bytes)
        : m_recordLength(qBound(MinRecordLength, recordLength, MaxRecordLength))
        , m_bytes(std::move(bytes))
    {
        Q_ASSERT(recordLength == m_recordLength);
    }

    int FixedRecords::recordCount() const
    {
        return static_cast<int>((m_bytes.size() + m_recordLength - 1) / m_recordLength);
    }

    int FixedRecords::maxStringLength() const
    {
        return m_recordLength - 2;
    }

    int FixedRecords::maxTypedStringLength() const
    {
        return m_recordLength - 4;
    }

    QByteArray FixedRecords::recordBytes(int record) const
    {
        if (record < 1 || record > MaxRecord) {
            return {};
        }
        const qsizetype offset = qsizetype(record - 1) * m_recordLength;
        if (offset >= m_bytes.size()) {
            return {};
        }
        return m_bytes.sliced(offset, qMin<qsizetype>(m_recordLength, m_bytes.size() - offset));
    }

    QString FixedRecords::string(int record) const
    {
        return counted(recordBytes(record), 0);
    }

    RecordValue FixedRecords::value(int record) const
    {
        const QByteArray r = recordBytes(record);
        if (r.size() < 2) {
            return {};
        }
        const char* p = r.constData() + 2;
        switch (static_cast<RecordValue::Type>(u16At(r, 0))) {
        case RecordValue::Type::Int16:
            return r.size() >= 4 ? RecordValue::fromInt16(qFromLittleEndian<qint16>(p)) : RecordValue();
        case RecordValue::Type::Int32:
            return r.size() >= 6 ? RecordValue::fromInt32(qFromLittleEndian<qint32>(p)) : RecordValue();
        case RecordValue::Type::Float:
            return r.size() >= 6 ? RecordValue::fromFloat(qFromLittleEndian<float>(p)) : RecordValue();
        case RecordValue::Type::String: {
            // A typed string of length 0 is still a string, unlike a record that holds nothing.
            if (r.size() < 4) {
                return {};
            }
            const qsizetype length = u16At(r, 2);
            return 4 + length <= r.size() ? RecordValue::fromString(counted(r, 2)) : RecordValue();
        }
        default:
            return {};
        }
    }

    Status FixedRecords::checkRecord(int record) const
    {
        if (record < 1 || record > MaxRecord) {
            return Status::failure(
                QStringLiteral("There is no record %1: records are numbered from 1 to %2.").arg(record).arg(MaxRecord));
        }
        return {};
    }

    void FixedRecords::putRecord(int record, const QByteArray& content)
    {
        Q_ASSERT(content.size() <= m_recordLength);
        const qsizetype offset = qsizetype(record - 1) * m_recordLength;
        const qsizetype end = offset + m_recordLength;
        if (m_bytes.size() < end) {
            m_bytes.resize(end, '\0');
        }
        char* at = m_bytes.data() + offset;
        std::memcpy(at, content.constData(), content.size());
        std::memset(at + content.size(), 0, m_recordLength - content.size());
    }

    Status FixedRecords::setString(int record, QStringView text)
    {
        if (Status s = checkRecord(record); !s) {
            return s;
        }
        const QByteArray encoded = cp1252::encode(text);
        if (encoded.size() > maxStringLength()) {
            return Status::failure(tooLong(encoded, maxStringLength()));
        }
        QByteArray content;
        appendU16(content, static_cast<quint16>(encoded.size()));
        content.append(encoded);
        putRecord(record, content);
        return {};
    }

    Status FixedRecords::setValue(int record, const RecordValue& value)
    {
        if (Status s = checkRecord(record); !s) {
            return s;
        }
        QByteArray content;
        switch (value.type()) {
        case RecordValue::Type::Empty:
            // Nothing was stored: the record reads as it did before it was ever written.
            break;
        case RecordValue::Type::Int16:
            appendU16(content, quint16(RecordValue::Type::Int16));
            appendLe(content, std::get<qint16>(value.m_value));
            break;
        case RecordValue::Type::Int32:
            appendU16(content, quint16(RecordValue::Type::Int32));
            appendLe(content, std::get<qint32>(value.m_value));
            break;
        case RecordValue::Type::Float:
            appendU16(content, quint16(RecordValue::Type::Float));
            appendLe(content, std::get<float>(value.m_value));
            break;
        case RecordValue::Type::String: {
            const QByteArray encoded = cp1252::encode(std::get<QString>(value.m_value));
            if (encoded.size() > maxTypedStringLength()) {
                return Status::failure(tooLong(encoded, maxTypedStringLength()));
            }
            appendU16(content, quint16(RecordValue::Type::String));
            appendU16(content, static_cast<quint16>(encoded.size()));
            content.append(encoded);
            break;
        }
        }
        putRecord(record, content);
        return {};
    }

    // --- FixedRecordFile -----------------------------------------------------------------------

    FixedRecordFile::FixedRecordFile(const ProgramFolder& folder, QString name, int recordLength)
        : m_folder(folder)
        , m_name(std::move(name))
        , m_recordLength(recordLength)
    {
    }

    Result<FixedRecords> FixedRecordFile::load() const
    {
        // Anything else of that name, a folder say, is an error to report, not a file to start afresh.
        if (!QFileInfo::exists(m_folder.path(m_name))) {
            return FixedRecords(m_recordLength);
        }
        Result<QByteArray> bytes = m_folder.read(m_name);
        if (!bytes) {
            return bytes.status();
        }
        return FixedRecords(m_recordLength, std::move(bytes).value());
    }

    Status FixedRecordFile::save(const FixedRecords& records) const
    {
        return m_folder.write(m_name, records.bytes());
    }

    Result<QString> FixedRecordFile::readString(int record) const
    {
        Result<FixedRecords> records = load();
        if (!records) {
            return records.status();
        }
        return records.value().string(record);
    }

    Result<RecordValue> FixedRecordFile::readValue(int record) const
    {
        Result<FixedRecords> records = load();
        if (!records) {
            return records.status();
        }
        return records.value().value(record);
    }

    Status FixedRecordFile::change(int record, const std::function<Status(FixedRecords&)>& edit) const
    {
        Result<FixedRecords> loaded = load();
        if (!loaded) {
            return loaded.status();
        }
        FixedRecords records = std::move(loaded).value();
        if (Status s = edit(records); !s) {
            return Status::failure(
                QStringLiteral("Record %1 of %2 was not changed. %3").arg(record).arg(m_name, s.error()));
        }
        return save(records);
    }

    Status FixedRecordFile::writeString(int record, QStringView text) const
    {
        return change(record, [&](FixedRecords& records) { return records.setString(record, text); });
    }

    Status FixedRecordFile::writeValue(int record, const RecordValue& value) const
    {
        return change(record, [&](FixedRecords& records) { return records.setValue(record, value); });
    }

    Status FixedRecordFile::createIfMissing() const
    {
        if (m_folder.exists(m_name)) {
            return {};
        }
        return m_folder.write(m_name, {});
    }

} // namespace qv
