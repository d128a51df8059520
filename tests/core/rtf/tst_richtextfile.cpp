#include "core/rtf/richtextfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace qv;
using namespace Qt::StringLiterals;

class TestRichTextFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void missingFileIsEmptyDocument();
    void unreadableFileLeavesDocument();
    void saveThenLoadGivesTextBack_data();
    void saveThenLoadGivesTextBack();
    void findsFileIgnoringCase();
    void plainTextFileLoads();
    void cutOffFileLoadsAndSaysSo();
    void failedSaveKeepsOldFile();

private:
    std::unique_ptr<QTemporaryDir> m_tmp;
};

void TestRichTextFile::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
}

void TestRichTextFile::cleanup()
{
    WriteFaults::clear();
    m_tmp.reset();
}

void TestRichTextFile::missingFileIsEmptyDocument()
{
    QTextDocument doc;
    doc.setPlainText(u"left over from the last safeguard"_s);
    const Result<LoadOutcome> r = loadRichText(m_tmp->filePath(u"Action3.Fil"_s), doc);
    QVERIFY(r.ok());
    QCOMPARE(r.value(), LoadOutcome::Missing);
    QVERIFY(doc.isEmpty());
}

void TestRichTextFile::unreadableFileLeavesDocument()
{
    QVERIFY(QDir(m_tmp->path()).mkdir(u"Comment3.Fil"_s));
    QTextDocument doc;
    doc.setPlainText(u"what the user sees"_s);
    const Result<LoadOutcome> r = loadRichText(m_tmp->filePath(u"Comment3.Fil"_s), doc);
    QVERIFY(!r.ok());
    QVERIFY2(r.error().contains(u"Comment3.Fil"), qPrintable(r.error()));
    QCOMPARE(doc.toPlainText(), u"what the user sees"_s);
}

void TestRichTextFile::saveThenLoadGivesTextBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("one line") << u"Passwords are changed every 90 days."_s;
    QTest::newRow("paragraphs") << u"First paragraph.\nSecond paragraph.\n\nAfter an empty one."_s;
    QTest::newRow("code page characters") << u"Caf\u00E9 \u2014 \u201Cquoted\u201D \u20AC5 \u00A7164.308"_s;
    QTest::newRow("RTF's own characters") << u"{braces} and \\backslashes\\"_s;
    QTest::newRow("outside the code page") << u"\u0391\u03B2\u03B3 \u4E2D\u6587"_s;
}

void TestRichTextFile::saveThenLoadGivesTextBack()
{
    QFETCH(QString, text);
    const QString path = m_tmp->filePath(u"Policy14.Fil"_s);
    QTextDocument doc;
    doc.setPlainText(text);
    QVERIFY(saveRichText(path, doc).ok());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("{\\rtf"));

    QTextDocument back;
    bool cutOff = true;
    const Result<LoadOutcome> r = loadRichText(path, back, &cutOff);
    QVERIFY(r.ok());
    QCOMPARE(r.value(), LoadOutcome::Loaded);
    QCOMPARE(back.toPlainText(), text);
    QVERIFY(!cutOff);
}

void TestRichTextFile::findsFileIgnoringCase()
{
    const ProgramFolder folder(m_tmp->filePath(u"data"_s), m_tmp->filePath(u"content"_s));
    QTextDocument doc;
    doc.setPlainText(u"Disaster recovery plan"_s);
    QVERIFY(QDir().mkpath(folder.contentDir()));
    QVERIFY(saveRichText(QDir(folder.contentDir()).filePath(u"MISC60.FL1"_s), doc).ok());

    QTextDocument back;
    Result<LoadOutcome> r = loadRichText(folder, u"Misc60.Fl1"_s, ProgramFolder::Place::Content, back);
    QVERIFY(r.ok());
    QCOMPARE(r.value(), LoadOutcome::Loaded);
    QCOMPARE(back.toPlainText(), u"Disaster recovery plan"_s);

    QVERIFY(saveRichText(folder, u"DRPln1.Fil"_s, back).ok());
    r = loadRichText(folder, u"drpln1.fil"_s, ProgramFolder::Place::Data, doc);
    QVERIFY(r.ok());
    QCOMPARE(r.value(), LoadOutcome::Loaded);
    QCOMPARE(doc.toPlainText(), u"Disaster recovery plan"_s);

    r = loadRichText(folder, u"../DRPln1.Fil"_s, ProgramFolder::Place::Data, doc);
    QVERIFY(!r.ok());
}

void TestRichTextFile::plainTextFileLoads()
{
    const QString path = m_tmp->filePath(u"Wksht0.Fil"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Plain notes, caf\xe9");
    file.close();
    QTextDocument doc;
    const Result<LoadOutcome> r = loadRichText(path, doc);
    QVERIFY(r.ok());
    QCOMPARE(r.value(), LoadOutcome::Loaded);
    QCOMPARE(doc.toPlainText(), u"Plain notes, caf\u00E9"_s);
}

void TestRichTextFile::cutOffFileLoadsAndSaysSo()
{
    const ProgramFolder folder(m_tmp->path(), m_tmp->path());
    QTextDocument doc;
    doc.setPlainText(u"First paragraph of the policy.\n"_s + u"More words. "_s.repeated(2000));
    QVERIFY(saveRichText(folder, u"Policy14.Fil"_s, doc).ok());
    QFile file(folder.path(u"Policy14.Fil"_s, ProgramFolder::Place::Data));
    QVERIFY(file.size() > 8192);
    QVERIFY(file.resize(8192));

    QTextDocument back;
    bool cutOff = false;
    const Result<LoadOutcome> r = loadRichText(folder, u"Policy14.Fil"_s, ProgramFolder::Place::Data, back, &cutOff);
    QVERIFY(r.ok());
    QCOMPARE(r.value(), LoadOutcome::Loaded);
    QVERIFY(cutOff);
    QVERIFY(back.toPlainText().startsWith(u"First paragraph of the policy.\nMore words. "_s));
}

void TestRichTextFile::failedSaveKeepsOldFile()
{
    const ProgramFolder folder(m_tmp->path(), m_tmp->path());
    QTextDocument doc;
    doc.setPlainText(u"saved version"_s);
    QVERIFY(saveRichText(folder, u"Action0.Fil"_s, doc).ok());

    doc.setPlainText(u"newer version"_s);
    WriteFaults::inject(u"Action0.Fil"_s, 1, 10);
    QVERIFY(!saveRichText(folder, u"Action0.Fil"_s, doc).ok());

    QTextDocument back;
    QVERIFY(loadRichText(folder, u"Action0.Fil"_s, ProgramFolder::Place::Data, back).ok());
    QCOMPARE(back.toPlainText(), u"saved version"_s);
}

QTEST_MAIN(TestRichTextFile)
#include "tst_richtextfile.moc"
