#include "core/storage/codec.h"
#include "core/storage/fixedrecordfile.h"
#include "core/storage/quotedlinefile.h"

#include <QTest>

using namespace qv;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(qv::RecordValue)

namespace {
    QByteArray hex(const char* text)
    {
        return QByteArray::fromHex(text);
    }

    QByteArray zeros(int n)
    {
        return QByteArray(n, '\0');
    }
} // namespace

class TestStorageFormats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void codecEveryByteRoundTrips();
    void codecCharacters_data();
    void codecCharacters();
    void codecEncodesOutsideAsQuestionMark_data();
    void codecEncodesOutsideAsQuestionMark();

    void stringRecordExactBytes();
    void typedRecordExactBytes_data();
    void typedRecordExactBytes();
    void readsDamagedOrMissingAsEmpty_data();
    void readsDamagedOrMissingAsEmpty();
    void readsTypedDamagedOrUnknownAsEmpty_data();
    void readsTypedDamagedOrUnknownAsEmpty();
    void writePastEndAddsZeroRecords();
    void writeKeepsNeighbours();
    void tooLongStringIsRefused_data();
    void tooLongStringIsRefused();
    void badRecordNumbersAreRefused_data();
    void badRecordNumbersAreRefused();
    void recordValueConversions_data();
    void recordValueConversions();

    void quotedLinesParse_data();
    void quotedLinesParse();
    void quotedLinesFormatExactBytes();
    void quotedLinesRefuseWhatCannotRoundTrip_data();
    void quotedLinesRefuseWhatCannotRoundTrip();
};

void TestStorageFormats::codecEveryByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(char(b));
    }
    const QString text = cp1252::decode(all);
    QCOMPARE(text.size(), 256);
    QVERIFY(cp1252::canEncode(text));
    QCOMPARE(cp1252::encode(text), all);
    for (int b = 0; b < 256; ++b) {
        QCOMPARE(cp1252::fromUnicode(cp1252::toUnicode(uchar(b))), b);
    }
}

void TestStorageFormats::codecCharacters_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");
    QTest::newRow("ascii A") << 0x41 << 0x41;
    QTest::newRow("nul") << 0x00 << 0x00;
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("hole 81") << 0x81 << 0x81;
    QTest::newRow("low quote") << 0x82 << 0x201A;
    QTest::newRow("hole 8D") << 0x8D << 0x8D;
    QTest::newRow("Z caron") << 0x8E << 0x17D;
    QTest::newRow("hole 8F") << 0x8F << 0x8F;
    QTest::newRow("hole 90") << 0x90 << 0x90;
    QTest::newRow("left single quote") << 0x91 << 0x2018;
    QTest::newRow("right double quote") << 0x94 << 0x201D;
    QTest::newRow("em dash") << 0x97 << 0x2014;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("hole 9D") << 0x9D << 0x9D;
    QTest::newRow("Y diaeresis") << 0x9F << 0x178;
    QTest::newRow("nbsp") << 0xA0 << 0xA0;
    QTest::newRow("section sign") << 0xA7 << 0xA7;
    QTest::newRow("y diaeresis") << 0xFF << 0xFF;
}

void TestStorageFormats::codecCharacters()
{
    QFETCH(int, byte);
    QFETCH(int, unicode);
    QCOMPARE(int(cp1252::toUnicode(uchar(byte)).unicode()), unicode);
    QCOMPARE(cp1252::fromUnicode(QChar(char16_t(unicode))), byte);
}

void TestStorageFormats::codecEncodesOutsideAsQuestionMark_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("C1 control 80 is not the euro") << QString(QChar(0x80)) << QByteArray("?");
    QTest::newRow("C1 control 9F") << QString(QChar(0x9F)) << QByteArray("?");
    QTest::newRow("greek") << QStringLiteral("a\u03B1b") << QByteArray("a?b");
    QTest::newRow("ellipsis survives") << QStringLiteral("x\u2026") << hex("7885");
    QTest::newRow("emoji is one character") << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
}

void TestStorageFormats::codecEncodesOutsideAsQuestionMark()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(cp1252::encode(text), bytes);
    QCOMPARE(cp1252::canEncode(text), !bytes.contains('?'));
}

