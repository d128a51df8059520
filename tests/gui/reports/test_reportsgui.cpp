// The print preview, the Print Options panel and the outputs (printer, PDF, clipboard), driven with
// documents a real page engine composed.
#include "core/reports/pageengine.h"
#include "core/reports/printsettings.h"
#include "core/rtf/rtfreader.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/programlook.h"
#include "gui/reports/previewwidget.h"
#include "gui/reports/printoptionspanel.h"
#include "gui/reports/printoutput.h"
#include "screenshot.h"
#include "scripteddialogs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>

using namespace qv;
using namespace qv::test;

namespace {

    // pages pages, each headed "Page N" and carrying a line of its own.
    void compose(PageEngine& engine, int pages, PageOrientation orientation = PageOrientation::Portrait)
    {
        engine.setPreview(true);
        engine.clear();
        engine.setOrientation(orientation);
        engine.startDoc();
        for (int p = 1; p <= pages; ++p) {
            if (p > 1) {
                engine.newPage();
            }
            engine.setFontSize(14);
            engine.paragraph(QStringLiteral("Page %1").arg(p));
            engine.setFontSize(10);
            engine.paragraph(QStringLiteral("Safeguard review line %1 of the preview test").arg(p));
        }
        engine.endDoc();
    }

    QString pageLabel(const PreviewWidget& preview)
    {
        return preview.findChild<QLabel*>(QStringLiteral("PreviewPage"))->text();
    }

    void click(QWidget* root, const QString& name)
    {
        auto* button = root->findChild<QAbstractButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    bool hasPdfToText()
    {
        return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    }

    QString pdfText(const QString& path)
    {
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        if (!process.waitForFinished(30000)) {
            return QString();
        }
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QByteArray fileStart(const QString& path, int length)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.read(length) : QByteArray();
    }

    const QStringList PaneCaptions{QStringLiteral("Implementation specification"),
                                   QStringLiteral("References in Rule"),
                                   QStringLiteral("Additional Information"),
                                   QStringLiteral("Action Taken"),
                                   QStringLiteral("Comments/Notes"),
                                   QStringLiteral("Policies && Procedures/Plan")};
    const QList<int> PaneTops{300, 585, 870, 1155, 1410, 1660};

} // namespace

class TestReportsGui : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void previewFollowsEngine();
    void navigation_data();
    void navigation();
    void keys();
    void enlargedKeysReadThePageFirst();
    void wheelTurnsWholePages();
    void zoomScales();
    void guidesPaintDifferently();

    void selectionBoxes_data();
    void selectionBoxes();
    void signalsComeFromClicksOnly();
    void enlargeAndNormal_data();
    void enlargeAndNormal();
    void sampleFollowsSettings();
    void progressPanel();

    void printThroughDialog();
    void cancelledPrintPrintsNothing();
    void writePdfReplacesOnlyOnSuccess();
    void copyPage();
    void richTextFormats();

    void screens_data();
    void screens();
};

void TestReportsGui::initTestCase()
{
    applyProgramLook();
}

void TestReportsGui::previewFollowsEngine()
{
    PageEngine engine;
    PreviewWidget preview(engine);
    preview.resize(400, 500);
    QCOMPARE(preview.pageCount(), 0);
    QCOMPARE(pageLabel(preview), QStringLiteral("No pages"));
    QVERIFY(preview.currentPageImage().isNull());

    compose(engine, 3);
    QCOMPARE(preview.pageCount(), 3);
    QCOMPARE(preview.currentPage(), 0);
    QCOMPARE(pageLabel(preview), QStringLiteral("Page 1 of 3"));
    QVERIFY(!preview.currentPageImage().isNull());

    preview.lastPage();
    QCOMPARE(pageLabel(preview), QStringLiteral("Page 3 of 3"));
    // A new document is shown from its first page again.
    compose(engine, 2);
    QCOMPARE(preview.currentPage(), 0);
    QCOMPARE(pageLabel(preview), QStringLiteral("Page 1 of 2"));

    engine.clear();
    QCOMPARE(preview.pageCount(), 0);
    QCOMPARE(preview.currentPage(), 0);
    QCOMPARE(pageLabel(preview), QStringLiteral("No pages"));
    QVERIFY(preview.currentPageImage().isNull());
}

