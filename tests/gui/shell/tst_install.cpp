// The program as installed with `cmake --install`: it finds its content folder and help from the
// installed place, its desktop files are where a desktop looks for them, and a copy without its
// share folder says it has no content rather than starting without it.

#include "foldersnapshot.h"
#include "gui/kit/help.h"
#include "gui/shell/helpviewer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

    const QString BuildDir = QStringLiteral(QUORVANE_BUILD_DIR);
    const QString BuiltContent = QStringLiteral(QUORVANE_CONTENT_DIR);

    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };

    Run run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        Run result;
        if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit) {
            process.kill();
            process.waitForFinished();
            result.err = u"%1 did not finish: %2"_s.arg(program, process.errorString());
            return result;
        }
        result.exitCode = process.exitCode();
        result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        result.err = QString::fromLocal8Bit(process.readAllStandardError());
        return result;
    }

    // Every file under dir by its path relative to dir.
    QStringList filesUnder(const QString& dir)
    {
        QStringList files;
        QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files.append(QDir(dir).relativeFilePath(it.next()));
        }
        files.sort();
        return files;
    }

    bool writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void installsProgramContentAndDesktopFiles();
    void installedProgramFindsItsContentAndHelp();
    void installedProgramStartsOffscreen();
    void programWithoutItsShareFolderSaysSo();

private:
    QTemporaryDir m_root;
    QString m_prefix;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_root.isValid());
    m_prefix = m_root.filePath(u"prefix"_s);
    const Run installed = run(QStringLiteral(QUORVANE_CMAKE), {u"--install"_s, BuildDir, u"--prefix"_s, m_prefix});
    QVERIFY2(installed.exitCode == 0, qPrintable(installed.out + installed.err));
}

void TestInstall::installsProgramContentAndDesktopFiles()
{
    const QFileInfo program(m_prefix + u"/bin/quorvane"_s);
    QVERIFY(program.isFile());
    QVERIFY(program.isExecutable());

    // The content folder is the build's, file for file.
    const QString content = m_prefix + u"/share/quorvane"_s;
    const QStringList built = filesUnder(BuiltContent);
    QVERIFY(built.contains(u"help/1000.html"_s));
    QCOMPARE(filesUnder(content), built);
    QVERIFY(qv::test::FolderSnapshot(content).unexpectedChanges().isEmpty());

    for (const QString& file : {u"share/applications/example.quorvane.Quorvane.desktop"_s,
                                u"share/metainfo/example.quorvane.Quorvane.metainfo.xml"_s,
                                u"share/icons/hicolor/scalable/apps/quorvane.svg"_s,
                                u"share/man/man1/quorvane.1.gz"_s,
                                u"share/doc/quorvane/copyright"_s,
                                u"share/doc/quorvane/changelog.gz"_s}) {
        QVERIFY2(QFileInfo(m_prefix + u'/' + file).size() > 0, qPrintable(file));
    }
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QImage icon(m_prefix + u"/share/icons/hicolor/%1x%1/apps/quorvane.png"_s.arg(size));
        QCOMPARE(icon.size(), QSize(size, size));
        // Drawn, not empty: the middle of the shield is opaque.
        QCOMPARE(qAlpha(icon.pixel(size / 2, size * 3 / 4)), 255);
    }
}

void TestInstall::installedProgramFindsItsContentAndHelp()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir data(root.filePath(u"data"_s));
    QVERIFY(data.mkpath(u"."_s));
    QVERIFY(writeFile(data.filePath(u"Stat1.Fil"_s), QByteArray(68 * 20, '\0')));
    const qv::test::FolderSnapshot before = qv::test::FolderSnapshot::aroundDataFolder(data.path());

    const Run shown = run(m_prefix + u"/bin/quorvane"_s, {u"--show-folders"_s, u"--data-dir"_s, data.path()});
    QVERIFY2(shown.exitCode == 0, qPrintable(shown.err));
    const int pages = QDir(BuiltContent + u"/help"_s).entryList({u"*.html"_s}, QDir::Files).size();
    QCOMPARE(shown.out,
             u"Data folder: %1\nContent folder: %2\nHelp topics: %3\n"_s
                 .arg(data.path(), QDir::cleanPath(m_prefix + u"/share/quorvane"_s))
                 .arg(pages));
    QCOMPARE(before.unexpectedChanges(), QString());

    // The installed pages read as help in the window the program shows them in.
    qv::HelpViewer viewer(m_prefix + u"/share/quorvane/help"_s);
    viewer.showTopic(qv::HelpTopic::ProgramOverview);
    QVERIFY(viewer.currentText().contains(u"Action Area"_s));
    QVERIFY(!viewer.currentText().contains(u"has not been written"_s));
}

void TestInstall::installedProgramStartsOffscreen()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir data(root.filePath(u"data"_s));
    QVERIFY(data.mkpath(u"."_s));
    QVERIFY(writeFile(data.filePath(u"Stat1.Fil"_s), QByteArray(68 * 20, '\0')));
    const qv::test::FolderSnapshot before = qv::test::FolderSnapshot::aroundDataFolder(data.path());

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    program.setProcessEnvironment(environment);
    program.start(m_prefix + u"/bin/quorvane"_s, {u"--data-dir"_s, data.path()});
    QVERIFY(program.waitForStarted(30000));
    // The lock is the first thing a start that found its folders does; still running after it means
    // the start screen is up and waiting for the user.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(data.filePath(u"Quorvane.lock"_s)), 30000);
    const bool ended = program.waitForFinished(2000);
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());
    program.kill();
    program.waitForFinished(30000);
    QVERIFY2(!ended, qPrintable(err));
    QCOMPARE(before.unexpectedChanges({u"Quorvane.lock"_s}), QString());
}

void TestInstall::programWithoutItsShareFolderSaysSo()
{
    // The program alone, copied where nothing was installed beside it.
    const QString bare = m_root.filePath(u"bare/bin"_s);
    QVERIFY(QDir().mkpath(bare));
    QVERIFY(QFile::copy(m_prefix + u"/bin/quorvane"_s, bare + u"/quorvane"_s));
    QTemporaryDir data;
    QVERIFY(data.isValid());

    const Run shown = run(bare + u"/quorvane"_s, {u"--show-folders"_s, u"--data-dir"_s, data.path()});
    QCOMPARE(shown.exitCode, 2);
    const QString content = QDir::cleanPath(m_root.filePath(u"bare/share/quorvane"_s));
    QVERIFY2(shown.out.contains(u"Content folder: %1\nHelp topics: 0\n"_s.arg(content)), qPrintable(shown.out));
    QCOMPARE(shown.err, u"quorvane: The content folder %1 holds no help pages.\n"_s.arg(content));
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
