// What the writer writes, our reader reads back the same; the quorvane-rtf tool says so for whole
// files; LibreOffice reads it too.

#include "core/rtf/rtfplaintext.h"
#include "rtfsamples.h"
#include "rtftestdocs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextList>
#include <QTextTable>

using namespace qv;
using namespace qv::test;
using namespace Qt::StringLiterals;

namespace {

    QString report(const QStringList& differences)
    {
        return differences.join(u'\n');
    }

    std::unique_ptr<QTextDocument> htmlDocument(const QString& html)
    {
        auto doc = newDocument();
        doc->setHtml(html);
        return doc;
    }

    const QString SampleHtml = uR"(<h1>Heading One</h1>
<p>Plain <b>bold</b> <i>italic</i> <u>under</u> <s>strike</s> <span style="color:#c00000">red</span>
<span style="background:#ffff00">marked</span> x<sup>2</sup> H<sub>2</sub>O &euro; &Omega; {braces} back\slash</p>
<p align="center" style="font-family:'Times New Roman'; font-size:14pt">Centred</p>
<p style="margin-left:40px; text-indent:20px">Indented paragraph.</p>
<ul><li>one</li><li>two<ul><li>nested</li></ul></li></ul>
<ol><li>first</li><li>second</li></ol>
<table border="1" width="300"><tr><td colspan="2">span</td><td>c</td></tr><tr><td>a</td><td>b</td><td>c2</td></tr></table>
<p>A <a href="https://example.com/a?b=1">link</a> here.</p>)"_s;

    QString toolPath()
    {
        return QStringLiteral(QUORVANE_BIN_DIR "/quorvane-rtf");
    }

    struct ToolRun
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };

    ToolRun runTool(const QStringList& args)
    {
        QProcess process;
        process.start(toolPath(), args);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    bool writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

} // namespace

class TestRtfRoundTrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void characterFormats_data();
    void characterFormats();
    void paragraphFormats_data();
    void paragraphFormats();
    void text_data();
    void text();
    void lists_data();
    void lists();
    void tables();
    void pictures();
    void links();
    void wholeDocuments_data();
    void wholeDocuments();
    void comparisonFindsChanges_data();
    void comparisonFindsChanges();
    void checkTool_data();
    void checkTool();
    void checkToolNamesCutOffFile();
    void toolArguments();
    void libreOfficeReadsIt();
};

void TestRtfRoundTrip::characterFormats_data()
{
    addCharacterRows();
}

void TestRtfRoundTrip::characterFormats()
{
    QFETCH(CharEdit, edit);
    const auto doc = runDocument(edit);
    const auto back = roundTrip(*doc);
    const QStringList differences = rtf::compareDocuments(*doc, *back);
    QVERIFY2(differences.isEmpty(), qPrintable(report(differences)));
}

void TestRtfRoundTrip::paragraphFormats_data()
{
    addParagraphRows();
}

void TestRtfRoundTrip::paragraphFormats()
{
    QFETCH(BlockEdit, edit);
    const auto doc = paragraphDocument(edit);
    const auto back = roundTrip(*doc);
    const QStringList differences = rtf::compareDocuments(*doc, *back);
    QVERIFY2(differences.isEmpty(), qPrintable(report(differences)));
}

void TestRtfRoundTrip::text_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("rtf specials") << u"a\\b {x} \\par"_s;
    QTest::newRow("windows-1252") << u"caf\u00e9 \u20ac5 \u201cquoted\u201d \u2013 \u2014 \u2122"_s;
    QTest::newRow("outside the code page") << u"\u03a9 \u4e2d\u6587 \u0416"_s;
    QTest::newRow("above 7FFF") << u"\uf020\uffe5"_s;
    QTest::newRow("surrogate pair") << u"smile \U0001F600 end"_s;
    QTest::newRow("tabs and line breaks") << u"a\tb\u2028c"_s;
    QTest::newRow("no-break space") << u"a\u00a0b"_s;
    QTest::newRow("leading spaces after a word") << u"\t  two spaces"_s;
    QTest::newRow("several paragraphs") << u"one\ntwo\n\nfour"_s;
}

void TestRtfRoundTrip::text()
{
    QFETCH(QString, text);
    auto doc = newDocument();
    doc->setPlainText(text);
    const auto back = roundTrip(*doc);
    QCOMPARE(back->toRawText(), doc->toRawText());
    QCOMPARE(back->blockCount(), doc->blockCount());
}

