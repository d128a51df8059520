#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace qv {

    // The documents of the reference screens, one row per button in the order the screens show them.

    // A document of the Information Advisor. captionSuffix empty: the window caption ends in " - "
    // and the button caption as stored. file empty: the button opens the risk-analysis selections.
    struct AdvisorDocument
    {
        QString caption;
        QString captionSuffix;
        QString file;
        QString linkCaption;
    };
    const QList<AdvisorDocument>& advisorDocuments();
    inline constexpr int RiskAnalysisDocument = 6;

    struct RiskAnalysisPart
    {
        QString caption;
        QString file;
        QString linkCaption;
    };
    const QList<RiskAnalysisPart>& riskAnalysisParts();

    // The Security Rule's sections: caption on the option, description as its tooltip and in the
    // window caption. Section i is the installed file ruleSectionFile(i).
    struct RuleSection
    {
        QString caption;
        QString description;
    };
    const QList<RuleSection>& ruleSections();
    QString ruleSectionFile(int index);

    // A document button of the HITECH and Miscellaneous screens. file empty: the button opens
    // address (HITECH) or the web-links panel (Miscellaneous). copyable: the copy and print
    // commands are offered, and keyboard copying is allowed.
    struct ViewerDocument
    {
        QString caption;
        QString tooltip;
        QString file;
        bool copyable = false;
    };
    const QList<ViewerDocument>& hitechDocuments();
    const QList<ViewerDocument>& miscellaneousDocuments();
    inline constexpr int WebLinksDocument = 2;

    struct WebLink
    {
        QString caption;
        QString tooltip;
        QUrl address;
        bool shown = true;
    };
    const QList<WebLink>& miscellaneousWebLinks();

    // Every installed document a reference screen opens, each once.
    QStringList libraryDocumentNames();

} // namespace qv
