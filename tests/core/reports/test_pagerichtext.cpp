#include "test_pageengine.h"

#include "core/reports/pageengine.h"
#include "core/reports/richtextpages.h"
#include "core/rtf/rtfreader.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <memory>

using namespace qv;
using namespace qv::pagetest;
using namespace Qt::StringLiterals;

namespace {

    // count paragraphs of about two lines each, the n-th starting "Paragraph n:", every fifth in bold
    // and every seventh in a larger size.
    std::unique_ptr<QTextDocument> numberedParagraphs(int count)
    {
        auto doc = std::make_unique<QTextDocument>();
        QTextCursor cursor(doc.get());
        for (int n = 1; n <= count; ++n) {
            if (n > 1)
                cursor.insertBlock();
            QTextCharFormat format;
            format.setFontFamilies({u"Liberation Serif"_s});
            format.setFontPointSize(n % 7 == 0 ? 16 : 11);
            format.setFontWeight(n % 5 == 0 ? QFont::Bold : QFont::Normal);
            cursor.insertText(u"Paragraph %1: the covered entity reviews its risk analysis every year and "
                              u"whenever its systems change, and records what it found."_s.arg(n),
                              format);
        }
        return doc;
    }

    QByteArray rtfDocument(const QByteArray& body)
    {
        return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Liberation Serif;}}\\f0\\fs24 " + body + "}";
    }

} // namespace

void TestPageEngine::richTextPaginates()
{
    const auto doc = numberedParagraphs(200);
    PageEngine engine;
    startLetter(engine);
    engine.paragraph(u"Policies and Procedures/Plan:"_s);
    const double start = engine.currentY();
    engine.richParagraph(*doc);

    QVERIFY2(engine.pageCount() >= 4, qPrintable(QString::number(engine.pageCount())));
    const double bottom = engine.pageHeight() - engine.marginBottom();
    const QList<QList<PlacedText>> pages = allStrings(engine.document());
    int next = 1;
    for (int p = 0; p < pages.size(); ++p) {
        const QList<PlacedText>& strings = pages.at(p);
        QVERIFY(!strings.isEmpty());
        for (const PlacedText& s : strings) {
            if (!s.rich)
                continue;
            QVERIFY2(s.rect.top() >= (p == 0 ? start : 1440.0) - 0.01, qPrintable(s.text));
            QVERIFY2(s.rect.bottom() <= bottom + 0.01, qPrintable(u"page %1: %2"_s.arg(p + 1).arg(s.text)));
            QVERIFY(s.rect.left() >= 1440 && s.rect.right() <= engine.pageWidth() - 1440 + 0.5);
            // Every paragraph once, in order: no line lost or repeated where pages meet.
            if (s.rich && s.text.startsWith(u"Paragraph "_s)) {
                QCOMPARE(s.text.section(u':', 0, 0), u"Paragraph %1"_s.arg(next));
                ++next;
            }
        }
        if (p > 0)
            QCOMPARE(strings.first().rect.top(), 1440.0);
    }
    QCOMPARE(next, 201);
    QCOMPARE(pages.first().at(1).rect.top(), start);
    const PlacedText last = pages.last().last();
    QVERIFY(std::abs(engine.currentY() - last.rect.bottom()) < 1);
    QCOMPARE(engine.currentX(), 1440.0);

    // Printing goes on below the rich text.
    engine.paragraph(u"After"_s);
    const QList<PlacedText> lastPage = engine.document().strings(engine.pageCount() - 1);
    QCOMPARE(lastPage.last().text, u"After"_s);
    QVERIFY(lastPage.last().rect.top() >= last.rect.bottom() - 1);
}

void TestPageEngine::richTextStartsAtTheTextPosition_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("page");
    QTest::addColumn<double>("top");

    QTest::newRow("at the top margin") << 1440.0 << 0 << 1440.0;
    QTest::newRow("half way down") << 7000.0 << 0 << 7000.0;
    QTest::newRow("above the top margin starts at it") << 200.0 << 0 << 1440.0;
    QTest::newRow("no room for a line") << 15840 - 1440 - 100.0 << 1 << 1440.0;
    QTest::newRow("past the bottom margin") << 15000.0 << 1 << 1440.0;
}

