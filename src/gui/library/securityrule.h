#pragma once

#include "viewerframe.h"

class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv {

    // "Security Rule" ("PrivRule"): the rule in 25 sections ("SSOption1"), a whole-word search in
    // the section on view ("Panel3D3"), restyling a selection for reading, and printing the section
    // or the selection.
    class SecurityRule : public ViewerFrame
    {
        Q_OBJECT

    public:
        static constexpr int SectionCount = 25;

        explicit SecurityRule(const LibraryContext& context, QWidget* parent = nullptr);

        // Section option i chosen.
        void chooseSection(int index);
        int currentSection() const;
        QRadioButton* sectionOption(int index) const;
        QPushButton* command(int index) const;
        QFrame* searchPanel() const;
        QLineEdit* searchText() const;
        int nextSearchStart() const;

        // "&Clear": no section chosen, nothing shown.
        void clearSection();
        // "&Search": shows or hides the search panel.
        void toggleSearch();
        // The search panel's "&Search": the next whole-word match from the search position.
        void searchNext();
        // "&Font Display": the font dialog for the selection, for this viewing only.
        void fontDisplay();
        // "&Print Options": the selection when there is one, else the whole section.
        void openPrintOptionsCommand();

    protected:
        void layoutContent() override;
        bool escapeInner() override;
        void keyPressEvent(QKeyEvent* event) override;

    private:
        void setSectionCommandsEnabled(bool enabled);

        int m_current = -1;
        // Where the next search begins: moved past each match, back to the start when the search
        // text changes or the end is reached, and to the caret when the user moves it.
        int m_nextStart = 0;
        bool m_searching = false;
        QButtonGroup* m_sectionGroup = nullptr;
        QList<QRadioButton*> m_sections;
        QList<QPushButton*> m_commands;
        QLabel* m_cover = nullptr;
        QFrame* m_searchPanel = nullptr;
        QLineEdit* m_searchText = nullptr;
        QPushButton* m_searchButton = nullptr;
    };

} // namespace qv
