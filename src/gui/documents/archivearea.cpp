#include "archivearea.h"

#include "core/rtf/rtfwriter.h"
#include "core/storage/clock.h"
#include "gui/kit/availability.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "titledlist.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace qv {

    namespace {
        const QString Placeholder = QStringLiteral("Select Existing Report");
        const QString SelectorCaption = QStringLiteral("Document Title\nand Date Archived");
        const QString ArchiveSelect = QStringLiteral("Archive Select");
    } // namespace

    void createArchive(AreaHost& host)
    {
        ActionAreaState& state = host.state();
        Prompter& prompter = host.prompter();
        if (state.documentName.trimmed().isEmpty()) {
            prompter.warn(ArchiveSelect, QStringLiteral("Appropriate Form Name is Missing!"));
            return;
        }
        RichTextEditor* editor = host.workPanel().editor();
        if (editor->text().trimmed().isEmpty()) {
            prompter.warn(ArchiveSelect,
                          QStringLiteral("Appropriate Document (Policy, Risk Analysis, etc.) Is NOT Currently "
                                         "Displayed!"));
            return;
        }
        archives::ArchiveIndex index(host.folder());
        const Status loaded = index.load();
        if (!loaded) {
            prompter.critical(ArchiveSelect, loaded.error());
            return;
        }
        const int safeguard = archives::policySafeguard(state.documentKind, state.area, state.currentItem);
        const QString name =
            archives::archiveName(state.documentName, state.documentKind, Clock::current().today(), safeguard);

        Prompt make;
        make.title = QStringLiteral("Make Archive Copy of Policies, Rish Analysis, Incident Reports");
        make.text = QStringLiteral("Make Archive Copy of [ ") + name + QStringLiteral(" ]?");
        make.icon = PromptIcon::Question;
        make.buttons = PromptButtons::YesNoCancel;
        make.defaultButton = PromptAnswer::No;
        const PromptAnswer answer = prompter.ask(make);
        // Once asked, the document counts as dealt with, whatever the answer.
        state.unsavedChanges = 0;
        if (answer != PromptAnswer::Yes) {
            return;
        }
        // A file of the same name that the index lost is replaced only on the same answer as a listed one.
        const bool replacing = index.isTaken(name);
        if (replacing) {
            Prompt replace;
            replace.title = QStringLiteral("Replace Existing Archive File?");
            replace.text = QStringLiteral("File by Same Name and Date [ ") + name +
                           QStringLiteral(" ] already Exists!\rDo you want to Replace it?");
            replace.icon = PromptIcon::Question;
            replace.buttons = PromptButtons::YesNo;
            replace.defaultButton = PromptAnswer::No;
            if (prompter.ask(replace) != PromptAnswer::Yes) {
                return;
            }
        }
        const Status stored = index.store(name, rtf::write(*editor->document()));
        if (!stored) {
            prompter.critical(QStringLiteral("Archive File Save"),
                              (replacing ? QStringLiteral("The archive could not be written; the earlier archive of "
                                                          "the same name and date keeps its contents.\r\r")
                                         : QStringLiteral("The archive could not be written; nothing was "
                                                          "archived.\r\r")) +
                                  stored.error());
            return;
        }
        prompter.inform(QStringLiteral("Archive File Save"), QStringLiteral("Archived File Has Been Created."));
    }

    ArchiveArea::ArchiveArea(AreaHost& host, QWidget* parent)
        : QGroupBox(parent)
        , m_host(host)
        , m_index(host.folder())
    {
        setObjectName(QStringLiteral("ArchiveFrame"));
        setFlat(true);
        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(4, 4, 4, 4);

        m_selectorLabel = new QLabel(SelectorCaption, this);
        m_selectorLabel->setObjectName(QStringLiteral("ArchiveLabel"));
        m_selector = new QComboBox(this);
        m_selector->setObjectName(QStringLiteral("ArchiveCombo"));
        // Archives are chosen, never named: a typed name would have nothing to open.
        m_selector->setEditable(false);
        m_selector->setPlaceholderText(Placeholder);
        m_selector->setMinimumContentsLength(archives::MaxNameLength + 10);
        m_status = new QLabel(this);
        m_status->setObjectName(QStringLiteral("ArchiveStatus"));
        m_status->setAlignment(Qt::AlignCenter);
        m_select = new CaptionButton(QStringLiteral("Select Existing Report Above"), this);
        m_select->setObjectName(QStringLiteral("ArchiveSelectCommand"));
        m_delete = new CaptionButton(QStringLiteral("Delete Selected File"), this);
        m_delete->setObjectName(QStringLiteral("ArchiveDeleteCommand"));

        grid->addWidget(m_selectorLabel, 0, 0);
        grid->addWidget(m_selector, 1, 0);
        grid->addWidget(m_status, 3, 0);
        grid->addWidget(m_select, 1, 1);
        // Laid out as in the incident reports: "Delete Selected File" under the command and keeping
        // its place while hidden, so nothing moves when an archive is chosen.
        grid->addWidget(m_delete, 2, 1);
        for (QWidget* comes : {static_cast<QWidget*>(m_delete), static_cast<QWidget*>(m_status)}) {
            QSizePolicy policy = comes->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            comes->setSizePolicy(policy);
        }
        grid->setColumnStretch(2, 1);
        connect(m_select, &QPushButton::clicked, this, &ArchiveArea::selectExisting);
        connect(m_delete, &QPushButton::clicked, this, &ArchiveArea::deleteSelected);
        connect(m_selector, &QComboBox::activated, this, &ArchiveArea::chooseArchive);
    }

    QWidget* ArchiveArea::content()
    {
        return this;
    }

    void ArchiveArea::reloadSelector()
    {
        titledlist::reload(m_selector, m_index, m_host.prompter(), Placeholder);
        m_selected = -1;
    }

    void ArchiveArea::showPlaceholder()
    {
        m_selector->setCurrentIndex(-1);
    }

    void ArchiveArea::enter()
    {
        WorkPanel& panel = m_host.workPanel();
        panel.templateButton()->hide();
        panel.editor()->setReadOnly(true);
        m_host.setEditingCommandsEnabled(false);
        m_host.setPanelCaption(QStringLiteral("Archived Policies, Risk Analysis Worksheets, Disaster Recovery Plan, "
                                              "Incident Reports - Print/Copy (Only)"));
        m_selectorLabel->setText(SelectorCaption);
        m_selectorLabel->show();
        m_status->clear();
        m_status->show();
        m_select->show();

        ActionAreaState& state = m_host.state();
        state.documentKind = archives::KindViewerLoading;
        state.documentName.clear();
        reloadSelector();
        state.documentKind = archives::KindViewer;

        m_selector->show();
        m_selector->setEnabled(true);
        showPlaceholder();
        m_delete->hide();
    }

    void ArchiveArea::selectExisting()
    {
        m_host.clearEditor();
        m_host.workPanel().editor()->setReadOnly(true);
        m_host.setEditingCommandsEnabled(false);
        reloadSelector();
        showPlaceholder();
        m_selectorLabel->setText(SelectorCaption);
        m_delete->hide();
        if (m_index.count() == 0) {
            titledlist::informNoneSaved(m_host.prompter(), Placeholder, QStringLiteral("Archive Documents"));
            m_status->hide();
            m_selector->setEnabled(false);
        } else {
            m_selector->setEnabled(true);
            m_selector->setFocus();
            titledlist::showCount(m_status, m_index.count());
        }
        m_host.state().unsavedChanges = 0;
    }

    void ArchiveArea::chooseArchive(int position)
    {
        if (position < 0 || position >= m_index.count()) {
            return;
        }
        m_selected = position;
        RichTextEditor* editor = m_host.workPanel().editor();
        m_host.clearEditor();
        const QString name =
            archives::titleOf(m_index.fileNames().at(position)).trimmed() + archives::Extension.toString();
        // A listed archive missing on disk opens as an empty document.
        if (ProgramFolder::isValidName(name) && m_host.folder().exists(name)) {
            const Status loaded = editor->loadFile(m_host.folder().path(name));
            if (!loaded) {
                m_host.prompter().critical(Placeholder, loaded.error());
            }
        }
        // Archives are records of what was in force: they are read, printed and copied, never changed.
        editor->setReadOnly(true);
        m_host.setEditingCommandsEnabled(false);
        enableCommand(m_host.workPanel().command(WorkPanel::PrintOptions), true);
        m_host.setMenuEnabled(QStringLiteral("mOPrint"), true);
        m_status->hide();
        m_delete->show();
        m_host.state().unsavedChanges = 0;
    }

    void ArchiveArea::deleteSelected()
    {
        if (m_selected < 0 || m_selected >= m_index.count()) {
            return;
        }
        const QString title = archives::titleOf(m_index.fileNames().at(m_selected)).trimmed();
        if (titledlist::confirmAndDelete(m_host.prompter(), m_index, m_selected, title)) {
            m_host.clearEditor();
            reloadSelector();
            showPlaceholder();
            m_selector->setEnabled(m_index.count() > 0);
        }
        m_selectorLabel->setText(SelectorCaption);
        m_delete->hide();
        m_status->hide();
        m_host.state().unsavedChanges = 0;
    }

} // namespace qv
