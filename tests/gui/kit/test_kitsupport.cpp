#include "gui/kit/busypointer.h"
#include "gui/kit/dialogs.h"
#include "screenshot.h"
#include "scripteddialogs.h"
#include "tempprogramfolder.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QPageSetupDialog>
#include <QTest>
#include <QTimer>

#include <functional>

using qv::FontChoice;
using qv::PageSetup;
using qv::test::ScriptedDialogs;

Q_DECLARE_METATYPE(qv::PageSetup)

namespace {

    void whenModal(std::function<void(QWidget*)> act, int triesLeft = 200)
    {
        QTimer::singleShot(10, qApp, [act = std::move(act), triesLeft]() mutable {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                act(modal);
            } else if (triesLeft > 0) {
                whenModal(std::move(act), triesLeft - 1);
            }
        });
    }

    bool busyShown()
    {
        return QGuiApplication::overrideCursor() != nullptr &&
               QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
    }

    int overrideDepth()
    {
        int depth = 0;
        while (QGuiApplication::overrideCursor()) {
            QGuiApplication::restoreOverrideCursor();
            ++depth;
        }
        return depth;
    }

} // namespace

class TestKitSupport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void busyPointerRoutines_data();
    void busyPointerRoutines();
    void busyPointerScopesNest();
    void scriptedDialogsRecordAndAnswer();
    void scriptedDialogsFailOnWrongKind();
    void scriptedDialogsFailOnUnexpectedDialog();
    void colorDialog();
    void fontDialogCarriesColor();
    void pageSetupKeepsTwips_data();
    void pageSetupKeepsTwips();
    void tempProgramFolder();
    void screenshots();
};

void TestKitSupport::busyPointerRoutines_data()
{
    QTest::addColumn<QString>("steps"); // b = showBusy, n = showNormal
    QTest::addColumn<bool>("busyAfter");

    QTest::newRow("nothing") << QString() << false;
    QTest::newRow("busy") << QStringLiteral("b") << true;
    QTest::newRow("busy, normal") << QStringLiteral("bn") << false;
    QTest::newRow("busy twice, normal once") << QStringLiteral("bbn") << false;
    QTest::newRow("normal without busy") << QStringLiteral("n") << false;
    QTest::newRow("normal, busy") << QStringLiteral("nb") << true;
    QTest::newRow("busy, normal, busy") << QStringLiteral("bnb") << true;
}

void TestKitSupport::busyPointerRoutines()
{
    QFETCH(QString, steps);
    QFETCH(bool, busyAfter);
    for (QChar step : steps) {
        step == u'b' ? qv::showBusy() : qv::showNormal();
    }
    QCOMPARE(busyShown(), busyAfter);
    qv::showNormal();
    QCOMPARE(overrideDepth(), 0);
}

void TestKitSupport::busyPointerScopesNest()
{
    {
        qv::BusyPointer outer;
        QVERIFY(busyShown());
        {
            qv::BusyPointer inner;
            QVERIFY(busyShown());
        }
        QVERIFY(busyShown());
        // The routines inside a scope do not end the scope's pointer.
        qv::showBusy();
        qv::showNormal();
        QVERIFY(busyShown());
    }
    QVERIFY(!busyShown());
    QCOMPARE(overrideDepth(), 0);
}

void TestKitSupport::scriptedDialogsRecordAndAnswer()
{
    ScriptedDialogs dialogs;
    QFont courier(QStringLiteral("Courier New"), 12);
    const FontChoice chosenFont{courier, Qt::red};
    const PageSetup landscape{200, 100, 300, 400, QPageLayout::Landscape};
    dialogs.answerColor(QColor(Qt::blue))
        .answerColor(std::nullopt)
        .answerFont(chosenFont)
        .answerPageSetup(landscape)
        .answerFolder(QStringLiteral("/backup"))
        .answerOpenFile(std::nullopt)
        .answerSaveFile(QStringLiteral("/out/Timeline.xls"));

    QCOMPARE(dialogs.chooseColor(Qt::white), std::optional<QColor>(QColor(Qt::blue)));
    QCOMPARE(dialogs.chooseColor(Qt::green), std::optional<QColor>());
    QCOMPARE(dialogs.chooseFont({QFont(), Qt::black}), std::optional<FontChoice>(chosenFont));
    QCOMPARE(dialogs.pageSetup(PageSetup()), std::optional<PageSetup>(landscape));
    QCOMPARE(dialogs.chooseFolder(QStringLiteral("Folder"), QStringLiteral("/home")),
             std::optional<QString>(QStringLiteral("/backup")));
    QCOMPARE(dialogs.chooseOpenFile(QStringLiteral("Open"), QStringLiteral("/"), QStringLiteral("*.rtf")),
             std::optional<QString>());
    QCOMPARE(dialogs.chooseSaveFile(QStringLiteral("Export"), QStringLiteral("/out"), QStringLiteral("*.xls")),
             std::optional<QString>(QStringLiteral("/out/Timeline.xls")));

    QCOMPARE(dialogs.pendingAnswers(), 0);
    QVERIFY(dialogs.failures().isEmpty());
    const auto& calls = dialogs.calls();
    QCOMPARE(calls.size(), 7);
    QCOMPARE(calls.at(0).kind, ScriptedDialogs::Kind::Color);
    QCOMPARE(calls.at(0).color, QColor(Qt::white));
    QCOMPARE(calls.at(1).color, QColor(Qt::green));
    QCOMPARE(calls.at(2).font.color, QColor(Qt::black));
    QCOMPARE(calls.at(3).page, PageSetup());
    QCOMPARE(calls.at(4).title, QStringLiteral("Folder"));
    QCOMPARE(calls.at(4).path, QStringLiteral("/home"));
    QCOMPARE(calls.at(5).kind, ScriptedDialogs::Kind::OpenFile);
    QCOMPARE(calls.at(5).filter, QStringLiteral("*.rtf"));
    QCOMPARE(calls.at(6).kind, ScriptedDialogs::Kind::SaveFile);
}

