#include "appfolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using qv::StartOptions;
using Action = StartOptions::Action;

Q_DECLARE_METATYPE(StartOptions::Action)

class StartOptionsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void resolve_data();
    void resolve();
    void program_data();
    void program();

private:
    // "@" in a table row stands for the test's temporary folder.
    QString here(QString path) const
    {
        return path.replace(u'@', m_root.path());
    }

    QTemporaryDir m_root;
};

void StartOptionsTest::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("dataDir");
    QTest::addColumn<QString>("contentDir");
    QTest::addColumn<QString>("messagePart");

    QTest::newRow("nothing") << QStringList{} << Action::Run << QString() << QString() << QString();
    QTest::newRow("data dir") << QStringList{u"--data-dir"_s, u"/w/acme"_s} << Action::Run << u"/w/acme"_s << QString()
                              << QString();
    QTest::newRow("data dir with =") << QStringList{u"--data-dir=/w/acme"_s} << Action::Run << u"/w/acme"_s << QString()
                                     << QString();
    QTest::newRow("content dir") << QStringList{u"--content-dir"_s, u"share"_s} << Action::Run << QString()
                                 << u"share"_s << QString();
    QTest::newRow("last one counts") << QStringList{u"--data-dir"_s, u"first"_s, u"--data-dir"_s, u"second"_s}
                                     << Action::Run << u"second"_s << QString() << QString();
    QTest::newRow("show folders") << QStringList{u"--show-folders"_s, u"--data-dir"_s, u"/w/acme"_s}
                                  << Action::ShowFolders << u"/w/acme"_s << QString() << QString();
    QTest::newRow("show folders, folder missing") << QStringList{u"--show-folders"_s, u"--content-dir"_s}
                                                  << Action::Fail << QString() << QString() << u"content-dir"_s;
    QTest::newRow("version") << QStringList{u"--version"_s} << Action::ShowVersion << QString() << QString()
                             << u"Quorvane 10.0"_s;
    QTest::newRow("help") << QStringList{u"--help"_s} << Action::ShowHelp << QString() << QString()
                          << u"--data-dir <dir>"_s;
    QTest::newRow("version beats a mistake") << QStringList{u"--bogus"_s, u"--version"_s} << Action::ShowVersion
                                             << QString() << QString() << u"Quorvane 10.0"_s;
    QTest::newRow("unknown option") << QStringList{u"--bogus"_s} << Action::Fail << QString() << QString()
                                    << u"bogus"_s;
    QTest::newRow("folder missing") << QStringList{u"--data-dir"_s} << Action::Fail << QString() << QString()
                                    << u"data-dir"_s;
    QTest::newRow("empty folder") << QStringList{u"--content-dir="_s} << Action::Fail << QString() << QString()
                                  << u"--content-dir needs a folder."_s;
    QTest::newRow("stray argument") << QStringList{u"Stat1.Fil"_s} << Action::Fail << QString() << QString()
                                    << u"Unexpected argument 'Stat1.Fil'."_s;
}

void StartOptionsTest::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QFETCH(QString, dataDir);
    QFETCH(QString, contentDir);
    QFETCH(QString, messagePart);

    arguments.prepend(u"quorvane"_s);
    const StartOptions options = qv::parseStartOptions(arguments);
    QCOMPARE(options.action, action);
    QCOMPARE(options.dataDir, dataDir);
    QCOMPARE(options.contentDir, contentDir);
    if (messagePart.isEmpty()) {
        QVERIFY2(options.message.isEmpty(), qPrintable(options.message));
    } else {
        QVERIFY2(options.message.contains(messagePart), qPrintable(options.message));
    }
}

void StartOptionsTest::resolve_data()
{
    QTest::addColumn<QStringList>("folders"); // made before the call
    QTest::addColumn<QStringList>("files"); // made before the call
    QTest::addColumn<QString>("dataArg");
    QTest::addColumn<QString>("contentArg");
    QTest::addColumn<QString>("defaultData");
    QTest::addColumn<QString>("executableDir");
    QTest::addColumn<QString>("expectedData");
    QTest::addColumn<QString>("expectedContent");
    QTest::addColumn<QString>("expectedError");

    QTest::newRow("defaults, data folder made, content beside the program")
        << QStringList{} << QStringList{} << QString() << QString() << u"@/home/.local/share/Quorvane/Quorvane"_s
        << u"@/app/bin/"_s << u"@/home/.local/share/Quorvane/Quorvane"_s << u"@/app/share/quorvane"_s << QString();
    QTest::newRow("default data folder already there")
        << QStringList{u"@/appdata"_s} << QStringList{u"@/appdata/Stat1.Fil"_s} << QString() << QString()
        << u"@/appdata"_s << u"@/bin"_s << u"@/appdata"_s << u"@/share/quorvane"_s << QString();
    QTest::newRow("named data folder made with its parents")
        << QStringList{} << QStringList{} << u"@/orgs/acme/workbook"_s << QString() << u"@/appdata"_s << u"@/bin"_s
        << u"@/orgs/acme/workbook"_s << u"@/share/quorvane"_s << QString();
    QTest::newRow("named data folder cleaned")
        << QStringList{u"@/acme"_s} << QStringList{} << u"@/x/../acme/./"_s << QString() << u"@/appdata"_s << u"@/bin"_s
        << u"@/acme"_s << u"@/share/quorvane"_s << QString();
    QTest::newRow("relative data folder")
        << QStringList{} << QStringList{} << u"rel/acme"_s << QString() << u"@/appdata"_s << u"@/bin"_s
        << u"@/rel/acme"_s << u"@/share/quorvane"_s << QString();
    QTest::newRow("named content folder")
        << QStringList{u"@/other/content"_s} << QStringList{} << QString() << u"@/other/content/"_s << u"@/appdata"_s
        << u"@/bin"_s << u"@/appdata"_s << u"@/other/content"_s << QString();
    QTest::newRow("data folder is a file")
        << QStringList{} << QStringList{u"@/acme"_s} << u"@/acme"_s << QString() << u"@/appdata"_s << u"@/bin"_s
        << QString() << QString() << u"The data folder @/acme is a file, not a folder."_s;
    QTest::newRow("data folder under a file")
        << QStringList{} << QStringList{u"@/acme"_s} << u"@/acme/workbook"_s << QString() << u"@/appdata"_s
        << u"@/bin"_s << QString() << QString() << u"The data folder @/acme/workbook cannot be created."_s;
    QTest::newRow("no default data folder")
        << QStringList{} << QStringList{} << QString() << QString() << QString() << u"@/bin"_s << QString() << QString()
        << u"This system names no folder for application data; use --data-dir."_s;
    QTest::newRow("named content folder missing")
        << QStringList{} << QStringList{} << QString() << u"@/nowhere"_s << u"@/appdata"_s << u"@/bin"_s << QString()
        << QString() << u"The content folder @/nowhere does not exist."_s;
    QTest::newRow("content folder missing, data folder not made")
        << QStringList{} << QStringList{} << u"@/new/data"_s << u"@/nowhere"_s << u"@/appdata"_s << u"@/bin"_s
        << QString() << QString() << u"The content folder @/nowhere does not exist."_s;
    QTest::newRow("named content folder is a file")
        << QStringList{} << QStringList{u"@/content"_s} << QString() << u"@/content"_s << u"@/appdata"_s << u"@/bin"_s
        << QString() << QString() << u"The content folder @/content does not exist."_s;
}

