#include "core/rtf/rtfreader.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

    const QString SourceDir = QStringLiteral(QUORVANE_SOURCE_DIR "/content");
    const QString ContentDir = QStringLiteral(QUORVANE_CONTENT_DIR);
    const QString Compiler = QStringLiteral(QUORVANE_BIN_DIR "/quorvane-content");

    struct ManifestEntry
    {
        QString source; // relative to content/
        QString name; // relative to the content folder
        int line;
        QStringList joined; // a document made of a folder's Markdown files: them, in name order
    };

    // The manifest as the build reads it: folder entries expanded to the files in them.
    QList<ManifestEntry> readManifest(QString* error)
    {
        QFile file(SourceDir + u"/manifest.txt"_s);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = file.errorString();
            return {};
        }
        QList<ManifestEntry> entries;
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            const QString line = lines.at(i).trimmed();
            if (line.isEmpty() || line.startsWith(u'#')) {
                continue;
            }
            const QStringList fields = line.split(QRegularExpression(u"\\s+"_s));
            if (fields.size() != 2) {
                *error = u"line %1 is not \"<source> <installed name>\""_s.arg(i + 1);
                return {};
            }
            if (!fields[0].endsWith(u'/')) {
                entries.append({fields[0], fields[1], i + 1, {}});
                continue;
            }
            if (!fields[1].endsWith(u'/')) {
                const QStringList files =
                    QDir(SourceDir + u'/' + fields[0]).entryList({u"*.md"_s}, QDir::Files, QDir::Name);
                QStringList joined;
                for (const QString& file : files) {
                    joined.append(fields[0] + file);
                }
                entries.append({fields[0], fields[1], i + 1, joined});
                continue;
            }
            QDirIterator it(SourceDir + u'/' + fields[0], QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString relative = it.next().sliced(SourceDir.size() + 1 + fields[0].size());
                entries.append({fields[0] + relative, fields[1] + relative, i + 1, {}});
            }
        }
        return entries;
    }

    struct Run
    {
        QString blockText;
        QTextCharFormat format;
    };

    // The formatted run that holds text, and the whole text of its paragraph.
    std::optional<Run> findRun(const QTextDocument& doc, const QString& text)
    {
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                if (it.fragment().text().contains(text)) {
                    return Run{block.text(), it.fragment().charFormat()};
                }
            }
        }
        return std::nullopt;
    }

    QStringList paragraphs(const QTextDocument& doc)
    {
        QStringList texts;
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            if (!block.text().trimmed().isEmpty()) {
                texts.append(block.text());
            }
        }
        return texts;
    }

    QString family(const QTextCharFormat& format)
    {
        return format.fontFamilies().toStringList().value(0);
    }

    struct Compiled
    {
        int exitCode = -1;
        QString errors;
    };

    Compiled compile(const QStringList& arguments)
    {
        QProcess process;
        process.start(Compiler, arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
            return {};
        }
        return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
    }

    // The tables that rate risk (the likelihood and impact scales and the matrix), cell texts row by row.
    QList<QStringList> ratingTables(const QTextDocument& doc)
    {
        QList<QStringList> tables;
        for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
            const auto* table = qobject_cast<QTextTable*>(frame);
            if (!table) {
                continue;
            }
            QStringList rows;
            for (int r = 0; r < table->rows(); ++r) {
                QStringList cells;
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    QTextCursor cursor = cell.firstCursorPosition();
                    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                    cells.append(cursor.selectedText());
                }
                rows.append(cells.join(u" | "_s));
            }
            if (rows.value(0).startsWith(u"Rating |"_s) || rows.value(0).startsWith(u"Likelihood \\ Impact |"_s)) {
                tables.append(rows);
            }
        }
        return tables;
    }

    bool writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

} // namespace

class ContentTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void manifestListsEveryDocument();
    void installed_data();
    void installed();
    void documents_data();
    void documents();
    void riskIsRatedOneWay();
    void compiles_data();
    void compiles();
    void refuses_data();
    void refuses();
    void joinsSources();
};

