#include "test_pageengine.h"

#include "core/reports/fontfallback.h"
#include "core/reports/pageengine.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <cmath>

using namespace qv;
using namespace Qt::StringLiterals;

namespace {

    const QString Words = u"Every workforce member who can reach electronic protected health information "
                          u"receives training on password management, log-in monitoring and protection "
                          u"from malicious software, and the training is repeated when the rules change."_s;

} // namespace

namespace qv::pagetest {

    void startLetter(PageEngine& engine, double margin)
    {
        engine.setMarginLeft(margin);
        engine.setMarginTop(margin);
        engine.setMarginRight(margin);
        engine.setMarginBottom(margin);
        engine.setFontName(u"Liberation Serif"_s);
        engine.setFontSize(12);
        engine.startDoc();
    }

    bool isInk(QRgb p)
    {
        return qRed(p) < 200 || qGreen(p) < 200 || qBlue(p) < 200;
    }

    bool isRed(QRgb p)
    {
        return qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
    }

    bool isBlue(QRgb p)
    {
        return qBlue(p) > 200 && qRed(p) < 80 && qGreen(p) < 80;
    }

    int countPixels(const QImage& image, const QRect& rect, bool (*matches)(QRgb))
    {
        int count = 0;
        const QRect inside = rect.intersected(image.rect());
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x)
                count += matches(image.pixel(x, y));
        }
        return count;
    }

    QRect pixelBounds(const QImage& image, const QRect& rect, bool (*matches)(QRgb))
    {
        QRect bounds;
        const QRect inside = rect.intersected(image.rect());
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x) {
                if (matches(image.pixel(x, y)))
                    bounds |= QRect(x, y, 1, 1);
            }
        }
        return bounds;
    }

    QRect scaled(const QRectF& twips, double scale)
    {
        return QRectF(twips.topLeft() * scale, twips.size() * scale).toAlignedRect();
    }

    QList<QList<PlacedText>> allStrings(const PageDocument& doc)
    {
        QList<QList<PlacedText>> pages;
        for (int p = 0; p < doc.pageCount(); ++p)
            pages.append(doc.strings(p));
        return pages;
    }

} // namespace qv::pagetest

using namespace qv::pagetest;

void TestPageEngine::lifeCycle_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("open");

    QTest::newRow("begun, nothing printed") << u"start"_s << 0 << true;
    QTest::newRow("one line") << u"start text end"_s << 1 << false;
    QTest::newRow("a ruled line is printing too") << u"start line"_s << 1 << true;
    QTest::newRow("rich text") << u"start rich end"_s << 1 << false;
    QTest::newRow("new page between") << u"start text newpage text end"_s << 2 << false;
    QTest::newRow("new page first leaves a blank page") << u"start newpage text"_s << 2 << true;
    QTest::newRow("new page last") << u"start text newpage end"_s << 2 << false;
    QTest::newRow("clear discards") << u"start text newpage text clear"_s << 0 << false;
    QTest::newRow("begin again discards") << u"start text newpage text start"_s << 0 << true;
    QTest::newRow("ended, then a new one") << u"start text newpage end start text"_s << 1 << true;
    QTest::newRow("end twice") << u"start text end end"_s << 1 << false;
}

void TestPageEngine::lifeCycle()
{
    QFETCH(QString, steps);
    QFETCH(int, pages);
    QFETCH(bool, open);

    PageEngine engine;
    QTextDocument rich;
    rich.setPlainText(u"Rich"_s);
    const QStringList list = steps.split(u' ');
    for (const QString& step : list) {
        if (step == u"start")
            engine.startDoc();
        else if (step == u"end")
            engine.endDoc();
        else if (step == u"clear")
            engine.clear();
        else if (step == u"text")
            engine.paragraph(u"Text"_s);
        else if (step == u"line")
            engine.drawLine(100, 100, 1000, 100);
        else if (step == u"rich")
            engine.richParagraph(rich);
        else if (step == u"newpage")
            engine.newPage();
        else
            QFAIL("unknown step");
    }
    QCOMPARE(engine.pageCount(), pages);
    QCOMPARE(engine.document().pageCount(), pages);
    QCOMPARE(engine.isOpen(), open);
}