void TestReportsGui::navigation_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("expected");

    QTest::newRow("next") << 0 << QStringLiteral("PreviewNext") << 1;
    QTest::newRow("next at the end stays") << 3 << QStringLiteral("PreviewNext") << 3;
    QTest::newRow("previous") << 2 << QStringLiteral("PreviewPrevious") << 1;
    QTest::newRow("previous at the start stays") << 0 << QStringLiteral("PreviewPrevious") << 0;
    QTest::newRow("first") << 2 << QStringLiteral("PreviewFirst") << 0;
    QTest::newRow("last") << 1 << QStringLiteral("PreviewLast") << 3;
}

void TestReportsGui::navigation()
{
    QFETCH(int, start);
    QFETCH(QString, button);
    QFETCH(int, expected);

    PageEngine engine;
    PreviewWidget preview(engine);
    preview.resize(400, 500);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    compose(engine, 4);
    preview.setCurrentPage(start);
    QCOMPARE(preview.currentPage(), start);
    click(&preview, button);
    QCOMPARE(preview.currentPage(), expected);
    QCOMPARE(pageLabel(preview), QStringLiteral("Page %1 of 4").arg(expected + 1));

    // The page on view is the page painted: its heading is in the picture's text position.
    const QImage shown = preview.currentPageImage(72);
    QCOMPARE(shown, engine.document().image(expected, 72 / 1440.0));
}

void TestReportsGui::keys()
{
    PageEngine engine;
    PreviewWidget preview(engine);
    preview.resize(400, 500);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    compose(engine, 5);
    QSignalSpy changed(&preview, &PreviewWidget::currentPageChanged);

    QTest::keyClick(&preview, Qt::Key_PageDown);
    QTest::keyClick(&preview, Qt::Key_PageDown);
    QCOMPARE(preview.currentPage(), 2);
    QTest::keyClick(&preview, Qt::Key_PageUp);
    QCOMPARE(preview.currentPage(), 1);
    QTest::keyClick(&preview, Qt::Key_End);
    QCOMPARE(preview.currentPage(), 4);
    QTest::keyClick(&preview, Qt::Key_PageDown);
    QCOMPARE(preview.currentPage(), 4);
    QTest::keyClick(&preview, Qt::Key_Home);
    QCOMPARE(preview.currentPage(), 0);
    QCOMPARE(changed.count(), 5);

    preview.setCurrentPage(99);
    QCOMPARE(preview.currentPage(), 4);
    preview.setCurrentPage(-3);
    QCOMPARE(preview.currentPage(), 0);
}

// Enlarged, PageDown reads down the page before the next one comes, and PageUp back up to its head.
void TestReportsGui::enlargedKeysReadThePageFirst()
{
    PageEngine engine;
    PreviewWidget preview(engine);
    preview.resize(600, 400);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    compose(engine, 2);
    preview.setZoom(PreviewWidget::Zoom::Enlarged);
    QScrollBar* bar = preview.findChild<QScrollArea*>(QStringLiteral("PreviewDesk"))->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);

    int presses = 0;
    while (preview.currentPage() == 0 && presses < 50) {
        QTest::keyClick(&preview, Qt::Key_PageDown);
        ++presses;
    }
    QVERIFY2(presses > 2, "a page several views tall takes several presses");
    QCOMPARE(preview.currentPage(), 1);
    QCOMPARE(bar->value(), 0);

    QTest::keyClick(&preview, Qt::Key_PageUp);
    QCOMPARE(preview.currentPage(), 0);
    QCOMPARE(bar->value(), bar->maximum());
    QTest::keyClick(&preview, Qt::Key_PageUp);
    QCOMPARE(preview.currentPage(), 0);
    QVERIFY(bar->value() < bar->maximum());
}

