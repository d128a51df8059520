#include "core/catalogue/catalogue.h"
#include "core/catalogue/overviewgrid.h"
#include "core/catalogue/statustable.h"

#include <QTest>

#include <set>

using namespace qv;
using namespace qv::catalogue;

class TestCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numbering_data();
    void numbering();
    void lookupsRefuseButtonsAFamilyDoesNotHave_data();
    void lookupsRefuseButtonsAFamilyDoesNotHave();
    void safeguardLookupRefusesNumbersOutsideTheCatalogue_data();
    void safeguardLookupRefusesNumbersOutsideTheCatalogue();
    void families_data();
    void families();
    void familyOfArea_data();
    void familyOfArea();
    void templateNumbersWithoutOrWithSharedEntries();
    void entryTexts_data();
    void entryTexts();
    void overviewEntries_data();
    void overviewEntries();
    void descriptionLabels_data();
    void descriptionLabels();
    void everyEntryHasItsThreeLabels();
    void exampleLabelsDifferFromEntry15();
    void shownText_data();
    void shownText();
    void overviewColumns();
    void overviewTitles_data();
    void overviewTitles();
    void overviewRows_data();
    void overviewRows();
    void overviewShowsEmptyAndBlankStatusesAsLines();
    void overviewCoversTheFirstThreeFamiliesOnly();
};

void TestCatalogue::numbering_data()
{
    QTest::addColumn<int>("s");
    QTest::addColumn<int>("f");
    QTest::addColumn<int>("t");
    QTest::addColumn<Family>("family");
    QTest::addColumn<int>("button");

    // s, f, t and (family, button) for every entry, typed from the catalogue's published numbering.
    struct Row
    {
        int s, f, t;
        Family family;
        int button;
    };
    const Row rows[] = {
        {1, 0, 14, Family::Administrative, 0},    {2, 1, 15, Family::Administrative, 1},
        {3, 2, 16, Family::Administrative, 2},    {4, 3, 17, Family::Administrative, 3},
        {5, 4, 18, Family::Administrative, 4},    {6, 5, 19, Family::Administrative, 5},
        {7, 6, 20, Family::Administrative, 6},    {8, 7, 21, Family::Administrative, 7},
        {9, 8, 22, Family::Administrative, 8},    {10, 9, 23, Family::Administrative, 9},
        {11, 10, 24, Family::Administrative, 10}, {12, 11, 25, Family::Administrative, 11},
        {13, 12, 26, Family::Administrative, 12}, {14, 13, 27, Family::Administrative, 13},
        {15, 14, 28, Family::Administrative, 14}, {16, 15, 29, Family::Administrative, 15},
        {17, 16, 30, Family::Administrative, 16}, {18, 17, 31, Family::Administrative, 17},
        {19, 18, 32, Family::Administrative, 18}, {20, 19, 33, Family::Administrative, 19},
        {21, 20, 34, Family::Administrative, 20}, {22, 21, 35, Family::Administrative, 21},
        {23, 22, 36, Family::Administrative, 22}, {24, 23, 37, Family::Physical, 0},
        {25, 24, 38, Family::Physical, 1},        {26, 25, 39, Family::Physical, 2},
        {27, 26, 40, Family::Physical, 3},        {28, 27, 41, Family::Physical, 4},
        {29, 28, 42, Family::Physical, 5},        {30, 29, 43, Family::Physical, 6},
        {31, 30, 44, Family::Physical, 7},        {32, 31, 45, Family::Physical, 8},
        {33, 32, 46, Family::Physical, 9},        {34, 33, 47, Family::Technical, 0},
        {35, 34, 48, Family::Technical, 1},       {36, 35, 49, Family::Technical, 2},
        {37, 36, 50, Family::Technical, 3},       {38, 37, 51, Family::Technical, 4},
        {39, 38, 52, Family::Technical, 5},       {40, 39, 53, Family::Technical, 6},
        {41, 40, 54, Family::Technical, 7},       {42, 41, 55, Family::Technical, 8},
        {43, 42, 60, Family::Organizational, 0},  {44, 43, 61, Family::Organizational, 1},
        {45, 44, 62, Family::Organizational, 2},  {46, 45, 62, Family::Policies, 0},
        {47, 46, 63, Family::Policies, 1},
    };
    for (const Row& r : rows) {
        QTest::addRow("safeguard %d", r.s) << r.s << r.f << r.t << r.family << r.button;
    }
}

