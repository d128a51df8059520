// The help window as a reader uses it: the contents list, the search box, back and forward, and the
// links between topics.

#include "gui/kit/programlook.h"
#include "gui/shell/helplibrary.h"
#include "gui/shell/helpviewer.h"
#include "screenshot.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

using namespace qv;
using namespace Qt::StringLiterals;

namespace {

    const QString NotWritten = u"This help topic has not been written yet."_s;

    bool writeFile(const QString& path, const QString& text)
    {
        QFile file(path);
        const QByteArray bytes = text.toUtf8();
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    // A help folder of three linked topics, plus files that are not topics.
    struct HelpFolder
    {
        HelpFolder()
        {
            const QString page = u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                                 u"<body><h1>%1</h1>%2</body></html>"_s;
            ok = dir.isValid() &&
                 writeFile(dir.filePath(u"1000.html"_s),
                           page.arg(u"Program Overview"_s,
                                    u"<p>Start on the start screen and keep your workbook up to date.</p>"
                                    u"<p>See <a href=\"3010.html\">the Action Area</a>.</p>"_s)) &&
                 writeFile(dir.filePath(u"3010.html"_s),
                           page.arg(u"The Action Area"_s,
                                    u"<p>The area BUTTONS down the left choose what the work panel shows.</p>"
                                    u"<p>Print from <a href=\"1014.html#margins\">Print Options</a>.</p>"
                                    u"<p>Help on <a href=\"4321.html\">a topic nobody wrote</a>.</p>"_s)) &&
                 writeFile(dir.filePath(u"1014.html"_s),
                           page.arg(u"Printing &amp; Preview"_s,
                                    u"<p>The Print Options panel shows the pages as they will print.</p>"
                                    u"<h2><a name=\"margins\"></a>Margins</h2><p>Set them in page set-up.</p>"_s)) &&
                 writeFile(dir.filePath(u"style.css"_s), u"body { margin: 0 }"_s) &&
                 writeFile(dir.filePath(u"notes.txt"_s), u"buttons workbook"_s);
        }

        QTemporaryDir dir;
        bool ok = false;
    };

    struct Viewer
    {
        explicit Viewer(const QString& folder)
            : viewer(folder)
            , contents(viewer.findChild<QListWidget*>(u"HelpContents"_s))
            , results(viewer.findChild<QListWidget*>(u"HelpResults"_s))
            , search(viewer.findChild<QLineEdit*>(u"HelpSearch"_s))
            , note(viewer.findChild<QLabel*>(u"HelpSearchNote"_s))
            , tabs(viewer.findChild<QTabWidget*>(u"HelpTabs"_s))
            , browser(viewer.findChild<QTextBrowser*>(u"HelpText"_s))
            , back(viewer.findChild<QToolButton*>(u"HelpBack"_s))
            , forward(viewer.findChild<QToolButton*>(u"HelpForward"_s))
        {
        }

        // Shows topic and waits until the window is on screen.
        bool open(int topic)
        {
            viewer.showTopic(topic);
            return QTest::qWaitForWindowExposed(&viewer);
        }

        bool complete() const
        {
            return contents && results && search && note && tabs && browser && back && forward;
        }

        static QStringList texts(const QListWidget* list)
        {
            QStringList texts;
            for (int row = 0; row < list->count(); ++row) {
                texts.append(list->item(row)->text());
            }
            return texts;
        }

        void click(QListWidget* list, int row)
        {
            QListWidgetItem* item = list->item(row);
            list->scrollToItem(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        }

        // Where the link to href is drawn in the page, as the reader sees it.
        QPoint linkAt(const QString& href) const
        {
            QTextDocument* document = browser->document();
            for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    const QTextFragment fragment = it.fragment();
                    if (fragment.charFormat().isAnchor() && fragment.charFormat().anchorHref() == href) {
                        QTextCursor cursor(document);
                        cursor.setPosition(fragment.position() + fragment.length() / 2);
                        return browser->cursorRect(cursor).center();
                    }
                }
            }
            return {-1, -1};
        }

        bool clickLink(const QString& href)
        {
            const QPoint at = linkAt(href);
            if (at.x() < 0) {
                return false;
            }
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
            return true;
        }

        HelpViewer viewer;
        QListWidget* contents;
        QListWidget* results;
        QLineEdit* search;
        QLabel* note;
        QTabWidget* tabs;
        QTextBrowser* browser;
        QToolButton* back;
        QToolButton* forward;
    };

} // namespace

class TestHelpViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void contentsListsEveryPageByItsTitle();
    void contentsEntryShowsItsTopic();
    void installedContentsListEveryInstalledPage();
    void searchFindsWholeWordsIgnoringCase_data();
    void searchFindsWholeWordsIgnoringCase();
    void searchResultShowsTopicWithTheWordSelected();
    void backAndForwardRetraceTheTopics();
    void linkClickShowsTheLinkedTopic();
    void linkToAMissingPageSaysSo();
    void linksBetweenTopics_data();
    void linksBetweenTopics();
    void screenshotsOfThreeTopics();
};

void TestHelpViewer::initTestCase()
{
    applyProgramLook();
}

void TestHelpViewer::contentsListsEveryPageByItsTitle()
{
    HelpFolder folder;
    QVERIFY(folder.ok);
    Viewer v(folder.dir.path());
    QVERIFY(v.complete());
    v.viewer.showTopic(HelpTopic::ProgramOverview);

    // Topic order, titles from the pages themselves; the style sheet and notes are no topics.
    QCOMPARE(Viewer::texts(v.contents),
             (QStringList{u"Program Overview"_s, u"Printing & Preview"_s, u"The Action Area"_s}));
    QCOMPARE(v.contents->currentRow(), 0);
    QCOMPARE(v.viewer.windowTitle(), u"Quorvane Help - Program Overview"_s);
}

void TestHelpViewer::contentsEntryShowsItsTopic()
{
    HelpFolder folder;
    QVERIFY(folder.ok);
    Viewer v(folder.dir.path());
    QVERIFY(v.open(HelpTopic::ProgramOverview));

    v.click(v.contents, 2);
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ActionArea));
    QVERIFY2(v.viewer.currentText().contains(u"work panel shows"_s), qPrintable(v.viewer.currentText()));
    QCOMPARE(v.viewer.windowTitle(), u"Quorvane Help - The Action Area"_s);

    // A topic opened from elsewhere (F1) moves the selection in the contents along.
    v.viewer.showTopic(HelpTopic::Printing);
    QCOMPARE(v.contents->currentItem()->text(), u"Printing & Preview"_s);
    v.viewer.showTopic(4321);
    QVERIFY(v.viewer.currentText().contains(NotWritten));
    QVERIFY(!v.contents->currentItem());
}

void TestHelpViewer::installedContentsListEveryInstalledPage()
{
    const QString helpFolder = QStringLiteral(QUORVANE_CONTENT_DIR "/help");
    const QStringList files = QDir(helpFolder).entryList({u"*.html"_s}, QDir::Files);
    QVERIFY2(!files.isEmpty(), qPrintable(helpFolder));

    Viewer v(helpFolder);
    v.viewer.showTopic(HelpTopic::ProgramOverview);
    QCOMPARE(v.contents->count(), files.size());
    for (int row = 0; row < v.contents->count(); ++row) {
        // Every page names itself: a page without a title would be listed by its number.
        QVERIFY2(!v.contents->item(row)->text().startsWith(u"Help Topic"_s), qPrintable(files.at(row)));
        v.contents->setCurrentRow(row);
        QVERIFY2(!v.viewer.currentText().contains(NotWritten), qPrintable(files.at(row)));
        QCOMPARE(u"%1.html"_s.arg(v.viewer.currentTopic()), files.at(row));
    }
}

