#include "progress.h"

#include "core/catalogue/statustable.h"
#include "core/catalogue/statusvocabulary.h"

#include <QStringList>

namespace qv::insight {

    namespace {

        struct Meaning
        {
            const char16_t* text;
            Bucket bucket;
        };

        // Every status text the workbook gives a meaning, from both vocabularies: the safeguards'
        // words and the worksheets' answers. The status box offers no "not applicable", but a record
        // is 18 characters of free text, and a workbook kept by hand or by an older tool may say so.
        // clang-format off
        constexpr Meaning Meanings[] = {
            {u"Completed",       Bucket::Completed},      // safeguard
            {u"Yes",             Bucket::Completed},      // worksheet
            {u"Working",         Bucket::InProgress},     // safeguard
            {u"Review",          Bucket::InProgress},     // safeguard
            {u"Pending",         Bucket::InProgress},     // safeguard
            {u"Partial",         Bucket::InProgress},     // worksheet
            {u"Planned",         Bucket::InProgress},     // worksheet
            {u"Not Implemented", Bucket::NotImplemented}, // safeguard
            {u"No",              Bucket::NotImplemented}, // worksheet
            {u"Not Applicable",  Bucket::NotApplicable},
            {u"N/A",             Bucket::NotApplicable},
        };
        // clang-format on

        struct Look
        {
            const char16_t* name;
            int paletteIndex;
            bool lightText;
        };

        // In bucket order.
        constexpr Look Looks[BucketCount] = {
            {u"Completed", 2, true}, // green
            {u"In Progress", 14, false}, // bright yellow
            {u"Not Implemented", 12, true}, // bright red
            {u"Not Applicable", 8, true}, // grey
            {u"Not yet decided", 7, false}, // light grey
        };

        const Look& lookOf(Bucket bucket)
        {
            return Looks[static_cast<int>(bucket)];
        }

    } // namespace

    QString bucketName(Bucket bucket)
    {
        return QString::fromUtf16(lookOf(bucket).name);
    }

    int bucketPaletteIndex(Bucket bucket)
    {
        return lookOf(bucket).paletteIndex;
    }

    bool bucketTextIsLight(Bucket bucket)
    {
        return lookOf(bucket).lightText;
    }

    Bucket bucketOf(QStringView status)
    {
        const QStringView trimmed = status.trimmed();
        for (const Meaning& meaning : Meanings) {
            if (trimmed.compare(QStringView(meaning.text), Qt::CaseInsensitive) == 0) {
                return meaning.bucket;
            }
        }
        return Bucket::Undecided;
    }

    int Tally::total() const
    {
        int sum = 0;
        for (const int count : counts) {
            sum += count;
        }
        return sum;
    }

    QString countsInWords(const Tally& tally)
    {
        QStringList parts;
        for (int b = 0; b < BucketCount; ++b) {
            const Bucket bucket = static_cast<Bucket>(b);
            parts.append(QStringLiteral("%1 %2").arg(tally[bucket]).arg(bucketName(bucket)));
        }
        return parts.join(QStringLiteral(",  "));
    }

    Progress countProgress(const StatusTable& table, const WorksheetInUse& inUse)
    {
        Progress progress;
        for (const catalogue::FamilyInfo& info : catalogue::families()) {
            progress.families.append({info.family, {}});
        }
        for (const catalogue::Entry& entry : catalogue::entries()) {
            const Bucket bucket = bucketOf(table.entry(entry.safeguard).valueOr(QString()));
            progress.families[static_cast<int>(entry.family)].tally.add(bucket);
            progress.total.add(bucket);
            if (entry.requirement == catalogue::Requirement::Required && bucket != Bucket::Completed) {
                progress.openRequired.append({entry.safeguard, entry.fullName.toString(), bucket});
            }
        }
        for (int n = 0; n < statuses::WorksheetCount; ++n) {
            if (inUse && !inUse(n)) {
                continue;
            }
            ++progress.worksheetsInUse;
            progress.worksheets.add(bucketOf(table.entry(statuses::FirstWorksheetRecord + n).valueOr(QString())));
        }
        return progress;
    }

} // namespace qv::insight
