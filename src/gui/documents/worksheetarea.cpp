#include "worksheetarea.h"

#include "core/catalogue/statusstore.h"
#include "core/catalogue/statusvocabulary.h"
#include "core/documents/worksheettitles.h"
#include "core/rtf/richtextfile.h"
#include "gui/kit/availability.h"
#include "gui/kit/busypointer.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qv {

    namespace {
        constexpr int AreaNumber = 7;
        constexpr int ButtonColumns = 7;
        constexpr int TitleColumns = 3;
        const QString TermsTitle = QStringLiteral("Compliance Status Terms");

        QString statusTermsText()
        {
            return QStringLiteral("Explanation of Compliance Status Terms:\r"
                                  "\r"
                                  "Yes - Actions, policies and or software tools, etc. have been put in \r"
                                  "          place to bring this risk into reasonable compliance with the rule.\r"
                                  "\r"
                                  "No  - This risk is not currently in reasonable compliance with the rule.\r"
                                  "\r"
                                  "Partial - Actions, policies and or software tools, etc. have been put\r"
                                  "               in place to partially bring this risk into reasonable\r"
                                  "               compliance with the rule.\r"
                                  "\r"
                                  "Planned - Actions, etc. are being planned to be implemented in the\r"
                                  "                 future to bring this risk into reasonable compliance with\r"
                                  "                 the rule.\r");
        }
    } // namespace

    WorksheetArea::WorksheetArea(AreaHost& host, const StatusStore& statuses, QWidget* parent)
        : QGroupBox(parent)
        , m_host(host)
        , m_statuses(statuses)
    {
        setControlName(this, QStringLiteral("SSFrame5"), AreaNumber - 2);
        setFlat(true);
        auto* grid = new QGridLayout(this);
        grid->setSpacing(4);
        grid->setContentsMargins(4, 4, 4, 4);
        for (int n = 0; n < worksheets::Count; ++n) {
            auto* button = new CaptionButton(worksheets::defaultTitle(n), this);
            setControlName(button, QStringLiteral("SSCommand12"), n);
            button->setToolTip(button->text());
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            connect(button, &QPushButton::clicked, this, [this, n] { chooseWorksheet(n); });
            grid->addWidget(button, n / ButtonColumns, n % ButtonColumns);
            m_buttons.append(button);
        }
        for (int c = 0; c < ButtonColumns; ++c) {
            grid->setColumnStretch(c, 1);
        }
        m_statusTerms = new QPushButton(TermsTitle, this);
        m_statusTerms->setObjectName(QStringLiteral("SSCommand22"));
        m_statusTerms->hide();
        connect(m_statusTerms, &QPushButton::clicked, this, &WorksheetArea::showStatusTerms);
        const int row = (worksheets::Count + ButtonColumns - 1) / ButtonColumns;
        grid->addWidget(m_statusTerms, row, ButtonColumns - 2, 1, 2);
        grid->setRowStretch(row + 1, 1);

        m_titlePanel = buildTitlePanel();
    }

    QFrame* WorksheetArea::buildTitlePanel()
    {
        // Over the work panel, which it covers while the user renames buttons.
        auto* panel = new QFrame(&m_host.workPanel());
        panel->setObjectName(QStringLiteral("SSPanel4"));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setAutoFillBackground(true);
        auto* grid = new QGridLayout(panel);
        grid->setHorizontalSpacing(8);
        const int rows = (worksheets::Count + TitleColumns - 1) / TitleColumns;
        for (int n = 0; n < worksheets::Count; ++n) {
            auto* label = new QLabel(panel);
            setControlName(label, QStringLiteral("Label13"), n);
            auto* box = new QLineEdit(panel);
            setControlName(box, QStringLiteral("Text3"), n);
            box->setMaxLength(worksheets::MaxTitleLength);
            const int column = 2 * (n / rows);
            grid->addWidget(label, n % rows, column);
            grid->addWidget(box, n % rows, column + 1);
            m_titleLabels.append(label);
            m_titleBoxes.append(box);
        }
        auto* commands = new QHBoxLayout;
        const QString captions[] = {QStringLiteral("Save &Changes and Exit"),
                                    QStringLiteral("&Exit Without Saving Changes")};
        for (int i = 0; i < 2; ++i) {
            auto* command = new QPushButton(captions[i], panel);
            setControlName(command, QStringLiteral("SSCommand21"), i);
            commands->addWidget(command);
        }
        connect(controlAt<QPushButton>(panel, QStringLiteral("SSCommand21"), 0),
                &QPushButton::clicked,
                this,
                &WorksheetArea::saveTitlesAndExit);
        connect(controlAt<QPushButton>(panel, QStringLiteral("SSCommand21"), 1),
                &QPushButton::clicked,
                this,
                &WorksheetArea::closeTitlePanel);
        grid->addLayout(commands, rows, 0, 1, 2 * TitleColumns);
        grid->setRowStretch(rows + 1, 1);
        panel->hide();
        // The work panel places its children itself; the title panel follows its size on its own.
        m_host.workPanel().installEventFilter(this);
        return panel;
    }

    QWidget* WorksheetArea::content()
    {
        return this;
    }

    CaptionButton* WorksheetArea::button(int n) const
    {
        return m_buttons.value(n);
    }

    QFrame* WorksheetArea::titlePanel() const
    {
        return m_titlePanel;
    }

    QPushButton* WorksheetArea::statusTermsButton() const
    {
        return m_statusTerms;
    }

    void WorksheetArea::enter()
    {
        BusyPointer busy;
        m_host.state().chosenWorksheet = ActionAreaState::NoWorksheet;
        m_shown = ActionAreaState::NoWorksheet;
        m_statusTerms->hide();
        m_titlePanel->hide();
        // Nothing typed before a worksheet is chosen could be saved anywhere.
        m_host.workPanel().editor()->setReadOnly(true);

        // Titles are read again on every entry, so a restored titles file shows at once. A file that
        // cannot be read leaves the defaults, like a missing one.
        const Result<QStringList> titles = worksheets::WorksheetTitles(m_host.folder()).load();
        for (int n = 0; n < worksheets::Count; ++n) {
            m_buttons[n]->setText(titles ? titles.value().at(n) : worksheets::defaultTitle(n));
            m_buttons[n]->setSelectedLook(false);
        }

        m_host.setMenuEnabled(QStringLiteral("mOWkTitle"), true);
        CaptionButton* templateButton = m_host.workPanel().templateButton();
        templateButton->setText(QStringLiteral("New Worksheet"));
        enableCommand(templateButton, false);
        refreshUnderlines();
    }

    void WorksheetArea::refreshUnderlines()
    {
        for (int n = 0; n < worksheets::Count; ++n) {
            CaptionButton* button = m_buttons[n];
            button->setUnderlined(worksheets::isFilled(m_host.folder(), n));
            button->setToolTip(button->text());
        }
    }

    void WorksheetArea::chooseWorksheet(int n)
    {
        ActionAreaState& state = m_host.state();
        if (n < 0 || n >= worksheets::Count || n == state.chosenWorksheet) {
            return;
        }
        // Asked while the worksheet on view is still the chosen one, so Yes saves it under its own
        // file; a save that did not happen keeps it on view.
        if (state.unsavedChanges == 1 && !m_host.saveChangesPrompt()) {
            return;
        }
        state.chosenWorksheet = n;
        state.currentItem = n;
        BusyPointer busy;
        WorkPanel& panel = m_host.workPanel();

        const std::optional<int> record = statuses::recordFor(AreaNumber, n);
        const bool filled = m_buttons[n]->isUnderlined();
        m_host.showStatus(filled && record ? m_statuses.status(*record).valueOr(QString()) : QString());
        panel.statusLabel()->show();
        panel.statusBox()->show();
        m_statusTerms->show();

        for (CaptionButton* b : m_buttons) {
            b->setSelectedLook(false);
        }
        m_buttons[n]->setSelectedLook(true);

        m_host.clearEditor();
        m_shown = n;
        const QString title = m_buttons[n]->text();
        m_host.setCaption(state.captionBase + QStringLiteral(" - ") + title);
        state.documentName = title;
        state.documentKind = 2;
        m_host.setMenuEnabled(QStringLiteral("mOArchive"), true);

        refreshUnderlines();

        enableCommand(panel.templateButton(), true);
        m_host.setEditingCommandsEnabled(true);
        panel.editor()->setReadOnly(false);

        const QString name = worksheets::fileName(n);
        if (m_host.folder().exists(name)) {
            // An unreadable file is an empty worksheet, as its missing underline already says.
            static_cast<void>(panel.editor()->loadFile(m_host.folder().path(name)));
        }
        state.unsavedChanges = 0;
        m_buttons[n]->setFocus();
    }

    bool WorksheetArea::save()
    {
        if (m_shown < 0 || m_shown >= worksheets::Count) {
            return false;
        }
        RichTextEditor* editor = m_host.workPanel().editor();
        // An empty editor never replaces a worksheet on file; there is nothing of the user's to keep.
        if (editor->text().trimmed().isEmpty()) {
            m_host.state().unsavedChanges = 0;
            return true;
        }
        const Status saved = saveRichText(m_host.folder(), worksheets::fileName(m_shown), *editor->document());
        if (!saved) {
            m_host.prompter().critical(QStringLiteral("File Save Command"),
                                       QStringLiteral("The worksheet could not be saved; its file keeps its "
                                                      "earlier contents.\r\r") +
                                           saved.error());
            return true;
        }
        m_host.state().unsavedChanges = 0;
        m_buttons[m_shown]->setUnderlined(true);
        m_host.prompter().inform(QStringLiteral("File Save Command"),
                                 QStringLiteral("Risk Analysis Worksheet Has Been Saved/Updated!"));
        return true;
    }

    void WorksheetArea::insertTemplate()
    {
        const int n = m_host.state().chosenWorksheet;
        if (n < 0 || n >= worksheets::Count) {
            return;
        }
        RichTextEditor* editor = m_host.workPanel().editor();
        bool load = true;
        if (m_host.folder().exists(worksheets::fileName(n))) {
            Prompt question;
            question.title = QStringLiteral("New Worksheet");
            question.text = QStringLiteral("The program has detected an existing ") + m_buttons[n]->text() +
                            QStringLiteral(" worksheet!\r\rIf you insert template and save file the existing file "
                                           "will be overwritten!\r\rNew Worksheet?");
            question.icon = PromptIcon::Warning;
            question.buttons = PromptButtons::YesNoCancel;
            question.defaultButton = PromptAnswer::No;
            load = m_host.prompter().ask(question) == PromptAnswer::Yes;
        }
        if (load) {
            const QString templatePath =
                m_host.folder().path(worksheets::TemplateFile.toString(), ProgramFolder::Place::Content);
            const Status loaded = editor->loadFile(templatePath);
            if (!loaded) {
                m_host.prompter().critical(QStringLiteral("New Worksheet"), loaded.error());
            }
        }
        editor->setReadOnly(false);
        // Whatever the answer, the user asked for a new worksheet: leaving it now asks whether to save.
        m_host.state().unsavedChanges = 1;
    }

    void WorksheetArea::openTitlePanel()
    {
        QWidget* printOptions = window()->findChild<QWidget*>(QStringLiteral("SSPanel80"));
        if (printOptions && printOptions->isVisible()) {
            QApplication::beep();
            return;
        }
        for (int n = 0; n < worksheets::Count; ++n) {
            m_titleLabels[n]->setText(m_buttons[n]->text());
        }
        m_titlePanel->setGeometry(m_titlePanel->parentWidget()->rect());
        m_titlePanel->show();
        m_titlePanel->raise();
        m_titleBoxes[0]->setFocus();
    }

    void WorksheetArea::saveTitlesAndExit()
    {
        QStringList entries;
        for (QLineEdit* box : m_titleBoxes) {
            entries.append(box->text());
        }
        const Status stored = worksheets::WorksheetTitles(m_host.folder()).store(entries);
        if (!stored) {
            // The buttons keep the titles on file; the panel stays open with what was typed.
            m_host.prompter().critical(QStringLiteral("Worksheet Button Title"), stored.error());
            return;
        }
        for (int n = 0; n < worksheets::Count; ++n) {
            if (!entries[n].isEmpty()) {
                m_buttons[n]->setText(entries[n].trimmed());
                m_buttons[n]->setToolTip(m_buttons[n]->text());
            }
        }
        restoreCaption();
        m_titlePanel->hide();
        m_host.state().documentKind = 0;
        m_host.setMenuEnabled(QStringLiteral("mOArchive"), false);
    }

    void WorksheetArea::closeTitlePanel()
    {
        restoreCaption();
        m_titlePanel->hide();
    }

    void WorksheetArea::restoreCaption()
    {
        const ActionAreaState& state = m_host.state();
        QString caption = state.captionBase;
        if (CaptionButton* chosen = m_buttons.value(state.chosenWorksheet)) {
            caption += QStringLiteral(" - ") + chosen->toolTip();
        }
        m_host.setCaption(caption);
    }

    void WorksheetArea::showStatusTerms()
    {
        m_host.prompter().inform(TermsTitle, statusTermsText());
    }

    bool WorksheetArea::eventFilter(QObject* watched, QEvent* event)
    {
        if (watched == &m_host.workPanel() && event->type() == QEvent::Resize && m_titlePanel) {
            m_titlePanel->setGeometry(m_host.workPanel().rect());
        }
        return QGroupBox::eventFilter(watched, event);
    }

    void WorksheetArea::hideEvent(QHideEvent* event)
    {
        // Another area took the screen: the title panel must not stay over its work panel.
        if (!event->spontaneous()) {
            m_titlePanel->hide();
        }
        QGroupBox::hideEvent(event);
    }

} // namespace qv
