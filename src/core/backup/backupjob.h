#pragma once

#include "backupmedia.h"
#include "core/storage/programfolder.h"

#include <QString>

namespace qv::backup {

    // A message box or question of the backup utility, as the window is to show it.
    struct Question
    {
        enum class Icon
        {
            Information,
            Question,
            Critical
        };
        enum class Buttons
        {
            Ok,
            OkCancel,
            YesNoCancel
        };
        enum class Answer
        {
            Ok,
            Cancel,
            Yes,
            No
        };

        QString title;
        QString text; // lines separated by CR
        Icon icon = Icon::Information;
        Buttons buttons = Buttons::Ok;
        Answer defaultAnswer = Answer::Ok;
    };

    // What the window does for a backup or restore under way: it asks the questions (and, between
    // them, the user changes the disk in the drive) and shows the status line and progress bar.
    class Listener
    {
    public:
        virtual ~Listener();

        virtual Question::Answer ask(const Question& question) = 0;
        // The status line; an empty text hides it.
        virtual void showStatus(const QString& text);
        // The progress bar at value of maximum; a maximum of 0 hides it.
        virtual void showProgress(int value, int maximum);
    };

    enum class Outcome
    {
        // The user did not confirm; nothing was done.
        NotStarted,
        Completed,
        // The user cancelled at one of the disk requests.
        Cancelled,
        // The media could not be written or read; the user was told.
        Failed,
        // The write test failed and the user chose to pick another drive.
        ChooseAnotherDrive
    };

    // Copies every user file of folder's data folder to media, spanning disks, and says how it ended.
    // The status line ends with "Backup Complete" or "Backup Terminated by User".
    Outcome runBackup(const ProgramFolder& folder, BackupMedia& media, Listener& listener);

    // Reads the whole backup on media, disk by disk, into a staging folder, checks it, and only then
    // replaces the user files of folder's data folder. Whatever goes wrong before that leaves every
    // user file as it was.
    Outcome runRestore(const ProgramFolder& folder, BackupMedia& media, Listener& listener);

    // The texts the window and its boxes show.
    namespace texts {
        inline constexpr QStringView Subject = u"User Created Files";
        inline constexpr QStringView DeletingOldFiles = u"Deleting Old Files";
        inline constexpr QStringView BackupComplete = u"Backup Complete";
        inline constexpr QStringView BackupTerminated = u"Backup Terminated by User";
        inline constexpr QStringView RestoringFiles = u"Restoring User Created Files";
        inline constexpr QStringView RestorationCompleted = u"Restoration Completed";
        inline constexpr QStringView MakingDisk = u"Making User Created Files Backup Disk #";
    } // namespace texts

} // namespace qv::backup
