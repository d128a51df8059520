#pragma once

#include "core/reports/pageengine.h"

#include <QObject>
#include <QString>

#include <memory>

class QRadioButton;
class QTextDocument;
class QWidget;

namespace qv {

    class Dialogs;
    class PrintOptionsPanel;
    class ProgramFolder;
    class Prompter;
    struct PrintSettings;

    // The print options of a reference screen: the shared print options panel showing one document
    // of the screen as pages, with the frames "Print Range" and "Display Options" (guide lines,
    // "SSOption82") in place of the report boxes. Margins and orientation are the program's
    // PrintSettings, shared with the Action Area.
    class ViewerPrint : public QObject
    {
        Q_OBJECT

    public:
        // rangeCaption names what is printed ("Print Selected Document"); closeCaption is the
        // Close button's ("&Close Print Options", or "&Cancel").
        ViewerPrint(Dialogs& dialogs,
                    Prompter& prompter,
                    const ProgramFolder& folder,
                    PrintSettings& settings,
                    const QString& rangeCaption,
                    const QString& closeCaption,
                    QWidget* panelParent);
        ~ViewerPrint() override;

        PrintOptionsPanel* panel() const;
        const PageEngine& engine() const;
        bool isOpen() const;
        QRadioButton* guideLineButton(int index) const;

        // Writes margins into the settings, composes document (copied: the screen may change its
        // pane meanwhile) and shows the panel. title names a saved PDF.
        void open(const QTextDocument& document, const PageMargins& margins, const QString& title);
        void close();
        // The guide-line choice kept in the display settings, picked without counting as the
        // user's (and without writing it back); neither option when none was ever chosen.
        void takeGuideLineOption();
        // " Portrait" in the orientation panel and in the settings the screen prints with.
        void resetOrientation();

        void pageSetup();
        void print();
        void copyCurrentPage();
        void savePdf();

    Q_SIGNALS:
        void openChanged(bool open);

    private:
        void rebuild();
        void onCommand(int command);

        Dialogs& m_dialogs;
        Prompter& m_prompter;
        const ProgramFolder& m_folder;
        PrintSettings& m_settings;
        PageEngine m_engine;
        PrintOptionsPanel* m_panel;
        QRadioButton* m_guideButtons[2] = {nullptr, nullptr};
        std::unique_ptr<QTextDocument> m_document;
        QString m_title;
    };

} // namespace qv
