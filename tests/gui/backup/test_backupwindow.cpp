// The backup window as the user meets it: its two modes, the folder choice, and a backup and a
// restore run from its button with the boxes answered as a user would.
#include "foldersnapshot.h"
#include "gui/backup/backupwindow.h"
#include "screenshot.h"
#include "scripteddialogs.h"
#include "scriptedprompter.h"
#include "tempprogramfolder.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;
using namespace qv::test;
using namespace Qt::StringLiterals;

namespace {
    template <typename T> T* child(QWidget& window, const QString& name)
    {
        T* found = window.findChild<T*>(name);
        if (!found) {
            QTest::qFail(qPrintable(u"no "_s + name), __FILE__, __LINE__);
        }
        return found;
    }

    QAction* action(QWidget& window, const QString& name)
    {
        return window.findChild<QAction*>(name);
    }

    void putFiles(const TempProgramFolder& workbook)
    {
        workbook.putData(u"Stat1.Fil"_s, QByteArray(1360, 'S'));
        workbook.putData(u"Action3.Fil"_s, "{\\rtf1 action}");
        workbook.putData(u"Policy46.Fil"_s, "{\\rtf1 policy}");
        workbook.putData(u"Incident one.Flc"_s, "{\\rtf1 report}");
        workbook.putData(u"IncidHold.Flc"_s, "\"Incident one.Flc\"\r\n");
        workbook.putData(u"GColor1.Fil"_s, "WP3");
    }
} // namespace

class TestBackupWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void backupModeShowsItsTexts();
    void restoreModeShowsItsTexts();
    void programFolderCannotBeTheTarget();
    void backupAndRestoreFromTheButton();
};

void TestBackupWindow::backupModeShowsItsTexts()
{
    TempProgramFolder workbook;
    ScriptedPrompter prompter;
    ScriptedDialogs dialogs;
    BackupWindow window(BackupMode::Backup, workbook.folder(), prompter, dialogs);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.objectName(), u"Backup1"_s);
    QCOMPARE(window.windowTitle(), u"Backup User Created Files"_s);
    QCOMPARE(child<QLabel>(window, u"Label1"_s)->text(),
             u"This utility allows you to make a backup disk(s) of the User Created Files contained within this "
             u"program.  To make the backup disk(s), first insert a blank formatted disk in Drive a: or select "
             u"location for backup, then select Drive or location from the Drives and or Folders lists below, then "
             u"Click the &Make Backup Button and follow directions as they appear."_s);
    QCOMPARE(child<QPushButton>(window, u"SSCommand2"_s)->text(), u"&Make Backup"_s);
    QCOMPARE(child<QPushButton>(window, u"SSCommand1"_s)->text(), u"E&xit"_s);
    QVERIFY(child<QLabel>(window, u"Label3"_s)->isVisible());
    QVERIFY(child<QLabel>(window, u"Label3"_s)->text().startsWith(u"PLEASE NOTE: If you have a entered"_s));
    QCOMPARE(child<QLabel>(window, u"SSPanel2"_s)->text(), u"Making Backup Disk(s)"_s);
    QVERIFY(action(window, u"mOM"_s)->isEnabled());
    QVERIFY(!action(window, u"mOR"_s)->isEnabled());
    QVERIFY(child<QPushButton>(window, u"SSCommand2"_s)->isEnabled());
    grabToPng(&window, u"backup_window_backup"_s);
    window.resize(1024, 768);
    grabToPng(&window, u"backup_window_backup_1024"_s);
}

void TestBackupWindow::restoreModeShowsItsTexts()
{
    TempProgramFolder workbook;
    ScriptedPrompter prompter;
    ScriptedDialogs dialogs;
    BackupWindow window(BackupMode::Restore, workbook.folder(), prompter, dialogs);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.windowTitle(), u"Restore User Created Files from Backup Media"_s);
    QCOMPARE(child<QLabel>(window, u"Label1"_s)->text(),
             u"Restore User Created Files from backup media to Quorvane. CAUTION: RESTORE FUNCTION WILL FIRST ERASE "
             u"ALL EXISTING USER CREATED FILES IN THE PROGRAM AND THEN RESTORE FILES.  To restore, first place backup "
             u"disk in Drive a: or select backup files location, then select Drive and or folder from the "
             u"Drive/Folders lists below, then Click &Restore User Created Files Button and follow directions as they "
             u"appear."_s);
    QCOMPARE(child<QPushButton>(window, u"SSCommand2"_s)->text(), u"&Restore User Created Files"_s);
    QCOMPARE(child<QLabel>(window, u"SSPanel2"_s)->text(), u"Restoring User Created Files"_s);
    QVERIFY(!action(window, u"mOM"_s)->isEnabled());
    QVERIFY(action(window, u"mOR"_s)->isEnabled());
    grabToPng(&window, u"backup_window_restore"_s);
}

