#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <memory>
#include <variant>

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;
class QTextDocument;

namespace qv {

    enum class PageOrientation
    {
        Portrait,
        Landscape
    };

    // Page margins in twips from the paper's edges.
    struct PageMargins
    {
        double left = 0;
        double top = 0;
        double right = 0;
        double bottom = 0;

        bool operator==(const PageMargins&) const = default;
    };

    // Font and colour of printed text. `face` is the face really drawn with, after fall-back.
    struct TextStyle
    {
        QString face;
        double pointSize = 12;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        QColor color = Qt::black;

        // A point-sized font with hinting off, so advances scale exactly with the size.
        QFont font() const;
        bool operator==(const TextStyle&) const = default;
    };

    // One line of plain text; `pos` is the top-left corner of the line, `ascent` the distance from
    // there down to the baseline. All lengths here and below are twips from the paper's top-left.
    struct TextOp
    {
        QString text;
        QPointF pos;
        double ascent = 0;
        double width = 0;
        double height = 0;
        TextStyle style;
    };

    struct LineOp
    {
        QPointF from;
        QPointF to;
        QColor color = Qt::black;
        double width = 0;
    };

    // The part `source` of a laid-out rich-text document (its own coordinates, twips), drawn with its
    // top-left corner at `target`. Pages of one block share the document.
    struct RichTextOp
    {
        std::shared_ptr<const QTextDocument> doc;
        QRectF source;
        QPointF target;
        QColor defaultColor = Qt::black;
    };

    struct ImageOp
    {
        QImage image;
        QRectF rect;
    };

    // A rectangle filled with one colour, without an outline (the bars of a chart).
    struct RectOp
    {
        QRectF rect;
        QColor color;
    };

    using PageOp = std::variant<TextOp, LineOp, RichTextOp, ImageOp, RectOp>;

    // A string as it stands on a page: plain text lines and the lines of rich text alike.
    struct PlacedText
    {
        QString text;
        QRectF rect;
        bool rich = false;
    };

    // A composed document: pages of drawing operations, painted the same way on the preview, the
    // printer, a PDF file and the clipboard picture.
    class PageDocument
    {
    public:
        enum class Guides
        {
            Hidden,
            Shown
        };

        PageDocument() = default;
        PageDocument(QSizeF pageSize, PageOrientation orientation, PageMargins margins);

        QSizeF pageSize() const;
        PageOrientation orientation() const;
        PageMargins margins() const;
        int pageCount() const;
        const QList<PageOp>& operations(int page) const;

        QList<TextOp> texts(int page) const;
        QList<LineOp> lines(int page) const;
        QList<RichTextOp> richTexts(int page) const;
        QList<RectOp> rects(int page) const;
        // Every string of the page in the order drawn, rich-text lines included.
        QList<PlacedText> strings(int page) const;

        // Paints page (0-based) with `scale` device pixels to the twip, the paper's top-left corner
        // at the painter's origin; guide lines mark the margins when shown. Paints no background.
        void paint(QPainter& painter, int page, double scale, Guides guides = Guides::Hidden) const;
        // The page on white, `scale` pixels to the twip.
        QImage image(int page, double scale, Guides guides = Guides::Hidden) const;
        // Device pixels to the twip that draw a page at its real size on device.
        static double scaleFor(const QPaintDevice& device);
        // Paints every page on its own page of device (a printer, a PDF writer), after setting the
        // device to the document's paper and orientation with no margins of its own, so the twips
        // of the document are measured from the paper's corner. False when the device cannot be
        // painted on or refuses a page; a document without pages prints nothing and succeeds.
        bool print(QPagedPaintDevice& device) const;

        void setPageSize(QSizeF pageSize, PageOrientation orientation);
        void setMargins(PageMargins margins);
        // Appends an empty page and returns its index.
        int addPage();
        void add(int page, PageOp op);

    private:
        QSizeF m_pageSize;
        PageOrientation m_orientation = PageOrientation::Portrait;
        PageMargins m_margins;
        QList<QList<PageOp>> m_pages;
    };

} // namespace qv
