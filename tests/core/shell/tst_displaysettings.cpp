#include "core/shell/displaysettings.h"
#include "core/shell/gridbackground.h"
#include "core/storage/programfolder.h"
#include "foldersnapshot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qv;
using namespace qv::display;
using namespace Qt::StringLiterals;

namespace {

    // A record of the file as the bytes a reader of another system would see.
    QByteArray recordOf(const QByteArray& file, int record, int length)
    {
        return file.mid(qsizetype(record - 1) * length, length);
    }

    QByteArray padded(QByteArray bytes, int length)
    {
        bytes.append(QByteArray(length - bytes.size(), '\0'));
        return bytes;
    }

} // namespace

class TestDisplaySettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void smallerScreenKeepsSizeAsFloats();
    void screenCheck();
    void damagedFilesGiveDefaults_data();
    void damagedFilesGiveDefaults();
    void startBackground();
    void gridTextColorAndGuideLines();
    void gridBackgroundSettings_data();
    void gridBackgroundSettings();
    void failedWriteLeavesEveryFile();

private:
    QByteArray file(const QString& name) const;
    void put(const QString& name, const QByteArray& bytes) const;

    std::unique_ptr<QTemporaryDir> m_tmp;
    std::unique_ptr<ProgramFolder> m_folder;
};

void TestDisplaySettings::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
    QVERIFY(QDir().mkpath(m_tmp->filePath(u"data"_s)));
    m_folder = std::make_unique<ProgramFolder>(m_tmp->filePath(u"data"_s), m_tmp->filePath(u"content"_s));
}

void TestDisplaySettings::cleanup()
{
    WriteFaults::clear();
    m_folder.reset();
    m_tmp.reset();
}