void TestReportsGui::wheelTurnsWholePages()
{
    PageEngine engine;
    PreviewWidget preview(engine);
    preview.resize(600, 400);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    compose(engine, 3);
    QWidget* viewport = preview.findChild<QScrollArea*>(QStringLiteral("PreviewDesk"))->viewport();
    const auto wheel = [viewport](int delta) {
        const QPointF at(viewport->width() / 2.0, viewport->height() / 2.0);
        QWheelEvent event(at,
                          viewport->mapToGlobal(at),
                          QPoint(),
                          QPoint(0, delta),
                          Qt::NoButton,
                          Qt::NoModifier,
                          Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(viewport, &event);
    };
    wheel(-120);
    QCOMPARE(preview.currentPage(), 1);
    // Small touchpad steps add up to one page.
    wheel(-60);
    QCOMPARE(preview.currentPage(), 1);
    wheel(-60);
    QCOMPARE(preview.currentPage(), 2);
    wheel(-120);
    QCOMPARE(preview.currentPage(), 2);
    wheel(240);
    QCOMPARE(preview.currentPage(), 0);
}

void TestReportsGui::zoomScales()
{
    PageEngine engine;
    PreviewWidget preview(engine);
    preview.resize(900, 500);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    compose(engine, 2);

    const double normal = preview.scale();
    QVERIFY(normal > 0);
    // The whole page fits: its height is what limits a wide view.
    QVERIFY(engine.pageHeight() * normal <= 500);
    preview.setZoom(PreviewWidget::Zoom::Enlarged);
    QCOMPARE(preview.zoom(), PreviewWidget::Zoom::Enlarged);
    const double enlarged = preview.scale();
    QVERIFY(enlarged > normal * 1.5);
    QVERIFY(engine.pageWidth() * enlarged <= 900);
    QVERIFY(engine.pageWidth() * enlarged > 800);

    preview.setZoom(PreviewWidget::Zoom::Normal);
    QCOMPARE(preview.scale(), normal);

    // A landscape page in the same view is drawn smaller than it is wide.
    compose(engine, 1, PageOrientation::Landscape);
    QVERIFY(engine.pageWidth() * preview.scale() <= 900);
    QVERIFY(engine.pageHeight() * preview.scale() <= 500);
}

void TestReportsGui::guidesPaintDifferently()
{
    PageEngine engine;
    PreviewWidget preview(engine);
    preview.resize(400, 500);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    compose(engine, 1);

    QVERIFY(!preview.guidesShown());
    const QImage without = preview.grab().toImage();
    preview.setGuidesShown(true);
    QVERIFY(preview.guidesShown());
    const QImage with = preview.grab().toImage();
    QVERIFY(with != without);
    preview.setGuidesShown(false);
    QCOMPARE(preview.grab().toImage(), without);
}

void TestReportsGui::selectionBoxes_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<int>>("tops");

    QTest::newRow("panes") << PaneCaptions << PaneTops;
    QTest::newRow("status report") << QStringList{QStringLiteral("All Safeguards"),
                                                  QStringLiteral("Administrative Safeguards"),
                                                  QStringLiteral("Physical Safeguards"),
                                                  QStringLiteral("Technical Safeguards")}
                                   << QList<int>{500, 900, 1200, 1500};
}

