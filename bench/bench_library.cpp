// What the user waits on in the reference screens.
//
// BM_OpenViewer: the Miscellaneous screen made, shown, and its first document ("Program
// Information", the installed Misc1.Fl1 when the build has it) in the pane, until the window has
// been painted. BM_EntireRule: choosing "Entire Rule" on the Security Rule screen, from the click
// until the section is in the pane and painted; the section is a stand-in of the regulation's size
// (about a megabyte of RTF) written into a temporary content folder, so the figure does not depend
// on the installed text; BM_EntireRuleInstalled times the installed section. BM_SearchStep: one press of the search
// panel's "&Search" in that section, finding the next whole-word match and scrolling to it.
#include "core/reports/printsettings.h"
#include "core/storage/programfolder.h"
#include "gui/kit/dialogs.h"
#include "gui/kit/help.h"
#include "gui/kit/navigator.h"
#include "gui/kit/programlook.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/library/miscellaneous.h"
#include "gui/library/securityrule.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include "benchmain.h"

#include <benchmark/benchmark.h>

namespace {

    // The search's end-of-document message is the only box these benchmarks meet: answered at once.
    class AnsweringPrompter : public qv::Prompter
    {
    public:
        qv::PromptAnswer ask(const qv::Prompt& prompt) override
        {
            ++boxes;
            return qv::cautiousAnswer(prompt.buttons);
        }
        int boxes = 0;
    };

    class NoHelp : public qv::Help
    {
    public:
        void showTopic(int) override
        {
        }
    };

    // About a megabyte of RTF in paragraphs of the regulation's shape: headings, numbered
    // paragraphs, some bold and italic runs.
    QByteArray largeRule()
    {
        QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 ";
        for (int section = 0; rtf.size() < 1'000'000; ++section) {
            rtf += "{\\b \\u167? 164." + QByteArray::number(300 + section) + " Standards for the section.}\\par ";
            for (int p = 0; p < 8; ++p) {
                rtf += "(" + QByteArray::number(p + 1) +
                       ") {\\i Implementation specification.} A covered entity or business associate must, in "
                       "accordance with the security standards, implement policies and procedures to prevent, "
                       "detect, contain, and correct security violations, and review records of information "
                       "system activity, such as audit logs, access reports, and security incident tracking "
                       "reports.\\par ";
            }
        }
        return rtf + "}";
    }

    struct Bench
    {
        Bench()
            : folder(root.filePath(QStringLiteral("data")), root.filePath(QStringLiteral("content")))
            , context{navigator, prompter, help, dialogs, folder, settings, {}}
        {
            QDir().mkpath(folder.dataDir());
            QDir().mkpath(folder.contentDir());
            QFile rule(folder.contentDir() + QStringLiteral("/PR0.Fl1"));
            if (rule.open(QIODevice::WriteOnly)) {
                rule.write(largeRule());
            }
            const QString installed = QStringLiteral(QUORVANE_CONTENT_DIR "/Misc1.Fl1");
            if (!QFile::copy(installed, folder.contentDir() + QStringLiteral("/Misc1.Fl1"))) {
                QFile stand(folder.contentDir() + QStringLiteral("/Misc1.Fl1"));
                if (stand.open(QIODevice::WriteOnly)) {
                    stand.write("{\\rtf1\\ansi Program information.\\par}");
                }
            }
        }

        QTemporaryDir root;
        qv::ProgramFolder folder;
        AnsweringPrompter prompter;
        NoHelp help;
        qv::QtDialogs dialogs;
        qv::Navigator navigator;
        qv::PrintSettings settings;
        qv::LibraryContext context;
    };

    void paint(QWidget* window)
    {
        window->repaint();
        QCoreApplication::processEvents();
    }

    void BM_OpenViewer(benchmark::State& state)
    {
        Bench bench;
        for (auto _ : state) {
            auto* screen = new qv::Miscellaneous(bench.context);
            screen->resize(1024, 768);
            screen->show();
            paint(screen);
            benchmark::DoNotOptimize(screen->windowTitle());
            state.PauseTiming();
            delete screen;
            state.ResumeTiming();
        }
    }
    BENCHMARK(BM_OpenViewer)->Unit(benchmark::kMillisecond);

    void BM_EntireRule(benchmark::State& state)
    {
        Bench bench;
        qv::SecurityRule screen(bench.context);
        screen.resize(1024, 768);
        screen.show();
        QCoreApplication::processEvents();
        for (auto _ : state) {
            screen.chooseSection(0);
            paint(&screen);
            state.PauseTiming();
            screen.clearSection();
            paint(&screen);
            state.ResumeTiming();
        }
        state.counters["rtf_bytes"] =
            static_cast<double>(QFileInfo(bench.folder.contentDir() + QStringLiteral("/PR0.Fl1")).size());
    }
    BENCHMARK(BM_EntireRule)->Unit(benchmark::kMillisecond);

    // The same with the installed section, once the build has it.
    void BM_EntireRuleInstalled(benchmark::State& state)
    {
        Bench bench;
        const QString installed = QStringLiteral(QUORVANE_CONTENT_DIR "/PR0.Fl1");
        const QString target = bench.folder.contentDir() + QStringLiteral("/PR0.Fl1");
        if (!QFile::remove(target) || !QFile::copy(installed, target)) {
            state.SkipWithError("the installed PR0.Fl1 is not built");
            return;
        }
        qv::SecurityRule screen(bench.context);
        screen.resize(1024, 768);
        screen.show();
        QCoreApplication::processEvents();
        for (auto _ : state) {
            screen.chooseSection(0);
            paint(&screen);
            state.PauseTiming();
            screen.clearSection();
            paint(&screen);
            state.ResumeTiming();
        }
        state.counters["rtf_bytes"] = static_cast<double>(QFileInfo(target).size());
    }
    BENCHMARK(BM_EntireRuleInstalled)->Unit(benchmark::kMillisecond);

    void BM_SearchStep(benchmark::State& state)
    {
        Bench bench;
        qv::SecurityRule screen(bench.context);
        screen.resize(1024, 768);
        screen.show();
        screen.chooseSection(0);
        screen.toggleSearch();
        screen.searchText()->setText(QStringLiteral("audit"));
        QCoreApplication::processEvents();
        for (auto _ : state) {
            screen.searchNext();
            paint(&screen);
        }
        state.counters["wraps"] = bench.prompter.boxes;
    }
    BENCHMARK(BM_SearchStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qv::bench::preferOffscreen();
    QApplication app(argc, argv);
    qv::applyProgramLook();
    return qv::bench::runBenchmarks(argc, argv);
}
