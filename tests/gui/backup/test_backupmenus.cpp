// The backup window as the Action Area opens it: a restore run from its Utilities menu, after which
// the screen shows what the restore brought back.
#include "core/backup/backupjob.h"
#include "core/backup/backupmedia.h"
#include "core/catalogue/statusstore.h"
#include "gui/actionarea/actionarea.h"
#include "gui/backup/backupwindow.h"
#include "spinefixture.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace qv;
using namespace qv::test;
using namespace Qt::StringLiterals;

namespace {
    class Confirming : public backup::Listener
    {
    public:
        backup::Question::Answer ask(const backup::Question&) override
        {
            return backup::Question::Answer::Yes;
        }
    };
} // namespace

class TestBackupMenus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void restoreFromTheActionAreaShowsTheRestoredStatuses();
};

void TestBackupMenus::restoreFromTheActionAreaShowsTheRestoredStatuses()
{
    Spine spine;
    ActionArea* area = spine.begin();
    StatusStore store(spine.programFolder);
    QVERIFY(store.write(1, u"Completed"_s).ok());
    QTemporaryDir disk;
    backup::FolderMedia media(disk.path());
    Confirming yes;
    QCOMPARE(backup::runBackup(spine.programFolder, media, yes), backup::Outcome::Completed);
    QVERIFY(store.write(1, u"In Progress"_s).ok());

    QString caption;
    QTimer::singleShot(0, this, [&] {
        auto* window = qobject_cast<BackupWindow*>(QApplication::activeModalWidget());
        QVERIFY(window);
        caption = window->windowTitle();
        QVERIFY(window->setTargetFolder(disk.path()));
        spine.prompter.answer(PromptAnswer::Yes);
        window->runAction();
        window->accept();
    });
    area->menuAction(u"mURestore"_s)->trigger();

    QCOMPARE(caption, u"Restore User Created Files from Backup Media"_s);
    QCOMPARE(spine.prompter.prompts().last().title, u"Delete Files"_s);
    QCOMPARE(area->statusStore().status(1).value(), u"Completed"_s);
}

QTEST_MAIN(TestBackupMenus)
#include "test_backupmenus.moc"
