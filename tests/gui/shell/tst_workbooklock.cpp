// One workbook, one program: a second start on an open workbook goes away without touching a file,
// and a lock left by a program that died does not keep the workbook closed for ever.

#include "workbooklock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

    const QString Program = QStringLiteral(QUORVANE_BIN_DIR "/quorvane");

    // Every file of the folder with the hash of its bytes.
    QMap<QString, QByteArray> snapshot(const QString& dir)
    {
        QMap<QString, QByteArray> files;
        for (const QString& name : QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            QFile file(QDir(dir).filePath(name));
            files.insert(name,
                         file.open(QIODevice::ReadOnly)
                             ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex()
                             : QByteArray("<unreadable>"));
        }
        return files;
    }

    bool writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    QByteArray lockOwner(const QString& dir)
    {
        QFile file(QDir(dir).filePath(qv::WorkbookLock::fileName()));
        return file.open(QIODevice::ReadOnly) ? file.readLine().trimmed() : QByteArray();
    }

    // A program left running by a failed check is ended with the test, not left on the machine.
    struct Running
    {
        QProcess process;
        ~Running()
        {
            if (process.state() != QProcess::NotRunning) {
                process.kill();
                process.waitForFinished(10000);
            }
        }
    };

} // namespace

class WorkbookLockTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondProgramIsTurnedAway();
    void lockOfDeadProgramIsTakenOver();
    void lockNamingNobodyIsTakenOver();
};

void WorkbookLockTest::secondProgramIsTurnedAway()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString data = root.filePath(u"data"_s);
    QVERIFY(QDir().mkpath(data));
    QVERIFY(writeFile(data + u"/Stat1.Fil"_s, QByteArray(68 * 20, '\0')));
    QVERIFY(writeFile(data + u"/Policy14.Fil"_s, "{\\rtf1 Passwords are changed every 90 days.\\par}"));
    QVERIFY(writeFile(data + u"/IncidHold.Flc"_s, "\"Lost laptop\"\r\n"));
    QVERIFY(writeFile(data + u"/Lost laptop.Flc"_s, "{\\rtf1 Reported on Monday.\\par}"));

    Running first;
    first.process.start(Program, {u"--data-dir"_s, data});
    QVERIFY(first.process.waitForStarted(30000));
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(data), QByteArray::number(first.process.processId()), 30000);
    const QMap<QString, QByteArray> before = snapshot(data);

    QProcess second;
    second.start(Program, {u"--data-dir"_s, data});
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 2);
    const QString err = QString::fromLocal8Bit(second.readAllStandardError());
    const QString expected = u"quorvane: The workbook in %1 is open in another Quorvane window (process %2).\n"_s
                                 .arg(QDir::toNativeSeparators(data))
                                 .arg(first.process.processId());
    QVERIFY2(err.endsWith(expected), qPrintable(err));

    QCOMPARE(snapshot(data), before);
    QCOMPARE(first.process.state(), QProcess::Running);
}

void WorkbookLockTest::lockOfDeadProgramIsTakenOver()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString data = root.filePath(u"data"_s);

    // A program killed outright has no chance to take its lock away: the crash the lock must survive.
    Running crashed;
    crashed.process.start(Program, {u"--data-dir"_s, data});
    QVERIFY(crashed.process.waitForStarted(30000));
    const QByteArray crashedPid = QByteArray::number(crashed.process.processId());
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(data), crashedPid, 30000);
    crashed.process.kill();
    QVERIFY(crashed.process.waitForFinished(30000));
    QCOMPARE(lockOwner(data), crashedPid);

    Running next;
    next.process.start(Program, {u"--data-dir"_s, data});
    QVERIFY(next.process.waitForStarted(30000));
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(data), QByteArray::number(next.process.processId()), 30000);
    QVERIFY2(!next.process.waitForFinished(1000), next.process.readAllStandardError().constData());
}

void WorkbookLockTest::lockNamingNobodyIsTakenOver()
{
    // The lock file made, but its program died before it wrote who it is.
    QTemporaryDir data;
    QVERIFY(data.isValid());
    QVERIFY(writeFile(data.filePath(qv::WorkbookLock::fileName()), QByteArray()));

    qv::WorkbookLock lock(data.path());
    const qv::Status claimed = lock.claim();
    QVERIFY2(claimed.ok(), qPrintable(claimed.error()));
    QCOMPARE(lockOwner(data.path()), QByteArray::number(QCoreApplication::applicationPid()));

    // And while it is held, nobody else gets it.
    qv::WorkbookLock other(data.path());
    QVERIFY(!other.claim().ok());
}

QTEST_GUILESS_MAIN(WorkbookLockTest)
#include "tst_workbooklock.moc"