void ContentTest::manifestListsEveryDocument()
{
    QString error;
    const QList<ManifestEntry> entries = readManifest(&error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!entries.isEmpty());

    QSet<QString> listed;
    QSet<QString> names;
    for (const ManifestEntry& entry : entries) {
        if (entry.source.endsWith(u'/')) {
            QVERIFY2(!entry.joined.isEmpty(),
                     qPrintable(u"manifest line %1: no Markdown in content/%2"_s.arg(entry.line).arg(entry.source)));
            for (const QString& part : entry.joined) {
                listed.insert(part);
            }
        } else {
            QVERIFY2(QFileInfo(SourceDir + u'/' + entry.source).isFile(),
                     qPrintable(u"manifest line %1: no content/%2"_s.arg(entry.line).arg(entry.source)));
        }
        // The program finds files ignoring case, so two names that differ only in case are one file.
        QVERIFY2(!names.contains(entry.name.toLower()), qPrintable(entry.name + u" is installed twice"_s));
        names.insert(entry.name.toLower());
        listed.insert(entry.source);
    }

    QDirIterator it(SourceDir, {u"*.md"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = it.next().sliced(SourceDir.size() + 1);
        if (QFileInfo(relative).fileName() == u"README.md") {
            continue;
        }
        QVERIFY2(listed.contains(relative), qPrintable(u"content/"_s + relative + u" is not in manifest.txt"_s));
    }
}

void ContentTest::installed_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("joined");

    QString error;
    for (const ManifestEntry& entry : readManifest(&error)) {
        QTest::newRow(qPrintable(entry.name)) << entry.source << entry.name << entry.joined;
    }
}

void ContentTest::installed()
{
    QFETCH(QString, source);
    QFETCH(QString, name);
    QFETCH(QStringList, joined);

    const QByteArray bytes = readFile(ContentDir + u'/' + name);
    QVERIFY2(!bytes.isEmpty(), qPrintable(name + u" was not installed"_s));
    if (joined.isEmpty() && !source.endsWith(u".md")) {
        QCOMPARE(bytes, readFile(SourceDir + u'/' + source));
        return;
    }
    QVERIFY2(bytes.startsWith("{\\rtf1"), bytes.left(40).constData());
    QTextDocument doc;
    QVERIFY(qv::rtf::read(bytes, doc));
    // Every paragraph, list item and table cell of the source arrives, word for word.
    QStringList markdown;
    for (const QString& part : joined.isEmpty() ? QStringList{source} : joined) {
        markdown.append(QString::fromUtf8(readFile(SourceDir + u'/' + part)));
    }
    QTextDocument expected;
    expected.setMarkdown(markdown.join(u"\n\n"_s), QTextDocument::MarkdownDialectGitHub);
    QCOMPARE(paragraphs(doc), paragraphs(expected));
}