void TestPageEngine::drawingOutsideADocumentIsIgnored()
{
    PageEngine engine;
    QTextDocument rich;
    rich.setPlainText(u"Rich"_s);
    engine.paragraph(u"Before"_s);
    engine.richParagraph(rich);
    engine.drawLine(0, 0, 100, 100);
    engine.newPage();
    QCOMPARE(engine.pageCount(), 0);

    engine.startDoc();
    engine.paragraph(u"Inside"_s);
    engine.endDoc();
    const double y = engine.currentY();
    engine.paragraph(u"After"_s);
    engine.newPage();
    engine.drawLine(0, 0, 100, 100);
    QCOMPARE(engine.pageCount(), 1);
    QCOMPARE(engine.currentY(), y);
    QCOMPARE(engine.document().operations(0).size(), 1);
}

void TestPageEngine::signals()
{
    PageEngine engine;
    QSignalSpy cleared(&engine, &PageEngine::documentCleared);
    QSignalSpy ended(&engine, &PageEngine::documentEnded);
    engine.startDoc();
    engine.paragraph(u"Text"_s);
    engine.endDoc();
    engine.endDoc();
    QCOMPARE(cleared.count(), 1);
    QCOMPARE(ended.count(), 1);
    engine.clear();
    QCOMPARE(cleared.count(), 2);
    QCOMPARE(ended.count(), 1);
}

void TestPageEngine::pageSizeAndOrientation_data()
{
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");

    QTest::newRow("letter portrait") << QSizeF() << false << 12240.0 << 15840.0;
    QTest::newRow("letter landscape") << QSizeF() << true << 15840.0 << 12240.0;
    QTest::newRow("A4 portrait") << QSizeF(11906, 16838) << false << 11906.0 << 16838.0;
    QTest::newRow("A4 landscape") << QSizeF(11906, 16838) << true << 16838.0 << 11906.0;
}

void TestPageEngine::pageSizeAndOrientation()
{
    QFETCH(QSizeF, paper);
    QFETCH(bool, landscape);
    QFETCH(double, width);
    QFETCH(double, height);

    PageEngine engine;
    if (paper.isValid())
        engine.setPaperSize(paper);
    engine.setOrientation(landscape ? PageOrientation::Landscape : PageOrientation::Portrait);
    QCOMPARE(engine.orientation(), landscape ? PageOrientation::Landscape : PageOrientation::Portrait);
    QCOMPARE(engine.pageWidth(), width);
    QCOMPARE(engine.pageHeight(), height);
    engine.startDoc();
    engine.paragraph(u"Text"_s);
    QCOMPARE(engine.document().pageSize(), QSizeF(width, height));
    QCOMPARE(engine.document().orientation(), engine.orientation());
    QCOMPARE(engine.document().image(0, 0.1).size(), QSize(int(std::ceil(width * 0.1)), int(std::ceil(height * 0.1))));
}

void TestPageEngine::marginsReadBack()
{
    PageEngine engine;
    QCOMPARE(engine.margins(), (PageMargins{1440, 1440, 1440, 1440}));
    engine.setMarginLeft(350);
    engine.setMarginTop(300);
    engine.setMarginRight(350);
    engine.setMarginBottom(-5);
    QCOMPARE(engine.marginLeft(), 350.0);
    QCOMPARE(engine.marginTop(), 300.0);
    QCOMPARE(engine.marginRight(), 350.0);
    QCOMPARE(engine.marginBottom(), 0.0);
    engine.startDoc();
    QCOMPARE(engine.currentX(), 350.0);
    QCOMPARE(engine.currentY(), 300.0);
    QCOMPARE(engine.document().margins(), (PageMargins{350, 300, 350, 0}));
}

void TestPageEngine::paragraphWrapsAtTheRightMargin_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("rightMargin");
    QTest::addColumn<double>("size");

    QTest::newRow("from the left margin") << 1440.0 << 1440.0 << 12.0;
    QTest::newRow("from the middle") << 6000.0 << 1440.0 << 12.0;
    QTest::newRow("narrow margins, small print") << 350.0 << 350.0 << 8.0;
    QTest::newRow("large print") << 1440.0 << 2000.0 << 24.0;
}

