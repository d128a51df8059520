#include "core/rtf/richtextcompare.h"
#include "core/rtf/richtextunits.h"
#include "core/rtf/rtfreader.h"
#include "core/rtf/rtfwriter.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>
#include <QTextTable>

using namespace Qt::StringLiterals;

namespace {

    QByteArray sample(const char* name)
    {
        QFile file(QStringLiteral(QUORVANE_TEST_DATA "/rtf/") + QString::fromLatin1(name));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("missing sample %s", name);
        return file.readAll();
    }

    // A document with the font and colour tables most snippets below refer to.
    QByteArray wrap(const QByteArray& body)
    {
        return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern Courier "
               "New;}{\\f2\\froman\\fcharset2 Symbol;}{\\f3\\fnil\\fcharset2 Wingdings;}{\\f4\\froman\\fcharset204 "
               "Times Cyr;}{\\f5\\froman\\fcharset238 Times CE;}{\\f6\\froman\\fcharset161 Times Greek;}}"
               "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red255\\green255\\blue0;}" +
               body + "}";
    }

    QString text(const QTextDocument& doc)
    {
        return doc.toPlainText();
    }

    // The character format of the first character of needle.
    QTextCharFormat formatAt(const QTextDocument& doc, const QString& needle)
    {
        const QTextCursor found = doc.find(needle);
        if (found.isNull())
            return {};
        QTextCursor c(found);
        c.setPosition(found.selectionStart() + 1);
        return c.charFormat();
    }

    QTextBlock blockWith(const QTextDocument& doc, const QString& needle)
    {
        return doc.find(needle).block();
    }

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void plainTextFallback_data();
    void plainTextFallback();
    void replacesContent();
    void samplesText_data();
    void samplesText();
    void characterFormats_data();
    void characterFormats();
    void paragraphFormats_data();
    void paragraphFormats();
    void characters_data();
    void characters();
    void lists_data();
    void lists();
    void listText_data();
    void listText();
    void writtenAndReadAgain_data();
    void writtenAndReadAgain();
    void tables();
    void tableShapes_data();
    void tableShapes();
    void pictures_data();
    void pictures();
    void links_data();
    void links();
    void paragraphCount_data();
    void paragraphCount();
};

void TestRtfReader::plainTextFallback_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("text") << QByteArray("Hello\r\nworld") << u"Hello\nworld"_s;
    QTest::newRow("cp1252") << QByteArray("Caf\xe9 \x80 \x93q\x94") << u"Café € “q”"_s;
    QTest::newRow("almost rtf") << QByteArray("{\\rt") << u"{\\rt"_s;
    QTest::newRow("leading space") << QByteArray(" {\\rtf1 x}") << u" {\\rtf1 x}"_s;
}

void TestRtfReader::plainTextFallback()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QTextDocument doc;
    QVERIFY(!qv::rtf::read(input, doc));
    QCOMPARE(text(doc), expected);
}

void TestRtfReader::replacesContent()
{
    QTextDocument doc;
    doc.setPlainText(u"old text"_s);
    QVERIFY(qv::rtf::read("{\\rtf1 new\\par}", doc));
    QCOMPARE(text(doc), u"new"_s);
    QVERIFY(doc.isUndoRedoEnabled());
    QVERIFY(!doc.isUndoAvailable());

    // A document read again must not show the pictures of the one before under the same names.
    const auto pictureOf = [](QRgb colour) {
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(colour);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return "{\\rtf1 {\\pict\\pngblip " + png.toHex() + "}}";
    };
    QVERIFY(qv::rtf::read(pictureOf(qRgb(255, 0, 0)), doc));
    QVERIFY(qv::rtf::read(pictureOf(qRgb(0, 0, 255)), doc));
    const QImage shown = doc.resource(QTextDocument::ImageResource, QUrl(u"rtfimage://1"_s)).value<QImage>();
    QCOMPARE(shown.pixelColor(0, 0), QColor(0, 0, 255));
}

