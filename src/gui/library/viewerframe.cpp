#include "viewerframe.h"

#include "viewerprint.h"

#include "core/rtf/richtextfile.h"
#include "core/storage/programfolder.h"
#include "gui/kit/availability.h"
#include "gui/kit/busypointer.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/help.h"
#include "gui/kit/navigator.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/weblinks.h"
#include "gui/reports/printoptionspanel.h"
#include "gui/reports/printoutput.h"
#include "gui/shell/aboutdialog.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

namespace qv {

    namespace {

        const char16_t* const NavigationCaptions[ViewerFrame::NavigationCount] = {
            u"&Action Area",
            u"&Information Advisor",
            u"&Security Rule",
            u"&Miscellaneous",
            u"E&xit Program",
            u"&HITECH Info",
        };

        // The number the Navigator knows a screen by, for a navigation button of these screens.
        int navigatorScreen(int button)
        {
            return button == ViewerFrame::ToHitech ? Navigator::HitechInformation : button;
        }

        constexpr int ColumnWidth = 230;

    } // namespace

    ViewerFrame::ViewerFrame(const LibraryContext& context, Look look, QWidget* parent)
        : QMainWindow(parent)
        , m_context(context)
        , m_look(std::move(look))
    {
        setObjectName(m_look.objectName);
        setWindowTitle(m_look.title);
        setAttribute(Qt::WA_DeleteOnClose);
        buildScreen();
        buildMenus();

        // A screen stands where the Action Area stood, at its size, or fills the display as it did.
        QWidget* hub = m_context.navigator.existing(Navigator::ActionArea);
        if (hub && !hub->isMaximized()) {
            setGeometry(hub->geometry());
        } else {
            setWindowState(Qt::WindowMaximized);
        }
        // Being up is the request carried out; the next one comes from this screen's buttons.
        m_context.navigator.setRequestedScreen(0);
        m_navigationButtons[m_look.ownButton]->setSelectedLook(true);
    }

    ViewerFrame::~ViewerFrame() = default;

    void ViewerFrame::buildScreen()
    {
        auto* central = new QWidget(this);
        central->setObjectName(m_look.objectName + QStringLiteral("Background"));
        setCentralWidget(central);
        auto* outer = new QVBoxLayout(central);
        outer->setContentsMargins(6, 6, 6, 6);
        outer->setSpacing(6);

        auto* navigationRow = new QHBoxLayout;
        navigationRow->setSpacing(6);
        for (int k = 0; k < NavigationCount; ++k) {
            auto* button = new CaptionButton(QString::fromUtf16(NavigationCaptions[k]), central);
            setControlName(button, m_look.navigationArray, k);
            button->setMinimumHeight(30);
            button->setFocusPolicy(Qt::TabFocus);
            connect(button, &QPushButton::clicked, this, [this, k] { pressNavigation(k); });
            m_navigationButtons.append(button);
        }
        // The hub first, then the reference screens, then the way out.
        for (int k : {0, 1, 2, 3, 5, 4}) {
            navigationRow->addWidget(m_navigationButtons[k]);
        }
        outer->addLayout(navigationRow);

        m_body = new QWidget(central);
        m_body->setObjectName(QStringLiteral("ViewerBody"));
        outer->addWidget(m_body, 1);
        auto* bodyRow = new QHBoxLayout(m_body);
        bodyRow->setContentsMargins(0, 0, 0, 0);
        bodyRow->setSpacing(8);
        auto* columnWidget = new QWidget(m_body);
        columnWidget->setObjectName(QStringLiteral("DocumentColumn"));
        columnWidget->setFixedWidth(ColumnWidth);
        m_column = new QVBoxLayout(columnWidget);
        m_column->setContentsMargins(0, 0, 0, 0);
        m_column->setSpacing(5);
        bodyRow->addWidget(columnWidget);

        m_contentPanel = new QFrame(m_body);
        m_contentPanel->setObjectName(QStringLiteral("SSPanel1"));
        static_cast<QFrame*>(m_contentPanel)->setFrameShape(QFrame::StyledPanel);
        bodyRow->addWidget(m_contentPanel, 1);
        m_contentPanel->installEventFilter(this);
        m_body->installEventFilter(this);

        m_pane = new RichTextEditor(m_contentPanel);
        m_pane->setObjectName(QStringLiteral("RText1"));
        m_pane->setReadOnly(true);
        m_pane->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

        if (!m_look.rangeCaption.isEmpty()) {
            m_print = new ViewerPrint(m_context.dialogs,
                                      m_context.prompter,
                                      m_context.folder,
                                      m_context.printSettings,
                                      m_look.rangeCaption,
                                      m_look.closeCaption,
                                      m_body);
            connect(m_print, &ViewerPrint::openChanged, this, &ViewerFrame::onPrintOptionsOpen);
        }
    }

