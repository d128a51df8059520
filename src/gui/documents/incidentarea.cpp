#include "incidentarea.h"

#include "core/rtf/rtfwriter.h"
#include "gui/kit/availability.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "titledlist.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace qv {

    namespace {
        const QString Placeholder = QStringLiteral("Select Existing Report");
        const QString NewReportTitle = QStringLiteral("Select New Report - Insert Template");
        const QString SaveActionTitle = QStringLiteral("Save File Action");
        const QString EnterTitle = QStringLiteral("Please enter Title/Name of this Incident Report Prior to Saving!");
        const QColor White(255, 255, 255);
        const QColor Yellow(255, 255, 0);

        void paint(QLineEdit* box, const QColor& colour)
        {
            QPalette palette = box->palette();
            palette.setColor(QPalette::Base, colour);
            box->setPalette(palette);
        }
    } // namespace

    IncidentArea::IncidentArea(AreaHost& host, QWidget* parent)
        : QGroupBox(parent)
        , m_host(host)
        , m_index(host.folder())
    {
        setObjectName(QStringLiteral("IncidentFrame"));
        setFlat(true);
        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(4, 4, 4, 4);

        m_selectorLabel = new QLabel(this);
        m_selectorLabel->setObjectName(QStringLiteral("Label18"));
        m_selector = new QComboBox(this);
        m_selector->setObjectName(QStringLiteral("Combo3"));
        m_selector->setEditable(true);
        m_selector->setInsertPolicy(QComboBox::NoInsert);
        // A title typed here names a new report: completing it to a stored one would replace that one.
        m_selector->setCompleter(nullptr);
        m_selector->lineEdit()->setMaxLength(incidents::MaxTitleLength);
        m_selector->setMinimumContentsLength(incidents::MaxTitleLength);
        m_titleBox = new QLineEdit(this);
        m_titleBox->setObjectName(QStringLiteral("Text5"));
        m_titleBox->setMaxLength(incidents::MaxTitleLength);
        m_status = new QLabel(this);
        m_status->setObjectName(QStringLiteral("IncidentStatus"));
        m_status->setAlignment(Qt::AlignCenter);

        grid->addWidget(m_selectorLabel, 0, 0);
        grid->addWidget(m_selector, 1, 0);
        grid->addWidget(m_titleBox, 2, 0);
        grid->addWidget(m_status, 3, 0);

        const QString captions[] = {QStringLiteral("Select Existing Report Above"),
                                    QStringLiteral("New Report - Insert Template"),
                                    QStringLiteral("!New - Blank for Pasting In Report"),
                                    QStringLiteral("Delete Selected File")};
        for (int n = 0; n < 4; ++n) {
            auto* button = new CaptionButton(captions[n], this);
            button->setObjectName(QStringLiteral("SSCommand%1").arg(24 + n));
            m_commands[n] = button;
        }
        // "Delete Selected File" comes and goes with the chosen report. It sits under the first command
        // and keeps its place while hidden, so the row neither shifts nor squeezes the other captions
        // when it appears; the status label keeps its line for the same reason.
        for (int n = 0; n < 3; ++n) {
            grid->addWidget(m_commands[n], 1, 1 + n);
        }
        grid->addWidget(m_commands[3], 2, 1);
        for (QWidget* comes : {static_cast<QWidget*>(m_commands[3]), static_cast<QWidget*>(m_status)}) {
            QSizePolicy policy = comes->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            comes->setSizePolicy(policy);
        }
        // On a wide screen the spare room goes beside the commands, not into a selector as wide as the
        // screen.
        grid->setColumnStretch(4, 1);
        connect(m_commands[0], &QPushButton::clicked, this, &IncidentArea::selectExisting);
        connect(m_commands[1], &QPushButton::clicked, this, &IncidentArea::newFromTemplate);
        connect(m_commands[2], &QPushButton::clicked, this, &IncidentArea::newBlank);
        connect(m_commands[3], &QPushButton::clicked, this, &IncidentArea::deleteSelected);
        connect(m_selector, &QComboBox::activated, this, &IncidentArea::chooseReport);
        connect(m_selector->lineEdit(), &QLineEdit::textEdited, this, [this] {
            m_host.state().unsavedChanges = TitleTyped;
        });
    }

    QWidget* IncidentArea::content()
    {
        return this;
    }

    QComboBox* IncidentArea::selector() const
    {
        return m_selector;
    }

    QLineEdit* IncidentArea::titleBox() const
    {
        return m_titleBox;
    }

    QLabel* IncidentArea::statusLabel() const
    {
        return m_status;
    }

    QPushButton* IncidentArea::command(int n) const
    {
        return (n >= 0 && n < 4) ? m_commands[n] : nullptr;
    }

    void IncidentArea::reloadSelector()
    {
        titledlist::reload(m_selector, m_index, m_host.prompter(), Placeholder);
        m_selected = -1;
    }

    void IncidentArea::showPlaceholder()
    {
        m_selector->setCurrentIndex(-1);
        m_selector->setEditText(Placeholder);
    }

    void IncidentArea::enter()
    {
        m_mode = Idle;
        m_openedTitle.clear();
        WorkPanel& panel = m_host.workPanel();
        panel.templateButton()->hide();
        panel.editor()->setReadOnly(true);
        for (QPushButton* button : m_commands) {
            button->show();
        }
        m_status->setText(QStringLiteral("Enter File Title/Name Above"));
        QFont font = m_status->font();
        font.setBold(false);
        m_status->setFont(font);
        m_status->show();
        m_selectorLabel->setText(QStringLiteral("Document Title\nand Date Archived"));
        m_titleBox->clear();
        m_titleBox->setEnabled(false);
        paint(m_titleBox, White);

        reloadSelector();
        m_selector->setEnabled(m_index.count() > 0);
        m_selector->show();
        m_selectorLabel->show();
        showPlaceholder();
        m_commands[3]->hide();
    }

    bool IncidentArea::confirmLeaving(const QString& question, bool yesEnds)
    {
        ActionAreaState& state = m_host.state();
        if (state.unsavedChanges != 1) {
            return true;
        }
        Prompt prompt;
        prompt.title = NewReportTitle;
        prompt.text = question;
        prompt.icon = PromptIcon::Question;
        prompt.buttons = PromptButtons::YesNoCancel;
        switch (m_host.prompter().ask(prompt)) {
        case PromptAnswer::Yes:
            if (yesEnds) {
                return false;
            }
            save();
            // A save that was refused or failed keeps the edits, which the next step would drop.
            return state.unsavedChanges == 0;
        case PromptAnswer::No:
            state.unsavedChanges = 0;
            return true;
        default:
            return false;
        }
    }

    void IncidentArea::selectExisting()
    {
        if (!confirmLeaving(QStringLiteral("Save Current Incident Report before next Action?"), true)) {
            return;
        }
        m_host.clearEditor();
        m_host.workPanel().editor()->setReadOnly(true);
        reloadSelector();
        showPlaceholder();
        m_selectorLabel->setText(QStringLiteral("Document Title\nand Date Archived"));
        m_selectorLabel->show();
        m_commands[3]->hide();
        if (m_index.count() == 0) {
            titledlist::informNoneSaved(m_host.prompter(), Placeholder, QStringLiteral("Incident Reports"));
            m_status->hide();
            m_selector->setEnabled(false);
        } else {
            m_selector->setEnabled(true);
            m_selector->show();
            m_selector->setFocus();
            titledlist::showCount(m_status, m_index.count());
        }
        m_titleBox->setEnabled(false);
        m_mode = Choosing;
        m_host.state().unsavedChanges = 0;
    }

    void IncidentArea::askForTitle()
    {
        m_host.setEditingCommandsEnabled(true);
        m_host.workPanel().editor()->setReadOnly(false);
        m_titleBox->clear();
        paint(m_titleBox, White);
        m_titleBox->setEnabled(true);
        m_titleBox->show();
        m_host.prompter().inform(NewReportTitle, EnterTitle);
        paint(m_titleBox, Yellow);
        m_titleBox->setFocus();
    }

    void IncidentArea::newFromTemplate()
    {
        m_commands[3]->hide();
        if (!confirmLeaving(QStringLiteral("Save Current Incident Report before inserting a new Template?"), false)) {
            return;
        }
        m_host.clearEditor();
        const QString path = m_host.folder().path(incidents::TemplateFile.toString(), ProgramFolder::Place::Content);
        const Status loaded = m_host.workPanel().editor()->loadFile(path);
        if (!loaded) {
            // A blank report can still be written; the user learns why the form is missing.
            m_host.prompter().critical(NewReportTitle, loaded.error());
        }
        m_selector->hide();
        m_selectorLabel->hide();
        QFont font = m_status->font();
        font.setBold(true);
        m_status->setFont(font);
        m_status->setText(QStringLiteral("Enter File Title/Name Above"));
        m_status->show();
        askForTitle();
        m_host.state().unsavedChanges = 0;
        m_mode = FromTemplate;
    }

    void IncidentArea::newBlank()
    {
        const bool empty = m_host.workPanel().editor()->text().trimmed().isEmpty();
        if (!empty && !confirmLeaving(QStringLiteral("Save Current Incident Report before this Action?"), false)) {
            return;
        }
        m_host.clearEditor();
        m_commands[3]->hide();
        askForTitle();
        m_host.state().unsavedChanges = 0;
        m_mode = Blank;
    }

    void IncidentArea::chooseReport(int position)
    {
        if (position < 0 || position >= m_index.count()) {
            return;
        }
        // Edits to the report on view are the user's words: they are not dropped without a question
        // when another report is chosen. While the question is open the selector names the report on
        // view again, which is the one a Yes saves.
        if (m_mode == Opened && position != m_selected && m_host.state().unsavedChanges == 1) {
            {
                const QSignalBlocker quiet(m_selector);
                m_selector->setCurrentIndex(m_selected);
            }
            if (!confirmLeaving(QStringLiteral("Save changes/entries before next action?"), false)) {
                return;
            }
            const QSignalBlocker quiet(m_selector);
            m_selector->setCurrentIndex(position);
        }
        m_selected = position;
        m_openedTitle = incidents::titleOf(m_index.fileNames().at(position)).trimmed();
        RichTextEditor* editor = m_host.workPanel().editor();
        m_host.clearEditor();
        // A listed report missing on disk opens as an empty document.
        const QString name = incidents::fileName(m_openedTitle);
        if (ProgramFolder::isValidName(name) && m_host.folder().exists(name)) {
            const Status loaded = editor->loadFile(m_host.folder().path(name));
            if (!loaded) {
                m_host.prompter().critical(Placeholder, loaded.error());
            }
        }
        editor->setReadOnly(false);
        m_host.setEditingCommandsEnabled(true);
        m_status->hide();
        m_mode = Opened;
        m_commands[3]->show();
        m_host.state().unsavedChanges = 0;
    }

    void IncidentArea::deleteSelected()
    {
        if (m_selector->currentText() == Placeholder || m_selected < 0) {
            return;
        }
        if (m_index.count() == 0) {
            m_host.workPanel().command(WorkPanel::Save)->setFocus();
            return;
        }
        const QString title = incidents::titleOf(m_index.fileNames().at(m_selected)).trimmed();
        if (titledlist::confirmAndDelete(m_host.prompter(), m_index, m_selected, title)) {
            m_host.clearEditor();
            reloadSelector();
            showPlaceholder();
            m_selector->setEnabled(m_index.count() > 0);
            m_mode = Idle;
            m_openedTitle.clear();
        }
        m_commands[3]->hide();
        m_status->hide();
        m_host.workPanel().command(WorkPanel::Save)->setFocus();
        m_host.state().unsavedChanges = 0;
    }

    QString IncidentArea::selectorTitle() const
    {
        return m_selector->currentText().left(incidents::MaxTitleLength).trimmed();
    }

    void IncidentArea::refuseTitle(const QString& message, bool focusTitle)
    {
        paint(m_titleBox, White);
        m_host.prompter().inform(NewReportTitle, message);
        paint(m_titleBox, Yellow);
        if (focusTitle) {
            m_titleBox->setFocus();
        } else {
            m_host.workPanel().editor()->setFocus();
        }
    }

    bool IncidentArea::save()
    {
        const int flag = m_host.state().unsavedChanges;
        const QString typedTitle = m_titleBox->text().trimmed();
        const bool emptyText = m_host.workPanel().editor()->text().trimmed().isEmpty();
        if (m_mode == FromTemplate && typedTitle.isEmpty()) {
            refuseTitle(QStringLiteral("Incident Report Title/Name Must Be Entered Prior to Saving!\r"
                                       "Please Enter a File Title/Name and Click Save Again!"),
                        true);
            return true;
        }
        if (m_mode == Blank && (typedTitle.isEmpty() || emptyText)) {
            refuseTitle(QStringLiteral("Incident Report Title/Name and/or Report Must Both Be Entered Prior to "
                                       "Saving!\rPlease Enter a File Title/Name and/or Report then Click Save Again!"),
                        typedTitle.isEmpty());
            return true;
        }
        // A title typed over an opened report names a new one, whichever came first, the title or the
        // edits to the text.
        const bool retitled = m_mode == Opened && selectorTitle().compare(m_openedTitle, Qt::CaseInsensitive) != 0;
        if (m_mode == FromTemplate || m_mode == Blank) {
            saveNew(typedTitle);
        } else if (flag == TitleTyped || retitled) {
            saveNew(selectorTitle());
        } else if (m_mode == Opened && flag != 0) {
            saveOpened();
        } else {
            return false;
        }
        return true;
    }

    bool IncidentArea::writeReport(const QString& title, const QString& failureTitle)
    {
        const QByteArray rtf = rtf::write(*m_host.workPanel().editor()->document());
        const Status stored = m_index.store(title, rtf);
        if (!stored) {
            // The report file and the index keep what they held; the edits stay unsaved.
            m_host.prompter().critical(failureTitle,
                                       QStringLiteral("The incident report could not be saved; its file keeps "
                                                      "its earlier contents.\r\r") +
                                           stored.error());
            return false;
        }
        return true;
    }

    void IncidentArea::saveNew(const QString& title)
    {
        const Status valid = incidents::checkTitle(title);
        if (!valid) {
            refuseTitle(valid.error(), true);
            return;
        }
        // A report file the index lost track of holds someone's words as much as a listed one.
        if (m_index.isTaken(title)) {
            Prompt prompt;
            prompt.title = QStringLiteral("Save Changes to Existing File?");
            prompt.text = QStringLiteral("File by Name [ ") + title +
                          QStringLiteral(" ] already Exists!\rDo you want to Replace it?");
            prompt.icon = PromptIcon::Question;
            prompt.buttons = PromptButtons::YesNo;
            prompt.defaultButton = PromptAnswer::No;
            if (m_host.prompter().ask(prompt) != PromptAnswer::Yes) {
                m_host.state().unsavedChanges = 0;
                return;
            }
            if (!writeReport(title, QStringLiteral("File Save Command"))) {
                return;
            }
            resetAfterSave();
            m_host.prompter().inform(QStringLiteral("File Save Command"),
                                     QStringLiteral("File Has Been Saved/Updated!"));
            return;
        }
        if (!writeReport(title, SaveActionTitle)) {
            return;
        }
        resetAfterSave();
        m_host.prompter().inform(SaveActionTitle,
                                 QStringLiteral("This File [ ") + title + QStringLiteral(" ] Has Been Saved/Updated!"));
    }

    void IncidentArea::saveOpened()
    {
        const QString title = m_openedTitle;
        if (!writeReport(title, SaveActionTitle)) {
            return;
        }
        resetAfterSave();
        m_host.prompter().inform(SaveActionTitle,
                                 QStringLiteral("This File [ ") + title + QStringLiteral(" ] Has Been Updated/Saved!"));
    }

    void IncidentArea::resetAfterSave()
    {
        m_host.clearEditor();
        m_host.workPanel().editor()->setReadOnly(true);
        m_titleBox->setEnabled(false);
        m_status->hide();
        reloadSelector();
        m_selector->setEnabled(m_index.count() > 0);
        m_selector->show();
        m_selectorLabel->show();
        showPlaceholder();
        m_commands[3]->hide();
        m_host.workPanel().command(WorkPanel::Save)->setFocus();
        m_host.state().unsavedChanges = 0;
        m_mode = Idle;
        m_openedTitle.clear();
    }

} // namespace qv