void TestRtfReader::samplesText_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    // Words from destinations that are never shown: font and style names, document information,
    // headers, footnotes, hidden text, generator and theme data, picture bytes.
    const QStringList leaks{u"Times New Roman"_s,
                            u"Calibri"_s,
                            u"Normal"_s,
                            u"Heading 1 Char"_s,
                            u"Riched20"_s,
                            u"LibreOffice"_s,
                            u"Default Page Style"_s,
                            u"wordml"_s,
                            u"Pat Example"_s,
                            u"89504e47"_s,
                            u"504b0304"_s,
                            u"shapeType"_s,
                            u"Table Grid"_s,
                            u"Sample"_s,
                            u"Symbol"_s,
                            u"OpenSymbol"_s};
    QTest::newRow("word formatting")
        << QByteArray("word2016-formatting.rtf")
        << QStringList{u"Workstation Use Policy\n"_s,
                       u"Plain, bold, italic, underlined, struck, red, highlighted, "
                       u"E=mc2, H2O, monospace."_s,
                       u"Policy text with a note and a bookmark, see the HHS page or above."_s,
                       u"Hidden: visible. Picture: \uFFFC"_s,
                       u"\nSecond page."_s}
        << leaks + QStringList{u"Confidential header text"_s,
                               u"Footnote body"_s,
                               u"secret"_s,
                               u"PAGE"_s,
                               u"HYPERLINK"_s,
                               u"Target"_s};
    QTest::newRow("word lists") << QByteArray("word2016-lists.rtf")
                                << QStringList{u"Safeguards:\nAdministrative\nRisk analysis\nRequired\nPhysical\n"_s,
                                               u"Between the lists.\nMitigate\nLettered"_s}
                                << leaks + QStringList{u"\t"_s, u"\u00B7"_s, u"List Paragraph"_s};
    QTest::newRow("word table") << QByteArray("word2016-table.rtf")
                                << QStringList{u"Access review:"_s, u"Administrator"_s, u"After the table."_s} << leaks;
    QTest::newRow("wordpad") << QByteArray("wordpad-bullets.rtf")
                             << QStringList{u"Facility Access Controls\nChecklist for the server room:\nBadge "
                                            u"readers\nVisitor log\nLocked racks\nInspect\nRecord\nLettered\n"
                                            u"Привет and €"_s}
                             << leaks + QStringList{u"\t"_s, u"1."_s};
    QTest::newRow("libreoffice") << QByteArray("libreoffice-sample.rtf")
                                 << QStringList{u"Security Policy\nScope\n"_s,
                                                u"Accents: café, naïve, Ærø, € sign, “quotes” and Greek αβγ, "
                                                u"Cyrillic Жук."_s,
                                                u"First bullet\nSecond bullet\nNested bullet\nThird bullet\nStep "
                                                u"one"_s,
                                                u"Visit the example site for more."_s,
                                                u"End of document."_s}
                                 << leaks + QStringList{u"\u2022"_s, u"Liberation"_s};
    QTest::newRow("libreoffice via docx")
        << QByteArray("libreoffice-docx-sample.rtf")
        << QStringList{u"Security Policy\nScope\n"_s, u"Step three"_s, u"Merged cell across two"_s} << leaks;
    QTest::newRow("libreoffice table") << QByteArray("libreoffice-table.rtf")
                                       << QStringList{u"Risk register"_s, u"Reviewed yearly"_s, u"Last line."_s}
                                       << leaks;
}

void TestRtfReader::samplesText()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QTextDocument doc;
    QVERIFY(qv::rtf::read(sample(file.constData()), doc));
    const QString plain = text(doc);
    for (const QString& p : present)
        QVERIFY2(plain.contains(p), qPrintable(u"missing: "_s + p + u"\nin: "_s + plain));
    for (const QString& a : absent)
        QVERIFY2(!plain.contains(a), qPrintable(u"leaked: "_s + a + u"\nin: "_s + plain));
}

