#pragma once

#include "viewerframe.h"

class QGroupBox;
class QPushButton;

namespace qv {

    // "Information Advisor" ("InfoAdv"): background documents on the Security Rule, the risk-analysis
    // selections ("SSFrame1") and the buttons that open the online resources of a document.
    class InformationAdvisor : public ViewerFrame
    {
        Q_OBJECT

    public:
        explicit InformationAdvisor(const LibraryContext& context, QWidget* parent = nullptr);

        // Document button i pressed; the selected one again changes nothing.
        void selectDocument(int index);
        // Risk-analysis selection j pressed.
        void selectRiskAnalysisPart(int index);
        int currentDocument() const;
        CaptionButton* documentButton(int index) const;
        CaptionButton* riskAnalysisButton(int index) const;
        QGroupBox* riskAnalysisFrame() const;
        QPushButton* linkButton() const;
        QPushButton* nistButton() const;

    protected:
        void layoutContent() override;

    private:
        void onLinkClicked();
        // Where the link buttons stand: below the pane, centred or, for two, either side of the centre.
        void placeLinks();

        int m_current = 99;
        // Fractions of the panel's height the pane starts at and takes.
        double m_paneTop = 0.01;
        double m_paneHeight = 0.93;
        bool m_twoLinks = false;
        QList<CaptionButton*> m_documentButtons;
        QList<CaptionButton*> m_partButtons;
        QGroupBox* m_riskFrame = nullptr;
        QPushButton* m_link = nullptr;
        QPushButton* m_nist = nullptr;
    };

} // namespace qv