void TestPageEngine::richTextStartsAtTheTextPosition()
{
    QFETCH(double, y);
    QFETCH(int, page);
    QFETCH(double, top);

    QTextDocument doc;
    doc.setPlainText(u"First line\nSecond line"_s);
    PageEngine engine;
    startLetter(engine);
    engine.setCurrentY(y);
    engine.richParagraph(doc);

    QCOMPARE(engine.pageCount(), page + 1);
    const QList<PlacedText> strings = engine.document().strings(page);
    QCOMPARE(strings.size(), 2);
    QCOMPARE(strings.at(0).text, u"First line"_s);
    QCOMPARE(strings.at(0).rect.topLeft(), QPointF(1440, top));
    QCOMPARE(strings.at(1).rect.top(), strings.at(0).rect.bottom());
    QCOMPARE(engine.currentY(), strings.at(1).rect.bottom());
}

void TestPageEngine::richTextLengthsInTwips_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<double>("firstX"); // first line, from the left margin
    QTest::addColumn<double>("secondX"); // second line
    QTest::addColumn<double>("rightIndent");
    QTest::addColumn<double>("gap"); // between the two lines beyond one line's height

    const QByteArray longText = QByteArray("Safeguards are reviewed and updated as needed. ").repeated(8);
    QTest::newRow("left indent") << "\\li720 " + longText + "\\par" << 720.0 << 720.0 << 0.0 << 0.0;
    QTest::newRow("first-line indent") << "\\fi360 " + longText + "\\par" << 360.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("hanging indent") << "\\li1440\\fi-720 " + longText + "\\par" << 720.0 << 1440.0 << 0.0 << 0.0;
    QTest::newRow("right indent") << "\\ri2880 " + longText + "\\par" << 0.0 << 0.0 << 2880.0 << 0.0;
    QTest::newRow("space after") << QByteArray("\\sa480 One\\par Two\\par") << 0.0 << 0.0 << 0.0 << 480.0;
    QTest::newRow("space before") << QByteArray("One\\par\\pard\\sb360 Two\\par") << 0.0 << 0.0 << 0.0 << 360.0;
    QTest::newRow("tab stop") << QByteArray("\\tx2880 One\\par\\pard\\tx2880\\tab Two\\par") << 0.0 << 2880.0 << 0.0
                              << 0.0;
}

void TestPageEngine::richTextLengthsInTwips()
{
    QFETCH(QByteArray, body);
    QFETCH(double, firstX);
    QFETCH(double, secondX);
    QFETCH(double, rightIndent);
    QFETCH(double, gap);

    PageEngine engine;
    startLetter(engine);
    engine.rtfParagraph(rtfDocument(body));
    const QList<PlacedText> lines = engine.document().strings(0);
    QVERIFY(lines.size() >= 2);
    const double left = engine.marginLeft();
    QVERIFY2(std::abs(lines.at(0).rect.left() - (left + firstX)) < 1,
             qPrintable(QString::number(lines.at(0).rect.left())));
    // A tab moves the text, not the line: the second line's text begins at the stop.
    const double secondLeft = body.contains("\\tab")
                                  ? lines.at(1).rect.right() - engine.textWidth(lines.at(1).text.trimmed())
                                  : lines.at(1).rect.left();
    QVERIFY2(std::abs(secondLeft - (left + secondX)) < 1.5, qPrintable(QString::number(secondLeft)));
    const double right = engine.pageWidth() - engine.marginRight() - rightIndent;
    for (const PlacedText& line : lines)
        QVERIFY2(line.rect.right() <= right + 0.5, qPrintable(QString::number(line.rect.right())));
    if (rightIndent > 0)
        QVERIFY2(lines.at(0).rect.right() > right - 1440, "the indent was not taken in twips");
    const double between = lines.at(1).rect.top() - lines.at(0).rect.bottom();
    QVERIFY2(std::abs(between - gap) < 1, qPrintable(QString::number(between)));
}