void TestRtfReader::characterFormats_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("expected"); // invalid: the property must be unset

    const int weight = QTextFormat::FontWeight;
    const QVariant bold(int(QFont::Bold));
    QTest::newRow("bold") << QByteArray("a \\b X\\b0  b") << weight << bold;
    QTest::newRow("bold off") << QByteArray("\\b a \\b0 X") << weight << QVariant();
    QTest::newRow("bold in group") << QByteArray("{\\b a }X") << weight << QVariant();
    QTest::newRow("plain resets") << QByteArray("\\b\\i a \\plain X") << int(QTextFormat::FontItalic) << QVariant();
    QTest::newRow("italic") << QByteArray("\\i X") << int(QTextFormat::FontItalic) << QVariant(true);
    const int underline = QTextFormat::TextUnderlineStyle;
    const QVariant single(int(QTextCharFormat::SingleUnderline));
    QTest::newRow("underline") << QByteArray("\\ul X") << underline << single;
    QTest::newRow("double underline") << QByteArray("\\uldb X") << underline << single;
    QTest::newRow("ulnone") << QByteArray("\\ul a\\ulnone X") << underline << QVariant();
    QTest::newRow("ul0") << QByteArray("\\ul a\\ul0 X") << underline << QVariant();
    QTest::newRow("strike") << QByteArray("\\strike X") << int(QTextFormat::FontStrikeOut) << QVariant(true);
    QTest::newRow("super") << QByteArray("\\super X") << int(QTextFormat::TextVerticalAlignment)
                           << QVariant(int(QTextCharFormat::AlignSuperScript));
    QTest::newRow("sub") << QByteArray("\\sub X") << int(QTextFormat::TextVerticalAlignment)
                         << QVariant(int(QTextCharFormat::AlignSubScript));
    QTest::newRow("up") << QByteArray("\\up6 X") << int(QTextFormat::TextVerticalAlignment)
                        << QVariant(int(QTextCharFormat::AlignSuperScript));
    QTest::newRow("nosupersub") << QByteArray("\\super a\\nosupersub X") << int(QTextFormat::TextVerticalAlignment)
                                << QVariant();
    QTest::newRow("size") << QByteArray("\\fs30 X") << int(QTextFormat::FontPointSize) << QVariant(15.0);
    QTest::newRow("default size") << QByteArray("X") << int(QTextFormat::FontPointSize) << QVariant(12.0);
    QTest::newRow("font") << QByteArray("\\f1 X") << int(QTextFormat::FontFamilies)
                          << QVariant(QStringList{u"Courier New"_s});
    QTest::newRow("default font") << QByteArray("\\f1 a\\plain X") << int(QTextFormat::FontFamilies)
                                  << QVariant(QStringList{u"Arial"_s});
    QTest::newRow("colour") << QByteArray("\\cf1 X") << int(QTextFormat::ForegroundBrush)
                            << QVariant(QBrush(QColor(255, 0, 0)));
    QTest::newRow("auto colour") << QByteArray("\\cf1 a\\cf0 X") << int(QTextFormat::ForegroundBrush) << QVariant();
    QTest::newRow("colour out of table") << QByteArray("\\cf99 X") << int(QTextFormat::ForegroundBrush) << QVariant();
    QTest::newRow("highlight") << QByteArray("\\highlight3 X") << int(QTextFormat::BackgroundBrush)
                               << QVariant(QBrush(QColor(255, 255, 0)));
    QTest::newRow("cb") << QByteArray("\\cb2 X") << int(QTextFormat::BackgroundBrush)
                        << QVariant(QBrush(QColor(0, 128, 0)));
    QTest::newRow("chcbpat") << QByteArray("\\chcbpat1 X") << int(QTextFormat::BackgroundBrush)
                             << QVariant(QBrush(QColor(255, 0, 0)));
    QTest::newRow("huge size clamps") << QByteArray("\\fs99999999999999999999 X") << int(QTextFormat::FontPointSize)
                                      << QVariant(1638.0);
}

void TestRtfReader::characterFormats()
{
    QFETCH(QByteArray, body);
    QFETCH(int, property);
    QFETCH(QVariant, expected);
    QTextDocument doc;
    QVERIFY(qv::rtf::read(wrap(body), doc));
    const QTextCharFormat f = formatAt(doc, u"X"_s);
    QVERIFY2(f.isValid(), qPrintable(text(doc)));
    if (!expected.isValid())
        QVERIFY2(!f.hasProperty(property), qPrintable(f.property(property).toString()));
    else
        QCOMPARE(f.property(property), expected);
}

