// How long the print preview takes to paint one page: what the user waits on for every page turn,
// every zoom change and every expose of the Print Options panel. A frame is 16 ms; a page has to
// paint well within it.
//
// BM_PreviewRepaint paints a full page of report text (a heading, ruled lines and a page of wrapped
// paragraphs) in a preview the size it has on the Print Options panel at 1024x768, and in the
// enlarged preview of a 1920x1080 screen, where only the top of the page is in view.

#include "core/reports/pageengine.h"
#include "gui/kit/programlook.h"
#include "gui/reports/previewwidget.h"

#include <QApplication>
#include <QImage>
#include <QTextDocument>

#include "benchmain.h"

#include <benchmark/benchmark.h>

namespace {

    void composeFullPage(qv::PageEngine& engine)
    {
        engine.setPreview(true);
        engine.clear();
        engine.setFontName(QStringLiteral("Times New Roman"));
        engine.startDoc();
        engine.setFontSize(14);
        engine.setFontBold(true);
        engine.paragraph(QStringLiteral("Administrative Safeguards: Security Management Process"));
        engine.setFontBold(false);
        engine.setFontSize(10);
        const double y = engine.currentY();
        engine.drawLine(engine.marginLeft(), y, engine.pageWidth() - engine.marginRight(), y);
        const QString text = QStringLiteral(
            "Implement policies and procedures to prevent, detect, contain, and correct security violations. "
            "Conduct an accurate and thorough assessment of the potential risks and vulnerabilities to the "
            "confidentiality, integrity, and availability of electronic protected health information.");
        while (engine.pageCount() <= 1) {
            engine.paragraph(text);
            if (engine.currentY() > engine.pageHeight() - engine.marginBottom() - 2 * engine.lineHeight()) {
                break;
            }
        }
        QTextDocument rich;
        rich.setHtml(QStringLiteral("<p><b>Action Taken:</b> risk analysis <i>completed</i> and reviewed.</p>"));
        engine.richParagraph(rich);
        engine.endDoc();
    }

    void BM_PreviewRepaint(benchmark::State& state)
    {
        const bool enlarged = state.range(0) != 0;
        qv::PageEngine engine;
        composeFullPage(engine);
        qv::PreviewWidget preview(engine);
        preview.resize(enlarged ? QSize(1890, 900) : QSize(560, 640));
        if (enlarged) {
            preview.setZoom(qv::PreviewWidget::Zoom::Enlarged);
        }
        preview.show();
        QApplication::processEvents();
        // Rendered into a picture rather than repainted on screen, so every round surely paints the
        // whole preview, whatever the platform does with an unchanged window.
        QImage target(preview.size(), QImage::Format_ARGB32_Premultiplied);
        for (auto _ : state) {
            preview.render(&target);
            benchmark::DoNotOptimize(target.constBits());
        }
        state.counters["lines"] = static_cast<double>(engine.document().strings(0).size());
        state.SetLabel(enlarged ? "enlarged 1920x1080" : "normal 1024x768");
    }
    BENCHMARK(BM_PreviewRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qv::bench::preferOffscreen();
    QApplication app(argc, argv);
    qv::applyProgramLook();
    return qv::bench::runBenchmarks(argc, argv);
}
