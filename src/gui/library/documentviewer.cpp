#include "documentviewer.h"

#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/richtexteditor.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

    DocumentViewer::DocumentViewer(const LibraryContext& context,
                                   Look look,
                                   const QList<ViewerDocument>& documents,
                                   const QString& printCaption,
                                   QWidget* parent)
        : ViewerFrame(context, std::move(look), parent)
        , m_documents(documents)
    {
        for (int i = 0; i < documents.size(); ++i) {
            auto* button = new CaptionButton(documents.at(i).caption);
            setControlName(button, QStringLiteral("SSCommand11"), i);
            button->setToolTip(documents.at(i).tooltip);
            button->setMinimumHeight(40);
            connect(button, &QPushButton::clicked, this, [this, i] { selectDocument(i); });
            documentColumn()->addWidget(button);
            m_buttons.append(button);
        }
        documentColumn()->addSpacing(24);
        m_copy = new QPushButton(QStringLiteral("&Copy to Clipboard"));
        setControlName(m_copy, QStringLiteral("SSCommand2"), 0);
        m_print = new QPushButton(printCaption);
        setControlName(m_print, QStringLiteral("SSCommand2"), 1);
        documentColumn()->addWidget(m_copy);
        documentColumn()->addWidget(m_print);
        documentColumn()->addStretch(1);
        connect(m_copy, &QPushButton::clicked, this, &ViewerFrame::copyToClipboard);

        // A document that may not be copied gives nothing to a keyboard copy: the Control key lets go
        // of the selection, and the copy keys are kept from the pane.
        connect(
            pane(),
            &RichTextEditor::keyDown,
            this,
            [this](int key, Qt::KeyboardModifiers modifiers, bool* consumed) {
                if (m_current < 0 || m_current > 2) {
                    return;
                }
                if (key == Qt::Key_Control) {
                    pane()->setSelStart(pane()->selStart());
                    return;
                }
                const bool copyKey = key == Qt::Key_C || key == Qt::Key_Insert || key == Qt::Key_X;
                if ((modifiers & Qt::ControlModifier) && copyKey) {
                    *consumed = true;
                }
            },
            Qt::DirectConnection);
    }

    int DocumentViewer::currentDocument() const
    {
        return m_current;
    }

    CaptionButton* DocumentViewer::documentButton(int index) const
    {
        return m_buttons.value(index);
    }

    QPushButton* DocumentViewer::copyButton() const
    {
        return m_copy;
    }

    QPushButton* DocumentViewer::printButton() const
    {
        return m_print;
    }

    const QList<ViewerDocument>& DocumentViewer::documents() const
    {
        return m_documents;
    }

    void DocumentViewer::markDocument(int index)
    {
        for (CaptionButton* button : std::as_const(m_buttons)) {
            button->setSelectedLook(false);
        }
        m_buttons.at(index)->setSelectedLook(true);
        m_current = index;
        const bool barred = index <= 2;
        pane()->setContextMenuPolicy(barred ? Qt::NoContextMenu : Qt::DefaultContextMenu);
    }

    void DocumentViewer::becameActive()
    {
        selectDocument(1);
    }

} // namespace qv
