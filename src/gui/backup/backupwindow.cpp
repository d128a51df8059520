#include "backupwindow.h"

#include "core/backup/backupmedia.h"
#include "gui/kit/busypointer.h"
#include "gui/kit/dialogs.h"
#include "gui/kit/prompter.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

    namespace {
        using backup::Question;

        const QString Subject = backup::texts::Subject.toString();

        PromptIcon iconOf(Question::Icon icon)
        {
            switch (icon) {
            case Question::Icon::Information:
                return PromptIcon::Information;
            case Question::Icon::Question:
                return PromptIcon::Question;
            case Question::Icon::Critical:
                return PromptIcon::Critical;
            }
            return PromptIcon::None;
        }

        PromptButtons buttonsOf(Question::Buttons buttons)
        {
            switch (buttons) {
            case Question::Buttons::Ok:
                return PromptButtons::Ok;
            case Question::Buttons::OkCancel:
                return PromptButtons::OkCancel;
            case Question::Buttons::YesNoCancel:
                return PromptButtons::YesNoCancel;
            }
            return PromptButtons::Ok;
        }

        PromptAnswer answerOf(Question::Answer answer)
        {
            switch (answer) {
            case Question::Answer::Ok:
                return PromptAnswer::Ok;
            case Question::Answer::Cancel:
                return PromptAnswer::Cancel;
            case Question::Answer::Yes:
                return PromptAnswer::Yes;
            case Question::Answer::No:
                return PromptAnswer::No;
            }
            return PromptAnswer::Ok;
        }

        Question::Answer fromPrompt(PromptAnswer answer)
        {
            switch (answer) {
            case PromptAnswer::Ok:
                return Question::Answer::Ok;
            case PromptAnswer::Yes:
                return Question::Answer::Yes;
            case PromptAnswer::No:
                return Question::Answer::No;
            default:
                return Question::Answer::Cancel;
            }
        }

        QString normalised(const QString& path)
        {
            return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).trimmed();
        }

        bool samePath(const QString& a, const QString& b)
        {
            const QString ca = QFileInfo(a).canonicalFilePath();
            const QString cb = QFileInfo(b).canonicalFilePath();
            if (!ca.isEmpty() && !cb.isEmpty()) {
                return ca.compare(cb, Qt::CaseInsensitive) == 0;
            }
            return normalised(a).compare(normalised(b), Qt::CaseInsensitive) == 0;
        }
    } // namespace

    // Shows the engine's questions through the prompter and its progress on the window, letting the
    // window repaint between files.
    class BackupWindow::Progress : public backup::Listener
    {
    public:
        Progress(BackupWindow& window)
            : m_window(window)
        {
        }

        Question::Answer ask(const Question& q) override
        {
            // The user changes disks while the box is up: the arrow, not the hourglass.
            qv::showNormal();
            const PromptAnswer answer = m_window.m_prompter.ask(
                {q.title, q.text, iconOf(q.icon), buttonsOf(q.buttons), answerOf(q.defaultAnswer)});
            qv::showBusy();
            return fromPrompt(answer);
        }

        void showStatus(const QString& text) override
        {
            m_window.m_status->setText(text);
            m_window.m_status->setVisible(!text.isEmpty());
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }

        void showProgress(int value, int maximum) override
        {
            m_window.m_progress->setVisible(maximum > 0);
            if (maximum > 0) {
                m_window.m_progress->setMaximum(maximum);
                m_window.m_progress->setValue(qMin(value, maximum));
            }
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }

    private:
        BackupWindow& m_window;
    };

    BackupWindow::BackupWindow(BackupMode mode,
                               const ProgramFolder& folder,
                               Prompter& prompter,
                               Dialogs& dialogs,
                               QWidget* parent)
        : QDialog(parent)
        , m_mode(mode)
        , m_folder(folder)
        , m_prompter(prompter)
        , m_dialogs(dialogs)
    {
        setObjectName(QStringLiteral("Backup1"));
        setModal(true);
        build();
        chooseDrive(0);
    }

    void BackupWindow::build()
    {
        const bool restore = m_mode == BackupMode::Restore;
        setWindowTitle(restore ? QStringLiteral("Restore ") + Subject + QStringLiteral(" from Backup Media")
                               : QStringLiteral("Backup ") + Subject);

        auto* menuBar = new QMenuBar(this);
        m_options = menuBar->addMenu(QStringLiteral("&Options"));
        m_options->setObjectName(QStringLiteral("mO"));
        m_makeBackup = m_options->addAction(QStringLiteral("&Make Backup Disk"));
        m_makeBackup->setObjectName(QStringLiteral("mOM"));
        m_restore = m_options->addAction(QStringLiteral("&Restore Files from Disk"));
        m_restore->setObjectName(QStringLiteral("mOR"));
        m_options->addSeparator();
        QAction* exit = m_options->addAction(QStringLiteral("E&xit"));
        exit->setObjectName(QStringLiteral("mOE"));
        connect(m_makeBackup, &QAction::triggered, this, [this] {
            if (m_mode == BackupMode::Backup) {
                runAction();
            }
        });
        connect(m_restore, &QAction::triggered, this, [this] {
            if (m_mode == BackupMode::Restore) {
                runAction();
            }
        });
        connect(exit, &QAction::triggered, this, &QDialog::accept);

        m_explanation = new QLabel(this);
        m_explanation->setObjectName(QStringLiteral("Label1"));
        m_explanation->setWordWrap(true);
        m_explanation->setText(
            restore
                ? QStringLiteral("Restore ") + Subject +
                      QStringLiteral(" from backup media to Quorvane. CAUTION: RESTORE FUNCTION WILL FIRST ERASE ALL "
                                     "EXISTING ") +
                      Subject.toUpper() +
                      QStringLiteral(" IN THE PROGRAM AND THEN RESTORE FILES.  To restore, first place backup disk in "
                                     "Drive a: or select backup files location, then select Drive and or folder from "
                                     "the Drive/Folders lists below, then Click &Restore ") +
                      Subject + QStringLiteral(" Button and follow directions as they appear.")
                : QStringLiteral("This utility allows you to make a backup disk(s) of the ") + Subject +
                      QStringLiteral(" contained within this program.  To make the backup disk(s), first insert a "
                                     "blank formatted disk in Drive a: or select location for backup, then select "
                                     "Drive or location from the Drives and or Folders lists below, then Click the "
                                     "&Make Backup Button and follow directions as they appear."));
        // The text names a button by its caption, access-key mark and all.
        m_explanation->setTextFormat(Qt::PlainText);

        m_drives = new QComboBox(this);
        m_drives->setObjectName(QStringLiteral("Drive1"));
        m_drives->addItem(QStringLiteral("Home folder (%1)").arg(QDir::toNativeSeparators(QDir::homePath())),
                          QDir::homePath());
        for (const backup::RemovableDrive& drive : backup::removableDrives()) {
            m_drives->addItem(drive.name, drive.rootPath);
        }
        connect(m_drives, &QComboBox::activated, this, &BackupWindow::chooseDrive);

        m_folderButton = new QPushButton(QStringLiteral("Change &Folder..."), this);
        m_folderButton->setObjectName(QStringLiteral("Dir1"));
        connect(m_folderButton, &QPushButton::clicked, this, &BackupWindow::chooseFolder);

        m_path = new QLabel(this);
        m_path->setObjectName(QStringLiteral("PathLabel"));
        m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);

        m_note = new QLabel(QStringLiteral("PLEASE NOTE: If you have a entered a large amount of data and you are "
                                           "backing up to Floppy Disks, a couple disks may be needed and the backup "
                                           "could take several minutes to complete!"),
                            this);
        m_note->setObjectName(QStringLiteral("Label3"));
        m_note->setWordWrap(true);
        QFont noteFont = m_note->font();
        noteFont.setItalic(true);
        m_note->setFont(noteFont);

        m_status = new QLabel(
            restore ? backup::texts::RestoringFiles.toString() : QStringLiteral("Making Backup Disk(s)"), this);
        m_status->setObjectName(QStringLiteral("SSPanel2"));
        m_status->setFrameShape(QFrame::Panel);
        m_status->setFrameShadow(QFrame::Sunken);
        m_status->setAlignment(Qt::AlignCenter);
        m_status->setMinimumHeight(28);
        QFont statusFont = m_status->font();
        statusFont.setBold(true);
        m_status->setFont(statusFont);
        // Shown once the work starts.
        m_status->hide();

        m_progress = new QProgressBar(this);
        m_progress->setObjectName(QStringLiteral("ProgressBar1"));
        m_progress->setTextVisible(false);
        m_progress->hide();

        m_action =
            new QPushButton(restore ? QStringLiteral("&Restore ") + Subject : QStringLiteral("&Make Backup"), this);
        m_action->setObjectName(QStringLiteral("SSCommand2"));
        m_action->setDefault(true);
        connect(m_action, &QPushButton::clicked, this, &BackupWindow::runAction);
        m_exit = new QPushButton(QStringLiteral("E&xit"), this);
        m_exit->setObjectName(QStringLiteral("SSCommand1"));
        connect(m_exit, &QPushButton::clicked, this, &QDialog::accept);

        auto* location = new QGroupBox(this);
        auto* locationLayout = new QGridLayout(location);
        locationLayout->addWidget(new QLabel(QStringLiteral("Drive:"), location), 0, 0);
        locationLayout->addWidget(m_drives, 0, 1, 1, 2);
        locationLayout->addWidget(new QLabel(QStringLiteral("Path:"), location), 1, 0);
        locationLayout->addWidget(m_path, 1, 1);
        locationLayout->addWidget(m_folderButton, 1, 2);
        locationLayout->setColumnStretch(1, 1);

        auto* commands = new QHBoxLayout;
        commands->addWidget(m_action);
        commands->addStretch();
        commands->addWidget(m_exit);

        auto* layout = new QVBoxLayout(this);
        layout->setMenuBar(menuBar);
        layout->setContentsMargins(18, 12, 18, 14);
        layout->setSpacing(12);
        layout->addWidget(m_explanation);
        layout->addWidget(location);
        layout->addWidget(m_note);
        layout->addWidget(m_status);
        layout->addWidget(m_progress);
        // The boxes stay together at the top however tall the window is made.
        layout->addStretch(1);
        layout->addLayout(commands);

        m_makeBackup->setEnabled(!restore);
        m_restore->setEnabled(restore);
        resize(640, 360);
    }

    QString BackupWindow::targetFolder() const
    {
        return m_target;
    }

    void BackupWindow::chooseDrive(int index)
    {
        if (!setTargetFolder(m_drives->itemData(index).toString()) && index != 0) {
            m_drives->setCurrentIndex(0);
            setTargetFolder(m_drives->itemData(0).toString());
            m_action->setEnabled(false);
        }
    }

    void BackupWindow::chooseFolder()
    {
        if (const std::optional<QString> chosen = m_dialogs.chooseFolder(windowTitle(), m_target)) {
            setTargetFolder(*chosen);
        }
    }

    bool BackupWindow::setTargetFolder(const QString& folder)
    {
        const QFileInfo info(folder);
        if (folder.isEmpty() || !info.isDir() || !QDir(folder).isReadable()) {
            m_prompter.ask({QStringLiteral("Device/Drive Error"),
                            QStringLiteral("Device/Drive is Unavailable!"),
                            PromptIcon::Critical,
                            PromptButtons::Ok,
                            std::nullopt});
            m_action->setEnabled(false);
            return false;
        }
        m_target = normalised(folder);
        m_path->setText(QDir::toNativeSeparators(m_target));
        updateCommands();
        return true;
    }

    void BackupWindow::updateCommands()
    {
        // Backup files written into the workbook itself, or a restore from it, would be no backup.
        const bool usable = !m_done && !m_target.isEmpty() && !samePath(m_target, m_folder.dataDir());
        m_action->setEnabled(usable);
        (m_mode == BackupMode::Backup ? m_makeBackup : m_restore)->setEnabled(!m_done);
    }

    void BackupWindow::runAction()
    {
        if (m_done || !m_action->isEnabled()) {
            return;
        }
        backup::FolderMedia media(m_target);
        Progress progress(*this);
        m_action->setEnabled(false);
        {
            BusyPointer busy;
            m_outcome = m_mode == BackupMode::Backup ? backup::runBackup(m_folder, media, progress)
                                                     : backup::runRestore(m_folder, media, progress);
        }
        m_progress->hide();
        if (m_mode == BackupMode::Backup && m_outcome != backup::Outcome::NotStarted) {
            m_note->hide();
        }
        if (m_outcome == backup::Outcome::Completed) {
            m_done = true;
        } else if (m_outcome == backup::Outcome::ChooseAnotherDrive) {
            m_drives->setCurrentIndex(0);
            setTargetFolder(m_drives->itemData(0).toString());
        }
        updateCommands();
    }

    void BackupWindow::contextMenuEvent(QContextMenuEvent* event)
    {
        m_options->popup(event->globalPos());
        event->accept();
    }

    std::optional<backup::Outcome> openBackupWindow(QWidget* parent,
                                                    BackupMode mode,
                                                    const ProgramFolder& folder,
                                                    Prompter& prompter,
                                                    Dialogs& dialogs)
    {
        BackupWindow window(mode, folder, prompter, dialogs, parent);
        if (parent) {
            const QRect over = parent->window()->frameGeometry();
            window.move(over.center() - QPoint(window.width() / 2, window.height() / 2));
        }
        window.exec();
        // The program's files are found through the data folder, never the current directory, so
        // there is no current folder to put back.
        return window.lastOutcome();
    }

} // namespace qv