void TestReportsGui::selectionBoxes()
{
    QFETCH(QStringList, captions);
    QFETCH(QList<int>, tops);

    PageEngine engine;
    PrintOptionsPanel panel(engine);
    panel.resize(790, 700);
    // Every box was shown before, and ticked, so the call has to clear and hide them.
    panel.setSelectionBoxes(PaneCaptions, PaneTops);
    for (int i = 0; i < PrintOptionsPanel::SelectionBoxCount; ++i) {
        panel.setBoxChecked(i, true);
    }
    panel.setSelectionBoxes(captions, tops);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));

    auto* frame = controlAt<QGroupBox>(&panel, QStringLiteral("SSFrame80"), 0);
    QVERIFY(frame);
    int previousBottom = 0;
    for (int i = 0; i < PrintOptionsPanel::SelectionBoxCount; ++i) {
        QCheckBox* box = controlAt<QCheckBox>(&panel, QStringLiteral("SSCheck80"), i);
        QCOMPARE(box, panel.selectionBox(i));
        if (i >= captions.size()) {
            QVERIFY(!box->isVisible());
            continue;
        }
        QVERIFY(box->isVisible());
        QVERIFY(box->isEnabled());
        QVERIFY(!box->isChecked());
        QCOMPARE(box->text(), captions.at(i));
        QCOMPARE(box->parentWidget(), frame);
        // At its top, in order, without overlapping the one above, and inside the frame.
        QVERIFY(box->y() >= tops.at(i) / 15);
        QVERIFY(box->y() >= previousBottom);
        QVERIFY(box->geometry().bottom() < frame->height());
        QVERIFY(box->sizeHint().width() <= box->width());
        previousBottom = box->geometry().bottom();
    }
}

void TestReportsGui::signalsComeFromClicksOnly()
{
    PageEngine engine;
    PrintOptionsPanel panel(engine);
    panel.resize(790, 700);
    panel.setSelectionBoxes(PaneCaptions, PaneTops);
    panel.setTimelineOptionsShown(true);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QSignalSpy selections(&panel, &PrintOptionsPanel::selectionClicked);
    QSignalSpy options(&panel, &PrintOptionsPanel::timelineOptionClicked);
    QSignalSpy commands(&panel, &PrintOptionsPanel::commandClicked);

    panel.setBoxChecked(3, true);
    QVERIFY(panel.isBoxChecked(3));
    panel.setBoxChecked(3, false);
    QCOMPARE(selections.count(), 0);

    QTest::mouseClick(panel.selectionBox(4), Qt::LeftButton);
    QCOMPARE(selections.count(), 1);
    QCOMPARE(selections.at(0).at(0).toInt(), 4);
    QCOMPARE(selections.at(0).at(1).toBool(), true);
    QVERIFY(panel.isBoxChecked(4));

    QVERIFY(panel.timelineOption(1)->isVisible());
    QTest::mouseClick(panel.timelineOption(1), Qt::LeftButton);
    QCOMPARE(options.count(), 1);
    QCOMPARE(options.at(0).at(0).toInt(), 1);

    const QList<QPair<PrintOptionsPanel::Command, QString>> expected{
        {PrintOptionsPanel::FontCommand, QStringLiteral("Printer &Font")},
        {PrintOptionsPanel::PageSetupCommand, QStringLiteral("&Page Setup")},
        {PrintOptionsPanel::CloseCommand, QStringLiteral("&Close Print Options")},
        {PrintOptionsPanel::CopyPageCommand, QStringLiteral("C&opy Current Page")},
        {PrintOptionsPanel::PrintCommand, QStringLiteral("&Print")},
        {PrintOptionsPanel::SavePdfCommand, QStringLiteral("Save as &PDF\u2026")},
    };
    for (const auto& [id, caption] : expected) {
        QPushButton* button = panel.command(id);
        QCOMPARE(button, controlAt<QPushButton>(&panel, QStringLiteral("SSCommand80"), id));
        QCOMPARE(button->text(), caption);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(commands.last().at(0).toInt(), int(id));
    }
    QCOMPARE(commands.count(), expected.size());

    panel.setFontCommandsEnabled(false);
    QTest::mouseClick(panel.command(PrintOptionsPanel::FontCommand), Qt::LeftButton);
    QTest::mouseClick(panel.command(PrintOptionsPanel::PageSetupCommand), Qt::LeftButton);
    QCOMPARE(commands.count(), expected.size());
}

