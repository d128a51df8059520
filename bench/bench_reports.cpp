// Composition speed of the reports users wait on: the status report with every family ticked, which
// is rebuilt on every tick, and the print of all current policies read from their files (47 policies
// of about five pages each).

#include "core/reports/notesreport.h"
#include "core/reports/pageengine.h"
#include "core/reports/printsettings.h"
#include "core/reports/statusreport.h"
#include "core/rtf/rtfwriter.h"
#include "core/storage/programfolder.h"
#include "rtfsamples.h"

#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>

#include "benchmain.h"

#include <benchmark/benchmark.h>

namespace {

    // Formatted text of about five Letter pages between the all-policies margins.
    constexpr int FivePageBytes = 44 * 1024;

    void BM_StatusReportAllSafeguards(benchmark::State& state)
    {
        const QStringList statuses{
            QStringLiteral("Completed"), QStringLiteral("In Progress"), QStringLiteral("  Not Started "), QString()};
        const qv::StatusLookup status = [&statuses](int n) { return statuses.at(n % statuses.size()); };
        qv::StatusReportChoice choice;
        choice.all = true;
        qv::PageEngine engine;
        for (auto _ : state)
            qv::composeStatusReport(engine, choice, status, Qt::black, QDate(2011, 3, 4));
        state.counters["pages"] = engine.pageCount();
    }

    void BM_ComposeAllPoliciesFromFiles(benchmark::State& state)
    {
        QTemporaryDir root;
        const qv::ProgramFolder folder(root.filePath(QStringLiteral("data")), root.filePath(QStringLiteral("content")));
        if (!root.isValid() || !QDir(root.path()).mkpath(QStringLiteral("data"))) {
            state.SkipWithError("no temporary folder");
            return;
        }
        for (int n = 0; n <= qv::AllPoliciesLast; ++n) {
            const auto doc = qv::bench::mixedDocument(FivePageBytes - 4096 + (n % 5) * 2048);
            if (!folder.write(QStringLiteral("Policy%1.Fil").arg(n), qv::rtf::write(*doc)).ok()) {
                state.SkipWithError("policy not written");
                return;
            }
        }
        qv::PrintSettings settings;
        settings.fontSize = 12;
        settings.margins = qv::printpresets::AllPolicies;
        qv::PageEngine engine;
        int printed = 0;
        for (auto _ : state)
            printed = qv::composeAllPolicies(engine, settings, folder);
        state.counters["policies"] = printed;
        state.counters["pages"] = engine.pageCount();
    }

    BENCHMARK(BM_StatusReportAllSafeguards)->Unit(benchmark::kMillisecond);
    BENCHMARK(BM_ComposeAllPoliciesFromFiles)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qv::bench::preferOffscreen();
    QGuiApplication app(argc, argv);
    return qv::bench::runBenchmarks(argc, argv);
}
