#include "rtftestdocs.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QTextBlock>
#include <QTextList>
#include <QTextTable>

using namespace qv;
using namespace qv::test;
using namespace Qt::StringLiterals;

namespace {

    QTextCharFormat family(const QString& name)
    {
        QTextCharFormat f;
        f.setFontFamilies({name});
        return f;
    }

    // Braces outside escapes must balance, or a reader loses the rest of the document.
    int braceDepthAtEnd(const QByteArray& rtf)
    {
        int depth = 0;
        for (qsizetype i = 0; i < rtf.size(); ++i) {
            if (rtf[i] == '\\') {
                ++i;
                continue;
            }
            if (rtf[i] == '{')
                ++depth;
            else if (rtf[i] == '}' && --depth < 0)
                return -1;
        }
        return depth;
    }

    QByteArray pictureHex(const QByteArray& rtf)
    {
        const qsizetype goal = rtf.indexOf("\\pichgoal");
        if (goal < 0)
            return {};
        const qsizetype start = rtf.indexOf("\r\n", goal);
        const qsizetype end = rtf.indexOf('}', start);
        QByteArray hex = rtf.mid(start, end - start);
        hex.replace("\r\n", "");
        return QByteArray::fromHex(hex);
    }

} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void header();
    void fontTable_data();
    void fontTable();
    void colourTable();
    void escaping_data();
    void escaping();
    void characterWords_data();
    void characterWords();
    void htmlAndMarkdownSizes_data();
    void htmlAndMarkdownSizes();
    void paragraphWords_data();
    void paragraphWords();
    void listNumbers_data();
    void listNumbers();
    void listTables();
    void tableStructure();
    void mergedCells();
    void nestedTableIsFlattened();
    void pictures_data();
    void pictures();
    void hyperlinks();
};

void TestRtfWriter::header()
{
    auto doc = newDocument();
    QTextCursor(doc.get()).insertText(QStringLiteral("Hi"));
    const QByteArray rtf = rtf::write(*doc);
    QVERIFY2(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
                            "{\\colortbl;}\r\n"),
             rtf.constData());
    QVERIFY(rtf.contains("\\uc1"));
    // Word's convention: every paragraph, the last one too, ends with \par.
    QVERIFY2(rtf.endsWith("\\pard Hi\\par \r\n}"), rtf.constData());
    QCOMPARE(braceDepthAtEnd(rtf), 0);
    QVERIFY(!rtf.contains("\\list")); // no list table without lists
}

void TestRtfWriter::fontTable_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QByteArray>("entry");
    QTest::newRow("serif") << u"Times New Roman"_s << QByteArray("{\\f1\\froman\\fcharset0 Times New Roman;}");
    QTest::newRow("fixed pitch") << u"Courier New"_s << QByteArray("{\\f1\\fmodern\\fcharset0 Courier New;}");
    QTest::newRow("fixed before sans") << u"DejaVu Sans Mono"_s
                                       << QByteArray("{\\f1\\fmodern\\fcharset0 DejaVu Sans Mono;}");
    QTest::newRow("sans serif") << u"Verdana"_s << QByteArray("{\\f1\\fswiss\\fcharset0 Verdana;}");
    QTest::newRow("script before sans") << u"Comic Sans MS"_s
                                        << QByteArray("{\\f1\\fscript\\fcharset0 Comic Sans MS;}");
    QTest::newRow("symbol charset") << u"Wingdings"_s << QByteArray("{\\f1\\ftech\\fcharset2 Wingdings;}");
    QTest::newRow("unknown") << u"Quorvane Display"_s << QByteArray("{\\f1\\fnil\\fcharset0 Quorvane Display;}");
    QTest::newRow("accented name") << u"Caf\u00e9 Serif"_s << QByteArray("{\\f1\\froman\\fcharset0 Caf\\'e9 Serif;}");
    QTest::newRow("semicolon dropped") << u"Odd;Name"_s << QByteArray("{\\f1\\fnil\\fcharset0 OddName;}");
}