void TestHelpViewer::searchFindsWholeWordsIgnoringCase_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QString>("note");

    QTest::newRow("word in one page, other case")
        << u"buttons"_s << QStringList{u"The Action Area"_s} << u"1 topic found."_s;
    QTest::newRow("part of a word is no match")
        << u"button"_s << QStringList{} << u"No topic holds every one of these words."_s;
    QTest::newRow("word in two pages") << u"PRINT"_s << QStringList{u"Printing & Preview"_s, u"The Action Area"_s}
                                       << u"2 topics found."_s;
    QTest::newRow("every word must be there")
        << u"print margins"_s << QStringList{u"Printing & Preview"_s} << u"1 topic found."_s;
    QTest::newRow("word of a title") << u"preview"_s << QStringList{u"Printing & Preview"_s} << u"1 topic found."_s;
    QTest::newRow("only in a file that is no topic")
        << u"workbook buttons"_s << QStringList{} << u"No topic holds every one of these words."_s;
    QTest::newRow("no word") << u" ,. "_s << QStringList{} << u"Type words to find the topics that hold all of them."_s;
}

void TestHelpViewer::searchFindsWholeWordsIgnoringCase()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, found);
    QFETCH(QString, note);

    HelpFolder folder;
    QVERIFY(folder.ok);
    Viewer v(folder.dir.path());
    QVERIFY(v.open(HelpTopic::ProgramOverview));
    v.tabs->setCurrentIndex(1);
    QTest::keyClicks(v.search, typed);

    QCOMPARE(Viewer::texts(v.results), found);
    QCOMPARE(v.note->text(), note);
    // Searching lists; it does not move away from the page being read.
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ProgramOverview));
}

void TestHelpViewer::searchResultShowsTopicWithTheWordSelected()
{
    HelpFolder folder;
    QVERIFY(folder.ok);
    Viewer v(folder.dir.path());
    QVERIFY(v.open(HelpTopic::ProgramOverview));
    v.tabs->setCurrentIndex(1);
    QTest::keyClicks(v.search, u"Buttons"_s);
    QCOMPARE(v.results->count(), 1);

    v.click(v.results, 0);
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ActionArea));
    QCOMPARE(v.browser->textCursor().selectedText(), u"BUTTONS"_s);
    QVERIFY(v.back->isEnabled());
}

void TestHelpViewer::backAndForwardRetraceTheTopics()
{
    HelpFolder folder;
    QVERIFY(folder.ok);
    Viewer v(folder.dir.path());
    QVERIFY(v.open(HelpTopic::ProgramOverview));
    QVERIFY(!v.back->isEnabled());
    QVERIFY(!v.forward->isEnabled());
    v.viewer.showTopic(HelpTopic::ActionArea);
    v.viewer.showTopic(HelpTopic::ActionArea); // F1 again on the same screen is no new step
    v.viewer.showTopic(HelpTopic::Printing);

    QTest::mouseClick(v.back, Qt::LeftButton);
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ActionArea));
    QTest::mouseClick(v.back, Qt::LeftButton);
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ProgramOverview));
    QVERIFY(v.viewer.currentText().contains(u"keep your workbook"_s));
    QVERIFY(!v.back->isEnabled());
    QVERIFY(v.forward->isEnabled());
    QCOMPARE(v.contents->currentItem()->text(), u"Program Overview"_s);

    // The keys work while reading the page too, and the mouse's forward button over it.
    v.browser->setFocus();
    QTest::keyClick(v.browser, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ActionArea));
    QTest::mouseClick(v.browser->viewport(), Qt::ForwardButton);
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::Printing));
    QVERIFY(!v.forward->isEnabled());
    QTest::keyClick(v.browser, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ActionArea));

    // A new topic from the middle of the trail drops the topics ahead of it.
    v.click(v.contents, 0);
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ProgramOverview));
    QVERIFY(!v.forward->isEnabled());
    QTest::keyClick(&v.viewer, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ActionArea));
    QTest::mouseClick(v.back, Qt::LeftButton);
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ProgramOverview));
    QVERIFY(!v.back->isEnabled());
}

