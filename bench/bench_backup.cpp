// A backup of a full workbook (every note, policy and worksheet of 20 KB, the plan, 50 incident
// reports and 50 archives) beside a plain copy of the same files, as a user's own copy of the folder
// would make it. The backup writes each file atomically and reads it back, so it may cost more, but
// not much more: the target is within 1.5 times the plain copy.

#include "core/backup/backupjob.h"
#include "core/backup/backupmedia.h"
#include "core/backup/backupset.h"
#include "core/storage/programfolder.h"
#include "core/storage/quotedlinefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "benchmain.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

    using namespace qv::backup;

    QByteArray filler(int length, int seed)
    {
        QByteArray bytes(length, '\0');
        for (int i = 0; i < length; ++i) {
            bytes[i] = char('a' + (i * 31 + seed * 7) % 26);
        }
        return bytes;
    }

    // The full workbook in dir; false when it could not be written.
    bool fillWorkbook(const QString& dir)
    {
        const qv::ProgramFolder folder(dir, QString());
        bool ok = true;
        int seed = 0;
        for (int k = 1; k <= SettingsCount; ++k) {
            ok = ok && folder.write(settingsFile(k), filler(400, ++seed)).ok();
        }
        for (int i = 0; i <= LastIndex; ++i) {
            ok = ok && folder.write(numberedFile(i), filler(20 * 1024, ++seed)).ok();
        }
        QStringList reports;
        QStringList archives;
        for (int n = 1; n <= 50; ++n) {
            reports.append(QStringLiteral("Incident report %1.Flc").arg(n));
            archives.append(QStringLiteral("Policy %1 Dec-01-26.Fla").arg(n));
            ok = ok && folder.write(reports.last(), filler(20 * 1024, ++seed)).ok();
            ok = ok && folder.write(archives.last(), filler(20 * 1024, ++seed)).ok();
        }
        ok = ok && folder.write(QStringLiteral("IncidHold.Flc"), qv::quotedlines::format(reports).value()).ok();
        ok = ok && folder.write(QStringLiteral("ArchiveHold.Fla"), qv::quotedlines::format(archives).value()).ok();
        return ok;
    }

    class Confirming : public Listener
    {
    public:
        Question::Answer ask(const Question&) override
        {
            return Question::Answer::Yes;
        }
    };

    struct Workbook
    {
        QTemporaryDir root;
        QString data = root.filePath(QStringLiteral("data"));
        QString target = root.filePath(QStringLiteral("target"));
        bool ok = root.isValid() && QDir().mkpath(data) && QDir().mkpath(target) && fillWorkbook(data);
    };

    void BM_BackupFullWorkbook(benchmark::State& state)
    {
        Workbook workbook;
        if (!workbook.ok) {
            state.SkipWithError("no workbook");
            return;
        }
        const qv::ProgramFolder folder(workbook.data, QString());
        FolderMedia media(workbook.target);
        Confirming ui;
        for (auto _ : state) {
            if (runBackup(folder, media, ui) != Outcome::Completed) {
                state.SkipWithError("backup failed");
                return;
            }
        }
    }

    // What the backup is measured against: every file copied as it is, with nothing checked. Qt's copy
    // flushes each file to the disk as the backup does.
    void BM_PlainCopyFullWorkbook(benchmark::State& state)
    {
        Workbook workbook;
        if (!workbook.ok) {
            state.SkipWithError("no workbook");
            return;
        }
        const QStringList names = QDir(workbook.data).entryList(QDir::Files);
        for (auto _ : state) {
            state.PauseTiming();
            QDir(workbook.target).removeRecursively();
            QDir().mkpath(workbook.target);
            state.ResumeTiming();
            for (const QString& name : names) {
                if (!QFile::copy(QDir(workbook.data).filePath(name), QDir(workbook.target).filePath(name))) {
                    state.SkipWithError("copy failed");
                    return;
                }
            }
        }
    }

    // cp -r itself: the same copy without flushing a file to the disk before the next, so it gives no
    // file a disk can be trusted with if the computer stops half-way; shown for scale.
    void BM_FilesystemCopyFullWorkbook(benchmark::State& state)
    {
        Workbook workbook;
        if (!workbook.ok) {
            state.SkipWithError("no workbook");
            return;
        }
        const std::filesystem::path from = workbook.data.toStdString();
        const std::filesystem::path to = workbook.target.toStdString();
        for (auto _ : state) {
            state.PauseTiming();
            std::filesystem::remove_all(to);
            state.ResumeTiming();
            std::error_code error;
            std::filesystem::copy(from, to, std::filesystem::copy_options::recursive, error);
            if (error) {
                state.SkipWithError("copy failed");
                return;
            }
        }
    }

    // The system's own cp -r, started as a user would start it (where there is one).
    void BM_CpRecursiveFullWorkbook(benchmark::State& state)
    {
        Workbook workbook;
        const QString cp = QStandardPaths::findExecutable(QStringLiteral("cp"));
        if (!workbook.ok || cp.isEmpty()) {
            state.SkipWithError("no workbook or no cp");
            return;
        }
        for (auto _ : state) {
            state.PauseTiming();
            QDir(workbook.target).removeRecursively();
            state.ResumeTiming();
            QProcess copy;
            copy.start(cp, {QStringLiteral("-r"), workbook.data, workbook.target});
            if (!copy.waitForFinished(60000) || copy.exitCode() != 0) {
                state.SkipWithError("cp failed");
                return;
            }
        }
    }

} // namespace

BENCHMARK(BM_BackupFullWorkbook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCopyFullWorkbook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilesystemCopyFullWorkbook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpRecursiveFullWorkbook)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return qv::bench::runBenchmarks(argc, argv);
}
