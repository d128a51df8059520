#include "helpviewer.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace qv {

    namespace {

        // The titles of the topics the program opens, for when a page is missing or untitled.
        QString knownTitle(int topic)
        {
            switch (topic) {
            case HelpTopic::ProgramOverview:
                return QStringLiteral("Program Overview");
            case HelpTopic::Archives:
                return QStringLiteral("Archives of Policies, Plans and Worksheets");
            case HelpTopic::Printing:
                return QStringLiteral("Printing");
            case HelpTopic::Timeline:
                return QStringLiteral("Safeguard Project Timeline");
            case HelpTopic::ActionArea:
                return QStringLiteral("The Action Area");
            case HelpTopic::Miscellaneous:
                return QStringLiteral("Miscellaneous");
            case HelpTopic::Worksheets:
                return QStringLiteral("Risk Analysis Worksheets");
            case HelpTopic::RecoveryPlan:
                return QStringLiteral("Disaster Recovery Plan");
            case HelpTopic::InformationAdvisor:
                return QStringLiteral("Information Advisor");
            case HelpTopic::SpellCheck:
                return QStringLiteral("Spell Check");
            case HelpTopic::SecurityRule:
                return QStringLiteral("Security Rule");
            case HelpTopic::SpreadsheetExport:
                return QStringLiteral("Exporting to a Spreadsheet");
            case HelpTopic::BackupRestore:
                return QStringLiteral("Backup and Restore");
            case HelpTopic::DisplaySettings:
                return QStringLiteral("Display Settings");
            case HelpTopic::StandardsOverview:
                return QStringLiteral("HIPAA Security Standards");
            case HelpTopic::Safeguards:
                return QStringLiteral("Working on a Safeguard");
            case HelpTopic::IncidentReports:
                return QStringLiteral("Incident Reports");
            case HelpTopic::ReferenceLibrary:
                return QStringLiteral("The Reference Library");
            default:
                return QStringLiteral("Help Topic %1").arg(topic);
            }
        }

        constexpr int TopicRole = Qt::UserRole;

        QToolButton* historyButton(QWidget* parent,
                                   const QString& name,
                                   const QString& text,
                                   QKeySequence::StandardKey key,
                                   Qt::ArrowType arrow)
        {
            auto* action = new QAction(text, parent);
            action->setShortcut(key);
            action->setShortcutContext(Qt::WindowShortcut);
            action->setToolTip(
                QStringLiteral("%1 (%2)").arg(text, action->shortcut().toString(QKeySequence::NativeText)));
            auto* button = new QToolButton(parent);
            button->setObjectName(name);
            button->setDefaultAction(action);
            button->setArrowType(arrow);
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            button->setAutoRaise(true);
            return button;
        }

    } // namespace

    HelpViewer::HelpViewer(QString helpFolder, QWidget* parent)
        : QWidget(parent, Qt::Window)
        , m_library(std::move(helpFolder))
        , m_back(historyButton(this,
                               QStringLiteral("HelpBack"),
                               QStringLiteral("Back"),
                               QKeySequence::Back,
                               Qt::LeftArrow))
        , m_forward(historyButton(this,
                                  QStringLiteral("HelpForward"),
                                  QStringLiteral("Forward"),
                                  QKeySequence::Forward,
                                  Qt::RightArrow))
        , m_tabs(new QTabWidget(this))
        , m_contents(new QListWidget(this))
        , m_search(new QLineEdit(this))
        , m_results(new QListWidget(this))
        , m_searchNote(new QLabel(this))
        , m_browser(new QTextBrowser(this))
    {
        setObjectName(QStringLiteral("HelpViewer"));
        setWindowTitle(QStringLiteral("Quorvane Help"));

        m_tabs->setObjectName(QStringLiteral("HelpTabs"));
        m_contents->setObjectName(QStringLiteral("HelpContents"));
        m_contents->setSpacing(1);
        m_search->setObjectName(QStringLiteral("HelpSearch"));
        m_search->setPlaceholderText(QStringLiteral("Words to find"));
        m_search->setClearButtonEnabled(true);
        m_results->setObjectName(QStringLiteral("HelpResults"));
        m_results->setSpacing(1);
        m_searchNote->setObjectName(QStringLiteral("HelpSearchNote"));
        m_searchNote->setWordWrap(true);
        m_searchNote->setText(QStringLiteral("Type words to find the topics that hold all of them."));
        m_browser->setObjectName(QStringLiteral("HelpText"));
        // Links are followed here so that a jump between topics is remembered for Back.
        m_browser->setOpenLinks(false);
        m_browser->setSearchPaths({m_library.folder()});
        m_browser->viewport()->installEventFilter(this);

        auto* searchPage = new QWidget(this);
        auto* searchLayout = new QVBoxLayout(searchPage);
        searchLayout->setContentsMargins(4, 4, 4, 4);
        searchLayout->addWidget(m_search);
        searchLayout->addWidget(m_searchNote);
        searchLayout->addWidget(m_results, 1);
        m_tabs->addTab(m_contents, QStringLiteral("Contents"));
        m_tabs->addTab(searchPage, QStringLiteral("Search"));

        auto* splitter = new QSplitter(this);
        splitter->setObjectName(QStringLiteral("HelpSplitter"));
        splitter->addWidget(m_tabs);
        splitter->addWidget(m_browser);
        splitter->setStretchFactor(0, 0);
        splitter->setStretchFactor(1, 1);
        splitter->setSizes({260, 640});
        splitter->setChildrenCollapsible(false);

        auto* buttons = new QHBoxLayout;
        buttons->setContentsMargins(4, 2, 4, 0);
        buttons->addWidget(m_back);
        buttons->addWidget(m_forward);
        buttons->addStretch(1);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        layout->addLayout(buttons);
        layout->addWidget(splitter, 1);

        connect(m_back->defaultAction(), &QAction::triggered, this, &HelpViewer::goBack);
        connect(m_forward->defaultAction(), &QAction::triggered, this, &HelpViewer::goForward);
        connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
        connect(m_contents, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
            if (item) {
                navigate(item->data(TopicRole).toInt());
            }
        });
        connect(m_search, &QLineEdit::textChanged, this, &HelpViewer::runSearch);
        connect(m_results, &QListWidget::currentItemChanged, this, &HelpViewer::showResult);
        updateHistoryButtons();
        resize(960, 680);
    }

    void HelpViewer::showTopic(int topic)
    {
        navigate(topic);
        show();
        raise();
        activateWindow();
    }

    int HelpViewer::currentTopic() const
    {
        return m_topic;
    }

    QString HelpViewer::currentText() const
    {
        return m_browser->toPlainText();
    }

    void HelpViewer::goBack()
    {
        if (canGoBack()) {
            display(m_history.at(--m_position));
        }
    }

    void HelpViewer::goForward()
    {
        if (canGoForward()) {
            display(m_history.at(++m_position));
        }
    }

    bool HelpViewer::canGoBack() const
    {
        return m_position > 0;
    }

    bool HelpViewer::canGoForward() const
    {
        return m_position >= 0 && m_position + 1 < m_history.size();
    }

    // The pages are read when help is first asked for, not when the program starts.
    void HelpViewer::buildContents()
    {
        if (m_library.isLoaded()) {
            return;
        }
        m_library.load();
        for (const HelpLibrary::Page& page : m_library.pages()) {
            auto* item = new QListWidgetItem(page.title, m_contents);
            item->setData(TopicRole, page.topic);
            item->setToolTip(QStringLiteral("Topic %1").arg(page.topic));
        }
    }

    void HelpViewer::navigate(int topic)
    {
        buildContents();
        // Asking again for the topic on show (F1 twice) is not a step to go back over.
        if (m_position < 0 || m_history.at(m_position) != topic) {
            m_history.resize(m_position + 1);
            m_history.append(topic);
            m_position = m_history.size() - 1;
        }
        display(topic);
    }

    void HelpViewer::display(int topic)
    {
        m_topic = topic;
        const HelpLibrary::Page* page = m_library.page(topic);
        // The page is looked for again: a page found at the first look may have gone since.
        if (page && QFileInfo::exists(page->file)) {
            m_browser->setSource(QUrl::fromLocalFile(page->file));
            // The browser keeps a trail of its own that its keys and mouse buttons would follow past
            // this window's; only one trail may exist, so the browser's is kept to the page shown.
            m_browser->clearHistory();
        } else {
            QString html = QStringLiteral("<h2>%1</h2><p>This help topic has not been written yet.</p>")
                               .arg(titleOf(topic).toHtmlEscaped());
            if (topic != HelpTopic::ProgramOverview) {
                html += QStringLiteral("<p>See the <a href=\"%1.html\">Program Overview</a>.</p>")
                            .arg(HelpTopic::ProgramOverview);
            }
            m_browser->setHtml(html);
        }
        // Text set against the frame is hard to read; every new page starts a new document margin.
        m_browser->document()->setDocumentMargin(14);
        setWindowTitle(QStringLiteral("Quorvane Help - ") + titleOf(topic));

        const QSignalBlocker blocker(m_contents);
        m_contents->setCurrentItem(nullptr);
        for (int row = 0; row < m_contents->count(); ++row) {
            if (m_contents->item(row)->data(TopicRole).toInt() == topic) {
                m_contents->setCurrentRow(row);
                break;
            }
        }
        updateHistoryButtons();
    }

    void HelpViewer::followLink(const QUrl& link)
    {
        if (const std::optional<int> topic = HelpLibrary::topicOfLink(link)) {
            navigate(*topic);
            if (link.hasFragment()) {
                m_browser->scrollToAnchor(link.fragment());
            }
        } else if (link.isRelative() && link.path().isEmpty() && link.hasFragment()) {
            m_browser->scrollToAnchor(link.fragment());
        } else if (!link.isRelative()) {
            // Web addresses and mail go to the desktop's own programs, never into the help window.
            QDesktopServices::openUrl(link);
        }
    }

    void HelpViewer::runSearch(const QString& query)
    {
        buildContents();
        const QSignalBlocker blocker(m_results);
        m_results->clear();
        if (HelpLibrary::wordsOf(query).isEmpty()) {
            m_searchNote->setText(QStringLiteral("Type words to find the topics that hold all of them."));
            return;
        }
        const QList<int> found = m_library.search(query);
        for (int topic : found) {
            auto* item = new QListWidgetItem(titleOf(topic), m_results);
            item->setData(TopicRole, topic);
        }
        if (found.isEmpty()) {
            m_searchNote->setText(QStringLiteral("No topic holds every one of these words."));
        } else if (found.size() == 1) {
            m_searchNote->setText(QStringLiteral("1 topic found."));
        } else {
            m_searchNote->setText(QStringLiteral("%1 topics found.").arg(found.size()));
        }
    }

    void HelpViewer::showResult(QListWidgetItem* item)
    {
        if (!item) {
            return;
        }
        navigate(item->data(TopicRole).toInt());
        // The first place the first word stands is selected, so the eye finds why the topic was listed.
        const QStringList words = HelpLibrary::wordsOf(m_search->text());
        if (!words.isEmpty()) {
            m_browser->moveCursor(QTextCursor::Start);
            m_browser->find(words.constFirst(), QTextDocument::FindWholeWords);
        }
    }

    // The mouse's own back and forward buttons over the page follow this window's trail.
    bool HelpViewer::eventFilter(QObject* watched, QEvent* event)
    {
        if (watched == m_browser->viewport() && event->type() == QEvent::MouseButtonRelease) {
            const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
            if (button == Qt::BackButton) {
                goBack();
                return true;
            }
            if (button == Qt::ForwardButton) {
                goForward();
                return true;
            }
        }
        return QWidget::eventFilter(watched, event);
    }

    void HelpViewer::updateHistoryButtons()
    {
        m_back->defaultAction()->setEnabled(canGoBack());
        m_forward->defaultAction()->setEnabled(canGoForward());
    }

    QString HelpViewer::titleOf(int topic) const
    {
        const HelpLibrary::Page* page = m_library.page(topic);
        return page ? page->title : knownTitle(topic);
    }

} // namespace qv
