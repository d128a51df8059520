#include "gui/kit/busypointer.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/help.h"
#include "gui/kit/navigator.h"
#include "gui/kit/programlook.h"
#include "gui/kit/weblinks.h"
#include "gui/shell/aboutdialog.h"
#include "gui/shell/helpviewer.h"
#include "gui/shell/splash.h"
#include "gui/shell/startscreen.h"
#include "scripteddialogs.h"
#include "scriptedprompter.h"
#include "tempprogramfolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <functional>

using namespace qv;
using namespace qv::test;

namespace {

    const QString NotWritten = QStringLiteral("This help topic has not been written yet.");

    class RecordingHelp : public Help
    {
    public:
        void showTopic(int topic) override
        {
            topics.append(topic);
        }
        QList<int> topics;
    };

    // Remembers the addresses it is handed and answers as told, so no browser ever starts.
    struct RecordingOpener
    {
        bool succeeds = true;
        QList<QUrl> urls;
        // Whether the busy pointer was still up when the browser was asked for.
        QList<bool> busyWhenOpened;

        void install()
        {
            setUrlOpener([this](const QUrl& url) {
                urls.append(url);
                busyWhenOpened.append(QGuiApplication::overrideCursor() != nullptr);
                return succeeds;
            });
        }
    };

    Prompt connectionWarning()
    {
        return {QStringLiteral("Unable to Connect to Internet"),
                QStringLiteral("Unable to connect to Internet.\r\rPlease insure your Internet is running in "
                               "\rthe background, then please try again!"),
                PromptIcon::Warning,
                PromptButtons::Ok,
                PromptAnswer::Ok};
    }

    // The boxes as shown: a box without a preselected button has its first one preselected.
    QList<Prompt> asShown(QList<Prompt> prompts)
    {
        for (Prompt& p : prompts) {
            p.defaultButton = p.effectiveDefault();
        }
        return prompts;
    }

    // Runs act on the next modal window once it is up, while the code under test waits in exec().
    void whenModal(std::function<void(QWidget*)> act, int triesLeft = 300)
    {
        QTimer::singleShot(5, qApp, [act = std::move(act), triesLeft]() mutable {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                act(modal);
            } else if (triesLeft > 0) {
                whenModal(std::move(act), triesLeft - 1);
            }
        });
    }

    // Counts the splash windows that come up while it lives.
    class SplashWatch : public QObject
    {
    public:
        SplashWatch()
        {
            qApp->installEventFilter(this);
        }
        ~SplashWatch() override
        {
            qApp->removeEventFilter(this);
        }
        int shown = 0;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Show && qobject_cast<Splash*>(watched)) {
                ++shown;
            }
            return false;
        }
    };

    // The start screen as the program builds it, with a scripted prompter and recorded help.
    struct StartFixture
    {
        StartFixture()
            : start(navigator, prompter, help, dialogs, folder.folder())
        {
            navigator.adopt(Navigator::StartScreen, &start);
            start.setScreenMeasure([] { return QSize(1024, 768); });
        }

        QAction* action(const QString& name) const
        {
            return start.findChild<QAction*>(name);
        }

        TempProgramFolder folder;
        ScriptedPrompter prompter;
        ScriptedDialogs dialogs;
        RecordingHelp help;
        Navigator navigator;
        StartScreen start;
    };

    bool writePage(const QString& folder, int topic, const QString& body)
    {
        QFile file(QDir(folder).filePath(QStringLiteral("%1.html").arg(topic)));
        return file.open(QIODevice::WriteOnly) &&
               file.write(QStringLiteral("<html><head><title>Topic %1</title></head><body><h1>Topic %1</h1><p>%2</p>"
                                         "</body></html>")
                              .arg(topic)
                              .arg(body)
                              .toUtf8()) > 0;
    }

    const QString OverviewBody = QStringLiteral("Start on the start screen and work through each safeguard.");
    const QString ActionAreaBody = QStringLiteral("The area buttons down the left choose what the panel shows.");

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    // Runs first: the splash belongs to the first start of the process.
    void splashIsShownOncePerRun();

    void helpShowsTopicPages_data();
    void helpShowsTopicPages();
    void helpMissingPageLinksToTheOverview_data();
    void helpMissingPageLinksToTheOverview();
    void installedHelpPagesAreWritten_data();
    void installedHelpPagesAreWritten();

    void webPageOpenerResult_data();
    void webPageOpenerResult();
    void webPageRestoresTheArrowFirst();

    void startHelpMenu_data();
    void startHelpMenu();
    void startAboutEntryShowsAboutModally();
    void rightReleaseOffersOptionsMenu_data();
    void rightReleaseOffersOptionsMenu();

    void aboutDialog();
};

