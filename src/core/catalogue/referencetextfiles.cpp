// Kept apart from the assembled texts so that those link without the RTF reader.
#include "referencetexts.h"

#include "core/rtf/richtextfile.h"
#include "core/storage/programfolder.h"

#include <QTextDocument>

namespace qv::reftexts {

    void placeReferenceTexts(int file,
                             const ProgramFolder& folder,
                             QTextDocument& spec,
                             QTextDocument& refs,
                             QTextDocument& info)
    {
        const InstalledLoader load = [&folder](const QString& name, QTextDocument& doc) {
            // An installed document that is missing or unreadable prints as nothing, as it shows.
            if (!loadRichText(folder, name, ProgramFolder::Place::Content, doc)) {
                doc.clear();
            }
        };
        placeReferenceTexts(file, load, spec, refs, info);
    }

} // namespace qv::reftexts
