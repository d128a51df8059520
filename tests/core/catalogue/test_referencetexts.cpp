#include "core/catalogue/catalogue.h"
#include "core/catalogue/emphasis.h"
#include "core/catalogue/referencetexts.h"
#include "core/storage/programfolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <set>
#include <vector>

using namespace qv;
using namespace qv::reftexts;
using namespace Qt::StringLiterals;

namespace {

    const QString CrLf = u"\r\n"_s;

    QString kindTag(Kind kind)
    {
        switch (kind) {
        case Kind::Specification:
            return u"implementation"_s;
        case Kind::References:
            return u"references"_s;
        case Kind::Information:
            return u"information"_s;
        }
        return {};
    }

    // Every (file, kind) whose text the program assembles, as rows "fNN kind".
    template <typename AddRow> void forEveryAssembledText(AddRow addRow)
    {
        for (int f = 0; f < catalogue::EntryCount; ++f) {
            for (const Kind kind : Kinds) {
                if (isAssembled(f, kind)) {
                    addRow(f, kind);
                }
            }
        }
    }

    QStringList linesOf(const QString& text)
    {
        return text.split(CrLf);
    }

    // The regulation text the program quotes: each paragraph line with its section heading.
    struct LawLine
    {
        QString section;
        QString text;
    };

    QList<LawLine> readLaw()
    {
        QFile f(QStringLiteral(QUORVANE_TEST_DATA "/law/45cfr164-subpartC.txt"));
        if (!f.open(QIODevice::ReadOnly)) {
            return {};
        }
        QList<LawLine> law;
        QString section;
        for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
            if (line.startsWith(u'#') || line.trimmed().isEmpty()) {
                continue;
            }
            if (line.startsWith(u"§ ")) {
                section = line;
            }
            law.append({section, line});
        }
        return law;
    }

    // A text in which [brackets] mark what is to be set off, and that text without them.
    struct Marked
    {
        QString text;
        QList<bool> emphasised;
    };

    Marked unmark(const QString& marked)
    {
        Marked m;
        bool inside = false;
        for (const QChar c : marked) {
            if (c == u'[' || c == u']') {
                inside = c == u'[';
                continue;
            }
            m.text.append(c);
            m.emphasised.append(inside);
        }
        return m;
    }

    bool isEmphasised(const QTextCharFormat& format)
    {
        return format.fontWeight() == QFont::Bold && format.fontUnderline();
    }

    // Whether each character of doc is set off, paragraph ends counted as one unmarked character.
    QList<bool> emphasisOf(const QTextDocument& doc)
    {
        QList<bool> marks;
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            if (block != doc.begin()) {
                marks.append(false);
            }
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                for (int i = 0; i < fragment.length(); ++i) {
                    marks.append(isEmphasised(fragment.charFormat()));
                }
            }
        }
        return marks;
    }

    // The entries marked Addressable in the catalogue, typed from its published table.
    const std::set<int> AddressableFiles = {5,  6,  7,  9,  10, 11, 12, 13, 14, 19, 20,
                                            23, 24, 25, 26, 31, 32, 35, 36, 38, 40, 41};

} // namespace

class TestReferenceTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textsAreCompiledIn();
    void installedFiles_data();
    void installedFiles();
    void nothingElseIsInstalled();
    void availability_data();
    void availability();
    void specificationExtract_data();
    void specificationExtract();
    void specificationQuotesTheRuleExactly_data();
    void specificationQuotesTheRuleExactly();
    void referencesCloseWithTheSpecificationExtract_data();
    void referencesCloseWithTheSpecificationExtract();
    void addressableParagraphOnlyForAddressableEntries_data();
    void addressableParagraphOnlyForAddressableEntries();
    void linesAreJoinedWithCrLf_data();
    void linesAreJoinedWithCrLf();
    void highlightPhraseOccursAsAWholeWord_data();
    void highlightPhraseOccursAsAWholeWord();
    void highlightListIsWellFormed();
    void noDataFilesForTextsThatAreNotAssembled();
    void everyAssembledTextHasItsData_data();
    void everyAssembledTextHasItsData();
    void wholeWordOccurrences_data();
    void wholeWordOccurrences();
    void emphasisSetsOffEveryOccurrenceAndNothingElse_data();
    void emphasisSetsOffEveryOccurrenceAndNothingElse();
    void emphasisKeepsTheRestOfTheFormat();
    void placeAssembledWithAndWithoutEmphasis();
    void printEmphasisIsTheEntrysWord();
    void referenceTextsForPrinting_data();
    void referenceTextsForPrinting();
    void referenceTextsForPrintingFromInstalledFiles();
};

