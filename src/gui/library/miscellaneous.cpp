#include "miscellaneous.h"

#include "gui/kit/controlarray.h"
#include "gui/kit/help.h"
#include "gui/kit/richtexteditor.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qv {

    namespace {

        ViewerFrame::Look miscellaneousLook()
        {
            ViewerFrame::Look look;
            look.ownButton = ViewerFrame::ToMiscellaneous;
            look.title = QStringLiteral("Miscellaneous");
            look.objectName = QStringLiteral("Miscform1");
            look.screenTopic = HelpTopic::Miscellaneous;
            look.screenHelpName = QStringLiteral("mHScreen");
            look.screenHelpCaption = QStringLiteral("&Miscellaneous");
            look.printHelp = true;
            look.rangeCaption = QStringLiteral("Print Selected Document");
            return look;
        }

        inline constexpr PageMargins MenuMargins{200, 100, 100, 100};
        inline constexpr PageMargins ButtonMargins{200, 260, 100, 100};

        // Column widths the documents are laid out for: the forms are wider than the texts.
        constexpr int TextWidth = 680;
        constexpr int FormWidth = 820;

        // A web link: pressed, it sinks 45 twips; a click opens its page.
        class LinkLabel : public QLabel
        {
        public:
            LinkLabel(const WebLink& link, std::function<void()> open, QWidget* parent)
                : QLabel(link.caption, parent)
                , m_open(std::move(open))
            {
                setToolTip(link.tooltip);
                setCursor(Qt::PointingHandCursor);
                QFont f = font();
                f.setUnderline(true);
                f.setPointSizeF(f.pointSizeF() * 1.15);
                setFont(f);
                QPalette p = palette();
                p.setColor(QPalette::WindowText, QColor(0, 0, 255));
                setPalette(p);
            }

        protected:
            void mousePressEvent(QMouseEvent* event) override
            {
                if (event->button() == Qt::LeftButton) {
                    m_pressedTop = y();
                    move(x(), y() + 3);
                }
                QLabel::mousePressEvent(event);
            }

            void mouseReleaseEvent(QMouseEvent* event) override
            {
                if (event->button() == Qt::LeftButton && m_pressedTop >= 0) {
                    move(x(), m_pressedTop);
                    m_pressedTop = -1;
                    if (rect().contains(event->position().toPoint())) {
                        m_open();
                    }
                }
                QLabel::mouseReleaseEvent(event);
            }

        private:
            std::function<void()> m_open;
            int m_pressedTop = -1;
        };

    } // namespace

    Miscellaneous::Miscellaneous(const LibraryContext& context, QWidget* parent)
        : DocumentViewer(context,
                         miscellaneousLook(),
                         miscellaneousDocuments(),
                         QStringLiteral("&Print Options"),
                         parent)
    {
        connect(printButton(), &QPushButton::clicked, this, [this] {
            openPrintOptions(*pane()->document(), ButtonMargins);
        });

        QMenu* options = optionsMenu();
        m_copyPrintEntries.append(options->addSeparator());
        QAction* copy = addOptionsEntry(QStringLiteral("mOClip"), QStringLiteral("&Copy to Clickboard"));
        connect(copy, &QAction::triggered, this, &ViewerFrame::copyToClipboard);
        m_copyPrintEntries.append(copy);
        m_copyPrintEntries.append(options->addSeparator());
        QAction* print = addOptionsEntry(QStringLiteral("mOPrint"), QStringLiteral("&Print Options"));
        connect(print, &QAction::triggered, this, [this] { openPrintOptions(*pane()->document(), MenuMargins); });
        m_copyPrintEntries.append(print);

        m_links = new QWidget(contentPanel());
        m_links->setObjectName(QStringLiteral("WebLinksPanel"));
        auto* column = new QVBoxLayout(m_links);
        column->setSpacing(14);
        auto* heading = new QLabel(QStringLiteral("HIPAA Web Links"), m_links);
        heading->setObjectName(QStringLiteral("Label2"));
        QFont headingFont = heading->font();
        headingFont.setBold(true);
        headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
        heading->setFont(headingFont);
        heading->setAlignment(Qt::AlignCenter);
        column->addWidget(heading);
        auto* explanation = new QLabel(
            QStringLiteral("The following websites contain additional HIPAA information that may be of use to you.  "
                           "If your internet provider is running in the background, just click on the link and you "
                           "will be taken to that site."),
            m_links);
        explanation->setObjectName(QStringLiteral("Label3"));
        explanation->setWordWrap(true);
        column->addWidget(explanation);
        const QList<WebLink>& links = miscellaneousWebLinks();
        for (int i = 0; i < links.size(); ++i) {
            const QUrl address = links.at(i).address;
            auto* label = new LinkLabel(
                links.at(i), [this, address] { openAddress(address); }, m_links);
            setControlName(label, QStringLiteral("Label4"), i);
            // The links stand where they were placed; the layout only keeps room for them.
            auto* slot = new QWidget(m_links);
            slot->setFixedHeight(label->sizeHint().height() + 4);
            label->setParent(slot);
            label->move(0, 0);
            label->resize(label->sizeHint());
            slot->setVisible(links.at(i).shown);
            column->addWidget(slot);
            m_linkLabels.append(label);
        }
        column->addStretch(1);
        m_links->hide();
        offerCopyAndPrint(false);
    }

    QWidget* Miscellaneous::webLinksPanel() const
    {
        return m_links;
    }

    QLabel* Miscellaneous::webLink(int index) const
    {
        return m_linkLabels.value(index);
    }

    void Miscellaneous::offerCopyAndPrint(bool offered)
    {
        copyButton()->setVisible(offered);
        printButton()->setVisible(offered);
        for (QAction* entry : std::as_const(m_copyPrintEntries)) {
            entry->setVisible(offered);
        }
    }

    void Miscellaneous::selectDocument(int index)
    {
        if (index < 0 || index >= documents().size()) {
            return;
        }
        const ViewerDocument& document = documents().at(index);
        m_links->hide();
        copyButton()->hide();
        printButton()->hide();
        markDocument(index);
        if (index == WebLinksDocument) {
            pane()->hide();
            m_links->show();
        } else {
            loadDocument(document.file);
            pane()->show();
        }
        layoutContent();
        setDocumentCaption(document.caption);
        if (!document.copyable) {
            closePrintOptions();
        }
        offerCopyAndPrint(document.copyable);
    }

    void Miscellaneous::layoutContent()
    {
        const QRect panel = contentPanel()->rect().adjusted(4, 4, -4, -4);
        const bool form = currentDocument() >= 3;
        const int width = std::min(panel.width(), form ? FormWidth : TextWidth);
        const QRect column(panel.left() + (panel.width() - width) / 2, panel.top(), width, panel.height());
        pane()->setGeometry(column);
        if (m_links) {
            m_links->setGeometry(column);
        }
    }

} // namespace qv
