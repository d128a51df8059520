// The Action Area's working grids and their look: the grid background selector with its sixteen
// pictures, a colour or the default, the grid text colour and its conflict check, and what each
// leaves on disk and on the next opening of the Action Area.
#include "core/shell/gridbackground.h"
#include "foldersnapshot.h"
#include "gui/actionarea/actionarea.h"
#include "gui/catalogue/overviewarea.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/gridlook.h"
#include "gui/shell/griddisplay.h"
#include "gui/timeline/timelinearea.h"
#include "screenshot.h"
#include "spinefixture.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

using namespace qv;
using namespace qv::test;
using namespace Qt::StringLiterals;

namespace {

    QByteArray gridRecord(const Spine& spine)
    {
        QFile f(spine.folder.dataPath(u"GColor1.Fil"_s));
        return f.open(QIODevice::ReadOnly) ? f.readAll().mid(41 * 20, 20) : QByteArray();
    }

    QByteArray stringRecord(const QByteArray& text)
    {
        QByteArray bytes;
        bytes.append(char(text.size()));
        bytes.append('\0');
        bytes.append(text);
        bytes.append(QByteArray(20 - bytes.size(), '\0'));
        return bytes;
    }

    QList<QAbstractItemView*> grids(ActionArea* area)
    {
        return {area->overviewArea()->grid(), area->timelineArea()->grid()};
    }

    QString picturePath(int n)
    {
        return QStringLiteral(QUORVANE_CONTENT_DIR "/WP%1.jpg").arg(n);
    }

    GridBackgroundSelector* openSelector(ActionArea* area)
    {
        area->menuAction(u"mOGrid"_s)->trigger();
        auto* selector = area->findChild<GridBackgroundSelector*>(u"SSPanel9"_s);
        return selector && selector->isVisible() ? selector : nullptr;
    }

    // Closes the Action Area and opens it again on the same data folder, as a new run would.
    ActionArea* reopen(Spine& spine)
    {
        ActionArea* area = spine.actionArea();
        area->setAttribute(Qt::WA_DeleteOnClose, false);
        delete area;
        return spine.begin();
    }

} // namespace

class TestGridDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void picturesAreInstalled();
    void pictureChosenIsRememberedAcrossRestart();
    void exitShowsTheSavedSettingAgain();
    void colourAndDefaultBackgrounds();
    void textColourAndConflict();
    void brokenSettingsGiveTheDefaultLook();
    void screenshots_data();
    void screenshots();
};