void TestCatalogue::numbering()
{
    QFETCH(int, s);
    QFETCH(int, f);
    QFETCH(int, t);
    QFETCH(Family, family);
    QFETCH(int, button);

    const Entry* bySafeguard = entryBySafeguard(s);
    QVERIFY(bySafeguard);
    QCOMPARE(bySafeguard->safeguard, s);
    QCOMPARE(bySafeguard->file, f);
    QCOMPARE(bySafeguard->templateNumber, t);
    QCOMPARE(bySafeguard->family, family);
    QCOMPARE(bySafeguard->button, button);

    QCOMPARE(entryByButton(family, button), bySafeguard);
    QCOMPARE(safeguardNumber(family, button), std::optional<int>(s));
    QCOMPARE(fileNumber(family, button), std::optional<int>(f));
    QCOMPARE(templateNumber(family, button), std::optional<int>(t));

    const std::span<const Entry> ofFamily = entriesOf(family);
    QVERIFY(std::size_t(button) < ofFamily.size());
    QCOMPARE(&ofFamily[std::size_t(button)], bySafeguard);
}

void TestCatalogue::lookupsRefuseButtonsAFamilyDoesNotHave_data()
{
    QTest::addColumn<Family>("family");
    QTest::addColumn<int>("button");

    QTest::newRow("administrative -1") << Family::Administrative << -1;
    QTest::newRow("administrative 23") << Family::Administrative << 23;
    QTest::newRow("physical 10") << Family::Physical << 10;
    QTest::newRow("technical 9") << Family::Technical << 9;
    QTest::newRow("organizational 3") << Family::Organizational << 3;
    QTest::newRow("policies 2") << Family::Policies << 2;
}

void TestCatalogue::lookupsRefuseButtonsAFamilyDoesNotHave()
{
    QFETCH(Family, family);
    QFETCH(int, button);

    QCOMPARE(entryByButton(family, button), nullptr);
    QCOMPARE(safeguardNumber(family, button), std::nullopt);
    QCOMPARE(fileNumber(family, button), std::nullopt);
    QCOMPARE(templateNumber(family, button), std::nullopt);
}

void TestCatalogue::safeguardLookupRefusesNumbersOutsideTheCatalogue_data()
{
    QTest::addColumn<int>("number");
    // 0 is the status table's unused entry, 48–68 the worksheets' records.
    for (int n : {-1, 0, 48, 68, 70}) {
        QTest::addRow("%d", n) << n;
    }
}

void TestCatalogue::safeguardLookupRefusesNumbersOutsideTheCatalogue()
{
    QFETCH(int, number);
    QCOMPARE(entryBySafeguard(number), nullptr);
}

void TestCatalogue::families_data()
{
    QTest::addColumn<Family>("family");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("section");
    QTest::addColumn<int>("area");
    QTest::addColumn<QString>("buttonArray");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("firstSafeguard");

    QTest::newRow("administrative") << Family::Administrative << "Administrative Safeguards"
                                    << "164.308" << 2 << "SSCommand14" << 23 << 1;
    QTest::newRow("physical") << Family::Physical << "Physical Safeguards"
                              << "164.310" << 3 << "SSCommand17" << 10 << 24;
    QTest::newRow("technical") << Family::Technical << "Technical Safeguards"
                               << "164.312" << 4 << "SSCommand16" << 9 << 34;
    QTest::newRow("organizational") << Family::Organizational << "Organizational Requirements"
                                    << "164.314" << 5 << "SSCommand15" << 3 << 43;
    QTest::newRow("policies") << Family::Policies << "Policies and Procedures and Documentation Requirements"
                              << "164.316" << 6 << "SSCommand13" << 2 << 46;
}

