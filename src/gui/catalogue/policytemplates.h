#pragma once

#include "gui/kit/templatecommand.h"

#include <optional>

namespace qv {

    class AreaHost;

    // The policy template of entry item in a safeguard area (2 to 6), or the example's (area 9); none
    // for an overview, an entry the area does not have, or any other area.
    std::optional<TemplateChoice> policyTemplate(int area, int item);

    // The template button in a safeguard area or the example: the current entry's template into the
    // policy pane. Only the policy pane takes one; returns whether it was loaded.
    bool insertPolicyTemplate(AreaHost& host);

} // namespace qv
