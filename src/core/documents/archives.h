#pragma once

#include "core/storage/programfolder.h"
#include "core/storage/result.h"
#include "documentindex.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace qv::archives {

    inline constexpr QStringView IndexFile = u"ArchiveHold.Fla";
    inline constexpr QStringView Extension = u".Fla";
    // As much of a document name as an archive name keeps before its date.
    inline constexpr int MaxNameLength = 28;
    // The document kinds an area reports; the viewer's own kinds lie above 10.
    inline constexpr int KindPolicy = 1;
    inline constexpr int KindWorksheet = 2;
    inline constexpr int KindViewerLoading = 99;
    inline constexpr int KindViewer = 22;

    // The date as archive names carry it, "Dec-07-26": the English month abbreviation whatever the
    // user's locale, so that a data folder reads the same on every machine.
    QString dateTag(const QDate& date);
    // The name an archive of the document takes on date, without its extension. The policy named
    // "Risk Analysis" would otherwise share its archive name with the worksheet of that title.
    QString archiveName(const QString& documentName, int kind, const QDate& date);
    // The entry an index line stands for: the file name without its last 4 characters.
    QString titleOf(const QString& fileName);

    // The archives, in the order they were created.
    class ArchiveIndex : public DocumentIndex
    {
    public:
        explicit ArchiveIndex(const ProgramFolder& folder)
            : DocumentIndex(folder, IndexFile.toString(), Extension.toString(), QStringLiteral("archive"))
        {
        }
    };

} // namespace qv::archives