void TestReferenceTexts::textsAreCompiledIn()
{
    // A static library's resources only reach the program when something keeps them linked in.
    QVERIFY(QFile::exists(u":/reftexts/highlights.txt"_s));
    QVERIFY(QFile::exists(u":/reftexts/implementation/f00.txt"_s));
    QVERIFY(!bodyLines(0, Kind::Specification).isEmpty());
    QVERIFY(!highlightPhrase(0, Kind::Specification).isEmpty());
}

void TestReferenceTexts::installedFiles_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("name");

    const std::pair<int, const char16_t*> references[] = {
        {0, u"RefRA1.Dat"},
        {1, u"RefRM1.Dat"},
        {2, u"RefSC1.Dat"},
        {7, u"RefTM1.Dat"},
        {9, u"RefAA1.Dat"},
        {10, u"RefAE1.Dat"},
        {21, u"RefEV1.Dat"},
        {24, u"RefFS1.Dat"},
        {27, u"RefWU1.Dat"},
        {37, u"RefAuditC.Dat"},
        {41, u"RefEnc1.Dat"},
        {42, u"OrgReq1.Dat"},
        {43, u"OrgRef2.Dat"},
        {45, u"PPReq1.Dat"},
        {46, u"PPReq1.Dat"},
    };
    for (const auto& [file, name] : references) {
        QTest::addRow("references f%d", file) << file << Kind::References << QString::fromUtf16(name);
    }
    QTest::newRow("information f45") << 45 << Kind::Information << u"Addtl45.dat"_s;
    QTest::newRow("information f46") << 46 << Kind::Information << u"Addtl45.dat"_s;
}

void TestReferenceTexts::installedFiles()
{
    QFETCH(int, file);
    QFETCH(Kind, kind);
    QFETCH(QString, name);

    QCOMPARE(installedFile(file, kind), std::optional<QString>(name));
    QVERIFY(isAvailable(file, kind));
    QVERIFY(!isAssembled(file, kind));
}

void TestReferenceTexts::nothingElseIsInstalled()
{
    const std::set<int> installedReferences = {0, 1, 2, 7, 9, 10, 21, 24, 27, 37, 41, 42, 43, 45, 46};
    for (int f = 0; f < catalogue::EntryCount; ++f) {
        QCOMPARE(installedFile(f, Kind::Specification), std::nullopt);
        QCOMPARE(installedFile(f, Kind::References).has_value(), installedReferences.count(f) == 1);
        QCOMPARE(installedFile(f, Kind::Information).has_value(), f == 45 || f == 46);
    }
    QCOMPARE(installedFile(47, Kind::References), std::nullopt);
    QCOMPARE(installedFile(-1, Kind::Information), std::nullopt);
}

void TestReferenceTexts::availability_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("available");
    QTest::addColumn<bool>("assembled");

    QTest::newRow("first entry, specification") << 0 << Kind::Specification << true << true;
    QTest::newRow("organizational overview, specification") << 42 << Kind::Specification << false << false;
    QTest::newRow("organizational overview, references") << 42 << Kind::References << true << false;
    QTest::newRow("organizational overview, information") << 42 << Kind::Information << true << true;
    QTest::newRow("policies overview, specification") << 45 << Kind::Specification << false << false;
    QTest::newRow("policies overview, information") << 45 << Kind::Information << true << false;
    QTest::newRow("documentation, specification") << 46 << Kind::Specification << true << true;
    QTest::newRow("documentation, information") << 46 << Kind::Information << true << false;
    QTest::newRow("business associate, references") << 43 << Kind::References << true << false;
    QTest::newRow("group health plans, references") << 44 << Kind::References << true << true;
    QTest::newRow("before the first") << -1 << Kind::Specification << false << false;
    QTest::newRow("after the last") << 47 << Kind::Information << false << false;
}

void TestReferenceTexts::availability()
{
    QFETCH(int, file);
    QFETCH(Kind, kind);
    QFETCH(bool, available);
    QFETCH(bool, assembled);

    QCOMPARE(isAvailable(file, kind), available);
    QCOMPARE(isAssembled(file, kind), assembled);
    if (!assembled) {
        QCOMPARE(reftexts::assembled(file, kind), QString());
        QVERIFY(bodyLines(file, kind).isEmpty());
        QCOMPARE(highlightPhrase(file, kind), QString());
        QTextDocument doc;
        doc.setPlainText(u"left over"_s);
        placeAssembled(file, kind, doc, Emphasis::On);
        QVERIFY(doc.isEmpty());
    }
}

