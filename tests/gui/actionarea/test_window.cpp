// The Action Area as a desktop window: its size at start and after a status pick, the order in which
// Esc and F1 treat what lies over the screen, the labels' ampersands, the busy pointer around a long
// load and the splash that a click or a key puts away.
#include "spinefixture.h"

#include "foldersnapshot.h"
#include "gui/actionarea/actionarea.h"
#include "gui/documents/worksheetarea.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "gui/reports/printdesk.h"
#include "gui/reports/printoptionspanel.h"
#include "gui/shell/splash.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

using namespace qv;
using namespace qv::test;

namespace {

    // Every file of the data folder with a hash of its bytes.
    // A key as the user presses it: to whatever has the focus, from where it travels up to the window.
    void pressKey(QWidget* window, Qt::Key key)
    {
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClick(target, key);
    }

    // A rich-text note of about the given size: many short paragraphs, as a long pasted policy is.
    QByteArray largeNote(qsizetype bytes)
    {
        QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
        const QByteArray paragraph = "Backups are taken every night and kept off site for ninety days.\\par\n";
        while (rtf.size() < bytes) {
            rtf += paragraph;
        }
        return rtf + "}";
    }

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensMaximisedAndStatusPickKeepsIt();
    void escapeClosesWhatCoversTheScreenInnermostFirst();
    void screensMenuClosesThePrintOptionsFirst();
    void descriptionLabelsShowOneAmpersand();
    void descriptionLabelsAreWholeAt1024x768();
    void largeNoteLoadsUnderTheBusyPointer();
    void splashClosesOnClickOrKey_data();
    void splashClosesOnClickOrKey();
};

void TestWindow::opensMaximisedAndStatusPickKeepsIt()
{
    Spine spine;
    ActionArea* area = spine.begin();
    QVERIFY(QTest::qWaitForWindowExposed(area));
    QVERIFY(area->isMaximized());

    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 14);
    const FolderSnapshot before(spine.folder.dataDir());
    pickStatus(area, QStringLiteral("Completed"));
    QCoreApplication::processEvents();
    QVERIFY(area->isMaximized());
    QVERIFY(area->isVisible());
    QVERIFY(!QGuiApplication::overrideCursor());

    // Only the status store was written.
    QCOMPARE(before.changedSince(), QStringList{QStringLiteral("Stat1.Fil")});
}

void TestWindow::escapeClosesWhatCoversTheScreenInnermostFirst()
{
    Spine spine;
    ActionArea* area = spine.begin();
    QVERIFY(QTest::qWaitForWindowExposed(area));
    area->activateWindow();

    // The worksheet-title panel is left without saving what was typed in it.
    press(area, QStringLiteral("SSCommand11"), 7);
    press(area, QStringLiteral("SSCommand12"), 0);
    QAction* titles = area->menuAction(QStringLiteral("mOWkTitle"));
    QVERIFY(titles->isEnabled());
    titles->trigger();
    QFrame* titlePanel = area->worksheetArea()->titlePanel();
    QVERIFY(titlePanel->isVisible());
    auto* firstTitle = controlAt<QLineEdit>(titlePanel, QStringLiteral("Text3"), 0);
    QVERIFY(firstTitle->hasFocus());
    const FolderSnapshot before(spine.folder.dataDir());
    QTest::keyClicks(firstTitle, QStringLiteral("Server room"));
    pressKey(area, Qt::Key_Escape);
    QVERIFY(!titlePanel->isVisible());
    QCOMPARE(before.changedSince(), QStringList());
    QCOMPARE(spine.prompter.prompts().size(), 0);

    // The status report in the print options, enlarged: Esc makes it normal, then closes it; F1 gives
    // the printing topic only while the print options are open.
    press(area, QStringLiteral("SSCommand11"), 0);
    area->menuAction(QStringLiteral("mOPrint"))->trigger();
    PrintOptionsPanel* printOptions = area->printDesk()->panel();
    QVERIFY(printOptions->isVisible());
    QTest::mouseClick(printOptions->enlargeButton(), Qt::LeftButton);
    QVERIFY(printOptions->isEnlarged());
    pressKey(area, Qt::Key_F1);
    QCOMPARE(spine.help.topics.last(), 1014);
    pressKey(area, Qt::Key_Escape);
    QVERIFY(!printOptions->isEnlarged());
    QVERIFY(printOptions->isVisible());
    pressKey(area, Qt::Key_Escape);
    QVERIFY(!printOptions->isVisible());
    pressKey(area, Qt::Key_F1);
    QCOMPARE(spine.help.topics.last(), 3010);
    QCOMPARE(spine.prompter.prompts().size(), 0);

    // Nothing is left over the screen: now Esc asks to end the program.
    spine.prompter.answer(PromptAnswer::No);
    pressKey(area, Qt::Key_Escape);
    QCOMPARE(spine.prompter.prompts().size(), 1);
    QCOMPARE(spine.prompter.prompts().last().text, QStringLiteral("Exit Quorvane?"));
}