void TestCatalogue::families()
{
    QFETCH(Family, family);
    QFETCH(QString, name);
    QFETCH(QString, section);
    QFETCH(int, area);
    QFETCH(QString, buttonArray);
    QFETCH(int, buttons);
    QFETCH(int, firstSafeguard);

    const FamilyInfo& info = catalogue::family(family);
    QCOMPARE(info.family, family);
    QCOMPARE(info.name, name);
    QCOMPARE(info.section, section);
    QCOMPARE(info.area, area);
    QCOMPARE(info.buttonArray, buttonArray);
    QCOMPARE(info.buttonCount, buttons);
    QCOMPARE(int(entriesOf(family).size()), buttons);
    QCOMPARE(entriesOf(family).front().safeguard, firstSafeguard);
    QCOMPARE(entriesOf(family).back().safeguard, firstSafeguard + buttons - 1);
}

void TestCatalogue::familyOfArea_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<std::optional<Family>>("family");

    QTest::newRow("overview") << 0 << std::optional<Family>();
    QTest::newRow("timeline") << 1 << std::optional<Family>();
    QTest::newRow("administrative") << 2 << std::optional(Family::Administrative);
    QTest::newRow("physical") << 3 << std::optional(Family::Physical);
    QTest::newRow("technical") << 4 << std::optional(Family::Technical);
    QTest::newRow("organizational") << 5 << std::optional(Family::Organizational);
    QTest::newRow("policies") << 6 << std::optional(Family::Policies);
    QTest::newRow("worksheets") << 7 << std::optional<Family>();
    QTest::newRow("example") << 9 << std::optional<Family>();
}

void TestCatalogue::familyOfArea()
{
    QFETCH(int, area);
    QFETCH(std::optional<Family>, family);
    QCOMPARE(catalogue::familyOfArea(area), family);
}

void TestCatalogue::templateNumbersWithoutOrWithSharedEntries()
{
    std::multiset<int> used;
    for (const Entry& e : entries()) {
        used.insert(e.templateNumber);
    }
    for (int t = 56; t <= 59; ++t) {
        QVERIFY2(used.count(t) == 0, qPrintable(QStringLiteral("template %1 belongs to an entry").arg(t)));
    }
    QCOMPARE(used.count(62), 2u);
    QCOMPARE(entryBySafeguard(45)->templateNumber, 62);
    QCOMPARE(entryBySafeguard(46)->templateNumber, 62);
    // Only entry 45 can use template 62: the overview entry 46 has its template command disabled.
    QVERIFY(!entryBySafeguard(45)->isOverview());
    QVERIFY(entryBySafeguard(46)->isOverview());
    QCOMPARE(entryBySafeguard(43)->templateNumber, 60);
}

