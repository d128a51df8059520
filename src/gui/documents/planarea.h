#pragma once

#include "gui/kit/area.h"
#include "gui/kit/templatecommand.h"

#include <QStringView>

namespace qv {

    // Area 8, "Disaster Recovery Plan": the user's one recovery plan in the editor. Until a plan with
    // text is on file the installed sample plan stands in, with a word on what it is.
    class PlanArea : public Area
    {
    public:
        static constexpr QStringView PlanFile = u"DRPln1.Fil";
        static constexpr QStringView SampleFile = u"Misc60.Fl1";

        explicit PlanArea(AreaHost& host);

        void enter() override;
        // Writes the editor's document as the plan, an empty one too. A failed write keeps the old plan
        // and tells the user so.
        bool save() override;
        void insertTemplate() override;
        void print(ReportPrinter& printer) override;

        // The sample plan is the plan's template; the plan on file is what it would replace.
        static TemplateChoice templateChoice();

    private:
        // Name, kind and the archive command follow whether the editor now shows a plan with text.
        void describeDocument(bool planOnFile);

        AreaHost& m_host;
    };

} // namespace qv
