#pragma once

#include "core/shell/displaysettings.h"
#include "core/storage/programfolder.h"

#include <QColor>
#include <QMainWindow>

#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

namespace qv {

    class Dialogs;
    class Help;
    class Navigator;
    class Prompter;

    // The first screen: the product name, "Click to Begin Program" and the way out, and the display
    // options: full or smaller screen, the remembered window size, the background colour.
    class StartScreen : public QMainWindow
    {
        Q_OBJECT

    public:
        StartScreen(Navigator& navigator,
                    Prompter& prompter,
                    Help& help,
                    Dialogs& dialogs,
                    const ProgramFolder& folder,
                    QWidget* parent = nullptr);

        // Program start: the window size and mode as remembered, the title, the screen check, the
        // splash (once per run), the background. False when the screen is too small for the program,
        // which the user has been told; the program should end then.
        bool start();
        // Shows the window in the mode start() set: maximised, or normal at the remembered size and
        // centred on its screen.
        void showInMode();

        // How large the screen the window is on is, in pixels. Tests put another measure in.
        void setScreenMeasure(std::function<QSize()> measure);

        QMenu* optionsMenu() const;
        // What "&Backup User Created Files" and "&Restore User Created Files" run: the backup
        // utility, opened with restore true for the second. Until it is set both stay disabled.
        void setBackupCommand(std::function<void(bool restore)> command);
        // The colour the background has now.
        QColor backgroundColor() const;

        // "&Full Screen Display" and "&Smaller Screen Display" of the Options menu, and the buttons of
        // the same captions, which first keep or restore the window's size.
        void chooseFullScreen();
        void chooseSmallerScreen();
        void fullScreenButton();
        void smallerScreenButton();
        // "&Default Screen Size".
        void defaultScreenSize();
        // "&Background Color".
        void chooseBackgroundColor();

    public Q_SLOTS:
        // "&Click to Begin Program": the Action Area comes up and this screen steps back.
        void beginProgram();
        // Ends the program at once, with no question.
        void exitProgram();

    Q_SIGNALS:
        // The program should end now; the application quits on it.
        void exitRequested();

    protected:
        void closeEvent(QCloseEvent* event) override;
        void keyPressEvent(QKeyEvent* event) override;
        void resizeEvent(QResizeEvent* event) override;
        void showEvent(QShowEvent* event) override;
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        void buildMenus();
        void buildPanel();
        void centrePanel();
        void showAbout();

        // The window mode and size as remembered, the smaller-screen flag and the buttons that go with it.
        void applyScreenPreference();
        void reload();
        void centreOnScreen();
        void switchToSmaller(display::WindowTwips size);
        bool screenIsLargeEnough();
        void applyBackground();
        void setBackground(const QColor& color);
        void showModeButton();
        // The size the window has in its normal state, frame included, in twips.
        display::WindowTwips windowTwips() const;
        void resizeToTwips(display::WindowTwips size);
        // Before the program ends or the Action Area takes over: a window in its normal state is
        // remembered with its size.
        void keepWindowSize();
        void report(const QString& title, const Status& status);

        Navigator& m_navigator;
        Prompter& m_prompter;
        Help& m_help;
        Dialogs& m_dialogs;
        ProgramFolder m_folder;
        std::function<QSize()> m_screenMeasure;
        // The size the smaller window opens at, applied again once its frame is known.
        display::WindowTwips m_openingSize;
        QWidget* m_background = nullptr;
        QFrame* m_panel = nullptr;
        QLabel* m_title = nullptr;
        QPushButton* m_beginButton = nullptr;
        QPushButton* m_fullScreenButton = nullptr;
        QPushButton* m_smallerScreenButton = nullptr;
        QPushButton* m_exitButton = nullptr;
        QMenu* m_optionsMenu = nullptr;
        QAction* m_backupAction = nullptr;
        QAction* m_restoreAction = nullptr;
        std::function<void(bool restore)> m_backupCommand;
        QAction* m_fullScreenEntry = nullptr;
        QAction* m_smallerScreenEntry = nullptr;
    };

} // namespace qv
