#include "pagedocument.h"

#include "twips.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace qv {

    namespace {

        template <typename Op> QList<Op> opsOfKind(const QList<PageOp>& ops)
        {
            QList<Op> found;
            for (const PageOp& op : ops) {
                if (const auto* wanted = std::get_if<Op>(&op))
                    found.append(*wanted);
            }
            return found;
        }

        // What a reader sees of a laid-out line: pictures and soft line breaks leave no text.
        QString visibleText(const QTextBlock& block, const QTextLine& line)
        {
            QString text = block.text().mid(line.textStart(), line.textLength());
            text.remove(QChar::ObjectReplacementCharacter);
            text.replace(QChar::LineSeparator, u' ');
            while (!text.isEmpty() && text.back().isSpace())
                text.chop(1);
            return text;
        }

        void appendRichLines(const RichTextOp& op, QList<PlacedText>& out)
        {
            const QAbstractTextDocumentLayout* layout = op.doc->documentLayout();
            const QPointF shift = op.target - op.source.topLeft();
            for (QTextBlock block = op.doc->begin(); block.isValid(); block = block.next()) {
                const QTextLayout* lines = block.layout();
                if (!lines || lines->lineCount() == 0)
                    continue;
                const QPointF origin = layout->blockBoundingRect(block).topLeft();
                for (int i = 0; i < lines->lineCount(); ++i) {
                    const QTextLine line = lines->lineAt(i);
                    const QRectF rect(origin + line.position(), QSizeF(line.naturalTextWidth(), line.height()));
                    // A line that straddles the slice is reported, so a fault in the pagination shows.
                    if (rect.bottom() <= op.source.top() || rect.top() >= op.source.bottom())
                        continue;
                    const QString text = visibleText(block, line);
                    if (!text.isEmpty())
                        out.append({text, rect.translated(shift), true});
                }
            }
        }

        void paintText(QPainter& painter, const TextOp& op)
        {
            painter.setFont(twips::paintFont(op.style.font(), *painter.device()));
            painter.setPen(op.style.color);
            painter.drawText(QPointF(op.pos.x(), op.pos.y() + op.ascent), op.text);
        }

        void paintLine(QPainter& painter, const LineOp& op)
        {
            QPen pen(op.color);
            pen.setWidthF(op.width);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            painter.drawLine(op.from, op.to);
        }

        // The slice's clip on whole device pixels. A page break rarely falls on a pixel edge, and
        // the pixel row it cuts through would show what lies beyond it in part: the top of a picture
        // that went whole to the next page as a sliver at the foot of this one. Rows cut by the top
        // or bottom are left out (what this page loses there is less than a pixel); the sides keep
        // every row they touch, so a border on the margin stays whole.
        void clipToSlice(QPainter& painter, const QRectF& source)
        {
            constexpr double Tolerance = 1e-3;
            const QTransform toDevice = painter.worldTransform();
            const QRectF onDevice = toDevice.mapRect(source);
            const int left = static_cast<int>(std::floor(onDevice.left()));
            const int right = static_cast<int>(std::ceil(onDevice.right()));
            const int top = static_cast<int>(std::ceil(onDevice.top() - Tolerance));
            const int bottom = static_cast<int>(std::floor(onDevice.bottom() + Tolerance));
            painter.resetTransform();
            painter.setClipRect(QRect(left, top, right - left, std::max(0, bottom - top)), Qt::IntersectClip);
            painter.setWorldTransform(toDevice);
        }

        void paintRichText(QPainter& painter, const RichTextOp& op)
        {
            painter.save();
            painter.translate(op.target - op.source.topLeft());
            clipToSlice(painter, op.source);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = op.source;
            context.palette.setColor(QPalette::Text, op.defaultColor);
            op.doc->documentLayout()->draw(&painter, context);
            painter.restore();
        }

        void paintGuides(QPainter& painter, QSizeF page, const PageMargins& margins)
        {
            QPen pen(QColor(160, 160, 160));
            pen.setStyle(Qt::DotLine);
            pen.setCosmetic(true);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            // Blended over two pixels a light grey hairline all but disappears.
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.drawRect(QRectF(QPointF(margins.left, margins.top),
                                    QPointF(page.width() - margins.right, page.height() - margins.bottom)));
        }

    } // namespace

    QFont TextStyle::font() const
    {
        QFont f(face);
        f.setPointSizeF(pointSize > 0 ? pointSize : 12);
        f.setBold(bold);
        f.setItalic(italic);
        f.setUnderline(underline);
        f.setStrikeOut(strikeOut);
        f.setHintingPreference(QFont::PreferNoHinting);
        return f;
    }

    PageDocument::PageDocument(QSizeF pageSize, PageOrientation orientation, PageMargins margins)
        : m_pageSize(pageSize)
        , m_orientation(orientation)
        , m_margins(margins)
    {
    }

    QSizeF PageDocument::pageSize() const
    {
        return m_pageSize;
    }

    PageOrientation PageDocument::orientation() const
    {
        return m_orientation;
    }

    PageMargins PageDocument::margins() const
    {
        return m_margins;
    }

    int PageDocument::pageCount() const
    {
        return static_cast<int>(m_pages.size());
    }

    const QList<PageOp>& PageDocument::operations(int page) const
    {
        static const QList<PageOp> none;
        return page >= 0 && page < m_pages.size() ? m_pages.at(page) : none;
    }

    QList<TextOp> PageDocument::texts(int page) const
    {
        return opsOfKind<TextOp>(operations(page));
    }

    QList<LineOp> PageDocument::lines(int page) const
    {
        return opsOfKind<LineOp>(operations(page));
    }

    QList<RichTextOp> PageDocument::richTexts(int page) const
    {
        return opsOfKind<RichTextOp>(operations(page));
    }

    QList<RectOp> PageDocument::rects(int page) const
    {
        return opsOfKind<RectOp>(operations(page));
    }

    QList<PlacedText> PageDocument::strings(int page) const
    {
        QList<PlacedText> out;
        for (const PageOp& op : operations(page)) {
            if (const auto* text = std::get_if<TextOp>(&op))
                out.append({text->text, QRectF(text->pos, QSizeF(text->width, text->height)), false});
            else if (const auto* rich = std::get_if<RichTextOp>(&op))
                appendRichLines(*rich, out);
        }
        return out;
    }

    void PageDocument::paint(QPainter& painter, int page, double scale, Guides guides) const
    {
        if (page < 0 || page >= m_pages.size() || !painter.device())
            return;
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.scale(scale, scale);
        if (guides == Guides::Shown) {
            painter.save();
            paintGuides(painter, m_pageSize, m_margins);
            painter.restore();
        }
        for (const PageOp& op : m_pages.at(page)) {
            if (const auto* text = std::get_if<TextOp>(&op))
                paintText(painter, *text);
            else if (const auto* line = std::get_if<LineOp>(&op))
                paintLine(painter, *line);
            else if (const auto* rich = std::get_if<RichTextOp>(&op))
                paintRichText(painter, *rich);
            else if (const auto* image = std::get_if<ImageOp>(&op))
                painter.drawImage(image->rect, image->image);
            else if (const auto* rect = std::get_if<RectOp>(&op))
                painter.fillRect(rect->rect, rect->color);
        }
        painter.restore();
    }

    QImage PageDocument::image(int page, double scale, Guides guides) const
    {
        const QSize size(std::max(1, static_cast<int>(std::ceil(m_pageSize.width() * scale))),
                         std::max(1, static_cast<int>(std::ceil(m_pageSize.height() * scale))));
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        paint(painter, page, scale, guides);
        return picture;
    }

    double PageDocument::scaleFor(const QPaintDevice& device)
    {
        return device.logicalDpiX() / twips::PerInch;
    }

    bool PageDocument::print(QPagedPaintDevice& device) const
    {
        if (m_pages.isEmpty())
            return true;
        const bool landscape = m_orientation == PageOrientation::Landscape;
        const QSizeF portrait = landscape ? m_pageSize.transposed() : m_pageSize;
        const QPageSize paper(portrait / twips::PerInch, QPageSize::Inch);
        device.setPageLayout(
            QPageLayout(paper, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (!painter.begin(&device))
            return false;
        const double scale = scaleFor(device);
        for (int page = 0; page < m_pages.size(); ++page) {
            if (page > 0 && !device.newPage())
                return false;
            paint(painter, page, scale);
        }
        return painter.end();
    }

    void PageDocument::setPageSize(QSizeF pageSize, PageOrientation orientation)
    {
        m_pageSize = pageSize;
        m_orientation = orientation;
    }

    void PageDocument::setMargins(PageMargins margins)
    {
        m_margins = margins;
    }

    int PageDocument::addPage()
    {
        m_pages.append(QList<PageOp>());
        return static_cast<int>(m_pages.size()) - 1;
    }

    void PageDocument::add(int page, PageOp op)
    {
        if (page >= 0 && page < m_pages.size())
            m_pages[page].append(std::move(op));
    }

} // namespace qv