void TestCatalogue::entryTexts_data()
{
    QTest::addColumn<int>("s");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<QString>("requirement");
    QTest::addColumn<QString>("emphasis");

    QTest::newRow("1") << 1 << "Risk Analysis"
                       << "Risk Analysis"
                       << "R"
                       << "Risk Analysis";
    QTest::newRow("4 trailing dots") << 4 << "Information System..."
                                     << "Information System Activity Review"
                                     << "R"
                                     << "Information System Activity";
    QTest::newRow("5 lower-case emphasis") << 5 << "Assigned Security..."
                                           << "Assigned Security Responsibility"
                                           << "R"
                                           << "Assigned security responsibility";
    QTest::newRow("9 clearing house") << 9 << "Isolating C. H."
                                      << "Isolating Health Care Clearing House Function"
                                      << "R"
                                      << "Isolating health care clearinghouse functions";
    QTest::newRow("11") << 11 << "Access Est.."
                        << "Access Establishment and Modification"
                        << "A"
                        << "Access Establishment";
    QTest::newRow("15") << 15 << "Password Man.."
                        << "Password Management"
                        << "A"
                        << "Password Management";
    QTest::newRow("16 ampersand") << 16 << "Resp. && Report."
                                  << "Response and Reporting"
                                  << "R"
                                  << "response and reporting";
    QTest::newRow("20 ampersand") << 20 << "Testing && Revision"
                                  << "Testing and Revision Procedure"
                                  << "A"
                                  << "Testing and revision procedures";
    QTest::newRow("23") << 23 << "Business Assoc.."
                        << "Business Associate Contracts And Other Arrangements"
                        << "R"
                        << "Written contract or other arrangement";
    QTest::newRow("24") << 24 << "Contingency Operation"
                        << "Contingency Operation"
                        << "A"
                        << "Contingency operations";
    QTest::newRow("26") << 26 << "Access Control and Validation"
                        << "Access Control and Validation"
                        << "A"
                        << "Access control and validation procedures";
    QTest::newRow("31") << 31 << "Media Re-use"
                        << "Media Re-use"
                        << "R"
                        << "Media re-use";
    QTest::newRow("39") << 39 << "Mechanism to Authenticate Electronic PHI"
                        << "Mechanism to Authenticate Electronic PHI"
                        << "A"
                        << "Mechanism to authenticate electronic protected health information";
    QTest::newRow("40 lower-case entity") << 40 << "Person or entity Authentication"
                                          << "Person or entity Authentication"
                                          << "R"
                                          << "Person or entity authentication";
    QTest::newRow("42") << 42 << "Encryption"
                        << "Encryption"
                        << "A"
                        << "Encryption";
    QTest::newRow("44") << 44 << "Business associate contracts or other arrangements Standard"
                        << "Business associate contracts or other arrangements Standard"
                        << "R"
                        << "Business associate";
    QTest::newRow("45") << 45 << "Requirements for group health plans Standard"
                        << "Requirements for group health plans Standard"
                        << "R"
                        << "Requirements for group health plans";
    QTest::newRow("47") << 47 << "Documentation"
                        << "Documentation"
                        << "R"
                        << "Documentation";
}

void TestCatalogue::entryTexts()
{
    QFETCH(int, s);
    QFETCH(QString, caption);
    QFETCH(QString, fullName);
    QFETCH(QString, requirement);
    QFETCH(QString, emphasis);

    const Entry* e = entryBySafeguard(s);
    QVERIFY(e);
    QCOMPARE(e->caption, caption);
    QCOMPARE(e->fullName, fullName);
    QCOMPARE(e->requirementLetter(), requirement);
    QCOMPARE(e->emphasis, emphasis);
    QVERIFY(!e->isOverview());
}

void TestCatalogue::overviewEntries_data()
{
    QTest::addColumn<int>("s");
    QTest::addColumn<QString>("name");

    QTest::newRow("43") << 43 << "Organizational Requirements Overview";
    QTest::newRow("46") << 46 << "Policies and Procedures and Documentation Requirements Overview";
}

void TestCatalogue::overviewEntries()
{
    QFETCH(int, s);
    QFETCH(QString, name);

    const Entry* e = entryBySafeguard(s);
    QVERIFY(e);
    QVERIFY(e->isOverview());
    QCOMPARE(e->button, 0);
    QCOMPARE(e->caption, name);
    QCOMPARE(e->fullName, name);
    QCOMPARE(e->requirementLetter(), QString());
    QVERIFY(e->emphasis.isEmpty());
}