void TestRtfWriter::fontTable()
{
    QFETCH(QString, family);
    QFETCH(QByteArray, entry);
    auto doc = newDocument();
    QTextCursor cursor(doc.get());
    cursor.insertText(QStringLiteral("a"), ::family(family));
    cursor.insertText(QStringLiteral("b"), QTextCharFormat());
    cursor.insertText(QStringLiteral("c"), ::family(family));
    const QByteArray rtf = rtf::write(*doc);
    QVERIFY2(rtf.contains("{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}" + entry + "}"), rtf.constData());
    QVERIFY2(bodyOf(rtf).contains("\\f1 a\\f0 b\\f1 c"), rtf.constData());
}

void TestRtfWriter::colourTable()
{
    auto doc = newDocument();
    QTextCursor cursor(doc.get());
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 255, 0));
    QTextCharFormat blue;
    blue.setForeground(QColor(0, 0, 255));
    QTextCharFormat transparent;
    transparent.setForeground(QColor(0, 0, 0, 0));
    cursor.insertText(QStringLiteral("r"), red);
    cursor.insertText(QStringLiteral("m"), marked);
    cursor.insertText(QStringLiteral("R"), red);
    cursor.insertText(QStringLiteral("b"), blue);
    cursor.insertText(QStringLiteral("t"), transparent);
    const QByteArray rtf = rtf::write(*doc);
    QVERIFY2(rtf.contains("{\\colortbl;\\red255\\green0\\blue0;\\red255\\green255\\blue0;\\red0\\green0\\blue255;}"),
             rtf.constData());
    QVERIFY2(bodyOf(rtf).contains("\\cf1 r\\cf0\\chcbpat2\\highlight2 m\\cf1\\chcbpat0\\highlight0 R\\cf3 b\\cf0 t"),
             rtf.constData());
}

void TestRtfWriter::escaping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("backslash") << u"a\\b"_s << QByteArray("\\pard a\\\\b\\par");
    QTest::newRow("braces") << u"{x}"_s << QByteArray("\\pard\\{x\\}\\par");
    QTest::newRow("euro is cp1252 80") << u"\u20ac"_s << QByteArray("\\pard\\'80\\par");
    QTest::newRow("e acute") << u"caf\u00e9"_s << QByteArray("\\pard caf\\'e9\\par");
    QTest::newRow("curly quotes") << u"\u201cq\u201d"_s << QByteArray("\\pard\\'93q\\'94\\par");
    QTest::newRow("omega has no byte") << u"\u03a9"_s << QByteArray("\\pard\\u937?\\par");
    QTest::newRow("CJK") << u"\u4e2d"_s << QByteArray("\\pard\\u20013?\\par");
    QTest::newRow("negative unit") << u"\uf020"_s << QByteArray("\\pard\\u-4064?\\par");
    QTest::newRow("surrogate pair") << u"\U0001F600"_s << QByteArray("\\pard\\u-10179?\\u-8704?\\par");
    QTest::newRow("tab") << u"a\tb"_s << QByteArray("\\pard a\\tab b\\par");
    QTest::newRow("tab then digit") << u"\t1"_s << QByteArray("\\pard\\tab 1\\par");
    QTest::newRow("tab then space") << u"\t x"_s << QByteArray("\\pard\\tab  x\\par");
    QTest::newRow("tab then stop") << u"\t."_s << QByteArray("\\pard\\tab.\\par");
    QTest::newRow("line separator") << u"a\u2028b"_s << QByteArray("\\pard a\\line b\\par");
    QTest::newRow("no-break space") << u"a\u00a0b"_s << QByteArray("\\pard a\\~b\\par");
    QTest::newRow("control character dropped") << u"a\u0001b"_s << QByteArray("\\pard ab\\par");
}

void TestRtfWriter::escaping()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    auto doc = newDocument();
    QTextCursor(doc.get()).insertText(text);
    const QByteArray rtf = rtf::write(*doc);
    QVERIFY2(bodyOf(rtf).contains(expected), rtf.constData());
    for (const char c : rtf)
        QVERIFY2(uchar(c) < 0x80, "an ANSI RTF file is 7-bit");
}

void TestRtfWriter::characterWords_data()
{
    addCharacterRows();
}

void TestRtfWriter::characterWords()
{
    QFETCH(CharEdit, edit);
    QFETCH(QByteArray, expected);
    const QByteArray rtf = rtf::write(*runDocument(edit));
    QVERIFY2(bodyOf(rtf).contains(expected), rtf.constData());
}