void TestShell::initTestCase()
{
    applyProgramLook();
}

void TestShell::cleanup()
{
    setUrlOpener(nullptr);
    Splash::setDisplayTime(0);
    showNormal();
}

void TestShell::splashIsShownOncePerRun()
{
    QVERIFY2(!Splash::wasShown(), "no screen may be started before this test in the run");
    constexpr int shortDisplay = 150;
    Splash::setDisplayTime(shortDisplay);

    QString title;
    QString version;
    QRect splashGeometry;
    bool modal = false;
    whenModal([&](QWidget* window) {
        if (auto* splash = qobject_cast<Splash*>(window)) {
            modal = splash->isModal();
            splashGeometry = splash->frameGeometry();
            if (auto* label = splash->findChild<QLabel*>(QStringLiteral("Label1"))) {
                title = label->text();
            }
            if (auto* label = splash->findChild<QLabel*>(QStringLiteral("Label2"))) {
                version = label->text();
            }
        }
    });

    SplashWatch watch;
    StartFixture first;
    QElapsedTimer shown;
    shown.start();
    first.start.start();
    const qint64 waited = shown.elapsed();

    QCOMPARE(watch.shown, 1);
    QVERIFY(Splash::wasShown());
    QVERIFY(modal);
    QCOMPARE(title, QStringLiteral("Quorvane"));
    QCOMPARE(version, QStringLiteral("Version 10.0"));
    QVERIFY2(waited >= shortDisplay - 20, qPrintable(QStringLiteral("closed after %1 ms").arg(waited)));
    // It has closed itself: nothing modal is left to block the start screen.
    QVERIFY(!QApplication::activeModalWidget());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY2((splashGeometry.center() - screen.center()).manhattanLength() <= 2,
             qPrintable(QStringLiteral("splash at %1,%2 %3x%4")
                            .arg(splashGeometry.x())
                            .arg(splashGeometry.y())
                            .arg(splashGeometry.width())
                            .arg(splashGeometry.height())));

    // The start screen is built again when the Action Area is closed and opened; the splash is not.
    first.start.start();
    StartFixture second;
    second.start.start();
    QVERIFY(!Splash::showOnce());
    QCOMPARE(watch.shown, 1);
    QVERIFY(Splash::wasShown());
}

void TestShell::helpShowsTopicPages_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("absent");

    QTest::newRow("program overview") << HelpTopic::ProgramOverview << QStringLiteral("Quorvane Help - Topic 1000")
                                      << OverviewBody << QStringList{ActionAreaBody, NotWritten};
    QTest::newRow("action area") << HelpTopic::ActionArea << QStringLiteral("Quorvane Help - Topic 3010")
                                 << ActionAreaBody << QStringList{OverviewBody, NotWritten};
    QTest::newRow("known topic without a page")
        << HelpTopic::Timeline << QStringLiteral("Quorvane Help - Safeguard Project Timeline") << NotWritten
        << QStringList{OverviewBody, ActionAreaBody};
    QTest::newRow("unknown topic") << 4321 << QStringLiteral("Quorvane Help - Help Topic 4321") << NotWritten
                                   << QStringList{OverviewBody, ActionAreaBody};
}

void TestShell::helpShowsTopicPages()
{
    QFETCH(int, topic);
    QFETCH(QString, title);
    QFETCH(QString, expected);
    QFETCH(QStringList, absent);

    QTemporaryDir content;
    QVERIFY(content.isValid());
    const QString helpFolder = content.filePath(QStringLiteral("help"));
    QVERIFY(QDir().mkpath(helpFolder));
    QVERIFY(writePage(helpFolder, HelpTopic::ProgramOverview, OverviewBody));
    QVERIFY(writePage(helpFolder, HelpTopic::ActionArea, ActionAreaBody));

    HelpViewer viewer(helpFolder);
    // Another topic first: what it showed must not linger.
    viewer.showTopic(topic == HelpTopic::ProgramOverview ? HelpTopic::ActionArea : HelpTopic::ProgramOverview);
    viewer.showTopic(topic);

    QVERIFY(viewer.isVisible());
    QCOMPARE(viewer.currentTopic(), topic);
    QCOMPARE(viewer.windowTitle(), title);
    QVERIFY2(viewer.currentText().contains(expected), qPrintable(viewer.currentText()));
    for (const QString& text : absent) {
        QVERIFY2(!viewer.currentText().contains(text), qPrintable(viewer.currentText()));
    }
}

void TestShell::helpMissingPageLinksToTheOverview_data()
{
    QTest::addColumn<int>("before");
    QTest::newRow("first topic shown") << 0;
    QTest::newRow("after a page of the folder") << int(HelpTopic::ActionArea);
}

