#include "actionarea.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/statusvocabulary.h"
#include "core/shell/displaysettings.h"
#include "core/storage/clock.h"
#include "gui/catalogue/examplearea.h"
#include "gui/catalogue/familyarea.h"
#include "gui/catalogue/overviewarea.h"
#include "gui/catalogue/textpanes.h"
#include "gui/documents/archivearea.h"
#include "gui/documents/incidentarea.h"
#include "gui/documents/planarea.h"
#include "gui/documents/worksheetarea.h"
#include "gui/kit/availability.h"
#include "gui/kit/busypointer.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/help.h"
#include "gui/kit/navigator.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "gui/reports/exportpanel.h"
#include "gui/reports/printdesk.h"
#include "gui/reports/printoptionspanel.h"
#include "gui/reports/printoutput.h"
#include "gui/timeline/timelinearea.h"
#include "gui/writing/writingaids.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace qv {

    namespace {
        // Captions of the area buttons, as the screen has always shown them.
        const char16_t* const AreaCaptions[ActionArea::AreaCount] = {
            u"HIPAA Security Standards",
            u"Safeguard Project Timeline ",
            u"Administrative Safeguards",
            u"Physical Safeguards",
            u"Technical Safeguards",
            u"Organization Requirements",
            u"Policies and Proceedures",
            u"Risk Analysis Worksheets",
            u"Disaster Recovery Plan",
            u"Safeguard Example",
            u"Incident Reports",
            u"Incident Reports",
        };

        const char16_t* const NavigationCaptions[ActionArea::NavigationCount] = {
            u"&Action Area",
            u"&Information Advisor",
            u"&Security Rule",
            u"&Miscellaneous",
            u"E&xit Program",
            u"Close",
            u"&HITECH Info",
        };

        bool isFamilyArea(int k)
        {
            return k >= 2 && k <= 6;
        }
    } // namespace

    ActionArea::ActionArea(Navigator& navigator,
                           Prompter& prompter,
                           Help& help,
                           Dialogs& dialogs,
                           const ProgramFolder& folder,
                           PrintSettings& printSettings,
                           QWidget* parent)
        : QMainWindow(parent)
        , m_navigator(navigator)
        , m_prompter(prompter)
        , m_help(help)
        , m_dialogs(dialogs)
        , m_folder(folder)
        , m_printSettings(printSettings)
        , m_statusStore(folder)
    {
        setObjectName(QStringLiteral("WorkArea1"));
        setWindowTitle(QStringLiteral("Action Area"));
        setAttribute(Qt::WA_DeleteOnClose);
        buildMenus();
        buildScreen();
        attachInsight();
        build();
    }

    ActionArea::~ActionArea() = default;

    void ActionArea::buildScreen()
    {
        auto* central = new QWidget(this);
        central->setObjectName(QStringLiteral("WorkAreaBackground"));
        setCentralWidget(central);
        addPopupFilter(central);

        auto* navigationRow = new QHBoxLayout;
        navigationRow->setSpacing(6);
        for (int k = 0; k < NavigationCount; ++k) {
            auto* button = new CaptionButton(QString::fromUtf16(NavigationCaptions[k]), central);
            setControlName(button, QStringLiteral("SSCommand4"), k);
            button->setMinimumHeight(30);
            connect(button, &QPushButton::clicked, this, [this, k] { pressNavigation(k); });
            m_navigationButtons.append(button);
        }
        // In screen order: the hub, the four reference screens, then the way out.
        for (int k : {0, 1, 2, 3, 6, 5, 4}) {
            navigationRow->addWidget(m_navigationButtons[k]);
        }
        m_navigationButtons[5]->hide();
        for (int k : {1, 2, 3, 6}) {
            if (!m_navigator.isAvailable(k)) {
                markUnavailable(m_navigationButtons[k]);
            }
        }

        auto* areaColumn = new QVBoxLayout;
        areaColumn->setSpacing(5);
        for (int k = 0; k < AreaCount; ++k) {
            auto* button = new CaptionButton(QString::fromUtf16(AreaCaptions[k]), central);
            setControlName(button, QStringLiteral("SSCommand11"), k);
            button->setMinimumHeight(34);
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            connect(button, &QPushButton::clicked, this, [this, k] { selectArea(k); });
            areaColumn->addWidget(button);
            m_areaButtons.append(button);
        }
        m_areaButtons[11]->hide();
        areaColumn->addStretch();
        m_dateLabel = new QLabel(central);
        m_dateLabel->setObjectName(QStringLiteral("Label10"));
        m_dateLabel->setWordWrap(true);
        areaColumn->addWidget(m_dateLabel);

        m_content = new QWidget(central);
        m_content->setObjectName(QStringLiteral("AreaContent"));
        // The area panels are placed by fractions of the window, not by a layout.
        m_content->installEventFilter(this);
        for (int i = 0; i < 4; ++i) {
            auto* panel = new QFrame(m_content);
            setControlName(panel, QStringLiteral("SSPanel3"), i);
            panel->setFrameShape(QFrame::StyledPanel);
            auto* layout = new QVBoxLayout(panel);
            layout->setContentsMargins(0, 0, 0, 0);
            m_areaPanels[static_cast<size_t>(i)] = panel;
            addPopupFilter(panel);
        }
        m_panelCaption = new QLabel(m_areaPanels[2]);
        m_panelCaption->setObjectName(QStringLiteral("PanelCaption"));
        m_panelCaption->setAlignment(Qt::AlignCenter);
        // The archive viewer's heading is wider than the panel on a 1024-wide screen.
        m_panelCaption->setWordWrap(true);
        QFont captionFont = m_panelCaption->font();
        captionFont.setBold(true);
        captionFont.setPointSizeF(captionFont.pointSizeF() * 1.3);
        m_panelCaption->setFont(captionFont);
        m_areaPanels[2]->layout()->addWidget(m_panelCaption);

        m_workPanel = new WorkPanel(m_areaPanels[3]);
        m_areaPanels[3]->layout()->addWidget(m_workPanel);
        addPopupFilter(m_workPanel);

        m_coverPanel = new QFrame(m_content);
        m_coverPanel->setObjectName(QStringLiteral("SSPanel5"));
        m_coverPanel->setAutoFillBackground(true);
        m_coverPanel->setFocusPolicy(Qt::StrongFocus);
        m_coverPanel->hide();

        m_overview = new OverviewArea(*this, m_statusStore, m_areaPanels[0]);
        m_areaPanels[0]->layout()->addWidget(m_overview);
        for (const catalogue::FamilyInfo& info : catalogue::families()) {
            auto* family = new FamilyArea(info.family, *this, m_statusStore, m_areaPanels[2]);
            m_areaPanels[2]->layout()->addWidget(family);
            family->hide();
            m_families[static_cast<size_t>(info.area - 2)] = family;
        }
        m_worksheets = new WorksheetArea(*this, m_statusStore, m_areaPanels[2]);
        m_areaPanels[2]->layout()->addWidget(m_worksheets);
        m_worksheets->hide();
        connect(m_actions.value(QStringLiteral("mOWkTitle")), &QAction::triggered, m_worksheets, [this] {
            m_worksheets->openTitlePanel();
        });
        m_example = std::make_unique<ExampleArea>(*this);
        m_textPanes = std::make_unique<TextPanes>(*this);
        m_plan = std::make_unique<PlanArea>(*this);
        m_incidents = new IncidentArea(*this, m_areaPanels[2]);
        m_areaPanels[2]->layout()->addWidget(m_incidents);
        m_incidents->hide();
        m_archives = new ArchiveArea(*this, m_areaPanels[2]);
        m_areaPanels[2]->layout()->addWidget(m_archives);
        m_archives->hide();
        connect(
            m_actions.value(QStringLiteral("mOArchive")), &QAction::triggered, this, [this] { createArchive(*this); });
        connect(m_actions.value(QStringLiteral("mOArchiveV")), &QAction::triggered, this, &ActionArea::viewArchives);
        m_timeline = new TimelineArea(*this, m_areaPanels[1]);
        m_areaPanels[1]->layout()->addWidget(m_timeline);
        addPopupFilter(m_timeline->grid()->viewport());
        addPopupFilter(m_timeline->calendar());
        for (QWidget* part : m_timeline->calendar()->findChildren<QWidget*>()) {
            addPopupFilter(part);
        }
        m_timeline->setPrintOpenCheck([this] { return m_printDesk->isOpen(); });
        connect(m_timeline, &TimelineArea::exitRequested, this, [this] { selectArea(0); });
        connect(m_timeline, &TimelineArea::printRequested, this, &ActionArea::printOptions);
        connect(m_actions.value(QStringLiteral("mOInsert")), &QAction::triggered, m_timeline, &TimelineArea::insertRow);
        connect(m_actions.value(QStringLiteral("mODelete")), &QAction::triggered, m_timeline, &TimelineArea::deleteRow);
        connect(m_actions.value(QStringLiteral("mOClear")), &QAction::triggered, m_timeline, &TimelineArea::clearGrid);
        connect(m_optionsMenu, &QMenu::aboutToShow, m_timeline, [this] {
            if (m_state.area == 1) {
                m_timeline->optionsMenuOpening();
            }
        });

        auto* body = new QHBoxLayout;
        body->setSpacing(8);
        auto* areaBox = new QWidget(central);
        areaBox->setLayout(areaColumn);
        areaBox->setFixedWidth(210);
        body->addWidget(areaBox);
        body->addWidget(m_content, 1);

        auto* layout = new QVBoxLayout(central);
        layout->setContentsMargins(8, 6, 8, 6);
        layout->setSpacing(6);
        layout->addLayout(navigationRow);
        layout->addLayout(body, 1);

        RichTextEditor* editor = m_workPanel->editor();
        connect(editor, &RichTextEditor::changed, this, &ActionArea::onEditorChanged);
        connect(editor, &RichTextEditor::cursorPositionChanged, this, &ActionArea::followCaretAlignment);
        connect(m_workPanel->statusBox(), &QComboBox::activated, this, &ActionArea::onStatusPicked);
        connect(m_workPanel, &WorkPanel::paneOptionChosen, this, &ActionArea::onPaneOptionChosen);
        for (int i = 0; i < 3; ++i) {
            connect(m_workPanel->textLocationOption(i), &QRadioButton::clicked, this, [this, i] { onTextLocation(i); });
        }
        connect(m_workPanel->command(WorkPanel::Exit), &QPushButton::clicked, this, &ActionArea::exitWorkPanel);
        connect(m_workPanel->command(WorkPanel::Save), &QPushButton::clicked, this, &ActionArea::save);
        connect(m_workPanel->templateButton(), &QPushButton::clicked, this, [this] {
            if (Area* current = area(m_state.area)) {
                current->insertTemplate();
            }
        });
        m_printDesk = new PrintDesk(*this, m_dialogs, m_statusStore, m_printSettings, m_content);
        m_printDesk->setTextColorSource([this] { return m_workPanel->editor()->palette().color(QPalette::Text); });
        m_printDesk->setGuideLineSource([this] { return display::readGuideLineOption(m_folder) == 1; });
        addPopupFilter(m_printDesk->panel());
        connect(m_workPanel->command(WorkPanel::PrintOptions), &QPushButton::clicked, this, &ActionArea::printOptions);
        connect(m_actions.value(QStringLiteral("mOPrint")), &QAction::triggered, this, &ActionArea::printOptions);
        connect(m_actions.value(QStringLiteral("mOPrintAll")), &QAction::triggered, m_printDesk, [this] {
            m_printDesk->printAllPolicies();
        });
        connect(m_actions.value(QStringLiteral("mOClip")), &QAction::triggered, this, &ActionArea::copyToClipboard);
        connectWritingAids();
        connect(m_printDesk, &PrintDesk::allPoliciesMenuWanted, this, [this](bool shown) {
            m_actions.value(QStringLiteral("mOPrintAll"))->setVisible(shown);
        });
        m_exportPanel = new ExportPanel(m_prompter, m_dialogs, m_content);
        connect(m_actions.value(QStringLiteral("mUExport")), &QAction::triggered, this, &ActionArea::openExport);
        connect(m_overview, &OverviewArea::statusReportRequested, this, [this] { m_overview->print(*m_printDesk); });
        // Tab belongs to the text while the editor has the focus.
        editor->setTabChangesFocus(false);
        buildGridDisplay();
    }

    void ActionArea::build()
    {
        m_state.lastAreaButton = 0;
        m_state.chosenWorksheet = ActionAreaState::NoWorksheet;
        const Status loaded = m_statusStore.loadAll();
        if (!loaded) {
            m_prompter.warn(QStringLiteral("Current Status"), loaded.error());
        }
        m_navigator.setRequestedScreen(0);
        // The smaller screen display opens where the start screen is, at its size; the full screen
        // display maximised, with a normal size for the window manager to restore it to.
        QWidget* start = m_navigator.existing(Navigator::StartScreen);
        if (start && m_navigator.smallerScreen()) {
            setGeometry(start->geometry());
        } else {
            resize(1024, 768);
            setWindowState(windowState() | Qt::WindowMaximized);
        }

        m_overview->chooseFamily(0, OverviewArea::Press::ByProgram);

        m_areaPanels[2]->hide();
        m_areaPanels[3]->hide();
        m_areaPanels[1]->hide();
        m_state.unsavedChanges = 0;
        m_state.sampleNoticeShown = false;
        m_state.samplePolicyNoticeShown = false;
        m_state.captionBase = QStringLiteral("Action Area - ") + m_areaButtons[0]->text();
        setCaption(m_state.captionBase + QStringLiteral(" - Administrative Saveguards"));

        for (CaptionButton* b : m_navigationButtons) {
            b->setSelectedLook(false);
        }
        for (CaptionButton* b : m_areaButtons) {
            b->setSelectedLook(false);
        }
        m_navigationButtons[0]->setSelectedLook(true);
        m_areaButtons[0]->setSelectedLook(true);
        m_areaPanels[0]->show();

        setEditingCommandsEnabled(false);
        setMenuEnabled(QStringLiteral("mOPrint"), true);
        setMenuEnabled(QStringLiteral("mUExport"), true);
        for (const char16_t* name : {u"mODelete", u"mOClear", u"mOInsert"}) {
            setMenuEnabled(QString::fromUtf16(name), false);
        }
        layOutPanels();
    }

    // ---- AreaHost ------------------------------------------------------------------------------

    ActionAreaState& ActionArea::state()
    {
        return m_state;
    }

    WorkPanel& ActionArea::workPanel()
    {
        return *m_workPanel;
    }

    Prompter& ActionArea::prompter()
    {
        return m_prompter;
    }

    const ProgramFolder& ActionArea::folder() const
    {
        return m_folder;
    }

    void ActionArea::setCaption(const QString& caption)
    {
        setWindowTitle(caption);
    }

    void ActionArea::setPanelCaption(const QString& caption)
    {
        m_panelCaption->setText(caption);
        m_panelCaption->setVisible(!caption.isEmpty());
        m_areaPanels[2]->show();
    }

    void ActionArea::showStatus(const QString& text)
    {
        m_workPanel->statusBox()->setEditText(text);
    }

    // ---- Area selection ------------------------------------------------------------------------

    Area* ActionArea::area(int k) const
    {
        if (k == 0) {
            return m_overview;
        }
        if (isFamilyArea(k)) {
            return m_families[static_cast<size_t>(k - 2)];
        }
        if (k == 8) {
            return m_plan.get();
        }
        if (k == 9) {
            return m_example.get();
        }
        if (k == 7) {
            return m_worksheets;
        }
        if (k == 10) {
            return m_incidents;
        }
        if (k == 11) {
            return m_archives;
        }
        return k == 1 ? m_timeline : nullptr;
    }

    void ActionArea::selectArea(int k)
    {
        if (k < 0 || k >= AreaCount || k == m_state.lastAreaButton) {
            return;
        }
        // Asked before anything changes, while the area that owns the text is current; a save that
        // did not happen keeps the user in that area with their edits.
        if (!offerToSave()) {
            return;
        }
        // A report on view belongs to the area it was printed in, an export to the grid it was
        // opened for.
        m_printDesk->close();
        m_exportPanel->hide();

        m_state.documentKind = 0;
        setMenuEnabled(QStringLiteral("mOArchive"), false);
        m_workPanel->templateButton()->show();
        m_state.lastAreaButton = k;

        m_workPanel->setEditorWidth(0.73);
        std::optional<BusyPointer> busy;
        if (k == 7) {
            busy.emplace();
        }

        // Only the standards overview and the timeline show a grid to export.
        setMenuEnabled(QStringLiteral("mUExport"), k < 2);
        fillStatusBox(k);
        setMenuEnabled(QStringLiteral("mOWkTitle"), false);

        if (k > 1) {
            const Status refreshed = m_statusStore.refreshFamilies();
            if (!refreshed) {
                m_prompter.warn(QStringLiteral("Current Status"), refreshed.error());
            }
        }
        if (k == 7 || k == 8 || k == 10 || k == 11) {
            m_workPanel->setEditorPlacement(0.02, 0.97);
        } else {
            m_workPanel->setEditorPlacement(0.16, 0.83);
        }

        for (QFrame* panel : m_areaPanels) {
            panel->hide();
        }
        for (FamilyArea* family : m_families) {
            family->hide();
        }
        m_worksheets->hide();
        m_incidents->hide();
        m_archives->hide();
        m_panelCaption->hide();
        for (CaptionButton* b : m_areaButtons) {
            b->setSelectedLook(false);
        }
        m_workPanel->setDescriptionVisible(true);

        m_areaButtons[k]->setSelectedLook(true);
        if (k < 2) {
            m_areaPanels[static_cast<size_t>(k)]->show();
        } else {
            if (isFamilyArea(k)) {
                m_families[static_cast<size_t>(k - 2)]->show();
            } else if (k == 7) {
                m_worksheets->show();
            } else if (k == 10) {
                m_incidents->show();
            } else if (k == 11) {
                m_archives->show();
            }
            m_areaPanels[3]->show();
        }

        QApplication::processEvents();
        m_state.unsavedChanges = 0;

        setMenuEnabled(QStringLiteral("mOGrid"), k < 2);
        setMenuEnabled(QStringLiteral("mOGridColor"), k < 2);
        setMenuEnabled(QStringLiteral("mOClip"), k > 1);
        for (const char16_t* name : {u"mODelete", u"mOClear", u"mOInsert", u"mOSave"}) {
            setMenuEnabled(QString::fromUtf16(name), k == 1);
        }

        enableCommand(m_workPanel->paneOption(WorkPanel::ImplementationSpecification), true);
        clearEditor();

        m_state.area = k;
        m_workPanel->templateButton()->setText(QStringLiteral("Insert Template"));
        enableCommand(m_workPanel->templateButton(), false);

        m_state.captionBase = QStringLiteral("Action Area - ") + m_areaButtons[k]->text();
        QString caption = m_state.captionBase;
        if (k == 0) {
            caption += QStringLiteral(" - Administrative Saveguards");
        } else if (k == 5) {
            caption = QStringLiteral("Action Area - Organizational Requirements");
        } else if (k == 6) {
            caption = QStringLiteral("Action Area - Policies and Procedures and Documentation Requirements");
        }
        setCaption(caption);

        if (k < 2) {
            m_workPanel->hide();
            for (const char16_t* name : {u"mOFont", u"mOSpell", u"mOThes", u"mOSave"}) {
                setMenuEnabled(QString::fromUtf16(name), false);
            }
            setMenuEnabled(QStringLiteral("mOPrint"), true);
        } else {
            for (const char16_t* name : {u"mOFont", u"mOSpell", u"mOThes", u"mOSave"}) {
                setMenuEnabled(QString::fromUtf16(name), true);
            }
            setMenuEnabled(QStringLiteral("mOPrint"), false);
            m_workPanel->show();
            m_workPanel->setFocus();
        }

        showStatus(k == 9 ? statuses::ExampleStatus.toString() : QString());
        m_workPanel->editor()->setReadOnly(false);
        enableCommand(m_workPanel->paneOption(WorkPanel::ImplementationSpecification), true);

        if (m_workPanel->isVisible() && (k == 9 || k == 10 || k == 11)) {
            clearEditor();
            m_state.unsavedChanges = 0;
            clearPanes();
        }
        if (k == 5 || k == 6) {
            QRadioButton* specification = m_workPanel->paneOption(WorkPanel::ImplementationSpecification);
            enableCommand(specification, false);
            if (specification->isChecked()) {
                clearPanes();
            }
        } else {
            enableCommand(m_workPanel->paneOption(WorkPanel::ImplementationSpecification), true);
        }
        enableCommand(m_workPanel->templateButton(), false);

        if (k == 7 || k == 8 || k == 10 || k == 11) {
            m_workPanel->setDescriptionVisible(false);
            enableCommand(m_workPanel->templateButton(), false);
            setEditingCommandsEnabled(false);
        } else if (k >= 2) {
            setEditingCommandsEnabled(true);
        }
        if (Area* current = area(k)) {
            current->enter();
        }
        if ((isFamilyArea(k) || k == 9) && m_workPanel->checkedPaneOption() < 0) {
            showNoPane();
        }
        if (k == 10) {
            setPanelCaption(QStringLiteral("Incident Reports - Prepare, Store or Review"));
        }
        if (k > 1) {
            if (isFamilyArea(k)) {
                m_families[static_cast<size_t>(k - 2)]->show();
            } else if (k == 7) {
                m_worksheets->show();
            } else if (k == 10) {
                m_incidents->show();
            } else if (k == 11) {
                m_archives->show();
            }
            m_areaPanels[2]->show();
        }
        layOutPanels();
    }

    void ActionArea::fillStatusBox(int k)
    {
        QComboBox* box = m_workPanel->statusBox();
        const std::optional<statuses::Vocabulary> words = statuses::vocabularyForArea(k);
        if (!words) {
            return;
        }
        box->clear();
        box->addItems(words->items);
        m_workPanel->statusLabel()->setText(words->label.toString());
    }

    void ActionArea::onStatusPicked(int index)
    {
        QComboBox* box = m_workPanel->statusBox();
        const QString text = box->itemText(index);
        const Result<StatusStore::PickOutcome> picked = m_statusStore.pick(m_state.area, m_state.currentItem, text);
        if (!picked) {
            // Nothing was kept: the box goes back to what is on file, and the user learns why.
            const std::optional<int> record = statuses::recordFor(m_state.area, m_state.currentItem);
            showStatus(record ? m_statusStore.status(*record).valueOr(QString()) : QString());
            m_prompter.critical(QStringLiteral("Status Not Saved"), picked.error());
            return;
        }
        if (picked.value() == StatusStore::PickOutcome::StoredNotImplemented) {
            m_prompter.critical(statuses::NotImplementedTitle.toString(), statuses::NotImplementedText.toString());
        }
        // The pointer routine, not QWidget::showNormal, which the member name would hide it behind and
        // which would take the window out of its maximised state.
        qv::showNormal();
    }

    // ---- Editor --------------------------------------------------------------------------------

    void ActionArea::onTextLocation(int index)
    {
        static constexpr ParagraphAlignment alignments[] = {
            ParagraphAlignment::Left, ParagraphAlignment::Centre, ParagraphAlignment::Right};
        RichTextEditor* editor = m_workPanel->editor();
        editor->setSelAlignment(alignments[index]);
        editor->setFocus();
    }

    void ActionArea::followCaretAlignment()
    {
        const std::optional<ParagraphAlignment> alignment = m_workPanel->editor()->selAlignment();
        const int index = !alignment                                 ? -1
                          : *alignment == ParagraphAlignment::Centre ? 1
                          : *alignment == ParagraphAlignment::Right  ? 2
                                                                     : 0;
        if (index >= 0) {
            m_workPanel->textLocationOption(index)->setChecked(true);
        }
    }

    void ActionArea::setEditingCommandsEnabled(bool enabled)
    {
        for (WorkPanel::Command c : {WorkPanel::PrintOptions,
                                     WorkPanel::Save,
                                     WorkPanel::FontSelect,
                                     WorkPanel::Thesaurus,
                                     WorkPanel::SpellCheck}) {
            enableCommand(m_workPanel->command(c), enabled);
        }
        enableCommand(m_workPanel->textLocationFrame(), enabled);
        for (const char16_t* name : {u"mOPrint", u"mOSave", u"mOFont", u"mOThes", u"mOSpell"}) {
            setMenuEnabled(QString::fromUtf16(name), enabled);
        }
    }

    void ActionArea::setMenuEnabled(const QString& name, bool enabled)
    {
        if (QAction* action = m_actions.value(name)) {
            enableCommand(action, enabled);
        }
    }

    // ---- Commands ------------------------------------------------------------------------------

    void ActionArea::printOptions()
    {
        if (m_printDesk->isOpen()) {
            m_printDesk->print();
            return;
        }
        if (Area* current = area(m_state.area)) {
            current->print(*m_printDesk);
        }
    }

    void ActionArea::copyToClipboard()
    {
        copyRichTextToClipboard(*m_workPanel->editor()->document());
        m_prompter.inform(QStringLiteral("Copy Option"),
                          QStringLiteral("A copy has been copied to the Windows Clipboard."));
    }

    PrintDesk* ActionArea::printDesk() const
    {
        return m_printDesk;
    }

    // ---- Accessors -----------------------------------------------------------------------------

    const StatusStore& ActionArea::statusStore() const
    {
        return m_statusStore;
    }

    TextPanes& ActionArea::textPanes() const
    {
        return *m_textPanes;
    }

    OverviewArea* ActionArea::overviewArea() const
    {
        return m_overview;
    }

    FamilyArea* ActionArea::familyArea(int k) const
    {
        return isFamilyArea(k) ? m_families[static_cast<size_t>(k - 2)] : nullptr;
    }

    WorksheetArea* ActionArea::worksheetArea() const
    {
        return m_worksheets;
    }

    IncidentArea* ActionArea::incidentArea() const
    {
        return m_incidents;
    }

    ArchiveArea* ActionArea::archiveArea() const
    {
        return m_archives;
    }

    TimelineArea* ActionArea::timelineArea() const
    {
        return m_timeline;
    }

    CaptionButton* ActionArea::areaButton(int k) const
    {
        return m_areaButtons.value(k);
    }

    CaptionButton* ActionArea::navigationButton(int k) const
    {
        return m_navigationButtons.value(k);
    }

    QAction* ActionArea::menuAction(const QString& name) const
    {
        return m_actions.value(name);
    }

    QMenu* ActionArea::optionsMenu() const
    {
        return m_optionsMenu;
    }

} // namespace qv
