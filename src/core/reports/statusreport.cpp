#include "statusreport.h"

#include "pageengine.h"
#include "printsettings.h"

#include <QLocale>

#include <span>

namespace qv {

    namespace {

        // One row of a family table. A blank cell is an empty string; ruled rows begin a standard and
        // get a ruled line above them in the Standards column.
        struct Row
        {
            const char16_t* standard;
            const char16_t* section;
            const char16_t* specification;
            char16_t requirement;
            bool ruled;
        };

        // clang-format off
        constexpr Row Administrative[] = {
            {u"Security Management Process",      u"164.308(a)(1)", u"Risk Analysis",                                 u'R', true},
            {u"",                                 u"",              u"Risk Management",                               u'R', false},
            {u"",                                 u"",              u"Sanction Policy",                               u'R', false},
            {u"",                                 u"",              u"Information System Activity Review",            u'R', false},
            {u"Assigned Security Responsibility", u"164.308(a)(2)", u"",                                              u'R', true},
            {u"Workforce Security",               u"164.308(a)(3)", u"Authorization and/or Supervision",              u'A', true},
            {u"",                                 u"",              u"Workforce Clearance Procedure",                 u'A', false},
            {u"",                                 u"",              u"Termination Procedures",                        u'A', false},
            {u"Information Access Management",    u"164.308(a)(4)", u"Isolating Health Care Clearinghouse Function",  u'R', true},
            {u"",                                 u"",              u"Access Authorization",                          u'A', false},
            {u"",                                 u"",              u"Access Establishment and Modification",         u'A', false},
            {u"Security Awareness and Training",  u"164.308(a)(5)", u"Security Reminders",                            u'A', true},
            {u"",                                 u"",              u"Protection from Malicious Software",            u'A', false},
            {u"",                                 u"",              u"Log-in Monitoring",                             u'A', false},
            {u"",                                 u"",              u"Password Management",                           u'A', false},
            {u"Security Incident Proceedures",    u"164.308(a)(6)", u"Response and Reporting",                        u'R', true},
            {u"Contingency Plan",                 u"164.308(a)(7)", u"Data Backup Plan",                              u'R', true},
            {u"",                                 u"",              u"Disaster Recovery Plan",                        u'R', false},
            {u"",                                 u"",              u"Emergency Mode Operation Plan",                 u'R', false},
            {u"",                                 u"",              u"Testing and Revision Procedure",                u'A', false},
            {u"",                                 u"",              u"Applications and Data Criticality Analysis",    u'A', false},
            {u"Evaluation",                       u"164.308(a)(8)", u"",                                              u'R', true},
            {u"Business Associate Contracts And", u"164.308(b)(1)", u"Written Contract or Other Arrangements",        u'R', true},
        };

        constexpr Row Physical[] = {
            {u"Facility Access Control",  u"164.310(a)(1)", u"Contingency Operation",       u'A', true},
            {u"",                         u"",              u"Facility Security Plan",      u'A', false},
            {u"",                         u"",              u"Access Control & Validation", u'A', false},
            {u"",                         u"",              u"Maintenance Records",         u'A', false},
            {u"Workstation Use",          u"164.310(b)",    u"",                            u'R', true},
            {u"Workstation Security",     u"164.310(c)",    u"",                            u'R', true},
            {u"Device and Media Control", u"164.310(d)(1)", u"Disposal",                    u'R', true},
            {u"",                         u"",              u"Media Re-use",                u'R', false},
            {u"",                         u"",              u"Accountability",              u'A', false},
            {u"",                         u"",              u"Data Backup and Storage",     u'A', false},
        };

        constexpr Row Technical[] = {
            {u"Access Control",                   u"164.312(a)(1)", u"Unique User Identification",               u'R', true},
            {u"",                                 u"",              u"Emergency Access Procedure",               u'R', false},
            {u"",                                 u"",              u"Automatic Logoff",                         u'A', false},
            {u"",                                 u"",              u"Encryption and Decryption",                u'A', false},
            {u"Audit Controls",                   u"164.312(b)",    u"",                                         u'R', true},
            {u"Integrity",                        u"164.312(c)(1)", u"Mechanism to Authenticate Electronic PHI", u'A', true},
            {u"Person or entity Authentication",  u"164.312(d)",    u"",                                         u'R', true},
            {u"Transmission Security",            u"164.312(e)(1)", u"Integrity Controls",                       u'A', true},
            {u"",                                 u"",              u"Encryption",                               u'A', false},
        };