void TestShell::helpMissingPageLinksToTheOverview()
{
    QFETCH(int, before);

    QTemporaryDir content;
    QVERIFY(content.isValid());
    const QString helpFolder = content.filePath(QStringLiteral("help"));
    QVERIFY(QDir().mkpath(helpFolder));
    QVERIFY(writePage(helpFolder, HelpTopic::ProgramOverview, OverviewBody));
    QVERIFY(writePage(helpFolder, HelpTopic::ActionArea, ActionAreaBody));

    HelpViewer viewer(helpFolder);
    if (before != 0) {
        viewer.showTopic(before);
    }
    viewer.showTopic(HelpTopic::Printing);
    QVERIFY(viewer.currentText().contains(NotWritten));

    auto* browser = viewer.findChild<QTextBrowser*>(QStringLiteral("HelpText"));
    QVERIFY(browser);
    const QRegularExpressionMatch link =
        QRegularExpression(QStringLiteral("href=\"([^\"]+)\"")).match(browser->toHtml());
    QVERIFY2(link.hasMatch(), "the page offers no link");
    browser->setSource(QUrl(link.captured(1)));
    QVERIFY2(viewer.currentText().contains(OverviewBody), qPrintable(viewer.currentText()));
}

void TestShell::installedHelpPagesAreWritten_data()
{
    QTest::addColumn<int>("topic");
    QTest::newRow("program overview") << int(HelpTopic::ProgramOverview);
    QTest::newRow("action area") << int(HelpTopic::ActionArea);
}

void TestShell::installedHelpPagesAreWritten()
{
    QFETCH(int, topic);

    const QString helpFolder = QStringLiteral(QUORVANE_CONTENT_DIR "/help");
    QVERIFY2(QFile::exists(QDir(helpFolder).filePath(QStringLiteral("%1.html").arg(topic))), qPrintable(helpFolder));
    HelpViewer viewer(helpFolder);
    viewer.showTopic(topic);
    const QString text = viewer.currentText();
    QVERIFY2(!text.contains(NotWritten), qPrintable(text));
    QVERIFY2(text.size() > 500, qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Action Area")));
}

void TestShell::webPageOpenerResult_data()
{
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QUrl>("url");

    QTest::newRow("opened") << true << vendorHomePage();
    QTest::newRow("no connection") << false << vendorHomePage();
    QTest::newRow("download, no connection") << false << brevantelDownload();
}

void TestShell::webPageOpenerResult()
{
    QFETCH(bool, succeeds);
    QFETCH(QUrl, url);

    RecordingOpener opener;
    opener.succeeds = succeeds;
    opener.install();
    ScriptedPrompter prompter;
    if (!succeeds) {
        prompter.answer(PromptAnswer::Ok);
    }

    QCOMPARE(openWebPage(url, prompter), succeeds);
    QCOMPARE(opener.urls, QList<QUrl>{url});
    if (succeeds) {
        QCOMPARE(prompter.prompts().size(), 0);
    } else {
        QCOMPARE(asShown(prompter.prompts()), QList<Prompt>{connectionWarning()});
    }
}

void TestShell::webPageRestoresTheArrowFirst()
{
    RecordingOpener opener;
    opener.install();
    ScriptedPrompter prompter;
    showBusy();
    QVERIFY(QGuiApplication::overrideCursor());
    QVERIFY(openWebPage(vendorHomePage(), prompter));
    QCOMPARE(opener.busyWhenOpened, QList<bool>{false});
}

void TestShell::startHelpMenu_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("topic");
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<bool>("connected");

    QTest::newRow("program overview") << QStringLiteral("mHI") << QStringLiteral("&Program Overview")
                                      << int(HelpTopic::ProgramOverview) << QUrl() << true;
    QTest::newRow("download") << QStringLiteral("mODownload") << QStringLiteral("&Download Brevantel") << 0
                              << brevantelDownload() << true;
    QTest::newRow("download, no connection")
        << QStringLiteral("mODownload") << QStringLiteral("&Download Brevantel") << 0 << brevantelDownload() << false;
    QTest::newRow("maker's page") << QStringLiteral("mHWeb") << QString() << 0 << vendorHomePage() << true;
    QTest::newRow("maker's page, no connection")
        << QStringLiteral("mHWeb") << QString() << 0 << vendorHomePage() << false;
}