void TestPageEngine::paragraphWrapsAtTheRightMargin()
{
    QFETCH(double, x);
    QFETCH(double, rightMargin);
    QFETCH(double, size);

    PageEngine engine;
    startLetter(engine);
    engine.setMarginRight(rightMargin);
    engine.setFontSize(size);
    engine.setCurrentX(x);
    engine.paragraph(Words);

    const QList<TextOp> lines = engine.document().texts(0);
    QVERIFY(lines.size() > 1);
    const double right = engine.pageWidth() - rightMargin;
    QStringList words;
    for (int i = 0; i < lines.size(); ++i) {
        const TextOp& line = lines.at(i);
        QCOMPARE(line.pos.x(), x);
        QVERIFY2(line.pos.x() + line.width <= right + 0.5, qPrintable(line.text));
        QCOMPARE(line.width, engine.textWidth(line.text));
        words += line.text.split(u' ');
        // Greedy wrapping: the next line's first word would not have fitted on this one.
        if (i + 1 < lines.size()) {
            const QString longer = line.text + u' ' + lines.at(i + 1).text.section(u' ', 0, 0);
            QVERIFY2(x + engine.textWidth(longer) > right, qPrintable(longer));
        }
    }
    QCOMPARE(words, Words.split(u' '));
    QCOMPARE(engine.currentX(), 1440.0);
}

void TestPageEngine::successiveParagraphsAdvanceOneLine_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("size");

    QTest::newRow("serif 10") << u"Liberation Serif"_s << 10.0;
    QTest::newRow("serif 12") << u"Liberation Serif"_s << 12.0;
    QTest::newRow("sans 8") << u"Liberation Sans"_s << 8.0;
    QTest::newRow("mono 24") << u"Liberation Mono"_s << 24.0;
}

void TestPageEngine::successiveParagraphsAdvanceOneLine()
{
    QFETCH(QString, face);
    QFETCH(double, size);

    PageEngine engine;
    startLetter(engine);
    engine.setFontName(face);
    engine.setFontSize(size);
    const double line = engine.lineHeight();
    QVERIFY2(line >= size * 20 && line <= size * 20 * 1.4, qPrintable(QString::number(line)));

    const double y0 = 2000;
    engine.setCurrentY(y0);
    for (int i = 0; i < 5; ++i) {
        engine.setCurrentX(3000 + i * 100);
        engine.paragraph(u"Row %1"_s.arg(i));
        QCOMPARE(engine.currentX(), engine.marginLeft());
    }
    const QList<TextOp> rows = engine.document().texts(0);
    QCOMPARE(rows.size(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(rows.at(i).pos, QPointF(3000 + i * 100, y0 + i * line));
        QCOMPARE(rows.at(i).height, line);
    }
    QCOMPARE(engine.currentY(), y0 + 5 * line);
}

void TestPageEngine::lineBreaksInTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<int>("advance");

    QTest::newRow("CR LF") << u"Alpha\r\nBeta"_s << QStringList{u"Alpha"_s, u"Beta"_s} << QList<int>{0, 1} << 2;
    QTest::newRow("LF") << u"Alpha\nBeta"_s << QStringList{u"Alpha"_s, u"Beta"_s} << QList<int>{0, 1} << 2;
    QTest::newRow("CR") << u"Alpha\rBeta"_s << QStringList{u"Alpha"_s, u"Beta"_s} << QList<int>{0, 1} << 2;
    QTest::newRow("empty line between") << u"Alpha\r\n\r\nBeta"_s << QStringList{u"Alpha"_s, u"Beta"_s}
                                        << QList<int>{0, 2} << 3;
    QTest::newRow("break at the end") << u"Alpha\r\n"_s << QStringList{u"Alpha"_s} << QList<int>{0} << 2;
    QTest::newRow("one blank") << u" "_s << QStringList() << QList<int>() << 1;
    QTest::newRow("empty") << QString() << QStringList() << QList<int>() << 1;
}

void TestPageEngine::lineBreaksInTheText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    QFETCH(QList<int>, rows);
    QFETCH(int, advance);

    PageEngine engine;
    startLetter(engine);
    const double line = engine.lineHeight();
    engine.paragraph(text);
    QCOMPARE(engine.pageCount(), 1);
    const QList<TextOp> ops = engine.document().texts(0);
    QCOMPARE(ops.size(), shown.size());
    for (int i = 0; i < ops.size(); ++i) {
        QCOMPARE(ops.at(i).text, shown.at(i));
        QCOMPARE(ops.at(i).pos.y(), 1440 + rows.at(i) * line);
    }
    QCOMPARE(engine.currentY(), 1440 + advance * line);
}

