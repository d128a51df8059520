#pragma once

#include <QImage>
#include <QWidget>

class QLabel;
class QToolButton;
class QScrollArea;

namespace qv {

    class PageEngine;
    class PreviewCanvas;

    // The print preview ("VSP1"): shows the document the page engine composed, one page at a time on a
    // grey desk, with page navigation below it. In normal zoom the whole page fits the view; enlarged,
    // the page's width fills the view and the page scrolls. Guide lines mark the margins when shown.
    // It follows the engine: a discarded document leaves the view empty, an ended one is shown from
    // its first page.
    class PreviewWidget : public QWidget
    {
        Q_OBJECT

    public:
        enum class Zoom
        {
            Normal,
            Enlarged
        };

        explicit PreviewWidget(const PageEngine& engine, QWidget* parent = nullptr);

        Zoom zoom() const;
        void setZoom(Zoom zoom);
        bool guidesShown() const;
        void setGuidesShown(bool shown);

        // 0-based; 0 when the document has no pages.
        int currentPage() const;
        int pageCount() const;
        // Clamped to the document's pages.
        void setCurrentPage(int page);
        void firstPage();
        void previousPage();
        void nextPage();
        void lastPage();

        // The page on view as a picture on white at dpi dots per inch; null when there is no page.
        QImage currentPageImage(double dpi = 150) const;
        // Device pixels per twip the page is painted with now.
        double scale() const;

    Q_SIGNALS:
        void currentPageChanged(int page);

    protected:
        void keyPressEvent(QKeyEvent* event) override;
        void resizeEvent(QResizeEvent* event) override;
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        void showFromStart();
        void relayout();
        void updatePageControls();

        const PageEngine& m_engine;
        QScrollArea* m_scroll;
        PreviewCanvas* m_canvas;
        QLabel* m_pageLabel;
        QToolButton* m_first = nullptr;
        QToolButton* m_previous = nullptr;
        QToolButton* m_next = nullptr;
        QToolButton* m_last = nullptr;
        Zoom m_zoom = Zoom::Normal;
        // Wheel turns not yet worth a page (touchpads send small steps).
        int m_wheelTurn = 0;
        bool m_guides = false;
        int m_page = 0;
    };

} // namespace qv
