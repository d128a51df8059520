#pragma once

#include "core/storage/result.h"

#include <QLockFile>
#include <QString>

namespace qv {

    // Keeps a second program off a workbook that is already open. Two programs on one data folder
    // each keep their own idea of the index files and the status store, and the later save silently
    // drops what the other one wrote, so the second start must stop before it reads or writes
    // anything.
    class WorkbookLock
    {
    public:
        // The lock file the program keeps in the data folder while it runs. No backup or restore
        // pattern of the workbook's own files matches it.
        static QString fileName();

        explicit WorkbookLock(const QString& dataDir);

        // Takes the workbook for this process. A lock left behind by a program that no longer runs
        // (a crash, a power cut) is taken over. Fails, with the sentence to show the user, when
        // another program holds the workbook or the lock cannot be made. The lock is given back when
        // this object goes.
        Status claim();

    private:
        QString m_dataDir;
        QLockFile m_lock;
    };

} // namespace qv
