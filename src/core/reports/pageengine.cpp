#include "pageengine.h"

#include "core/rtf/rtfreader.h"
#include "fontfallback.h"
#include "richtextpages.h"
#include "twips.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <limits>

namespace qv {

    namespace {

        constexpr const char16_t* DefaultFace = u"Times New Roman";
        constexpr double DefaultPointSize = 12;

        // Text past the right margin is not wrapped below this width: a column narrower than a
        // character would print one character a line.
        constexpr double NarrowestColumn = 144;

        QStringList hardLines(const QString& text)
        {
            static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
            return text.split(breaks);
        }

        QString withoutTrailingSpace(QString text)
        {
            while (!text.isEmpty() && text.back().isSpace())
                text.chop(1);
            return text;
        }

    } // namespace

    PageEngine::PageEngine(QObject* parent)
        : QObject(parent)
        , m_fontName(QString::fromUtf16(DefaultFace))
    {
        m_style.face = installedFace(m_fontName);
        m_style.pointSize = DefaultPointSize;
        m_document = PageDocument(QSizeF(pageWidth(), pageHeight()), m_orientation, m_margins);
    }

    void PageEngine::setPreview(bool on)
    {
        m_preview = on;
    }

    bool PageEngine::preview() const
    {
        return m_preview;
    }

    void PageEngine::clear()
    {
        m_document = PageDocument(QSizeF(pageWidth(), pageHeight()), m_orientation, m_margins);
        m_open = false;
        m_page = -1;
        m_x = m_margins.left;
        m_y = m_margins.top;
        Q_EMIT documentCleared();
    }

    void PageEngine::startDoc()
    {
        clear();
        m_open = true;
    }

    void PageEngine::endDoc()
    {
        if (!m_open)
            return;
        m_open = false;
        Q_EMIT documentEnded();
    }

    bool PageEngine::isOpen() const
    {
        return m_open;
    }

    void PageEngine::newPage()
    {
        if (!m_open)
            return;
        breakPage();
        m_x = m_margins.left;
        m_y = m_margins.top;
    }

    double PageEngine::marginLeft() const
    {
        return m_margins.left;
    }

    double PageEngine::marginTop() const
    {
        return m_margins.top;
    }

    double PageEngine::marginRight() const
    {
        return m_margins.right;
    }

    double PageEngine::marginBottom() const
    {
        return m_margins.bottom;
    }

    void PageEngine::setMarginLeft(double twips)
    {
        m_margins.left = std::max(0.0, twips);
        m_document.setMargins(m_margins);
    }

    void PageEngine::setMarginTop(double twips)
    {
        m_margins.top = std::max(0.0, twips);
        m_document.setMargins(m_margins);
    }

    void PageEngine::setMarginRight(double twips)
    {
        m_margins.right = std::max(0.0, twips);
        m_document.setMargins(m_margins);
    }

    void PageEngine::setMarginBottom(double twips)
    {
        m_margins.bottom = std::max(0.0, twips);
        m_document.setMargins(m_margins);
    }

    PageMargins PageEngine::margins() const
    {
        return m_margins;
    }

    void PageEngine::setPaperSize(QSizeF portraitTwips)
    {
        if (portraitTwips.width() <= 0 || portraitTwips.height() <= 0)
            return;
        m_paper = portraitTwips;
        updateDocumentPage();
    }

    QSizeF PageEngine::paperSize() const
    {
        return m_paper;
    }

    PageOrientation PageEngine::orientation() const
    {
        return m_orientation;
    }

    void PageEngine::setOrientation(PageOrientation orientation)
    {
        m_orientation = orientation;
        updateDocumentPage();
    }

    double PageEngine::pageWidth() const
    {
        return m_orientation == PageOrientation::Portrait ? m_paper.width() : m_paper.height();
    }

    double PageEngine::pageHeight() const
    {
        return m_orientation == PageOrientation::Portrait ? m_paper.height() : m_paper.width();
    }

    QString PageEngine::fontName() const
    {
        return m_fontName;
    }

    QString PageEngine::fontNameUsed() const
    {
        return m_style.face;
    }

    void PageEngine::setFontName(const QString& face)
    {
        m_fontName = face;
        m_style.face = installedFace(face);
    }

    double PageEngine::fontSize() const
    {
        return m_style.pointSize;
    }

    void PageEngine::setFontSize(double points)
    {
        if (points > 0)
            m_style.pointSize = points;
    }

    bool PageEngine::fontBold() const
    {
        return m_style.bold;
    }

    void PageEngine::setFontBold(bool on)
    {
        m_style.bold = on;
    }

    bool PageEngine::fontItalic() const
    {
        return m_style.italic;
    }

    void PageEngine::setFontItalic(bool on)
    {
        m_style.italic = on;
    }

    bool PageEngine::fontUnderline() const
    {
        return m_style.underline;
    }

    void PageEngine::setFontUnderline(bool on)
    {
        m_style.underline = on;
    }

    bool PageEngine::fontStrikeThrough() const
    {
        return m_style.strikeOut;
    }

    void PageEngine::setFontStrikeThrough(bool on)
    {
        m_style.strikeOut = on;
    }

    QColor PageEngine::textColor() const
    {
        return m_style.color;
    }

    void PageEngine::setTextColor(const QColor& color)
    {
        m_style.color = color;
    }

    QColor PageEngine::lineColor() const
    {
        return m_lineColor;
    }

    void PageEngine::setLineColor(const QColor& color)
    {
        m_lineColor = color;
    }

    double PageEngine::lineWidth() const
    {
        return m_lineWidth;
    }