void TestCatalogue::descriptionLabels_data()
{
    QTest::addColumn<int>("s");
    QTest::addColumn<QString>("standard");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("specification");

    QTest::newRow("1 misspelt standard") << 1 << " Standard: Security Mananagement Process"
                                         << " Section: 164.308(a)(1)"
                                         << " Specification: Risk Analysis (R)";
    QTest::newRow("4") << 4 << " Standard: Security Mananagement Process"
                       << " Section: 164.308(a)(1)"
                       << " Specification: Information System Activity Review (R)";
    QTest::newRow("9 no blank before (R)") << 9 << " Standard: Information Access Management"
                                           << " Section: 164.308(a)(4)"
                                           << " Specification: Isolating Health care Clearinghouse Function(R)";
    QTest::newRow("12") << 12 << " Standard: Security Awareness and Testing"
                        << " Section: 164.308(a)(5)"
                        << " Specification: Security Reminders (A)";
    QTest::newRow("15") << 15 << " Standard: Security Awareness and Testing"
                        << " Section: 164.308(a)(5)"
                        << " Specification: Password Management (A)";
    QTest::newRow("19 without Plan") << 19 << " Standard: Contingency Plan"
                                     << " Section: 164.308(a)(7)"
                                     << " Specification: Emergency Mode Operation (R)";
    QTest::newRow("21 last of five") << 21 << " Standard: Contingency Plan"
                                     << " Section: 164.308(a)(7)"
                                     << " Specification: Applications and Data Criticality Analysis (A)";
    QTest::newRow("23 Contacts, capital B") << 23 << " Standard: Business Associate Contacts && Other Arrangements"
                                            << " Section: 164.308(B)(1)"
                                            << " Specification: Written Contract or Other Arrangements (R)";
    QTest::newRow("26 ampersand") << 26 << " Standard: Facility Access Controls"
                                  << " Section: 164.310(a)(1)"
                                  << " Specification: Access Control && Validation Procedures (A)";
    QTest::newRow("29") << 29 << " Standard: Workstation Security"
                        << " Section: 164.310(c)"
                        << " Specification: Workstation Security (R)";
    QTest::newRow("33") << 33 << " Standard: Device and Media Controls"
                        << " Section: 164.310(d)(1)"
                        << " Specification: Data Backup and Storage (A)";
    QTest::newRow("37") << 37 << " Standard: Access Controls"
                        << " Section: 164.312(a)(1)"
                        << " Specification: Encryption and Decryption (A)";
    QTest::newRow("39 Ingerity") << 39 << " Standard: Ingerity"
                                 << " Section: 164.312(c)(1)"
                                 << " Specification: Mechanism to Authenticate Electronic PHI (A)";
    QTest::newRow("40") << 40 << " Standard: Person or Entity Authentication"
                        << " Section: 164.312(d)"
                        << " Specification: Person or Entity Authentication (R)";
    QTest::newRow("42") << 42 << " Standard: Transmission Security"
                        << " Section: 164.312(e)(1)"
                        << " Specification: Encryption (A)";
    QTest::newRow("43 overview") << 43 << " Organizational Requirements Overview"
                                 << " Section 164.314"
                                 << "";
    QTest::newRow("44 ellipsis") << 44 << " Standard: Business associate contracts or other arrangements"
                                 << " Section: 164.314(a)(1)"
                                 << " Specification: Business associate contracts or other ... (R)";
    QTest::newRow("45") << 45 << " Standard: Requirements for Health Group Plans"
                        << " Section: 164.314(b)(1)"
                        << " Specification: Requirements for Health Group Plans (R)";
    QTest::newRow("46 overview") << 46 << " Policies and Procedures and Documentation Requirements"
                                 << " Section 164.316"
                                 << "";
    QTest::newRow("47 letter only") << 47 << " Standard: Documentation"
                                    << " Section: 164.316"
                                    << " Specification: (R)";
}

void TestCatalogue::descriptionLabels()
{
    QFETCH(int, s);
    QFETCH(QString, standard);
    QFETCH(QString, section);
    QFETCH(QString, specification);

    const DescriptionLabels labels = catalogue::descriptionLabels(*entryBySafeguard(s));
    QCOMPARE(labels.standard, standard);
    QCOMPARE(labels.section, section);
    QCOMPARE(labels.specification, specification);
}

