#pragma once

#include "core/catalogue/catalogue.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>

namespace qv {
    class StatusTable;
}

// How far the workbook has come: the statuses of the safeguards and worksheets sorted into a few
// buckets that read the same whichever of the two status vocabularies a record was picked from.
namespace qv::insight {

    enum class Bucket
    {
        Completed,
        InProgress,
        NotImplemented,
        NotApplicable,
        Undecided
    };
    inline constexpr int BucketCount = 5;

    // "Completed", "In Progress", ... as the summary names the bucket.
    QString bucketName(Bucket bucket);
    // The bucket a stored status text falls in. Texts are compared trimmed and ignoring letter case;
    // a blank or a text the program never offers is not yet decided.
    Bucket bucketOf(QStringView status);

    // The colour of each bucket as an entry of the program's 16-colour palette, and whether its
    // count is written in white (on a dark colour) or black.
    int bucketPaletteIndex(Bucket bucket);
    bool bucketTextIsLight(Bucket bucket);

    struct Tally
    {
        std::array<int, BucketCount> counts{};

        int operator[](Bucket bucket) const
        {
            return counts[static_cast<size_t>(bucket)];
        }
        int total() const;
        void add(Bucket bucket)
        {
            ++counts[static_cast<size_t>(bucket)];
        }
    };

    // "3 Completed,  1 In Progress, ..." for every bucket, the empty ones too.
    QString countsInWords(const Tally& tally);

    struct FamilyTally
    {
        catalogue::Family family;
        Tally tally;
    };

    // An entry the rule requires whose status is not yet Completed.
    struct OpenRequirement
    {
        int safeguard;
        QString name;
        Bucket bucket;
    };

    struct Progress
    {
        // The five families in catalogue order; every entry counts, the two family overviews too,
        // since each carries a status the user picks.
        QList<FamilyTally> families;
        Tally total;
        QList<OpenRequirement> openRequired;
        // Only worksheets in use count (those the caller says are filled), as the worksheet area
        // shows a status for no other.
        Tally worksheets;
        int worksheetsInUse = 0;
    };

    // Whether worksheet n (0–20) is in use.
    using WorksheetInUse = std::function<bool(int worksheet)>;

    // Counts over the status table: safeguards 1–47 and worksheets 48–68.
    Progress countProgress(const StatusTable& table, const WorksheetInUse& inUse);

} // namespace qv::insight
