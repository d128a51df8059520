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
    // text as a file name can hold it on every system a data folder may be copied to and as the
    // archive index can list it: the characters Windows refuses in a file name become "-" (a double
    // quote "'"), control characters blanks, and a letter outside Windows-1252 its plain letter ("Ł"
    // "L", "ź" "z") or "_". Everything else, and so every name that was already safe, stays as it is.
    QString fileNameText(const QString& text);

    // The safeguard whose policy an area shows with that document kind, area and chosen entry
    // button; 0 for every other document (the plan, a worksheet, the sample policy).
    int policySafeguard(int kind, int area, int item);

    // The name an archive of the document takes on date, without its extension: the document name
    // made safe by fileNameText, cut to MaxNameLength, and the date. A safeguard's policy carries
    // "Policy" and the safeguard's number: otherwise the two business associate safeguards, whose
    // names agree in their first 28 characters, or the "Disaster Recovery Plan" policy and the plan
    // itself, would replace each other's archive of the day. A worksheet's title is at most 17
    // characters, shorter than any such policy name, so it never meets one either.
    QString archiveName(const QString& documentName, int kind, const QDate& date, int safeguard = 0);
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