void TestRtfRoundTrip::lists_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("indent");
    for (const auto& [name, style] : {std::pair{"disc", QTextListFormat::ListDisc},
                                      std::pair{"circle", QTextListFormat::ListCircle},
                                      std::pair{"square", QTextListFormat::ListSquare},
                                      std::pair{"decimal", QTextListFormat::ListDecimal},
                                      std::pair{"lower alpha", QTextListFormat::ListLowerAlpha},
                                      std::pair{"upper alpha", QTextListFormat::ListUpperAlpha},
                                      std::pair{"lower roman", QTextListFormat::ListLowerRoman},
                                      std::pair{"upper roman", QTextListFormat::ListUpperRoman}}) {
        QTest::addRow("%s", name) << int(style) << 1;
        QTest::addRow("%s, second level", name) << int(style) << 2;
    }
}

void TestRtfRoundTrip::lists()
{
    QFETCH(int, style);
    QFETCH(int, indent);
    auto doc = newDocument();
    QTextCursor cursor(doc.get());
    cursor.insertText(QStringLiteral("before"));
    QTextListFormat format;
    format.setStyle(QTextListFormat::Style(style));
    format.setIndent(indent);
    cursor.insertBlock();
    cursor.createList(format);
    for (int i = 1; i <= 3; ++i) {
        if (i > 1)
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("item %1").arg(i));
    }
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("after"));
    const auto back = roundTrip(*doc);
    const QStringList differences = rtf::compareDocuments(*doc, *back);
    QVERIFY2(differences.isEmpty(), qPrintable(report(differences)));
}

void TestRtfRoundTrip::tables()
{
    auto doc = newDocument();
    QTextCursor cursor(doc.get());
    cursor.insertText(QStringLiteral("above"));
    QTextTableFormat format;
    format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100),
                                      QTextLength(QTextLength::FixedLength, 60),
                                      QTextLength(QTextLength::FixedLength, 140)});
    QTextTable* table = cursor.insertTable(3, 3, format);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            table->cellAt(r, c).firstCursorPosition().insertText(QStringLiteral("%1,%2").arg(r).arg(c));
    table->mergeCells(0, 0, 1, 2);
    table->mergeCells(1, 2, 2, 1);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    table->cellAt(2, 0).lastCursorPosition().insertText(QStringLiteral(" bold"), bold);
    const auto back = roundTrip(*doc);
    const QStringList differences = rtf::compareDocuments(*doc, *back);
    QVERIFY2(differences.isEmpty(), qPrintable(report(differences)));
}

void TestRtfRoundTrip::pictures()
{
    auto doc = newDocument();
    QImage image(30, 12, QImage::Format_RGB32);
    image.fill(QColor(10, 120, 200));
    const QUrl url(QStringLiteral("rtfimage://1"));
    doc->addResource(QTextDocument::ImageResource, url, image);
    QTextCursor cursor(doc.get());
    cursor.insertText(QStringLiteral("picture: "));
    QTextImageFormat f;
    f.setName(url.toString());
    f.setWidth(60);
    f.setHeight(24);
    cursor.insertImage(f);
    const auto back = roundTrip(*doc);
    const QStringList differences = rtf::compareDocuments(*doc, *back);
    QVERIFY2(differences.isEmpty(), qPrintable(report(differences)));

    QTextImageFormat read;
    for (auto it = back->begin().begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().isImageFormat())
            read = it.fragment().charFormat().toImageFormat();
    QVERIFY(read.isValid());
    const QImage picture =
        back->resource(QTextDocument::ImageResource, QUrl(read.name())).value<QImage>().convertToFormat(image.format());
    QCOMPARE(picture.size(), image.size());
    QCOMPARE(picture.pixelColor(3, 3), image.pixelColor(3, 3));
}

void TestRtfRoundTrip::links()
{
    auto doc = newDocument();
    QTextCursor cursor(doc.get());
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(QStringLiteral("https://example.com/p?q=\"x\"&r=1"));
    link.setFontUnderline(true);
    cursor.insertText(QStringLiteral("go "));
    cursor.insertText(QStringLiteral("there"), link);
    cursor.insertText(QStringLiteral(" now"), QTextCharFormat());
    const auto back = roundTrip(*doc);
    const QStringList differences = rtf::compareDocuments(*doc, *back);
    QVERIFY2(differences.isEmpty(), qPrintable(report(differences)));
}

void TestRtfRoundTrip::wholeDocuments_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("html sample") << 0;
    QTest::newRow("markdown") << 1;
    QTest::newRow("mixed benchmark sample") << 2;
    QTest::newRow("plain pages") << 3;
}

