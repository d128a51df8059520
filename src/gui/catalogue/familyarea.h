#pragma once

#include "core/catalogue/catalogue.h"
#include "gui/kit/area.h"

#include <QGroupBox>
#include <QList>

namespace qv {

    class CaptionButton;
    class StatusStore;

    // Areas 2 to 6: one button per catalogue entry of a safeguard family above the work panel.
    // Choosing an entry describes it in the work panel and shows its status.
    class FamilyArea : public QGroupBox, public Area
    {
        Q_OBJECT

    public:
        FamilyArea(catalogue::Family family, AreaHost& host, const StatusStore& statuses, QWidget* parent = nullptr);

        QWidget* content() override;
        void enter() override;
        void insertTemplate() override;
        void print(ReportPrinter& printer) override;

        // Entry button i pressed, by the user or the program.
        void selectEntry(int i);
        CaptionButton* button(int i) const;
        catalogue::Family family() const;

    private:
        const catalogue::FamilyInfo& m_info;
        AreaHost& m_host;
        const StatusStore& m_statuses;
        QList<CaptionButton*> m_buttons;
    };

} // namespace qv
