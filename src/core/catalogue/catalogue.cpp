#include "catalogue.h"

#include <algorithm>
#include <array>

namespace qv::catalogue {

    namespace {

        using enum Family;
        constexpr Requirement R = Requirement::Required;
        constexpr Requirement A = Requirement::Addressable;
        constexpr Requirement N = Requirement::None;

        // clang-format off
        constexpr std::array<FamilyInfo, FamilyCount> Families = {{
            // family, name, section, area, button array, buttons, family / file / template offset
            {Administrative, u"Administrative Safeguards", u"164.308", 2, u"SSCommand14", 23, 1, 0, 14},
            {Physical, u"Physical Safeguards", u"164.310", 3, u"SSCommand17", 10, 24, 23, 37},
            {Technical, u"Technical Safeguards", u"164.312", 4, u"SSCommand16", 9, 34, 33, 47},
            {Organizational, u"Organizational Requirements", u"164.314", 5, u"SSCommand15", 3, 43, 42, 60},
            {Policies, u"Policies and Procedures and Documentation Requirements", u"164.316", 6, u"SSCommand13", 2, 46, 45, 62},
        }};

        constexpr std::array<Entry, EntryCount> Entries = {{
            // s, f, t, family, button, caption, full name (tool tip), R/A, emphasis word
            {1, 0, 14, Administrative, 0, u"Risk Analysis", u"Risk Analysis", R, u"Risk Analysis"},
            {2, 1, 15, Administrative, 1, u"Risk Management", u"Risk Management", R, u"Risk Management"},
            {3, 2, 16, Administrative, 2, u"Sanction Policy", u"Sanction Policy", R, u"Sanction Policy"},
            {4, 3, 17, Administrative, 3, u"Information System...", u"Information System Activity Review", R, u"Information System Activity"},
            {5, 4, 18, Administrative, 4, u"Assigned Security...", u"Assigned Security Responsibility", R, u"Assigned security responsibility"},
            {6, 5, 19, Administrative, 5, u"Authorization...", u"Authorization and/or Supervision", A, u"Authorization and/or Supervision"},
            {7, 6, 20, Administrative, 6, u"Workforce Clearance", u"Workforce Clearance Procedure", A, u"Workforce clearance procedure"},
            {8, 7, 21, Administrative, 7, u"Termination Proc.", u"Termination Procedures", A, u"Termination Procedures"},
            {9, 8, 22, Administrative, 8, u"Isolating C. H.", u"Isolating Health Care Clearing House Function", R, u"Isolating health care clearinghouse functions"},
            {10, 9, 23, Administrative, 9, u"Access Auth..", u"Access Authorization", A, u"Access authorization"},
            {11, 10, 24, Administrative, 10, u"Access Est..", u"Access Establishment and Modification", A, u"Access Establishment"},
            {12, 11, 25, Administrative, 11, u"Security Rem..", u"Security Reminders", A, u"Security Reminders"},
            {13, 12, 26, Administrative, 12, u"Protection fr..", u"Protection from Malicious Software", A, u"Protection from Malicious Software"},
            {14, 13, 27, Administrative, 13, u"Log-in Monitoring", u"Log-in Monitoring", A, u"Log-in Monitoring"},
            {15, 14, 28, Administrative, 14, u"Password Man..", u"Password Management", A, u"Password Management"},
            {16, 15, 29, Administrative, 15, u"Resp. && Report.", u"Response and Reporting", R, u"response and reporting"},
            {17, 16, 30, Administrative, 16, u"Data Backup", u"Data Backup Plan", R, u"Data Backup Plan"},
            {18, 17, 31, Administrative, 17, u"Disaster Recovery", u"Disaster Recovery Plan", R, u"Disaster Recovery Plan"},
            {19, 18, 32, Administrative, 18, u"Emergency Mode", u"Emergency Mode Operation Plan", R, u"Emergency Mode Operation Plan"},
            {20, 19, 33, Administrative, 19, u"Testing && Revision", u"Testing and Revision Procedure", A, u"Testing and revision procedures"},
            {21, 20, 34, Administrative, 20, u"Applications..", u"Applications and Data Criticality Analysis", A, u"Applications and Data Criticality Analysis"},
            {22, 21, 35, Administrative, 21, u"Evaluation", u"Evaluation", R, u"Evaluation"},
            {23, 22, 36, Administrative, 22, u"Business Assoc..", u"Business Associate Contracts And Other Arrangements", R, u"Written contract or other arrangement"},
            {24, 23, 37, Physical, 0, u"Contingency Operation", u"Contingency Operation", A, u"Contingency operations"},
            {25, 24, 38, Physical, 1, u"Facility Security Plan", u"Facility Security Plan", A, u"Facility security plan"},
            {26, 25, 39, Physical, 2, u"Access Control and Validation", u"Access Control and Validation", A, u"Access control and validation procedures"},
            {27, 26, 40, Physical, 3, u"Maintenance Records", u"Maintenance Records", A, u"Maintenance records"},
            {28, 27, 41, Physical, 4, u"Workstation Use", u"Workstation Use", R, u"Workstation use"},
            {29, 28, 42, Physical, 5, u"Workstation Security", u"Workstation Security", R, u"Workstation security"},
            {30, 29, 43, Physical, 6, u"Disposal", u"Disposal", R, u"Disposal"},
            {31, 30, 44, Physical, 7, u"Media Re-use", u"Media Re-use", R, u"Media re-use"},
            {32, 31, 45, Physical, 8, u"Accountability", u"Accountability", A, u"Accountability"},
            {33, 32, 46, Physical, 9, u"Data Backup and Storage", u"Data Backup and Storage", A, u"Data backup and storage"},
            {34, 33, 47, Technical, 0, u"Unique User Identification", u"Unique User Identification", R, u"Unique user identification"},
            {35, 34, 48, Technical, 1, u"Emergency Access Procedure", u"Emergency Access Procedure", R, u"Emergency access procedure"},
            {36, 35, 49, Technical, 2, u"Automatic Logoff", u"Automatic Logoff", A, u"Automatic logoff"},
            {37, 36, 50, Technical, 3, u"Encryption and Decryption", u"Encryption and Decryption", A, u"Encryption and decryption"},
            {38, 37, 51, Technical, 4, u"Audit Controls", u"Audit Controls", R, u"Audit controls"},
            {39, 38, 52, Technical, 5, u"Mechanism to Authenticate Electronic PHI", u"Mechanism to Authenticate Electronic PHI", A, u"Mechanism to authenticate electronic protected health information"},
            {40, 39, 53, Technical, 6, u"Person or entity Authentication", u"Person or entity Authentication", R, u"Person or entity authentication"},
            {41, 40, 54, Technical, 7, u"Integrity Controls", u"Integrity Controls", A, u"Integrity controls"},
            {42, 41, 55, Technical, 8, u"Encryption", u"Encryption", A, u"Encryption"},
            {43, 42, 60, Organizational, 0, u"Organizational Requirements Overview", u"Organizational Requirements Overview", N, u""},
            {44, 43, 61, Organizational, 1, u"Business associate contracts or other arrangements Standard", u"Business associate contracts or other arrangements Standard", R, u"Business associate"},
            {45, 44, 62, Organizational, 2, u"Requirements for group health plans Standard", u"Requirements for group health plans Standard", R, u"Requirements for group health plans"},
            {46, 45, 62, Policies, 0, u"Policies and Procedures and Documentation Requirements Overview", u"Policies and Procedures and Documentation Requirements Overview", N, u""},
            {47, 46, 63, Policies, 1, u"Documentation", u"Documentation", R, u"Documentation"},
        }};

