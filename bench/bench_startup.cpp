// How long the user waits from program start to the Action Area, and for one change of area there.
//
// BM_StartToActionArea times what main() does from building the screens to the Action Area being up:
// the help window, the navigator and the start screen are made, start() runs, the start screen is
// shown maximised, "&Click to Begin Program" is pressed, and events run until the Action Area's window
// is exposed and has had its first paint. Everything is destroyed after each round (not timed). The
// data folder is a temporary one holding a filled status file; the content folder is the built one.
//
// The splash is left out of that figure: it shows only once per run, and its display time is a
// deliberate wait. BM_Splash times the rest of it: made, shown modally, run until it is exposed and
// painted, closed and destroyed, which is what Splash::showOnce costs beyond its display time. A cold start costs the
// two together, plus "app_ms" (QApplication and the program's look, made once before any benchmark runs), and the first
// round of BM_StartToActionArea is reported as "first_ms", since fonts, style and the catalogue are set up only once
// per process.
//
// BM_ClickToActionArea times what the user waits on after "&Click to Begin Program": from the click
// until the Action Area has been painted at the size it keeps. Maximised on a real display, the window
// is mapped first and sized by the window manager afterwards, so "up" is the last paint after which its
// size stays put for a while (150 ms), not the first expose. BM_ExitToGone times the way out: from
// "Yes" to "Exit Quorvane?" until the event loop is left and the screens are destroyed. Offscreen
// unless QT_QPA_PLATFORM says otherwise; run them with QT_QPA_PLATFORM=xcb on a display with a window
// manager (Xvfb and openbox will do) to see the figures a user sees.
//
// BM_AreaSwitch times one press of an area button with the Action Area up, events run so that the
// screen is laid out and painted: around the cycle of areas with content, or back and forth between
// area 0 and the area given.

#include "core/catalogue/statusstore.h"
#include "core/reports/printsettings.h"
#include "core/storage/programfolder.h"
#include "gui/actionarea/actionarea.h"
#include "gui/kit/dialogs.h"
#include "gui/kit/navigator.h"
#include "gui/kit/programlook.h"
#include "gui/kit/prompter.h"
#include "gui/shell/helpviewer.h"
#include "gui/shell/splash.h"
#include "gui/shell/startscreen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include "benchmain.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <optional>

namespace {

    using Clock = std::chrono::steady_clock;

    double appSetupMs = 0;
    QtMessageHandler defaultHandler = nullptr;