void TestReferenceTexts::specificationExtract_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("standard");
    QTest::addColumn<QString>("specification");

    // The paragraphs of the rule that lead to each entry, read off the rule for the entry's section
    // label: each standard with the start of its specifications' paragraphs, in button order. A
    // standard without separate specifications is its own.
    struct Standard
    {
        int firstFile;
        const char16_t* section;
        const char16_t* standard;
        std::vector<const char16_t*> specifications;
    };
    const char16_t* s308 = u"§ 164.308 Administrative safeguards.";
    const char16_t* s310 = u"§ 164.310 Physical safeguards.";
    const char16_t* s312 = u"§ 164.312 Technical safeguards.";
    // clang-format off
    const Standard standards[] = {
        {0, s308, u"(1)(i) Standard: Security management process.", {u"(A) Risk analysis (Required).", u"(B) Risk management (Required).", u"(C) Sanction policy (Required).", u"(D) Information system activity review (Required)."}},
        {4, s308, u"(2) Standard: Assigned security responsibility.", {}},
        {5, s308, u"(3)(i) Standard: Workforce security.", {u"(A) Authorization and/or supervision (Addressable).", u"(B) Workforce clearance procedure (Addressable).", u"(C) Termination procedures (Addressable)."}},
        {8, s308, u"(4)(i) Standard: Information access management.", {u"(A) Isolating health care clearinghouse functions (Required).", u"(B) Access authorization (Addressable).", u"(C) Access establishment and modification (Addressable)."}},
        {11, s308, u"(5)(i) Standard: Security awareness and training.", {u"(A) Security reminders (Addressable).", u"(B) Protection from malicious software (Addressable).", u"(C) Log-in monitoring (Addressable).", u"(D) Password management (Addressable)."}},
        {15, s308, u"(6)(i) Standard: Security incident procedures.", {u"(ii) Implementation specification: Response and reporting (Required)."}},
        {16, s308, u"(7)(i) Standard: Contingency plan.", {u"(A) Data backup plan (Required).", u"(B) Disaster recovery plan (Required).", u"(C) Emergency mode operation plan (Required).", u"(D) Testing and revision procedures (Addressable).", u"(E) Applications and data criticality analysis (Addressable)."}},
        {21, s308, u"(8) Standard: Evaluation.", {}},
        {22, s308, u"(b)(1) Business associate contracts and other arrangements.", {u"(3) Implementation specifications: Written contract or other arrangement (Required)."}},
        {23, s310, u"(a)(1) Standard: Facility access controls.", {u"(i) Contingency operations (Addressable).", u"(ii) Facility security plan (Addressable).", u"(iii) Access control and validation procedures (Addressable).", u"(iv) Maintenance records (Addressable)."}},
        {27, s310, u"(b) Standard: Workstation use.", {}},
        {28, s310, u"(c) Standard: Workstation security.", {}},
        {29, s310, u"(d)(1) Standard: Device and media controls.", {u"(i) Disposal (Required).", u"(ii) Media re-use (Required).", u"(iii) Accountability (Addressable).", u"(iv) Data backup and storage (Addressable)."}},
        {33, s312, u"(a)(1) Standard: Access control.", {u"(i) Unique user identification (Required).", u"(ii) Emergency access procedure (Required).", u"(iii) Automatic logoff (Addressable).", u"(iv) Encryption and decryption (Addressable)."}},
        {37, s312, u"(b) Standard: Audit controls.", {}},
        {38, s312, u"(c)(1) Standard: Integrity.", {u"(2) Implementation specification: Mechanism to authenticate electronic protected health information (Addressable)."}},
        {39, s312, u"(d) Standard: Person or entity authentication.", {}},
        {40, s312, u"(e)(1) Standard: Transmission security.", {u"(i) Integrity controls (Addressable).", u"(ii) Encryption (Addressable)."}},
        {43, u"§ 164.314 Organizational requirements.", u"(a)(1) Standard: Business associate contracts or other arrangements.", {u"(iii) Business associate contracts with subcontractors."}},
        {44, u"§ 164.314 Organizational requirements.", u"(b)(1) Standard: Requirements for group health plans.", {u"(iv) Report to the group health plan any security incident"}},
        {46, u"§ 164.316 Policies and procedures and documentation requirements.", u"(b)(1) Standard: Documentation.", {u"(iii) Updates (Required)."}},
    };
    // clang-format on
    for (const Standard& s : standards) {
        const QString standard = QString::fromUtf16(s.standard);
        if (s.specifications.empty()) {
            QTest::addRow("f%02d", s.firstFile) << s.firstFile << QString::fromUtf16(s.section) << standard << standard;
        }
        int file = s.firstFile;
        for (const char16_t* specification : s.specifications) {
            QTest::addRow("f%02d", file) << file << QString::fromUtf16(s.section) << standard
                                         << QString::fromUtf16(specification);
            ++file;
        }
    }
}