    void ViewerFrame::buildMenus()
    {
        auto add = [this](QMenu* menu, const QString& name, const QString& caption) {
            QAction* action = menu->addAction(caption);
            action->setObjectName(name);
            m_actions.insert(name, action);
            return action;
        };

        m_optionsMenu = menuBar()->addMenu(QStringLiteral("&Options"));
        m_optionsMenu->setObjectName(QStringLiteral("mO"));
        // The other screens in the order the Action Area lists them, then the way out.
        QList<int> targets;
        for (int k : {0, 1, 2, 5, 3}) {
            if (k != m_look.ownButton) {
                targets.append(k);
            }
        }
        targets.append(ExitButton);
        const QMap<int, QString> captions{{ToActionArea, QStringLiteral("&Action Area")},
                                          {ToAdvisor, QStringLiteral("&Information Advisor")},
                                          {ToSecurityRule, QStringLiteral("&Security Rule")},
                                          {ToMiscellaneous, QStringLiteral("&Miscellaneous")},
                                          {ToHitech, QStringLiteral("&HITECH Information")},
                                          {ExitButton, m_look.exitEntry}};
        for (int i = 0; i < targets.size(); ++i) {
            const int k = targets.at(i);
            QAction* action = m_optionsMenu->addAction(captions.value(k));
            setControlName(action, QStringLiteral("mOTab"), i);
            if (k != ExitButton && k != ToActionArea && !m_context.navigator.isAvailable(navigatorScreen(k))) {
                markUnavailable(action);
            }
            connect(action, &QAction::triggered, this, [this, k] {
                closePrintOptions();
                pressNavigation(k);
            });
        }

        QMenu* utilities = menuBar()->addMenu(QStringLiteral("Utilities"));
        utilities->setObjectName(QStringLiteral("mU"));
        QAction* backUp = add(utilities, QStringLiteral("mUBack"), QStringLiteral("&Backup User Created Files"));
        QAction* restore = add(utilities, QStringLiteral("mURestore"), QStringLiteral("&Restore User Created Files"));
        if (!m_context.backupUtility) {
            markUnavailable(backUp);
            markUnavailable(restore);
        }
        // A document on view in the print options is left alone until it is put away.
        connect(backUp, &QAction::triggered, this, [this] {
            if (m_context.backupUtility && !printOptionsOpen()) {
                m_context.backupUtility(this, false);
            }
        });
        connect(restore, &QAction::triggered, this, [this] {
            if (m_context.backupUtility && !printOptionsOpen()) {
                m_context.backupUtility(this, true);
            }
        });

        if (m_look.screenHelpName.isEmpty()) {
            QAction* help = menuBar()->addAction(QStringLiteral("&Help"));
            help->setObjectName(QStringLiteral("mH"));
            m_actions.insert(QStringLiteral("mH"), help);
            connect(help, &QAction::triggered, this, [this] { m_context.help.showTopic(HelpTopic::ProgramOverview); });
            return;
        }
        QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
        help->setObjectName(QStringLiteral("mH"));
        connect(add(help, QStringLiteral("mHI"), QStringLiteral("&Program Overview")),
                &QAction::triggered,
                this,
                [this] { m_context.help.showTopic(HelpTopic::ProgramOverview); });
        connect(add(help, m_look.screenHelpName, m_look.screenHelpCaption), &QAction::triggered, this, [this] {
            m_context.help.showTopic(m_look.screenTopic);
        });
        if (m_look.printHelp) {
            connect(add(help, QStringLiteral("mHPrint"), QStringLiteral("&Print")), &QAction::triggered, this, [this] {
                m_context.help.showTopic(HelpTopic::Printing);
            });
        }
        help->addSeparator();
        connect(add(help, QStringLiteral("mHA"), QStringLiteral("&About Quorvane")), &QAction::triggered, this, [this] {
            AboutDialog about(this);
            about.exec();
        });
        connect(add(help, QStringLiteral("mODownload"), QStringLiteral("&Download Brevantel")),
                &QAction::triggered,
                this,
                [this] { openAddress(brevantelDownload()); });
        connect(add(help, QStringLiteral("mHWeb"), QStringLiteral("Quorvane on the &Web")),
                &QAction::triggered,
                this,
                [this] { openAddress(vendorHomePage()); });
    }

