#include "hitechinformation.h"

#include "gui/kit/busypointer.h"
#include "gui/kit/help.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/weblinks.h"

#include <QPushButton>

namespace qv {

    namespace {

        ViewerFrame::Look hitechLook()
        {
            ViewerFrame::Look look;
            look.ownButton = ViewerFrame::ToHitech;
            look.title = QStringLiteral("HITECH Information");
            look.objectName = QStringLiteral("HITECHform1");
            look.screenTopic = HelpTopic::HitechInformation;
            look.rangeCaption = QStringLiteral("Print Selected Document");
            look.closeCaption = QStringLiteral("&Cancel");
            return look;
        }

        inline constexpr PageMargins ButtonMargins{200, 260, 100, 100};

    } // namespace

    HitechInformation::HitechInformation(const LibraryContext& context, QWidget* parent)
        : DocumentViewer(context, hitechLook(), hitechDocuments(), QStringLiteral("&Print"), parent)
    {
        connect(printButton(), &QPushButton::clicked, this, [this] {
            openPrintOptions(*pane()->document(), ButtonMargins);
        });
    }

    void HitechInformation::selectDocument(int index)
    {
        if (index < 0 || index >= documents().size()) {
            return;
        }
        if (documents().at(index).file.isEmpty()) {
            // The rulemaking document opens beside the screen; the document on view stays.
            BusyPointer busy;
            openAddress(hitechModificationsPdf());
            return;
        }
        markDocument(index);
        loadDocument(documents().at(index).file);
        setDocumentCaption(documents().at(index).caption);
        closePrintOptions();
    }

} // namespace qv
