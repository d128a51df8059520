#pragma once

#include "core/insight/searchindex.h"

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace qv {

    // "Find in All Documents": whole words or a phrase over everything the user wrote, listed by
    // document with the line around each place. Choosing a place asks for it to be opened; the
    // dialog stays open beside the Action Area for the next one.
    class FindDialog : public QDialog
    {
        Q_OBJECT

    public:
        explicit FindDialog(const ProgramFolder& folder, QWidget* parent = nullptr);

        // Searches for what the find box holds and lists the places.
        void find();
        // Opens the place listed at row (0-based), as a double click on it does.
        void openResult(int row);
        // Puts the caret in the find box with its text selected, for the next search.
        void focusQuery();

        QLineEdit* queryBox() const
        {
            return m_query;
        }
        QTreeWidget* results() const
        {
            return m_results;
        }
        QLabel* statusLabel() const
        {
            return m_status;
        }
        const QList<insight::Hit>& hits() const
        {
            return m_hits;
        }
        insight::SearchIndex& index()
        {
            return m_index;
        }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override;

    Q_SIGNALS:
        void openRequested(const qv::insight::Hit& hit);

    private:
        void openCurrent();

        insight::SearchIndex m_index;
        QList<insight::Hit> m_hits;
        QLineEdit* m_query;
        QPushButton* m_findButton;
        QLabel* m_status;
        QTreeWidget* m_results;
        QPushButton* m_openButton;
    };

} // namespace qv
