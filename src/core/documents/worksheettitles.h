#pragma once

#include "core/storage/fixedrecordfile.h"
#include "core/storage/programfolder.h"
#include "core/storage/result.h"

#include <QString>
#include <QStringList>

// The risk-analysis worksheets: their files, and the titles the user gave their buttons.
namespace qv::worksheets {

    inline constexpr int Count = 21;
    // The entry boxes take no more, so a title always fits its 20-byte record with its length.
    inline constexpr int MaxTitleLength = 17;
    inline constexpr int TitleRecordLength = 20;
    inline constexpr QStringView TitlesFile = u"RAList.Fil";
    // The worksheet template, shipped in the content folder.
    inline constexpr QStringView TemplateFile = u"Misc59.Fl1";

    // "Risk Analysis # 1" to "Risk Analysis #21": the number right-aligned in two places.
    QString defaultTitle(int worksheet);
    // "Wksht0.Fil" to "Wksht20.Fil".
    QString fileName(int worksheet);

    // Whether the worksheet's file can be read and holds more than blanks. A missing or unreadable
    // file is an empty worksheet.
    bool isFilled(const ProgramFolder& folder, int worksheet);

    // The titles file: record r holds the title of worksheet r - 1.
    class WorksheetTitles
    {
    public:
        explicit WorksheetTitles(const ProgramFolder& folder);

        // The 21 titles, a stored one where there is one and the default elsewhere. The file is
        // created empty when missing; one that exists but cannot be read is a failure.
        Result<QStringList> load() const;

        // Stores entries[n] as the title of worksheet n, all in one write; an empty entry leaves the
        // stored title as it was. A title longer than MaxTitleLength or not writable in the file's
        // character set (Windows-1252) refuses the whole batch and leaves the file as it was.
        Status store(const QStringList& entries) const;

    private:
        FixedRecordFile file() const;

        ProgramFolder m_folder;
    };

} // namespace qv::worksheets
