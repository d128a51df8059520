#pragma once

#include <QFrame>
#include <QList>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace qv {

    class CaptionButton;
    class RichTextEditor;

    // The text panes the editor can show, numbered as the screen state keeps them.
    enum Pane : int
    {
        PaneReference = 0,
        PaneActionTaken = 3,
        PaneComments = 4,
        PanePolicies = 5
    };

    // The panel every area but the overview and the timeline works in: the editor pane, the labels
    // that describe the chosen entry with its status box, the six text-pane options, the template
    // button, the editing commands and "Text Location".
    class WorkPanel : public QFrame
    {
        Q_OBJECT

    public:
        // The six options in the order the screen lists them.
        enum PaneOption : int
        {
            ImplementationSpecification = 0,
            ReferencesInRule,
            AdditionalInformation,
            ActionTaken,
            CommentsNotes,
            PoliciesProcedures,
            PaneOptionCount
        };

        enum Command : int
        {
            PrintOptions = 0,
            Save,
            Exit,
            FontSelect,
            Thesaurus,
            SpellCheck,
            CommandCount
        };

        explicit WorkPanel(QWidget* parent = nullptr);

        RichTextEditor* editor() const;
        QLabel* standardLabel() const;
        QLabel* sectionLabel() const;
        QLabel* specificationLabel() const;
        QLabel* statusLabel() const;
        QComboBox* statusBox() const;
        QGroupBox* referencesFrame() const;
        QGroupBox* actionsFrame() const;
        QRadioButton* paneOption(PaneOption option) const;
        // The checked option, or -1 when none is.
        int checkedPaneOption() const;
        // Unchecks all six; the options otherwise act as one exclusive group.
        void clearPaneOptions();
        CaptionButton* templateButton() const;
        CaptionButton* command(Command command) const;
        QGroupBox* textLocationFrame() const;
        QRadioButton* textLocationOption(int index) const;

        // The editor's place as fractions of the panel's height, and its width as a fraction of the
        // panel's width.
        void setEditorPlacement(double top, double height);
        void setEditorWidth(double fraction);
        // Shows or hides the labels, status and reference frames above and beside the editor.
        void setDescriptionVisible(bool visible);

    Q_SIGNALS:
        void paneOptionChosen(int option);

    protected:
        void resizeEvent(QResizeEvent* event) override;
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        void layOut();

        RichTextEditor* m_editor;
        QLabel* m_standardLabel;
        QLabel* m_sectionLabel;
        QLabel* m_specificationLabel;
        QLabel* m_statusLabel;
        QComboBox* m_statusBox;
        QGroupBox* m_referencesFrame;
        QGroupBox* m_actionsFrame;
        QButtonGroup* m_paneGroup;
        QList<QRadioButton*> m_paneOptions;
        CaptionButton* m_templateButton;
        QList<CaptionButton*> m_commands;
        QGroupBox* m_textLocationFrame;
        QList<QRadioButton*> m_textLocationOptions;
        QWidget* m_sideColumn;
        double m_editorTop = 0.16;
        double m_editorHeight = 0.83;
        double m_editorWidth = 0.73;
    };

} // namespace qv