void TestKitSupport::scriptedDialogsFailOnWrongKind()
{
    ScriptedDialogs dialogs;
    dialogs.answerFont(FontChoice{});
    QEXPECT_FAIL("", "a dialog of another kind than the answer queued must fail the running test", Continue);
    QCOMPARE(dialogs.chooseColor(Qt::white), std::optional<QColor>());
    QCOMPARE(dialogs.failures().size(), 1);
    QVERIFY(dialogs.failures().constFirst().contains(QStringLiteral("font dialog")));
    QCOMPARE(dialogs.pendingAnswers(), 0);
}

void TestKitSupport::scriptedDialogsFailOnUnexpectedDialog()
{
    ScriptedDialogs dialogs;
    QEXPECT_FAIL("", "an unexpected dialog must fail the running test", Continue);
    QCOMPARE(dialogs.chooseFolder(QStringLiteral("Backup to"), QStringLiteral("/")), std::optional<QString>());
    QCOMPARE(dialogs.failures().size(), 1);
    QVERIFY(dialogs.failures().constFirst().contains(QStringLiteral("Backup to")));
}

void TestKitSupport::colorDialog()
{
    qv::QtDialogs dialogs;
    QColor primed;
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        primed = dialog->currentColor();
        dialog->setCurrentColor(QColor(12, 34, 56));
        dialog->accept();
    });
    QCOMPARE(dialogs.chooseColor(QColor(200, 100, 50)), std::optional<QColor>(QColor(12, 34, 56)));
    QCOMPARE(primed, QColor(200, 100, 50));

    whenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    QCOMPARE(dialogs.chooseColor(Qt::red), std::optional<QColor>());
}

void TestKitSupport::fontDialogCarriesColor()
{
    qv::QtDialogs dialogs;
    QFont initial(QStringLiteral("Times New Roman"), 14);
    initial.setItalic(true);
    QString primedColor;
    QFont primedFont;
    whenModal([&](QWidget* modal) {
        auto* fonts = modal->findChild<QFontDialog*>(QStringLiteral("fontChooser"));
        auto* colors = modal->findChild<QComboBox*>(QStringLiteral("fontColor"));
        if (!fonts || !colors) {
            modal->close();
            return;
        }
        primedFont = fonts->currentFont();
        primedColor = colors->currentText();
        colors->setCurrentIndex(colors->findText(QStringLiteral("Red")));
        QFont chosen = fonts->currentFont();
        chosen.setUnderline(true);
        fonts->setCurrentFont(chosen);
        static_cast<QDialog*>(modal)->accept();
    });
    const auto choice = dialogs.chooseFont({initial, QColor(0x00, 0x00, 0x80)});
    QVERIFY(choice.has_value());
    QCOMPARE(primedColor, QStringLiteral("Navy"));
    QVERIFY(primedFont.italic());
    QCOMPARE(primedFont.pointSize(), 14);
    QCOMPARE(choice->color, QColor(0xFF, 0x00, 0x00));
    QVERIFY(choice->font.underline());
    QVERIFY(choice->font.italic());

    // A colour outside the sixteen is offered as it is, and Cancel gives nothing.
    whenModal([&](QWidget* modal) {
        if (auto* colors = modal->findChild<QComboBox*>(QStringLiteral("fontColor"))) {
            primedColor = colors->currentText();
        }
        static_cast<QDialog*>(modal)->reject();
    });
    QCOMPARE(dialogs.chooseFont({initial, QColor(1, 2, 3)}), std::optional<FontChoice>());
    QCOMPARE(primedColor, QStringLiteral("Custom"));
}

