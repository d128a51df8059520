#include "richtextfile.h"

#include "rtfreader.h"
#include "rtfwriter.h"

#include <QFileInfo>
#include <QTextDocument>

namespace qv {

    Result<LoadOutcome> loadRichText(const QString& path, QTextDocument& doc, bool* cutOff)
    {
        if (cutOff) {
            *cutOff = false;
        }
        if (!QFileInfo::exists(path)) {
            doc.clear();
            return LoadOutcome::Missing;
        }
        // Read everything before touching doc, so a file that cannot be read leaves it as it was.
        const Result<QByteArray> bytes = readFile(path);
        if (!bytes) {
            return bytes.status();
        }
        // Bytes that are not RTF still load, as plain text: that is what the reader promises.
        const rtf::ReadOutcome read = rtf::readDocument(bytes.value(), doc);
        if (cutOff) {
            *cutOff = read.cutOff;
        }
        return LoadOutcome::Loaded;
    }

    Result<LoadOutcome> loadRichText(const ProgramFolder& folder,
                                     const QString& name,
                                     ProgramFolder::Place place,
                                     QTextDocument& doc,
                                     bool* cutOff)
    {
        if (cutOff) {
            *cutOff = false;
        }
        if (!ProgramFolder::isValidName(name)) {
            return Result<LoadOutcome>::failure(QStringLiteral("\"%1\" is not a valid file name.").arg(name));
        }
        return loadRichText(folder.path(name, place), doc, cutOff);
    }

    Status saveRichText(const QString& path, const QTextDocument& doc)
    {
        return writeFileAtomically(path, rtf::write(doc));
    }

    Status saveRichText(const ProgramFolder& folder, const QString& name, const QTextDocument& doc)
    {
        return folder.write(name, rtf::write(doc));
    }

} // namespace qv
