#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

// The fixed list of Security Rule safeguards the whole workbook is organised around. It is built into
// the program, never read from a file: a workbook's statuses and note files are keyed by the safeguard
// and file numbers below, so the numbering must stay exactly as it is for old workbooks to open.
namespace qv::catalogue {

    enum class Family
    {
        Administrative,
        Physical,
        Technical,
        Organizational,
        Policies
    };

    inline constexpr int FamilyCount = 5;
    inline constexpr int EntryCount = 47;

    enum class Requirement
    {
        None, // the two overview entries describe a whole family, not a specification
        Required,
        Addressable
    };

    struct FamilyInfo
    {
        Family family;
        QStringView name; // also the caption of the family's area button
        QStringView section;
        int area; // the Action Area's area that shows this family
        QStringView buttonArray;
        int buttonCount;
        int familyOffset; // button index + family offset = safeguard number
        int fileOffset;
        int templateOffset;
    };

    struct Entry
    {
        int safeguard; // 1–47, also the entry's record in the status store
        int file; // names the note files and picks the reference texts
        int templateNumber;
        Family family;
        int button;
        QStringView caption; // "&&" shows one "&"
        QStringView fullName;
        Requirement requirement;
        QStringView emphasis; // set bold and underlined where it occurs in the printed notes

        bool isOverview() const
        {
            return requirement == Requirement::None;
        }
        // "R", "A", or empty for an overview.
        QString requirementLetter() const;
    };

    // The texts of the three description labels, each complete as shown (with its leading blank).
    struct DescriptionLabels
    {
        QString standard;
        QString section;
        QString specification;
    };

    std::span<const FamilyInfo> families();
    const FamilyInfo& family(Family family);
    // The family a safeguard area (2–6) shows; none for every other area.
    std::optional<Family> familyOfArea(int area);

    // All entries in safeguard-number order.
    std::span<const Entry> entries();
    // Null outside 1–47.
    const Entry* entryBySafeguard(int safeguard);
    // Null when the family has no such button.
    const Entry* entryByButton(Family family, int button);
    // The entries of one family in button order.
    std::span<const Entry> entriesOf(Family family);

    // Numbers of (family, button), derived from the family's offsets; none for a button the family
    // does not have.
    std::optional<int> safeguardNumber(Family family, int button);
    std::optional<int> fileNumber(Family family, int button);
    std::optional<int> templateNumber(Family family, int button);

    DescriptionLabels descriptionLabels(const Entry& entry);
    // The labels of the fixed sample shown in the "Safeguard Example" area. The sample is entry 15,
    // but its standard reads differently from the entry's own label, as the sample always has.
    DescriptionLabels exampleLabels();
    // A caption or label text as the user sees it: "&&" shows one "&", a single "&" only marks the
    // access key of the next letter. For the places that show a caption as plain text (a label, a
    // tool tip, a printed page).
    QString shownText(QStringView caption);

    // The entry the "Safeguard Example" area shows a sample of.
    inline constexpr int ExampleSafeguard = 15;

} // namespace qv::catalogue