void TestReferenceTexts::specificationExtract()
{
    QFETCH(int, file);
    QFETCH(QString, section);
    QFETCH(QString, standard);
    QFETCH(QString, specification);

    const QStringList lines = linesOf(assembled(file, Kind::Specification));
    QVERIFY2(lines.size() >= 5, qPrintable(lines.join(u'|')));
    QCOMPARE(lines.mid(0, 3), QStringList({u"Implementation Specification:"_s, QString(), section}));
    const catalogue::Entry* entry = catalogue::entryBySafeguard(file + 1);
    QVERIFY(section.startsWith(u"§ "_s + catalogue::family(entry->family).section.toString() + u' '));

    // Paragraphs with an empty line before each, every one indented by four blanks.
    for (qsizetype i = 3; i < lines.size(); i += 2) {
        QCOMPARE(lines[i], QString());
        QVERIFY(i + 1 < lines.size());
        QVERIFY2(lines[i + 1].startsWith(u"    "_s) && lines[i + 1][4] != u' ', qPrintable(lines[i + 1]));
    }
    // Paragraph (a) of 164.308 opens the standards it governs; (b) stands outside it. The other
    // sections open with one sentence for all of their standards, except 164.314, which has none.
    const QString opening = lines[4].mid(4);
    const bool opens = opening.contains(u"must, in accordance with § 164.306:"_s);
    QCOMPARE(opens, !section.contains(u"164.314"_s) && file != 22);
    QCOMPARE(opening.startsWith(u"(a) "_s), opens && section.contains(u"164.308"_s));
    QVERIFY2(lines[opens ? 6 : 4].startsWith(u"    "_s + standard), qPrintable(lines[opens ? 6 : 4]));
    QVERIFY2(lines.constLast().startsWith(u"    "_s + specification), qPrintable(lines.constLast()));
}

void TestReferenceTexts::specificationQuotesTheRuleExactly_data()
{
    QTest::addColumn<int>("file");
    for (int f = 0; f < catalogue::EntryCount; ++f) {
        if (isAssembled(f, Kind::Specification)) {
            QTest::addRow("f%02d", f) << f;
        }
    }
}

void TestReferenceTexts::specificationQuotesTheRuleExactly()
{
    QFETCH(int, file);

    static const QList<LawLine> law = readLaw();
    QVERIFY(!law.isEmpty());

    const QStringList body = bodyLines(file, Kind::Specification);
    QVERIFY(!body.isEmpty());
    // Each line is a whole paragraph of the rule, word for word, from one section and in the
    // rule's order.
    qsizetype lastAt = -1;
    QString section;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QString& line = body[i];
        if (line.isEmpty()) {
            continue;
        }
        const QString quoted = i == 0 ? line : line.mid(4);
        if (i > 0) {
            QVERIFY2(line.startsWith(u"    "_s), qPrintable(line));
        }
        qsizetype at = -1;
        for (qsizetype k = lastAt + 1; k < law.size(); ++k) {
            if (law[k].text == quoted) {
                at = k;
                break;
            }
        }
        QVERIFY2(at >= 0, qPrintable(u"not in the rule, or out of order: "_s + quoted));
        if (i == 0) {
            QVERIFY2(quoted.startsWith(u"§ "_s), qPrintable(quoted));
            section = law[at].section;
        }
        QCOMPARE(law[at].section, section);
        lastAt = at;
    }
}

void TestReferenceTexts::referencesCloseWithTheSpecificationExtract_data()
{
    QTest::addColumn<int>("file");
    for (int f = 0; f < catalogue::EntryCount; ++f) {
        if (isAssembled(f, Kind::References)) {
            QTest::addRow("f%02d", f) << f;
        }
    }
}