void TestStorageFormats::stringRecordExactBytes()
{
    FixedRecords records(20);
    QVERIFY(records.setString(15, u"Completed").ok());
    QCOMPARE(records.bytes().size(), 300);
    QCOMPARE(records.bytes().first(280), zeros(280));
    QCOMPARE(records.bytes().sliced(280), hex("0900") + "Completed" + zeros(9));
    QCOMPARE(records.string(15), QStringLiteral("Completed"));

    // Characters are written in the code page, one byte each.
    QVERIFY(records.setString(1, u"Caf\u00E9 \u20AC").ok());
    QCOMPARE(records.bytes().first(20), hex("0600") + hex("436166e92080") + zeros(12));
    QCOMPARE(records.string(1), QStringLiteral("Caf\u00E9 \u20AC"));
}

void TestStorageFormats::typedRecordExactBytes_data()
{
    QTest::addColumn<int>("recordLength");
    QTest::addColumn<int>("record");
    QTest::addColumn<RecordValue>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("float window height") << 20 << 36 << RecordValue::fromFloat(11200.0f)
                                         << hex("0400") + hex("00002f46") + zeros(14);
    QTest::newRow("int16 default size") << 20 << 37 << RecordValue::fromInt16(15100) << hex("0200fc3a") + zeros(16);
    QTest::newRow("int16 negative") << 20 << 1 << RecordValue::fromInt16(-2) << hex("0200feff") + zeros(16);
    QTest::newRow("int32 colour") << 20 << 4 << RecordValue::fromInt32(16711680) << hex("03000000ff00") + zeros(14);
    QTest::newRow("typed string in 10 bytes")
        << 10 << 3 << RecordValue::fromString(QStringLiteral("Def")) << hex("08000300") + "Def" + zeros(3);
    QTest::newRow("typed empty string") << 10 << 3 << RecordValue::fromString(QString()) << hex("08000000") + zeros(6);
    QTest::newRow("int32 in 10 bytes") << 10 << 3 << RecordValue::fromInt32(-1) << hex("0300ffffffff") + zeros(4);
}

void TestStorageFormats::typedRecordExactBytes()
{
    QFETCH(int, recordLength);
    QFETCH(int, record);
    QFETCH(RecordValue, value);
    QFETCH(QByteArray, bytes);
    QCOMPARE(bytes.size(), recordLength);

    FixedRecords records(recordLength);
    QVERIFY(records.setValue(record, value).ok());
    QCOMPARE(records.bytes().size(), record * recordLength);
    QCOMPARE(records.bytes().sliced((record - 1) * recordLength), bytes);

    // What was written reads back as the same type and value, also from the bytes alone.
    const RecordValue back = FixedRecords(recordLength, records.bytes()).value(record);
    QCOMPARE(back.type(), value.type());
    QVERIFY(back == value);
}

void TestStorageFormats::readsDamagedOrMissingAsEmpty_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("record");
    QTest::addColumn<QString>("text");
    const QByteArray good = hex("0300") + "Yes" + zeros(15) + hex("0200") + "No" + zeros(16);
    QTest::newRow("first") << good << 1 << QStringLiteral("Yes");
    QTest::newRow("second") << good << 2 << QStringLiteral("No");
    QTest::newRow("past the end") << good << 3 << QString();
    QTest::newRow("empty file") << QByteArray() << 1 << QString();
    QTest::newRow("length 0 with leftovers") << hex("0000") + "Old" + zeros(15) << 1 << QString();
    QTest::newRow("length 18 fills the record") << hex("1200") + QByteArray(18, 'x') << 1 << QString(18, u'x');
    QTest::newRow("length 19 runs into the next record")
        << hex("1300") + QByteArray(18, 'x') + hex("0200") + "No" + zeros(16) << 1 << QString();
    QTest::newRow("length 0xFFFF") << hex("ffff") + zeros(18) << 1 << QString();
    QTest::newRow("cut off inside the characters") << hex("0900") + "Comp" << 1 << QString();
    QTest::newRow("cut off after the characters") << hex("0900") + "Completed" << 1 << QStringLiteral("Completed");
    QTest::newRow("only one byte") << hex("05") << 1 << QString();
    QTest::newRow("record 0") << good << 0 << QString();
    QTest::newRow("negative record") << good << -1 << QString();
    QTest::newRow("huge record") << good << 2000000000 << QString();
    QTest::newRow("bytes 80-9F") << hex("0300") + hex("809d99") + zeros(15) << 1
                                 << QStringLiteral("\u20AC\u009D\u2122");
}

