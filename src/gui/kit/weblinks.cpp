#include "weblinks.h"

#include "busypointer.h"
#include "prompter.h"

#include <QDesktopServices>

namespace qv {

    namespace {
        UrlOpener& opener()
        {
            static UrlOpener current;
            return current;
        }
    } // namespace

    QUrl vendorHomePage()
    {
        return QUrl(QStringLiteral("https://www.quorvane.example/"));
    }

    QUrl brevantelDownload()
    {
        return QUrl(QStringLiteral("https://www.quorvane.example/download/Brevantel.zip"));
    }

    QUrl hhsOfficeForCivilRights()
    {
        return QUrl(QStringLiteral("https://www.hhs.gov/ocr/index.html"));
    }

    QUrl hhsHipaaHome()
    {
        return QUrl(QStringLiteral("https://www.hhs.gov/hipaa/index.html"));
    }

    QUrl hhsSecurityRuleGuidance()
    {
        return QUrl(QStringLiteral("https://www.hhs.gov/hipaa/for-professionals/security/guidance/index.html"));
    }

    QUrl hhsRiskAnalysisGuidance()
    {
        return QUrl(QStringLiteral(
            "https://www.hhs.gov/hipaa/for-professionals/security/guidance/guidance-risk-analysis/index.html"));
    }

    QUrl hhsSecurityRuleText()
    {
        return QUrl(QStringLiteral("https://www.hhs.gov/hipaa/for-professionals/security/laws-regulations/index.html"));
    }

    QUrl hhsSecurityRulePdf()
    {
        return QUrl(QStringLiteral("https://www.hhs.gov/sites/default/files/ocr/privacy/hipaa/administrative/"
                                   "securityrule/securityrulepdf.pdf"));
    }

    QUrl hitechModificationsPdf()
    {
        // The 2013 final rule that carried the HITECH modifications into the HIPAA rules.
        return QUrl(QStringLiteral("https://www.govinfo.gov/content/pkg/FR-2013-01-25/pdf/2013-01073.pdf"));
    }

    QUrl cmsHome()
    {
        return QUrl(QStringLiteral("https://www.cms.gov/"));
    }

    QUrl nistSpecialPublications()
    {
        return QUrl(QStringLiteral("https://csrc.nist.gov/publications/sp"));
    }

    QUrl nistSp80066Revision1Pdf()
    {
        return QUrl(QStringLiteral("https://nvlpubs.nist.gov/nistpubs/Legacy/SP/nistspecialpublication800-66r1.pdf"));
    }

    QUrl nistSp80030Pdf()
    {
        return QUrl(QStringLiteral("https://nvlpubs.nist.gov/nistpubs/Legacy/SP/nistspecialpublication800-30r1.pdf"));
    }

    QUrl wediHome()
    {
        return QUrl(QStringLiteral("https://www.wedi.org/"));
    }

    void setUrlOpener(UrlOpener replacement)
    {
        opener() = std::move(replacement);
    }

    bool openWebPage(const QUrl& url, Prompter& prompter)
    {
        // The browser takes a while to appear; the arrow comes back first so the program does not
        // look hung meanwhile.
        showNormal();
        const bool opened = opener() ? opener()(url) : QDesktopServices::openUrl(url);
        if (!opened) {
            prompter.warn(QStringLiteral("Unable to Connect to Internet"),
                          QStringLiteral("Unable to connect to Internet.\r\rPlease insure your Internet is running in "
                                         "\rthe background, then please try again!"));
        }
        return opened;
    }

} // namespace qv