void TestKitSupport::pageSetupKeepsTwips_data()
{
    QTest::addColumn<PageSetup>("setup");

    QTest::newRow("inch margins, portrait") << PageSetup{1440, 1440, 1440, 1440, QPageLayout::Portrait};
    QTest::newRow("uneven, landscape") << PageSetup{350, 300, 350, 600, QPageLayout::Landscape};
    QTest::newRow("small margins") << PageSetup{100, 10, 100, 100, QPageLayout::Portrait};
    QTest::newRow("A4, landscape") << PageSetup{350, 300, 350, 100, QPageLayout::Landscape, QPageSize(QPageSize::A4)};
    QTest::newRow("legal") << PageSetup{720, 720, 720, 720, QPageLayout::Portrait, QPageSize(QPageSize::Legal)};
}

void TestKitSupport::pageSetupKeepsTwips()
{
    QFETCH(PageSetup, setup);
    qv::QtDialogs dialogs;
    whenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
    const auto got = dialogs.pageSetup(setup);
    QVERIFY(got.has_value());
    QCOMPARE(got->orientation, setup.orientation);
    // The dialog offers the paper it was primed with, whatever the printer's own default is.
    QCOMPARE(got->paper.id(), setup.paper.id());
    // The dialog shows margins in whole points, so what comes back may differ by half a point.
    const int halfPoint = 10;
    QVERIFY2(std::abs(got->marginLeft - setup.marginLeft) <= halfPoint, qPrintable(QString::number(got->marginLeft)));
    QVERIFY2(std::abs(got->marginTop - setup.marginTop) <= halfPoint, qPrintable(QString::number(got->marginTop)));
    QVERIFY2(std::abs(got->marginRight - setup.marginRight) <= halfPoint,
             qPrintable(QString::number(got->marginRight)));
    QVERIFY2(std::abs(got->marginBottom - setup.marginBottom) <= halfPoint,
             qPrintable(QString::number(got->marginBottom)));
    whenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    QCOMPARE(dialogs.pageSetup(setup), std::optional<PageSetup>());
}

void TestKitSupport::tempProgramFolder()
{
    QString root;
    {
        qv::test::TempProgramFolder folder;
        QVERIFY(folder.isValid());
        QVERIFY(QFileInfo(folder.dataDir()).isDir());
        QVERIFY(QFileInfo(folder.contentDir()).isDir());
        QVERIFY(folder.dataDir() != folder.contentDir());
        QCOMPARE(folder.folder().dataDir(), folder.dataDir());
        QVERIFY(folder.putData(QStringLiteral("Stat1.Fil"), "abc"));
        QVERIFY(folder.putContent(QStringLiteral("RefRA1.Dat"), "{\\rtf1 x}"));
        QCOMPARE(folder.folder().read(QStringLiteral("stat1.fil")).value(), QByteArray("abc"));
        QCOMPARE(folder.folder().read(QStringLiteral("RefRA1.Dat"), qv::ProgramFolder::Place::Content).value(),
                 QByteArray("{\\rtf1 x}"));
        QVERIFY(folder.copyToContent(folder.dataPath(QStringLiteral("Stat1.Fil")), QStringLiteral("Copy.Dat")));
        QCOMPARE(folder.folder().size(QStringLiteral("Copy.Dat"), qv::ProgramFolder::Place::Content), 3);
        root = QFileInfo(folder.dataDir()).path();
    }
    QVERIFY(!QFileInfo::exists(root));
}

void TestKitSupport::screenshots()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray saved = qgetenv("QUORVANE_SCREENSHOT_DIR");
    const auto restore = qScopeGuard([&] { qputenv("QUORVANE_SCREENSHOT_DIR", saved); });

    QLabel label(QStringLiteral("picture"));
    label.resize(120, 40);
    qputenv("QUORVANE_SCREENSHOT_DIR", dir.filePath(QStringLiteral("screens")).toUtf8());
    const QString path = qv::test::grabToPng(&label, QStringLiteral("label"));
    QCOMPARE(path, dir.filePath(QStringLiteral("screens/label.png")));
    const QImage image(path);
    QCOMPARE(image.size(), QSize(120, 40) * label.devicePixelRatio());

    qunsetenv("QUORVANE_SCREENSHOT_DIR");
    QCOMPARE(qv::test::grabToPng(&label, QStringLiteral("other")), QString());
}

int runKitSupportTests(int argc, char** argv)
{
    TestKitSupport t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_kitsupport.moc"