void TestReferenceTexts::referencesCloseWithTheSpecificationExtract()
{
    QFETCH(int, file);

    const QString text = assembled(file, Kind::References);
    const QString extract = bodyLines(file, Kind::Specification).join(CrLf);
    QVERIFY(!extract.isEmpty());
    QVERIFY(text.startsWith(u"References in Rule:\r\n\r\n"_s));
    QVERIFY2(text.endsWith(u"\r\n"_s + extract), qPrintable(text.right(200)));
    // An empty line sets the extract off from the account before it.
    const QString before = text.left(text.size() - extract.size());
    QVERIFY(before.endsWith(u"\r\n\r\n"_s));
    QVERIFY(!before.endsWith(u"\r\n\r\n\r\n"_s));
}

void TestReferenceTexts::addressableParagraphOnlyForAddressableEntries_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<bool>("addressable");
    for (int f = 0; f < catalogue::EntryCount; ++f) {
        if (isAssembled(f, Kind::Information)) {
            QTest::addRow("f%02d", f) << f << (AddressableFiles.count(f) == 1);
        }
    }
}

void TestReferenceTexts::addressableParagraphOnlyForAddressableEntries()
{
    QFETCH(int, file);
    QFETCH(bool, addressable);

    const QStringList paragraph = {
        u"This Implementation Specification is Addressable."_s,
        u"This means that a covered entity will do one of the following:"_s,
        u"    1 - Will Implement this Implementation specification."_s,
        u"    2 - Implement one of more alternative security measures;"_s,
        u"    3 - Implement a combination of both; or"_s,
        u"    4 - Do not implement the addressable implementation specification or"_s,
        u"        an alternative security measure. (Least desirable)"_s,
        u"    Which ever action is taken it should be well documented!"_s,
        u"    In several addressable areas it may be easier to implement than explain/justify why not used!"_s,
    };
    const QStringList lines = linesOf(assembled(file, Kind::Information));
    QCOMPARE(lines[0], u"Additional Information:"_s);
    if (addressable) {
        QVERIFY(lines.size() >= 2 + paragraph.size());
        QCOMPARE(lines[1], QString());
        QCOMPARE(lines.mid(2, paragraph.size()), paragraph);
        const qsizetype after = 2 + paragraph.size();
        if (lines.size() > after) {
            QCOMPARE(lines[after], QString());
            QVERIFY(lines.size() > after + 1);
        }
    } else {
        QVERIFY(!lines.contains(paragraph[0]));
        QVERIFY(!lines.contains(paragraph[2]));
    }
}

void TestReferenceTexts::linesAreJoinedWithCrLf_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<Kind>("kind");
    forEveryAssembledText(
        [](int f, Kind kind) { QTest::addRow("f%02d %s", f, qPrintable(kindTag(kind))) << f << kind; });
}

void TestReferenceTexts::linesAreJoinedWithCrLf()
{
    QFETCH(int, file);
    QFETCH(Kind, kind);

    const QString text = assembled(file, kind);
    QVERIFY(text.startsWith(heading(kind)));
    QVERIFY(!text.endsWith(u'\n'));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            QVERIFY2(i + 1 < text.size() && text[i + 1] == u'\n', qPrintable(u"lone CR at %1"_s.arg(i)));
        } else if (text[i] == u'\n') {
            QVERIFY2(i > 0 && text[i - 1] == u'\r', qPrintable(u"lone LF at %1"_s.arg(i)));
        }
    }
    // Never two empty lines in a row: each part is set off by exactly one.
    QVERIFY(!text.contains(u"\r\n\r\n\r\n"_s));
    QVERIFY(!text.contains(u'\t'));
}

void TestReferenceTexts::highlightPhraseOccursAsAWholeWord_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<Kind>("kind");
    forEveryAssembledText([](int f, Kind kind) {
        if (!highlightPhrase(f, kind).isEmpty()) {
            QTest::addRow("f%02d %s", f, qPrintable(kindTag(kind))) << f << kind;
        }
    });
}

void TestReferenceTexts::highlightPhraseOccursAsAWholeWord()
{
    QFETCH(int, file);
    QFETCH(Kind, kind);

    const QString phrase = highlightPhrase(file, kind);
    QVERIFY2(!qv::wholeWordOccurrences(assembled(file, kind), phrase).isEmpty(), qPrintable(phrase));
    // The specification's own paragraph carries it, not only the standard above it.
    if (kind == Kind::Specification) {
        QVERIFY2(!qv::wholeWordOccurrences(bodyLines(file, kind).constLast(), phrase).isEmpty(), qPrintable(phrase));
    }
}