void StartOptionsTest::resolve()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QString, dataArg);
    QFETCH(QString, contentArg);
    QFETCH(QString, defaultData);
    QFETCH(QString, executableDir);
    QFETCH(QString, expectedData);
    QFETCH(QString, expectedContent);
    QFETCH(QString, expectedError);

    QVERIFY(m_root.isValid());
    // Each row starts from an empty folder, and relative names resolve inside it.
    QDir root(m_root.path());
    for (const QString& entry : root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString path = root.filePath(entry);
        QVERIFY(QFileInfo(path).isDir() ? QDir(path).removeRecursively() : QFile::remove(path));
    }
    QVERIFY(QDir::setCurrent(m_root.path()));
    for (const QString& folder : folders) {
        QVERIFY(QDir().mkpath(here(folder)));
    }
    for (const QString& name : files) {
        QFile file(here(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    StartOptions options;
    options.dataDir = here(dataArg);
    options.contentDir = here(contentArg);
    const qv::Result<qv::AppFolders> result = qv::resolveFolders(options, {here(defaultData), here(executableDir)});

    if (!expectedError.isEmpty()) {
        QVERIFY(!result.ok());
        QCOMPARE(result.error(), QDir::toNativeSeparators(here(expectedError)));
        // A refused start makes no folders: everything left is what the row made.
        QDirIterator it(m_root.path(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const bool prepared = std::any_of(folders.cbegin(), folders.cend(), [&](const QString& f) {
                return here(f) == path || here(f).startsWith(path + u'/');
            });
            QVERIFY2(prepared || files.contains(path.sliced(m_root.path().size()).prepend(u'@')), qPrintable(path));
        }
        return;
    }
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(result.value().dataDir, here(expectedData));
    QCOMPARE(result.value().contentDir, here(expectedContent));
    QVERIFY(QFileInfo(result.value().dataDir).isDir());
    // Files already in the data folder are the user's: resolving must leave them alone.
    for (const QString& name : files) {
        QVERIFY(QFileInfo::exists(here(name)));
    }
}

void StartOptionsTest::program_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("version") << QStringList{u"--version"_s} << 0 << u"Quorvane 10.0\n"_s << QString();
    QTest::newRow("unknown option") << QStringList{u"--colour=blue"_s} << 2 << QString()
                                    << u"quorvane: Unknown option 'colour'.\n"_s;
    QTest::newRow("data folder is a file") << QStringList{u"--data-dir"_s, u"@/plain"_s} << 2 << QString()
                                           << u"quorvane: The data folder @/plain is a file, not a folder.\n"_s;
    QTest::newRow("content folder missing")
        << QStringList{u"--data-dir"_s, u"@/data"_s, u"--content-dir"_s, u"@/none"_s} << 2 << QString()
        << u"quorvane: The content folder @/none does not exist.\n"_s;
}

void StartOptionsTest::program()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QVERIFY(m_root.isValid());
    QFile plain(here(u"@/plain"_s));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    for (QString& argument : arguments) {
        argument = here(argument);
    }

    QProcess process;
    process.start(QStringLiteral(QUORVANE_BIN_DIR "/quorvane"), arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    QCOMPARE(QString::fromLocal8Bit(process.readAllStandardOutput()), here(out));
    // The platform may add its own warnings before ours; ours is the last line.
    const QString stderrText = QString::fromLocal8Bit(process.readAllStandardError());
    if (err.isEmpty()) {
        QVERIFY2(!stderrText.contains(u"quorvane:"_s), qPrintable(stderrText));
    } else {
        QVERIFY2(stderrText.endsWith(here(err)), qPrintable(stderrText));
    }
}

QTEST_GUILESS_MAIN(StartOptionsTest)
#include "tst_startoptions.moc"