        constexpr Row Organizational[] = {
            {u"Business associate contracts..",      u"164.314(a)(1)", u"Business associate contracts or other...", u'R', true},
            {u"Requirements - group health plans..", u"164.314(b)(1)", u"Requirements for Group Health Plans",      u'R', true},
        };

        constexpr Row Policies[] = {
            {u"Documentation", u"164.316", u"Documentation", u'R', true},
        };
        // clang-format on

        struct Family
        {
            const char16_t* words;
            const char16_t* section;
            const char16_t* standardsHeading;
            std::span<const Row> rows;
            // Row r (from 1) shows the status of safeguard r + offset.
            int offset;
            // A standard name too long for one line goes on below the last row, in its column only.
            const char16_t* lastStandardContinued;
        };

        const Family AdministrativeFamily{u"ADMINISTRATIVE SAFEGUARDS ",
                                          u"164.308",
                                          u"Standards",
                                          Administrative,
                                          0,
                                          u"Other Arrangements"};
        const Family PhysicalFamily{u"PHYSICAL SAFEGUARDS ", u"164.310", u"Standards", Physical, 23, nullptr};
        const Family TechnicalFamily{u"TECHNICAL SAFEGUARDS ", u"164.312", u"Standards", Technical, 33, nullptr};
        const Family OrganizationalFamily{u"ORGANIZATIONAL REQUIREMENTS ",
                                          u"164.314",
                                          u"Standards",
                                          Organizational,
                                          43,
                                          nullptr};
        const Family PoliciesFamily{u"POLICIES AND PROCEDURES AND DOCUMENTATION REQUIREMENTS ",
                                    u"164.316",
                                    u"Standard",
                                    Policies,
                                    46,
                                    nullptr};

        constexpr double Edge = 100;
        constexpr double RuleGap = 30;
        constexpr double HeadingGap = 100;
        constexpr double TableGap = 60;
        constexpr double LegendGap = 100;
        constexpr double FirstTableDrop = 150;
        // A table already printed in this build leaves bottom past this.
        constexpr double PrintedBefore = 200;
        constexpr double TitleSize = 12;
        constexpr double TableSize = 10;
        constexpr double LegendSize = 8;

        QString cell(const char16_t* text)
        {
            const QString s = QString::fromUtf16(text);
            return s.isEmpty() ? QStringLiteral(" ") : s;
        }

        class StatusReportWriter
        {
        public:
            StatusReportWriter(PageEngine& engine, const StatusLookup& status)
                : m_engine(engine)
                , m_status(status)
                , m_width(engine.pageWidth())
            {
            }

            void administrative()
            {
                placeTable(AdministrativeFamily, true);
            }

            // Physical and Technical carry the title only when they open the report.
            void continued(const Family& family)
            {
                placeTable(family, m_bottom <= PrintedBefore);
            }

            void organizationalWithPolicies()
            {
                const double height = tableHeight(OrganizationalFamily) + tableHeight(PoliciesFamily);
                startTable(height, false);
                familyTable(OrganizationalFamily);
                m_engine.drawLine(Edge, m_engine.currentY(), m_width - Edge, m_engine.currentY());
                m_engine.setCurrentY(m_engine.currentY() + RuleGap);
                familyFromHeading(PoliciesFamily);
            }

            // Returns the y of the legend's line, where the footer stands too.
            double legend()
            {
                m_engine.setFontSize(LegendSize);
                double y = m_bottom + LegendGap;
                if (y + m_engine.lineHeight() > bottomLimit()) {
                    m_engine.newPage();
                    y = pageTop();
                }
                m_engine.setCurrentY(y);
                m_engine.setCurrentX(m_engine.marginLeft());
                m_engine.setFontBold(true);
                m_engine.paragraph(QStringLiteral("      Legend:  R = Required    A = Addressable"));
                m_engine.setFontBold(false);
                return y;
            }

        private:
            void placeTable(const Family& family, bool title)
            {
                startTable(tableHeight(family) + (title ? titleHeight() : 0), title);
                familyTable(family);
            }

            // Keeps every table whole on one page. The columns are printed one after another from the
            // rows' top, so a table the engine broke across pages by itself would put its later
            // columns beside the wrong rows.
            void startTable(double height, bool title)
            {
                double y = m_bottom > PrintedBefore ? m_bottom + TableGap : m_engine.currentY();
                if (y > pageTop() && y + height > bottomLimit()) {
                    m_engine.newPage();
                    y = pageTop();
                }
                m_engine.setCurrentY(y);
                if (title) {
                    m_engine.setFontSize(TitleSize);
                    m_engine.setFontBold(true);
                    printCentred(QStringLiteral("HIPAA Security Standards"), m_width / 2);
                    m_engine.setFontBold(false);
                }
            }

