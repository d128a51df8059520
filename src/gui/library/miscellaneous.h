#pragma once

#include "documentviewer.h"

class QLabel;

namespace qv {

    // "Miscellaneous" ("Miscform1"): the disclaimer, program information, the HIPAA web links, and
    // the blank forms and samples the user may copy or print.
    class Miscellaneous : public DocumentViewer
    {
        Q_OBJECT

    public:
        explicit Miscellaneous(const LibraryContext& context, QWidget* parent = nullptr);

        void selectDocument(int index) override;
        QWidget* webLinksPanel() const;
        QLabel* webLink(int index) const;

    protected:
        void layoutContent() override;

    private:
        // Copy and print are offered, in the column and in the Options menu, or neither.
        void offerCopyAndPrint(bool offered);

        QWidget* m_links = nullptr;
        QList<QLabel*> m_linkLabels;
        QList<QAction*> m_copyPrintEntries;
    };

} // namespace qv