void TestRtfReader::paragraphFormats_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("expected");

    using F = QTextFormat;
    QTest::newRow("centre") << QByteArray("\\qc X\\par") << int(F::BlockAlignment) << QVariant(int(Qt::AlignHCenter));
    QTest::newRow("right") << QByteArray("\\qr X\\par") << int(F::BlockAlignment) << QVariant(int(Qt::AlignRight));
    QTest::newRow("justify") << QByteArray("\\qj X\\par") << int(F::BlockAlignment) << QVariant(int(Qt::AlignJustify));
    QTest::newRow("pard resets") << QByteArray("\\qc a\\par\\pard X\\par") << int(F::BlockAlignment) << QVariant();
    QTest::newRow("left indent") << QByteArray("\\li720 X\\par") << int(F::BlockLeftMargin) << QVariant(48.0);
    QTest::newRow("right indent") << QByteArray("\\ri1440 X\\par") << int(F::BlockRightMargin) << QVariant(96.0);
    QTest::newRow("first line") << QByteArray("\\fi-360 X\\par") << int(F::TextIndent) << QVariant(-24.0);
    QTest::newRow("space before") << QByteArray("\\sb240 X\\par") << int(F::BlockTopMargin) << QVariant(16.0);
    QTest::newRow("space after") << QByteArray("\\sa120 X\\par") << int(F::BlockBottomMargin) << QVariant(8.0);
    QTest::newRow("line multiple") << QByteArray("\\sl360\\slmult1 X\\par") << int(F::LineHeight) << QVariant(150.0);
    QTest::newRow("line multiple type") << QByteArray("\\sl360\\slmult1 X\\par") << int(F::LineHeightType)
                                        << QVariant(int(QTextBlockFormat::ProportionalHeight));
    QTest::newRow("line at least") << QByteArray("\\sl300\\slmult0 X\\par") << int(F::LineHeightType)
                                   << QVariant(int(QTextBlockFormat::MinimumHeight));
    QTest::newRow("line exact") << QByteArray("\\sl-300\\slmult0 X\\par") << int(F::LineHeight) << QVariant(20.0);
    QTest::newRow("line exact type") << QByteArray("\\sl-300 X\\par") << int(F::LineHeightType)
                                     << QVariant(int(QTextBlockFormat::FixedHeight));
    QTest::newRow("page break") << QByteArray("a\\page X\\par") << int(F::PageBreakPolicy)
                                << QVariant(int(F::PageBreak_AlwaysBefore));
    QTest::newRow("page break after par")
        << QByteArray("a\\par\\page X\\par") << int(F::PageBreakPolicy) << QVariant(int(F::PageBreak_AlwaysBefore));
    QTest::newRow("pagebb") << QByteArray("\\pagebb X\\par") << int(F::PageBreakPolicy)
                            << QVariant(int(F::PageBreak_AlwaysBefore));
    QTest::newRow("no page break") << QByteArray("a\\page b\\par X\\par") << int(F::PageBreakPolicy) << QVariant();
    QTest::newRow("group keeps paragraph")
        << QByteArray("{\\qc X\\par}") << int(F::BlockAlignment) << QVariant(int(Qt::AlignHCenter));
}

void TestRtfReader::paragraphFormats()
{
    QFETCH(QByteArray, body);
    QFETCH(int, property);
    QFETCH(QVariant, expected);
    QTextDocument doc;
    QVERIFY(qv::rtf::read(wrap(body), doc));
    const QTextBlockFormat f = blockWith(doc, u"X"_s).blockFormat();
    if (!expected.isValid())
        QVERIFY(!f.hasProperty(property));
    else
        QCOMPARE(f.property(property), expected);
}

void TestRtfReader::characters_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");
    QTest::newRow("escapes") << QByteArray("\\{a\\}\\\\") << u"{a}\\"_s;
    QTest::newRow("tab and line") << QByteArray("a\\tab b\\line c") << u"a\tb\u2028c"_s;
    QTest::newRow("punctuation") << QByteArray("\\bullet\\endash\\emdash\\lquote\\rquote\\ldblquote\\rdblquote")
                                 << u"•–—‘’“”"_s;
    QTest::newRow("spaces and hyphens") << QByteArray("a\\~b\\-c\\_d\\emspace\\enspace")
                                        << u"a\u00A0b\u00ADc\u2011d\u2003\u2002"_s;
    QTest::newRow("line breaks in source") << QByteArray("a\r\nb\nc") << u"abc"_s;
    QTest::newRow("space after word") << QByteArray("\\b  x") << u" x"_s;
    QTest::newRow("unicode skips one") << QByteArray("\\u8364?uro") << u"€uro"_s;
    QTest::newRow("unicode skips hex") << QByteArray("\\u8364\\'80x") << u"€x"_s;
    QTest::newRow("unicode skips word") << QByteArray("\\u8220\\ldblquote q") << u"“q"_s;
    QTest::newRow("uc2") << QByteArray("\\uc2\\u8364ab!") << u"€!"_s;
    QTest::newRow("uc0") << QByteArray("\\uc0\\u8364 x") << u"€x"_s;
    QTest::newRow("uc is scoped") << QByteArray("{\\uc2\\u8364ab}\\u8364?c") << u"€€c"_s;
    QTest::newRow("skip ends at group") << QByteArray("\\uc3\\u8364a{b}c") << u"€bc"_s;
    QTest::newRow("negative") << QByteArray("\\u-3913?") << u"\uF0B7"_s;
    QTest::newRow("surrogate pair") << QByteArray("\\u-10179?\\u-8704?") << u"\U0001F600"_s;
    QTest::newRow("lone surrogate") << QByteArray("\\u-10179?x") << u"\uFFFDx"_s;
    QTest::newRow("out of range") << QByteArray("\\u99999999999?x") << u"\uFFFDx"_s;
    QTest::newRow("control from u") << QByteArray("a\\u10?\\u13?\\u0?b") << u"ab"_s;
    QTest::newRow("frame markers") << QByteArray("a\\u64976?\\u64977?\\u65532?\\u8233?b") << u"a\u2028b"_s;
    QTest::newRow("default code page") << QByteArray("\\'80\\'e9\\'93") << u"€é“"_s;
    QTest::newRow("ansicpg1251") << QByteArray("\\ansicpg1251\\f99\\'c0\\'e1") << u"Аб"_s;
    QTest::newRow("cyrillic font") << QByteArray("\\f4\\'c6\\'f3\\'ea") << u"Жук"_s;
    QTest::newRow("central european font") << QByteArray("\\f5\\'b9\\'e6") << u"ąć"_s;
    QTest::newRow("greek font") << QByteArray("\\f6\\'e1\\'e2") << u"αβ"_s;
    QTest::newRow("symbol bullet") << QByteArray("\\f2\\'b7") << u"•"_s;
    QTest::newRow("symbol greek") << QByteArray("\\f2 abg") << u"αβγ"_s;
    QTest::newRow("symbol private use") << QByteArray("\\f2\\u-3913?") << u"•"_s;
    QTest::newRow("wingdings") << QByteArray("\\f3\\'a7\\'fc") << u"▪✓"_s;
    QTest::newRow("mac") << QByteArray("\\mac\\f99\\'8e") << u"é"_s;
    QTest::newRow("raw 8-bit text") << QByteArray("caf\xe9") << u"café"_s;
    QTest::newRow("truncated hex") << QByteArray("a\\'4") << u"a"_s;
    QTest::newRow("hidden") << QByteArray("a{\\v hidden}b") << u"ab"_s;
}

