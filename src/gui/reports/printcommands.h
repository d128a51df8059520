#pragma once

#include <QString>

namespace qv {

    class Dialogs;
    class PageDocument;
    class Prompter;
    struct PrintSettings;

    // The page set-up dialog primed with settings. On OK the paper, orientation and margins chosen
    // replace those in settings and true is returned; on Cancel nothing changes.
    bool askPageSetup(Dialogs& dialogs, PrintSettings& settings);

    // "Save as PDF": asks where (offering name in the user's documents folder), writes doc there and
    // tells the user how it went. Nothing is asked when doc has no pages.
    void saveAsPdf(const PageDocument& doc, Dialogs& dialogs, Prompter& prompter, const QString& name);

} // namespace qv
