#include "informationadvisor.h"

#include "librarydocuments.h"

#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/help.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/weblinks.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qv {

    namespace {

        ViewerFrame::Look advisorLook()
        {
            ViewerFrame::Look look;
            look.ownButton = ViewerFrame::ToAdvisor;
            look.title = QStringLiteral("Information Advisor");
            look.objectName = QStringLiteral("InfoAdv");
            look.screenTopic = HelpTopic::InformationAdvisor;
            look.screenHelpName = QStringLiteral("mHScreen");
            look.screenHelpCaption = QStringLiteral("&Information Advisor");
            return look;
        }

        // The documents read best in a column about as wide as a printed page, however wide the window.
        constexpr int LayoutLabelWidth = 640;
        constexpr double PaneWidthOfLabel = 1.08;
        // 60 twips below the pane; 300 twips either side of the centre.
        constexpr int LinkGap = 4;
        constexpr int LinkSpread = 20;

    } // namespace

    InformationAdvisor::InformationAdvisor(const LibraryContext& context, QWidget* parent)
        : ViewerFrame(context, advisorLook(), parent)
    {
        const QList<AdvisorDocument>& documents = advisorDocuments();
        for (int i = 0; i < documents.size(); ++i) {
            auto* button = new CaptionButton(documents.at(i).caption);
            setControlName(button, QStringLiteral("SSCommand11"), i);
            button->setMinimumHeight(34);
            connect(button, &QPushButton::clicked, this, [this, i] { selectDocument(i); });
            documentColumn()->addWidget(button);
            m_documentButtons.append(button);
        }
        documentColumn()->addStretch(1);

        m_riskFrame = new QGroupBox(QStringLiteral("Risk Analysis Selections"), contentPanel());
        m_riskFrame->setObjectName(QStringLiteral("SSFrame1"));
        auto* row = new QHBoxLayout(m_riskFrame);
        row->setContentsMargins(6, 2, 6, 4);
        const QList<RiskAnalysisPart>& parts = riskAnalysisParts();
        for (int j = 0; j < parts.size(); ++j) {
            auto* button = new CaptionButton(parts.at(j).caption, m_riskFrame);
            setControlName(button, QStringLiteral("SSCommand1"), j);
            button->setMinimumHeight(38);
            connect(button, &QPushButton::clicked, this, [this, j] { selectRiskAnalysisPart(j); });
            row->addWidget(button);
            m_partButtons.append(button);
        }
        m_riskFrame->hide();

        m_link = new QPushButton(contentPanel());
        m_link->setObjectName(QStringLiteral("SSCommand2"));
        m_link->hide();
        connect(m_link, &QPushButton::clicked, this, &InformationAdvisor::onLinkClicked);
        m_nist = new QPushButton(QStringLiteral("NIST Special Publication 800-30"), contentPanel());
        m_nist->setObjectName(QStringLiteral("SSCommand3"));
        m_nist->hide();
        connect(m_nist, &QPushButton::clicked, this, [this] { openAddress(nistSp80030Pdf()); });

        m_documentButtons.at(0)->setSelectedLook(true);
        m_partButtons.at(0)->setSelectedLook(true);
        selectDocument(0);
    }

    int InformationAdvisor::currentDocument() const
    {
        return m_current;
    }

    CaptionButton* InformationAdvisor::documentButton(int index) const
    {
        return m_documentButtons.value(index);
    }

    CaptionButton* InformationAdvisor::riskAnalysisButton(int index) const
    {
        return m_partButtons.value(index);
    }

    QGroupBox* InformationAdvisor::riskAnalysisFrame() const
    {
        return m_riskFrame;
    }

    QPushButton* InformationAdvisor::linkButton() const
    {
        return m_link;
    }

    QPushButton* InformationAdvisor::nistButton() const
    {
        return m_nist;
    }

    void InformationAdvisor::selectDocument(int index)
    {
        const QList<AdvisorDocument>& documents = advisorDocuments();
        if (index < 0 || index >= documents.size() || index == m_current) {
            return;
        }
        const AdvisorDocument& document = documents.at(index);
        m_current = index;
        pane()->hide();
        m_link->hide();
        m_nist->hide();
        m_riskFrame->hide();
        m_twoLinks = false;
        for (CaptionButton* button : std::as_const(m_documentButtons)) {
            button->setSelectedLook(false);
        }
        m_documentButtons.at(index)->setSelectedLook(true);
        setDocumentCaption(document.captionSuffix.isEmpty() ? document.caption : document.captionSuffix.mid(3));

        m_paneTop = 0.01;
        m_paneHeight = (index == 3 || index == 9) ? 0.75 : 0.93;
        if (!document.file.isEmpty()) {
            loadDocument(document.file);
        }
        if (!document.linkCaption.isEmpty()) {
            m_link->setText(document.linkCaption);
            m_link->setEnabled(true);
            m_link->show();
        }
        layoutContent();
        if (index == RiskAnalysisDocument) {
            m_riskFrame->show();
            selectRiskAnalysisPart(2);
            selectRiskAnalysisPart(0);
        }
        pane()->show();
    }

    void InformationAdvisor::selectRiskAnalysisPart(int index)
    {
        const QList<RiskAnalysisPart>& parts = riskAnalysisParts();
        if (index < 0 || index >= parts.size()) {
            return;
        }
        m_link->hide();
        m_nist->hide();
        m_twoLinks = false;
        for (CaptionButton* button : std::as_const(m_partButtons)) {
            button->setSelectedLook(false);
        }
        m_partButtons.at(index)->setSelectedLook(true);
        m_paneHeight = index <= 1 ? 0.84 : 0.89;
        m_paneTop = 0.1;
        loadDocument(parts.at(index).file);
        if (!parts.at(index).linkCaption.isEmpty()) {
            m_link->setText(parts.at(index).linkCaption);
            m_link->setEnabled(true);
            m_link->show();
            m_link->raise();
        }
        if (index == 1) {
            m_twoLinks = true;
            m_nist->show();
        }
        layoutContent();
        setDocumentCaption(advisorDocuments().at(RiskAnalysisDocument).caption + QStringLiteral(" - ") +
                           parts.at(index).caption);
    }

    void InformationAdvisor::onLinkClicked()
    {
        const QString caption = m_link->text();
        if (caption == u"View Security Rule Educational Paper Series - Online") {
            openAddress(hhsSecurityRuleGuidance());
        } else if (caption == u"Click for Latest Risk Analysis Update from HHS") {
            openAddress(hhsRiskAnalysisGuidance());
        } else if (m_current == 4) {
            openAddress(nistSp80066Revision1Pdf());
        } else {
            openAddress(nistSpecialPublications());
        }
    }

    void InformationAdvisor::layoutContent()
    {
        const QRect panel = contentPanel()->rect();
        const int h = panel.height();
        if (m_riskFrame) {
            const int frameHeight = std::max(m_riskFrame->sizeHint().height(), static_cast<int>(0.1 * h) - 4);
            m_riskFrame->setGeometry(8, 2, std::max(1, panel.width() - 16), frameHeight);
        }
        const int width = std::min(panel.width() - 16, static_cast<int>(PaneWidthOfLabel * LayoutLabelWidth));
        int top = static_cast<int>(m_paneTop * h);
        if (m_riskFrame && !m_riskFrame->isHidden()) {
            top = std::max(top, m_riskFrame->geometry().bottom() + 4);
        }
        const int linkHeight = m_link ? m_link->sizeHint().height() : 0;
        const int height = std::min(static_cast<int>(m_paneHeight * h), h - top - linkHeight - 2 * LinkGap);
        pane()->setGeometry((panel.width() - width) / 2, top, width, std::max(1, height));
        placeLinks();
    }

    void InformationAdvisor::placeLinks()
    {
        if (!m_link) {
            return;
        }
        // Centred in the window, 60 twips below the pane.
        const int centre = mapFromGlobal(contentPanel()->mapToGlobal(QPoint(0, 0))).x();
        const int windowCentre = width() / 2 - centre;
        const int y = pane()->geometry().bottom() + 1 + LinkGap;
        const QSize link = m_link->sizeHint().expandedTo(QSize(260, 0));
        if (m_twoLinks) {
            const QSize nist = m_nist->sizeHint().expandedTo(QSize(220, 0));
            m_nist->setGeometry(windowCentre - nist.width() - LinkSpread, y, nist.width(), nist.height());
            m_link->setGeometry(windowCentre + LinkSpread, y, link.width(), link.height());
        } else {
            m_link->setGeometry(windowCentre - link.width() / 2, y, link.width(), link.height());
        }
    }

} // namespace qv
