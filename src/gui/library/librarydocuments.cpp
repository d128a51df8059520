#include "librarydocuments.h"

#include "gui/kit/weblinks.h"

namespace qv {

    const QList<AdvisorDocument>& advisorDocuments()
    {
        static const QList<AdvisorDocument> rows{
            {QStringLiteral("Addressable Safeguards"), {}, QStringLiteral("Misc3.Fl1"), {}},
            {QStringLiteral("Concepts"),
             QStringLiteral(" - Concepts of the Final Security Rule"),
             QStringLiteral("Misc6.Fl1"),
             {}},
            {QStringLiteral("Getting Started"),
             {},
             QStringLiteral("Misc7.Fl1"),
             QStringLiteral("View Security Rule Educational Paper Series - Online")},
            {QStringLiteral("Impact"),
             QStringLiteral(" - Impact of not complying with the Security Final Rule"),
             QStringLiteral("Misc8.Fl1"),
             {}},
            {QStringLiteral("Key Information && Guide"),
             {},
             QStringLiteral("Misc9.Fl1"),
             QStringLiteral("Click to view NIST Security Rule Resource Guide - PDF File")},
            {QStringLiteral("Policy Insert Template"),
             QStringLiteral(" - Policy Insert Template Information"),
             QStringLiteral("Misc0.Fl1"),
             {}},
            {QStringLiteral("Risk Analysis"), {}, {}, {}},
            {QStringLiteral("Security and Privacy"),
             QStringLiteral(" - Security Rule and Privacy Rule Distinctions"),
             QStringLiteral("Misc4.Fl1"),
             {}},
            {QStringLiteral("Selected HIPAA Q. && A."),
             QStringLiteral(" - Selected HIPAA Questions and Answers"),
             QStringLiteral("Misc11.Fl1"),
             {}},
            {QStringLiteral("Timeline"), QStringLiteral(" - The Quorvane Timeline"), QStringLiteral("Misc5.Fl1"), {}},
        };
        return rows;
    }

    const QList<RiskAnalysisPart>& riskAnalysisParts()
    {
        static const QList<RiskAnalysisPart> rows{
            {QStringLiteral("Risk Analysis Overview"),
             QStringLiteral("Misc10.Fl1"),
             QStringLiteral("Click for Latest Risk Analysis Update from HHS")},
            {QStringLiteral("Recommendations from NIST"),
             QStringLiteral("Misc12.Fl1"),
             QStringLiteral("Click for NIST Website")},
            {QStringLiteral("Common Risk Analysis Mistakes"), QStringLiteral("Misc13.Fl1"), {}},
            {QStringLiteral("Risk Analysis Worksheet"), QStringLiteral("Misc58.Fl1"), {}},
            {QStringLiteral("Worksheet Example"), QStringLiteral("Wksht1.Fl1"), {}},
        };
        return rows;
    }

    const QList<RuleSection>& ruleSections()
    {
        static const QList<RuleSection> rows{
            {QStringLiteral("Entire Rule"), QStringLiteral("The Entire Security Rule")},
            {QStringLiteral("Summary"), QStringLiteral("Summary portion of the Rule")},
            {QStringLiteral("I. Background"), QStringLiteral("Background of the Rule.")},
            {QStringLiteral("II. General Overview"), QStringLiteral("General Overview of the Proposed Rule")},
            {QStringLiteral("III. Analysis of, ..."),
             QStringLiteral("Analysis of, and Responses to, Public Comments on the Proposed Rule")},
            {QStringLiteral("A. General Issues"), QStringLiteral("General Issues")},
            {QStringLiteral("B. Applicability"), QStringLiteral("Applicability (Sec. 164.302)")},
            {QStringLiteral("C. Transition ..."), QStringLiteral("Transition to the Final Rule")},
            {QStringLiteral("D. General Rules"), QStringLiteral("General Rules (Sec. 164.306)")},
            {QStringLiteral("E. Admin. Safeguards"), QStringLiteral("Administrative Safeguards (Sec. 164.308)")},
            {QStringLiteral("F. Physical Safeguards"), QStringLiteral("Physical Safeguards (Sec. 164.310)")},
            {QStringLiteral("G.Technical Safeguards"), QStringLiteral("Technical Safeguards (Sec. 164.312)")},
            {QStringLiteral("H. Organizational Req."), QStringLiteral("Organizational Requirements (Sec. 164.314)")},
            {QStringLiteral("I. Policies&&Procedures.."),
             QStringLiteral("Policies and Procedures and Documentation Requirements (Sec. 164.316)")},
            {QStringLiteral("J. Compliance Dates..."),
             QStringLiteral("Compliance Dates for Initial Implementation (Sec. 164.318)")},
            {QStringLiteral("K. Appendix"), QStringLiteral("Appendix")},
            {QStringLiteral("L. Misc. Issues"), QStringLiteral("Miscellaneous Issues.")},
            {QStringLiteral("M. Proposed Impact..."), QStringLiteral("Proposed Impact Analysis")},
            {QStringLiteral("IV. Provisions of..."), QStringLiteral("Provisions of the Final Regulation")},
            {QStringLiteral("V.Collection of Info..."), QStringLiteral("Collection of Information Requirements")},
            {QStringLiteral("IV. Regulatory Impact..."), QStringLiteral("Regulatory Impact Analysis")},
            {QStringLiteral("V. Federalism"), QStringLiteral("Federalism")},
            {QStringLiteral("List of Subjects"), QStringLiteral("List of Subjects")},
            {QStringLiteral("Subpart C-Sec. Standards..."),
             QStringLiteral("Subpart C - Security Standards for the Protection of Electronic Protected Health "
                            "Information")},
            {QStringLiteral("Subpart C- Matrix"),
             QStringLiteral("Appendix A to Subpart C of Part 164--Security Standards Matrix")},
        };
        return rows;
    }