    QAction* ViewerFrame::addOptionsEntry(const QString& name, const QString& caption)
    {
        QAction* action = m_optionsMenu->addAction(caption);
        action->setObjectName(name);
        m_actions.insert(name, action);
        return action;
    }

    const ViewerFrame::Look& ViewerFrame::look() const
    {
        return m_look;
    }

    const LibraryContext& ViewerFrame::context() const
    {
        return m_context;
    }

    RichTextEditor* ViewerFrame::pane() const
    {
        return m_pane;
    }

    CaptionButton* ViewerFrame::navigationButton(int k) const
    {
        return m_navigationButtons.value(k);
    }

    QMenu* ViewerFrame::optionsMenu() const
    {
        return m_optionsMenu;
    }

    QAction* ViewerFrame::menuAction(const QString& name) const
    {
        return m_actions.value(name);
    }

    ViewerPrint* ViewerFrame::printOptions() const
    {
        return m_print;
    }

    bool ViewerFrame::printOptionsOpen() const
    {
        return m_print && m_print->isOpen();
    }

    QVBoxLayout* ViewerFrame::documentColumn() const
    {
        return m_column;
    }

    QWidget* ViewerFrame::contentPanel() const
    {
        return m_contentPanel;
    }

    int ViewerFrame::f1Topic() const
    {
        return printOptionsOpen() ? HelpTopic::Printing : m_look.screenTopic;
    }

    void ViewerFrame::setDocumentCaption(const QString& caption)
    {
        setWindowTitle(m_look.title + QStringLiteral(" - ") + caption);
    }

    bool ViewerFrame::loadDocument(const QString& name)
    {
        // Read into a document of its own and handed to the pane whole: read into the pane's own
        // document, a section of the rule would be laid out again after every paragraph, and the
        // pane now lays out only what is on view, the rest as the user gets to it.
        auto* loaded = new QTextDocument(m_pane);
        loaded->setDefaultFont(m_pane->document()->defaultFont());
        const Result<LoadOutcome> read = loadRichText(m_context.folder, name, ProgramFolder::Place::Content, *loaded);
        if (!read || read.value() != LoadOutcome::Loaded) {
            delete loaded;
            return false;
        }
        loaded->clearUndoRedoStacks();
        loaded->setUndoRedoEnabled(false);
        // The pane deletes the document it showed, which it owns.
        m_pane->setDocument(loaded);
        m_pane->setSelStart(0);
        // Placing the caret scrolls it into view; in a pane not yet laid out at its size that scrolls
        // past the title, and a later resize keeps the offset.
        m_pane->verticalScrollBar()->setValue(0);
        return true;
    }

    void ViewerFrame::copyToClipboard()
    {
        copyRichTextToClipboard(*m_pane->document());
        m_context.prompter.inform(QStringLiteral("Copy Option"),
                                  QStringLiteral("A copy has been copied to the Windows Clipboard."));
    }

    void ViewerFrame::openPrintOptions(const QTextDocument& document, const PageMargins& margins)
    {
        if (!m_print || m_print->isOpen()) {
            return;
        }
        // A saved PDF is named after what it holds, without what no file name may hold.
        static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
        QString title = windowTitle();
        title.replace(unsafe, QStringLiteral(" "));
        m_print->panel()->setGeometry(m_body->rect());
        m_print->open(document, margins, title.simplified());
    }

    void ViewerFrame::closePrintOptions()
    {
        if (m_print) {
            m_print->close();
        }
    }

    void ViewerFrame::openAddress(const QUrl& address)
    {
        openWebPage(address, m_context.prompter);
    }

