#include "examplearea.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/statusvocabulary.h"
#include "gui/catalogue/policytemplates.h"
#include "gui/kit/prompter.h"
#include "gui/kit/workpanel.h"

#include <QLabel>

namespace qv {

    ExampleArea::ExampleArea(AreaHost& host)
        : m_host(host)
    {
    }

    void ExampleArea::enter()
    {
        ActionAreaState& state = m_host.state();
        m_host.clearEditor();
        state.unsavedChanges = 0;
        m_host.setPanelCaption(QStringLiteral("Sample entries for the Password Management Safeguard"));

        const catalogue::DescriptionLabels labels = catalogue::exampleLabels();
        WorkPanel& panel = m_host.workPanel();
        panel.standardLabel()->setText(labels.standard);
        panel.sectionLabel()->setText(labels.section);
        panel.specificationLabel()->setText(labels.specification);

        if (!state.sampleNoticeShown) {
            m_host.prompter().inform(QStringLiteral("Sample Safeguard Entry"),
                                     QStringLiteral("This sample was created so you can see\r"
                                                    "how program works and can be used.\r\r"
                                                    "You can make changes etc. but cannot save\r"
                                                    "changes so Sample will remain in program."));
            state.sampleNoticeShown = true;
        }
        m_host.showStatus(statuses::ExampleStatus.toString());
    }

    bool ExampleArea::save()
    {
        m_host.prompter().ask({QStringLiteral("Save Command"),
                               QStringLiteral("Unable to save changes to sample."),
                               PromptIcon::Question,
                               PromptButtons::Ok,
                               std::nullopt});
        return true;
    }

    void ExampleArea::insertTemplate()
    {
        insertPolicyTemplate(m_host);
    }

} // namespace qv