        // The description labels of one standard: its entries first to last share the standard and
        // section, and each has its own specification. The wording is the program's own, slips
        // included, since users know the screens by it.
        struct StandardLabels
        {
            int first;
            int last;
            QStringView standard;
            QStringView section;
            std::array<QStringView, 5> specifications;
        };

        constexpr std::array StandardLabelRows = {
            // first, last, standard, section, specifications in button order
            StandardLabels{1, 4, u"Security Mananagement Process", u"164.308(a)(1)", {u"Risk Analysis (R)", u"Risk Management (R)", u"Sanction Policy (R)", u"Information System Activity Review (R)"}},
            StandardLabels{5, 5, u"Assigned Security Responsibility", u"164.308(a)(2)", {u"Assigned Security Responsibility (R)"}},
            StandardLabels{6, 8, u"Workforce Security", u"164.308(a)(3)", {u"Authorization and/or Supervision (A)", u"Workforce Clearance Procedure (A)", u"Termination Procedures (A)"}},
            StandardLabels{9, 11, u"Information Access Management", u"164.308(a)(4)", {u"Isolating Health care Clearinghouse Function(R)", u"Access Authorization (A)", u"Access Establishment and Modification (A)"}},
            StandardLabels{12, 15, u"Security Awareness and Testing", u"164.308(a)(5)", {u"Security Reminders (A)", u"Protection from Malicious Software (A)", u"Log-in Monitoring (A)", u"Password Management (A)"}},
            StandardLabels{16, 16, u"Security Incident Procedures", u"164.308(a)(6)", {u"Response and Reporting (R)"}},
            StandardLabels{17, 21, u"Contingency Plan", u"164.308(a)(7)", {u"Data Backup Plan (R)", u"Disaster Recovery Plan (R)", u"Emergency Mode Operation (R)", u"Testing and Revision Procedure (A)", u"Applications and Data Criticality Analysis (A)"}},
            StandardLabels{22, 22, u"Evaluation", u"164.308(a)(8)", {u"Evaluation (R)"}},
            StandardLabels{23, 23, u"Business Associate Contacts && Other Arrangements", u"164.308(B)(1)", {u"Written Contract or Other Arrangements (R)"}},
            StandardLabels{24, 27, u"Facility Access Controls", u"164.310(a)(1)", {u"Contingency Operation (A)", u"Facility Security Plan (A)", u"Access Control && Validation Procedures (A)", u"Maintenance Records (A)"}},
            StandardLabels{28, 28, u"Workstation Use", u"164.310(b)", {u"Workstation Use (R)"}},
            StandardLabels{29, 29, u"Workstation Security", u"164.310(c)", {u"Workstation Security (R)"}},
            StandardLabels{30, 33, u"Device and Media Controls", u"164.310(d)(1)", {u"Disposal (R)", u"Media Re-use (R)", u"Accountability (A)", u"Data Backup and Storage (A)"}},
            StandardLabels{34, 37, u"Access Controls", u"164.312(a)(1)", {u"Unique User Identification (R)", u"Emergency Access Procedure (R)", u"Automatic Logoff (A)", u"Encryption and Decryption (A)"}},
            StandardLabels{38, 38, u"Audit Controls", u"164.312(b)", {u"Audit Controls (R)"}},
            StandardLabels{39, 39, u"Ingerity", u"164.312(c)(1)", {u"Mechanism to Authenticate Electronic PHI (A)"}},
            StandardLabels{40, 40, u"Person or Entity Authentication", u"164.312(d)", {u"Person or Entity Authentication (R)"}},
            StandardLabels{41, 42, u"Transmission Security", u"164.312(e)(1)", {u"Integrity Controls (A)", u"Encryption (A)"}},
            StandardLabels{44, 44, u"Business associate contracts or other arrangements", u"164.314(a)(1)", {u"Business associate contracts or other ... (R)"}},
            StandardLabels{45, 45, u"Requirements for Health Group Plans", u"164.314(b)(1)", {u"Requirements for Health Group Plans (R)"}},
            StandardLabels{47, 47, u"Documentation", u"164.316", {u"(R)"}},
        };

