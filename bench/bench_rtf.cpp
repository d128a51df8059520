// RTF read and write speed on the documents users wait on: a large formatted one and a long plain
// one. Throughput is the size of the RTF file per second, for reading and for writing alike.
//
// `bench_rtf --write-samples DIR` writes the two sample files and exits, for memory measurements
// with an outside tool (heaptrack, valgrind --tool=massif, /usr/bin/time -v).

#include "core/rtf/rtfreader.h"
#include "core/rtf/rtfwriter.h"
#include "rtfsamples.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include "benchmain.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

    struct Sample
    {
        std::unique_ptr<QTextDocument> doc;
        QByteArray rtf;
    };

    const Sample& mixed()
    {
        static const Sample sample = [] {
            Sample s{qv::bench::mixedDocument(1024 * 1024), {}};
            s.rtf = qv::rtf::write(*s.doc);
            return s;
        }();
        return sample;
    }

    const Sample& plain()
    {
        static const Sample sample = [] {
            Sample s{qv::bench::plainDocument(200), {}};
            s.rtf = qv::rtf::write(*s.doc);
            return s;
        }();
        return sample;
    }

    void writeBench(benchmark::State& state, const Sample& sample)
    {
        for (auto _ : state) {
            QByteArray rtf = qv::rtf::write(*sample.doc);
            benchmark::DoNotOptimize(rtf.data());
        }
        state.SetBytesProcessed(int64_t(state.iterations()) * sample.rtf.size());
        state.counters["file_bytes"] = double(sample.rtf.size());
    }

    void readBench(benchmark::State& state, const Sample& sample)
    {
        for (auto _ : state) {
            QTextDocument doc;
            qv::rtf::read(sample.rtf, doc);
            benchmark::DoNotOptimize(doc.characterCount());
        }
        state.SetBytesProcessed(int64_t(state.iterations()) * sample.rtf.size());
        state.counters["file_bytes"] = double(sample.rtf.size());
    }

    void BM_WriteMixed1MB(benchmark::State& state)
    {
        writeBench(state, mixed());
    }
    void BM_ReadMixed1MB(benchmark::State& state)
    {
        readBench(state, mixed());
    }
    void BM_WritePlain200Pages(benchmark::State& state)
    {
        writeBench(state, plain());
    }
    void BM_ReadPlain200Pages(benchmark::State& state)
    {
        readBench(state, plain());
    }

    BENCHMARK(BM_WriteMixed1MB)->Unit(benchmark::kMillisecond);
    BENCHMARK(BM_ReadMixed1MB)->Unit(benchmark::kMillisecond);
    BENCHMARK(BM_WritePlain200Pages)->Unit(benchmark::kMillisecond);
    BENCHMARK(BM_ReadPlain200Pages)->Unit(benchmark::kMillisecond);

    int writeSamples(const QString& dir)
    {
        QDir().mkpath(dir);
        for (const auto& [name, sample] :
             {std::pair{"mixed-1mb.rtf", &mixed()}, std::pair{"plain-200p.rtf", &plain()}}) {
            QFile file(QDir(dir).filePath(QString::fromLatin1(name)));
            if (!file.open(QIODevice::WriteOnly) || file.write(sample->rtf) != sample->rtf.size())
                return 1;
        }
        return 0;
    }

} // namespace

int main(int argc, char** argv)
{
    qv::bench::preferOffscreen();
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--write-samples") == 0)
        return writeSamples(QString::fromLocal8Bit(argv[2]));

    return qv::bench::runBenchmarks(argc, argv);
}
