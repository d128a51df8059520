// The start screen's display options driven as a user would: the window mode and size and their
// limits, the screen check, the background colour, and what each of them leaves on disk.
#include "core/shell/displaysettings.h"
#include "core/storage/programfolder.h"
#include "foldersnapshot.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/help.h"
#include "gui/kit/navigator.h"
#include "gui/kit/programlook.h"
#include "gui/shell/splash.h"
#include "gui/shell/startscreen.h"
#include "screenshot.h"
#include "scripteddialogs.h"
#include "scriptedprompter.h"
#include "tempprogramfolder.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace qv;
using namespace qv::test;
using namespace Qt::StringLiterals;

namespace {

    class NoHelp : public Help
    {
    public:
        void showTopic(int) override
        {
        }
    };

    // A start screen over a data folder of its own, as main() makes it, on a screen of 1024 x 768.
    struct Start
    {
        explicit Start(const TempProgramFolder& folder)
            : screen(navigator, prompter, help, dialogs, folder.folder())
        {
            navigator.adopt(Navigator::StartScreen, &screen);
            screen.setScreenMeasure([this] { return screenPixels; });
        }

        QAction* action(const QString& name) const
        {
            return screen.findChild<QAction*>(name);
        }
        QPushButton* command1(int index) const
        {
            return controlAt<QPushButton>(&screen, u"Command1"_s, index);
        }
        // Started and shown as the program does it.
        bool startAndShow()
        {
            if (!screen.start()) {
                return false;
            }
            screen.showInMode();
            return QTest::qWaitForWindowExposed(&screen);
        }

        QSize screenPixels{1024, 768};
        ScriptedPrompter prompter;
        ScriptedDialogs dialogs;
        NoHelp help;
        Navigator navigator;
        StartScreen screen;
    };

    QByteArray record(const QByteArray& file, int number)
    {
        return file.mid((number - 1) * 20, 20);
    }