        // The overview entries describe a whole family, so their labels carry no prefixes.
        struct OverviewLabels
        {
            int safeguard;
            QStringView standard;
            QStringView section;
            QStringView specification;
        };

        constexpr std::array OverviewLabelRows = {
            OverviewLabels{43, u" Organizational Requirements Overview", u" Section 164.314", u""},
            OverviewLabels{46, u" Policies and Procedures and Documentation Requirements", u" Section 164.316", u""},
        };
        // clang-format on

        constexpr std::u16string_view StandardPrefix = u" Standard: ";
        constexpr std::u16string_view SectionPrefix = u" Section: ";
        constexpr std::u16string_view SpecificationPrefix = u" Specification: ";

        // The numbering is what ties a workbook's files to the catalogue, so a slip in a row must not
        // compile rather than show up as notes filed under the wrong safeguard.
        constexpr bool numberingIsConsistent()
        {
            for (std::size_t k = 0; k < Entries.size(); ++k) {
                const Entry& e = Entries[k];
                const FamilyInfo& f = Families[static_cast<std::size_t>(e.family)];
                if (e.safeguard != static_cast<int>(k) + 1 || e.button < 0 || e.button >= f.buttonCount ||
                    e.safeguard != e.button + f.familyOffset || e.file != e.button + f.fileOffset ||
                    e.file != e.safeguard - 1 || e.templateNumber != e.button + f.templateOffset) {
                    return false;
                }
            }
            int next = 1;
            for (const FamilyInfo& f : Families) {
                if (f.familyOffset != next || f.area != static_cast<int>(f.family) + 2) {
                    return false;
                }
                next += f.buttonCount;
            }
            return next == EntryCount + 1;
        }
        static_assert(numberingIsConsistent());