            void familyTable(const Family& family)
            {
                m_tableTop = m_engine.currentY();
                m_engine.drawLine(Edge, m_tableTop, m_width - Edge, m_tableTop);
                m_engine.setCurrentY(m_tableTop + RuleGap);
                familyFromHeading(family);
            }

            void familyFromHeading(const Family& family)
            {
                m_engine.setFontSize(TableSize);
                m_engine.setFontBold(true);
                printCentred(QString::fromUtf16(family.words) + QChar(0x00A7) + QString::fromUtf16(family.section),
                             m_width / 2);
                m_engine.setFontBold(false);

                m_headerTop = m_engine.currentY();
                m_engine.drawLine(Edge, m_headerTop, m_width - Edge, m_headerTop);
                m_engine.setCurrentY(m_headerTop + RuleGap);

                m_engine.setFontBold(true);
                const double headingY = m_engine.currentY();
                printCentredAt(QString::fromUtf16(family.standardsHeading), m_width / 6.8, headingY);
                printCentredAt(QStringLiteral("Section"), m_width / 2.8, headingY);
                printCentredAt(QStringLiteral("Implementation Specification"), m_width / 1.68, headingY);
                printCentredAt(QStringLiteral("Current Status"), m_width / 1.12, headingY);
                m_engine.setFontBold(false);
                m_rowsTop = m_engine.currentY() + HeadingGap;

                standardsColumn(family);
                column(
                    family, [](const Row& row) { return cell(row.section); }, m_width / 2.8, true);
                column(
                    family, [](const Row& row) { return cell(row.specification); }, m_width / 2.2, false);
                column(
                    family, [](const Row& row) { return QString(QChar(row.requirement)); }, m_width / 1.28, false);
                statusColumn(family);
                verticalRules();
            }

            void standardsColumn(const Family& family)
            {
                m_engine.setCurrentY(m_rowsTop);
                m_engine.setFontBold(true);
                for (const Row& row : family.rows) {
                    if (row.ruled)
                        m_engine.drawLine(Edge, m_engine.currentY(), m_width - Edge, m_engine.currentY());
                    m_engine.setCurrentX(m_width / 30);
                    m_engine.paragraph(cell(row.standard));
                }
                if (family.lastStandardContinued) {
                    m_engine.setCurrentX(m_width / 30);
                    m_engine.paragraph(QString::fromUtf16(family.lastStandardContinued));
                }
                m_engine.drawLine(Edge, m_engine.currentY(), m_width - Edge, m_engine.currentY());
                m_bottom = m_engine.currentY();
                m_engine.setFontBold(false);
            }

            template <typename Text> void column(const Family& family, Text text, double x, bool centred)
            {
                m_engine.setCurrentY(m_rowsTop);
                for (const Row& row : family.rows) {
                    const QString s = text(row);
                    m_engine.setCurrentX(centred ? x - m_engine.textWidth(s) / 2 : x);
                    m_engine.paragraph(s);
                }
            }

            void statusColumn(const Family& family)
            {
                m_engine.setCurrentY(m_rowsTop);
                for (qsizetype r = 1; r <= qsizetype(family.rows.size()); ++r) {
                    QString s = m_status ? m_status(int(r) + family.offset).trimmed() : QString();
                    if (s.isEmpty())
                        s = QStringLiteral(" ");
                    m_engine.setCurrentX(m_width / 1.12 - m_engine.textWidth(s) / 2);
                    m_engine.paragraph(s);
                }
            }

            void verticalRules()
            {
                for (const double x : {Edge, m_width - Edge})
                    m_engine.drawLine(x, m_tableTop, x, m_bottom);
                for (const double x : {m_width / 3.45, m_width / 2.35, m_width / 1.3, m_width / 1.245})
                    m_engine.drawLine(x, m_headerTop, x, m_bottom);
            }

            void printCentred(const QString& text, double centre)
            {
                m_engine.setCurrentX(centre - m_engine.textWidth(text) / 2);
                m_engine.paragraph(text);
            }

            void printCentredAt(const QString& text, double centre, double y)
            {
                m_engine.setCurrentY(y);
                printCentred(text, centre);
            }

            // Heights of what a table prints, to decide before printing whether it fits.
            double lineAt(double points, bool bold) const
            {
                const double size = m_engine.fontSize();
                const bool wasBold = m_engine.fontBold();
                m_engine.setFontSize(points);
                m_engine.setFontBold(bold);
                const double line = m_engine.lineHeight();
                m_engine.setFontSize(size);
                m_engine.setFontBold(wasBold);
                return line;
            }

