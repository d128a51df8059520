// Composition and painting speed of the page engine on the prints users wait on: one policy of about
// five pages, every policy at once (47 of them, about five pages each), and drawing one page in the
// preview at screen size, which has to fit in a frame.

#include "core/reports/pageengine.h"
#include "core/rtf/rtfwriter.h"
#include "rtfsamples.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include "benchmain.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

    // Formatted text of about five Letter pages between the all-policies margins.
    constexpr int FivePageBytes = 44 * 1024;
    constexpr int PolicyCount = 47;
    constexpr double ScreenScale = 96.0 / 1440.0;

    const QTextDocument& fivePages()
    {
        static const std::unique_ptr<QTextDocument> doc = qv::bench::mixedDocument(FivePageBytes);
        return *doc;
    }

    // The policies as the files hold them, each a little different in length.
    const QList<QByteArray>& policies()
    {
        static const QList<QByteArray> files = [] {
            QList<QByteArray> rtf;
            for (int n = 0; n < PolicyCount; ++n) {
                const auto doc = qv::bench::mixedDocument(FivePageBytes - 4096 + (n % 5) * 2048);
                rtf.append(qv::rtf::write(*doc));
            }
            return rtf;
        }();
        return files;
    }

    void setUpAllPolicies(qv::PageEngine& engine)
    {
        engine.setMarginBottom(600);
        engine.setMarginTop(600);
        engine.setMarginLeft(750);
        engine.setMarginRight(650);
        engine.setFontName(QStringLiteral("Times New Roman"));
        engine.setFontSize(12);
    }

    void BM_ComposeFivePagePolicy(benchmark::State& state)
    {
        qv::PageEngine engine;
        setUpAllPolicies(engine);
        for (auto _ : state) {
            engine.startDoc();
            engine.richParagraph(fivePages());
            engine.endDoc();
        }
        state.counters["pages"] = engine.pageCount();
    }

    void BM_ComposeAllPolicies(benchmark::State& state)
    {
        const QList<QByteArray>& files = policies();
        qv::PageEngine engine;
        setUpAllPolicies(engine);
        for (auto _ : state) {
            engine.startDoc();
            for (int n = 0; n < files.size(); ++n) {
                if (n > 0)
                    engine.newPage();
                engine.rtfParagraph(files.at(n));
            }
            engine.endDoc();
        }
        state.counters["pages"] = engine.pageCount();
    }

    void paintBench(benchmark::State& state, const qv::PageDocument& doc, int page)
    {
        const QSize size(qRound(doc.pageSize().width() * ScreenScale), qRound(doc.pageSize().height() * ScreenScale));
        QImage picture(size, QImage::Format_ARGB32_Premultiplied);
        for (auto _ : state) {
            picture.fill(Qt::white);
            QPainter painter(&picture);
            doc.paint(painter, page, ScreenScale, qv::PageDocument::Guides::Shown);
        }
    }

    void BM_PaintRichTextPageAtScreenSize(benchmark::State& state)
    {
        qv::PageEngine engine;
        setUpAllPolicies(engine);
        engine.startDoc();
        engine.richParagraph(fivePages());
        engine.endDoc();
        paintBench(state, engine.document(), 1);
    }

    // A ruled table like the status report: short strings in columns and many lines.
    void BM_PaintTablePageAtScreenSize(benchmark::State& state)
    {
        qv::PageEngine engine;
        engine.setMarginLeft(100);
        engine.setMarginTop(10);
        engine.setMarginRight(100);
        engine.setMarginBottom(100);
        engine.setFontName(QStringLiteral("Times New Roman"));
        engine.setFontSize(10);
        engine.startDoc();
        const double width = engine.pageWidth();
        for (int row = 0; row < 60; ++row) {
            const double y = 400 + row * engine.lineHeight();
            engine.drawLine(100, y, width - 100, y);
            for (const double column : {width / 30, width / 2.8, width / 2.2, width / 1.28, width / 1.12}) {
                engine.setCurrentX(column);
                engine.setCurrentY(y);
                engine.paragraph(QStringLiteral("Row %1 entry").arg(row));
            }
        }
        for (const double x : {100.0, width / 3.45, width / 2.35, width / 1.3, width / 1.245, width - 100})
            engine.drawLine(x, 400, x, 400 + 60 * engine.lineHeight());
        engine.endDoc();
        paintBench(state, engine.document(), 0);
    }

    BENCHMARK(BM_ComposeFivePagePolicy)->Unit(benchmark::kMillisecond);
    BENCHMARK(BM_ComposeAllPolicies)->Unit(benchmark::kMillisecond);
    BENCHMARK(BM_PaintRichTextPageAtScreenSize)->Unit(benchmark::kMillisecond);
    BENCHMARK(BM_PaintTablePageAtScreenSize)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qv::bench::preferOffscreen();
    QGuiApplication app(argc, argv);
    return qv::bench::runBenchmarks(argc, argv);
}