void TestShell::startHelpMenu()
{
    QFETCH(QString, entry);
    QFETCH(QString, caption);
    QFETCH(int, topic);
    QFETCH(QUrl, url);
    QFETCH(bool, connected);

    // The two addresses must differ, or a swapped entry would go unnoticed.
    QVERIFY(vendorHomePage() != brevantelDownload());
    QVERIFY(vendorHomePage().isValid() && brevantelDownload().isValid());

    RecordingOpener opener;
    opener.succeeds = connected;
    opener.install();
    StartFixture fixture;
    if (!connected) {
        fixture.prompter.answer(PromptAnswer::Ok);
    }
    QAction* action = fixture.action(entry);
    QVERIFY(action);
    QVERIFY(action->isEnabled());
    if (!caption.isEmpty()) {
        QCOMPARE(action->text(), caption);
    }
    auto* helpMenu = fixture.start.findChild<QMenu*>(QStringLiteral("mH"));
    QVERIFY(helpMenu);
    QVERIFY(helpMenu->actions().contains(action));

    action->trigger();

    QCOMPARE(fixture.help.topics, topic ? QList<int>{topic} : QList<int>{});
    QCOMPARE(opener.urls, url.isEmpty() ? QList<QUrl>{} : QList<QUrl>{url});
    QCOMPARE(asShown(fixture.prompter.prompts()), connected ? QList<Prompt>{} : QList<Prompt>{connectionWarning()});
}

void TestShell::startAboutEntryShowsAboutModally()
{
    StartFixture fixture;
    fixture.start.show();
    QAction* about = fixture.action(QStringLiteral("mHA"));
    QVERIFY(about);
    QCOMPARE(about->text(), QStringLiteral("&About Quorvane"));

    QString title;
    QString version;
    bool overStart = false;
    whenModal([&](QWidget* window) {
        title = window->windowTitle();
        overStart = window->parentWidget() == &fixture.start;
        if (auto* label = window->findChild<QLabel*>(QStringLiteral("lblVersion"))) {
            version = label->text();
        }
        if (auto* ok = window->findChild<QAbstractButton*>(QStringLiteral("cmdOK"))) {
            ok->click();
        } else {
            window->close();
        }
    });
    about->trigger();

    QCOMPARE(title, QStringLiteral("About Quorvane"));
    QCOMPARE(version, QStringLiteral("Version 10.0"));
    QVERIFY(overStart);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestShell::rightReleaseOffersOptionsMenu_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("offered");

    QTest::newRow("background") << QStringLiteral("StartBackground") << -1 << Qt::RightButton << true;
    QTest::newRow("panel") << QStringLiteral("SSPanel1") << -1 << Qt::RightButton << true;
    QTest::newRow("title label") << QStringLiteral("Label8") << -1 << Qt::RightButton << true;
    QTest::newRow("begin button") << QStringLiteral("Command2") << -1 << Qt::RightButton << true;
    QTest::newRow("exit button") << QStringLiteral("Command1") << 2 << Qt::RightButton << true;
    QTest::newRow("left button on the background")
        << QStringLiteral("StartBackground") << -1 << Qt::LeftButton << false;
    QTest::newRow("left button on the panel") << QStringLiteral("SSPanel1") << -1 << Qt::LeftButton << false;
}

void TestShell::rightReleaseOffersOptionsMenu()
{
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, offered);

    StartFixture fixture;
    fixture.start.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fixture.start));
    QWidget* target =
        index < 0 ? fixture.start.findChild<QWidget*>(control) : controlAt<QWidget>(&fixture.start, control, index);
    QVERIFY(target);
    QVERIFY(target->isVisible());
    QMenu* options = fixture.start.optionsMenu();
    QVERIFY(options);
    QCOMPARE(options->objectName(), QStringLiteral("mO"));
    QVERIFY(!options->isVisible());

    // A spot clear of the panel on the background, so the release lands on the background itself.
    const QPoint at = control == QStringLiteral("StartBackground") ? QPoint(5, 5) : target->rect().center();
    QTest::mouseClick(target, button, Qt::NoModifier, at);

    if (offered) {
        QTRY_VERIFY(options->isVisible());
        options->close();
        QTRY_VERIFY(!options->isVisible());
    } else {
        QTest::qWait(20);
        QVERIFY(!options->isVisible());
    }
}

void TestShell::aboutDialog()
{
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Quorvane"));
    QVERIFY(about.isModal());
    auto* title = about.findChild<QLabel*>(QStringLiteral("lblTitle"));
    auto* version = about.findChild<QLabel*>(QStringLiteral("lblVersion"));
    QVERIFY(title && version);
    QCOMPARE(title->text(), QStringLiteral("Quorvane"));
    QCOMPARE(version->text(), QStringLiteral("Version 10.0"));

    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* ok = about.findChild<QAbstractButton*>(QStringLiteral("cmdOK"));
    QVERIFY(ok);
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(about.result(), int(QDialog::Accepted));
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(TestShell)
#include "test_shell.moc"
