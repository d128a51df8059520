#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace qv::backup {

    // What "DiskInfo.bk1" says about one backup disk: 30-byte string records, record 1 the
    // signature, 2 this disk's number, 3 the disk that follows, 4 the index of the last numbered
    // file on the disk, 6 a fixed mark. A record not written is left zero.
    struct DiskInfo
    {
        static constexpr int RecordLength = 30;
        static constexpr int RecordCount = 6;

        QString signature;
        std::optional<int> disk;
        std::optional<int> nextDisk;
        std::optional<int> lastIndex;
        QString mark;

        // A disk just started: the signature and the mark, nothing else yet.
        static DiskInfo started();

        bool isBackupDisk() const;
        // The numbers as a restore reads them: a record that is empty or no number reads as 0.
        int diskNumber() const;
        int nextDiskNumber() const;
        int lastIndexNumber() const;

        QByteArray toBytes() const;
        // Reads whatever bytes a disk holds; never fails. Numbers are read ignoring surrounding blanks.
        static DiskInfo fromBytes(const QByteArray& bytes);
    };

    inline constexpr QStringView Signature = u"HIPAA";
    inline constexpr QStringView Mark = u"T1";

} // namespace qv::backup