void TestCatalogue::everyEntryHasItsThreeLabels()
{
    for (const Entry& e : entries()) {
        const DescriptionLabels labels = catalogue::descriptionLabels(e);
        const QString which = QStringLiteral("safeguard %1").arg(e.safeguard);
        if (e.isOverview()) {
            QVERIFY2(labels.section.startsWith(QStringLiteral(" Section 164.31")), qPrintable(which));
            QVERIFY2(labels.specification.isEmpty(), qPrintable(which));
            continue;
        }
        QVERIFY2(labels.standard.size() > 11 && labels.standard.startsWith(QStringLiteral(" Standard: ")),
                 qPrintable(which));
        QVERIFY2(labels.section.startsWith(QStringLiteral(" Section: 164.3")), qPrintable(which));
        // The specification label ends in the entry's own requirement letter.
        QVERIFY2(labels.specification.startsWith(QStringLiteral(" Specification: ")), qPrintable(which));
        QVERIFY2(labels.specification.endsWith(QLatin1Char('(') + e.requirementLetter() + QLatin1Char(')')),
                 qPrintable(which));
    }
}

void TestCatalogue::exampleLabelsDifferFromEntry15()
{
    const DescriptionLabels sample = exampleLabels();
    QCOMPARE(sample.standard, QStringLiteral(" Standard: Security Awareness and Training"));
    QCOMPARE(sample.section, QStringLiteral(" Section: 164.308(a)(5)"));
    QCOMPARE(sample.specification, QStringLiteral(" Specification: Password Management (A)"));
    QCOMPARE(ExampleSafeguard, 15);
    QVERIFY(catalogue::descriptionLabels(*entryBySafeguard(15)).standard != sample.standard);
}

void TestCatalogue::shownText_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");

    QTest::newRow("double ampersand") << QStringLiteral("Resp. && Report.") << QStringLiteral("Resp. & Report.");
    QTest::newRow("access key") << QStringLiteral("E&xit") << QStringLiteral("Exit");
    QTest::newRow("both") << QStringLiteral("&Save && Print") << QStringLiteral("Save & Print");
    QTest::newRow("three in a row") << QStringLiteral("a&&&b") << QStringLiteral("a&b");
    QTest::newRow("trailing") << QStringLiteral("Plan&") << QStringLiteral("Plan");
    QTest::newRow("plain") << QStringLiteral("Risk Analysis") << QStringLiteral("Risk Analysis");
}

void TestCatalogue::shownText()
{
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QCOMPARE(catalogue::shownText(caption), shown);
}

void TestCatalogue::overviewColumns()
{
    const std::span<const OverviewColumn> columns = catalogue::overviewColumns();
    QCOMPARE(int(columns.size()), 5);
    const QStringList headers = {QStringLiteral("Standards"),
                                 QStringLiteral("Section"),
                                 QStringLiteral("Implementation Specifications"),
                                 QStringLiteral("*"),
                                 QStringLiteral("Current Status")};
    const double widths[] = {0.30, 0.12, 0.34, 0.04, 0.20};
    const Qt::Alignment horizontal[] = {
        Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter};
    for (std::size_t c = 0; c < columns.size(); ++c) {
        QCOMPARE(columns[c].header, headers[qsizetype(c)]);
        QCOMPARE(columns[c].widthFraction, widths[c]);
        QCOMPARE(columns[c].alignment, horizontal[c] | Qt::AlignTop);
    }
}

void TestCatalogue::overviewTitles_data()
{
    QTest::addColumn<Family>("family");
    QTest::addColumn<QString>("title");

    QTest::newRow("administrative") << Family::Administrative << QStringLiteral("Administrative Safeguards§164.308");
    QTest::newRow("physical") << Family::Physical << QStringLiteral("Physical Safeguards§164.310");
    QTest::newRow("technical") << Family::Technical << QStringLiteral("Technical Safeguards§164.312");
}

void TestCatalogue::overviewTitles()
{
    QFETCH(Family, family);
    QFETCH(QString, title);
    QCOMPARE(overviewTitle(family), title);
}

namespace {

    // The statuses of safeguards first to last, as the status cell should list them.
    QString statusCell(int first, int last)
    {
        QStringList lines;
        for (int s = first; s <= last; ++s) {
            lines << QStringLiteral("Status %1").arg(s);
        }
        return lines.join(QStringLiteral("\r\n"));
    }