void TestHelpViewer::linkClickShowsTheLinkedTopic()
{
    HelpFolder folder;
    QVERIFY(folder.ok);
    Viewer v(folder.dir.path());
    QVERIFY(v.open(HelpTopic::ProgramOverview));

    QVERIFY(v.clickLink(u"3010.html"_s));
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ActionArea));
    QVERIFY(v.viewer.currentText().contains(u"work panel shows"_s));
    QCOMPARE(v.contents->currentItem()->text(), u"The Action Area"_s);

    QTest::mouseClick(v.back, Qt::LeftButton);
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ProgramOverview));
}

void TestHelpViewer::linkToAMissingPageSaysSo()
{
    HelpFolder folder;
    QVERIFY(folder.ok);
    Viewer v(folder.dir.path());
    QVERIFY(v.open(HelpTopic::ActionArea));

    QVERIFY(v.clickLink(u"4321.html"_s));
    QCOMPARE(v.viewer.currentTopic(), 4321);
    QVERIFY2(v.viewer.currentText().contains(NotWritten), qPrintable(v.viewer.currentText()));
    QCOMPARE(v.viewer.windowTitle(), u"Quorvane Help - Help Topic 4321"_s);

    // The missing page offers the way to the overview.
    QVERIFY(v.clickLink(u"1000.html"_s));
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ProgramOverview));
    QTest::mouseClick(v.back, Qt::LeftButton);
    QTest::mouseClick(v.back, Qt::LeftButton);
    QCOMPARE(v.viewer.currentTopic(), int(HelpTopic::ActionArea));
}

void TestHelpViewer::linksBetweenTopics_data()
{
    QTest::addColumn<QUrl>("link");
    QTest::addColumn<int>("topic");

    QTest::newRow("page beside") << QUrl(u"3010.html"_s) << 3010;
    QTest::newRow("place in a page") << QUrl(u"1014.html#margins"_s) << 1014;
    QTest::newRow("resolved against the folder") << QUrl(u"file:///usr/share/quorvane/help/5050.html"_s) << 5050;
    QTest::newRow("other kind of file") << QUrl(u"notes.txt"_s) << 0;
    QTest::newRow("page of a web site") << QUrl(u"https://www.quorvane.example/3010.html"_s) << 0;
    QTest::newRow("place in this page") << QUrl(u"#margins"_s) << 0;
    QTest::newRow("name with a number in it") << QUrl(u"page3010.html"_s) << 0;
}

void TestHelpViewer::linksBetweenTopics()
{
    QFETCH(QUrl, link);
    QFETCH(int, topic);
    QCOMPARE(HelpLibrary::topicOfLink(link).value_or(0), topic);
}

void TestHelpViewer::screenshotsOfThreeTopics()
{
    const QString helpFolder = QStringLiteral(QUORVANE_CONTENT_DIR "/help");
    Viewer v(helpFolder);
    v.viewer.resize(1024, 768);
    for (const int topic : {int(HelpTopic::ProgramOverview), int(HelpTopic::ActionArea), int(HelpTopic::Printing)}) {
        v.viewer.showTopic(topic);
        QVERIFY(QTest::qWaitForWindowExposed(&v.viewer));
        QCOMPARE(v.viewer.currentTopic(), topic);
        test::grabToPng(&v.viewer, u"help-%1"_s.arg(topic));
    }
    v.tabs->setCurrentIndex(1);
    QTest::keyClicks(v.search, u"print"_s);
    QVERIFY(v.results->count() > 0);
    v.click(v.results, 0);
    test::grabToPng(&v.viewer, u"help-search"_s);
}

QTEST_MAIN(TestHelpViewer)
#include "test_helpviewer.moc"