void TestStorageFormats::readsDamagedOrMissingAsEmpty()
{
    QFETCH(QByteArray, file);
    QFETCH(int, record);
    QFETCH(QString, text);
    QCOMPARE(FixedRecords(20, file).string(record), text);
}

void TestStorageFormats::readsTypedDamagedOrUnknownAsEmpty_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<RecordValue>("value");
    QTest::newRow("zeros") << zeros(10) << RecordValue();
    QTest::newRow("type 1 (null)") << hex("0100") + zeros(8) << RecordValue();
    QTest::newRow("type 5 (double) is not ours") << hex("0500") + zeros(8) << RecordValue();
    QTest::newRow("type 0xFFFF") << hex("ffff") + zeros(8) << RecordValue();
    QTest::newRow("int16 cut off") << hex("020001") << RecordValue();
    QTest::newRow("int16 whole") << hex("02000100") << RecordValue::fromInt16(1);
    QTest::newRow("int32 cut off") << hex("0300010000") << RecordValue();
    QTest::newRow("float cut off") << hex("0400000000") << RecordValue();
    QTest::newRow("string longer than the record") << hex("08000700") + "Default" << RecordValue();
    QTest::newRow("string cut off") << hex("08000300") + "De" << RecordValue();
    QTest::newRow("string filling the record") << hex("08000600") + "Defaul" << RecordValue::fromString(u"Defaul"_s);
}

void TestStorageFormats::readsTypedDamagedOrUnknownAsEmpty()
{
    QFETCH(QByteArray, record);
    QFETCH(RecordValue, value);
    const RecordValue read = FixedRecords(10, record).value(1);
    QCOMPARE(read.type(), value.type());
    QVERIFY(read == value);
}

void TestStorageFormats::writePastEndAddsZeroRecords()
{
    // A cut-off last record is completed with zeros, and the records in between are empty.
    FixedRecords records(20, hex("0300") + "Yes" + zeros(5));
    QVERIFY(records.setString(4, u"No").ok());
    QCOMPARE(records.recordCount(), 4);
    QCOMPARE(records.bytes(), hex("0300") + "Yes" + zeros(15) + zeros(40) + hex("0200") + "No" + zeros(16));
    QCOMPARE(records.string(1), u"Yes"_s);
    QCOMPARE(records.string(2), QString());
    QVERIFY(records.value(3).isEmpty());
}

void TestStorageFormats::writeKeepsNeighbours()
{
    // Whatever an older writer left in the unused part of another record stays as it was, while
    // the record written is zero-filled behind its characters.
    const QByteArray before = hex("0300") + "Yes" + "garbage-garbage" + hex("0900") + "Completed" + "xxxxxxxxx" +
                              hex("0100") + "A" + QByteArray(17, 'z');
    QCOMPARE(before.size(), 60);
    FixedRecords records(20, before);
    QVERIFY(records.setString(2, u"Review").ok());
    QCOMPARE(records.bytes().first(20), before.first(20));
    QCOMPARE(records.bytes().sliced(20, 20), hex("0600") + "Review" + zeros(12));
    QCOMPARE(records.bytes().sliced(40), before.sliced(40));

    QVERIFY(records.setValue(2, RecordValue()).ok());
    QCOMPARE(records.bytes().sliced(20, 20), zeros(20));
    QCOMPARE(records.string(2), QString());
}

