// The progress summary and the search over the user's documents: counting and drawing the summary,
// which happens every time the standards overview comes into view, the first search of a session,
// which reads every document, and the searches after it.

#include "core/catalogue/statustable.h"
#include "core/insight/progress.h"
#include "core/insight/searchindex.h"
#include "core/rtf/rtfwriter.h"
#include "core/storage/programfolder.h"
#include "gui/insight/progresschart.h"
#include "gui/kit/programlook.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextDocument>

#include "benchmain.h"

#include <benchmark/benchmark.h>

namespace {

    qv::StatusTable everyStatus()
    {
        const QStringList words{QStringLiteral("Completed"),
                                QStringLiteral("Working"),
                                QStringLiteral("Review"),
                                QStringLiteral("Pending"),
                                QStringLiteral("Not Implemented"),
                                QStringLiteral(" "),
                                QStringLiteral("Yes"),
                                QStringLiteral("No"),
                                QStringLiteral("Partial")};
        qv::StatusTable table;
        for (int r = 1; r <= 68; ++r) {
            static_cast<void>(table.setEntry(r, words.at(r % words.size())));
        }
        return table;
    }

    void BM_CountProgress(benchmark::State& state)
    {
        const qv::StatusTable table = everyStatus();
        for (auto _ : state) {
            qv::insight::Progress progress = qv::insight::countProgress(table, [](int) { return true; });
            benchmark::DoNotOptimize(progress.total.counts.data());
        }
    }

    // The summary's bars at the size they take on a 1920 by 1080 screen.
    void BM_DrawProgressChart(benchmark::State& state)
    {
        const qv::insight::Progress progress = qv::insight::countProgress(everyStatus(), {});
        qv::ProgressChart chart;
        QList<qv::ProgressChart::Row> rows;
        for (const qv::insight::FamilyTally& family : progress.families) {
            rows.append({QStringLiteral("Family"), family.tally, false});
        }
        rows.append({QStringLiteral("All safeguards (47)"), progress.total, true});
        chart.setRows(rows);
        chart.resize(440, chart.heightForWidth(440));
        QImage picture(chart.size(), QImage::Format_ARGB32_Premultiplied);
        for (auto _ : state) {
            picture.fill(Qt::white);
            chart.render(&picture);
            benchmark::DoNotOptimize(picture.constBits());
        }
    }

    // 200 documents of about 20 KB of RTF each: every note of 47 safeguards, the 21 worksheets, the
    // plan, and incident reports for the rest, the phrase looked for once in each.
    struct Workbook
    {
        QTemporaryDir dir;
        qv::ProgramFolder folder{dir.path(), dir.path()};

        Workbook()
        {
            static const QStringList vocabulary =
                QStringLiteral("the risk analysis covers every workstation backup server policy procedure access "
                               "control audit review training contingency encryption password facility media device")
                    .split(u' ');
            QStringList names;
            for (int f = 0; f < 47; ++f) {
                for (const char* prefix : {"Action", "Comment", "Policy"}) {
                    names.append(QString::fromLatin1(prefix) + QString::number(f) + QStringLiteral(".Fil"));
                }
            }
            for (int n = 0; n < 21; ++n) {
                names.append(QStringLiteral("Wksht%1.Fil").arg(n));
            }
            names.append(QStringLiteral("DRPln1.Fil"));
            QByteArray index;
            for (int r = 0; names.size() < 200; ++r) {
                const QString title = QStringLiteral("Incident %1").arg(r);
                names.append(title + QStringLiteral(".Flc"));
                index += '"' + title.toLatin1() + ".Flc\"\r\n";
            }
            static_cast<void>(folder.write(QStringLiteral("IncidHold.Flc"), index));
            for (int d = 0; d < names.size(); ++d) {
                QString text;
                int word = d;
                while (text.size() < 18 * 1024) {
                    for (int w = 0; w < 14; ++w) {
                        text += vocabulary.at((word++ * 7) % vocabulary.size()) + u' ';
                    }
                    text += QStringLiteral("item %1.\n").arg(word);
                }
                text.insert(text.size() / 2, QStringLiteral(" the flood plan "));
                QTextDocument doc;
                doc.setPlainText(text);
                const QByteArray rtf = qv::rtf::write(doc);
                bytes += rtf.size();
                static_cast<void>(folder.write(names.at(d), rtf));
            }
            documents = static_cast<int>(names.size());
        }

        qint64 bytes = 0;
        int documents = 0;
    };

    Workbook& workbook()
    {
        static Workbook book;
        return book;
    }

    void BM_FirstSearch200Documents(benchmark::State& state)
    {
        Workbook& book = workbook();
        for (auto _ : state) {
            qv::insight::SearchIndex index(book.folder);
            const auto found = index.find(QStringLiteral("flood plan"));
            if (found.total != 200) {
                state.SkipWithError("the phrase was not found in every document");
            }
        }
        state.counters["documents"] = book.documents;
        state.counters["kb_per_document"] = double(book.bytes) / book.documents / 1024;
    }

    void BM_NextSearch200Documents(benchmark::State& state)
    {
        qv::insight::SearchIndex index(workbook().folder);
        static_cast<void>(index.find(QStringLiteral("flood plan")));
        for (auto _ : state) {
            const auto found = index.find(QStringLiteral("backup server"));
            benchmark::DoNotOptimize(found.total);
        }
    }

} // namespace

BENCHMARK(BM_CountProgress)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawProgressChart)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstSearch200Documents)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_NextSearch200Documents)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qv::bench::preferOffscreen();
    QApplication app(argc, argv);
    qv::applyProgramLook();
    return qv::bench::runBenchmarks(argc, argv);
}