void TestRtfRoundTrip::wholeDocuments()
{
    QFETCH(int, kind);
    std::unique_ptr<QTextDocument> doc;
    switch (kind) {
    case 0:
        doc = htmlDocument(SampleHtml);
        break;
    case 1:
        doc = newDocument();
        doc->setMarkdown(u"# Title\n\nSome *emphasis* and **strong** text.\n\n- one\n- two\n\n1. first\n2. second\n\n"
                         "| a | b |\n|---|---|\n| c | d |\n"_s);
        break;
    case 2:
        doc = bench::mixedDocument(60000);
        break;
    default:
        doc = bench::plainDocument(3);
        break;
    }
    // What the program keeps is what the reader makes of a file; writing that again must keep it.
    const auto first = roundTrip(*doc);
    QCOMPARE(first->toPlainText(), doc->toPlainText());
    const auto second = roundTrip(*first);
    const QStringList differences = rtf::compareDocuments(*first, *second);
    QVERIFY2(differences.isEmpty(), qPrintable(report(differences)));
    QCOMPARE(rtf::write(*second), rtf::write(*first));
}

void TestRtfRoundTrip::comparisonFindsChanges_data()
{
    QTest::addColumn<CharEdit>("edit");
    QTest::addColumn<BlockEdit>("block");
    QTest::addColumn<QString>("expected");
    const CharEdit noChars = [](QTextCharFormat&) {};
    const BlockEdit noBlock = [](QTextBlockFormat&) {};
    QTest::newRow("bold") << CharEdit([](QTextCharFormat& f) { f.setFontWeight(QFont::Bold); }) << noBlock
                          << u"\"x\": bold no became yes"_s;
    QTest::newRow("size") << CharEdit([](QTextCharFormat& f) { f.setFontPointSize(13); }) << noBlock
                          << u"\"x\": size 12 became 13"_s;
    QTest::newRow("colour") << CharEdit([](QTextCharFormat& f) { f.setForeground(QColor(255, 0, 0)); }) << noBlock
                            << u"colour none became #ff0000"_s;
    QTest::newRow("link") << CharEdit([](QTextCharFormat& f) {
        f.setAnchor(true);
        f.setAnchorHref(u"http://a"_s);
    }) << noBlock << u"link  became http://a"_s;
    QTest::newRow("alignment") << noChars << BlockEdit([](QTextBlockFormat& f) { f.setAlignment(Qt::AlignRight); })
                               << u"paragraph 1 (\"plain x plain\"): alignment left became right"_s;
    QTest::newRow("indent") << noChars << BlockEdit([](QTextBlockFormat& f) { f.setLeftMargin(2); })
                            << u"left indent 0 became 30"_s;
}

void TestRtfRoundTrip::comparisonFindsChanges()
{
    QFETCH(CharEdit, edit);
    QFETCH(BlockEdit, block);
    QFETCH(QString, expected);
    const auto original = runDocument([](QTextCharFormat&) {});
    const auto changed = runDocument(edit);
    QTextCursor cursor(changed.get());
    QTextBlockFormat bf;
    block(bf);
    cursor.mergeBlockFormat(bf);
    const QStringList differences = rtf::compareDocuments(*original, *changed);
    QCOMPARE(differences.size(), 1);
    QVERIFY2(differences.first().contains(expected), qPrintable(differences.first()));
    QVERIFY(rtf::compareDocuments(*original, *original).isEmpty());
}

void TestRtfRoundTrip::checkTool_data()
{
    QTest::addColumn<QString>("html");
    QTest::newRow("html sample") << SampleHtml;
    QTest::newRow("plain") << u"<p>Just text.</p>"_s;
    QTest::newRow("empty") << QString();
}

void TestRtfRoundTrip::checkTool()
{
    QFETCH(QString, html);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.rtf"));
    QVERIFY(writeFile(path, rtf::write(*htmlDocument(html))));
    const ToolRun check = runTool({QStringLiteral("check"), path});
    QVERIFY2(check.exitCode == 0, check.out + check.err);
    QVERIFY(check.out.contains("reads back unchanged"));

    const ToolRun text = runTool({QStringLiteral("text"), path});
    QCOMPARE(text.exitCode, 0);
    QCOMPARE(QString::fromUtf8(text.out).trimmed(), rtf::plainTextWithListMarkers(*htmlDocument(html)).trimmed());

    const ToolRun again = runTool({QStringLiteral("rtf"), path});
    QCOMPARE(again.exitCode, 0);
    QVERIFY(again.out.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
}

// A write torn by a full disk stops at a buffer's end; what it holds reads back the same, so only the
// unclosed groups tell it from a sound file.
void TestRtfRoundTrip::checkToolNamesCutOffFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Policy14.Fil"));
    const QByteArray whole = rtf::write(*htmlDocument(SampleHtml + u"<p>Policy text.</p>"_s.repeated(400)));
    QVERIFY(whole.size() > 8192);
    QVERIFY(writeFile(path, whole.left(8192)));

    const ToolRun check = runTool({QStringLiteral("check"), path});
    QCOMPARE(check.exitCode, 4);
    QVERIFY2(check.out.contains("damaged"), check.out);

    // The other commands still show what could be read, and say what is wrong with it.
    const ToolRun text = runTool({QStringLiteral("text"), path});
    QCOMPARE(text.exitCode, 0);
    QVERIFY(text.out.startsWith("Heading One"));
    QVERIFY2(text.err.contains("cut off"), text.err);

    QVERIFY(writeFile(path, whole));
    QCOMPARE(runTool({QStringLiteral("check"), path}).exitCode, 0);
}

