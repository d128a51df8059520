#pragma once

#include "core/reports/pagedocument.h"

#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QTextDocument;
class QVBoxLayout;

namespace qv {

    class CaptionButton;
    class Dialogs;
    class Help;
    class Navigator;
    class ProgramFolder;
    class Prompter;
    class RichTextEditor;
    class ViewerPrint;
    struct PrintSettings;

    // What every reference screen is given by the program.
    struct LibraryContext
    {
        Navigator& navigator;
        Prompter& prompter;
        Help& help;
        Dialogs& dialogs;
        const ProgramFolder& folder;
        PrintSettings& printSettings;
        // Opens the backup utility over a screen (restore true for "&Restore User Created Files"); the
        // program sets it, since what a restore replaces is also open in the Action Area.
        std::function<void(QWidget* parent, bool restore)> backupUtility;
    };

    // The frame the four reference screens share: the navigation bar, the Options, Utilities and
    // Help menus and the Options pop-up, the read-only document pane ("RText1"), the column the
    // screen's document buttons stand in, the print options, Esc and F1, the exit question and the
    // hand-over to the Action Area when the screen closes. Each screen adds its buttons and extras.
    class ViewerFrame : public QMainWindow
    {
        Q_OBJECT

    public:
        static constexpr int NavigationCount = 6;
        enum NavigationButton
        {
            ToActionArea = 0,
            ToAdvisor = 1,
            ToSecurityRule = 2,
            ToMiscellaneous = 3,
            ExitButton = 4,
            ToHitech = 5
        };

        // What tells one screen's frame from another's.
        struct Look
        {
            // Its navigation button, which is also the number it is asked for by.
            int ownButton = ToAdvisor;
            QString title;
            QString objectName;
            QString navigationArray = QStringLiteral("SSCommand4");
            QString exitEntry = QStringLiteral("&Exit Program");
            // Help: the screen's topic; its menu entry (name, caption), or none when Help is one
            // command opening the program overview.
            int screenTopic = 0;
            QString screenHelpName;
            QString screenHelpCaption;
            bool printHelp = false;
            // Print options: none when rangeCaption is empty.
            QString rangeCaption;
            QString closeCaption = QStringLiteral("&Close Print Options");
        };

        ViewerFrame(const LibraryContext& context, Look look, QWidget* parent = nullptr);
        ~ViewerFrame() override;

        const Look& look() const;
        RichTextEditor* pane() const;
        CaptionButton* navigationButton(int k) const;
        QMenu* optionsMenu() const;
        QAction* menuAction(const QString& name) const;
        // nullptr on a screen without print options.
        ViewerPrint* printOptions() const;
        bool printOptionsOpen() const;
        // The topic F1 opens now.
        int f1Topic() const;

        // Navigation button k pressed, by the user or a menu entry.
        void pressNavigation(int k);
        // Window caption: the screen's title, " - " and caption.
        void setDocumentCaption(const QString& caption);
        // Loads the installed document into the pane; a missing one leaves the pane as it was.
        bool loadDocument(const QString& name);
        // The pane's whole document to the clipboard, then the message that says so.
        void copyToClipboard();
        // Composes document as pages with these margins and shows the print options; nothing when
        // they are open already.
        void openPrintOptions(const QTextDocument& document, const PageMargins& margins);
        void closePrintOptions();
        // Opens a page in the browser, or says the connection failed.
        void openAddress(const QUrl& address);

    Q_SIGNALS:
        // The user confirmed "Exit Quorvane?": the program should end.
        void exitRequested();

    protected:
        // The column left of the pane that holds the screen's document buttons.
        QVBoxLayout* documentColumn() const;
        // The panel ("SSPanel1") that holds the pane and the screen's extras.
        QWidget* contentPanel() const;
        QAction* addOptionsEntry(const QString& name, const QString& caption);
        // Lays out what the content panel holds; by default the pane fills it.
        virtual void layoutContent();
        // The screen was shown in place of another.
        virtual void becameActive();
        // Esc with no print options open: true when the screen closed something of its own.
        virtual bool escapeInner();
        const LibraryContext& context() const;

        void showEvent(QShowEvent* event) override;
        void closeEvent(QCloseEvent* event) override;
        void keyPressEvent(QKeyEvent* event) override;
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        void buildMenus();
        void buildScreen();
        void askExit();
        void escape();
        void onPrintOptionsOpen(bool open);
        void installPopupFilters();

        LibraryContext m_context;
        Look m_look;
        QMenu* m_optionsMenu = nullptr;
        QMap<QString, QAction*> m_actions;
        QList<CaptionButton*> m_navigationButtons;
        QVBoxLayout* m_column = nullptr;
        QWidget* m_body = nullptr;
        QWidget* m_contentPanel = nullptr;
        RichTextEditor* m_pane = nullptr;
        ViewerPrint* m_print = nullptr;
        bool m_exiting = false;
        bool m_filtersInstalled = false;
    };

} // namespace qv