void TestStorageFormats::tooLongStringIsRefused_data()
{
    QTest::addColumn<int>("recordLength");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");
    QTest::newRow("18 in 20") << 20 << false << QString(18, u'a') << true;
    QTest::newRow("19 in 20") << 20 << false << QString(19, u'a') << false;
    QTest::newRow("8 in 10") << 10 << false << QString(8, u'a') << true;
    QTest::newRow("9 in 10") << 10 << false << QString(9, u'a') << false;
    QTest::newRow("28 in 30") << 30 << false << QString(28, u'a') << true;
    QTest::newRow("29 in 30") << 30 << false << QString(29, u'a') << false;
    QTest::newRow("typed 6 in 10") << 10 << true << QString(6, u'a') << true;
    QTest::newRow("typed 7 in 10") << 10 << true << QString(7, u'a') << false;
    QTest::newRow("typed 16 in 20") << 20 << true << QString(16, u'a') << true;
    QTest::newRow("typed 17 in 20") << 20 << true << QString(17, u'a') << false;
    // An emoji is one "?" in the file, so it counts as one character.
    QTest::newRow("emoji counts once") << 10 << false << QStringLiteral("1234567\U0001F600") << true;
}

void TestStorageFormats::tooLongStringIsRefused()
{
    QFETCH(int, recordLength);
    QFETCH(bool, typed);
    QFETCH(QString, text);
    QFETCH(bool, fits);

    const QByteArray before = hex("0100") + "A" + zeros(recordLength - 3) + hex("0100") + "B" +
                              zeros(recordLength - 3) + hex("0100") + "C" + zeros(recordLength - 3);
    FixedRecords records(recordLength, before);
    const Status s = typed ? records.setValue(2, RecordValue::fromString(text)) : records.setString(2, text);
    QCOMPARE(s.ok(), fits);
    QCOMPARE(records.bytes().size(), before.size());
    QCOMPARE(records.string(1), u"A"_s);
    QCOMPARE(records.string(3), u"C"_s);
    if (fits) {
        QCOMPARE(typed ? records.value(2).toString() : records.string(2), cp1252::decode(cp1252::encode(text)));
    } else {
        QCOMPARE(records.bytes(), before);
        QVERIFY2(s.error().contains(u"too long"), qPrintable(s.error()));
        QVERIFY2(s.error().contains(text), qPrintable(s.error()));
    }
}

void TestStorageFormats::badRecordNumbersAreRefused_data()
{
    QTest::addColumn<int>("record");
    QTest::addColumn<bool>("ok");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("-5") << -5 << false;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("last allowed") << FixedRecords::MaxRecord << true;
    QTest::newRow("one past") << FixedRecords::MaxRecord + 1 << false;
    QTest::newRow("int max") << std::numeric_limits<int>::max() << false;
}

void TestStorageFormats::badRecordNumbersAreRefused()
{
    QFETCH(int, record);
    QFETCH(bool, ok);
    FixedRecords records(20);
    QCOMPARE(records.setString(record, u"x").ok(), ok);
    QCOMPARE(records.setValue(record, RecordValue::fromInt16(1)).ok(), ok);
    QCOMPARE(records.bytes().size(), ok ? qsizetype(record) * 20 : 0);
}

void TestStorageFormats::recordValueConversions_data()
{
    QTest::addColumn<RecordValue>("value");
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << RecordValue() << 0.0 << QString();
    QTest::newRow("int16") << RecordValue::fromInt16(-300) << -300.0 << u"-300"_s;
    QTest::newRow("int32") << RecordValue::fromInt32(16711680) << 16711680.0 << u"16711680"_s;
    QTest::newRow("float whole") << RecordValue::fromFloat(11200.0f) << 11200.0 << u"11200"_s;
    QTest::newRow("float fraction") << RecordValue::fromFloat(0.1f) << double(0.1f) << u"0.1"_s;
    QTest::newRow("string number with blanks") << RecordValue::fromString(u" 162 "_s) << 162.0 << u" 162 "_s;
    QTest::newRow("string word") << RecordValue::fromString(u"Def"_s) << 0.0 << u"Def"_s;
}

void TestStorageFormats::recordValueConversions()
{
    QFETCH(RecordValue, value);
    QFETCH(double, number);
    QFETCH(QString, text);
    QCOMPARE(value.toDouble(), number);
    QCOMPARE(value.toString(), text);
}

