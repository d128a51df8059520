#pragma once

#include "core/insight/searchindex.h"

#include <functional>

class QAbstractButton;
class QAction;

namespace qv {

    class AreaHost;
    class ArchiveArea;
    class FamilyArea;
    class IncidentArea;
    class WorksheetArea;

    // The controls of the Action Area a found document is opened through: the same buttons, options
    // and selectors the user would press, so every question they ask (the save-changes prompt first)
    // is asked here too.
    struct DocumentControls
    {
        AreaHost* host = nullptr;
        std::function<QAbstractButton*(int area)> areaButton;
        std::function<FamilyArea*(int area)> familyArea;
        WorksheetArea* worksheets = nullptr;
        IncidentArea* incidents = nullptr;
        ArchiveArea* archives = nullptr;
        // "View Archived Policies, etc."
        QAction* viewArchives = nullptr;
    };

    // Opens the document of hit in its area and selects the hit in the editor. False when the user
    // stayed where they were (a save that failed) or the document is no longer listed; nothing is
    // selected then.
    bool openHit(const DocumentControls& controls, const insight::Hit& hit);

} // namespace qv