void TestPageEngine::longParagraphContinuesOnANewPage()
{
    PageEngine engine;
    startLetter(engine);
    const double line = engine.lineHeight();
    const double bottom = engine.pageHeight() - engine.marginBottom();
    engine.setCurrentY(bottom - 3 * line - 1);
    engine.setCurrentX(2000);
    engine.paragraph((Words + u' ').repeated(3));

    QCOMPARE(engine.pageCount(), 2);
    const QList<TextOp> first = engine.document().texts(0);
    const QList<TextOp> second = engine.document().texts(1);
    QCOMPARE(first.size(), 3);
    QVERIFY(second.size() > 3);
    for (const TextOp& op : first)
        QVERIFY(op.pos.y() + op.height <= bottom);
    for (int i = 0; i < second.size(); ++i) {
        QCOMPARE(second.at(i).pos, QPointF(2000, 1440 + i * line));
        QVERIFY(second.at(i).pos.y() + line <= bottom);
    }
    QCOMPARE(engine.currentY(), 1440 + second.size() * line);
    QCOMPARE(engine.currentX(), 1440.0);
}

void TestPageEngine::lineAtTheVeryBottomStillFits()
{
    for (const double past : {0.0, 0.5}) {
        PageEngine engine;
        startLetter(engine);
        const double bottom = engine.pageHeight() - engine.marginBottom();
        engine.setCurrentY(bottom - engine.lineHeight() + past);
        engine.paragraph(u"Last line"_s);
        QCOMPARE(engine.pageCount(), past > 0 ? 2 : 1);
        QCOMPARE(engine.document().texts(engine.pageCount() - 1).size(), 1);
    }
}

void TestPageEngine::newPageMovesToTheTopMargin()
{
    PageEngine engine;
    startLetter(engine, 700);
    engine.paragraph(u"First page"_s);
    engine.setCurrentX(5000);
    engine.newPage();
    QCOMPARE(engine.currentX(), 700.0);
    QCOMPARE(engine.currentY(), 700.0);
    engine.paragraph(u"Second page"_s);
    QCOMPARE(engine.pageCount(), 2);
    QCOMPARE(engine.document().texts(1).at(0).pos, QPointF(700, 700));
}

void TestPageEngine::textWidthInTwips_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("least");
    QTest::addColumn<double>("most");

    // A twelve-point alphabet in a Times-like face is a little under two inches.
    const QString alphabet = u"abcdefghijklmnopqrstuvwxyz"_s;
    QTest::newRow("Times New Roman 12") << u"Times New Roman"_s << 12.0 << false << alphabet << 2400.0 << 3200.0;
    QTest::newRow("Liberation Serif 12") << u"Liberation Serif"_s << 12.0 << false << alphabet << 2400.0 << 3200.0;
    // Courier: every character is six-tenths of the size wide, 144 twips at 12 points.
    QTest::newRow("Courier New 12") << u"Courier New"_s << 12.0 << false << alphabet << 26 * 144 - 2.0
                                    << 26 * 144 + 2.0;
    QTest::newRow("bold is wider") << u"Liberation Serif"_s << 12.0 << true << alphabet << 2600.0 << 3500.0;
    QTest::newRow("empty") << u"Liberation Serif"_s << 12.0 << false << QString() << 0.0 << 0.0;
}

void TestPageEngine::textWidthInTwips()
{
    QFETCH(QString, face);
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(QString, text);
    QFETCH(double, least);
    QFETCH(double, most);

    PageEngine engine;
    engine.setFontName(face);
    engine.setFontSize(size);
    engine.setFontBold(bold);
    const double width = engine.textWidth(text);
    QVERIFY2(width >= least && width <= most, qPrintable(QString::number(width)));
}

void TestPageEngine::textWidthScalesWithTheSize()
{
    PageEngine engine;
    engine.setFontName(u"Liberation Serif"_s);
    const QString text = u"Security Incident Procedures"_s;
    for (const double size : {4.0, 7.5, 9.0, 10.0, 12.0, 14.0}) {
        engine.setFontSize(size);
        const double single = engine.textWidth(text);
        engine.setFontSize(2 * size);
        const double twice = engine.textWidth(text);
        QVERIFY2(std::abs(twice / single - 2) < 0.002,
                 qPrintable(u"%1 pt: %2 / %3"_s.arg(size).arg(twice).arg(single)));
    }
}