void TestStorageFormats::quotedLinesParse_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("strings");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("CR LF") << QByteArray("\"a\"\r\n\"\"\r\n\"b c\"\r\n") << QStringList{u"a"_s, QString(), u"b c"_s};
    QTest::newRow("LF only") << QByteArray("\"a\"\n\"b\"\n") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("no final line end") << QByteArray("\"a\"\r\n\"b\"") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("commas inside quotes") << QByteArray("\"Dec 7, 26\"\r\n") << QStringList{u"Dec 7, 26"_s};
    QTest::newRow("blanks inside quotes kept") << QByteArray("\"  x  \"\r\n") << QStringList{u"  x  "_s};
    QTest::newRow("blanks before the quote") << QByteArray("  \"x\"\r\n") << QStringList{u"x"_s};
    QTest::newRow("unquoted up to comma, trimmed")
        << QByteArray("  Backup plan , second part\r\n") << QStringList{u"Backup plan"_s};
    QTest::newRow("unquoted without comma") << QByteArray(" word \r\n") << QStringList{u"word"_s};
    QTest::newRow("blank line") << QByteArray("\"a\"\r\n\r\n\"b\"\r\n") << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("missing closing quote") << QByteArray("\"open, end\r\n") << QStringList{u"open, end"_s};
    QTest::newRow("text after the closing quote ignored") << QByteArray("\"a\",\"b\"\r\n") << QStringList{u"a"_s};
    QTest::newRow("ANSI characters") << QByteArray("\"Caf\xe9 \x80\x93\"\r\n")
                                     << QStringList{u"Caf\u00E9 \u20AC\u201C"_s};
    QTest::newRow("lone CR stays in the line") << QByteArray("\"a\rb\"\r\n") << QStringList{u"a\rb"_s};
    QTest::newRow("only a line end") << QByteArray("\r\n") << QStringList{QString()};
    QTest::newRow("NUL in a line") << QByteArray("\"a\0b\"\r\n", 7) << QStringList{QStringLiteral("a\u0000b")};
}

void TestStorageFormats::quotedLinesParse()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, strings);
    QCOMPARE(quotedlines::parse(file), strings);
}

void TestStorageFormats::quotedLinesFormatExactBytes()
{
    const QStringList strings{u"Dec 7, 26"_s, QString(), u"Caf\u00E9 \u2014 \u03B1"_s};
    const Result<QByteArray> bytes = quotedlines::format(strings);
    QVERIFY(bytes.ok());
    QCOMPARE(bytes.value(), QByteArray("\"Dec 7, 26\"\r\n\"\"\r\n\"Caf\xe9 \x97 ?\"\r\n"));
    QCOMPARE(quotedlines::parse(bytes.value()), (QStringList{u"Dec 7, 26"_s, QString(), u"Caf\u00E9 \u2014 ?"_s}));
    QCOMPARE(quotedlines::format({}).value(), QByteArray());
}

void TestStorageFormats::quotedLinesRefuseWhatCannotRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("plain") << u"Server room"_s << true;
    QTest::newRow("comma") << u"a, b"_s << true;
    QTest::newRow("double quote") << u"the \"big\" one"_s << false;
    QTest::newRow("only a quote") << u"\""_s << false;
    QTest::newRow("LF") << u"two\nlines"_s << false;
    QTest::newRow("CR") << u"two\rlines"_s << false;
    QTest::newRow("typographic quotes are fine") << u"\u201Cbig\u201D"_s << true;
}

void TestStorageFormats::quotedLinesRefuseWhatCannotRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QCOMPARE(quotedlines::canHold(text), ok);
    const Result<QByteArray> bytes = quotedlines::format({u"first"_s, text});
    QCOMPARE(bytes.ok(), ok);
    if (ok) {
        QCOMPARE(quotedlines::parse(bytes.value()), (QStringList{u"first"_s, text}));
    } else {
        QVERIFY2(bytes.error().contains(text), qPrintable(bytes.error()));
    }
}

QTEST_GUILESS_MAIN(TestStorageFormats)
#include "tst_storageformats.moc"