    void PageEngine::setLineWidth(double twips)
    {
        m_lineWidth = std::max(0.0, twips);
    }

    TextStyle PageEngine::textStyle() const
    {
        return m_style;
    }

    double PageEngine::currentX() const
    {
        return m_x;
    }

    double PageEngine::currentY() const
    {
        return m_y;
    }

    void PageEngine::setCurrentX(double twips)
    {
        m_x = twips;
    }

    void PageEngine::setCurrentY(double twips)
    {
        m_y = twips;
    }

    double PageEngine::textWidth(const QString& text) const
    {
        return QFontMetricsF(twips::layoutFont(m_style.font())).horizontalAdvance(text);
    }

    double PageEngine::lineHeight() const
    {
        // What paragraph() advances by, which QTextLine rounds a little differently from
        // QFontMetricsF::lineSpacing().
        QTextLayout layout(QStringLiteral("X"), twips::layoutFont(m_style.font()), &twips::layoutDevice());
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLeadingIncluded(true);
        line.setLineWidth(std::numeric_limits<float>::max());
        layout.endLayout();
        return line.height();
    }

    void PageEngine::paragraph(const QString& text)
    {
        if (!m_open)
            return;
        ensurePage();
        const QFont font = twips::layoutFont(m_style.font());
        double y = m_y;
        const QStringList lines = hardLines(text);
        for (const QString& line : lines)
            placeLines(line, font, y);
        m_y = y;
        m_x = m_margins.left;
    }

    void PageEngine::placeLines(const QString& text, const QFont& font, double& y)
    {
        const double x = m_x;
        const double available = pageWidth() - m_margins.right - x;
        const bool wrap = available >= NarrowestColumn;

        QTextLayout layout(text, font, &twips::layoutDevice());
        QTextOption option;
        option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(wrap ? available : std::numeric_limits<float>::max());
        }
        layout.endLayout();

        if (layout.lineCount() == 0) {
            y += lineHeight();
            return;
        }
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const double height = line.height();
            // A line taller than the whole page goes where it is rather than break pages for ever.
            if (y + height > bottomLimit() && y > m_margins.top) {
                breakPage();
                y = m_margins.top;
            }
            const QString shown = withoutTrailingSpace(text.mid(line.textStart(), line.textLength()));
            if (!shown.isEmpty()) {
                TextOp op{shown, QPointF(x + line.x(), y), line.ascent(), line.naturalTextWidth(), height, m_style};
                m_document.add(m_page, std::move(op));
            }
            y += height;
        }
    }

    void PageEngine::richParagraph(const QTextDocument& doc)
    {
        if (!m_open)
            return;
        ensurePage();
        const double top = m_margins.top;
        const double columnHeight = std::max(bottomLimit() - top, lineHeight());
        if (m_y >= top + columnHeight) {
            breakPage();
            m_y = top;
        }
        const double start = std::max(m_y, top);
        RichTextColumn column;
        column.width = std::max(pageWidth() - m_margins.left - m_margins.right, NarrowestColumn);
        column.pageHeight = columnHeight;
        column.firstPageUsed = start - top;
        column.defaultFont = m_style.font();
        const RichTextPages laidOut = layOutRichText(doc, column);
        const std::shared_ptr<const QTextDocument> shared = laidOut.doc;
        for (int i = 0; i < laidOut.slices.size(); ++i) {
            if (i > 0)
                breakPage();
            const QRectF& slice = laidOut.slices.at(i);
            const QPointF target(m_margins.left, i == 0 ? start : top);
            m_document.add(m_page, RichTextOp{shared, slice, target, m_style.color});
            const QPointF shift = target - slice.topLeft();
            for (const RichTextPages::Rule& rule : laidOut.rules) {
                if (rule.slice == i)
                    m_document.add(m_page,
                                   LineOp{rule.line.p1() + shift, rule.line.p2() + shift, rule.color, rule.width});
            }
        }
        m_y = top + laidOut.endOnLastPage;
        m_x = m_margins.left;
    }

    void PageEngine::rtfParagraph(QByteArrayView rtf)
    {
        if (!m_open)
            return;
        QTextDocument doc;
        rtf::read(rtf, doc);
        richParagraph(doc);
    }

    void PageEngine::drawLine(double x1, double y1, double x2, double y2)
    {
        if (!m_open)
            return;
        ensurePage();
        m_document.add(m_page, LineOp{QPointF(x1, y1), QPointF(x2, y2), m_lineColor, m_lineWidth});
    }

    void PageEngine::fillRect(const QRectF& rect, const QColor& color)
    {
        if (!m_open || rect.isEmpty())
            return;
        ensurePage();
        m_document.add(m_page, RectOp{rect, color});
    }

    void PageEngine::drawPicture(const QImage& picture, const QRectF& rect)
    {
        if (!m_open || picture.isNull() || rect.isEmpty())
            return;
        ensurePage();
        m_document.add(m_page, ImageOp{picture, rect});
    }

    int PageEngine::pageCount() const
    {
        return m_document.pageCount();
    }

    const PageDocument& PageEngine::document() const
    {
        return m_document;
    }

    int PageEngine::ensurePage()
    {
        if (m_page < 0)
            m_page = m_document.addPage();
        return m_page;
    }

    void PageEngine::breakPage()
    {
        ensurePage();
        m_page = m_document.addPage();
    }

    double PageEngine::bottomLimit() const
    {
        return pageHeight() - m_margins.bottom;
    }

    void PageEngine::updateDocumentPage()
    {
        m_document.setPageSize(QSizeF(pageWidth(), pageHeight()), m_orientation);
    }

} // namespace qv