void TestPageEngine::textWidthDoesNotDependOnAnyScreen()
{
    // A pixel-sized font never looks at a resolution: 240 pixels is what 12 points come to at
    // 1440 dpi, whatever screen the test runs on.
    QFont reference(u"Liberation Serif"_s);
    reference.setPixelSize(240);
    reference.setHintingPreference(QFont::PreferNoHinting);
    const QString text = u"Information Access Management"_s;

    PageEngine engine;
    engine.setFontName(u"Liberation Serif"_s);
    engine.setFontSize(12);
    QCOMPARE(engine.textWidth(text), QFontMetricsF(reference).horizontalAdvance(text));

    // The same through a device at another resolution.
    QImage lowResolution(10, 10, QImage::Format_RGB32);
    lowResolution.setDotsPerMeterX(qRound(72 / 0.0254));
    lowResolution.setDotsPerMeterY(qRound(72 / 0.0254));
    QCOMPARE(engine.textWidth(text), QFontMetricsF(reference, &lowResolution).horizontalAdvance(text));
}

void TestPageEngine::layoutIsDeterministic()
{
    const auto compose = [] {
        PageEngine engine;
        startLetter(engine);
        for (int i = 0; i < 40; ++i) {
            engine.setFontSize(8 + i % 5);
            engine.setFontBold(i % 3 == 0);
            engine.setCurrentX(1440 + (i % 4) * 500);
            engine.paragraph(Words.left(40 + 7 * i));
        }
        QList<std::tuple<int, QString, QPointF, double>> seen;
        for (int p = 0; p < engine.pageCount(); ++p) {
            for (const TextOp& op : engine.document().texts(p))
                seen.append({p, op.text, op.pos, op.width});
        }
        return seen;
    };
    const auto first = compose();
    QVERIFY(first.size() > 40);
    QCOMPARE(compose(), first);
}

void TestPageEngine::rightAlignment_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("landscape");

    QTest::newRow("footer") << u"Printed:  March 4, 2011"_s << 10.0 << false << false;
    QTest::newRow("bold heading") << u"Current Status"_s << 10.0 << true << false;
    QTest::newRow("landscape") << u"Page 1"_s << 12.0 << false << true;
    QTest::newRow("large") << u"HIPAA Security Standards"_s << 18.0 << true << false;
}

void TestPageEngine::rightAlignment()
{
    QFETCH(QString, text);
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(bool, landscape);

    PageEngine engine;
    engine.setOrientation(landscape ? PageOrientation::Landscape : PageOrientation::Portrait);
    startLetter(engine, 100);
    engine.setFontSize(size);
    engine.setFontBold(bold);
    const double x = engine.pageWidth() - engine.textWidth(text) - 300;
    engine.setCurrentX(x);
    engine.paragraph(text);

    const QList<TextOp> ops = engine.document().texts(0);
    QCOMPARE(ops.size(), 1);
    QCOMPARE(ops.at(0).text, text);
    QCOMPARE(ops.at(0).pos.x(), x);
    QVERIFY(std::abs(ops.at(0).pos.x() + ops.at(0).width - (engine.pageWidth() - 300)) < 0.01);
}

void TestPageEngine::stylesRecordedOnText_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("styles"); // 1 bold, 2 italic, 4 underline, 8 strikethrough
    QTest::addColumn<QColor>("color");

    QTest::newRow("plain") << u"Liberation Serif"_s << 10.0 << 0 << QColor(Qt::black);
    QTest::newRow("bold") << u"Liberation Serif"_s << 12.0 << 1 << QColor(Qt::black);
    QTest::newRow("italic underlined blue") << u"Liberation Sans"_s << 9.0 << 6 << QColor(0, 0, 255);
    QTest::newRow("struck through red") << u"Liberation Mono"_s << 11.5 << 8 << QColor(255, 0, 0);
    QTest::newRow("everything") << u"Arial"_s << 14.0 << 15 << QColor(0, 128, 0);
}

