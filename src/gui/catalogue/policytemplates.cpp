#include "policytemplates.h"

#include "core/catalogue/catalogue.h"
#include "gui/kit/area.h"
#include "gui/kit/workpanel.h"

namespace qv {

    namespace {
        constexpr int ExampleArea = 9;
        // The example shows the Password Management entry, whose template this is.
        constexpr int ExampleTemplate = 28;

        const QString PolicyWhat = QStringLiteral("Policy and Procedure/Plan.");
    } // namespace

    std::optional<TemplateChoice> policyTemplate(int area, int item)
    {
        if (area == ExampleArea) {
            // The example's policy is installed, not the user's: there is nothing of theirs to check.
            return TemplateChoice{templateFileName(ExampleTemplate), QString(), PolicyWhat};
        }
        const std::optional<catalogue::Family> family = catalogue::familyOfArea(area);
        if (!family) {
            return std::nullopt;
        }
        // An overview describes a whole family and has no policy of its own to start.
        const catalogue::Entry* entry = catalogue::entryByButton(*family, item);
        if (!entry || entry->isOverview()) {
            return std::nullopt;
        }
        const std::optional<int> number = catalogue::templateNumber(*family, item);
        const std::optional<int> file = catalogue::fileNumber(*family, item);
        if (!number || !file) {
            return std::nullopt;
        }
        return TemplateChoice{templateFileName(*number),
                              QStringLiteral("Policy") + QString::number(*file) + QStringLiteral(".Fil"),
                              PolicyWhat};
    }

    bool insertPolicyTemplate(AreaHost& host)
    {
        const ActionAreaState& state = host.state();
        // Action Taken and Comments/Notes record what was done; no template starts them.
        if (state.currentPane != PanePolicies) {
            return false;
        }
        const std::optional<TemplateChoice> choice = policyTemplate(state.area, state.currentItem);
        return choice && insertTemplate(host, *choice);
    }

} // namespace qv