QByteArray TestDisplaySettings::file(const QString& name) const
{
    QFile f(m_folder->path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestDisplaySettings::put(const QString& name, const QByteArray& bytes) const
{
    QFile f(QDir(m_folder->dataDir()).filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

void TestDisplaySettings::smallerScreenKeepsSizeAsFloats()
{
    QVERIFY(writeGridTextColor(*m_folder, QColor(1, 2, 3)).ok());
    QVERIFY(writeSmallerScreen(*m_folder, {11250, 16320}).ok());
    const QByteArray bytes = file(u"GColor3.Fil"_s);
    QCOMPARE(bytes.size(), 37 * 20);
    QCOMPARE(recordOf(bytes, 35, 20), padded("\x03\x00Yes"_ba, 20));
    // 11250.0f is 0x462FC800, 16320.0f is 0x467F0000, little-endian after type 4.
    QCOMPARE(recordOf(bytes, 36, 20), padded(QByteArray("\x04\x00\x00\xC8\x2F\x46", 6), 20));
    QCOMPARE(recordOf(bytes, 37, 20), padded(QByteArray("\x04\x00\x00\x00\x7F\x46", 6), 20));
    // The grid text colour beside it is kept.
    QCOMPARE(readGridTextColor(*m_folder), QColor(1, 2, 3));
    const ScreenPreference read = readScreenPreference(*m_folder);
    QVERIFY(read.smaller);
    QCOMPARE(read.stored, (WindowTwips{11250, 16320}));
}

void TestDisplaySettings::screenCheck()
{
    QVERIFY(screenIsLargeEnough(1024, 768));
    QVERIFY(screenIsLargeEnough(1007, 747));
    QVERIFY(!screenIsLargeEnough(1006, 768));
    QVERIFY(!screenIsLargeEnough(1024, 746));
    QVERIFY(!screenIsLargeEnough(800, 600));
}

void TestDisplaySettings::damagedFilesGiveDefaults_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut off in a record") << QByteArray(700 + 3, '\x07');
    QTest::newRow("lengths past the records") << QByteArray(2000, '\xFF');
    QTest::newRow("text where numbers belong") << QByteArray(37 * 20, 'x');
}

void TestDisplaySettings::damagedFilesGiveDefaults()
{
    QFETCH(QByteArray, bytes);

    // Nothing there at all first, then the damaged files.
    for (int pass = 0; pass < 2; ++pass) {
        QVERIFY(!readScreenPreference(*m_folder).smaller);
        QCOMPARE(readGridTextColor(*m_folder), std::nullopt);
        QCOMPARE(readGuideLineOption(*m_folder), std::nullopt);
        QCOMPARE(readGridBackground(*m_folder), GridBackground());
        const StartBackground start = readStartBackground(*m_folder);
        QVERIFY(start.useDefault || start.color.isValid());
        if (pass == 0) {
            QCOMPARE(start, (StartBackground{false, QColor(0, 0, 255)}));
            put(u"GColor3.Fil"_s, bytes);
            put(u"GColor1.Fil"_s, bytes);
            put(u"HINV3.Fil"_s, bytes);
        }
    }
}

void TestDisplaySettings::startBackground()
{
    QCOMPARE(readStartBackground(*m_folder), (StartBackground{false, QColor(0, 0, 255)}));

    QVERIFY(writeStartBackground(*m_folder, {false, QColor(0x12, 0x34, 0x56)}).ok());
    // Type 3 and 0x00563412 in records of 10 bytes; records 1 and 2 stay zero.
    QCOMPARE(file(u"HINV3.Fil"_s), QByteArray(20, '\0') + padded(QByteArray("\x03\x00\x12\x34\x56\x00", 6), 10));
    QCOMPARE(readStartBackground(*m_folder), (StartBackground{false, QColor(0x12, 0x34, 0x56)}));

    QVERIFY(writeStartBackground(*m_folder, {true, {}}).ok());
    QCOMPARE(file(u"HINV3.Fil"_s),
             QByteArray(20, '\0') + padded("\x08\x00\x03\x00"
                                           "Def"_ba,
                                           10));
    QVERIFY(readStartBackground(*m_folder).useDefault);
}

void TestDisplaySettings::gridTextColorAndGuideLines()
{
    QVERIFY(writeGridTextColor(*m_folder, QColor(0xFF, 0x80, 0x01)).ok());
    QCOMPARE(recordOf(file(u"GColor3.Fil"_s), 4, 20), padded(QByteArray("\x03\x00\xFF\x80\x01\x00", 6), 20));
    QCOMPARE(readGridTextColor(*m_folder), QColor(0xFF, 0x80, 0x01));

    QVERIFY(writeGuideLineOption(*m_folder, 1).ok());
    QCOMPARE(recordOf(file(u"GColor3.Fil"_s), 11, 20),
             padded("\x01\x00"
                    "1"_ba,
                    20));
    QCOMPARE(readGuideLineOption(*m_folder), 1);
    QVERIFY(writeGuideLineOption(*m_folder, 0).ok());
    QCOMPARE(readGuideLineOption(*m_folder), 0);
    QVERIFY(!writeGuideLineOption(*m_folder, 2).ok());
    QCOMPARE(readGuideLineOption(*m_folder), 0);
    QCOMPARE(readGridTextColor(*m_folder), QColor(0xFF, 0x80, 0x01));
}

void TestDisplaySettings::gridBackgroundSettings_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("picture");
    QTest::addColumn<QColor>("color");

    const int def = int(GridBackground::Kind::Default);
    const int pic = int(GridBackground::Kind::Picture);
    const int col = int(GridBackground::Kind::Color);
    QTest::newRow("first picture") << u"WP1"_s << pic << 1 << QColor();
    QTest::newRow("lower case, blanks after") << u"wp16   "_s << pic << 16 << QColor();
    QTest::newRow("no seventeenth picture") << u"WP17"_s << def << 0 << QColor();
    QTest::newRow("a path is no picture") << u"WP1/../../x"_s << def << 0 << QColor();
    QTest::newRow("default") << u"Default"_s << def << 0 << QColor();
    QTest::newRow("red") << u"255"_s << col << 0 << QColor(255, 0, 0);
    QTest::newRow("pale yellow") << u"13434879"_s << col << 0 << QColor(0xFF, 0xFF, 0xCC);
    QTest::newRow("system colour") << u"-2147483643"_s << def << 0 << QColor();
    QTest::newRow("words") << u"Linen"_s << def << 0 << QColor();
    QTest::newRow("never written") << QString() << def << 0 << QColor();
}

void TestDisplaySettings::gridBackgroundSettings()
{
    QFETCH(QString, setting);
    QFETCH(int, kind);
    QFETCH(int, picture);
    QFETCH(QColor, color);

    const GridBackground background = GridBackground::fromSetting(setting);
    QCOMPARE(int(background.kind()), kind);
    QCOMPARE(background.pictureNumber(), picture);
    QCOMPARE(background.backgroundColor(), color);
    // What is stored again reads back as the same background.
    QCOMPARE(GridBackground::fromSetting(background.setting()), background);
}

void TestDisplaySettings::failedWriteLeavesEveryFile()
{
    QVERIFY(writeSmallerScreen(*m_folder, {12000, 16000}).ok());
    QVERIFY(writeGridBackground(*m_folder, GridBackground::picture(3)).ok());
    QVERIFY(writeStartBackground(*m_folder, {true, {}}).ok());
    put(u"Stat1.Fil"_s, QByteArray(68 * 20, 'a'));
    const test::FolderSnapshot before = test::FolderSnapshot::aroundDataFolder(m_folder->dataDir());

    WriteFaults::inject(u"*.Fil"_s, -1, 100);
    const Status writes[] = {
        writeDefaultScreenSize(*m_folder),
        writeFullScreen(*m_folder),
        writeSmallerScreen(*m_folder, {11200, 15100}),
        writeGridTextColor(*m_folder, Qt::red),
        writeGuideLineOption(*m_folder, 1),
        writeGridBackground(*m_folder, GridBackground()),
        writeStartBackground(*m_folder, {false, Qt::green}),
    };
    for (const Status& written : writes) {
        QVERIFY(!written.ok());
        QVERIFY2(written.error().contains(u".Fil"_s), qPrintable(written.error()));
    }
    QCOMPARE(before.unexpectedChanges(), QString());
    WriteFaults::clear();

    const ScreenPreference read = readScreenPreference(*m_folder);
    QVERIFY(read.smaller);
    QCOMPARE(read.stored, (WindowTwips{12000, 16000}));
    QCOMPARE(readGridBackground(*m_folder), GridBackground::picture(3));
}

QTEST_GUILESS_MAIN(TestDisplaySettings)
#include "tst_displaysettings.moc"
