#pragma once

#include <QUrl>

#include <functional>

namespace qv {

    class Prompter;

    // The maker's pages that the Help menus of every screen open.
    QUrl vendorHomePage();
    QUrl brevantelDownload();

    // Official pages the reference screens open.
    QUrl hhsOfficeForCivilRights();
    QUrl hhsHipaaHome();
    QUrl hhsSecurityRuleGuidance();
    QUrl hhsRiskAnalysisGuidance();
    QUrl hhsSecurityRuleText();
    QUrl hhsSecurityRulePdf();
    QUrl hitechModificationsPdf();
    QUrl cmsHome();
    QUrl nistSpecialPublications();
    QUrl nistSp80066Revision1Pdf();
    QUrl nistSp80030Pdf();
    QUrl wediHome();

    // Opens a web page or document in the user's default browser. When the platform cannot, the
    // user is told to check the connection ("Unable to Connect to Internet") and false is returned.
    bool openWebPage(const QUrl& url, Prompter& prompter);

    // Tests replace the platform's opener so that no browser starts; nullptr restores it.
    using UrlOpener = std::function<bool(const QUrl&)>;
    void setUrlOpener(UrlOpener opener);

} // namespace qv
