#include "core/rtf/rtfpicture.h"
#include "core/rtf/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

using namespace Qt::StringLiterals;

namespace {

    QByteArray sample(const QString& name)
    {
        QFile file(QStringLiteral(QUORVANE_TEST_DATA "/rtf/") + name);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("missing sample %s", qPrintable(name));
        return file.readAll();
    }

    QByteArray repeated(const QByteArray& piece, int times)
    {
        return piece.repeated(times);
    }

    QByteArray pngHex(const QImage& image)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes.toHex();
    }

    // Words that only appear in font tables, style sheets and other destinations never shown.
    const QStringList leaks{u"Calibri"_s, u"Times New Roman"_s, u"Symbol"_s, u"Riched20"_s, u"Normal;"_s};

} // namespace

class TestRtfReaderRobustness : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void brokenInput_data();
    void brokenInput();
    void randomInput_data();
    void randomInput();
    void truncatedSamples_data();
    void truncatedSamples();
    void pictureBudget();
    void tableGridStaysSmall();
};

void TestRtfReaderRobustness::brokenInput_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    const QByteArray png = pngHex(QImage(4, 4, QImage::Format_RGB32));
    QTest::newRow("missing closing braces") << QByteArray("{\\rtf1 {\\b bold {\\i both") << u"bold both"_s;
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}} b}") << u"a b"_s;
    QTest::newRow("closing before opening") << QByteArray("{\\rtf1 }}}a{") << u"a"_s;
    QTest::newRow("truncated word") << QByteArray("{\\rtf1 a\\pa") << u"a"_s;
    QTest::newRow("truncated backslash") << QByteArray("{\\rtf1 a\\") << u"a"_s;
    QTest::newRow("truncated unicode") << QByteArray("{\\rtf1 a\\u8364") << u"a€"_s;
    QTest::newRow("truncated font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << QString();
    QTest::newRow("truncated field") << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"u") << QString();
    QTest::newRow("truncated picture") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e") << u"a\uFFFC"_s;
    QTest::newRow("huge bin") << QByteArray("{\\rtf1 a\\bin99999999999999 xyz}") << u"a"_s;
    QTest::newRow("negative bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << u"ab"_s;
    QTest::newRow("bin in skipped group") << QByteArray("{\\rtf1 {\\*\\x \\bin3 }}}}a}") << u"a"_s;
    QTest::newRow("escaped braces in skipped group") << QByteArray("{\\rtf1 {\\*\\x \\}\\}\\\\}a}") << u"a"_s;
    QTest::newRow("huge parameters") << QByteArray("{\\rtf1 \\li99999999999999999999\\fi-99999999999999999 "
                                                   "\\sl-2147483648\\sb99999999999\\tx99999999999\\ls99999999999"
                                                   "\\ilvl-5\\cf-7\\f-3\\fs-2\\ansicpg-1 x\\par}")
                                     << u"x"_s;
    QTest::newRow("uc clamps") << QByteArray("{\\rtf1 \\uc999999999\\u8364 abc}") << u"€"_s;
    QTest::newRow("deep nesting") << "{\\rtf1 " + repeated("{", 100000) + "x" + repeated("}", 100000) + "}" << u"x"_s;
    QTest::newRow("deep nesting unclosed") << "{\\rtf1 " + repeated("{", 100000) + "\\b x" << u"x"_s;
    QTest::newRow("deep nesting then text")
        << "{\\rtf1 " + repeated("{\\i ", 5000) + "a" + repeated("}", 5000) + "b}" << u"ab"_s;
    QTest::newRow("deep skipped group") << "{\\rtf1 {\\*\\x " + repeated("{", 100000) + repeated("}", 100000) + "}a}"
                                        << u"a"_s;
    QTest::newRow("skip word at top level") << QByteArray("{\\rtf1\\info a}") << u"a"_s;
    QTest::newRow("many closing braces") << "{\\rtf1 a" + repeated("}", 100000) + "b" << u"ab"_s;
    QTest::newRow("nested fields") << "{\\rtf1 " + repeated("{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt ", 3000) +
                                          "x"
                                   << u"x"_s;
    QTest::newRow("nested pictures") << "{\\rtf1 {\\pict\\pngblip " + png + "{\\pict " + png + "}}}" << u"\uFFFC"_s;
    QTest::newRow("picture outside text") << "{\\rtf1{\\fonttbl{\\pict\\pngblip " + png + "}}a}" << u"a"_s;
    QTest::newRow("huge hex picture") << "{\\rtf1 {\\pict\\pngblip " + repeated("00", 4 * 1024 * 1024) + "}}"
                                      << u"\uFFFC"_s;
    QTest::newRow("cells without rows") << "{\\rtf1 " + repeated("\\intbl a\\cell", 5000) + "}"
                                        << u"\n"_s + u"a\n"_s.repeated(5000);
    QTest::newRow("rows without cells") << "{\\rtf1 a" + repeated("\\trowd\\cellx100\\row", 10000) + "}" << u"a"_s;
    QByteArray widths;
    for (int i = 1; i <= 5000; ++i)
        widths += "\\cellx" + QByteArray::number(i * 100);
    QTest::newRow("cellx storm") << "{\\rtf1 \\trowd" + widths + "\\intbl a\\cell\\row}"
                                 << u"\na"_s + QString(128, u'\n');
    QTest::newRow("vertical merge without start") << QByteArray("{\\rtf1 \\trowd\\clvmrg\\cellx100\\clmrg\\cellx200"
                                                                "\\intbl a\\cell b\\cell\\row}")
                                                  << u"\na\n"_s;
    QTest::newRow("list level out of range") << QByteArray("{\\rtf1 \\ls1\\ilvl99 x\\par}") << u"x"_s;
    QTest::newRow("list table garbage") << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'ff;}}"
                                                      "{\\listlevel\\levelnfc-9}\\listid-1}}{\\*\\listoverridetable"
                                                      "{\\listoverride\\ls0}}\\ls1 x\\par}")
                                        << u"x"_s;
    QTest::newRow("unicode pair") << QByteArray("{\\rtf1 {\\upr{ansi}{\\*\\ud{wide}}}}") << u"wide"_s;
    QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}\0\0", 14) << u"ab"_s;
}

