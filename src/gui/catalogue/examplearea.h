#pragma once

#include "gui/kit/area.h"

namespace qv {

    // Area 9, "Safeguard Example": a filled-in sample of the Password Management safeguard that the
    // user may read and change but never save.
    class ExampleArea : public Area
    {
    public:
        explicit ExampleArea(AreaHost& host);

        void enter() override;
        // Saving is refused: the sample stays as installed.
        bool save() override;
        void insertTemplate() override;

    private:
        AreaHost& m_host;
    };

} // namespace qv
