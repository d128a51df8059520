#pragma once

#include "gui/kit/help.h"

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace qv {

    // The help window. Topics are HTML pages named by their id ("help/1000.html") in the content
    // folder; a topic whose page is not installed shows a short page that says so.
    class HelpViewer : public QWidget, public Help
    {
        Q_OBJECT

    public:
        explicit HelpViewer(QString helpFolder, QWidget* parent = nullptr);

        void showTopic(int topic) override;
        int currentTopic() const;
        QString currentText() const;

    private:
        QString m_helpFolder;
        QTextBrowser* m_browser;
        int m_topic = 0;
    };

} // namespace qv
