// Reads arbitrary bytes as a backup disk's "DiskInfo.bk1" and as the index of incident reports or
// archives found on a disk, and checks what a restore relies on: the disk record reads back the
// same once rewritten, and no index entry that is accepted can name anything outside the data
// folder or a file of another kind.
#include "core/backup/backupset.h"
#include "core/backup/diskinfo.h"

#include <cstdint>
#include <cstdlib>

namespace {
    void require(bool condition)
    {
        if (!condition) {
            std::abort();
        }
    }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    using qv::backup::DiskInfo;
    const DiskInfo info = DiskInfo::fromBytes(bytes);
    // What was read fits the records again and reads back as it was.
    const QByteArray rewritten = info.toBytes();
    require(rewritten.size() == DiskInfo::RecordLength * DiskInfo::RecordCount);
    const DiskInfo again = DiskInfo::fromBytes(rewritten);
    require(again.signature == info.signature && again.mark == info.mark);
    require(again.disk == info.disk && again.nextDisk == info.nextDisk && again.lastIndex == info.lastIndex);
    require(again.isBackupDisk() == info.isBackupDisk());

    for (const qv::backup::Collection& collection : qv::backup::collections()) {
        for (const QString& entry : qv::backup::readIndexEntries(bytes)) {
            if (!qv::backup::isDocumentName(collection, entry)) {
                continue;
            }
            const QString backupName = qv::backup::documentBackupName(collection, entry);
            for (const QString& name : {entry, backupName}) {
                require(!name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0)));
                require(name != u"." && name != u"..");
            }
            require(entry.endsWith(collection.extension, Qt::CaseInsensitive));
            require(entry.compare(collection.indexFile, Qt::CaseInsensitive) != 0);
        }
    }
    return 0;
}
