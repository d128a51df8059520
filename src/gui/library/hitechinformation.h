#pragma once

#include "documentviewer.h"

namespace qv {

    // "HITECH Information" ("HITECHform1"): how the HITECH Act changed the Security Rule and its
    // enforcement, and the rulemaking document online.
    class HitechInformation : public DocumentViewer
    {
        Q_OBJECT

    public:
        explicit HitechInformation(const LibraryContext& context, QWidget* parent = nullptr);

        void selectDocument(int index) override;
    };

} // namespace qv