    QString lines(const QStringList& parts)
    {
        return parts.join(QStringLiteral("\r\n"));
    }

    StatusTable numberedStatuses()
    {
        StatusTable table;
        for (int n = StatusTable::FirstIndex; n <= StatusTable::LastIndex; ++n) {
            (void)table.setEntry(n, QStringLiteral("Status %1").arg(n));
        }
        return table;
    }

} // namespace

void TestCatalogue::overviewRows_data()
{
    QTest::addColumn<Family>("family");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<double>("height");

    using Texts = std::initializer_list<const char*>;
    const auto add = [](const char* name,
                        Family family,
                        int row,
                        const char* standard,
                        const char* section,
                        Texts specifications,
                        Texts letters,
                        int first,
                        int last,
                        double height) {
        const auto join = [](Texts parts) {
            QStringList list;
            for (const char* part : parts) {
                list << QString::fromUtf8(part);
            }
            return lines(list);
        };
        QTest::newRow(name) << family << row
                            << QStringList{QString::fromUtf8(standard),
                                           QString::fromUtf8(section),
                                           join(specifications),
                                           join(letters),
                                           statusCell(first, last)}
                            << height;
    };
    using F = Family;
    using L = Texts;
    const char* blank = " ";

    add("administrative 1",
        F::Administrative,
        1,
        "Security Management Process",
        "164.308(a)(1)",
        L{"Risk Analysis", "Risk Management", "Sanction Policy", "Information System Activity Review"},
        L{"R", "R", "R", "R"},
        1,
        4,
        0.175);
    add("administrative 2",
        F::Administrative,
        2,
        "Assigned Security Responsiblity",
        "164.308(a)(2)",
        L{blank},
        L{"R"},
        5,
        5,
        0);
    add("administrative 3",
        F::Administrative,
        3,
        "Workforce Security",
        "164.308(a)(3)",
        L{"Authorization and/or Supervision", "Workforce Clearance Procedure", "Termination Procedures"},
        L{"A", "A", "A"},
        6,
        8,
        0.14);
    add("administrative 4",
        F::Administrative,
        4,
        "Information Access Management",
        "164.308(a)(4)",
        L{"Isolating Health Care Clearinghouse Function",
          "Access Authorization",
          "Access Establishment and Modification"},
        L{"R", "A", "A"},
        9,
        11,
        0);
    add("administrative 5",
        F::Administrative,
        5,
        "Security Awareness and Training",
        "164.308(a)(5)",
        L{"Security Reminders", "Protection from Malicious Software", "Log-in Monitoring", "Password Management"},
        L{"A", "A", "A", "A"},
        12,
        15,
        0.176);
    add("administrative 6",
        F::Administrative,
        6,
        "Security Incident Procedures",
        "164.308(a)(6)",
        L{"Response and Reporting"},
        L{"R"},
        16,
        16,
        0);
    add("administrative 7",
        F::Administrative,
        7,
        "Contingency Plan",
        "164.308(a)(7)",
        L{"Data Backup Plan",
          "Disaster Recovery Plan",
          "Emergency Mode Operation Plan",
          "Testing and Revision Procedure",
          "Applications and Data Criticality Analysis"},
        L{"R", "R", "R", "A", "A"},
        17,
        21,
        0.225);
    add("administrative 8", F::Administrative, 8, "Evaluation", "164.308(a)(8)", L{blank}, L{"R"}, 22, 22, 0);
    add("administrative 9",
        F::Administrative,
        9,
        "Business Associate Contracts And\r\nOther Arrangements",
        "164.308(b)(1)",
        L{"Written Contract or Other Arrangement"},
        L{"R", "", ""},
        23,
        23,
        0.095);

    add("physical 1",
        F::Physical,
        1,
        "Facility Access Controls",
        "164.310(a)(1)",
        L{"Contingency Operation",
          "Facility Security Plan",
          "Access Control & Validation Procedures",
          "Maintenance Records"},
        L{"A", "A", "A", "A"},
        24,
        27,
        0.18);
    add("physical 2", F::Physical, 2, "Workstation Use", "164.310(b)", L{blank}, L{"R"}, 28, 28, 0);
    add("physical 3", F::Physical, 3, "WorkStation Security", "164.310(c)", L{blank}, L{"R"}, 29, 29, 0);
    add("physical 4",
        F::Physical,
        4,
        "Device and Media Controls",
        "164.310(d)(1)",
        L{"Disposal", "Media Re-use", "Accountability", "Data Backup and Storage"},
        L{"R", "R", "A", "A"},
        30,
        33,
        0);

    add("technical 1",
        F::Technical,
        1,
        "Access Control",
        "164.312(a)(1)",
        L{"Unique User Identification", "Emergency Access Procedure", "Automatic Logoff", "Encryption and Decryption"},
        L{"R", "R", "A", "A"},
        34,
        37,
        0.18);
    add("technical 2", F::Technical, 2, "Audit Controls", "164.312(b)", L{blank}, L{"R"}, 38, 38, 0);
    add("technical 3",
        F::Technical,
        3,
        "Integrity",
        "164.312(c)(1)",
        L{"Mechanism to Authenticate Electronic PHI"},
        L{"A"},
        39,
        39,
        0);
    add("technical 4", F::Technical, 4, "Person or Entity Authentication", "164.312(d)", L{blank}, L{"R"}, 40, 40, 0);
    add("technical 5",
        F::Technical,
        5,
        "Transmission Security",
        "164.312(e)(1)",
        L{"Integrity Controls", "Encryption"},
        L{"A", "A"},
        41,
        42,
        0.095);
}