void TestPageEngine::richTextBeginningWithATable()
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextTableFormat format;
    format.setBorder(1);
    QTextTable* table = cursor.insertTable(2, 2, format);
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 2; ++c)
            table->cellAt(r, c).firstCursorPosition().insertText(u"cell %1%2"_s.arg(r).arg(c));
    }
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u"Below the table"_s);

    PageEngine engine;
    startLetter(engine);
    engine.setCurrentY(5000);
    engine.richParagraph(doc);
    QCOMPARE(engine.pageCount(), 1);
    const QList<PlacedText> strings = engine.document().strings(0);
    QStringList texts;
    for (const PlacedText& s : strings) {
        texts.append(s.text);
        QVERIFY2(s.rect.top() >= 5000, qPrintable(s.text));
    }
    QCOMPARE(texts, (QStringList{u"cell 00"_s, u"cell 01"_s, u"cell 10"_s, u"cell 11"_s, u"Below the table"_s}));
    QCOMPARE(strings.at(0).rect.top(), strings.at(1).rect.top());
    QVERIFY(strings.at(1).rect.left() > strings.at(0).rect.right());
}

void TestPageEngine::richTextDefaultsToTheCurrentFont()
{
    QTextDocument doc;
    doc.setPlainText(u"MMMM"_s);
    PageEngine engine;
    startLetter(engine);
    engine.setFontName(u"Liberation Mono"_s);
    engine.setFontSize(20);
    engine.setTextColor(Qt::red);
    engine.richParagraph(doc);

    const QList<PlacedText> strings = engine.document().strings(0);
    QCOMPARE(strings.size(), 1);
    QVERIFY(std::abs(strings.at(0).rect.width() - engine.textWidth(u"MMMM"_s)) < 1);
    QVERIFY(std::abs(strings.at(0).rect.height() - engine.lineHeight()) < 1);

    const QImage page = engine.document().image(0, ScreenScale);
    const int red = countPixels(page, scaled(strings.at(0).rect, ScreenScale), isRed);
    QVERIFY2(red > 50, qPrintable(QString::number(red)));
}

void TestPageEngine::richTextPictures()
{
    // 100 by 50 document units: 1500 by 750 twips, 100 by 50 pixels on the screen.
    QImage green(10, 5, QImage::Format_RGB32);
    green.fill(Qt::green);
    QTextDocument doc;
    doc.addResource(QTextDocument::ImageResource, QUrl(u"test://green"_s), green);
    QTextCursor cursor(&doc);
    cursor.insertText(u"Above"_s);
    cursor.insertBlock();
    QTextImageFormat picture;
    picture.setName(u"test://green"_s);
    picture.setWidth(100);
    picture.setHeight(50);
    cursor.insertImage(picture);

    PageEngine engine;
    startLetter(engine);
    engine.setCurrentY(3000);
    engine.richParagraph(doc);
    const double line = engine.document().strings(0).at(0).rect.height();
    QVERIFY(std::abs(engine.currentY() - (3000 + line + 750)) < 2);

    const QImage page = engine.document().image(0, ScreenScale);
    const QRect found =
        pixelBounds(page, page.rect(), [](QRgb p) { return qGreen(p) > 250 && qRed(p) < 5 && qBlue(p) < 5; });
    const QPoint expected = QPointF(1440 * ScreenScale, (3000 + line) * ScreenScale).toPoint();
    QVERIFY((found.topLeft() - expected).manhattanLength() <= 2);
    QVERIFY(std::abs(found.width() - 100) <= 1 && std::abs(found.height() - 50) <= 1);
}

void TestPageEngine::rtfParagraphReadsTheBytes()
{
    const QByteArray rtf = rtfDocument("Alpha\\par {\\b Beta} and {\\i Gamma}\\par");
    PageEngine fromBytes;
    startLetter(fromBytes);
    fromBytes.rtfParagraph(rtf);

    QTextDocument doc;
    QVERIFY(rtf::read(rtf, doc));
    PageEngine fromDocument;
    startLetter(fromDocument);
    fromDocument.richParagraph(doc);

    const QList<PlacedText> strings = fromBytes.document().strings(0);
    QCOMPARE(strings.size(), 2);
    QCOMPARE(strings.at(0).text, u"Alpha"_s);
    QCOMPARE(strings.at(1).text, u"Beta and Gamma"_s);
    const QList<PlacedText> same = fromDocument.document().strings(0);
    QCOMPARE(same.size(), strings.size());
    for (int i = 0; i < same.size(); ++i)
        QCOMPARE(same.at(i).rect, strings.at(i).rect);
    QCOMPARE(fromBytes.currentY(), fromDocument.currentY());
}

