#include "core/reports/spreadsheet.h"
#include "core/storage/programfolder.h"
#include "foldersnapshot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;
using namespace Qt::StringLiterals;

namespace {

    QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

} // namespace

class TestSpreadsheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellsWithLineBreaksAndQuotes();
    void names_data();
    void names();
    void defaultNames();
    void exportReplacesOnlyItsFile();
    void failedExportKeepsTheOldFile();
};

void TestSpreadsheet::cellsWithLineBreaksAndQuotes()
{
    const QList<QStringList> rows{
        {u"Security Management Process"_s,
         u"164.308(a)(1)"_s,
         u"Risk Analysis\r\nRisk Management"_s,
         u"R\r\nR"_s,
         u"Completed\r\n"_s},
        {u"The \"5\" drive"_s, QString(), u"tab\there"_s, u"Caf\u00e9 \u20ac"_s, u"plain, with comma"_s},
        {},
    };
    const QByteArray expected = "Security Management Process\t164.308(a)(1)\t\"Risk Analysis\nRisk Management\"\t"
                                "\"R\nR\"\t\"Completed\n\"\r\n"
                                "\"The \"\"5\"\" drive\"\t\t\"tab\there\"\tCaf\xe9 \x80\tplain, with comma\r\n"
                                "\r\n";
    QCOMPARE(spreadsheet::format(rows), expected);
}

void TestSpreadsheet::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("lower case") << u"Timeline.xls"_s << true;
    QTest::newRow("upper case with a trailing blank") << u"  REPORT.XLS "_s << true;
    QTest::newRow("xlsx") << u"Timeline.xlsx"_s << false;
    QTest::newRow("no extension") << u"Timeline"_s << false;
    QTest::newRow("empty") << u"   "_s << false;
    QTest::newRow("into another folder") << u"../Timeline.xls"_s << false;
    QTest::newRow("backslash") << u"sub\\Timeline.xls"_s << false;
}

void TestSpreadsheet::names()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(spreadsheet::isValidName(name), valid);
}

void TestSpreadsheet::defaultNames()
{
    using catalogue::Family;
    using spreadsheet::Grid;
    QCOMPARE(spreadsheet::defaultName(Grid::Standards, Family::Administrative), u"AdminSafeguards.xls"_s);
    QCOMPARE(spreadsheet::defaultName(Grid::Standards, Family::Physical), u"PhysicalSafeguards.xls"_s);
    QCOMPARE(spreadsheet::defaultName(Grid::Standards, Family::Technical), u"TechnicalSafeguards.xls"_s);
    QCOMPARE(spreadsheet::defaultName(Grid::Standards, Family::Policies), QString());
    QCOMPARE(spreadsheet::defaultName(Grid::Timeline), u"Timeline.xls"_s);
    QCOMPARE(spreadsheet::defaultName(Grid::None), QString());
    QCOMPARE(spreadsheet::exportPath(u" /tmp/out "_s, u" A.XLS "_s), u"/tmp/out/A.XLS"_s);
}

void TestSpreadsheet::exportReplacesOnlyItsFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile other(dir.filePath(u"Other.xls"_s));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("keep me\r\n");
    other.close();
    const QString path = spreadsheet::exportPath(dir.path(), u"Timeline.xls"_s);
    QVERIFY(spreadsheet::write(path, {{u"old"_s}}).ok());
    const test::FolderSnapshot before(dir.path());

    QVERIFY(spreadsheet::write(path, {{u"a"_s, u"b"_s}}).ok());
    QCOMPARE(contents(path), QByteArray("a\tb\r\n"));
    QCOMPARE(before.changedSince(), QStringList{u"Timeline.xls"_s});
}

void TestSpreadsheet::failedExportKeepsTheOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = spreadsheet::exportPath(dir.path(), u"Timeline.xls"_s);
    QVERIFY(spreadsheet::write(path, {{u"old"_s}}).ok());
    const test::FolderSnapshot before(dir.path());

    WriteFaults::inject(u"Timeline.xls"_s, 1, 2);
    const Status status = spreadsheet::write(path, {{u"new"_s, u"row"_s}});
    WriteFaults::clear();
    QVERIFY(!status.ok());
    QCOMPARE(contents(path), QByteArray("old\r\n"));
    QCOMPARE(before.changedSince(), QStringList());
    QCOMPARE(spreadsheet::writeFailedMessage(),
             u"Permission to create file Denied!\rFile may be in use by another program!\rClose other program and "
             "try exporting again"_s);
}

QTEST_GUILESS_MAIN(TestSpreadsheet)
#include "test_spreadsheet.moc"
