#pragma once

#include "core/storage/result.h"

#include <QString>

class QMimeData;
class QTextDocument;

namespace qv {

    class Dialogs;
    class PageDocument;

    enum class PrintOutcome
    {
        Printed,
        Cancelled
    };

    // Prints every page of doc on the printer the user picks in the platform's print dialog. An
    // error names what failed (no printer, a page the printer refused).
    Result<PrintOutcome> printDocument(const PageDocument& doc, Dialogs& dialogs);

    // Writes doc as a PDF file at path through the same painting as the preview and the printer; the
    // file is replaced only when the whole document was written.
    Status writePdf(const PageDocument& doc, const QString& path);

    // The page (0-based) as a picture on the clipboard.
    Status copyPageToClipboard(const PageDocument& doc, int page);

    // doc as RTF, HTML and plain text, so every editor can paste it; the caller owns the result.
    QMimeData* richTextMimeData(const QTextDocument& doc);
    // Places richTextMimeData(doc) on the clipboard.
    void copyRichTextToClipboard(const QTextDocument& doc);

} // namespace qv
