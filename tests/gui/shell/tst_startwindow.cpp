#include "gui/shell/startwindow.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class StartWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsNameAndVersion();
    void closes_data();
    void closes();
};

void StartWindowTest::showsNameAndVersion()
{
    qv::StartWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto* title = window.findChild<QLabel*>(u"Label8"_s);
    auto* version = window.findChild<QLabel*>(u"versionLabel"_s);
    auto* exitButton = window.findChild<QPushButton*>(u"exitButton"_s);
    QVERIFY(title && version && exitButton);
    QCOMPARE(title->text(), u"Quorvane"_s);
    QCOMPARE(version->text(), u"Version 10.0"_s);
    QCOMPARE(exitButton->text(), u"E&xit Program"_s);
    QVERIFY(title->isVisible() && version->isVisible() && exitButton->isVisible());
    QCOMPARE(window.windowTitle(), u"Quorvane"_s);

    if (const QString dir = qEnvironmentVariable("QUORVANE_SCREENSHOT_DIR"); !dir.isEmpty()) {
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(window.grab().save(dir + u"/start-window.png"_s));
    }
}

void StartWindowTest::closes_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("exit button") << u"click"_s;
    QTest::newRow("access key Alt+X") << u"alt-x"_s;
    QTest::newRow("Esc") << u"escape"_s;
}

void StartWindowTest::closes()
{
    QFETCH(QString, how);

    qv::StartWindow window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* exitButton = window.findChild<QPushButton*>(u"exitButton"_s);
    QVERIFY(exitButton);

    if (how == u"click") {
        QTest::mouseClick(exitButton, Qt::LeftButton);
    } else if (how == u"alt-x") {
        QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
    } else {
        QTest::keyClick(&window, Qt::Key_Escape);
    }
    QTRY_VERIFY(!window.isVisible());
}

QTEST_MAIN(StartWindowTest)
#include "tst_startwindow.moc"