void TestRtfWriter::htmlAndMarkdownSizes_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("markdown");
    QTest::addColumn<QByteArray>("expected");
    // Headings carry a size step, not a size; it scales the document's 12 pt.
    QTest::newRow("html h1") << u"<h1>Title</h1>"_s << false << QByteArray("\\fs48\\b Title");
    QTest::newRow("html h3") << u"<h3>Title</h3>"_s << false << QByteArray("\\fs29\\b Title");
    QTest::newRow("html pixels") << u"<p style=\"font-size:24px\">Big</p>"_s << false << QByteArray("\\fs36 Big");
    QTest::newRow("html no size") << u"<p>Body</p>"_s << false << QByteArray("\\pard\\sb180\\sa180 Body\\par");
    QTest::newRow("markdown heading") << u"# Title\n\nBody\n"_s << true << QByteArray("\\fs48\\b Title");
    QTest::newRow("markdown emphasis") << u"Some *word*\n"_s << true << QByteArray("Some \\i word");
}

void TestRtfWriter::htmlAndMarkdownSizes()
{
    QFETCH(QString, source);
    QFETCH(bool, markdown);
    QFETCH(QByteArray, expected);
    auto doc = newDocument();
    if (markdown)
        doc->setMarkdown(source);
    else
        doc->setHtml(source);
    const QByteArray rtf = rtf::write(*doc);
    QVERIFY2(bodyOf(rtf).contains(expected), rtf.constData());
}

void TestRtfWriter::paragraphWords_data()
{
    addParagraphRows();
}

void TestRtfWriter::paragraphWords()
{
    QFETCH(BlockEdit, edit);
    QFETCH(QByteArray, expected);
    const QByteArray rtf = rtf::write(*paragraphDocument(edit));
    const QByteArray body = bodyOf(rtf);
    QVERIFY2(body.contains("\\pard first\\par"), rtf.constData());
    QVERIFY2(body.contains("\\pard" + expected + " second\\par"), rtf.constData());
}

void TestRtfWriter::listNumbers_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QByteArray>("levelText");
    QTest::addColumn<QByteArray>("oldStyle");
    QTest::newRow("decimal") << int(QTextListFormat::ListDecimal) << QByteArray("\\levelnfc0") << QByteArray("\\pndec");
    QTest::newRow("lower alpha") << int(QTextListFormat::ListLowerAlpha) << QByteArray("\\levelnfc4")
                                 << QByteArray("\\pnlcltr");
    QTest::newRow("upper alpha") << int(QTextListFormat::ListUpperAlpha) << QByteArray("\\levelnfc3")
                                 << QByteArray("\\pnucltr");
    QTest::newRow("lower roman") << int(QTextListFormat::ListLowerRoman) << QByteArray("\\levelnfc2")
                                 << QByteArray("\\pnlcrm");
    QTest::newRow("upper roman") << int(QTextListFormat::ListUpperRoman) << QByteArray("\\levelnfc1")
                                 << QByteArray("\\pnucrm");
}

void TestRtfWriter::listNumbers()
{
    QFETCH(int, style);
    QFETCH(QByteArray, levelText);
    QFETCH(QByteArray, oldStyle);
    auto doc = newDocument();
    QTextCursor cursor(doc.get());
    QTextListFormat format;
    format.setStyle(QTextListFormat::Style(style));
    const QTextList* list = cursor.createList(format);
    // Past 26 items letters double and past 39 Roman numerals turn to XL: the numbers must be the
    // ones Qt shows.
    for (int i = 1; i <= 60; ++i) {
        if (i > 1)
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("item %1").arg(i));
    }
    const QByteArray rtf = rtf::write(*doc);
    QVERIFY2(rtf.contains("{\\list\\listtemplateid1001\\listsimple{\\listlevel" + levelText), rtf.constData());
    QVERIFY(rtf.contains("{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}"));
    QVERIFY(rtf.contains("{\\listoverride\\listid1001\\listoverridecount0\\ls1}"));
    int item = 1;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next(), ++item) {
        const QByteArray number = list->itemText(b).toLatin1();
        const QByteArray paragraph = "{\\listtext\\pard\\plain " + number + "\\tab}{\\pntext " + number +
                                     "\\tab}\\pard{\\*\\pn\\pnlvlbody\\pnf0\\pnindent360\\pnstart" +
                                     QByteArray::number(item) + oldStyle + "{\\pntxta.}}\\ls1\\ilvl0 item " +
                                     QByteArray::number(item) + "\\par";
        QVERIFY2(rtf.contains(paragraph), paragraph.constData());
    }
}