void ContentTest::documents_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text"); // the start of a paragraph
    QTest::addColumn<bool>("heading");
    QTest::addColumn<double>("pointSize");

    QTest::newRow("disclaimer title") << u"Misc2.Fl1"_s << u"Disclaimer"_s << true << 16.0;
    QTest::newRow("disclaimer: not legal advice") << u"Misc2.Fl1"_s << u"Not Legal Advice"_s << true << 14.0;
    QTest::newRow("disclaimer: no warranty") << u"Misc2.Fl1"_s << u"No Warranty"_s << true << 14.0;
    QTest::newRow("disclaimer: official text governs")
        << u"Misc2.Fl1"_s << u"If anything in Quorvane differs from the official text, the official text governs."_s
        << false << 12.0;
    QTest::newRow("disclaimer: quotes the rule")
        << u"Misc2.Fl1"_s
        << u"The Security Rule leaves many choices to each organization. In the words of the rule, § 164.306(b)(1): "
           u"“Covered entities and business associates may use any security measures"_s
        << false << 12.0;
    QTest::newRow("disclaimer: user's responsibility")
        << u"Misc2.Fl1"_s << u"performing and documenting an accurate and thorough risk analysis"_s << false << 12.0;
    QTest::newRow("information title") << u"Misc1.Fl1"_s << u"Quorvane 10.0 — Program Information"_s << true << 16.0;
    QTest::newRow("information: action area") << u"Misc1.Fl1"_s << u"The Action Area"_s << true << 14.0;
    QTest::newRow("information: safeguard") << u"Misc1.Fl1"_s << u"Working with a Safeguard"_s << true << 12.0;
    QTest::newRow("information: files") << u"Misc1.Fl1"_s << u"Where Your Files Are Kept"_s << true << 14.0;
    QTest::newRow("information: backup") << u"Misc1.Fl1"_s << u"Backup and Restore"_s << true << 14.0;
    QTest::newRow("information: business associates")
        << u"Misc1.Fl1"_s << u"Quorvane is a workbook for an organization that is a business associate"_s << false
        << 12.0;
    QTest::newRow("information: section in table") << u"Misc1.Fl1"_s << u"§ 164.316"_s << false << 12.0;
    QTest::newRow("information: Windows folder")
        << u"Misc1.Fl1"_s << u"on Windows: AppData\\Roaming\\Quorvane\\Quorvane in your user folder;"_s << false
        << 12.0;
    QTest::newRow("information: data-dir example")
        << u"Misc1.Fl1"_s << u"quorvane --data-dir \"D:\\Compliance\\Acme Billing\""_s << false << 10.0;
    QTest::newRow("information: restore warning")
        << u"Misc1.Fl1"_s << u"Restore first erases the user files in the data folder"_s << false << 12.0;
}

void ContentTest::documents()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, heading);
    QFETCH(double, pointSize);

    QTextDocument doc;
    QVERIFY(qv::rtf::read(readFile(ContentDir + u'/' + name), doc));

    QTextBlock found;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.text().startsWith(text)) {
            found = block;
            break;
        }
    }
    QVERIFY2(found.isValid(), qPrintable(u"no paragraph starting \""_s + text + u'"'));
    if (heading) {
        QCOMPARE(found.text(), text);
    }
    for (auto it = found.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (heading) {
            QVERIFY2(format.fontWeight() >= QFont::Bold, qPrintable(it.fragment().text()));
            QCOMPARE(family(format), u"Arial"_s);
        }
        QCOMPARE(format.fontPointSize(), pointSize);
    }
}

// The policy prescribes how risk is rated and the worksheet is where it is rated: a worksheet that
// scored on another scale than its policy would rate the same risk twice, differently.
void ContentTest::riskIsRatedOneWay()
{
    QTextDocument policy;
    QTextDocument worksheet;
    QVERIFY(qv::rtf::read(readFile(ContentDir + u"/Misc14.Fl1"_s), policy));
    QVERIFY(qv::rtf::read(readFile(ContentDir + u"/Misc59.Fl1"_s), worksheet));

    const QList<QStringList> scales = ratingTables(worksheet);
    QCOMPARE(scales.size(), 3);
    QCOMPARE(scales.at(2),
             QStringList({u"Likelihood \\ Impact | 1 Low | 2 Medium | 3 High"_s,
                          u"3 High | 3 Medium | 6 High | 9 High"_s,
                          u"2 Medium | 2 Low | 4 Medium | 6 High"_s,
                          u"1 Low | 1 Low | 2 Low | 3 Medium"_s}));
    QCOMPARE(ratingTables(policy), scales);

    const QString rule = u"Risk level = Likelihood × Impact: a score of 1–2 is Low, 3–4 is Medium, 6–9 is High."_s;
    QVERIFY(paragraphs(policy).contains(rule));
    QVERIFY(paragraphs(worksheet).contains(rule));
}