void TestReportsGui::enlargeAndNormal_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("small screen") << QSize(790, 700);
    QTest::newRow("large screen") << QSize(1660, 1000);
}

void TestReportsGui::enlargeAndNormal()
{
    QFETCH(QSize, size);
    PageEngine engine;
    PrintOptionsPanel panel(engine);
    panel.resize(size);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&panel));
    compose(engine, 2);

    PreviewWidget* preview = panel.preview();
    auto* toggle = panel.findChild<QPushButton*>(QStringLiteral("SSCommand1"));
    QVERIFY(toggle);
    QCOMPARE(toggle, panel.enlargeButton());
    QCOMPARE(toggle->text(), QStringLiteral("Enlarge"));
    const QRect normal = preview->geometry();
    // The preview takes most of the room beside the column of controls.
    QVERIFY(normal.width() > size.width() / 2);
    QVERIFY(normal.right() < size.width());
    QVERIFY(normal.x() > panel.command(PrintOptionsPanel::CloseCommand)->geometry().right());

    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(panel.isEnlarged());
    QCOMPARE(toggle->text(), QStringLiteral("Normal"));
    QCOMPARE(preview->zoom(), PreviewWidget::Zoom::Enlarged);
    QCOMPARE(preview->x(), 7);
    QCOMPARE(preview->width(), size.width() - 13);
    QVERIFY(toggle->isVisible());
    QVERIFY(!toggle->geometry().intersects(preview->geometry()));

    // A resize while enlarged keeps it spread over the panel.
    panel.resize(size + QSize(40, 0));
    QCOMPARE(preview->width(), size.width() + 40 - 13);
    panel.resize(size);

    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(!panel.isEnlarged());
    QCOMPARE(toggle->text(), QStringLiteral("Enlarge"));
    QCOMPARE(preview->zoom(), PreviewWidget::Zoom::Normal);
    QCOMPARE(preview->geometry(), normal);
    QCOMPARE(QApplication::focusWidget(), panel.command(PrintOptionsPanel::CloseCommand));
}

void TestReportsGui::sampleFollowsSettings()
{
    PageEngine engine;
    PrintOptionsPanel panel(engine);
    PrintSettings settings;
    settings.fontName = QStringLiteral("DejaVu Serif");
    settings.fontSize = 14;
    settings.bold = true;
    settings.underline = true;
    settings.color = QColor(128, 0, 0);
    panel.setSample(settings);
    panel.setFontPanels(QStringLiteral(" DejaVu Serif"), QStringLiteral(" 14"));
    panel.setOrientationText(QStringLiteral("Portrait"));

    auto* sample = controlAt<QLabel>(&panel, QStringLiteral("Panel3D82"), 0);
    QVERIFY(sample);
    QCOMPARE(sample->text(), QStringLiteral("AaBbYyZz"));
    QCOMPARE(sample->font().family(), settings.fontName);
    QCOMPARE(sample->font().pointSizeF(), 14.0);
    QVERIFY(sample->font().bold());
    QVERIFY(!sample->font().italic());
    QVERIFY(sample->font().underline());
    QVERIFY(!sample->font().strikeOut());
    QCOMPARE(sample->palette().color(QPalette::WindowText), settings.color);

    QCOMPARE(controlAt<QLabel>(&panel, QStringLiteral("Panel3D80"), 0)->text(), QStringLiteral(" DejaVu Serif"));
    QCOMPARE(controlAt<QLabel>(&panel, QStringLiteral("Panel3D80"), 1)->text(), QStringLiteral(" 14"));
    QCOMPARE(panel.orientationText(), QStringLiteral("Portrait"));

    settings.italic = true;
    settings.bold = false;
    settings.fontSize = 0;
    panel.setSample(settings);
    QVERIFY(sample->font().italic());
    QVERIFY(!sample->font().bold());
    QCOMPARE(sample->font().pointSizeF(), 12.0);
}