void TestReferenceTexts::highlightListIsWellFormed()
{
    QFile f(u":/reftexts/highlights.txt"_s);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    QVERIFY(text.endsWith(u'\n'));
    const QRegularExpression shape(u"^(\\d\\d)\\t(implementation|information|references)\\t(\\S.*\\S|\\S)$"_s);
    QString previous;
    for (const QString& line : text.chopped(1).split(u'\n')) {
        const QRegularExpressionMatch m = shape.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(u"malformed: "_s + line));
        const int file = m.captured(1).toInt();
        const QString key = m.captured(1) + u'\t' + m.captured(2);
        QVERIFY2(previous < key, qPrintable(u"not sorted or twice: "_s + line));
        previous = key;
        Kind kind = Kind::Specification;
        for (const Kind k : Kinds) {
            if (kindTag(k) == m.captured(2)) {
                kind = k;
            }
        }
        QVERIFY2(isAssembled(file, kind), qPrintable(u"no such assembled text: "_s + line));
        QCOMPARE(highlightPhrase(file, kind), m.captured(3));
    }
}

void TestReferenceTexts::noDataFilesForTextsThatAreNotAssembled()
{
    for (const Kind kind : Kinds) {
        const QDir dir(u":/reftexts/"_s + kindTag(kind));
        for (const QString& name : dir.entryList(QDir::Files)) {
            const QRegularExpressionMatch m = QRegularExpression(u"^f(\\d\\d)\\.txt$"_s).match(name);
            QVERIFY2(m.hasMatch(), qPrintable(dir.path() + u'/' + name));
            QVERIFY2(isAssembled(m.captured(1).toInt(), kind), qPrintable(dir.path() + u'/' + name));
        }
    }
}

// Each helper writing one kind of text fills its rows here; a missing data file fails its row.
void TestReferenceTexts::everyAssembledTextHasItsData_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<Kind>("kind");
    forEveryAssembledText(
        [](int f, Kind kind) { QTest::addRow("f%02d %s", f, qPrintable(kindTag(kind))) << f << kind; });
}

void TestReferenceTexts::everyAssembledTextHasItsData()
{
    QFETCH(int, file);
    QFETCH(Kind, kind);

    const QStringList body = bodyLines(file, kind);
    QVERIFY2(!body.isEmpty(), "no data file");
    QVERIFY2(!body.constFirst().isEmpty(), "starts with an empty line");
    QVERIFY2(!highlightPhrase(file, kind).isEmpty(), "no highlight phrase");
    for (const QString& line : body) {
        QVERIFY2(!line.contains(u'\r') && !line.contains(u'\t'), qPrintable(line));
    }
    switch (kind) {
    case Kind::Specification:
        break;
    case Kind::References:
        // The program appends the rule's extract itself.
        QVERIFY(!body.contains(bodyLines(file, Kind::Specification).constLast()));
        break;
    case Kind::Information: {
        const QString last = body.constLast();
        QVERIFY2(last.startsWith(u"Summary:"_s), qPrintable(last));
        QVERIFY(!body.contains(addressableParagraph().constFirst()));
        break;
    }
    }
}

void TestReferenceTexts::wholeWordOccurrences_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QList<qsizetype>>("expected");

    using L = QList<qsizetype>;
    QTest::newRow("any case") << u"Risk Management and risk management and RISK MANAGEMENT"_s << u"Risk Management"_s
                              << L{0, 20, 40};
    QTest::newRow("not inside a longer word") << u"Risk Managements, xRisk Management"_s << u"Risk Management"_s << L{};
    QTest::newRow("digits are word characters") << u"Encryption2 2Encryption Encryption"_s << u"Encryption"_s << L{24};
    QTest::newRow("punctuation is a boundary")
        << u"(Risk analysis). risk analysis;"_s << u"risk analysis"_s << L{1, 17};
    QTest::newRow("at both ends") << u"Evaluation of the Evaluation"_s << u"Evaluation"_s << L{0, 18};
    QTest::newRow("a rejected near miss does not hide the next") << u"Disposals Disposal"_s << u"Disposal"_s << L{10};
    QTest::newRow("occurrences never overlap") << u"aa aa aaa"_s << u"aa"_s << L{0, 3};
    QTest::newRow("slash inside the phrase")
        << u"(A) Authorization and/or supervision (Addressable)"_s << u"Authorization and/or Supervision"_s << L{4};
    QTest::newRow("hyphen inside the phrase")
        << u"Log-in monitoring; monitoring log-in"_s << u"Log-in Monitoring"_s << L{0};
    QTest::newRow("phrase ending in punctuation") << u"Media re-use (R) and (R)x"_s << u"(R)"_s << L{13, 21};
    QTest::newRow("words apart do not match") << u"Risk  Management"_s << u"Risk Management"_s << L{};
    QTest::newRow("empty phrase") << u"anything"_s << QString() << L{};
    QTest::newRow("empty text") << QString() << u"Risk"_s << L{};
    QTest::newRow("phrase longer than text") << u"Risk"_s << u"Risk Analysis"_s << L{};
}

