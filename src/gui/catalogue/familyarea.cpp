#include "familyarea.h"

#include "core/catalogue/statusstore.h"
#include "gui/catalogue/policytemplates.h"
#include "gui/kit/availability.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/workpanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace qv {

    namespace {
        // Buttons per row, so that the long captions of the small families get room to wrap and the
        // 23 administrative ones fit in three rows above the work panel even on a 768-line screen.
        int columnsFor(catalogue::Family family)
        {
            switch (family) {
            case catalogue::Family::Administrative:
                return 8;
            case catalogue::Family::Physical:
            case catalogue::Family::Technical:
                return 5;
            case catalogue::Family::Organizational:
                return 3;
            case catalogue::Family::Policies:
                return 2;
            }
            return 5;
        }
    } // namespace

    FamilyArea::FamilyArea(catalogue::Family family, AreaHost& host, const StatusStore& statuses, QWidget* parent)
        : QGroupBox(parent)
        , m_info(catalogue::family(family))
        , m_host(host)
        , m_statuses(statuses)
    {
        setControlName(this, QStringLiteral("SSFrame5"), m_info.area - 2);
        // The pressed area button already names the family; the frame gives its rows the room instead.
        setFlat(true);
        auto* grid = new QGridLayout(this);
        grid->setSpacing(4);
        grid->setContentsMargins(4, 4, 4, 4);
        const int columns = columnsFor(family);
        for (const catalogue::Entry& entry : catalogue::entriesOf(family)) {
            auto* button = new CaptionButton(entry.caption.toString(), this);
            setControlName(button, m_info.buttonArray.toString(), entry.button);
            button->setToolTip(entry.fullName.toString());
            QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            policy.setHeightForWidth(true);
            button->setSizePolicy(policy);
            // A little smaller than the screen's other captions: up to 23 of them share the rows above
            // the work panel.
            QFont small = button->font();
            small.setPointSizeF(small.pointSizeF() * 0.9);
            button->setFont(small);
            const int i = entry.button;
            connect(button, &QPushButton::clicked, this, [this, i] { selectEntry(i); });
            grid->addWidget(button, i / columns, i % columns);
            m_buttons.append(button);
        }
        for (int c = 0; c < columns; ++c) {
            grid->setColumnStretch(c, 1);
        }
        // On a tall screen the buttons keep their height and the room is left below them.
        grid->setRowStretch(grid->rowCount(), 1);
    }

    QWidget* FamilyArea::content()
    {
        return this;
    }

    catalogue::Family FamilyArea::family() const
    {
        return m_info.family;
    }

    CaptionButton* FamilyArea::button(int i) const
    {
        return m_buttons.value(i);
    }

    void FamilyArea::enter()
    {
        m_host.clearEditor();
        m_host.state().unsavedChanges = 0;
        selectEntry(0);
    }

    void FamilyArea::print(ReportPrinter& printer)
    {
        printer.openNotesReport();
    }

    void FamilyArea::insertTemplate()
    {
        insertPolicyTemplate(m_host);
    }

    void FamilyArea::selectEntry(int i)
    {
        const catalogue::Entry* entry = catalogue::entryByButton(m_info.family, i);
        if (!entry) {
            return;
        }
        ActionAreaState& state = m_host.state();
        WorkPanel& panel = m_host.workPanel();
        // Asked while the entry whose note is shown is still the chosen one, before anything changes.
        if (state.unsavedChanges == 1 && !m_host.saveChangesPrompt()) {
            return;
        }

        for (CaptionButton* b : m_buttons) {
            b->setSelectedLook(false);
        }
        m_buttons[i]->setSelectedLook(true);

        enableCommand(panel.paneOption(WorkPanel::ImplementationSpecification), !entry->isOverview());
        state.unsavedChanges = 0;

        m_host.clearEditor();
        state.currentItem = i;
        m_host.rerunSelectedPane();

        m_host.showStatus(m_statuses.status(entry->safeguard).valueOr(QString()));
        if (m_info.area < 7) {
            m_host.setCaption(state.captionBase + QStringLiteral(" - ") + entry->fullName.toString());
        }
        const bool policies = panel.checkedPaneOption() == WorkPanel::PoliciesProcedures;
        enableCommand(panel.templateButton(), policies && !entry->isOverview());

        if (!entry->isOverview()) {
            state.documentName = entry->fullName.toString();
        }
        const catalogue::DescriptionLabels labels = catalogue::descriptionLabels(*entry);
        // The labels hold plain text, so the table's "&&" is shown here as the one "&" it stands for.
        panel.standardLabel()->setText(catalogue::shownText(labels.standard));
        panel.sectionLabel()->setText(catalogue::shownText(labels.section));
        panel.specificationLabel()->setText(catalogue::shownText(labels.specification));
        state.unsavedChanges = 0;
    }

} // namespace qv
