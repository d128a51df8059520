#pragma once

#include "core/storage/programfolder.h"
#include "core/storage/result.h"

#include <QString>

class QTextDocument;

namespace qv {

    enum class LoadOutcome
    {
        Loaded,
        Missing // no such file: the document is left empty
    };

    // Reads a whole rich-text document file into doc, replacing its content. A missing file is an
    // empty document, and the caller learns that it was missing; a file that exists but cannot be read
    // is a failure and leaves doc as it was. A file that ends inside its groups still loads as far as
    // it goes; cutOff, when given, tells whether it did.
    Result<LoadOutcome> loadRichText(const QString& path, QTextDocument& doc, bool* cutOff = nullptr);
    Result<LoadOutcome> loadRichText(const ProgramFolder& folder,
                                     const QString& name,
                                     ProgramFolder::Place place,
                                     QTextDocument& doc,
                                     bool* cutOff = nullptr);

    // Writes doc as RTF, replacing the file atomically.
    Status saveRichText(const QString& path, const QTextDocument& doc);
    Status saveRichText(const ProgramFolder& folder, const QString& name, const QTextDocument& doc);

} // namespace qv
