#pragma once

#include "core/storage/programfolder.h"
#include "core/storage/result.h"
#include "documentindex.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace qv::incidents {

    inline constexpr QStringView IndexFile = u"IncidHold.Flc";
    inline constexpr QStringView Extension = u".Flc";
    inline constexpr QStringView TemplateFile = u"Misc56a.Fl1";
    // As many characters as the title box takes.
    inline constexpr int MaxTitleLength = 35;

    // The report file of a title: the trimmed title with the report extension.
    QString fileName(const QString& title);
    // The title an index entry stands for: the file name without its last 4 characters.
    QString titleOf(const QString& fileName);

    // Whether title can name a report file on every system a data folder may be copied to: a title
    // that would reach outside the data folder, be refused by Windows or macOS, or overwrite the
    // index is refused with a message naming what is wrong with it.
    Status checkTitle(const QString& title);

    // The stored reports, in the order they were first saved.
    class ReportIndex : public DocumentIndex
    {
    public:
        explicit ReportIndex(const ProgramFolder& folder)
            : DocumentIndex(folder, IndexFile.toString(), Extension.toString(), QStringLiteral("stored report"))
        {
        }
        // Writes a report under title, which must pass checkTitle.
        Status store(const QString& title, const QByteArray& rtf)
        {
            const Status valid = checkTitle(title);
            return valid ? DocumentIndex::store(title, rtf) : valid;
        }
    };

} // namespace qv::incidents