void TestReportsGui::progressPanel()
{
    PrintProgressPanel panel;
    QCOMPARE(panel.objectName(), QStringLiteral("PrintProgress"));
    const QList<QLabel*> labels = panel.findChildren<QLabel*>();
    QStringList texts;
    for (const QLabel* label : labels) {
        texts.append(label->text());
    }
    QVERIFY(texts.contains(QStringLiteral("Print All Current Policies and Procedures")));
    QVERIFY(texts.contains(QStringLiteral(
        "Prior to printing - all current policies will be loaded into the Print Preview screen - this may take a "
        "couple of minutes to accomplish.  Once completed you can then review them and click on the Print Button "
        "to Print all of them at one time.")));
    panel.start(46);
    QCOMPARE(panel.maximum(), 46);
    QCOMPARE(panel.value(), 0);
    panel.setValue(12);
    QCOMPARE(panel.value(), 12);
    panel.setValue(99);
    QCOMPARE(panel.value(), 46);
}

void TestReportsGui::printThroughDialog()
{
    PageEngine engine;
    compose(engine, 3);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    ScriptedDialogs dialogs;
    dialogs.answerPrinter(pdf);

    const Result<PrintOutcome> result = printDocument(engine.document(), dialogs);
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(result.value(), PrintOutcome::Printed);
    QCOMPARE(dialogs.calls().size(), 1);
    QCOMPARE(dialogs.calls().at(0).fromPage, 1);
    QCOMPARE(dialogs.calls().at(0).toPage, 3);
    QCOMPARE(fileStart(pdf, 4), QByteArray("%PDF"));
    if (hasPdfToText()) {
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("Page 3")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Safeguard review line 2")));
        QCOMPARE(text.count(QLatin1Char('\f')), 3);
    }
}

void TestReportsGui::cancelledPrintPrintsNothing()
{
    PageEngine engine;
    compose(engine, 1);
    ScriptedDialogs dialogs;
    dialogs.answerPrinter(std::nullopt);
    const Result<PrintOutcome> result = printDocument(engine.document(), dialogs);
    QVERIFY(result.ok());
    QCOMPARE(result.value(), PrintOutcome::Cancelled);

    // An empty document asks for no printer at all.
    engine.clear();
    ScriptedDialogs none;
    const Result<PrintOutcome> empty = printDocument(engine.document(), none);
    QVERIFY(!empty.ok());
    QVERIFY(!empty.error().isEmpty());
    QVERIFY(none.calls().isEmpty());
}

void TestReportsGui::writePdfReplacesOnlyOnSuccess()
{
    PageEngine engine;
    compose(engine, 2, PageOrientation::Landscape);
    QTemporaryDir dir;

    const QString missing = dir.filePath(QStringLiteral("no such folder/out.pdf"));
    const Status failed = writePdf(engine.document(), missing);
    QVERIFY(!failed.ok());
    QVERIFY2(failed.error().contains(QStringLiteral("out.pdf")), qPrintable(failed.error()));
    QVERIFY(!QFile::exists(missing));

    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an older file");
    }
    const Status written = writePdf(engine.document(), path);
    QVERIFY2(written.ok(), qPrintable(written.error()));
    QCOMPARE(fileStart(path, 4), QByteArray("%PDF"));
    if (hasPdfToText()) {
        const QString text = pdfText(path);
        QVERIFY(text.contains(QStringLiteral("Page 2")));
        QCOMPARE(text.count(QLatin1Char('\f')), 2);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("report.pdf")});
}

