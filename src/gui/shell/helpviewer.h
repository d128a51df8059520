#pragma once

#include "gui/kit/help.h"
#include "helplibrary.h"

#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QUrl;

namespace qv {

    // The help window: the topic's page beside a contents list of every topic and a search over
    // their text, with back and forward through the topics seen. Topics are HTML pages named by
    // their id ("help/1000.html") in the content folder; a topic whose page is not installed shows a
    // short page that says so.
    class HelpViewer : public QWidget, public Help
    {
        Q_OBJECT

    public:
        explicit HelpViewer(QString helpFolder, QWidget* parent = nullptr);

        void showTopic(int topic) override;
        int currentTopic() const;
        QString currentText() const;

        void goBack();
        void goForward();
        bool canGoBack() const;
        bool canGoForward() const;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        void buildContents();
        void navigate(int topic);
        void display(int topic);
        void followLink(const QUrl& link);
        void runSearch(const QString& query);
        void showResult(QListWidgetItem* item);
        void updateHistoryButtons();
        QString titleOf(int topic) const;

        HelpLibrary m_library;
        QToolButton* m_back;
        QToolButton* m_forward;
        QTabWidget* m_tabs;
        QListWidget* m_contents;
        QLineEdit* m_search;
        QListWidget* m_results;
        QLabel* m_searchNote;
        QTextBrowser* m_browser;
        // The topics seen, oldest first; m_position is the one shown.
        QList<int> m_history;
        qsizetype m_position = -1;
        int m_topic = 0;
    };

} // namespace qv