void TestBackupWindow::programFolderCannotBeTheTarget()
{
    TempProgramFolder workbook;
    QTemporaryDir disk;
    ScriptedPrompter prompter;
    ScriptedDialogs dialogs;
    BackupWindow window(BackupMode::Backup, workbook.folder(), prompter, dialogs);
    window.show();
    auto* button = child<QPushButton>(window, u"SSCommand2"_s);

    dialogs.answerFolder(workbook.dataDir() + u"/"_s);
    QTest::mouseClick(child<QPushButton>(window, u"Dir1"_s), Qt::LeftButton);
    QVERIFY(!button->isEnabled());
    QCOMPARE(child<QLabel>(window, u"PathLabel"_s)->text(), QDir::toNativeSeparators(workbook.dataDir()));

    dialogs.answerFolder(disk.path());
    QTest::mouseClick(child<QPushButton>(window, u"Dir1"_s), Qt::LeftButton);
    QVERIFY(button->isEnabled());

    // A folder that is gone is refused with the drive error, and nothing can be started.
    prompter.answer(PromptAnswer::Ok);
    dialogs.answerFolder(disk.path() + u"/gone"_s);
    QTest::mouseClick(child<QPushButton>(window, u"Dir1"_s), Qt::LeftButton);
    QCOMPARE(prompter.prompts().last().title, u"Device/Drive Error"_s);
    QCOMPARE(prompter.prompts().last().text, u"Device/Drive is Unavailable!"_s);
    QVERIFY(!button->isEnabled());
}

void TestBackupWindow::backupAndRestoreFromTheButton()
{
    TempProgramFolder workbook;
    putFiles(workbook);
    QTemporaryDir disk;
    const auto before = FolderSnapshot::aroundDataFolder(workbook.dataDir());
    {
        ScriptedPrompter prompter{PromptAnswer::Yes};
        ScriptedDialogs dialogs;
        BackupWindow window(BackupMode::Backup, workbook.folder(), prompter, dialogs);
        window.show();
        QVERIFY(window.setTargetFolder(disk.path()));
        QTest::mouseClick(child<QPushButton>(window, u"SSCommand2"_s), Qt::LeftButton);

        QCOMPARE(prompter.prompts().size(), 1);
        QCOMPARE(prompter.prompts().first().title, u"Delete Files"_s);
        QCOMPARE(prompter.prompts().first().defaultButton, PromptAnswer::No);
        QCOMPARE(child<QLabel>(window, u"SSPanel2"_s)->text(), u"Backup Complete"_s);
        QVERIFY(child<QLabel>(window, u"SSPanel2"_s)->isVisible());
        QVERIFY(!child<QProgressBar>(window, u"ProgressBar1"_s)->isVisible());
        QVERIFY(!child<QLabel>(window, u"Label3"_s)->isVisible());
        // One backup a window: the button and its menu entry stay off.
        QVERIFY(!child<QPushButton>(window, u"SSCommand2"_s)->isEnabled());
        QVERIFY(!action(window, u"mOM"_s)->isEnabled());
        grabToPng(&window, u"backup_window_complete"_s);
    }
    QVERIFY(QFile::exists(disk.filePath(u"DiskInfo.bk1"_s)));
    QVERIFY(QFile::exists(disk.filePath(u"Incident one.Hb2"_s)));
    QCOMPARE(before.unexpectedChanges(), QString());

    // The workbook changes; the restore brings back what the backup held.
    QVERIFY(QFile::remove(workbook.dataPath(u"Action3.Fil"_s)));
    workbook.putData(u"Stat1.Fil"_s, "changed");
    workbook.putData(u"Action9.Fil"_s, "new");
    {
        ScriptedPrompter prompter{PromptAnswer::Yes};
        ScriptedDialogs dialogs;
        BackupWindow window(BackupMode::Restore, workbook.folder(), prompter, dialogs);
        window.show();
        QVERIFY(window.setTargetFolder(disk.path()));
        action(window, u"mOR"_s)->trigger();
        QCOMPARE(child<QLabel>(window, u"SSPanel2"_s)->text(), u"Restoration Completed"_s);
        QVERIFY(!action(window, u"mOR"_s)->isEnabled());
    }
    QVERIFY2(before.changedSince().isEmpty(), qPrintable(before.changedSince().join(u", "_s)));
}

QTEST_MAIN(TestBackupWindow)
#include "test_backupwindow.moc"