void TestRtfWriter::listTables()
{
    auto doc = newDocument();
    QTextCursor cursor(doc.get());
    const auto addList = [&cursor](QTextListFormat::Style style, int indent, const QString& text) {
        QTextListFormat f;
        f.setStyle(style);
        f.setIndent(indent);
        cursor.insertBlock(QTextBlockFormat());
        cursor.createList(f);
        cursor.insertText(text);
    };
    addList(QTextListFormat::ListDisc, 1, QStringLiteral("disc"));
    addList(QTextListFormat::ListCircle, 2, QStringLiteral("circle"));
    addList(QTextListFormat::ListSquare, 1, QStringLiteral("square"));
    QTextListFormat framed;
    framed.setStyle(QTextListFormat::ListDecimal);
    framed.setNumberPrefix(QStringLiteral("("));
    framed.setNumberSuffix(QStringLiteral(")"));
    cursor.insertBlock(QTextBlockFormat());
    cursor.createList(framed);
    cursor.insertText(QStringLiteral("framed"));

    const QByteArray rtf = rtf::write(*doc);
    QVERIFY2(rtf.contains("\\listsimple{\\listlevel\\levelnfc23\\leveljc0\\levelfollow0\\levelstartat1"
                          "{\\leveltext\\'01\\'95;}{\\levelnumbers;}\\fi-360\\li600}{\\listname;}\\listid1001}"),
             rtf.constData());
    // A second-level list is a full nine-level list, and its paragraphs use level 2.
    const qsizetype circle = rtf.indexOf("\\listtemplateid1002");
    QVERIFY(circle > 0);
    const QByteArray circleList = rtf.mid(circle, rtf.indexOf("\\listid1002", circle) - circle);
    QVERIFY(!circleList.contains("\\listsimple"));
    QCOMPARE(circleList.count("{\\listlevel"), 9);
    QVERIFY(circleList.contains("{\\leveltext\\'01\\u9702?;}"));
    QVERIFY(circleList.contains("\\fi-360\\li1200}"));
    QVERIFY(rtf.contains("\\ls2\\ilvl1 circle"));
    QVERIFY(rtf.contains("{\\leveltext\\'01\\u9642?;}"));
    QVERIFY(rtf.contains("{\\leveltext\\'03(\\'00);}{\\levelnumbers\\'02;}"));
    QVERIFY(rtf.contains("{\\listtext\\pard\\plain(1)\\tab}"));
    QVERIFY(rtf.contains("{\\pntxtb(}{\\pntxta)}"));
    QCOMPARE(rtf.count("{\\listoverride\\listid"), 4);
    QCOMPARE(braceDepthAtEnd(rtf), 0);
}

void TestRtfWriter::tableStructure()
{
    auto doc = newDocument();
    QTextCursor cursor(doc.get());
    QTextTableFormat format;
    format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100),
                                      QTextLength(QTextLength::FixedLength, 50),
                                      QTextLength(QTextLength::FixedLength, 80)});
    format.setBorder(1);
    format.setHeaderRowCount(1);
    QTextTable* table = cursor.insertTable(2, 3, format);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            table->cellAt(r, c).firstCursorPosition().insertText(QStringLiteral("r%1c%2").arg(r).arg(c));
    QTextTableCellFormat shaded;
    shaded.setBackground(QColor(0xEE, 0xEE, 0xEE));
    table->cellAt(1, 2).setFormat(shaded);
    QTextCursor inCell = table->cellAt(1, 0).lastCursorPosition();
    inCell.insertBlock();
    inCell.insertText(QStringLiteral("second line"));

    const QByteArray rtf = rtf::write(*doc);
    QCOMPARE(rtf.count("\\trowd"), 2);
    QCOMPARE(rtf.count("\\row"), 2);
    QCOMPARE(rtf.count("\\cell \r\n"), 6);
    QCOMPARE(rtf.count("\\cellx1500"), 2);
    QCOMPARE(rtf.count("\\cellx2250"), 2);
    QCOMPARE(rtf.count("\\cellx3450"), 2);
    QCOMPARE(rtf.count("\\trhdr"), 1);
    QVERIFY(rtf.contains("\\clbrdrt\\brdrs\\brdrw15"));
    QVERIFY2(rtf.contains("\\clcbpat2\\cellx3450"), rtf.constData()); // 1 is the border grey
    QVERIFY(rtf.contains("\\pard\\intbl r0c0\\cell"));
    // Two paragraphs in one cell: \par between them, \cell after the last.
    QVERIFY2(rtf.contains("\\pard\\intbl r1c0\\par \r\n\\pard\\intbl second line\\cell"), rtf.constData());
    // The paragraph after the table is outside it.
    QVERIFY(rtf.contains("\\row \r\n\\pard\\par"));
}

