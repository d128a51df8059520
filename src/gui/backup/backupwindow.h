#pragma once

#include "core/backup/backupjob.h"
#include "core/storage/programfolder.h"

#include <QDialog>

#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;

namespace qv {

    class Dialogs;
    class Prompter;

    enum class BackupMode
    {
        Backup,
        Restore
    };

    // The backup utility ("Backup1"): the user picks a drive and folder, presses the action button
    // and follows the boxes that ask for disks, while the status line and progress bar show how far
    // it has gone. It runs at most one backup or restore; its action stays disabled afterwards.
    class BackupWindow : public QDialog
    {
        Q_OBJECT

    public:
        BackupWindow(BackupMode mode,
                     const ProgramFolder& folder,
                     Prompter& prompter,
                     Dialogs& dialogs,
                     QWidget* parent = nullptr);

        BackupMode mode() const
        {
            return m_mode;
        }
        // The folder backup files are written to and read from.
        QString targetFolder() const;
        // Points the window at folder, as choosing it in the folder list does; false (after the
        // "Device/Drive Error" box) when it cannot be used.
        bool setTargetFolder(const QString& folder);
        // The action button, "&Make Backup Disk" and "&Restore Files from Disk".
        void runAction();
        std::optional<backup::Outcome> lastOutcome() const
        {
            return m_outcome;
        }

    protected:
        void contextMenuEvent(QContextMenuEvent* event) override;

    private:
        class Progress;
        void build();
        void chooseDrive(int index);
        void chooseFolder();
        void updateCommands();

        BackupMode m_mode;
        ProgramFolder m_folder;
        Prompter& m_prompter;
        Dialogs& m_dialogs;
        QString m_target;
        bool m_done = false;
        std::optional<backup::Outcome> m_outcome;

        QLabel* m_explanation = nullptr;
        QComboBox* m_drives = nullptr;
        QPushButton* m_folderButton = nullptr;
        QLabel* m_path = nullptr;
        QLabel* m_note = nullptr;
        QLabel* m_status = nullptr;
        QProgressBar* m_progress = nullptr;
        QPushButton* m_action = nullptr;
        QPushButton* m_exit = nullptr;
        QMenu* m_options = nullptr;
        QAction* m_makeBackup = nullptr;
        QAction* m_restore = nullptr;
    };

    // Opens the backup utility modally over parent in mode, and returns when the user leaves it: how
    // the backup or restore ended, nothing when none was run.
    std::optional<backup::Outcome> openBackupWindow(QWidget* parent,
                                                    BackupMode mode,
                                                    const ProgramFolder& folder,
                                                    Prompter& prompter,
                                                    Dialogs& dialogs);

} // namespace qv
