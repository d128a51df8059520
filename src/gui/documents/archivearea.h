#pragma once

#include "core/documents/archives.h"
#include "gui/kit/area.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QPushButton;

namespace qv {

    // "Create Archive of Policy, etc.": copies the document in the editor into the archive under its
    // name and today's date, asking before a same-day archive is replaced.
    void createArchive(AreaHost& host);

    // Area 11, the archive viewer: the incident reports' selector and delete command over the
    // archive. Archives open read-only; they can be copied but never edited.
    class ArchiveArea : public QGroupBox, public Area
    {
        Q_OBJECT

    public:
        ArchiveArea(AreaHost& host, QWidget* parent = nullptr);

        QWidget* content() override;
        void enter() override;

        // "Select Existing Report Above".
        void selectExisting();
        // An archive picked in the selector.
        void chooseArchive(int position);
        // "Delete Selected File".
        void deleteSelected();

        const archives::ArchiveIndex& index() const
        {
            return m_index;
        }
        QComboBox* selector() const
        {
            return m_selector;
        }
        QLabel* selectorLabel() const
        {
            return m_selectorLabel;
        }
        QLabel* statusLabel() const
        {
            return m_status;
        }
        QPushButton* selectButton() const
        {
            return m_select;
        }
        QPushButton* deleteButton() const
        {
            return m_delete;
        }

    private:
        void reloadSelector();
        void showPlaceholder();

        AreaHost& m_host;
        archives::ArchiveIndex m_index;
        int m_selected = -1;

        QLabel* m_selectorLabel;
        QComboBox* m_selector;
        QLabel* m_status;
        QPushButton* m_select;
        QPushButton* m_delete;
    };

} // namespace qv
