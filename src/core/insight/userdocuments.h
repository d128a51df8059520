#pragma once

#include "core/storage/programfolder.h"

#include <QList>
#include <QString>

// Every document the user wrote, as the search over them lists it: the three notes of each
// safeguard, the worksheets, the plan, the incident reports and the archives.
namespace qv::insight {

    enum class DocumentKind
    {
        ActionTaken,
        Comments,
        Policy,
        Worksheet,
        Plan,
        IncidentReport,
        Archive
    };

    struct DocumentRef
    {
        DocumentKind kind = DocumentKind::Plan;
        // The safeguard number (1–47) of a note, the worksheet (0–20) of a worksheet; else -1.
        int number = -1;
        // The file in the data folder, spelled as the program names it.
        QString fileName;
        // The worksheet's button title, the report's or archive's title; else empty.
        QString title;

        bool operator==(const DocumentRef&) const = default;
    };

    // How a result names its document: the safeguard and pane, the worksheet's title, the report's
    // title or the archive's name.
    QString describe(const DocumentRef& document);

    // The documents of the data folder that exist, in the order the results list them: the notes by
    // safeguard, then the worksheets, the plan, the incident reports and the archives in the order
    // their index lists them. Reads only: a missing titles file or index lists nothing, and nothing is
    // created.
    QList<DocumentRef> userDocuments(const ProgramFolder& folder);

} // namespace qv::insight