    QString ruleSectionFile(int index)
    {
        return QStringLiteral("PR") + QString::number(index) + QStringLiteral(".Fl1");
    }

    const QList<ViewerDocument>& hitechDocuments()
    {
        static const QList<ViewerDocument> rows{
            {QStringLiteral("Modifications to HIPAA Under HITECH Rule (PDF)"),
             QStringLiteral("Modifications to the HIPAA Privacy, Security and Enforcement Rules"),
             {},
             false},
            {QStringLiteral("Impact of HITECH Act on The Security Rule"),
             QStringLiteral("Impact of HITECH Rule On Security Rule"),
             QStringLiteral("HITECH1.Fl1"),
             false},
            {QStringLiteral("HITECH changes to HIPAA Enforcement"), {}, QStringLiteral("HITECH2.Fl1"), false},
        };
        return rows;
    }

    const QList<ViewerDocument>& miscellaneousDocuments()
    {
        static const QList<ViewerDocument> rows{
            {QStringLiteral("Disclaimer"), {}, QStringLiteral("Misc2.Fl1"), false},
            {QStringLiteral("Program Information"), {}, QStringLiteral("Misc1.Fl1"), false},
            {QStringLiteral("HIPAA Web Links"), {}, {}, false},
            {QStringLiteral("Risk Anlysis Worksheet"), {}, QStringLiteral("Misc57.Fl1"), true},
            {QStringLiteral("Incident Report Template"), {}, QStringLiteral("Misc56.Fl1"), true},
            {QStringLiteral("Risk Anlysis Sample #1"), {}, QStringLiteral("Wksht1.Fl1"), true},
            {QStringLiteral("Risk Anlysis Sample #2"), {}, QStringLiteral("Wksht2.Fl1"), true},
        };
        return rows;
    }

    const QList<WebLink>& miscellaneousWebLinks()
    {
        const QString government = QStringLiteral(" Official Government Website ");
        const QString great = QStringLiteral(" Great site for HIPAA information ");
        // The two private sites are no longer kept up; their labels stay in the array, never shown.
        static const QList<WebLink> rows{
            {QStringLiteral("Office of Civil Rights"), government, hhsOfficeForCivilRights(), true},
            {QStringLiteral("U.S. Department of Health and Human Services"), government, hhsHipaaHome(), true},
            {QStringLiteral("Centers for Medicare & Medicaid Services (CMS)"), government, cmsHome(), true},
            {QStringLiteral("HIPAAComply"), great, QUrl(), false},
            {QStringLiteral("HIPAAdvisory"), great, QUrl(), false},
            {QStringLiteral("NIST Special Publications (800 Series)"),
             QStringLiteral(" Contains several publications that may be useful, like SP 800-66 "),
             nistSpecialPublications(),
             true},
            {QStringLiteral("Workgroup for Electronic Data Interchange (WEDI)"),
             QStringLiteral(" Contains helpful HIPAA security information "),
             wediHome(),
             true},
        };
        return rows;
    }

    QStringList libraryDocumentNames()
    {
        QStringList names;
        auto add = [&names](const QString& name) {
            if (!name.isEmpty() && !names.contains(name)) {
                names.append(name);
            }
        };
        for (const AdvisorDocument& d : advisorDocuments()) {
            add(d.file);
        }
        for (const RiskAnalysisPart& p : riskAnalysisParts()) {
            add(p.file);
        }
        for (int i = 0; i < ruleSections().size(); ++i) {
            add(ruleSectionFile(i));
        }
        for (const ViewerDocument& d : hitechDocuments()) {
            add(d.file);
        }
        for (const ViewerDocument& d : miscellaneousDocuments()) {
            add(d.file);
        }
        return names;
    }

} // namespace qv