void TestGridDisplay::picturesAreInstalled()
{
    for (int n = 1; n <= 16; ++n) {
        const QImage picture(picturePath(n));
        QVERIFY2(!picture.isNull(), qPrintable(picturePath(n)));
        QVERIFY(picture.width() >= 1024);
        // Light enough for black text: every picture is bright on average and nowhere dark.
        const QImage small = picture.scaled(64, 40, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        double sum = 0;
        int darkest = 255;
        for (int y = 0; y < small.height(); ++y) {
            for (int x = 0; x < small.width(); ++x) {
                const int gray = qGray(small.pixel(x, y));
                sum += gray;
                darkest = std::min(darkest, gray);
            }
        }
        QVERIFY2(sum / (64 * 40) > 215, qPrintable(u"WP%1 is too dark"_s.arg(n)));
        QVERIFY2(darkest > 185, qPrintable(u"WP%1 has dark patches"_s.arg(n)));
    }
}

void TestGridDisplay::pictureChosenIsRememberedAcrossRestart()
{
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    ActionArea* area = spine.begin();
    QVERIFY(area);
    QVERIFY(area->menuAction(u"mOGrid"_s)->isEnabled());
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(spine.folder.dataDir());

    GridBackgroundSelector* selector = openSelector(area);
    QVERIFY(selector);
    QVERIFY(!selector->button(GridBackgroundSelector::UseAbove)->isEnabled());
    QVERIFY(!selector->selectionFrame()->isVisible());
    QCOMPARE(controlArray<QToolButton>(selector, u"Image3"_s).size(), 16);

    // A click shows the picture on both grids at once and frames the thumbnail.
    QTest::mouseClick(controlAt<QToolButton>(selector, u"Image3"_s, 0), Qt::LeftButton);
    for (QAbstractItemView* grid : grids(area)) {
        QCOMPARE(gridLook(grid).picture, picturePath(1));
    }
    QVERIFY(selector->selectionFrame()->isVisible());
    QVERIFY(selector->selectionFrame()->geometry().contains(selector->thumbnail(0)->geometry()));
    QVERIFY(selector->thumbnail(0)->autoRaise());
    QVERIFY(!selector->thumbnail(1)->autoRaise());
    QCOMPARE(before.unexpectedChanges(), QString());

    QTest::mouseClick(selector->button(GridBackgroundSelector::UseAbove), Qt::LeftButton);
    QVERIFY(!selector->isVisible());
    QCOMPARE(gridRecord(spine), stringRecord("WP1"));
    QCOMPARE(before.unexpectedChanges({u"GColor1.Fil"_s}), QString());

    area = reopen(spine);
    QVERIFY(area);
    for (QAbstractItemView* grid : grids(area)) {
        QCOMPARE(gridLook(grid).picture, picturePath(1));
    }
    // The selector frames the remembered picture when it opens again.
    selector = openSelector(area);
    QVERIFY(selector);
    QVERIFY(selector->selectionFrame()->isVisible());
    QVERIFY(selector->thumbnail(0)->autoRaise());
    QTest::mouseClick(selector->button(GridBackgroundSelector::Exit), Qt::LeftButton);
}

void TestGridDisplay::exitShowsTheSavedSettingAgain()
{
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    QVERIFY(spine.folder.putData(u"GColor1.Fil"_s, QByteArray(41 * 20, '\0') + stringRecord("WP5")));
    ActionArea* area = spine.begin();
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(spine.folder.dataDir());

    GridBackgroundSelector* selector = openSelector(area);
    QTest::mouseClick(selector->thumbnail(11), Qt::LeftButton);
    QCOMPARE(gridLook(area->timelineArea()->grid()).picture, picturePath(12));
    QTest::mouseClick(selector->button(GridBackgroundSelector::Exit), Qt::LeftButton);
    QVERIFY(!selector->isVisible());
    for (QAbstractItemView* grid : grids(area)) {
        QCOMPARE(gridLook(grid).picture, picturePath(5));
    }
    QCOMPARE(before.unexpectedChanges(), QString());
}

void TestGridDisplay::colourAndDefaultBackgrounds()
{
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    ActionArea* area = spine.begin();
    const GridLook plain = gridLook(area->timelineArea()->grid());
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(spine.folder.dataDir());

    // The colour dialog cancelled after a thumbnail was clicked: nothing is written, the panel
    // stays, and the picture clicked is still the one on view.
    GridBackgroundSelector* selector = openSelector(area);
    QTest::mouseClick(selector->thumbnail(2), Qt::LeftButton);
    spine.dialogs.answerColor(std::nullopt);
    QTest::mouseClick(selector->button(GridBackgroundSelector::SelectColor), Qt::LeftButton);
    QCOMPARE(spine.dialogs.calls().last().color, plain.background);
    QVERIFY(selector->isVisible());
    QCOMPARE(gridLook(area->timelineArea()->grid()).picture, picturePath(3));
    QCOMPARE(before.unexpectedChanges(), QString());

    // A colour: no picture, the colour on both grids, its number in decimal on disk.
    spine.dialogs.answerColor(QColor(0xFF, 0xFF, 0xCC));
    QTest::mouseClick(selector->button(GridBackgroundSelector::SelectColor), Qt::LeftButton);
    QVERIFY(!selector->isVisible());
    for (QAbstractItemView* grid : grids(area)) {
        QCOMPARE(gridLook(grid).picture, QString());
        QCOMPARE(gridLook(grid).background, QColor(0xFF, 0xFF, 0xCC));
    }
    QCOMPARE(gridRecord(spine), stringRecord("13434879"));
    QCOMPARE(before.unexpectedChanges({u"GColor1.Fil"_s}), QString());

    // The default: the grids' own colour again, and "Default" on disk.
    selector = openSelector(area);
    QTest::mouseClick(selector->button(GridBackgroundSelector::UseDefault), Qt::LeftButton);
    QVERIFY(!selector->isVisible());
    QCOMPARE(gridLook(area->overviewArea()->grid()), plain);
    QCOMPARE(gridRecord(spine), stringRecord("Default"));
    QCOMPARE(before.unexpectedChanges({u"GColor1.Fil"_s}), QString());
}

void TestGridDisplay::textColourAndConflict()
{
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    ActionArea* area = spine.begin();
    const GridLook plain = gridLook(area->timelineArea()->grid());
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(spine.folder.dataDir());

    // Cancelled, then the background's own colour: refused with the box, nothing written.
    spine.dialogs.answerColor(std::nullopt);
    spine.dialogs.answerColor(plain.background);
    spine.prompter.answer(PromptAnswer::Ok);
    area->menuAction(u"mOGridColor"_s)->trigger();
    area->menuAction(u"mOGridColor"_s)->trigger();
    QCOMPARE(spine.dialogs.calls().first().color, plain.text);
    QCOMPARE(spine.prompter.prompts().size(), 1);
    const Prompt conflict = spine.prompter.prompts().first();
    QCOMPARE(conflict.title, u"Color Conflict"_s);
    QCOMPARE(conflict.text, u"Selected Color would cause a conflict with Text and Background Colors!"_s);
    QCOMPARE(conflict.icon, PromptIcon::Critical);
    QCOMPARE(gridLook(area->timelineArea()->grid()), plain);
    QCOMPARE(before.unexpectedChanges(), QString());

    // A readable colour: both grids take it, and it is there on the next opening.
    spine.dialogs.answerColor(QColor(0x00, 0x33, 0x99));
    area->menuAction(u"mOGridColor"_s)->trigger();
    for (QAbstractItemView* grid : grids(area)) {
        QCOMPARE(gridLook(grid).text, QColor(0x00, 0x33, 0x99));
    }
    QFile file(spine.folder.dataPath(u"GColor3.Fil"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().mid(3 * 20, 6), QByteArray("\x03\x00\x00\x33\x99\x00", 6));
    QCOMPARE(before.unexpectedChanges({u"GColor3.Fil"_s}), QString());
    area = reopen(spine);
    QCOMPARE(gridLook(area->overviewArea()->grid()).text, QColor(0x00, 0x33, 0x99));
}

void TestGridDisplay::brokenSettingsGiveTheDefaultLook()
{
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    QVERIFY(spine.folder.putData(u"GColor1.Fil"_s, QByteArray(41 * 20, '\xFF') + "\x0B\x00WP../../etc"));
    QVERIFY(spine.folder.putData(u"GColor3.Fil"_s, QByteArray(333, '\x99')));
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(spine.folder.dataDir());
    ActionArea* area = spine.begin();
    QVERIFY(area);
    for (QAbstractItemView* grid : grids(area)) {
        QCOMPARE(gridLook(grid).picture, QString());
        QCOMPARE(gridLook(grid).text, area->palette().color(QPalette::Text));
    }
    QVERIFY(spine.prompter.prompts().isEmpty());
    // The status store is made when the Action Area opens; the settings files are only read.
    QCOMPARE(before.unexpectedChanges({u"Stat1.Fil"_s}), QString());
}

void TestGridDisplay::screenshots_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("1024x768") << QSize(1024, 768);
    QTest::newRow("1920x1080") << QSize(1920, 1080);
}

void TestGridDisplay::screenshots()
{
    QFETCH(QSize, size);
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    QVERIFY(spine.folder.putData(u"GColor1.Fil"_s, QByteArray(41 * 20, '\0') + stringRecord("WP1")));
    ActionArea* area = spine.begin();
    showAtSize(area, size);
    press(area, u"SSCommand11"_s, 1);
    timeline::TimelineModel& model = area->timelineArea()->model();
    const char* const items[] = {"Assign a security official",
                                 "Risk analysis of every system holding ePHI",
                                 "Workforce training on password management",
                                 "Test the contingency plan",
                                 "Review business associate contracts"};
    for (int i = 0; i < 5; ++i) {
        model.setCell(i, timeline::Item, QString::fromLatin1(items[i]));
        model.setCell(i, timeline::ToDoDate, u"Mon - Dec 7, 26"_s);
    }
    QTest::qWait(50);
    const QString suffix = u"-%1x%2"_s.arg(size.width()).arg(size.height());
    QVERIFY(!grabToPng(area, u"timeline-grid-picture"_s + suffix).isEmpty());

    GridBackgroundSelector* selector = openSelector(area);
    QTest::mouseClick(selector->thumbnail(5), Qt::LeftButton);
    QTest::qWait(50);
    QVERIFY(!grabToPng(area, u"grid-background-selector"_s + suffix).isEmpty());
    QTest::mouseClick(selector->button(GridBackgroundSelector::Exit), Qt::LeftButton);
}

QTEST_MAIN(TestGridDisplay)
#include "test_griddisplay.moc"
