// The export of the standards overview and of the timeline to a spreadsheet file, as a user runs it:
// the name proposed, the folder chosen, the checks, the replacement of a file and a failed write, each
// proved against the bytes of every other file; and a spreadsheet program reading the file back.
#include "spinefixture.h"

#include "core/reports/spreadsheet.h"
#include "core/storage/programfolder.h"
#include "core/timeline/timelinemodel.h"
#include "foldersnapshot.h"
#include "gui/actionarea/actionarea.h"
#include "gui/catalogue/overviewarea.h"
#include "gui/reports/exportpanel.h"
#include "gui/timeline/timelinearea.h"
#include "screenshot.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;
using namespace qv::test;

namespace {

    const QString Done = QStringLiteral("Export Completed to selected location!");

    QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    struct Export
    {
        Export()
        {
            spine.folder.putData(QStringLiteral("Stat1.Fil"), QByteArray(68 * 20, '\0'));
            QByteArray timeline;
            for (int r = 0; r < timeline::RowCount; ++r) {
                const QByteArray item =
                    r < 2 ? QByteArray("Backup, offsite ") + QByteArray::number(r + 1) : QByteArray();
                timeline +=
                    '"' + item + "\"\r\n\"" + (r == 0 ? "Mon - Dec 7, 26" : "") + "\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
            }
            spine.folder.putData(QStringLiteral("TODOActv.FIL"), timeline);
            area = spine.begin();
        }

        ExportPanel* open()
        {
            QAction* menu = area->menuAction(QStringLiteral("mUExport"));
            if (!menu->isEnabled()) {
                return nullptr;
            }
            menu->trigger();
            return area->exportPanel();
        }

        // The export command; a message is answered with OK.
        void exportNow(std::initializer_list<PromptAnswer> answers = {PromptAnswer::Ok})
        {
            spine.prompter.answer(answers);
            press(area, QStringLiteral("SSCommand23"), -1);
        }

        QStringList texts()
        {
            QStringList t;
            for (const Prompt& p : spine.prompter.takePrompts()) {
                t.append(p.text);
            }
            return t;
        }

        Spine spine;
        ActionArea* area = nullptr;
    };

    // LibreOffice Calc's reading of an exported file, as comma-separated lines.
    QString readByCalc(const QString& xls, const QString& outDir)
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        QProcess calc;
        calc.start(soffice,
                   {QStringLiteral("--headless"),
                    QStringLiteral("--infilter=Text - txt - csv (StarCalc):9,34,1"),
                    QStringLiteral("--convert-to"),
                    // Commas and UTF-8 out, whatever the input's own options were.
                    QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                    QStringLiteral("--outdir"),
                    outDir,
                    xls});
        calc.waitForFinished(120000);
        return QString::fromUtf8(bytesOf(outDir + u'/' + QFileInfo(xls).completeBaseName() + QStringLiteral(".csv")));
    }

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void offeredOnlyWhereAGridIsShown();
    void timelineToAChosenFolder();
    void standardsGridReplacesOnlyWhenAllowed();
    void badNamesAndFailedWritesKeepTheOldFile();
    void anUnreadableFolderGoesBack();
    void calcReadsTheExportsBack();
};

void TestExport::cleanup()
{
    WriteFaults::clear();
}

void TestExport::offeredOnlyWhereAGridIsShown()
{
    Export e;
    QVERIFY(e.area->menuAction(QStringLiteral("mUExport"))->isEnabled());
    press(e.area, QStringLiteral("SSCommand11"), 1);
    QVERIFY(e.area->menuAction(QStringLiteral("mUExport"))->isEnabled());
    for (int k : {2, 7, 10}) {
        press(e.area, QStringLiteral("SSCommand11"), k);
        QVERIFY2(!e.area->menuAction(QStringLiteral("mUExport"))->isEnabled(), qPrintable(QString::number(k)));
    }
    // Even reached another way, the command writes nothing and reports no success there.
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(e.spine.folder.dataDir());
    e.area->openExport();
    QVERIFY(!e.area->exportPanel()->isVisible());
    QCOMPARE(e.texts(), QStringList());
    QVERIFY2(before.unexpectedChanges().isEmpty(), qPrintable(before.unexpectedChanges()));
}

void TestExport::timelineToAChosenFolder()
{
    Export e;
    press(e.area, QStringLiteral("SSCommand11"), 1);
    ExportPanel* panel = e.open();
    QVERIFY(panel && panel->isVisible());
    QCOMPARE(panel->nameBox()->text(), QStringLiteral("Timeline.xls"));
    QCOMPARE(panel->folder(), QDir::cleanPath(e.spine.folder.dataDir()));

    QTemporaryDir elsewhere;
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(e.spine.folder.dataDir());
    e.spine.dialogs.answerFolder(elsewhere.path());
    press(e.area, QStringLiteral("Dir1"), -1);
    QCOMPARE(panel->folder(), QDir::cleanPath(elsewhere.path()));
    e.exportNow();
    QCOMPARE(e.texts(), QStringList({Done}));
    const QByteArray bytes = bytesOf(elsewhere.filePath(QStringLiteral("Timeline.xls")));
    QVERIFY(bytes.startsWith("Backup, offsite 1\tMon - Dec 7, 26\t\t\t\r\nBackup, offsite 2\t\t\t\t\r\n\t\t\t\t\r\n"));
    QCOMPARE(bytes.count("\r\n"), 500);
    QCOMPARE(panel->fileList()->count(), 1);
    showAtSize(e.area, QSize(1024, 768));
    QVERIFY(QTest::qWaitForWindowExposed(e.area));
    grabToPng(e.area, QStringLiteral("export-timeline-1024x768"));
    QVERIFY2(before.unexpectedChanges().isEmpty(), qPrintable(before.unexpectedChanges()));
}

