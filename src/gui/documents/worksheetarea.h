#pragma once

#include "gui/kit/area.h"

#include <QGroupBox>
#include <QList>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

    class CaptionButton;
    class StatusStore;

    // Area 7: 21 risk-analysis worksheets, each a rich-text document with a title on its button and a
    // compliance status of its own. The frame of worksheet buttons sits above the work panel; the
    // title panel, opened from the menu, lets the user rename the buttons.
    class WorksheetArea : public QGroupBox, public Area
    {
        Q_OBJECT

    public:
        WorksheetArea(AreaHost& host, const StatusStore& statuses, QWidget* parent = nullptr);

        QWidget* content() override;
        void enter() override;
        bool save() override;
        // "New Worksheet": the template into the editor, asking first when the worksheet has a file.
        void insertTemplate() override;

        // Worksheet button n pressed, by the user or the program.
        void chooseWorksheet(int n);
        // "&Change Worksheet Button Title".
        void openTitlePanel();

        CaptionButton* button(int n) const;
        QFrame* titlePanel() const;
        QPushButton* statusTermsButton() const;

    protected:
        void hideEvent(QHideEvent* event) override;
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        void refreshUnderlines();
        void saveTitlesAndExit();
        void closeTitlePanel();
        void restoreCaption();
        void showStatusTerms();
        QFrame* buildTitlePanel();

        AreaHost& m_host;
        const StatusStore& m_statuses;
        QList<CaptionButton*> m_buttons;
        QPushButton* m_statusTerms = nullptr;
        // The worksheet whose text the editor holds, which Save writes: while a newly pressed button
        // asks whether to save, the chosen worksheet is already the new one.
        int m_shown = ActionAreaState::NoWorksheet;

        QFrame* m_titlePanel = nullptr;
        QList<QLabel*> m_titleLabels;
        QList<QLineEdit*> m_titleBoxes;
    };

} // namespace qv
