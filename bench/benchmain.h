#pragma once

#include <QtGlobal>

#include <benchmark/benchmark.h>

namespace qv::bench {

    // Painting and layout need a window system; offscreen unless the caller chose one.
    inline void preferOffscreen()
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    }

    // Runs the registered benchmarks with the command line left after the application took its own
    // options; 1 for an option neither knows.
    inline int runBenchmarks(int& argc, char** argv)
    {
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
            return 1;
        }
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }

} // namespace qv::bench