void TestPageEngine::richTextPaintsNothingBelowTheBottomMargin()
{
    const auto doc = numberedParagraphs(200);
    PageEngine engine;
    startLetter(engine);
    engine.setMarginBottom(2000);
    engine.richParagraph(*doc);
    QVERIFY(engine.pageCount() >= 4);

    const double scale = 0.05;
    const int width = qRound(engine.pageWidth() * scale);
    const int bottom = qRound((engine.pageHeight() - engine.marginBottom()) * scale);
    const int top = qRound(engine.marginTop() * scale);
    for (int p = 0; p < engine.pageCount(); ++p) {
        const QImage page = engine.document().image(p, scale);
        QCOMPARE(countPixels(page, QRect(0, bottom + 1, width, page.height() - bottom - 1)), 0);
        QCOMPARE(countPixels(page, QRect(0, 0, width, top - 1)), 0);
        QVERIFY(countPixels(page, QRect(0, top, width, bottom - top)) > 0);
    }
}

void TestPageEngine::lengthConversionForOtherResolutions_data()
{
    QTest::addColumn<double>("qtDpi");
    QTest::newRow("96 dpi") << 96.0;
    QTest::newRow("72 dpi") << 72.0;
    QTest::newRow("120 dpi") << 120.0;
}

void TestPageEngine::lengthConversionForOtherResolutions()
{
    QFETCH(double, qtDpi);

    QTextDocument doc;
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    doc.addResource(QTextDocument::ImageResource, QUrl(u"test://picture"_s), picture);
    QTextCursor cursor(&doc);
    QTextBlockFormat block;
    block.setLeftMargin(48);
    block.setRightMargin(24);
    block.setTextIndent(-12);
    block.setTopMargin(16);
    block.setBottomMargin(8);
    block.setLineHeight(20, QTextBlockFormat::MinimumHeight);
    block.setTabPositions({QTextOption::Tab(96, QTextOption::LeftTab)});
    cursor.setBlockFormat(block);
    QTextImageFormat image;
    image.setName(u"test://picture"_s);
    image.setWidth(64);
    image.setHeight(32);
    cursor.insertImage(image);
    QTextTableFormat tableFormat;
    tableFormat.setCellPadding(4);
    tableFormat.setBorder(1);
    tableFormat.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 200)});
    cursor.insertTable(1, 1, tableFormat);
    const double indentWidth = doc.indentWidth();

    convertLengthsForTwips(doc, qtDpi);

    // Qt itself multiplies the second kind by 1440 / qtDpi when it lays the document out.
    const double qtScale = 1440 / qtDpi;
    const QTextBlockFormat f = doc.firstBlock().blockFormat();
    QCOMPARE(f.leftMargin(), 48 * 15.0);
    QCOMPARE(f.rightMargin(), 24 * 15.0);
    QCOMPARE(f.textIndent(), -12 * 15.0);
    QCOMPARE(f.topMargin() * qtScale, 16 * 15.0);
    QCOMPARE(f.bottomMargin() * qtScale, 8 * 15.0);
    QCOMPARE(f.lineHeight() * qtScale, 20 * 15.0);
    QCOMPARE(f.tabPositions().at(0).position * qtScale, 96 * 15.0);
    QCOMPARE(doc.indentWidth() * qtScale, indentWidth * 15);

    QTextImageFormat converted;
    for (auto it = doc.firstBlock().begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            converted = it.fragment().charFormat().toImageFormat();
    }
    QCOMPARE(converted.width() * qtScale, 64 * 15.0);
    QCOMPARE(converted.height() * qtScale, 32 * 15.0);

    const QList<QTextFrame*> frames = doc.rootFrame()->childFrames();
    QCOMPARE(frames.size(), 1);
    const QTextTableFormat table = frames.at(0)->frameFormat().toTableFormat();
    QCOMPARE(table.cellPadding() * qtScale, 4 * 15.0);
    QCOMPARE(table.border() * qtScale, 1 * 15.0);
    QCOMPARE(table.columnWidthConstraints().at(0).rawValue() * qtScale, 200 * 15.0);
}

