// The timeline work users wait on: opening the area (loading the file) and saving it, the sort with
// its compaction on a header click, and the printout of a full list, which is rebuilt on every tick
// of its print options.

#include "core/reports/pageengine.h"
#include "core/reports/printsettings.h"
#include "core/storage/programfolder.h"
#include "core/timeline/timelinefiles.h"
#include "core/timeline/timelinemodel.h"
#include "core/timeline/timelineprint.h"

#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "benchmain.h"

#include <benchmark/benchmark.h>

namespace {

    using namespace qv::timeline;

    // Every row used, items of the longest length, all three dates filled.
    void fill(TimelineModel& model)
    {
        for (int r = 0; r < RowCount; ++r) {
            // Out of order, so the sort has work to do, with every tenth row left without an item.
            const int k = (r * 7919) % RowCount;
            if (r % 10 != 9)
                model.setCell(r, Item, QStringLiteral("To-do item number %1 of the project list ...").arg(k, 3));
            model.setCell(r, ToDoDate, formatCellDate(QDate(2026, 1, 1).addDays(k)));
            model.setCell(r, ActualDate, formatCellDate(QDate(2026, 2, 1).addDays(k)));
            model.setCell(r, NextReviewDate, formatCellDate(QDate(2027, 1, 1).addDays(k)));
        }
    }

    void BM_TimelineLoadAndSave(benchmark::State& state)
    {
        QTemporaryDir root;
        const qv::ProgramFolder folder(root.filePath(QStringLiteral("data")), root.filePath(QStringLiteral("content")));
        TimelineModel model;
        fill(model);
        if (!root.isValid() || !QDir(root.path()).mkpath(QStringLiteral("data")) || !saveTimeline(folder, model).ok()) {
            state.SkipWithError("no timeline file");
            return;
        }
        TimelineModel loaded;
        for (auto _ : state) {
            if (!loadTimeline(folder, loaded).ok() || !saveTimeline(folder, loaded).ok()) {
                state.SkipWithError("load or save failed");
                return;
            }
        }
    }

    void BM_TimelineSortAndCompact(benchmark::State& state)
    {
        TimelineModel filled;
        fill(filled);
        const QStringList strings = filled.toStrings();
        TimelineModel model;
        for (auto _ : state) {
            state.PauseTiming();
            model.setFromStrings(strings);
            state.ResumeTiming();
            model.sort(state.range(0), Qt::AscendingOrder);
        }
    }

    void BM_TimelinePrintout(benchmark::State& state)
    {
        TimelineModel model;
        fill(model);
        qv::PrintSettings settings;
        settings.fontSize = 10;
        qv::PageEngine engine;
        for (auto _ : state)
            composeTimelinePrint(engine, settings, model, {true, true}, QDate(2011, 3, 4));
        state.counters["pages"] = engine.pageCount();
    }

    BENCHMARK(BM_TimelineLoadAndSave)->Unit(benchmark::kMillisecond);
    // By item, and by a date column.
    BENCHMARK(BM_TimelineSortAndCompact)->Arg(Item)->Arg(ToDoDate)->Unit(benchmark::kMillisecond);
    BENCHMARK(BM_TimelinePrintout)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qv::bench::preferOffscreen();
    QGuiApplication app(argc, argv);
    return qv::bench::runBenchmarks(argc, argv);
}