void TestReportsGui::copyPage()
{
    PageEngine engine;
    compose(engine, 2);
    QVERIFY(!copyPageToClipboard(engine.document(), 2).ok());
    const Status copied = copyPageToClipboard(engine.document(), 1);
    QVERIFY2(copied.ok(), qPrintable(copied.error()));
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) {
        QSKIP("This platform keeps no clipboard picture");
    }
    // Letter at 150 dpi, and the second page rather than the first.
    QCOMPARE(image.size(), QSize(1275, 1650));
    QCOMPARE(image.convertToFormat(QImage::Format_RGB32), engine.document().image(1, 150 / 1440.0));
}

void TestReportsGui::richTextFormats()
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("Plain start "));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("bold middle"), bold);
    cursor.insertText(QStringLiteral(" & end"), QTextCharFormat());

    std::unique_ptr<QMimeData> data(richTextMimeData(doc));
    for (const QString& format : {QStringLiteral("text/rtf"),
                                  QStringLiteral("application/rtf"),
                                  QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\"")}) {
        QVERIFY2(data->hasFormat(format), qPrintable(format));
        QVERIFY(data->data(format).startsWith("{\\rtf1"));
    }
    QVERIFY(data->hasHtml());
    QVERIFY(data->html().contains(QStringLiteral("bold middle")));
    QCOMPARE(data->text(), QStringLiteral("Plain start bold middle & end"));

    QTextDocument back;
    QVERIFY(rtf::read(data->data(QStringLiteral("text/rtf")), back));
    QCOMPARE(back.toPlainText(), doc.toPlainText());
    bool boldSeen = false;
    bool plainSeen = false;
    for (QTextBlock::iterator it = back.begin().begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.text().contains(QStringLiteral("bold middle"))) {
            boldSeen = fragment.charFormat().fontWeight() >= QFont::Bold;
        }
        if (fragment.text().contains(QStringLiteral("Plain start"))) {
            plainSeen = fragment.charFormat().fontWeight() < QFont::Bold;
        }
    }
    QVERIFY(boldSeen);
    QVERIFY(plainSeen);
}

void TestReportsGui::screens_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("enlarged");
    QTest::newRow("790x700") << QSize(790, 700) << false;
    QTest::newRow("790x700-enlarged") << QSize(790, 700) << true;
    QTest::newRow("1660x1000") << QSize(1660, 1000) << false;
}

void TestReportsGui::screens()
{
    QFETCH(QSize, size);
    QFETCH(bool, enlarged);
    PageEngine engine;
    PrintOptionsPanel panel(engine);
    panel.setSelectionBoxes(PaneCaptions, PaneTops);
    panel.setBoxChecked(3, true);
    panel.setBoxChecked(5, true);
    panel.setFontPanels(QStringLiteral(" Times New Roman"), QStringLiteral(" 10"));
    panel.setOrientationText(QStringLiteral(" Portrait"));
    panel.setSample(PrintSettings());
    panel.resize(size);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    compose(engine, 3);
    panel.setEnlarged(enlarged);

    // Everything lies inside the panel, and no caption is cut short.
    const QList<QWidget*> widgets = panel.findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        // The page's canvas is as tall as the page; its scroll area shows the part in view.
        if (!w->isVisibleTo(&panel) || qobject_cast<QScrollArea*>(w->parentWidget()->parentWidget())) {
            continue;
        }
        const QRect r(w->mapTo(&panel, QPoint(0, 0)), w->size());
        QVERIFY2(panel.rect().contains(r), qPrintable(w->objectName()));
        if (qobject_cast<QAbstractButton*>(w) || (qobject_cast<QLabel*>(w) && !static_cast<QLabel*>(w)->wordWrap())) {
            QVERIFY2(w->sizeHint().width() <= w->width() + 1, qPrintable(w->objectName()));
        }
    }
    grabToPng(&panel,
              QStringLiteral("printoptions-%1x%2%3")
                  .arg(size.width())
                  .arg(size.height())
                  .arg(enlarged ? QStringLiteral("-enlarged") : QString()));
}

QTEST_MAIN(TestReportsGui)
#include "test_reportsgui.moc"