void TestPageEngine::pictureMovedToTheNextPageLeavesNothingBehind_data()
{
    QTest::addColumn<double>("marginBottom");
    QTest::addColumn<double>("dpi");
    // Page breaks that fall inside a pixel row of the picture drawn.
    QTest::newRow("notes report, printed") << 100.0 << 1200.0;
    QTest::newRow("odd margin, preview") << 333.0 << 96.0;
}

void TestPageEngine::pictureMovedToTheNextPageLeavesNothingBehind()
{
    QFETCH(double, marginBottom);
    QFETCH(double, dpi);

    // 100 by 200 document units: 1500 by 3000 twips.
    QImage green(10, 20, QImage::Format_RGB32);
    green.fill(Qt::green);
    QTextDocument doc;
    doc.addResource(QTextDocument::ImageResource, QUrl(u"test://green"_s), green);
    QTextCursor cursor(&doc);
    cursor.insertText(u"Above the picture"_s);
    cursor.insertBlock();
    QTextImageFormat picture;
    picture.setName(u"test://green"_s);
    picture.setWidth(100);
    picture.setHeight(200);
    cursor.insertImage(picture);

    PageEngine engine;
    startLetter(engine);
    engine.setMarginTop(300);
    engine.setMarginBottom(marginBottom);
    engine.startDoc();
    const double bottom = engine.pageHeight() - engine.marginBottom();
    // Room for the line above, not for the picture: it goes whole to the next page.
    engine.setCurrentY(bottom - 2000);
    engine.richParagraph(doc);
    QCOMPARE(engine.pageCount(), 2);

    const double scale = dpi / 1440;
    const QImage first = engine.document().image(0, scale);
    const QRect belowTheLine(0, qRound((bottom - 1500) * scale), first.width(), first.height());
    QCOMPARE(countPixels(first, belowTheLine, [](QRgb p) { return p != qRgb(255, 255, 255); }), 0);
    const QImage second = engine.document().image(1, scale);
    const QRect found = pixelBounds(second, second.rect(), [](QRgb p) { return qGreen(p) > 200 && qRed(p) < 60; });
    QVERIFY2(std::abs(found.height() - 3000 * scale) <= 2, qPrintable(QString::number(found.height())));
    QVERIFY(std::abs(found.top() - 300 * scale) <= 2);
}

// The borders of a table read from RTF are shared between neighbouring cells.
void TestPageEngine::tableBrokenAcrossPagesIsClosedAtTheBreak()
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextTableFormat format;
    format.setBorder(1);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(QBrush(Qt::black));
    format.setBorderCollapse(true);
    QTextTable* table = cursor.insertTable(80, 2, format);
    for (int r = 0; r < table->rows(); ++r) {
        table->cellAt(r, 0).firstCursorPosition().insertText(u"Row %1"_s.arg(r + 1));
        table->cellAt(r, 1).firstCursorPosition().insertText(u"Reviewed"_s);
    }

    PageEngine engine;
    startLetter(engine);
    engine.setCurrentY(3000);
    engine.richParagraph(doc);
    QCOMPARE(engine.pageCount(), 3);

    const double scale = 300.0 / 1440.0;
    const int bottom = qRound((engine.pageHeight() - engine.marginBottom()) * scale);
    for (int p = 0; p < engine.pageCount() - 1; ++p) {
        const QImage page = engine.document().image(p, scale);
        // The table's left and right border, where it meets the bottom margin.
        const QRect table = pixelBounds(page, QRect(0, bottom - 40, page.width(), 20));
        QVERIFY(table.width() > 200);
        // A rule across the whole table, and no further, in the last pixel rows above the margin.
        bool closed = false;
        for (int y = bottom - 6; y < bottom && !closed; ++y) {
            closed = countPixels(page, QRect(table.left(), y, table.width(), 1)) >= table.width() - 2;
            QCOMPARE(countPixels(page, QRect(0, y, table.left() - 2, 1)), 0);
            QCOMPARE(countPixels(page, QRect(table.right() + 3, y, page.width(), 1)), 0);
        }
        QVERIFY2(closed, qPrintable(u"page %1"_s.arg(p + 1)));
    }
}