void TestRtfReaderRobustness::brokenInput()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QElapsedTimer timer;
    timer.start();
    QTextDocument doc;
    QVERIFY(qv::rtf::read(input, doc));
    QCOMPARE(doc.toPlainText(), expected);
    QVERIFY(doc.documentLayout()->documentSize().isValid());
    // Linear work: even the largest of these inputs takes far less than this.
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
}

void TestRtfReaderRobustness::randomInput_data()
{
    QTest::addColumn<QByteArray>("input");
    QRandomGenerator random(20240611);
    // Raw bytes after the signature.
    for (int i = 0; i < 20; ++i) {
        QByteArray bytes = "{\\rtf1 ";
        for (int n = 0; n < 4000; ++n)
            bytes.append(static_cast<char>(random.bounded(256)));
        QTest::addRow("bytes %d", i) << bytes;
    }
    // Well-formed tokens in a random order, which reach far more of the reader than random bytes.
    const QList<QByteArray> tokens{"{",
                                   "}",
                                   "{\\*\\x ",
                                   "\\par ",
                                   "\\cell ",
                                   "\\row ",
                                   "\\trowd",
                                   "\\cellx500",
                                   "\\clvmgf",
                                   "\\clvmrg",
                                   "\\clmgf",
                                   "\\clmrg",
                                   "\\intbl ",
                                   "\\pard",
                                   "\\ls1",
                                   "\\ilvl2",
                                   "{\\listtext x}",
                                   "{\\pntext y}",
                                   "{\\*\\pn\\pnlvlbody}",
                                   "{\\field",
                                   "{\\*\\fldinst HYPERLINK \"u\"}",
                                   "{\\fldrslt ",
                                   "{\\pict\\pngblip ",
                                   "89504e",
                                   "\\bin4 ",
                                   "\\u-3913?",
                                   "\\uc3",
                                   "\\'e9",
                                   "text ",
                                   "\\page ",
                                   "\\f1",
                                   "\\fonttbl",
                                   "\\colortbl;",
                                   "\\red9;",
                                   "\\b",
                                   "\\nestcell ",
                                   "\\nestrow ",
                                   "\\sect ",
                                   "\\upr",
                                   "{\\*\\ud ",
                                   "\\listtable",
                                   "{\\list\\listid1",
                                   "{\\listlevel\\levelnfc23",
                                   "{\\leveltext\\'01\\u8226 ?;}",
                                   "\\listoverridetable",
                                   "{\\listoverride\\listid1\\ls1}"};
    for (int i = 0; i < 40; ++i) {
        QByteArray bytes = "{\\rtf1 ";
        for (int n = 0; n < 1500; ++n)
            bytes.append(tokens[random.bounded(tokens.size())]);
        QTest::addRow("tokens %d", i) << bytes;
    }
}

void TestRtfReaderRobustness::randomInput()
{
    QFETCH(QByteArray, input);
    QTextDocument doc;
    QVERIFY(qv::rtf::read(input, doc));
    // The document must stay consistent enough to lay out and to be read back as HTML.
    QVERIFY(doc.documentLayout()->documentSize().isValid());
    QVERIFY(!doc.toHtml().isEmpty());
}