            double titleHeight() const
            {
                return lineAt(TitleSize, true);
            }

            double headedHeight(qsizetype standardLines) const
            {
                const double bold = lineAt(TableSize, true);
                const double plain = lineAt(TableSize, false);
                return RuleGap + bold + RuleGap + bold + HeadingGap + standardLines * std::max(bold, plain);
            }

            double tableHeight(const Family& family) const
            {
                return headedHeight(family.rows.size() + (family.lastStandardContinued ? 1 : 0));
            }

            double pageTop() const
            {
                return m_engine.marginTop() + FirstTableDrop;
            }

            double bottomLimit() const
            {
                return m_engine.pageHeight() - m_engine.marginBottom();
            }

            PageEngine& m_engine;
            const StatusLookup& m_status;
            const double m_width;
            double m_tableTop = 0;
            double m_headerTop = 0;
            double m_rowsTop = 0;
            double m_bottom = 0;
        };

        // The paper stays as it is: the report spreads its columns over whatever sheet is set.
        PrintSettings statusReportSettings(const PageEngine& engine)
        {
            PrintSettings settings;
            settings.paper = engine.paperSize();
            settings.fontName = QStringLiteral("Times New Roman");
            settings.fontSize = TableSize;
            settings.color = Qt::black;
            settings.margins = printpresets::StatusReport;
            settings.orientation = PageOrientation::Portrait;
            return settings;
        }

    } // namespace

    bool StatusReportChoice::box(int index) const
    {
        switch (index) {
        case 0:
            return all;
        case 1:
            return administrative;
        case 2:
            return physical;
        case 3:
            return technical;
        default:
            return false;
        }
    }

    void StatusReportChoice::setBox(int index, bool ticked)
    {
        switch (index) {
        case 0:
            all = ticked;
            break;
        case 1:
            administrative = ticked;
            break;
        case 2:
            physical = ticked;
            break;
        case 3:
            technical = ticked;
            break;
        default:
            break;
        }
    }

    StatusReportChoice StatusReportChoice::afterClick(int index) const
    {
        StatusReportChoice after = *this;
        if (index == 0) {
            after.administrative = after.physical = after.technical = false;
        } else if (box(index)) {
            after.all = false;
        }
        return after;
    }

    QString printedFooter(const QDate& today)
    {
        // Month names in English whatever the system's language: the rest of the report is English.
        return QStringLiteral("Printed:  ") + QLocale(QLocale::English).toString(today, QStringLiteral("MMMM d, yyyy"));
    }

    void composeStatusReport(PageEngine& engine,
                             const StatusReportChoice& choice,
                             const StatusLookup& status,
                             const QColor& printColor,
                             const QDate& today,
                             const LeadingPage& leadingPage)
    {
        beginReport(engine, statusReportSettings(engine));
        engine.setCurrentY(engine.marginTop() + FirstTableDrop);
        engine.setTextColor(printColor);

        double leadingBottom = 0;
        if (leadingPage) {
            leadingBottom = leadingPage(engine);
            engine.setFontName(QStringLiteral("Times New Roman"));
            engine.setFontSize(TableSize);
            engine.setFontBold(false);
            engine.setTextColor(printColor);
            if (choice.any()) {
                engine.newPage();
                engine.setCurrentY(engine.marginTop() + FirstTableDrop);
            }
        }

        StatusReportWriter writer(engine, status);
        const bool all = choice.all;
        if (all || choice.administrative)
            writer.administrative();
        if (all || choice.physical)
            writer.continued(PhysicalFamily);
        if (all || choice.technical)
            writer.continued(TechnicalFamily);
        if (all)
            writer.organizationalWithPolicies();
        if (!choice.any() && !leadingPage) {
            engine.clear();
            return;
        }
        double footerY = 0;
        if (choice.any()) {
            footerY = writer.legend();
        } else {
            engine.setFontSize(LegendSize);
            footerY = leadingBottom + LegendGap;
        }

        if (engine.pageCount() > 0) {
            // The footer shares the legend's 8-point font, without its bold, so the two read as one
            // line.
            const QString footer = printedFooter(today);
            engine.setFontBold(false);
            engine.setCurrentX(engine.pageWidth() - engine.textWidth(footer) - 300);
            engine.setCurrentY(footerY);
            engine.paragraph(footer);
        }
        engine.endDoc();
    }

} // namespace qv
