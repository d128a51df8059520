#pragma once

#include "librarydocuments.h"
#include "viewerframe.h"

class QPushButton;

namespace qv {

    // The frame with a column of document buttons ("SSCommand11", with tooltips) and the copy and
    // print buttons below them ("SSCommand2"), as the HITECH and Miscellaneous screens have it.
    // Keyboard copying is barred while a document that may not be copied is on view.
    class DocumentViewer : public ViewerFrame
    {
        Q_OBJECT

    public:
        DocumentViewer(const LibraryContext& context,
                       Look look,
                       const QList<ViewerDocument>& documents,
                       const QString& printCaption,
                       QWidget* parent = nullptr);

        // Document button i pressed.
        virtual void selectDocument(int index) = 0;
        int currentDocument() const;
        CaptionButton* documentButton(int index) const;
        QPushButton* copyButton() const;
        QPushButton* printButton() const;

    protected:
        // The pressed button bright blue, the others black; records the index and whether keyboard
        // copying is allowed now.
        void markDocument(int index);
        // The screen's document button 1 comes up whenever the screen does.
        void becameActive() override;
        const QList<ViewerDocument>& documents() const;

    private:
        const QList<ViewerDocument>& m_documents;
        int m_current = -1;
        QList<CaptionButton*> m_buttons;
        QPushButton* m_copy = nullptr;
        QPushButton* m_print = nullptr;
    };

} // namespace qv