    QByteArray fileBytes(const TempProgramFolder& folder, const QString& name)
    {
        QFile f(folder.dataPath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The pixels of a size in twips, rounded up, as the window is sized.
    QSize pixels(double widthTwips, double heightTwips)
    {
        return {int(std::ceil(widthTwips / 15)), int(std::ceil(heightTwips / 15))};
    }

} // namespace

class TestDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void firstStartRunsMaximised();
    void defaultScreenSizeWritesExactBytes();
    void rememberedSizeHasLimits_data();
    void rememberedSizeHasLimits();
    void switchingModes();
    void leavingKeepsSizeOnlyInNormalState();
    void screenTooSmallEndsTheProgram();
    void brokenSettingsStartWithDefaults();
    void backgroundColor();
    void failedWriteIsToldAndLeavesTheFile();
};

void TestDisplay::initTestCase()
{
    applyProgramLook();
    Splash::setDisplayTime(0);
}

void TestDisplay::cleanup()
{
    WriteFaults::clear();
}

void TestDisplay::firstStartRunsMaximised()
{
    TempProgramFolder folder;
    Start start(folder);
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(folder.dataDir());
    QVERIFY(start.startAndShow());
    QVERIFY(start.screen.isMaximized());
    QVERIFY(!start.navigator.smallerScreen());
    QVERIFY(start.action(u"mOPF"_s)->isChecked());
    QVERIFY(!start.action(u"mOPS"_s)->isChecked());
    QVERIFY(!start.command1(0)->isVisible());
    QVERIFY(start.command1(1)->isVisible());
    // Pure blue until the user picks another background.
    QCOMPARE(start.screen.backgroundColor(), QColor(0, 0, 255));
    start.screen.exitProgram();
    QCOMPARE(before.unexpectedChanges(), QString());
}

void TestDisplay::defaultScreenSizeWritesExactBytes()
{
    TempProgramFolder folder;
    QVERIFY(folder.putData(u"Stat1.Fil"_s, QByteArray(68 * 20, 'x')));
    Start start(folder);
    QVERIFY(start.startAndShow());
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(folder.dataDir());

    start.action(u"mOPDefault"_s)->trigger();

    QByteArray expected(37 * 20, '\0');
    expected.replace(34 * 20, 5, QByteArray("\x03\x00Yes", 5));
    expected.replace(35 * 20, 4, QByteArray("\x02\x00\xC0\x2B", 4));
    expected.replace(36 * 20, 4, QByteArray("\x02\x00\xFC\x3A", 4));
    QCOMPARE(fileBytes(folder, u"GColor3.Fil"_s), expected);
    QCOMPARE(before.unexpectedChanges({u"GColor3.Fil"_s}), QString());

    QVERIFY(!start.screen.isMaximized());
    QTRY_COMPARE(start.screen.frameGeometry().size(), pixels(15100, 11200));
    QVERIFY(start.navigator.smallerScreen());
    QVERIFY(start.action(u"mOPS"_s)->isChecked());
    QVERIFY(!start.action(u"mOPF"_s)->isChecked());
    QVERIFY(start.command1(0)->isVisible());
    QVERIFY(!start.command1(1)->isVisible());
    QVERIFY(start.screen.findChild<QWidget*>(u"Command2"_s)->hasFocus());
}

void TestDisplay::rememberedSizeHasLimits_data()
{
    QTest::addColumn<double>("storedHeight");
    QTest::addColumn<double>("storedWidth");
    QTest::addColumn<QSize>("expected");

    QTest::newRow("10000 x 9000 opens at the least size") << 9000.0 << 10000.0 << pixels(15100, 11200);
    QTest::newRow("height 11099 becomes 11200") << 11099.0 << 16500.0 << pixels(16500, 11200);
    QTest::newRow("height 11150 is raised by the resize rule") << 11150.0 << 16500.0 << pixels(16500, 11200);
    QTest::newRow("a larger window keeps its size") << 12000.0 << 18000.0 << pixels(18000, 12000);
}

void TestDisplay::rememberedSizeHasLimits()
{
    QFETCH(double, storedHeight);
    QFETCH(double, storedWidth);
    QFETCH(QSize, expected);

    TempProgramFolder folder;
    QVERIFY(display::writeSmallerScreen(folder.folder(), {storedHeight, storedWidth}).ok());
    Start start(folder);
    QVERIFY(start.startAndShow());
    QVERIFY(!start.screen.isMaximized());
    QVERIFY(start.navigator.smallerScreen());
    QTRY_COMPARE(start.screen.frameGeometry().size(), expected);

    // Made smaller by the user, the window goes back to the least size.
    start.screen.resize(600, 400);
    QTRY_COMPARE(start.screen.frameGeometry().size(), pixels(15100, 11200));
}

void TestDisplay::switchingModes()
{
    TempProgramFolder folder;
    QVERIFY(display::writeSmallerScreen(folder.folder(), {12000, 18000}).ok());
    QVERIFY(display::writeFullScreen(folder.folder()).ok());
    Start start(folder);
    QVERIFY(start.startAndShow());
    QVERIFY(start.screen.isMaximized());

    // The button restores the remembered smaller window.
    start.command1(1)->click();
    QTRY_COMPARE(start.screen.frameGeometry().size(), pixels(18000, 12000));
    QVERIFY(start.navigator.smallerScreen());
    display::ScreenPreference stored = display::readScreenPreference(folder.folder());
    QVERIFY(stored.smaller);
    QCOMPARE(stored.stored, (display::WindowTwips{12000, 18000}));
    QCOMPARE(record(fileBytes(folder, u"GColor3.Fil"_s), 36).left(2), QByteArray("\x04\x00", 2));

    // The checked entry does nothing.
    const QByteArray before = fileBytes(folder, u"GColor3.Fil"_s);
    start.action(u"mOPS"_s)->trigger();
    QVERIFY(start.action(u"mOPS"_s)->isChecked());
    QCOMPARE(fileBytes(folder, u"GColor3.Fil"_s), before);

    // The full screen button keeps the window's size first, then maximises.
    start.screen.resize(1100, 800);
    const QSize outer = start.screen.frameGeometry().size();
    start.command1(0)->click();
    QTRY_VERIFY(start.screen.isMaximized());
    QVERIFY(!start.navigator.smallerScreen());
    stored = display::readScreenPreference(folder.folder());
    QVERIFY(!stored.smaller);
    QCOMPARE(stored.stored, (display::WindowTwips{outer.height() * 15.0, outer.width() * 15.0}));
    QVERIFY(start.action(u"mOPF"_s)->isChecked());
    QVERIFY(!start.action(u"mOPS"_s)->isChecked());

    // The menu entry goes back to the window's normal size and remembers it.
    start.action(u"mOPS"_s)->trigger();
    QTRY_COMPARE(start.screen.frameGeometry().size(), outer);
    QVERIFY(display::readScreenPreference(folder.folder()).smaller);
}

void TestDisplay::leavingKeepsSizeOnlyInNormalState()
{
    TempProgramFolder folder;
    QVERIFY(display::writeSmallerScreen(folder.folder(), {12000, 18000}).ok());
    QVERIFY(display::writeFullScreen(folder.folder()).ok());
    {
        Start start(folder);
        QVERIFY(start.startAndShow());
        const FolderSnapshot before = FolderSnapshot::aroundDataFolder(folder.dataDir());
        start.screen.exitProgram();
        start.screen.close();
        // Maximised, nothing is written: the last smaller size stays.
        QCOMPARE(before.unexpectedChanges(), QString());
    }
    QVERIFY(display::writeSmallerScreen(folder.folder(), {12000, 18000}).ok());
    Start start(folder);
    QVERIFY(start.startAndShow());
    start.screen.resize(1111, 777);
    const QSize outer = start.screen.frameGeometry().size();
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(folder.dataDir());
    start.screen.close();
    QCOMPARE(before.unexpectedChanges({u"GColor3.Fil"_s}), QString());
    const display::ScreenPreference stored = display::readScreenPreference(folder.folder());
    QVERIFY(stored.smaller);
    // The whole window's size, frame included.
    QCOMPARE(stored.stored, (display::WindowTwips{outer.height() * 15.0, outer.width() * 15.0}));
}

void TestDisplay::screenTooSmallEndsTheProgram()
{
    TempProgramFolder folder;
    Start start(folder);
    start.screenPixels = QSize(1024, 700);
    start.prompter.answer(PromptAnswer::Ok);
    QVERIFY(!start.screen.start());
    QCOMPARE(start.prompter.prompts().size(), 1);
    const Prompt shown = start.prompter.prompts().first();
    QCOMPARE(shown.title, u"Quorvane Program Display Option"_s);
    QCOMPARE(shown.text,
             u"Monitor Resolution Settings (Screen Area) and Program Size requirements are at least 1024 by 768 or "
             "Higher.\rIf you do not set your screen resolution to this setting or higher this program will not "
             "function properly!"_s);
    QCOMPARE(shown.icon, PromptIcon::Information);
    QCOMPARE(shown.buttons, PromptButtons::Ok);
}

void TestDisplay::brokenSettingsStartWithDefaults()
{
    TempProgramFolder folder;
    QByteArray garbage(997, '\xEE');
    for (int i = 0; i < garbage.size(); i += 7) {
        garbage[i] = char(i);
    }
    QVERIFY(folder.putData(u"GColor3.Fil"_s, garbage));
    QVERIFY(folder.putData(u"HINV3.Fil"_s, garbage.left(25)));
    Start start(folder);
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(folder.dataDir());
    QVERIFY(start.startAndShow());
    QVERIFY(start.screen.isMaximized());
    QCOMPARE(start.screen.backgroundColor(), QColor(0, 0, 255));
    QVERIFY(start.prompter.prompts().isEmpty());
    QCOMPARE(before.unexpectedChanges(), QString());
}

void TestDisplay::backgroundColor()
{
    TempProgramFolder folder;
    Start start(folder);
    QVERIFY(start.startAndShow());
    const QColor first = start.screen.backgroundColor();
    const FolderSnapshot untouched = FolderSnapshot::aroundDataFolder(folder.dataDir());

    // Cancel, and Yes with the colour dialog cancelled, leave everything as it was.
    start.prompter.answer({PromptAnswer::Cancel, PromptAnswer::Yes});
    start.dialogs.answerColor(std::nullopt);
    start.action(u"mOBC"_s)->trigger();
    start.action(u"mOBC"_s)->trigger();
    QCOMPARE(start.screen.backgroundColor(), first);
    QCOMPARE(untouched.unexpectedChanges(), QString());
    const Prompt asked = start.prompter.prompts().first();
    QCOMPARE(asked.title, u"Background Color"_s);
    QCOMPARE(asked.text,
             u"Select New Color or Use System Default Color?\r\rYes = Color Selection Panel will appear.\rNo = Current "
             "System Default Color will be selected."_s);
    QCOMPARE(asked.icon, PromptIcon::Information);
    QCOMPARE(asked.buttons, PromptButtons::YesNoCancel);
    QCOMPARE(start.dialogs.calls().first().color, first);

    // A colour: shown and kept as a number.
    start.prompter.answer(PromptAnswer::Yes);
    start.dialogs.answerColor(QColor(0xCC, 0xDD, 0xEE));
    start.action(u"mOBC"_s)->trigger();
    QCOMPARE(start.screen.backgroundColor(), QColor(0xCC, 0xDD, 0xEE));
    QCOMPARE(fileBytes(folder, u"HINV3.Fil"_s).mid(20), QByteArray("\x03\x00\xCC\xDD\xEE\x00\x00\x00\x00\x00", 10));
    QCOMPARE(untouched.unexpectedChanges({u"HINV3.Fil"_s}), QString());

    // The next start shows it.
    {
        Start again(folder);
        QVERIFY(again.startAndShow());
        QCOMPARE(again.screen.backgroundColor(), QColor(0xCC, 0xDD, 0xEE));
    }

    // No: the default colour, kept as "Def".
    start.prompter.answer(PromptAnswer::No);
    start.action(u"mOBC"_s)->trigger();
    QCOMPARE(fileBytes(folder, u"HINV3.Fil"_s).mid(20),
             QByteArray("\x08\x00\x03\x00"
                        "Def\x00\x00\x00",
                        10));
    QVERIFY(start.screen.backgroundColor() != QColor(0xCC, 0xDD, 0xEE));
    QVERIFY(start.screen.backgroundColor() != QColor(0, 0, 255));

    start.screen.resize(1024, 768);
    grabToPng(&start.screen, u"start-screen-background"_s);
}

void TestDisplay::failedWriteIsToldAndLeavesTheFile()
{
    TempProgramFolder folder;
    QVERIFY(display::writeSmallerScreen(folder.folder(), {12000, 18000}).ok());
    QVERIFY(display::writeFullScreen(folder.folder()).ok());
    Start start(folder);
    QVERIFY(start.startAndShow());
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(folder.dataDir());

    WriteFaults::inject(u"GColor3.Fil"_s, -1);
    start.prompter.answer(PromptAnswer::Ok);
    start.action(u"mOPDefault"_s)->trigger();
    QCOMPARE(start.prompter.prompts().size(), 1);
    QCOMPARE(start.prompter.prompts().first().title, u"Quorvane Program Display Option"_s);
    QCOMPARE(start.prompter.prompts().first().icon, PromptIcon::Warning);
    QVERIFY(start.prompter.prompts().first().text.contains(u"GColor3.Fil"_s));
    QCOMPARE(before.unexpectedChanges(), QString());
    // The screen stays as the file says: maximised.
    QVERIFY(start.screen.isMaximized());
}

QTEST_MAIN(TestDisplay)
#include "test_display.moc"