void TestRtfRoundTrip::toolArguments()
{
    QTemporaryDir dir;
    const ToolRun none = runTool({});
    QCOMPARE(none.exitCode, 2);
    QVERIFY(none.err.contains("Usage: quorvane-rtf COMMAND FILE"));
    const ToolRun unknown = runTool({QStringLiteral("print"), dir.filePath(QStringLiteral("x.rtf"))});
    QCOMPARE(unknown.exitCode, 2);
    QVERIFY(unknown.err.contains("unknown command \"print\""));
    const ToolRun extra = runTool({QStringLiteral("text"), QStringLiteral("a"), QStringLiteral("b")});
    QCOMPARE(extra.exitCode, 2);
    const ToolRun missing = runTool({QStringLiteral("check"), dir.filePath(QStringLiteral("missing.rtf"))});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.err.contains("cannot read"));

    // A text file renamed .rtf is shown as its text.
    const QString plain = dir.filePath(QStringLiteral("plain.rtf"));
    QVERIFY(writeFile(plain, "just words\r\n"));
    const ToolRun text = runTool({QStringLiteral("text"), plain});
    QCOMPARE(text.exitCode, 0);
    QVERIFY(text.out.startsWith("just words"));
}

void TestRtfRoundTrip::libreOfficeReadsIt()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed, so there is nothing to open the file with");
    // Debian splits LibreOffice by application; Calc alone cannot open a text document.
    const QDir program = QFileInfo(QFileInfo(soffice).canonicalFilePath()).dir();
    if (!program.exists(QStringLiteral("libswlo.so")))
        QSKIP("LibreOffice Writer is not installed, so there is nothing to open the file with");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sample.rtf"));
    const auto doc = htmlDocument(SampleHtml);
    QVERIFY(writeFile(path, rtf::write(*doc)));

    const auto convert = [&](const QString& to) {
        QProcess process;
        // A profile of its own, so a LibreOffice already running for the user is left alone.
        process.start(soffice,
                      {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("lo")),
                       QStringLiteral("--headless"),
                       QStringLiteral("--convert-to"),
                       to,
                       QStringLiteral("--outdir"),
                       dir.path(),
                       path});
        return process.waitForFinished(180000) && process.exitCode() == 0;
    };
    QVERIFY(convert(QStringLiteral("txt:Text (encoded):UTF8")));
    QFile txt(dir.filePath(QStringLiteral("sample.txt")));
    QVERIFY(txt.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(txt.readAll()).remove(QChar(0xFEFF));
    for (const QString& expected : {u"Heading One"_s,
                                    u"Plain bold italic under strike red"_s,
                                    u"H2O \u20ac \u03a9 {braces} back\\slash"_s,
                                    u"Centred"_s,
                                    u"Indented paragraph."_s,
                                    u"1. first"_s,
                                    u"2. second"_s,
                                    u"A link here."_s}) {
        QVERIFY2(text.contains(expected), qPrintable(expected + u"\n---\n"_s + text));
    }
    // Each item once: list numbers are not repeated as text.
    QCOMPARE(text.count(u"first"_s), 1);

    QVERIFY(convert(QStringLiteral("html")));
    QFile html(dir.filePath(QStringLiteral("sample.html")));
    QVERIFY(html.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(html.readAll());
    QVERIFY2(page.contains(u"<b>bold</b>"_s), qPrintable(page));
    QVERIFY(page.contains(u"<i>"_s));
    QVERIFY(page.contains(u"<table"_s));
    QVERIFY(page.contains(u"colspan=\"2\""_s));
    QVERIFY(page.contains(u"<ol>"_s));
    QVERIFY(page.contains(u"<ul>"_s));
    QVERIFY(page.contains(u"href=\"https://example.com/a?b=1\""_s));
}

int runRoundTripTests(int argc, char** argv)
{
    TestRtfRoundTrip test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_rtfroundtrip.moc"
