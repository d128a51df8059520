#include "previewwidget.h"

#include "core/reports/pageengine.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace qv {

    namespace {

        // Room between the page and the edges of the desk, in pixels.
        constexpr int DeskMargin = 10;
        constexpr int ShadowOffset = 3;
        const QColor DeskColor(128, 128, 128);
        const QColor ShadowColor(64, 64, 64);

    } // namespace

    // The desk the page lies on. It reads the engine's document at every paint, so a page is never
    // shown from an outdated copy.
    class PreviewCanvas : public QWidget
    {
    public:
        explicit PreviewCanvas(PreviewWidget* preview, const PageEngine& engine)
            : QWidget(nullptr)
            , m_preview(preview)
            , m_engine(engine)
        {
            setAttribute(Qt::WA_OpaquePaintEvent);
            setFocusPolicy(Qt::NoFocus);
        }

        // The page's place on the canvas at the current scale.
        QRect pageRect() const
        {
            const QSizeF twips = pageSizeTwips(m_engine);
            const double scale = m_preview->scale();
            const QSize size(std::max(1, static_cast<int>(std::lround(twips.width() * scale))),
                             std::max(1, static_cast<int>(std::lround(twips.height() * scale))));
            const int x = std::max(DeskMargin, (width() - size.width()) / 2);
            const int y = m_preview->zoom() == PreviewWidget::Zoom::Enlarged
                              ? DeskMargin
                              : std::max(DeskMargin, (height() - size.height()) / 2);
            return QRect(QPoint(x, y), size);
        }

        static QSizeF pageSizeTwips(const PageEngine& engine)
        {
            const QSizeF size = engine.document().pageSize();
            if (size.width() > 0 && size.height() > 0) {
                return size;
            }
            return QSizeF(engine.pageWidth(), engine.pageHeight());
        }

    protected:
        void paintEvent(QPaintEvent* event) override
        {
            QPainter painter(this);
            painter.setClipRegion(event->region());
            painter.fillRect(rect(), DeskColor);
            const PageDocument& doc = m_engine.document();
            const int page = m_preview->currentPage();
            if (page >= doc.pageCount()) {
                return;
            }
            const QRect paper = pageRect();
            painter.fillRect(paper.translated(ShadowOffset, ShadowOffset), ShadowColor);
            painter.fillRect(paper, Qt::white);
            painter.setClipRect(paper.intersected(event->rect()));
            painter.translate(paper.topLeft());
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            doc.paint(painter,
                      page,
                      m_preview->scale(),
                      m_preview->guidesShown() ? PageDocument::Guides::Shown : PageDocument::Guides::Hidden);
        }

    private:
        PreviewWidget* m_preview;
        const PageEngine& m_engine;
    };

    PreviewWidget::PreviewWidget(const PageEngine& engine, QWidget* parent)
        : QWidget(parent)
        , m_engine(engine)
        , m_scroll(new QScrollArea(this))
        , m_canvas(new PreviewCanvas(this, engine))
        , m_pageLabel(new QLabel(this))
    {
        setObjectName(QStringLiteral("VSP1"));
        setFocusPolicy(Qt::StrongFocus);

        m_scroll->setObjectName(QStringLiteral("PreviewDesk"));
        m_scroll->setFocusPolicy(Qt::NoFocus);
        m_scroll->setFrameShape(QFrame::StyledPanel);
        m_scroll->setFrameShadow(QFrame::Sunken);
        m_scroll->setWidgetResizable(false);
        m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_scroll->setWidget(m_canvas);
        QPalette desk = m_scroll->palette();
        desk.setColor(QPalette::Window, DeskColor);
        m_scroll->setPalette(desk);
        m_scroll->viewport()->installEventFilter(this);

        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(2);
        const auto addButton = [this, row](const QString& name, const QString& text, const QString& tip) {
            auto* button = new QToolButton(this);
            button->setText(text);
            button->setObjectName(name);
            button->setToolTip(tip);
            button->setFocusPolicy(Qt::NoFocus);
            const QFontMetrics fm(button->font());
            button->setFixedWidth(std::max(
                {button->sizeHint().width(), fm.horizontalAdvance(QStringLiteral(">|")) + 16, fm.height() * 2}));
            row->addWidget(button);
            return button;
        };
        m_first = addButton(QStringLiteral("PreviewFirst"), QStringLiteral("|<"), QStringLiteral("First page"));
        m_previous = addButton(QStringLiteral("PreviewPrevious"), QStringLiteral("<"), QStringLiteral("Previous page"));
        m_pageLabel->setObjectName(QStringLiteral("PreviewPage"));
        m_pageLabel->setAlignment(Qt::AlignCenter);
        m_pageLabel->setMinimumWidth(
            QFontMetrics(m_pageLabel->font()).horizontalAdvance(QStringLiteral("Page 888 of 888")) + 8);
        row->addWidget(m_pageLabel, 1);
        m_next = addButton(QStringLiteral("PreviewNext"), QStringLiteral(">"), QStringLiteral("Next page"));
        m_last = addButton(QStringLiteral("PreviewLast"), QStringLiteral(">|"), QStringLiteral("Last page"));
        connect(m_first, &QToolButton::clicked, this, &PreviewWidget::firstPage);
        connect(m_previous, &QToolButton::clicked, this, &PreviewWidget::previousPage);
        connect(m_next, &QToolButton::clicked, this, &PreviewWidget::nextPage);
        connect(m_last, &QToolButton::clicked, this, &PreviewWidget::lastPage);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(3);
        layout->addWidget(m_scroll, 1);
        layout->addLayout(row);

        connect(&engine, &PageEngine::documentCleared, this, [this] { showFromStart(); });
        connect(&engine, &PageEngine::documentEnded, this, [this] { showFromStart(); });
        showFromStart();
    }

    PreviewWidget::Zoom PreviewWidget::zoom() const
    {
        return m_zoom;
    }

    void PreviewWidget::setZoom(Zoom zoom)
    {
        if (zoom == m_zoom) {
            return;
        }
        m_zoom = zoom;
        m_scroll->setVerticalScrollBarPolicy(zoom == Zoom::Enlarged ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        relayout();
        m_scroll->verticalScrollBar()->setValue(0);
    }

    bool PreviewWidget::guidesShown() const
    {
        return m_guides;
    }

    void PreviewWidget::setGuidesShown(bool shown)
    {
        if (shown != m_guides) {
            m_guides = shown;
            m_canvas->update();
        }
    }

    int PreviewWidget::currentPage() const
    {
        return std::clamp(m_page, 0, std::max(0, pageCount() - 1));
    }

    int PreviewWidget::pageCount() const
    {
        return m_engine.document().pageCount();
    }

    void PreviewWidget::setCurrentPage(int page)
    {
        const int clamped = std::clamp(page, 0, std::max(0, pageCount() - 1));
        const bool changed = clamped != m_page;
        m_page = clamped;
        m_scroll->verticalScrollBar()->setValue(0);
        updatePageControls();
        m_canvas->update();
        if (changed) {
            Q_EMIT currentPageChanged(m_page);
        }
    }

    void PreviewWidget::firstPage()
    {
        setCurrentPage(0);
    }

    void PreviewWidget::previousPage()
    {
        setCurrentPage(currentPage() - 1);
    }

    void PreviewWidget::nextPage()
    {
        setCurrentPage(currentPage() + 1);
    }

    void PreviewWidget::lastPage()
    {
        setCurrentPage(pageCount() - 1);
    }

    QImage PreviewWidget::currentPageImage(double dpi) const
    {
        const PageDocument& doc = m_engine.document();
        if (pageCount() == 0 || dpi <= 0) {
            return QImage();
        }
        return doc.image(currentPage(), dpi / 1440.0);
    }

    double PreviewWidget::scale() const
    {
        const QSizeF twips = PreviewCanvas::pageSizeTwips(m_engine);
        const QSize view = m_scroll->viewport()->size();
        const double across = std::max(1, view.width() - 2 * DeskMargin - ShadowOffset) / twips.width();
        if (m_zoom == Zoom::Enlarged) {
            return across;
        }
        const double down = std::max(1, view.height() - 2 * DeskMargin - ShadowOffset) / twips.height();
        return std::min(across, down);
    }

    void PreviewWidget::keyPressEvent(QKeyEvent* event)
    {
        // An enlarged page is read down to its foot before the next one comes, and back up to its head
        // before the one before.
        QScrollBar* bar = m_scroll->verticalScrollBar();
        const bool scrolls = m_zoom == Zoom::Enlarged && bar->maximum() > 0;
        switch (event->key()) {
        case Qt::Key_PageUp:
            if (scrolls && bar->value() > bar->minimum()) {
                bar->triggerAction(QAbstractSlider::SliderPageStepSub);
            } else if (currentPage() > 0) {
                previousPage();
                if (scrolls) {
                    bar->setValue(bar->maximum());
                }
            }
            break;
        case Qt::Key_PageDown:
            if (scrolls && bar->value() < bar->maximum()) {
                bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            } else {
                nextPage();
            }
            break;
        case Qt::Key_Home:
            firstPage();
            break;
        case Qt::Key_End:
            lastPage();
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
        }
        event->accept();
    }

    void PreviewWidget::resizeEvent(QResizeEvent* event)
    {
        QWidget::resizeEvent(event);
        relayout();
    }

    bool PreviewWidget::eventFilter(QObject* watched, QEvent* event)
    {
        if (watched == m_scroll->viewport() && event->type() == QEvent::Resize) {
            relayout();
        }
        // A whole page has nothing to scroll: the wheel turns the pages, a notch a page.
        if (watched == m_scroll->viewport() && event->type() == QEvent::Wheel && m_zoom == Zoom::Normal) {
            m_wheelTurn += static_cast<QWheelEvent*>(event)->angleDelta().y();
            while (m_wheelTurn >= QWheelEvent::DefaultDeltasPerStep) {
                m_wheelTurn -= QWheelEvent::DefaultDeltasPerStep;
                previousPage();
            }
            while (m_wheelTurn <= -QWheelEvent::DefaultDeltasPerStep) {
                m_wheelTurn += QWheelEvent::DefaultDeltasPerStep;
                nextPage();
            }
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }

    void PreviewWidget::showFromStart()
    {
        m_page = 0;
        relayout();
        m_scroll->verticalScrollBar()->setValue(0);
        updatePageControls();
        m_canvas->update();
        Q_EMIT currentPageChanged(0);
    }

    void PreviewWidget::relayout()
    {
        const QSize view = m_scroll->viewport()->size();
        if (m_zoom == Zoom::Normal) {
            m_canvas->resize(view);
        } else {
            const QRect paper = m_canvas->pageRect();
            m_canvas->resize(view.width(), paper.height() + 2 * DeskMargin + ShadowOffset);
        }
        m_canvas->update();
    }

    void PreviewWidget::updatePageControls()
    {
        const int count = pageCount();
        const int page = currentPage();
        m_pageLabel->setText(count == 0 ? QStringLiteral("No pages")
                                        : QStringLiteral("Page %1 of %2").arg(page + 1).arg(count));
        m_first->setEnabled(count > 0 && page > 0);
        m_previous->setEnabled(count > 0 && page > 0);
        m_next->setEnabled(page + 1 < count);
        m_last->setEnabled(page + 1 < count);
    }

} // namespace qv