    double secondsSince(Clock::time_point start)
    {
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    // A box would wait for a user who is not there: each is answered cautiously and counted, and the
    // benchmark reports it as an error rather than a figure.
    class CountingPrompter : public qv::Prompter
    {
    public:
        qv::PromptAnswer ask(const qv::Prompt& prompt) override
        {
            if (answerYes) {
                return qv::PromptAnswer::Yes;
            }
            ++boxes;
            lastText = prompt.text;
            return qv::cautiousAnswer(prompt.buttons);
        }
        // For the exit question, which the exit benchmark answers as the user does.
        bool answerYes = false;
        int boxes = 0;
        QString lastText;
    };

    // A temporary program folder whose status file has a status in every record, as after some use.
    class BenchFolder
    {
    public:
        BenchFolder()
            : m_folder(m_root.filePath(QStringLiteral("data")), QStringLiteral(QUORVANE_CONTENT_DIR))
        {
            static const char* const words[] = {"Completed", "Working", "Pending", "Review", "Not Implemented"};
            qv::StatusStore store(m_folder);
            for (int record = qv::StatusStore::FirstRecord; record <= qv::StatusStore::LastRecord; ++record) {
                const qv::Status written = store.write(record, QString::fromLatin1(words[record % 5]));
                if (!written) {
                    error = written.error();
                    return;
                }
            }
        }

        const qv::ProgramFolder& folder() const
        {
            return m_folder;
        }
        QString error;

    private:
        QTemporaryDir m_root;
        qv::ProgramFolder m_folder;
    };

    // The screens as main() wires them.
    struct Program
    {
        explicit Program(const qv::ProgramFolder& folder)
            : help(folder.contentDir() + QStringLiteral("/help"))
            , start(navigator, prompter, help, dialogs, folder)
        {
            navigator.adopt(qv::Navigator::StartScreen, &start);
            // The offscreen screen is smaller than the program asks for; the screen of a user is not.
            start.setScreenMeasure([] { return QSize(1920, 1080); });
            navigator.setFactory(qv::Navigator::ActionArea, [this, &folder] {
                return new qv::ActionArea(navigator, prompter, help, dialogs, folder, printSettings);
            });
        }

        ~Program()
        {
            if (QWidget* area = navigator.existing(qv::Navigator::ActionArea)) {
                area->setAttribute(Qt::WA_DeleteOnClose, false);
                delete area;
            }
        }

        qv::ActionArea* actionArea() const
        {
            return qobject_cast<qv::ActionArea*>(navigator.existing(qv::Navigator::ActionArea));
        }

        CountingPrompter prompter;
        qv::QtDialogs dialogs;
        qv::PrintSettings printSettings;
        qv::HelpViewer help;
        qv::Navigator navigator;
        qv::StartScreen start;
    };

    bool isUp(const QWidget* window)
    {
        return window && window->isVisible() && window->windowHandle() && window->windowHandle()->isExposed();
    }

    // Notes when a window was last painted and last changed size. On a real display a maximised window
    // is mapped first and sized by the window manager afterwards: the user sees it only once it has
    // been painted at the size it keeps.
    class PaintWatch : public QObject
    {
    public:
        explicit PaintWatch(QWidget* window)
        {
            window->installEventFilter(this);
        }
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Resize) {
                resized = Clock::now();
                paintedSinceResize = false;
            } else if (event->type() == QEvent::Paint) {
                paintedSinceResize = true;
                painted = Clock::now();
            }
            return false;
        }
        Clock::time_point resized{};
        Clock::time_point painted{};
        bool paintedSinceResize = false;
    };

    // Runs events until the window is up and painted at a size it keeps for QuietMs, and returns when
    // that paint reached the window system; nothing after 5 s.
    constexpr int QuietMs = 150;
    std::optional<Clock::time_point> waitUntilShown(QWidget* window)
    {
        PaintWatch watch(window);
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (isUp(window) && watch.paintedSinceResize &&
                Clock::now() - watch.resized > std::chrono::milliseconds(QuietMs)) {
                return watch.painted;
            }
            if (isUp(window) && watch.paintedSinceResize) {
                QGuiApplication::sync();
            }
        }
        return std::nullopt;
    }

    // Runs events until the window is up, then once more so its first paint is done; false after 5 s.
    bool waitUntilUp(const QWidget* window)
    {
        QElapsedTimer waited;
        waited.start();
        while (!isUp(window)) {
            if (waited.elapsed() > 5000) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        QCoreApplication::processEvents();
        return true;
    }

    const BenchFolder& benchFolder()
    {
        static const BenchFolder folder;
        return folder;
    }

    // False, with the reason on the benchmark, when the workbook to start from could not be made.
    bool folderReady(benchmark::State& state)
    {
        if (!benchFolder().error.isEmpty()) {
            state.SkipWithError(qPrintable(benchFolder().error));
            return false;
        }
        return true;
    }

    // The splash is shown once per process and never waits, so every round below is alike.
    void splashSpent()
    {
        qv::Splash::setDisplayTime(0);
        qv::Splash::showOnce();
    }

    void BM_StartToActionArea(benchmark::State& state)
    {
        if (!folderReady(state)) {
            return;
        }
        splashSpent();

        static double firstMs = -1;
        for (auto _ : state) {
            const Clock::time_point begun = Clock::now();
            std::optional<Program> program(std::in_place, benchFolder().folder());
            program->start.start();
            program->start.showMaximized();
            QCoreApplication::processEvents();
            program->start.findChild<QAbstractButton*>(QStringLiteral("Command2"))->click();
            QWidget* area = program->actionArea();
            const std::optional<Clock::time_point> shown = waitUntilShown(area);
            const bool up = shown.has_value();
            const double seconds = up ? std::chrono::duration<double>(*shown - begun).count() : 0.0;
            state.SetIterationTime(seconds);
            if (firstMs < 0) {
                firstMs = seconds * 1000;
            }
            if (!up || program->start.isVisible()) {
                state.SkipWithError("the Action Area did not come up in place of the start screen");
                return;
            }
            if (program->prompter.boxes != 0) {
                state.SkipWithError(qPrintable(QStringLiteral("a box came up: ") + program->prompter.lastText));
                return;
            }
            program.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        state.counters["first_ms"] = firstMs;
        state.counters["app_ms"] = appSetupMs;
    }

    // What the user waits on after "&Click to Begin Program": from the click to the Action Area painted
    // at the size it keeps (maximised, which on a real display the window manager does after the map).
    void BM_ClickToActionArea(benchmark::State& state)
    {
        if (!folderReady(state)) {
            return;
        }
        splashSpent();
        for (auto _ : state) {
            std::optional<Program> program(std::in_place, benchFolder().folder());
            program->start.start();
            program->start.showMaximized();
            if (!waitUntilUp(&program->start)) {
                state.SkipWithError("the start screen did not come up");
                return;
            }
            const Clock::time_point clicked = Clock::now();
            program->start.findChild<QAbstractButton*>(QStringLiteral("Command2"))->click();
            const std::optional<Clock::time_point> shown = waitUntilShown(program->actionArea());
            if (!shown) {
                state.SkipWithError("the Action Area did not come up");
                return;
            }
            state.SetIterationTime(std::chrono::duration<double>(*shown - clicked).count());
            program.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // From "Yes" to "Exit Quorvane?" until the screens are gone and the process could end: the event
    // loop is left and everything main() made is destroyed.
    void BM_ExitToGone(benchmark::State& state)
    {
        if (!folderReady(state)) {
            return;
        }
        splashSpent();
        for (auto _ : state) {
            std::optional<Program> program(std::in_place, benchFolder().folder());
            program->start.start();
            program->start.showMaximized();
            program->start.findChild<QAbstractButton*>(QStringLiteral("Command2"))->click();
            qv::ActionArea* area = program->actionArea();
            if (!waitUntilShown(area)) {
                state.SkipWithError("the Action Area did not come up");
                return;
            }
            QEventLoop loop;
            QObject::connect(
                area, &qv::ActionArea::exitRequested, &loop, [&loop] { loop.exit(0); }, Qt::QueuedConnection);
            program->prompter.answerYes = true;
            const Clock::time_point answered = Clock::now();
            area->pressNavigation(qv::Navigator::ExitProgram);
            bool gone = false;
            QTimer::singleShot(5000, &loop, [&loop] { loop.exit(1); });
            gone = loop.exec() == 0;
            if (!gone) {
                state.SkipWithError("the exit question did not end the program");
                return;
            }
            program.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QGuiApplication::sync();
            state.SetIterationTime(secondsSince(answered));
        }
    }

    void BM_Splash(benchmark::State& state)
    {
        for (auto _ : state) {
            qv::Splash splash;
            // Closed once it is up and painted, where its display time would begin.
            bool up = false;
            QTimer::singleShot(0, &splash, [&] {
                up = waitUntilUp(&splash);
                splash.accept();
            });
            splash.exec();
            if (!up) {
                state.SkipWithError("the splash did not come up");
                return;
            }
        }
    }

    // Times one selectArea per round, stepping through areas in turn.
    void switchAreas(benchmark::State& state, const QList<int>& areas)
    {
        if (!folderReady(state)) {
            return;
        }
        qv::Splash::setDisplayTime(0);
        Program program(benchFolder().folder());
        program.start.start();
        program.start.showMaximized();
        program.start.findChild<QAbstractButton*>(QStringLiteral("Command2"))->click();
        qv::ActionArea* area = program.actionArea();
        if (!waitUntilUp(area)) {
            state.SkipWithError("the Action Area did not come up");
            return;
        }
        qsizetype next = 1;
        for (auto _ : state) {
            const int k = areas[next];
            next = (next + 1) % areas.size();
            const Clock::time_point begun = Clock::now();
            area->selectArea(k);
            QCoreApplication::processEvents();
            state.SetIterationTime(secondsSince(begun));
        }
        // The Safeguard Example tells once that it cannot be saved; the box is answered at once here.
        state.counters["boxes"] = program.prompter.boxes;
    }

    void BM_AreaSwitchCycle(benchmark::State& state)
    {
        switchAreas(state, {0, 2, 3, 4, 5, 6, 9});
    }

    void BM_AreaSwitchTo(benchmark::State& state)
    {
        switchAreas(state, {0, static_cast<int>(state.range(0))});
    }

    BENCHMARK(BM_StartToActionArea)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3.0);
    BENCHMARK(BM_ClickToActionArea)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3.0);
    BENCHMARK(BM_ExitToGone)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3.0);
    BENCHMARK(BM_Splash)->Unit(benchmark::kMillisecond);
    BENCHMARK(BM_AreaSwitchCycle)->Unit(benchmark::kMillisecond)->UseManualTime();
    BENCHMARK(BM_AreaSwitchTo)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->ArgName("area")
        ->Arg(1)
        ->Arg(2)
        ->Arg(3)
        ->Arg(4)
        ->Arg(5)
        ->Arg(6)
        ->Arg(7)
        ->Arg(9);

    // The offscreen platform says so for every window that asks it to raise or resize itself.
    void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support"))) {
            return;
        }
        defaultHandler(type, context, message);
    }

} // namespace

int main(int argc, char** argv)
{
    defaultHandler = qInstallMessageHandler(quietPlatformNotes);
    qv::bench::preferOffscreen();
    const Clock::time_point begun = Clock::now();
    QApplication app(argc, argv);
    qv::applyProgramLook();
    appSetupMs = secondsSince(begun) * 1000;

    return qv::bench::runBenchmarks(argc, argv);
}
