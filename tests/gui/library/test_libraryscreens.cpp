// Grabs each reference screen to PNG at the two window sizes people use most, with a document on
// view, and checks that every visible control lies inside the window.
#include "libraryfixture.h"

#include "screenshot.h"

#include "core/rtf/richtextfile.h"
#include "core/storage/programfolder.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/navigator.h"
#include "gui/kit/richtexteditor.h"
#include "gui/library/hitechinformation.h"
#include "gui/library/informationadvisor.h"
#include "gui/library/librarydocuments.h"
#include "gui/library/miscellaneous.h"
#include "gui/library/securityrule.h"

#include <QAbstractButton>
#include <QDir>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>

using namespace qv;
using namespace qv::test;

namespace {

    // A click on the option's circle, as a user picks a section.
    void chooseSection(SecurityRule* rule, int index)
    {
        QRadioButton* option = rule->sectionOption(index);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    }

    void checkInside(QWidget* window)
    {
        const QRect bounds = window->rect();
        const QList<QWidget*> widgets = window->findChildren<QWidget*>();
        for (QWidget* w : widgets) {
            if (!w->isVisibleTo(window) || w->isWindow() || w->objectName().startsWith(u"qt_")) {
                continue;
            }
            const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
            QVERIFY2(bounds.contains(r),
                     qPrintable(QStringLiteral("%1 (%2) lies outside the window: %3,%4 %5x%6")
                                    .arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()))
                                    .arg(r.x())
                                    .arg(r.y())
                                    .arg(r.width())
                                    .arg(r.height())));
        }
    }

    void shoot(QWidget* screen, const QString& name)
    {
        for (const QSize& size : {QSize(1024, 768), QSize(1920, 1080)}) {
            showAtSize(screen, size);
            QCoreApplication::processEvents();
            checkInside(screen);
            grabToPng(screen, QStringLiteral("%1-%2x%3").arg(name).arg(size.width()).arg(size.height()));
        }
    }

} // namespace

class TestLibraryScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void screens();
    void everyDocumentIsInstalled();
    void aDocumentOpensAtItsTitle();
};

void TestLibraryScreens::screens()
{
    // The installed documents, so the pictures show the screens as people will see them.
    Library library(QStringLiteral(QUORVANE_CONTENT_DIR));
    auto* advisor = library.open<InformationAdvisor>(Navigator::InformationAdvisor);
    shoot(advisor, QStringLiteral("library-advisor"));
    press(advisor, QStringLiteral("SSCommand11"), 6);
    press(advisor, QStringLiteral("SSCommand1"), 1);
    shoot(advisor, QStringLiteral("library-advisor-riskanalysis"));

    advisor->pressNavigation(ViewerFrame::ToSecurityRule);
    Library::settle();
    auto* rule = qobject_cast<SecurityRule*>(library.spine.navigator.existing(Navigator::SecurityRule));
    chooseSection(rule, 2);
    press(rule, QStringLiteral("SSCommand5"), 5);
    shoot(rule, QStringLiteral("library-securityrule"));

    rule->pressNavigation(ViewerFrame::ToMiscellaneous);
    Library::settle();
    auto* misc = qobject_cast<Miscellaneous*>(library.spine.navigator.existing(Navigator::Miscellaneous));
    press(misc, QStringLiteral("SSCommand11"), 2);
    shoot(misc, QStringLiteral("library-misc-weblinks"));
    press(misc, QStringLiteral("SSCommand11"), 3);
    press(misc, QStringLiteral("SSCommand2"), 1);
    shoot(misc, QStringLiteral("library-misc-printoptions"));

    misc->pressNavigation(ViewerFrame::ToHitech);
    Library::settle();
    auto* hitech = qobject_cast<HitechInformation*>(library.spine.navigator.existing(Navigator::HitechInformation));
    shoot(hitech, QStringLiteral("library-hitech"));
}

// Every document the four screens can open is in the build's content folder, reads whole and has
// text: a missing or empty one would show the user a blank pane.
void TestLibraryScreens::everyDocumentIsInstalled()
{
    const ProgramFolder folder(QDir::tempPath(), QStringLiteral(QUORVANE_CONTENT_DIR));
    const QStringList names = libraryDocumentNames();
    QVERIFY(names.size() > 40);
    for (const QString& name : names) {
        QTextDocument doc;
        bool cutOff = false;
        const auto loaded = loadRichText(folder, name, ProgramFolder::Place::Content, doc, &cutOff);
        QVERIFY2(loaded && loaded.value() == LoadOutcome::Loaded, qPrintable(name));
        QVERIFY2(!cutOff, qPrintable(name));
        QVERIFY2(doc.toPlainText().simplified().size() > 200, qPrintable(name));
    }
}

// A screen shows its first document before the window has its size; the title must still be on view.
void TestLibraryScreens::aDocumentOpensAtItsTitle()
{
    Library library(QStringLiteral(QUORVANE_CONTENT_DIR));
    auto* misc = library.open<Miscellaneous>(Navigator::Miscellaneous);
    showAtSize(misc, QSize(1024, 768));
    QCoreApplication::processEvents();
    QCOMPARE(misc->pane()->verticalScrollBar()->value(), 0);
}

QTEST_MAIN(TestLibraryScreens)
#include "test_libraryscreens.moc"
