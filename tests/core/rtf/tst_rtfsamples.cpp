// Files in the shape other programs write them, each with the text a reader must find in it; and the
// escapes that meet the multi-byte code pages inside one character.

#include "core/rtf/rtfplaintext.h"
#include "core/rtf/rtfreader.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

using namespace Qt::StringLiterals;

namespace {

    const QString WritersFolder = QStringLiteral(QUORVANE_TEST_DATA "/rtf/writers/");

    QByteArray contents(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("missing sample %s", qPrintable(path));
        return file.readAll();
    }

    QString readText(const QByteArray& rtf)
    {
        QTextDocument doc;
        qv::rtf::read(rtf, doc);
        return qv::rtf::plainTextWithListMarkers(doc);
    }

} // namespace

class TestRtfSamples : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writers_data();
    void writers();
    void escapesAroundMultiByte_data();
    void escapesAroundMultiByte();
    void headerMissingBrace_data();
    void headerMissingBrace();
    void writtenNumbers();
};

void TestRtfSamples::writers_data()
{
    QTest::addColumn<QString>("file");
    const QStringList files = QDir(WritersFolder).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    QVERIFY(files.size() >= 12);
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << file;
}

void TestRtfSamples::writers()
{
    QFETCH(QString, file);
    QString expected = QString::fromUtf8(contents(WritersFolder + file.chopped(4) + u".txt"_s));
    if (expected.endsWith(u'\n'))
        expected.chop(1);
    QCOMPARE(readText(contents(WritersFolder + file)), expected);
}

void TestRtfSamples::escapesAroundMultiByte_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");
    // f0 is Japanese (932) in a document that says 1252; f1 is Korean (949).
    QTest::newRow("uc2 skips a double-byte fallback") << QByteArray("\\uc2\\u12354\\'82\\'a0x") << u"あx"_s;
    QTest::newRow("uc1 then a pair") << QByteArray("\\uc1\\u12354?\\'82\\'a0") << u"ああ"_s;
    QTest::newRow("surrogate pair with double-byte fallbacks")
        << QByteArray("\\uc2\\u-10179\\'81\\'48\\u-8704\\'81\\'48!") << u"😀!"_s;
    QTest::newRow("negative unicode") << QByteArray("\\u-10916?\\u-21139?") << u"한국"_s;
    QTest::newRow("lead byte cut by unicode") << QByteArray("\\'82\\u12354?") << u"\uFFFDあ"_s;
    QTest::newRow("lead byte cut by group end") << QByteArray("{\\'82}a") << u"\uFFFDa"_s;
    QTest::newRow("lead byte cut by paragraph") << QByteArray("\\'82\\par a") << u"\uFFFD\na"_s;
    QTest::newRow("lead byte before unpaired letter") << QByteArray("\\f1\\'c7A") << u"\uFFFDA"_s;
    QTest::newRow("ignored words between lead and trail") << QByteArray("\\'82\\lang1041\\'a0") << u"あ"_s;
    QTest::newRow("pair in raw bytes") << QByteArray("\x82\xa0\x82\xa2") << u"あい"_s;
}

void TestRtfSamples::escapesAroundMultiByte()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 MS Gothic;}"
                           "{\\f1\\fnil\\fcharset129 Gulim;}}\\pard " +
                           body + "}";
    QCOMPARE(readText(rtf), expected);
}

void TestRtfSamples::headerMissingBrace_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("cutOff"); // a misbuilt header is not a file cut short
    QTest::newRow("style sheet takes the last brace")
        << QByteArray("{\\rtf1{\\stylesheet{\\s0{\\*\\hyphen2 Normal;}}\\sectd\\pard Body\\par}") << u"Body"_s << false;
    QTest::newRow("font table meets a paragraph")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\colortbl;\\red9;}\\pard Body\\par}") << u"Body"_s << false;
    QTest::newRow("unclosed style sheet without a body")
        << QByteArray("{\\rtf1{\\stylesheet{\\s0{\\*\\hyphen2 Normal;}}}") << QString() << true;
    QTest::newRow("body group keeps its braces")
        << QByteArray("{\\rtf1\\pard a{\\*\\hyphen2 x\\pard y}b\\par}") << u"ab"_s << false;
}

void TestRtfSamples::headerMissingBrace()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QFETCH(bool, cutOff);
    QTextDocument doc;
    QCOMPARE(qv::rtf::readDocument(rtf, doc).cutOff, cutOff);
    QCOMPARE(qv::rtf::plainTextWithListMarkers(doc), expected);
}

void TestRtfSamples::writtenNumbers()
{
    QTextDocument doc;
    QVERIFY(qv::rtf::read(contents(WritersFolder + u"word2010-multilevel-list.rtf"_s), doc));
    // Items the list numbers as their writer did are list items; the list that starts at 7 keeps its
    // written numbers as text.
    const QTextBlock scope = doc.find(u"Scope"_s).block();
    QVERIFY(scope.textList());
    QCOMPARE(scope.textList()->format().style(), QTextListFormat::ListLowerAlpha);
    QCOMPARE(scope.text(), u"Scope"_s);
    const QTextBlock seventh = doc.find(u"Seventh"_s).block();
    QVERIFY(!seventh.textList());
    QCOMPARE(seventh.text(), u"7.\tSeventh"_s);
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestRtfSamples tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_rtfsamples.moc"