void ContentTest::compiles_data()
{
    QTest::addColumn<QByteArray>("markdown");
    QTest::addColumn<QString>("run"); // text of a run to look at
    QTest::addColumn<QString>("paragraph"); // the whole paragraph that holds it
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");

    QTest::newRow("title") << "# Title\n\nBody.\n"_ba << u"Title"_s << u"Title"_s << u"Arial"_s << 16.0 << true
                           << false;
    QTest::newRow("body under a title") << "# Title\n\nBody.\n"_ba << u"Body."_s << u"Body."_s << u"Times New Roman"_s
                                        << 12.0 << false << false;
    QTest::newRow("level 2") << "Intro\n\n## Section\n"_ba << u"Section"_s << u"Section"_s << u"Arial"_s << 14.0 << true
                             << false;
    QTest::newRow("level 3") << "### Part\n"_ba << u"Part"_s << u"Part"_s << u"Arial"_s << 12.0 << true << false;
    QTest::newRow("strong") << "Read **this** first.\n"_ba << u"this"_s << u"Read this first."_s << u"Times New Roman"_s
                            << 12.0 << true << false;
    QTest::newRow("emphasis") << "An *addressable* one.\n"_ba << u"addressable"_s << u"An addressable one."_s
                              << u"Times New Roman"_s << 12.0 << false << true;
    QTest::newRow("text beside strong") << "Read **this** first.\n"_ba << u" first."_s << u"Read this first."_s
                                        << u"Times New Roman"_s << 12.0 << false << false;
    QTest::newRow("inline code") << "Start with `--data-dir` set.\n"_ba << u"--data-dir"_s
                                 << u"Start with --data-dir set."_s << u"Courier New"_s << 10.0 << false << false;
    QTest::newRow("code block") << "```\nquorvane --help\n```\n"_ba << u"quorvane --help"_s << u"quorvane --help"_s
                                << u"Courier New"_s << 10.0 << false << false;
    QTest::newRow("list item") << "- first\n- second\n"_ba << u"second"_s << u"second"_s << u"Times New Roman"_s << 12.0
                               << false << false;
    QTest::newRow("table cell") << "| Family | Section |\n|---|---|\n| Physical | § 164.310 |\n"_ba << u"§ 164.310"_s
                                << u"§ 164.310"_s << u"Times New Roman"_s << 12.0 << false << false;
    QTest::newRow("code page characters")
        << "“Quoted” — ‘single’ – § 164.302 … café\n"_ba << u"café"_s << u"“Quoted” — ‘single’ – § 164.302 … café"_s
        << u"Times New Roman"_s << 12.0 << false << false;
    QTest::newRow("RTF's own characters")
        << "A {brace} and C:\\\\Data\\\\ here.\n"_ba << u"{brace}"_s << u"A {brace} and C:\\Data\\ here."_s
        << u"Times New Roman"_s << 12.0 << false << false;
    QTest::newRow("byte order mark") << "\xEF\xBB\xBF# Marked\n"_ba << u"Marked"_s << u"Marked"_s << u"Arial"_s << 16.0
                                     << true << false;
}

void ContentTest::compiles()
{
    QFETCH(QByteArray, markdown);
    QFETCH(QString, run);
    QFETCH(QString, paragraph);
    QFETCH(QString, family);
    QFETCH(double, pointSize);
    QFETCH(bool, bold);
    QFETCH(bool, italic);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeFile(dir.filePath(u"doc.md"_s), markdown));
    // The output folder is made when missing, as in a fresh build tree.
    const QString output = dir.filePath(u"share/quorvane/Doc.Fl1"_s);
    const Compiled result = compile({dir.filePath(u"doc.md"_s), output});
    QVERIFY2(result.exitCode == 0, qPrintable(result.errors));

    const QByteArray rtf = readFile(output);
    QVERIFY(rtf.startsWith("{\\rtf1"));
    QTextDocument doc;
    QVERIFY(qv::rtf::read(rtf, doc));
    const std::optional<Run> found = findRun(doc, run);
    QVERIFY2(found, qPrintable(u"no run \""_s + run + u"\" in: "_s + doc.toPlainText()));
    QCOMPARE(found->blockText, paragraph);
    QCOMPARE(::family(found->format), family);
    QCOMPARE(found->format.fontPointSize(), pointSize);
    QCOMPARE(found->format.fontWeight() >= QFont::Bold, bold);
    QCOMPARE(found->format.fontItalic(), italic);
}

