#include "helpviewer.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace qv {

    namespace {
        QString topicTitle(int topic)
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
            default:
                return QStringLiteral("Help Topic %1").arg(topic);
            }
        }
    } // namespace

    HelpViewer::HelpViewer(QString helpFolder, QWidget* parent)
        : QWidget(parent, Qt::Window)
        , m_helpFolder(std::move(helpFolder))
        , m_browser(new QTextBrowser(this))
    {
        setObjectName(QStringLiteral("HelpViewer"));
        setWindowTitle(QStringLiteral("Quorvane Help"));
        m_browser->setObjectName(QStringLiteral("HelpText"));
        m_browser->setOpenExternalLinks(true);
        m_browser->setSearchPaths({m_helpFolder});
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_browser);
        resize(760, 620);
    }

    void HelpViewer::showTopic(int topic)
    {
        m_topic = topic;
        const QString page = QDir(m_helpFolder).filePath(QStringLiteral("%1.html").arg(topic));
        if (QFileInfo::exists(page)) {
            m_browser->setSource(QUrl::fromLocalFile(page));
        } else {
            m_browser->setHtml(QStringLiteral("<h2>%1</h2><p>This help topic has not been written yet.</p>"
                                              "<p>See the <a href=\"%2.html\">Program Overview</a>.</p>")
                                   .arg(topicTitle(topic).toHtmlEscaped())
                                   .arg(HelpTopic::ProgramOverview));
        }
        setWindowTitle(QStringLiteral("Quorvane Help - ") + topicTitle(topic));
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

} // namespace qv
