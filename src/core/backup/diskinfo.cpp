#include "diskinfo.h"

#include "core/storage/fixedrecordfile.h"

namespace qv::backup {

    namespace {
        // A number as the disk's records hold it: decimal digits, perhaps with blanks or a sign
        // around them. Anything else is no number.
        std::optional<int> number(const QString& text)
        {
            bool ok = false;
            const int n = text.trimmed().toInt(&ok);
            return ok ? std::optional<int>(n) : std::nullopt;
        }
    } // namespace

    DiskInfo DiskInfo::started()
    {
        DiskInfo info;
        info.signature = Signature.toString();
        info.mark = Mark.toString();
        return info;
    }

    bool DiskInfo::isBackupDisk() const
    {
        // Leading blanks were never part of the signature; a disk written by hand may have them.
        QString s = signature;
        while (!s.isEmpty() && s.front().isSpace()) {
            s.remove(0, 1);
        }
        return s == Signature;
    }

    int DiskInfo::diskNumber() const
    {
        return disk.value_or(0);
    }

    int DiskInfo::nextDiskNumber() const
    {
        return nextDisk.value_or(0);
    }

    int DiskInfo::lastIndexNumber() const
    {
        return lastIndex.value_or(0);
    }

    QByteArray DiskInfo::toBytes() const
    {
        FixedRecords records(RecordLength);
        // Every record is short, so none of these can be refused.
        (void)records.setString(1, signature);
        if (disk) {
            (void)records.setString(2, QString::number(*disk));
        }
        if (nextDisk) {
            (void)records.setString(3, QString::number(*nextDisk));
        }
        if (lastIndex) {
            (void)records.setString(4, QString::number(*lastIndex));
        }
        (void)records.setString(6, mark);
        return records.bytes();
    }

    DiskInfo DiskInfo::fromBytes(const QByteArray& bytes)
    {
        // Only the six records are ever looked at, so a huge file costs no more than a small one.
        const FixedRecords records(RecordLength, bytes.left(RecordLength * RecordCount));
        DiskInfo info;
        info.signature = records.string(1);
        info.disk = number(records.string(2));
        info.nextDisk = number(records.string(3));
        info.lastIndex = number(records.string(4));
        info.mark = records.string(6);
        return info;
    }

} // namespace qv::backup