void TestCatalogue::overviewRows()
{
    QFETCH(Family, family);
    QFETCH(int, row);
    QFETCH(QStringList, cells);
    QFETCH(double, height);

    const QList<OverviewRow> rows = catalogue::overviewRows(family, numberedStatuses());
    const int expectedRows = family == Family::Administrative ? 9 : family == Family::Physical ? 4 : 5;
    QCOMPARE(rows.size(), expectedRows);
    const OverviewRow& shown = rows.at(row - 1);
    QCOMPARE(shown.cells.size(), 5);
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(shown.cells.at(c), cells.at(c));
    }
    QCOMPARE(shown.heightFraction, height);
}

void TestCatalogue::overviewShowsEmptyAndBlankStatusesAsLines()
{
    StatusTable table;
    QVERIFY(table.setEntry(2, QStringLiteral("Completed")).ok());
    QVERIFY(table.setEntry(4, QStringLiteral(" ")).ok());
    const QList<OverviewRow> rows = catalogue::overviewRows(Family::Administrative, table);
    QCOMPARE(rows.at(0).cells.at(4), QStringLiteral("\r\nCompleted\r\n\r\n "));
    QCOMPARE(rows.at(1).cells.at(4), QString());
}

void TestCatalogue::overviewCoversTheFirstThreeFamiliesOnly()
{
    const StatusTable table;
    for (const FamilyInfo& f : catalogue::families()) {
        QList<int> safeguards;
        for (const Entry& e : entriesOf(f.family)) {
            safeguards << e.safeguard;
        }
        if (f.family == Family::Organizational || f.family == Family::Policies) {
            QVERIFY(!hasOverview(f.family));
            QVERIFY(catalogue::overviewRows(f.family, table).isEmpty());
            QVERIFY(overviewSafeguards(f.family).isEmpty());
        } else {
            QVERIFY(hasOverview(f.family));
            QCOMPARE(overviewSafeguards(f.family), safeguards);
        }
    }
    QCOMPARE(int(overviewFamilies().size()), 3);
    QCOMPARE(overviewFamilies()[0], Family::Administrative);
    QCOMPARE(overviewFamilies()[2], Family::Technical);
}

QTEST_APPLESS_MAIN(TestCatalogue)

#include "test_catalogue.moc"