void TestRtfReader::characters()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QTextDocument doc;
    QVERIFY(qv::rtf::read(wrap(body), doc));
    QCOMPARE(doc.blockCount(), 1);
    QCOMPARE(doc.firstBlock().text(), expected); // as stored: no-break spaces and line breaks kept
}

void TestRtfReader::lists_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("indent");
    QTest::addColumn<QString>("marker"); // QTextList::itemText: the number as shown

    using L = QTextListFormat;
    QTest::newRow("word bullet") << QByteArray("word2016-lists.rtf") << u"Administrative"_s << int(L::ListDisc) << 1
                                 << QString();
    QTest::newRow("word circle") << QByteArray("word2016-lists.rtf") << u"Risk analysis"_s << int(L::ListCircle) << 2
                                 << QString();
    QTest::newRow("word square") << QByteArray("word2016-lists.rtf") << u"Required"_s << int(L::ListSquare) << 3
                                 << QString();
    QTest::newRow("word decimal") << QByteArray("word2016-lists.rtf") << u"Assess"_s << int(L::ListDecimal) << 1
                                  << u"2."_s;
    QTest::newRow("word restarts deeper level")
        << QByteArray("word2016-lists.rtf") << u"Threats"_s << int(L::ListLowerAlpha) << 2 << u"a."_s;
    QTest::newRow("word roman") << QByteArray("word2016-lists.rtf") << u"Hardware"_s << int(L::ListLowerRoman) << 3
                                << u"i."_s;
    QTest::newRow("word continues across paragraph")
        << QByteArray("word2016-lists.rtf") << u"Mitigate"_s << int(L::ListDecimal) << 1 << u"3."_s;
    QTest::newRow("word prefix and suffix")
        << QByteArray("word2016-lists.rtf") << u"Lettered"_s << int(L::ListUpperAlpha) << 1 << u"(A)"_s;
    QTest::newRow("wordpad bullet") << QByteArray("wordpad-bullets.rtf") << u"Locked racks"_s << int(L::ListDisc) << 1
                                    << QString();
    QTest::newRow("wordpad number") << QByteArray("wordpad-bullets.rtf") << u"Record"_s << int(L::ListDecimal) << 1
                                    << u"2."_s;
    QTest::newRow("wordpad letter restarts")
        << QByteArray("wordpad-bullets.rtf") << u"Lettered"_s << int(L::ListLowerAlpha) << 1 << u"a)"_s;
    QTest::newRow("libreoffice nested") << QByteArray("libreoffice-sample.rtf") << u"Nested bullet"_s
                                        << int(L::ListDisc) << 2 << QString();
    QTest::newRow("libreoffice number") << QByteArray("libreoffice-sample.rtf") << u"Step three"_s
                                        << int(L::ListDecimal) << 1 << u"3."_s;
    QTest::newRow("libreoffice bullet after nested")
        << QByteArray("libreoffice-sample.rtf") << u"Third bullet"_s << int(L::ListDisc) << 1 << QString();
}