void TestExport::standardsGridReplacesOnlyWhenAllowed()
{
    Export e;
    e.area->overviewArea()->chooseFamily(1);
    ExportPanel* panel = e.open();
    QCOMPARE(panel->nameBox()->text(), QStringLiteral("PhysicalSafeguards.xls"));
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(e.spine.folder.dataDir());
    e.exportNow();
    QCOMPARE(e.texts(), QStringList({Done}));
    const QString path = e.spine.folder.dataPath(QStringLiteral("PhysicalSafeguards.xls"));
    const QByteArray first = bytesOf(path);
    // One line per standard; several specifications share a quoted cell, a line each.
    QVERIFY2(first.startsWith("Facility Access Controls\t164.310(a)(1)\t\""), first.left(120).constData());
    QVERIFY(first.contains("\nAccess Control & Validation Procedures\n"));
    QVERIFY2(before.unexpectedChanges({QStringLiteral("PhysicalSafeguards.xls")}).isEmpty(),
             qPrintable(before.unexpectedChanges({QStringLiteral("PhysicalSafeguards.xls")})));

    // Over a file of that name the user is asked; No keeps it.
    e.spine.folder.putData(QStringLiteral("PhysicalSafeguards.xls"), "kept");
    const FolderSnapshot kept = FolderSnapshot::aroundDataFolder(e.spine.folder.dataDir());
    e.exportNow({PromptAnswer::No});
    QCOMPARE(e.spine.prompter.takePrompts().constLast().effectiveDefault(), PromptAnswer::No);
    QVERIFY2(kept.unexpectedChanges().isEmpty(), qPrintable(kept.unexpectedChanges()));
    e.exportNow({PromptAnswer::Yes, PromptAnswer::Ok});
    QCOMPARE(e.texts().constLast(), Done);
    QCOMPARE(bytesOf(path), first);
}

void TestExport::badNamesAndFailedWritesKeepTheOldFile()
{
    Export e;
    press(e.area, QStringLiteral("SSCommand11"), 1);
    ExportPanel* panel = e.open();
    e.spine.folder.putData(QStringLiteral("Timeline.xls"), "old");
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(e.spine.folder.dataDir());
    for (const QString& name : {QStringLiteral("Timeline.xlsx"), QStringLiteral("Timeline"), QStringLiteral("  ")}) {
        panel->nameBox()->setText(name);
        e.exportNow();
        const Prompt refused = e.spine.prompter.takePrompts().constLast();
        QCOMPARE(refused.title, QStringLiteral("Export Error"));
        QCOMPARE(refused.text, QStringLiteral("File Name is Missing or Incorrect"));
        QCOMPARE(refused.icon, PromptIcon::Critical);
    }
    // A trailing blank does not spoil a name; the disk filling up half-way is reported and leaves the
    // old file.
    panel->nameBox()->setText(QStringLiteral("Timeline.xls "));
    WriteFaults::inject(QStringLiteral("Timeline.xls"), -1, 40);
    e.exportNow({PromptAnswer::Yes, PromptAnswer::Ok});
    QCOMPARE(e.texts(),
             QStringList({QStringLiteral("Timeline.xls already exists in this folder.\rReplace it?"),
                          spreadsheet::writeFailedMessage()}));
    QVERIFY2(before.unexpectedChanges().isEmpty(), qPrintable(before.unexpectedChanges()));
}

void TestExport::anUnreadableFolderGoesBack()
{
    Export e;
    ExportPanel* panel = e.open();
    e.spine.dialogs.answerFolder(e.spine.folder.dataPath(QStringLiteral("no such folder")));
    e.spine.prompter.answer(PromptAnswer::Ok);
    press(e.area, QStringLiteral("Dir1"), -1);
    const Prompt shown = e.spine.prompter.takePrompts().constLast();
    QCOMPARE(shown.title, QStringLiteral("Device/Drive Error"));
    QCOMPARE(shown.text, QStringLiteral("Device/Drive is Unavailable!"));
    QCOMPARE(panel->folder(), QDir::cleanPath(e.spine.folder.dataDir()));
    // Esc puts the panel away before it would ask to end the program.
    QTest::keyClick(e.area, Qt::Key_Escape);
    QVERIFY(!panel->isVisible());
}

void TestExport::calcReadsTheExportsBack()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty()) {
        QSKIP("LibreOffice (soffice) is not installed: the exports are not read back by Calc");
    }
    Export e;
    QTemporaryDir out;
    e.area->overviewArea()->chooseFamily(1);
    e.open();
    e.exportNow();
    press(e.area, QStringLiteral("SSCommand11"), 1);
    e.open();
    e.exportNow();
    e.texts();
    const QString standards = readByCalc(e.spine.folder.dataPath(QStringLiteral("PhysicalSafeguards.xls")), out.path());
    QVERIFY2(standards.startsWith(QStringLiteral("Facility Access Controls,164.310(a)(1),\"")), qPrintable(standards));
    QVERIFY(standards.contains(QStringLiteral("\nAccess Control & Validation Procedures\n")));
    const QString timeline = readByCalc(e.spine.folder.dataPath(QStringLiteral("Timeline.xls")), out.path());
    // Calc drops the columns that are empty in every row.
    QVERIFY2(timeline.startsWith(QStringLiteral("\"Backup, offsite 1\",\"Mon - Dec 7, 26\"\n\"Backup, offsite 2\",\n")),
             qPrintable(timeline));
}

QTEST_MAIN(TestExport)
#include "test_export.moc"