void TestWindow::screensMenuClosesThePrintOptionsFirst()
{
    Spine spine;
    ActionArea* area = spine.begin();
    area->menuAction(QStringLiteral("mOPrint"))->trigger();
    PrintOptionsPanel* printOptions = area->printDesk()->panel();
    QVERIFY(printOptions->isVisible());

    auto* exitEntry = controlAt<QAction>(area->optionsMenu(), QStringLiteral("mOTab"), 4);
    QVERIFY(exitEntry);
    // Cancel leaves everything as it was, apart from the report the entry put away before it asked.
    spine.prompter.answer(PromptAnswer::Cancel);
    exitEntry->trigger();
    QCOMPARE(spine.prompter.texts(), QStringList{QStringLiteral("Exit Quorvane?")});
    QVERIFY(!printOptions->isVisible());
}

void TestWindow::descriptionLabelsShowOneAmpersand()
{
    Spine spine;
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);
    press(area, QStringLiteral("SSCommand14"), 22);
    QCOMPARE(area->workPanel().standardLabel()->text(),
             QStringLiteral(" Standard: Business Associate Contacts & Other Arrangements"));

    press(area, QStringLiteral("SSCommand11"), 3);
    press(area, QStringLiteral("SSCommand17"), 2);
    QVERIFY2(area->workPanel().specificationLabel()->text().endsWith(
                 QStringLiteral("Access Control & Validation Procedures (A)")),
             qPrintable(area->workPanel().specificationLabel()->text()));
}

void TestWindow::descriptionLabelsAreWholeAt1024x768()
{
    Spine spine;
    ActionArea* area = spine.begin();
    showAtSize(area, QSize(1024, 768));
    QVERIFY(QTest::qWaitForWindowExposed(area));
    const struct
    {
        int area;
        const char16_t* buttons;
        int count;
    } families[] = {{2, u"SSCommand14", 23},
                    {3, u"SSCommand17", 10},
                    {4, u"SSCommand16", 9},
                    {5, u"SSCommand15", 3},
                    {6, u"SSCommand13", 2}};
    WorkPanel& panel = area->workPanel();
    for (const auto& family : families) {
        press(area, QStringLiteral("SSCommand11"), family.area);
        for (int i = 0; i < family.count; ++i) {
            press(area, QString::fromUtf16(family.buttons), i);
            for (QLabel* label : {panel.standardLabel(), panel.sectionLabel(), panel.specificationLabel()}) {
                QVERIFY2(label->sizeHint().width() <= label->width() + 1,
                         qPrintable(QStringLiteral("\"%1\" needs %2, has %3")
                                        .arg(label->text())
                                        .arg(label->sizeHint().width())
                                        .arg(label->width())));
                QVERIFY(!label->geometry().intersects(panel.statusBox()->geometry()));
            }
        }
    }
}

void TestWindow::largeNoteLoadsUnderTheBusyPointer()
{
    Spine spine;
    QVERIFY(spine.folder.putData(QStringLiteral("Action0.Fil"), largeNote(3 * 1024 * 1024)));
    ActionArea* area = spine.begin();
    press(area, QStringLiteral("SSCommand11"), 2);

    RichTextEditor* editor = area->workPanel().editor();
    QList<Qt::CursorShape> shapesWhileLoading;
    const auto watch = connect(editor->document(), &QTextDocument::contentsChanged, editor, [&] {
        const QCursor* pointer = QGuiApplication::overrideCursor();
        shapesWhileLoading.append(pointer ? pointer->shape() : Qt::ArrowCursor);
    });
    press(area, QStringLiteral("SSOption3"), -1);
    disconnect(watch);

    QVERIFY(editor->document()->characterCount() > 1000000);
    QVERIFY(!shapesWhileLoading.isEmpty());
    QVERIFY(shapesWhileLoading.contains(Qt::WaitCursor));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestWindow::splashClosesOnClickOrKey_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("click") << false;
    QTest::newRow("key") << true;
}

void TestWindow::splashClosesOnClickOrKey()
{
    QFETCH(bool, byKey);
    Splash splash;
    bool timedOut = false;
    // Far longer than the test takes: if this fires, the user's click or key was not enough.
    QTimer::singleShot(20000, &splash, [&] {
        timedOut = true;
        splash.reject();
    });
    QTimer::singleShot(0, &splash, [&] {
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        if (byKey) {
            QTest::keyClick(&splash, Qt::Key_Space);
        } else {
            QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(20, 20));
        }
    });
    splash.exec();
    QVERIFY(!timedOut);
    QVERIFY(!splash.isVisible());
}

QTEST_MAIN(TestWindow)
#include "test_window.moc"