void TestRtfReader::lists()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, item);
    QFETCH(int, style);
    QFETCH(int, indent);
    QFETCH(QString, marker);
    QTextDocument doc;
    QVERIFY(qv::rtf::read(sample(file.constData()), doc));
    const QTextBlock block = blockWith(doc, item);
    QCOMPARE(block.text(), item); // the bullet text written for other readers is gone
    QTextList* list = block.textList();
    QVERIFY(list);
    QCOMPARE(int(list->format().style()), style);
    QCOMPARE(list->format().indent(), indent);
    if (!marker.isEmpty())
        QCOMPARE(list->itemText(block), marker);
}

void TestRtfReader::listText_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("listed");
    // Without a list definition the bullet text is all the reader has, so it stays visible.
    QTest::newRow("no list") << QByteArray("{\\pntext\\f2\\'b7\\tab}Item\\par") << u"•\tItem"_s << false;
    QTest::newRow("pn list") << QByteArray("{\\pntext\\f2\\'b7\\tab}{\\*\\pn\\pnlvlblt}Item\\par") << u"Item"_s << true;
    QTest::newRow("both forms") << QByteArray("{\\listtext\\'95\\tab}{\\pntext\\'95\\tab}\\pard\\ls1 Item\\par")
                                << u"Item"_s << true;
    QTest::newRow("text between markers")
        << QByteArray("{\\listtext 1.\\tab}a{\\pntext 2.}\\ls1 b\\par") << u"a2.b"_s << true;
}

void TestRtfReader::listText()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QFETCH(bool, listed);
    QTextDocument doc;
    QVERIFY(qv::rtf::read(wrap(body), doc));
    QCOMPARE(text(doc), expected);
    QCOMPARE(doc.begin().textList() != nullptr, listed);
}

void TestRtfReader::writtenAndReadAgain_data()
{
    QTest::addColumn<QString>("file");
    for (const char* name : {"word2016-formatting.rtf",
                             "word2016-lists.rtf",
                             "word2016-table.rtf",
                             "wordpad-bullets.rtf",
                             "libreoffice-sample.rtf",
                             "libreoffice-table.rtf",
                             "libreoffice-docx-sample.rtf"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestRtfReader::writtenAndReadAgain()
{
    // What the reader builds from other programs' files, our writer must carry through unchanged.
    QFETCH(QString, file);
    QTextDocument doc;
    QVERIFY(qv::rtf::read(sample(file.toLatin1().constData()), doc));
    QTextDocument again;
    QVERIFY(qv::rtf::read(qv::rtf::write(doc), again));
    const QStringList differences = qv::rtf::compareDocuments(doc, again);
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u'\n')));
}

void TestRtfReader::tables()
{
    QTextDocument doc;
    QVERIFY(qv::rtf::read(sample("word2016-table.rtf"), doc));
    QTextTable* table = QTextCursor(blockWith(doc, u"Administrator"_s)).currentTable();
    QVERIFY(table);
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 3);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    QCOMPARE(widths.size(), 3);
    QCOMPARE(widths[0], QTextLength(QTextLength::FixedLength, qv::rtfunits::fromTwips(3008 + 108)));
    QCOMPARE(widths[1], QTextLength(QTextLength::FixedLength, qv::rtfunits::fromTwips(6125 - 3008)));
    QVERIFY(table->format().border() > 0);
    QCOMPARE(table->cellAt(0, 1).format().background().color(), QColor(217, 226, 243));
    QCOMPARE(table->cellAt(1, 0).rowSpan(), 2);
    QCOMPARE(table->cellAt(1, 0).firstCursorPosition().block().text(), u"Dana"_s);
    QCOMPARE(table->cellAt(2, 1).columnSpan(), 2);
    QCOMPARE(table->cellAt(2, 1).firstCursorPosition().block().text(), u"Auditor for two columns"_s);
    // A paragraph mark inside a cell gives the cell two blocks.
    const QTextTableCell yes = table->cellAt(1, 2);
    QCOMPARE(yes.firstCursorPosition().block().text(), u"Yes"_s);
    QCOMPARE(yes.lastCursorPosition().block().text(), u"Quarterly"_s);
    QCOMPARE(blockWith(doc, u"After the table."_s).blockFormat().bottomMargin(), qv::rtfunits::fromTwips(160));

    QTextDocument lo;
    QVERIFY(qv::rtf::read(sample("libreoffice-table.rtf"), lo));
    QTextTable* risks = QTextCursor(blockWith(lo, u"Laptop"_s)).currentTable();
    QVERIFY(risks);
    QCOMPARE(risks->cellAt(1, 0).rowSpan(), 2);
    QCOMPARE(risks->cellAt(3, 0).columnSpan(), 3);
    QCOMPARE(risks->cellAt(3, 0).format().background().color(), QColor(255, 255, 0));
    QCOMPARE(QTextCursor(blockWith(lo, u"plain one"_s)).currentTable()->format().border(), 0.0);
}

