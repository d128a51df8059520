#include "startscreen.h"

#include "aboutdialog.h"
#include "gui/kit/busypointer.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/help.h"
#include "gui/kit/navigator.h"
#include "gui/kit/weblinks.h"
#include "splash.h"

#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

    StartScreen::StartScreen(Navigator& navigator,
                             Prompter& prompter,
                             Help& help,
                             Dialogs& dialogs,
                             const ProgramFolder& folder,
                             QWidget* parent)
        : QMainWindow(parent)
        , m_navigator(navigator)
        , m_prompter(prompter)
        , m_help(help)
        , m_dialogs(dialogs)
        , m_folder(folder)
    {
        setObjectName(QStringLiteral("Startfrm"));
        setWindowTitle(QStringLiteral("Quorvane"));
        buildMenus();
        buildPanel();
        resizeToTwips({display::DefaultHeight, display::DefaultWidth});
    }

    void StartScreen::buildMenus()
    {
        auto action = [this](QMenu* menu, const QString& name, const QString& caption) {
            QAction* a = menu->addAction(caption);
            a->setObjectName(name);
            return a;
        };

        m_optionsMenu = menuBar()->addMenu(QStringLiteral("&Options"));
        m_optionsMenu->setObjectName(QStringLiteral("mO"));
        connect(action(m_optionsMenu, QStringLiteral("mOB"), QStringLiteral("&Begin Program")),
                &QAction::triggered,
                this,
                &StartScreen::beginProgram);
        m_optionsMenu->addSeparator();
        connect(action(m_optionsMenu, QStringLiteral("mOBC"), QStringLiteral("&Background Color")),
                &QAction::triggered,
                this,
                &StartScreen::chooseBackgroundColor);
        QMenu* display = m_optionsMenu->addMenu(QStringLiteral("&Program Display"));
        display->setObjectName(QStringLiteral("mODisplay"));
        m_fullScreenEntry = action(display, QStringLiteral("mOPF"), QStringLiteral("&Full Screen Display"));
        m_fullScreenEntry->setCheckable(true);
        connect(m_fullScreenEntry, &QAction::triggered, this, &StartScreen::chooseFullScreen);
        m_smallerScreenEntry = action(display, QStringLiteral("mOPS"), QStringLiteral("&Smaller Screen Display"));
        m_smallerScreenEntry->setCheckable(true);
        connect(m_smallerScreenEntry, &QAction::triggered, this, &StartScreen::chooseSmallerScreen);
        connect(action(display, QStringLiteral("mOPDefault"), QStringLiteral("&Default Screen Size")),
                &QAction::triggered,
                this,
                &StartScreen::defaultScreenSize);
        m_optionsMenu->addSeparator();
        connect(action(m_optionsMenu, QStringLiteral("mOE"), QStringLiteral("E&xit")),
                &QAction::triggered,
                this,
                &StartScreen::exitProgram);

        QMenu* utilities = menuBar()->addMenu(QStringLiteral("Utilities"));
        utilities->setObjectName(QStringLiteral("mU"));
        m_backupAction = action(utilities, QStringLiteral("mUBack"), QStringLiteral("&Backup User Created Files"));
        m_restoreAction = action(utilities, QStringLiteral("mURestore"), QStringLiteral("&Restore User Created Files"));
        for (QAction* a : {m_backupAction, m_restoreAction}) {
            a->setEnabled(false);
            connect(a, &QAction::triggered, this, [this, a] {
                if (m_backupCommand) {
                    m_backupCommand(a == m_restoreAction);
                }
            });
        }

        QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
        help->setObjectName(QStringLiteral("mH"));
        connect(action(help, QStringLiteral("mHI"), QStringLiteral("&Program Overview")),
                &QAction::triggered,
                this,
                [this] { m_help.showTopic(HelpTopic::ProgramOverview); });
        help->addSeparator();
        connect(action(help, QStringLiteral("mHA"), QStringLiteral("&About Quorvane")),
                &QAction::triggered,
                this,
                &StartScreen::showAbout);
        connect(action(help, QStringLiteral("mODownload"), QStringLiteral("&Download Brevantel")),
                &QAction::triggered,
                this,
                [this] { openWebPage(brevantelDownload(), m_prompter); });
        connect(action(help, QStringLiteral("mHWeb"), QStringLiteral("Quorvane on the &Web")),
                &QAction::triggered,
                this,
                [this] { openWebPage(vendorHomePage(), m_prompter); });
    }

    void StartScreen::setBackupCommand(std::function<void(bool restore)> command)
    {
        m_backupCommand = std::move(command);
        m_backupAction->setEnabled(bool(m_backupCommand));
        m_restoreAction->setEnabled(bool(m_backupCommand));
    }

    void StartScreen::buildPanel()
    {
        auto* background = new QWidget(this);
        background->setObjectName(QStringLiteral("StartBackground"));
        background->setAutoFillBackground(true);
        m_background = background;
        setCentralWidget(background);

        m_panel = new QFrame(background);
        m_panel->setObjectName(QStringLiteral("SSPanel1"));
        m_panel->setFrameShape(QFrame::StyledPanel);
        m_panel->setFrameShadow(QFrame::Raised);
        m_panel->setAutoFillBackground(true);
        QPalette panelPalette = m_panel->palette();
        panelPalette.setColor(QPalette::Window, QColor(0xF4, 0xF6, 0xF9));
        m_panel->setPalette(panelPalette);

        m_title = new QLabel(m_panel);
        m_title->setObjectName(QStringLiteral("Label8"));
        m_title->setAlignment(Qt::AlignCenter);
        QFont titleFont = m_title->font();
        titleFont.setPointSize(28);
        titleFont.setBold(true);
        m_title->setFont(titleFont);
        // The title's colour is also the screen's default background.
        QPalette titlePalette = m_title->palette();
        titlePalette.setColor(QPalette::WindowText, QColor(0x2B, 0x4C, 0x7E));
        m_title->setPalette(titlePalette);
        setBackground(titlePalette.color(QPalette::WindowText));

        auto* subtitle = new QLabel(QStringLiteral("HIPAA Security Rule Compliance Workbook"), m_panel);
        subtitle->setAlignment(Qt::AlignCenter);
        QFont subtitleFont = subtitle->font();
        subtitleFont.setPointSize(12);
        subtitle->setFont(subtitleFont);

        m_beginButton = new QPushButton(QStringLiteral("&Click to Begin Program"), m_panel);
        m_beginButton->setObjectName(QStringLiteral("Command2"));
        m_beginButton->setDefault(true);
        m_beginButton->setMinimumHeight(44);
        QFont beginFont = m_beginButton->font();
        beginFont.setPointSize(12);
        beginFont.setBold(true);
        m_beginButton->setFont(beginFont);
        connect(m_beginButton, &QPushButton::clicked, this, &StartScreen::beginProgram);

        m_fullScreenButton = new QPushButton(QStringLiteral("&Full Screen Display"), m_panel);
        setControlName(m_fullScreenButton, QStringLiteral("Command1"), 0);
        m_smallerScreenButton = new QPushButton(QStringLiteral("&Smaller Screen Display"), m_panel);
        setControlName(m_smallerScreenButton, QStringLiteral("Command1"), 1);
        m_exitButton = new QPushButton(QStringLiteral("&Exit Program"), m_panel);
        setControlName(m_exitButton, QStringLiteral("Command1"), 2);
        connect(m_exitButton, &QPushButton::clicked, this, &StartScreen::exitProgram);
        connect(m_fullScreenButton, &QPushButton::clicked, this, &StartScreen::fullScreenButton);
        connect(m_smallerScreenButton, &QPushButton::clicked, this, &StartScreen::smallerScreenButton);
        m_fullScreenButton->hide();

        auto* layout = new QVBoxLayout(m_panel);
        layout->setContentsMargins(40, 28, 40, 28);
        layout->setSpacing(12);
        layout->addWidget(m_title);
        layout->addWidget(subtitle);
        layout->addSpacing(16);
        layout->addWidget(m_beginButton);
        layout->addWidget(m_fullScreenButton);
        layout->addWidget(m_smallerScreenButton);
        layout->addWidget(m_exitButton);
        m_panel->setFixedSize(QSize(440, m_panel->sizeHint().height()));

        // A right-button release anywhere on the screen offers the Options menu.
        const QList<QWidget*> popupSources = {background,
                                              m_panel,
                                              m_title,
                                              subtitle,
                                              m_beginButton,
                                              m_fullScreenButton,
                                              m_smallerScreenButton,
                                              m_exitButton};
        for (QWidget* w : popupSources) {
            w->installEventFilter(this);
        }
    }

    bool StartScreen::start()
    {
        BusyPointer busy;
        applyScreenPreference();
        m_title->setText(QStringLiteral("Quorvane"));
        if (!screenIsLargeEnough()) {
            return false;
        }
        Splash::showOnce(this);
        applyBackground();
        showModeButton();
        return true;
    }

    QMenu* StartScreen::optionsMenu() const
    {
        return m_optionsMenu;
    }

    void StartScreen::beginProgram()
    {
        BusyPointer busy;
        keepWindowSize();
        m_navigator.show(Navigator::ActionArea);
    }

    void StartScreen::exitProgram()
    {
        keepWindowSize();
        Q_EMIT exitRequested();
    }

    void StartScreen::closeEvent(QCloseEvent* event)
    {
        keepWindowSize();
        QMainWindow::closeEvent(event);
    }

    void StartScreen::showAbout()
    {
        AboutDialog about(this);
        about.exec();
    }

    void StartScreen::keyPressEvent(QKeyEvent* event)
    {
        if (event->key() == Qt::Key_Escape) {
            exitProgram();
            return;
        }
        QMainWindow::keyPressEvent(event);
    }

    void StartScreen::resizeEvent(QResizeEvent* event)
    {
        QMainWindow::resizeEvent(event);
        // A window in its normal state is never made smaller than the program's least size.
        if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))) {
            const display::WindowTwips now = windowTwips();
            const display::WindowTwips held = display::heldSize(now);
            if (!(held == now)) {
                resizeToTwips(held);
            }
        }
        centrePanel();
    }

    void StartScreen::showEvent(QShowEvent* event)
    {
        QMainWindow::showEvent(event);
        centrePanel();
        m_panel->show();
        m_beginButton->setFocus();
    }

    void StartScreen::centrePanel()
    {
        const QWidget* area = centralWidget();
        // 300 twips above the middle: the panel reads as the screen's heading, not a dialog.
        const int left = (area->width() - m_panel->width()) / 2;
        const int top = area->height() / 2 - m_panel->height() / 2 - 300 / display::TwipsPerPixel;
        m_panel->move(qMax(0, left), qMax(0, top));
    }

    bool StartScreen::eventFilter(QObject* watched, QEvent* event)
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                m_optionsMenu->popup(mouse->globalPosition().toPoint());
                return true;
            }
        }
        return QMainWindow::eventFilter(watched, event);
    }

} // namespace qv