    void ViewerFrame::onPrintOptionsOpen(bool open)
    {
        enableCommand(m_actions.value(QStringLiteral("mUBack")), !open);
        enableCommand(m_actions.value(QStringLiteral("mURestore")), !open);
    }

    void ViewerFrame::pressNavigation(int k)
    {
        if (k < 0 || k >= NavigationCount || k == m_look.ownButton) {
            return;
        }
        if (k == ExitButton) {
            askExit();
            return;
        }
        closePrintOptions();
        m_context.navigator.setRequestedScreen(k);
        close();
    }

    void ViewerFrame::askExit()
    {
        const PromptAnswer answer = m_context.prompter.ask({QStringLiteral("Exit"),
                                                            QStringLiteral("Exit Quorvane?"),
                                                            PromptIcon::Question,
                                                            PromptButtons::YesNoCancel,
                                                            PromptAnswer::No});
        if (answer == PromptAnswer::Yes) {
            m_exiting = true;
            Q_EMIT exitRequested();
            return;
        }
        for (int k = 0; k < NavigationCount; ++k) {
            m_navigationButtons[k]->setSelectedLook(k == m_look.ownButton);
        }
    }

    void ViewerFrame::layoutContent()
    {
        m_pane->setGeometry(m_contentPanel->rect().adjusted(4, 4, -4, -4));
    }

    void ViewerFrame::becameActive()
    {
    }

    bool ViewerFrame::escapeInner()
    {
        return false;
    }

    void ViewerFrame::escape()
    {
        if (printOptionsOpen()) {
            if (m_print->panel()->isEnlarged()) {
                m_print->panel()->setEnlarged(false);
            } else {
                m_print->close();
            }
            return;
        }
        if (escapeInner()) {
            return;
        }
        pressNavigation(ExitButton);
    }

    // ---- Window events -------------------------------------------------------------------------

    void ViewerFrame::showEvent(QShowEvent* event)
    {
        QMainWindow::showEvent(event);
        if (event->spontaneous()) {
            return;
        }
        if (QWidget* hub = m_context.navigator.existing(Navigator::ActionArea); hub && hub->isVisible()) {
            hub->hide();
        }
        installPopupFilters();
        layoutContent();
        qv::showNormal();
        becameActive();
    }

    void ViewerFrame::closeEvent(QCloseEvent* event)
    {
        event->accept();
        if (m_exiting) {
            return;
        }
        Navigator& navigator = m_context.navigator;
        const int own = m_look.ownButton;
        if (navigator.requestedScreen() == own || navigator.requestedScreen() == navigatorScreen(own)) {
            navigator.setRequestedScreen(0);
        }
        // The hub takes the screen's place and carries out whatever was asked for.
        if (QWidget* hub = navigator.window(Navigator::ActionArea)) {
            if (!hub->isMaximized()) {
                hub->move(pos());
            }
            hub->show();
        }
    }

    void ViewerFrame::keyPressEvent(QKeyEvent* event)
    {
        if (event->key() == Qt::Key_Escape) {
            escape();
            return;
        }
        if (event->key() == Qt::Key_F1) {
            m_context.help.showTopic(f1Topic());
            return;
        }
        QMainWindow::keyPressEvent(event);
    }

    void ViewerFrame::installPopupFilters()
    {
        if (m_filtersInstalled) {
            return;
        }
        m_filtersInstalled = true;
        centralWidget()->installEventFilter(this);
        const QList<QWidget*> children = centralWidget()->findChildren<QWidget*>();
        for (QWidget* child : children) {
            const bool inPrint = m_print && (child == m_print->panel() || m_print->panel()->isAncestorOf(child));
            if (inPrint || child == m_pane || m_pane->isAncestorOf(child)) {
                continue;
            }
            if (qobject_cast<QLabel*>(child) || qobject_cast<QAbstractButton*>(child) || qobject_cast<QFrame*>(child) ||
                child == m_body) {
                child->installEventFilter(this);
            }
        }
    }

    bool ViewerFrame::eventFilter(QObject* watched, QEvent* event)
    {
        if (event->type() == QEvent::Resize) {
            if (watched == m_contentPanel) {
                layoutContent();
            } else if (watched == m_body && m_print) {
                m_print->panel()->setGeometry(m_body->rect());
            }
        }
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