void TestRtfReader::tableShapes_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("plain");
    QTest::newRow("definition first") << QByteArray("\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row") << 1
                                      << 2 << u"\na\nb\n"_s;
    QTest::newRow("definition last") << QByteArray("\\intbl a\\cell b\\cell\\trowd\\cellx1000\\cellx2000\\row") << 1
                                     << 2 << u"\na\nb\n"_s;
    QTest::newRow("no definition") << QByteArray("\\intbl a\\cell b\\cell c\\cell\\row") << 1 << 3 << u"\na\nb\nc\n"_s;
    QTest::newRow("missing row at end") << QByteArray("x\\par\\trowd\\cellx1000\\intbl a\\cell b") << 1 << 2
                                        << u"x\na\nb\n"_s;
    QTest::newRow("fewer cells than defined")
        << QByteArray("\\trowd\\cellx1000\\cellx2000\\cellx3000\\intbl a\\cell\\row") << 1 << 3 << u"\na\n\n\n"_s;
    QTest::newRow("rows of different widths")
        << QByteArray("\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\trowd\\cellx2000\\intbl c\\cell\\row")
        << 2 << 2 << u"\na\nb\nc\n"_s;
    QTest::newRow("horizontal merge flags")
        << QByteArray("\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\cellx3000\\intbl a\\cell\\cell b\\cell\\row") << 1
        << 3 << u"\na\nb\n"_s;
    QTest::newRow("nested flattened")
        << QByteArray(
               "\\trowd\\cellx2000\\intbl a\\nestcell b\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow}"
               "{\\nonesttables\\par}\\nestrow\\cell\\row")
        << 1 << 1 << u"\na\nb\n\n"_s;
    QTest::newRow("two tables") << QByteArray("\\trowd\\cellx1000\\intbl a\\cell\\row\\pard mid\\par\\trowd\\cellx1000"
                                              "\\intbl b\\cell\\row")
                                << 1 << 1 << u"\na\nmid\nb\n"_s;
}

void TestRtfReader::tableShapes()
{
    QFETCH(QByteArray, body);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QString, plain);
    QTextDocument doc;
    QVERIFY(qv::rtf::read(wrap(body), doc));
    QCOMPARE(text(doc), plain);
    QTextTable* table = QTextCursor(blockWith(doc, u"a"_s)).currentTable();
    QVERIFY(table);
    QCOMPARE(table->rows(), rows);
    QCOMPARE(table->columns(), columns);
}

void TestRtfReader::pictures_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QSize>("pixels"); // of the resource; empty for the placeholder
    QTest::addColumn<QSizeF>("shown");

    const QByteArray png =
        "89504e470d0a1a0a0000000d49484452000000100000000c0802000000e485aad60000001a49444154789c63f85ff11f"
        "2b62c08546a806ec8801171a891a007c8e195024f2d2100000000049454e44ae426082";
    QTest::newRow("png with goal") << "{\\pict\\pngblip\\picw16\\pich12\\picwgoal480\\pichgoal360 " + png + "}"
                                   << QSize(16, 12) << QSizeF(32, 24);
    QTest::newRow("png scaled") << "{\\pict\\pngblip\\picwgoal480\\pichgoal360\\picscalex50\\picscaley200 " + png + "}"
                                << QSize(16, 12) << QSizeF(16, 48);
    QTest::newRow("png natural size") << "{\\pict\\pngblip\r\n" + png.left(64) + "\r\n" + png.mid(64) + "}"
                                      << QSize(16, 12) << QSizeF(16, 12);
    QTest::newRow("png as binary") << "{\\pict\\pngblip\\bin" + QByteArray::number(png.size() / 2) + " " +
                                          QByteArray::fromHex(png) + "}"
                                   << QSize(16, 12) << QSizeF(16, 12);
    QTest::newRow("shppict preferred") << "{\\*\\shppict{\\pict\\pngblip " + png +
                                              "}}{\\nonshppict{\\pict\\wmetafile8 0100090000}}"
                                       << QSize(16, 12) << QSizeF(16, 12);
    QTest::newRow("metafile") << QByteArray("{\\pict\\wmetafile8\\picwgoal1500\\pichgoal750 0100090000}") << QSize()
                              << QSizeF(100, 50);
    QTest::newRow("broken png") << QByteArray("{\\pict\\pngblip 89504e470d0a1a0a00ff}") << QSize() << QSizeF(128, 96);
    QTest::newRow("truncated") << "{\\pict\\pngblip " + png.left(80) << QSize() << QSizeF(128, 96);
}

