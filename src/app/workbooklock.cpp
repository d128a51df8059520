#include "workbooklock.h"

#include <QDir>
#include <QSysInfo>

namespace qv {

    QString WorkbookLock::fileName()
    {
        return QStringLiteral("Quorvane.lock");
    }

    WorkbookLock::WorkbookLock(const QString& dataDir)
        : m_dataDir(dataDir)
        , m_lock(QDir(dataDir).filePath(fileName()))
    {
        // A workbook stays open for hours. Judged by age, a live program's lock would be taken from
        // it after Qt's default of 30 seconds; only a holder that no longer runs makes a lock stale.
        m_lock.setStaleLockTime(0);
    }

    Status WorkbookLock::claim()
    {
        if (m_lock.tryLock(0)) {
            return {};
        }
        const QString folder = QDir::toNativeSeparators(m_dataDir);
        if (m_lock.error() != QLockFile::LockFailedError) {
            return Status::failure(QStringLiteral("The workbook in %1 cannot be opened: its lock file %2 cannot be "
                                                  "created there.")
                                       .arg(folder, fileName()));
        }
        qint64 pid = 0;
        QString host;
        QString application;
        if (!m_lock.getLockInfo(&pid, &host, &application)) {
            // A lock file that names nobody was cut short as its program died between making it and
            // writing it. The system's own lock on the file still stands while its maker runs, so
            // removing it only succeeds when nobody holds it.
            if (m_lock.removeStaleLockFile() && m_lock.tryLock(0)) {
                return {};
            }
            return Status::failure(
                QStringLiteral("The workbook in %1 is open in another Quorvane window.").arg(folder));
        }
        const QString holder = host.isEmpty() || host == QSysInfo::machineHostName()
                                   ? QStringLiteral("process %1").arg(pid)
                                   : QStringLiteral("process %1 on %2").arg(pid).arg(host);
        return Status::failure(
            QStringLiteral("The workbook in %1 is open in another Quorvane window (%2).").arg(folder, holder));
    }

} // namespace qv
