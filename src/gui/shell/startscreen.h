#pragma once

#include <QMainWindow>

#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

namespace qv {

    class Help;
    class Navigator;
    class Prompter;

    // The first screen: the product name, "Click to Begin Program" and the way out.
    class StartScreen : public QMainWindow
    {
        Q_OBJECT

    public:
        StartScreen(Navigator& navigator, Prompter& prompter, Help& help, QWidget* parent = nullptr);

        // Program start: the title, the splash (once per run), the window size.
        void start();

        QMenu* optionsMenu() const;
        // What "&Backup User Created Files" and "&Restore User Created Files" run: the backup
        // utility, opened with restore true for the second. Until it is set both stay disabled.
        void setBackupCommand(std::function<void(bool restore)> command);

    public Q_SLOTS:
        // "&Click to Begin Program": the Action Area comes up and this screen steps back.
        void beginProgram();
        // Ends the program at once, with no question.
        void exitProgram();

    Q_SIGNALS:
        // The program should end now; the application quits on it.
        void exitRequested();

    protected:
        void keyPressEvent(QKeyEvent* event) override;
        void resizeEvent(QResizeEvent* event) override;
        void showEvent(QShowEvent* event) override;
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        void buildMenus();
        void buildPanel();
        void centrePanel();
        void showAbout();

        Navigator& m_navigator;
        Prompter& m_prompter;
        Help& m_help;
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
    };

} // namespace qv