void TestRtfWriter::mergedCells()
{
    auto doc = newDocument();
    QTextCursor cursor(doc.get());
    QTextTableFormat borderless;
    borderless.setBorder(0);
    QTextTable* table = cursor.insertTable(3, 3, borderless);
    table->mergeCells(0, 0, 1, 2); // across
    table->mergeCells(1, 2, 2, 1); // down
    table->mergeCells(1, 0, 2, 2); // both
    const QByteArray rtf = rtf::write(*doc);
    const QList<QByteArray> rows = rtf.split('\n');
    QList<QByteArray> definitions;
    for (const QByteArray& line : rows)
        if (line.startsWith("\\trowd"))
            definitions.append(line);
    QCOMPARE(definitions.size(), 3);
    const auto cellWords = [](const QByteArray& def) {
        QList<QByteArray> cells;
        for (QByteArray cell : def.split('x').mid(0, 3)) {
            const qsizetype at = cell.indexOf("\\cl");
            cells.append(at < 0 ? QByteArray() : cell.mid(at).replace("\\cell", ""));
        }
        return cells;
    };
    QCOMPARE(cellWords(definitions[0]), (QList<QByteArray>{"\\clmgf", "\\clmrg", ""}));
    QCOMPARE(cellWords(definitions[1]), (QList<QByteArray>{"\\clmgf\\clvmgf", "\\clmrg\\clvmgf", "\\clvmgf"}));
    QCOMPARE(cellWords(definitions[2]), (QList<QByteArray>{"\\clmgf\\clvmrg", "\\clmrg\\clvmrg", "\\clvmrg"}));
    // Every grid position has its cell, covered ones empty.
    QCOMPARE(rtf.count("\\cell \r\n"), 9);
}

void TestRtfWriter::nestedTableIsFlattened()
{
    auto doc = newDocument();
    QTextCursor cursor(doc.get());
    QTextTable* outer = cursor.insertTable(1, 2);
    outer->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("left"));
    QTextCursor inner = outer->cellAt(0, 1).firstCursorPosition();
    QTextTable* nested = inner.insertTable(2, 2);
    nested->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("p"));
    nested->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("q"));
    nested->cellAt(1, 0).firstCursorPosition().insertText(QStringLiteral("s"));
    nested->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("t"));
    const QByteArray rtf = rtf::write(*doc);
    QCOMPARE(rtf.count("\\trowd"), 1);
    QCOMPARE(rtf.count("\\cell \r\n"), 2);
    QVERIFY2(rtf.contains("\\pard\\intbl p\\tab q\\par \r\n\\pard\\intbl s\\tab t"), rtf.constData());
    QCOMPARE(braceDepthAtEnd(rtf), 0);
}