void TestRtfReaderRobustness::truncatedSamples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("marker"); // as it stands in the file
    QTest::addColumn<int>("step");
    QTest::newRow("wordpad") << u"wordpad-bullets.rtf"_s << QByteArray("Checklist for the ") << 1;
    QTest::newRow("word formatting") << u"word2016-formatting.rtf"_s << QByteArray("Workstation Use Policy") << 37;
    QTest::newRow("word lists") << u"word2016-lists.rtf"_s << QByteArray("Safeguards:") << 41;
    QTest::newRow("word table") << u"word2016-table.rtf"_s << QByteArray("Access review:") << 31;
    QTest::newRow("libreoffice") << u"libreoffice-sample.rtf"_s << QByteArray("Security Policy") << 43;
    QTest::newRow("libreoffice table") << u"libreoffice-table.rtf"_s << QByteArray("Risk register") << 13;
}

void TestRtfReaderRobustness::truncatedSamples()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, marker);
    QFETCH(int, step);
    const QByteArray full = sample(file);
    QTextDocument whole;
    QVERIFY(!qv::rtf::readDocument(full, whole).cutOff);
    const qsizetype markerEnd = full.indexOf(marker) + marker.size();
    QVERIFY(markerEnd > marker.size());
    const QString expected = QString::fromLatin1(marker).trimmed();
    // Whatever follows the document's closing brace (a line end, NULs) is not the document.
    const qsizetype lastBrace = full.lastIndexOf('}');
    QVERIFY(lastBrace > 0);
    QTextDocument doc;
    for (qsizetype cut = 6; cut <= full.size(); cut += step) {
        // A torn file must be noticed at every length, yet still give what it holds.
        const qv::rtf::ReadOutcome outcome = qv::rtf::readDocument(full.left(cut), doc);
        QVERIFY(outcome.wasRtf);
        QVERIFY2(outcome.cutOff == (cut <= lastBrace), qPrintable(u"cut %1 of %2"_s.arg(cut).arg(full.size())));
        const QString text = doc.toPlainText();
        for (const QString& leak : leaks)
            QVERIFY2(!text.contains(leak), qPrintable(u"cut %1 leaked %2"_s.arg(cut).arg(leak)));
        if (cut >= markerEnd)
            QVERIFY2(text.contains(expected), qPrintable(u"cut %1: %2"_s.arg(cut).arg(text)));
    }
}

void TestRtfReaderRobustness::pictureBudget()
{
    // A few bytes of PNG may claim a picture of gigabytes; past its share of the budget a picture is
    // not decoded at all, and the caller shows the placeholder.
    QImage image(16, 12, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    qv::rtf::PictureData picture;
    picture.data = QByteArray::fromHex(pngHex(image));

    qv::rtf::PictureDecoder budget(1000, 1000);
    int decoded = 0;
    for (int i = 0; i < 10; ++i)
        decoded += !budget.decode(picture).isNull();
    QCOMPARE(decoded, 5); // 192 pixels each

    qv::rtf::PictureDecoder small(10000, 100);
    QVERIFY(small.decode(picture).isNull());
    qv::rtf::PictureDecoder enough(10000, 192);
    QCOMPARE(enough.decode(picture).size(), QSize(16, 12));

    // Writers mislabel pictures; the bytes decide.
    QVERIFY(!qv::rtf::PictureDecoder().decode(picture).isNull());
    picture.data = QByteArray::fromHex("0100090000");
    QVERIFY(qv::rtf::PictureDecoder().decode(picture).isNull());
}

void TestRtfReaderRobustness::tableGridStaysSmall()
{
    // Every row with its own cell edges: a shared grid would need a column per edge.
    QByteArray rtf = "{\\rtf1 ";
    for (int r = 0; r < 300; ++r)
        rtf += "\\trowd\\cellx" + QByteArray::number(100 + r * 20) + "\\cellx9000\\intbl r" + QByteArray::number(r) +
               "\\cell z\\cell\\row";
    rtf += "}";
    QTextDocument doc;
    QVERIFY(qv::rtf::read(rtf, doc));
    int cells = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (QTextTable* t = QTextCursor(b).currentTable())
            QVERIFY(t->columns() <= 128);
        cells += b.text() == u"z";
    }
    QCOMPARE(cells, 300);
    QVERIFY(doc.toPlainText().contains(u"r299"));
}

int runRtfReaderRobustnessTests(int argc, char** argv)
{
    TestRtfReaderRobustness tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_rtfreader_robustness.moc"