void TestPageEngine::stylesRecordedOnText()
{
    QFETCH(QString, face);
    QFETCH(double, size);
    QFETCH(int, styles);
    QFETCH(QColor, color);

    PageEngine engine;
    startLetter(engine);
    engine.paragraph(u"Before"_s);
    engine.setFontName(face);
    engine.setFontSize(size);
    engine.setFontBold(styles & 1);
    engine.setFontItalic(styles & 2);
    engine.setFontUnderline(styles & 4);
    engine.setFontStrikeThrough(styles & 8);
    engine.setTextColor(color);
    engine.paragraph(u"Styled"_s);

    const QList<TextOp> ops = engine.document().texts(0);
    QCOMPARE(ops.size(), 2);
    const TextStyle expected{
        installedFace(face), size, bool(styles & 1), bool(styles & 2), bool(styles & 4), bool(styles & 8), color};
    QCOMPARE(ops.at(1).style, expected);
    QCOMPARE(engine.textStyle(), expected);
    QCOMPARE(ops.at(0).style, (TextStyle{u"Liberation Serif"_s, 12, false, false, false, false, Qt::black}));
    const QFont font = ops.at(1).style.font();
    QCOMPARE(font.bold(), bool(styles & 1));
    QCOMPARE(font.italic(), bool(styles & 2));
    QCOMPARE(font.underline(), bool(styles & 4));
    QCOMPARE(font.strikeOut(), bool(styles & 8));
    QCOMPARE(font.pointSizeF(), size);
}

void TestPageEngine::fontFallBack_data()
{
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("substitute");

    QTest::newRow("Times New Roman") << u"Times New Roman"_s << u"Liberation Serif"_s;
    QTest::newRow("Arial") << u"Arial"_s << u"Liberation Sans"_s;
    QTest::newRow("Courier New") << u"Courier New"_s << u"Liberation Mono"_s;
    QTest::newRow("MS Sans Serif") << u"MS Sans Serif"_s << u"Liberation Sans"_s;
    QTest::newRow("unknown face") << u"Quorvane Nonexistent Sans"_s << defaultSansFace();
    QTest::newRow("no face") << QString() << defaultSansFace();
    QTest::newRow("letter case of an installed face") << u"liberation SERIF"_s << u"Liberation Serif"_s;
}

void TestPageEngine::fontFallBack()
{
    QFETCH(QString, requested);
    QFETCH(QString, substitute);

    if (!QFontDatabase::hasFamily(substitute))
        QSKIP("the substitute face is not installed here");
    const bool installed = !requested.isEmpty() && QFontDatabase::families().contains(requested);
    const QString expected = installed ? requested : substitute;

    PageEngine engine;
    engine.setFontName(requested);
    QCOMPARE(engine.fontName(), requested);
    QCOMPARE(engine.fontNameUsed(), expected);
    engine.startDoc();
    engine.paragraph(u"Sample"_s);
    QCOMPARE(engine.document().texts(0).at(0).style.face, expected);
}

void TestPageEngine::linesRecorded_data()
{
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<double>("width");

    QTest::newRow("ruled line across") << QLineF(100, 2000, 12140, 2000) << QColor(Qt::black) << 15.0;
    QTest::newRow("vertical rule") << QLineF(3547, 1500, 3547, 9000) << QColor(Qt::blue) << 15.0;
    QTest::newRow("thick red diagonal") << QLineF(0, 0, 12240, 15840) << QColor(Qt::red) << 60.0;
}

void TestPageEngine::linesRecorded()
{
    QFETCH(QLineF, line);
    QFETCH(QColor, color);
    QFETCH(double, width);

    PageEngine engine;
    startLetter(engine);
    engine.setLineColor(color);
    engine.setLineWidth(width);
    engine.setCurrentX(2500);
    engine.setCurrentY(3500);
    engine.drawLine(line.x1(), line.y1(), line.x2(), line.y2());
    QCOMPARE(engine.currentX(), 2500.0);
    QCOMPARE(engine.currentY(), 3500.0);
    const QList<LineOp> lines = engine.document().lines(0);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.at(0).from, line.p1());
    QCOMPARE(lines.at(0).to, line.p2());
    QCOMPARE(lines.at(0).color, color);
    QCOMPARE(lines.at(0).width, width);

    const QImage page = engine.document().image(0, ScreenScale);
    const QPointF middle = line.center() * ScreenScale;
    QVERIFY(countPixels(page, QRect(middle.toPoint() - QPoint(2, 2), QSize(5, 5))) > 0);
}