void TestReferenceTexts::wholeWordOccurrences()
{
    QFETCH(QString, text);
    QFETCH(QString, phrase);
    QFETCH(QList<qsizetype>, expected);

    QCOMPARE(qv::wholeWordOccurrences(text, phrase), expected);
}

void TestReferenceTexts::emphasisSetsOffEveryOccurrenceAndNothingElse_data()
{
    QTest::addColumn<QString>("marked");
    QTest::addColumn<QString>("phrase");

    QTest::newRow("any case, several paragraphs")
        << u"[Risk Management] and [risk management]\n(B) [RISK management] (Required).\nRisk Managements"_s
        << u"Risk Management"_s;
    QTest::newRow("a phrase is not found across paragraphs")
        << u"Risk\nManagement [risk management]"_s << u"Risk Management"_s;
    QTest::newRow("one word") << u"[Encryption] and decryption; encryptions\n[encryption]"_s << u"Encryption"_s;
    QTest::newRow("at the very start and end") << u"[Evaluation] x [Evaluation]"_s << u"Evaluation"_s;
    QTest::newRow("not at the end of a longer word") << u"predisposal [Disposal] 2disposal"_s << u"Disposal"_s;
    QTest::newRow("not there") << u"Nothing to set off here"_s << u"Sanction Policy"_s;
    QTest::newRow("empty phrase") << u"Sanction Policy"_s << QString();
}

void TestReferenceTexts::emphasisSetsOffEveryOccurrenceAndNothingElse()
{
    QFETCH(QString, marked);
    QFETCH(QString, phrase);

    const Marked m = unmark(marked);
    QTextDocument doc;
    doc.setPlainText(m.text);
    const int count = applyEmphasis(doc, phrase);

    QCOMPARE(emphasisOf(doc), m.emphasised);
    QCOMPARE(count, int(marked.count(u'[')));
    QCOMPARE(doc.toPlainText(), m.text);
}

void TestReferenceTexts::emphasisKeepsTheRestOfTheFormat()
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    cursor.insertText(u"Apply a sanction policy now"_s, italic);

    QCOMPARE(applyEmphasis(doc, u"Sanction Policy"), 1);
    const QTextFragment first = doc.begin().begin().fragment();
    QCOMPARE(first.text(), u"Apply a "_s);
    QVERIFY(first.charFormat().fontItalic());
    QVERIFY(!isEmphasised(first.charFormat()));
    const QTextFragment second = (++doc.begin().begin()).fragment();
    QCOMPARE(second.text(), u"sanction policy"_s);
    QVERIFY(second.charFormat().fontItalic());
    QVERIFY(isEmphasised(second.charFormat()));
}

void TestReferenceTexts::placeAssembledWithAndWithoutEmphasis()
{
    const QString text = assembled(1, Kind::Specification);
    QTextDocument doc;
    placeAssembled(1, Kind::Specification, doc, Emphasis::Off);
    // One paragraph per line: CR LF is one break, not two.
    QCOMPARE(doc.blockCount(), int(linesOf(text).size()));
    QCOMPARE(doc.toPlainText(), text.split(CrLf).join(u'\n'));
    QVERIFY(!emphasisOf(doc).contains(true));

    placeAssembled(1, Kind::Specification, doc, Emphasis::On);
    QCOMPARE(doc.blockCount(), int(linesOf(text).size()));
    const QList<bool> marks = emphasisOf(doc);
    const QString plain = doc.toPlainText();
    const qsizetype at = plain.indexOf(u"Risk management (Required)"_s);
    QVERIFY(at > 0);
    QCOMPARE(
        marks.mid(at - 1, 17),
        QList<bool>(
            {false, true, true, true, true, true, true, true, true, true, true, true, true, true, true, true, false}));
    QCOMPARE(marks.count(true),
             qsizetype(QStringView(u"Risk Management").size()) *
                 qv::wholeWordOccurrences(plain, highlightPhrase(1, Kind::Specification)).size());
}