void ContentTest::refuses_data()
{
    QTest::addColumn<QByteArray>("markdown"); // empty: no source file at all
    QTest::addColumn<QString>("outputName"); // below the temporary folder
    QTest::addColumn<int>("argumentCount");
    QTest::addColumn<QString>("message");

    QTest::newRow("no source") << QByteArray() << u"Out.Fl1"_s << 2 << u"cannot read"_s;
    QTest::newRow("empty source") << " \n\n"_ba << u"Out.Fl1"_s << 2 << u"doc.md is empty"_s;
    QTest::newRow("arrow outside the code page")
        << "# Title\n\nOne\nTwo → three\n"_ba << u"Out.Fl1"_s << 2 << u"doc.md:4:5: U+2192 is not a Windows-1252"_s;
    QTest::newRow("emoji outside the code page")
        << "Done \xF0\x9F\x91\x8D\n"_ba << u"Out.Fl1"_s << 2 << u"doc.md:1:6: U+1F44D is not a Windows-1252"_s;
    QTest::newRow("broken UTF-8") << "Caf\xE9\n"_ba << u"Out.Fl1"_s << 2 << u"doc.md:1:4: U+FFFD"_s;
    QTest::newRow("output folder is a file") << "# Fine\n"_ba << u"blocker/Out.Fl1"_s << 2 << u"Out.Fl1"_s;
    QTest::newRow("missing output argument") << "# Fine\n"_ba << u"Out.Fl1"_s << 1 << u"usage:"_s;
}

void ContentTest::refuses()
{
    QFETCH(QByteArray, markdown);
    QFETCH(QString, outputName);
    QFETCH(int, argumentCount);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = dir.filePath(u"doc.md"_s);
    if (!markdown.isNull()) {
        QVERIFY(writeFile(source, markdown));
    }
    QVERIFY(writeFile(dir.filePath(u"blocker"_s), "not a folder"));
    // A document that fails to compile must not cost the build the copy it had.
    const QString output = dir.filePath(outputName);
    const QByteArray previous = "{\\rtf1 previous}";
    if (!outputName.contains(u'/')) {
        QVERIFY(writeFile(output, previous));
    }

    const Compiled result = compile(QStringList{source, output}.mid(0, argumentCount));
    QCOMPARE(result.exitCode, 1);
    // The platform may warn first; the compiler's own word is the last line.
    const QString said = result.errors.trimmed().split(u'\n').constLast();
    QVERIFY2(said.startsWith(u"quorvane-content: "_s), qPrintable(result.errors));
    QVERIFY2(said.contains(message), qPrintable(result.errors));
    if (!outputName.contains(u'/')) {
        QCOMPARE(readFile(output), previous);
    }
}

// A document joined from several sources keeps each source's paragraphs apart and in order, and a
// bad source fails the whole document by its own name.
void ContentTest::joinsSources()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString first = dir.filePath(u"01-first.md"_s);
    const QString second = dir.filePath(u"02-second.md"_s);
    const QString output = dir.filePath(u"Whole.Fl1"_s);
    // No line break at the end: the last line must not run on into the next source.
    QVERIFY(writeFile(first, "# First\n\nLast line of the first"_ba));
    QVERIFY(writeFile(second, "continues here?\n\n# Second\n\nBody.\n"_ba));

    Compiled result = compile({first, second, output});
    QVERIFY2(result.exitCode == 0, qPrintable(result.errors));
    QTextDocument doc;
    QVERIFY(qv::rtf::read(readFile(output), doc));
    QCOMPARE(paragraphs(doc),
             QStringList({u"First"_s, u"Last line of the first"_s, u"continues here?"_s, u"Second"_s, u"Body."_s}));

    const QByteArray joined = readFile(output);
    QVERIFY(writeFile(second, "Arrow \xE2\x86\x92\n"_ba));
    result = compile({first, second, output});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.errors.contains(u"02-second.md:1:7: U+2192"_s), qPrintable(result.errors));
    QCOMPARE(readFile(output), joined);
}

QTEST_GUILESS_MAIN(ContentTest)
#include "tst_content.moc"
