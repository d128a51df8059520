// Grabs the start screen and the Action Area to PNG (under the build's screens/ folder) at the two
// window sizes people use most, and checks what a person would notice first: every visible control
// lies inside the window, and no caption is cut off.
#include "spinefixture.h"

#include "gui/actionarea/actionarea.h"
#include "gui/kit/captionbutton.h"
#include "gui/shell/startscreen.h"
#include "screenshot.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

using namespace qv;
using namespace qv::test;

namespace {

    void checkNothingClipped(QWidget* window)
    {
        const QRect bounds = window->rect();
        const QList<QWidget*> widgets = window->findChildren<QWidget*>();
        for (QWidget* w : widgets) {
            if (!w->isVisibleTo(window) || w->isWindow()) {
                continue;
            }
            const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
            QVERIFY2(bounds.contains(r),
                     qPrintable(QStringLiteral("%1 lies outside the window: %2,%3 %4x%5")
                                    .arg(w->objectName())
                                    .arg(r.x())
                                    .arg(r.y())
                                    .arg(r.width())
                                    .arg(r.height())));
            if (auto* button = qobject_cast<CaptionButton*>(w)) {
                const QFontMetrics fm(button->font());
                const int room = button->width() - 16;
                QString caption = button->text();
                caption.remove(QLatin1Char('&'));
                for (const QString& word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                    QVERIFY2(fm.horizontalAdvance(word) <= room,
                             qPrintable(QStringLiteral("\"%1\" is cut off on its button (%2 wide)")
                                            .arg(word)
                                            .arg(button->width())));
                }
                const QRect needed =
                    fm.boundingRect(QRect(0, 0, room, 1000), Qt::AlignCenter | Qt::TextWordWrap, caption);
                QVERIFY2(needed.height() <= button->height() - 4,
                         qPrintable(QStringLiteral("caption \"%1\" does not fit its button (%2x%3)")
                                        .arg(button->text())
                                        .arg(button->width())
                                        .arg(button->height())));
            } else if (qobject_cast<QAbstractButton*>(w) ||
                       (qobject_cast<QLabel*>(w) && !static_cast<QLabel*>(w)->wordWrap())) {
                QVERIFY2(w->sizeHint().width() <= w->width() + 1,
                         qPrintable(QStringLiteral("%1 \"%2\" is cut off: needs %3, has %4")
                                        .arg(w->objectName(),
                                             qobject_cast<QLabel*>(w) ? static_cast<QLabel*>(w)->text()
                                                                      : static_cast<QAbstractButton*>(w)->text())
                                        .arg(w->sizeHint().width())
                                        .arg(w->width())));
            }
        }
    }

} // namespace

class TestScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void screens_data();
    void screens();
};

void TestScreens::screens_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("1024x768") << QSize(1024, 768);
    QTest::newRow("1920x1080") << QSize(1920, 1080);
}

void TestScreens::screens()
{
    QFETCH(QSize, size);
    const QString suffix = QStringLiteral("-%1x%2").arg(size.width()).arg(size.height());
    Spine spine(QStringLiteral(QUORVANE_CONTENT_DIR));
    spine.start().resize(size);
    spine.start().show();
    QVERIFY(QTest::qWaitForWindowExposed(&spine.start()));
    checkNothingClipped(&spine.start());
    grabToPng(&spine.start(), QStringLiteral("start") + suffix);

    ActionArea* area = spine.begin();
    // Maximised, it would take the size of the test's screen; the window sizes people use are the
    // point here.
    showAtSize(area, size);
    QVERIFY(QTest::qWaitForWindowExposed(area));
    // The example's notice and the sample plan's explanation come once each.
    spine.prompter.answer({PromptAnswer::Ok, PromptAnswer::Ok});
    for (int k : {0, 2, 9, 3, 4, 5, 6, 7, 8, 10}) {
        press(area, QStringLiteral("SSCommand11"), k);
        if (k == 7) {
            press(area, QStringLiteral("SSCommand12"), 0);
        }
        QTest::qWait(20);
        checkNothingClipped(area);
        grabToPng(area, QStringLiteral("actionarea-%1").arg(k) + suffix);
    }
}

QTEST_MAIN(TestScreens)
#include "test_screens.moc"
