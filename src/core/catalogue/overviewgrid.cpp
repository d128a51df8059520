#include "overviewgrid.h"

#include "statustable.h"

#include <array>

namespace qv::catalogue {

    namespace {

        using enum Family;

        constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignTop;
        constexpr Qt::Alignment Centred = Qt::AlignHCenter | Qt::AlignTop;

        constexpr std::array<OverviewColumn, OverviewColumnCount> Columns = {{
            {u"Standards", 0.30, Left},
            {u"Section", 0.12, Centred},
            {u"Implementation Specifications", 0.34, Left},
            {u"*", 0.04, Centred},
            {u"Current Status", 0.20, Centred},
        }};

        constexpr std::array OverviewFamilies = {Administrative, Physical, Technical};

        // One standard as the overview shows it. Cell texts keep their CR LF line breaks; the grid
        // text of a standard is not always its label text (the labels have their own wording).
        struct StandardRow
        {
            Family family;
            QStringView standard;
            QStringView section;
            QStringView specifications;
            QStringView requirements;
            int firstStatus;
            int lastStatus;
            double height; // 0 = default
        };

        // clang-format off
        constexpr std::array StandardRows = {
            // family, standard, section, specifications, R/A, statuses first–last, row height
            StandardRow{Administrative, u"Security Management Process", u"164.308(a)(1)", u"Risk Analysis\r\nRisk Management\r\nSanction Policy\r\nInformation System Activity Review", u"R\r\nR\r\nR\r\nR", 1, 4, 0.175},
            StandardRow{Administrative, u"Assigned Security Responsiblity", u"164.308(a)(2)", u" ", u"R", 5, 5, 0},
            StandardRow{Administrative, u"Workforce Security", u"164.308(a)(3)", u"Authorization and/or Supervision\r\nWorkforce Clearance Procedure\r\nTermination Procedures", u"A\r\nA\r\nA", 6, 8, 0.14},
            StandardRow{Administrative, u"Information Access Management", u"164.308(a)(4)", u"Isolating Health Care Clearinghouse Function\r\nAccess Authorization\r\nAccess Establishment and Modification", u"R\r\nA\r\nA", 9, 11, 0},
            StandardRow{Administrative, u"Security Awareness and Training", u"164.308(a)(5)", u"Security Reminders\r\nProtection from Malicious Software\r\nLog-in Monitoring\r\nPassword Management", u"A\r\nA\r\nA\r\nA", 12, 15, 0.176},
            StandardRow{Administrative, u"Security Incident Procedures", u"164.308(a)(6)", u"Response and Reporting", u"R", 16, 16, 0},
            StandardRow{Administrative, u"Contingency Plan", u"164.308(a)(7)", u"Data Backup Plan\r\nDisaster Recovery Plan\r\nEmergency Mode Operation Plan\r\nTesting and Revision Procedure\r\nApplications and Data Criticality Analysis", u"R\r\nR\r\nR\r\nA\r\nA", 17, 21, 0.225},
            StandardRow{Administrative, u"Evaluation", u"164.308(a)(8)", u" ", u"R", 22, 22, 0},
            StandardRow{Administrative, u"Business Associate Contracts And\r\nOther Arrangements", u"164.308(b)(1)", u"Written Contract or Other Arrangement", u"R\r\n\r\n", 23, 23, 0.095},
            StandardRow{Physical, u"Facility Access Controls", u"164.310(a)(1)", u"Contingency Operation\r\nFacility Security Plan\r\nAccess Control & Validation Procedures\r\nMaintenance Records", u"A\r\nA\r\nA\r\nA", 24, 27, 0.18},
            StandardRow{Physical, u"Workstation Use", u"164.310(b)", u" ", u"R", 28, 28, 0},
            StandardRow{Physical, u"WorkStation Security", u"164.310(c)", u" ", u"R", 29, 29, 0},
            StandardRow{Physical, u"Device and Media Controls", u"164.310(d)(1)", u"Disposal\r\nMedia Re-use\r\nAccountability\r\nData Backup and Storage", u"R\r\nR\r\nA\r\nA", 30, 33, 0},
            StandardRow{Technical, u"Access Control", u"164.312(a)(1)", u"Unique User Identification\r\nEmergency Access Procedure\r\nAutomatic Logoff\r\nEncryption and Decryption", u"R\r\nR\r\nA\r\nA", 34, 37, 0.18},
            StandardRow{Technical, u"Audit Controls", u"164.312(b)", u" ", u"R", 38, 38, 0},
            StandardRow{Technical, u"Integrity", u"164.312(c)(1)", u"Mechanism to Authenticate Electronic PHI", u"A", 39, 39, 0},
            StandardRow{Technical, u"Person or Entity Authentication", u"164.312(d)", u" ", u"R", 40, 40, 0},
            StandardRow{Technical, u"Transmission Security", u"164.312(e)(1)", u"Integrity Controls\r\nEncryption", u"A\r\nA", 41, 42, 0.095},
        };
        // clang-format on

        // The rows show each of the safeguards 1–42 once and in order: the statuses beside a standard
        // are picked by these numbers, and a gap would hide an entry's status from the overview.
        constexpr bool rowsCoverTheFamilies()
        {
            int next = 1;
            for (const StandardRow& row : StandardRows) {
                if (row.firstStatus != next || row.lastStatus < row.firstStatus) {
                    return false;
                }
                next = row.lastStatus + 1;
            }
            return next == 43;
        }
        static_assert(rowsCoverTheFamilies());

        QString statusLines(const StandardRow& row, const StatusTable& statuses)
        {
            QStringList lines;
            for (int s = row.firstStatus; s <= row.lastStatus; ++s) {
                lines.append(statuses.entry(s).valueOr(QString()));
            }
            return lines.join(CellLineBreak);
        }

    } // namespace

    std::span<const OverviewColumn> overviewColumns()
    {
        return Columns;
    }

    std::span<const Family> overviewFamilies()
    {
        return OverviewFamilies;
    }

    bool hasOverview(Family family)
    {
        return std::find(OverviewFamilies.begin(), OverviewFamilies.end(), family) != OverviewFamilies.end();
    }

    QList<OverviewRow> overviewRows(Family family, const StatusTable& statuses)
    {
        QList<OverviewRow> rows;
        for (const StandardRow& row : StandardRows) {
            if (row.family != family) {
                continue;
            }
            rows.append({{row.standard.toString(),
                          row.section.toString(),
                          row.specifications.toString(),
                          row.requirements.toString(),
                          statusLines(row, statuses)},
                         row.height});
        }
        return rows;
    }

    QList<int> overviewSafeguards(Family family)
    {
        QList<int> numbers;
        for (const StandardRow& row : StandardRows) {
            if (row.family == family) {
                for (int s = row.firstStatus; s <= row.lastStatus; ++s) {
                    numbers.append(s);
                }
            }
        }
        return numbers;
    }

    QString overviewTitle(Family familyId)
    {
        const FamilyInfo& f = family(familyId);
        return f.name.toString().append(QChar(0x00a7)).append(f.section);
    }

} // namespace qv::catalogue