void TestRtfReader::pictures()
{
    QFETCH(QByteArray, body);
    QFETCH(QSize, pixels);
    QFETCH(QSizeF, shown);
    QTextDocument doc;
    QVERIFY(qv::rtf::read(wrap("a" + body), doc));
    QCOMPARE(text(doc), u"a\uFFFC"_s);
    const QTextCharFormat f = formatAt(doc, u"\uFFFC"_s);
    QVERIFY(f.isImageFormat());
    const QTextImageFormat image = f.toImageFormat();
    QCOMPARE(QSizeF(image.width(), image.height()), shown);
    const QImage resource = doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    QVERIFY(!resource.isNull());
    if (pixels.isEmpty()) {
        QCOMPARE(image.name(), u"rtfimage://placeholder"_s);
    } else {
        QCOMPARE(image.name(), u"rtfimage://1"_s);
        QCOMPARE(resource.size(), pixels);
        QCOMPARE(resource.pixelColor(0, 0), QColor(255, 120, 255));
        QCOMPARE(resource.pixelColor(15, 11), QColor(0, 120, 0));
    }
}

void TestRtfReader::links_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("href"); // of the character after "x", or empty for no link
    const QByteArray link =
        "{\\field{\\*\\fldinst {HYPERLINK \"http://a.example/?q=1\" }}{\\fldrslt {\\ul\\cf1 xlink}}}";
    QTest::newRow("hyperlink") << link << u"xlink"_s << u"http://a.example/?q=1"_s;
    QTest::newRow("after link") << link + " xafter" << u"xlink xafter"_s << QString();
    QTest::newRow("bookmark") << QByteArray("{\\field{\\*\\fldinst HYPERLINK \\\\l \"Intro\"}{\\fldrslt xin}}")
                              << u"xin"_s << u"#Intro"_s;
    QTest::newRow("escaped path") << QByteArray("{\\field{\\*\\fldinst HYPERLINK \"C:\\\\\\\\dir\\\\\\\\f.doc\"}"
                                                "{\\fldrslt xfile}}")
                                  << u"xfile"_s << u"C:\\dir\\f.doc"_s;
    QTest::newRow("lower case and switches") << QByteArray("{\\field{\\*\\fldinst hyperlink \\\\o \"tip\" "
                                                           "https://b.example}{\\fldrslt xb}}")
                                             << u"xb"_s << u"https://b.example"_s;
    QTest::newRow("other field") << QByteArray("{\\field{\\*\\fldinst PAGE}{\\fldrslt x7}}") << u"x7"_s << QString();
    QTest::newRow("nested field") << QByteArray("{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt "
                                                "{\\field{\\*\\fldinst PAGE}{\\fldrslt x2}}}}")
                                  << u"x2"_s << u"u"_s;
    QTest::newRow("plain keeps link") << QByteArray("{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt \\plain xp}}")
                                      << u"xp"_s << u"u"_s;
}

void TestRtfReader::links()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, plain);
    QFETCH(QString, href);
    QTextDocument doc;
    QVERIFY(qv::rtf::read(wrap(body), doc));
    QCOMPARE(text(doc), plain);
    const QString needle = plain.mid(plain.lastIndexOf(u'x'));
    const QTextCharFormat f = formatAt(doc, needle);
    QCOMPARE(f.isAnchor(), !href.isEmpty());
    QCOMPARE(f.anchorHref(), href);
    if (needle == u"xlink")
        QCOMPARE(f.foreground().color(), QColor(255, 0, 0)); // the link keeps its own look
}

void TestRtfReader::paragraphCount_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("blocks");
    // The last \par closes the last paragraph rather than opening an empty one, as Word and WordPad
    // read it; an explicit empty paragraph stays.
    QTest::newRow("no par") << QByteArray("a") << 1;
    QTest::newRow("closing par") << QByteArray("a\\par") << 1;
    QTest::newRow("empty paragraph") << QByteArray("a\\par\\par") << 2;
    QTest::newRow("text after par") << QByteArray("a\\par b") << 2;
    QTest::newRow("sect ends paragraph") << QByteArray("a\\sect b\\par") << 2;
    QTest::newRow("empty document") << QByteArray() << 1;
    QTest::newRow("only par") << QByteArray("\\par") << 1;
}

void TestRtfReader::paragraphCount()
{
    QFETCH(QByteArray, body);
    QFETCH(int, blocks);
    QTextDocument doc;
    QVERIFY(qv::rtf::read(wrap(body), doc));
    QCOMPARE(doc.blockCount(), blocks);
}

int runRtfReaderRobustnessTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestRtfReader formats;
    const int failed = QTest::qExec(&formats, argc, argv);
    return failed + runRtfReaderRobustnessTests(argc, argv);
}

#include "tst_rtfreader.moc"