void TestPageEngine::paintedTextLeavesInk()
{
    PageEngine engine;
    startLetter(engine);
    engine.setFontSize(24);
    engine.setCurrentY(3000);
    engine.paragraph(u"Hello Security World"_s);
    const TextOp op = engine.document().texts(0).at(0);

    const QImage page = engine.document().image(0, ScreenScale);
    const QRect box = scaled(QRectF(op.pos, QSizeF(op.width, op.height)), ScreenScale);
    const QRect ink = pixelBounds(page, box.adjusted(-20, -20, 20, 20));
    QVERIFY(!ink.isEmpty());
    // The painted text stands where it was laid out and is as wide as it was measured.
    QVERIFY2(std::abs(ink.left() - box.left()) <= 3, qPrintable(u"%1 %2"_s.arg(ink.left()).arg(box.left())));
    QVERIFY2(std::abs(ink.right() - box.right()) <= 3, qPrintable(u"%1 %2"_s.arg(ink.right()).arg(box.right())));
    QVERIFY(ink.top() >= box.top() && ink.bottom() <= box.bottom());
    // Nothing anywhere else.
    QCOMPARE(countPixels(page, page.rect()), countPixels(page, box));
}

void TestPageEngine::paintedColours()
{
    PageEngine engine;
    startLetter(engine);
    engine.setFontSize(36);
    engine.setFontBold(true);
    engine.setTextColor(Qt::red);
    engine.paragraph(u"MMMM"_s);
    engine.setLineColor(Qt::blue);
    engine.setLineWidth(60);
    engine.drawLine(1440, 8000, 10000, 8000);

    const QImage page = engine.document().image(0, ScreenScale);
    const int red = countPixels(page, page.rect(), isRed);
    const int blue = countPixels(page, page.rect(), isBlue);
    QVERIFY2(red > 100, qPrintable(QString::number(red)));
    QVERIFY2(blue > 100, qPrintable(QString::number(blue)));
}

void TestPageEngine::guideLines_data()
{
    QTest::addColumn<bool>("shown");
    QTest::newRow("hidden") << false;
    QTest::newRow("shown") << true;
}

void TestPageEngine::guideLines()
{
    QFETCH(bool, shown);

    PageEngine engine;
    startLetter(engine, 720);
    engine.paragraph(u"Text"_s);
    const QImage page =
        engine.document().image(0, ScreenScale, shown ? PageDocument::Guides::Shown : PageDocument::Guides::Hidden);
    // A strip across the left margin line, well below the text.
    const int x = qRound(720 * ScreenScale);
    const int y = qRound(8000 * ScreenScale);
    QCOMPARE(countPixels(page, QRect(x - 1, y, 3, 60)) > 0, shown);
}

void TestPageEngine::picturePainted()
{
    QImage green(20, 10, QImage::Format_RGB32);
    green.fill(Qt::green);
    PageEngine engine;
    startLetter(engine);
    engine.drawPicture(green, QRectF(3000, 3000, 3000, 1500));
    QCOMPARE(engine.pageCount(), 1);
    const QImage page = engine.document().image(0, ScreenScale);
    QCOMPARE(QColor(page.pixel(QPointF(4500 * ScreenScale, 3750 * ScreenScale).toPoint())), QColor(Qt::green));
    QCOMPARE(QColor(page.pixel(QPointF(6200 * ScreenScale, 3750 * ScreenScale).toPoint())), QColor(Qt::white));
}

void TestPageEngine::printsOnAPagedDevice_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QByteArray>("mediaBox");

    QTest::newRow("portrait") << false << 3 << QByteArray("/MediaBox [0 0 612.000000 792.000000]");
    QTest::newRow("landscape") << true << 2 << QByteArray("/MediaBox [0 0 792.000000 612.000000]");
    QTest::newRow("one page") << false << 1 << QByteArray("/MediaBox [0 0 612.000000 792.000000]");
}

void TestPageEngine::printsOnAPagedDevice()
{
    QFETCH(bool, landscape);
    QFETCH(int, pages);
    QFETCH(QByteArray, mediaBox);

    PageEngine engine;
    engine.setOrientation(landscape ? PageOrientation::Landscape : PageOrientation::Portrait);
    startLetter(engine);
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            engine.newPage();
        engine.paragraph(u"Page %1"_s.arg(p + 1));
    }
    engine.endDoc();

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"print.pdf"_s);
    {
        QPdfWriter pdf(path);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        QVERIFY(engine.document().print(pdf));
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.count(mediaBox), pages);
}

QTEST_MAIN(TestPageEngine)