        // Every specification entry has exactly one label row and every overview entry its own.
        constexpr bool labelsCoverEveryEntry()
        {
            std::array<int, EntryCount + 1> seen{};
            for (const StandardLabels& row : StandardLabelRows) {
                if (row.first > row.last || row.last - row.first + 1 > static_cast<int>(row.specifications.size())) {
                    return false;
                }
                for (int s = row.first; s <= row.last; ++s) {
                    if (Entries[static_cast<std::size_t>(s - 1)].requirement == N ||
                        row.specifications[static_cast<std::size_t>(s - row.first)].isEmpty()) {
                        return false;
                    }
                    ++seen[static_cast<std::size_t>(s)];
                }
            }
            for (const OverviewLabels& row : OverviewLabelRows) {
                if (Entries[static_cast<std::size_t>(row.safeguard - 1)].requirement != N) {
                    return false;
                }
                ++seen[static_cast<std::size_t>(row.safeguard)];
            }
            return std::all_of(seen.begin() + 1, seen.end(), [](int n) { return n == 1; });
        }
        static_assert(labelsCoverEveryEntry());

        QString prefixed(std::u16string_view prefix, QStringView text)
        {
            return QStringView(prefix).toString().append(text);
        }

    } // namespace

    QString Entry::requirementLetter() const
    {
        switch (requirement) {
        case Requirement::Required:
            return QStringLiteral("R");
        case Requirement::Addressable:
            return QStringLiteral("A");
        case Requirement::None:
            break;
        }
        return {};
    }

    std::span<const FamilyInfo> families()
    {
        return Families;
    }

    const FamilyInfo& family(Family family)
    {
        return Families[static_cast<std::size_t>(family)];
    }

    std::optional<Family> familyOfArea(int area)
    {
        for (const FamilyInfo& f : Families) {
            if (f.area == area) {
                return f.family;
            }
        }
        return std::nullopt;
    }

    std::span<const Entry> entries()
    {
        return Entries;
    }

    const Entry* entryBySafeguard(int safeguard)
    {
        if (safeguard < 1 || safeguard > EntryCount) {
            return nullptr;
        }
        return &Entries[static_cast<std::size_t>(safeguard - 1)];
    }

    const Entry* entryByButton(Family familyId, int button)
    {
        const FamilyInfo& f = family(familyId);
        if (button < 0 || button >= f.buttonCount) {
            return nullptr;
        }
        return entryBySafeguard(button + f.familyOffset);
    }

    std::span<const Entry> entriesOf(Family familyId)
    {
        const FamilyInfo& f = family(familyId);
        return std::span<const Entry>(Entries).subspan(static_cast<std::size_t>(f.familyOffset - 1),
                                                       static_cast<std::size_t>(f.buttonCount));
    }

    std::optional<int> safeguardNumber(Family familyId, int button)
    {
        const FamilyInfo& f = family(familyId);
        if (button < 0 || button >= f.buttonCount) {
            return std::nullopt;
        }
        return button + f.familyOffset;
    }

    std::optional<int> fileNumber(Family familyId, int button)
    {
        const FamilyInfo& f = family(familyId);
        if (button < 0 || button >= f.buttonCount) {
            return std::nullopt;
        }
        return button + f.fileOffset;
    }

    std::optional<int> templateNumber(Family familyId, int button)
    {
        const FamilyInfo& f = family(familyId);
        if (button < 0 || button >= f.buttonCount) {
            return std::nullopt;
        }
        return button + f.templateOffset;
    }

    DescriptionLabels descriptionLabels(const Entry& entry)
    {
        for (const OverviewLabels& row : OverviewLabelRows) {
            if (row.safeguard == entry.safeguard) {
                return {row.standard.toString(), row.section.toString(), row.specification.toString()};
            }
        }
        for (const StandardLabels& row : StandardLabelRows) {
            if (entry.safeguard >= row.first && entry.safeguard <= row.last) {
                const QStringView specification =
                    row.specifications[static_cast<std::size_t>(entry.safeguard - row.first)];
                return {prefixed(StandardPrefix, row.standard),
                        prefixed(SectionPrefix, row.section),
                        prefixed(SpecificationPrefix, specification)};
            }
        }
        return {}; // unreachable: every entry has a row, checked when the table compiles
    }

    QString shownText(QStringView caption)
    {
        QString shown;
        shown.reserve(caption.size());
        for (qsizetype i = 0; i < caption.size(); ++i) {
            if (caption[i] == u'&') {
                if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                    shown.append(u'&');
                    ++i;
                }
                continue;
            }
            shown.append(caption[i]);
        }
        return shown;
    }

    DescriptionLabels exampleLabels()
    {
        return {prefixed(StandardPrefix, u"Security Awareness and Training"),
                prefixed(SectionPrefix, u"164.308(a)(5)"),
                prefixed(SpecificationPrefix, u"Password Management (A)")};
    }

} // namespace qv::catalogue