void TestRtfWriter::pictures_data()
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(QColor(200, 10, 10));
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    QByteArray bmp;
    {
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
    }
    QTest::addColumn<QVariant>("resource");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QByteArray>("words");
    QTest::newRow("image, natural size") << QVariant(image) << 0.0 << 0.0
                                         << QByteArray("\\pngblip\\picw40\\pich20\\picwgoal600\\pichgoal300");
    QTest::newRow("image, width given") << QVariant(image) << 80.0 << 0.0
                                        << QByteArray("\\pngblip\\picw40\\pich20\\picwgoal1200\\pichgoal600");
    QTest::newRow("image, both given") << QVariant(image) << 10.0 << 30.0
                                       << QByteArray("\\pngblip\\picw40\\pich20\\picwgoal150\\pichgoal450");
    QTest::newRow("pixmap") << QVariant(QPixmap::fromImage(image)) << 0.0 << 20.0
                            << QByteArray("\\pngblip\\picw40\\pich20\\picwgoal600\\pichgoal300");
    QTest::newRow("png bytes") << QVariant(png) << 0.0 << 0.0
                               << QByteArray("\\pngblip\\picw40\\pich20\\picwgoal600\\pichgoal300");
    QTest::newRow("other bytes") << QVariant(bmp) << 0.0 << 0.0
                                 << QByteArray("\\pngblip\\picw40\\pich20\\picwgoal600\\pichgoal300");
    QTest::newRow("no picture") << QVariant() << 0.0 << 0.0 << QByteArray();
}

void TestRtfWriter::pictures()
{
    QFETCH(QVariant, resource);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QByteArray, words);
    auto doc = newDocument();
    const QUrl url(QStringLiteral("rtfimage://1"));
    if (resource.isValid())
        doc->addResource(QTextDocument::ImageResource, url, resource);
    QTextCursor cursor(doc.get());
    cursor.insertText(QStringLiteral("before "));
    QTextImageFormat f;
    f.setName(url.toString());
    if (width > 0)
        f.setWidth(width);
    if (height > 0)
        f.setHeight(height);
    cursor.insertImage(f);
    cursor.insertText(QStringLiteral(" after"), QTextCharFormat());
    const QByteArray rtf = rtf::write(*doc);
    if (words.isEmpty()) {
        QVERIFY(!rtf.contains("\\pict"));
        QVERIFY(rtf.contains("before  after"));
        return;
    }
    QVERIFY2(rtf.contains("before {\\*\\shppict{\\pict" + words + " \r\n"), rtf.constData());
    const QImage back = QImage::fromData(pictureHex(rtf), "PNG");
    QCOMPARE(back.size(), QSize(40, 20));
    QCOMPARE(back.pixelColor(5, 5), QColor(200, 10, 10));
    if (resource.typeId() == QMetaType::QByteArray && resource.toByteArray().startsWith("\x89PNG"))
        QCOMPARE(pictureHex(rtf), resource.toByteArray()); // PNG data goes in unchanged
}

void TestRtfWriter::hyperlinks()
{
    auto doc = newDocument();
    QTextCursor cursor(doc.get());
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(QStringLiteral("https://example.com/a?b=1"));
    link.setForeground(QColor(0, 0, 255));
    link.setFontUnderline(true);
    QTextCharFormat boldLink = link;
    boldLink.setFontWeight(QFont::Bold);
    QTextCharFormat path;
    path.setAnchor(true);
    path.setAnchorHref(QStringLiteral("C:\\dir\\\"q\""));
    cursor.insertText(QStringLiteral("see "));
    cursor.insertText(QStringLiteral("exam"), link);
    cursor.insertText(QStringLiteral("ple"), boldLink);
    cursor.insertText(QStringLiteral(" and "), QTextCharFormat());
    cursor.insertText(QStringLiteral("file"), path);
    const QByteArray rtf = rtf::write(*doc);
    // One field for one address, whatever formats its text has; the formatting inside the group
    // ends with it, so no word is needed to undo it.
    QVERIFY2(rtf.contains("see {\\field{\\*\\fldinst{HYPERLINK \"https://example.com/a?b=1\"}}{\\fldrslt{\\ul\\cf1 "
                          "exam\\b ple}}} and "),
             rtf.constData());
    QVERIFY2(rtf.contains("{\\field{\\*\\fldinst{HYPERLINK \"C:\\\\\\\\dir\\\\\\\\\\\\\"q\\\\\"\"}}{\\fldrslt{file}}}"),
             rtf.constData());
    QCOMPARE(braceDepthAtEnd(rtf), 0);
}

int runRoundTripTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestRtfWriter writer;
    const int structure = QTest::qExec(&writer, argc, argv);
    const int roundTrip = runRoundTripTests(argc, argv);
    return structure != 0 || roundTrip != 0 ? 1 : 0;
}

#include "tst_rtfwriter.moc"