void TestReferenceTexts::printEmphasisIsTheEntrysWord()
{
    // File numbers are one below safeguard numbers.
    QCOMPARE(printEmphasis(0), u"Risk Analysis"_s);
    QCOMPARE(printEmphasis(22), u"Written contract or other arrangement"_s);
    QCOMPARE(printEmphasis(42), QString());
    QCOMPARE(printEmphasis(46), u"Documentation"_s);
    QCOMPARE(printEmphasis(47), QString());
}

void TestReferenceTexts::referenceTextsForPrinting_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<QString>("references");
    QTest::addColumn<QString>("information");

    // An installed document reads as its name here; an assembled text as itself.
    QTest::newRow("all assembled") << 3 << QString() << QString();
    QTest::newRow("installed references") << 0 << u"RefRA1.Dat"_s << QString();
    QTest::newRow("organizational overview") << 42 << u"OrgReq1.Dat"_s << QString();
    QTest::newRow("policies overview") << 45 << u"PPReq1.Dat"_s << u"Addtl45.dat"_s;
    QTest::newRow("documentation") << 46 << u"PPReq1.Dat"_s << u"Addtl45.dat"_s;
}

void TestReferenceTexts::referenceTextsForPrinting()
{
    QFETCH(int, file);
    QFETCH(QString, references);
    QFETCH(QString, information);

    QStringList loaded;
    const InstalledLoader load = [&loaded](const QString& name, QTextDocument& doc) {
        loaded.append(name);
        doc.setPlainText(name);
    };
    QTextDocument spec, refs, info;
    for (QTextDocument* doc : {&spec, &refs, &info}) {
        doc->setPlainText(u"from the entry before"_s);
    }
    placeReferenceTexts(file, load, spec, refs, info);

    const QString specText = assembled(file, Kind::Specification).split(CrLf).join(u'\n');
    QCOMPARE(spec.toPlainText(), specText);
    QCOMPARE(spec.isEmpty(), !isAvailable(file, Kind::Specification));
    QCOMPARE(refs.toPlainText(),
             references.isEmpty() ? assembled(file, Kind::References).split(CrLf).join(u'\n') : references);
    QCOMPARE(info.toPlainText(),
             information.isEmpty() ? assembled(file, Kind::Information).split(CrLf).join(u'\n') : information);
    QStringList expectedLoads;
    for (const QString& name : {references, information}) {
        if (!name.isEmpty()) {
            expectedLoads.append(name);
        }
    }
    QCOMPARE(loaded, expectedLoads);
    // The print sets off the entry's emphasis word itself, over the whole page.
    for (const QTextDocument* doc : {&spec, &refs, &info}) {
        QVERIFY(!emphasisOf(*doc).contains(true));
    }
}

void TestReferenceTexts::referenceTextsForPrintingFromInstalledFiles()
{
    QTemporaryDir data;
    QTextDocument spec, refs, info;
    const ProgramFolder installed(data.path(), QStringLiteral(QUORVANE_CONTENT_DIR));
    placeReferenceTexts(46, installed, spec, refs, info);
    QVERIFY(spec.toPlainText().startsWith(u"Implementation Specification:"_s));
    QVERIFY2(refs.toPlainText().startsWith(u"References in Rule:"_s), qPrintable(refs.toPlainText().left(40)));
    QVERIFY(refs.toPlainText().contains(u"§ 164.316"_s));
    QVERIFY2(info.toPlainText().startsWith(u"Additional Information:"_s), qPrintable(info.toPlainText().left(40)));

    // Without the installed documents the texts that need them stay empty; nothing else changes.
    const ProgramFolder bare(data.path(), data.path());
    placeReferenceTexts(46, bare, spec, refs, info);
    QVERIFY(spec.toPlainText().startsWith(u"Implementation Specification:"_s));
    QVERIFY(refs.isEmpty());
    QVERIFY(info.isEmpty());
}

QTEST_MAIN(TestReferenceTexts)

#include "test_referencetexts.moc"
