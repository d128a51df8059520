#include "richtextpages.h"

#include "core/rtf/richtextunits.h"
#include "twips.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QtGui/qtguiglobal.h>

#include <algorithm>
#include <cmath>

// The resolution QTextDocumentLayout scales lengths by; Qt exports it for its own modules but keeps
// it out of the headers. Guessing it from the screen instead would break the day Qt changes its rule.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT int qt_defaultDpiY();
QT_END_NAMESPACE

namespace qv {

    namespace {

        QList<QTextOption::Tab> scaledTabs(QList<QTextOption::Tab> tabs, double factor)
        {
            for (QTextOption::Tab& tab : tabs)
                tab.position *= factor;
            return tabs;
        }

        QTextBlockFormat blockInTwips(QTextBlockFormat f, double unscaled, double scaled, bool* changed)
        {
            const auto scale = [&](double value, double factor, auto set) {
                if (value != 0 && factor != 1) {
                    (f.*set)(value * factor);
                    *changed = true;
                }
            };
            scale(f.leftMargin(), unscaled, &QTextBlockFormat::setLeftMargin);
            scale(f.rightMargin(), unscaled, &QTextBlockFormat::setRightMargin);
            scale(f.textIndent(), unscaled, &QTextBlockFormat::setTextIndent);
            if (scaled == 1)
                return f;
            scale(f.topMargin(), scaled, &QTextBlockFormat::setTopMargin);
            scale(f.bottomMargin(), scaled, &QTextBlockFormat::setBottomMargin);
            const int heightType = f.lineHeightType();
            if (heightType == QTextBlockFormat::FixedHeight || heightType == QTextBlockFormat::MinimumHeight ||
                heightType == QTextBlockFormat::LineDistanceHeight) {
                f.setLineHeight(f.lineHeight() * scaled, heightType);
                *changed = true;
            }
            if (!f.tabPositions().isEmpty()) {
                f.setTabPositions(scaledTabs(f.tabPositions(), scaled));
                *changed = true;
            }
            return f;
        }

        QTextLength scaledLength(const QTextLength& length, double factor)
        {
            return length.type() == QTextLength::FixedLength
                       ? QTextLength(QTextLength::FixedLength, length.rawValue() * factor)
                       : length;
        }

        void scaleFrame(QTextFrame* frame, double factor)
        {
            QTextFrameFormat f = frame->frameFormat();
            f.setBorder(f.border() * factor);
            f.setPadding(f.padding() * factor);
            f.setTopMargin(f.topMargin() * factor);
            f.setBottomMargin(f.bottomMargin() * factor);
            f.setLeftMargin(f.leftMargin() * factor);
            f.setRightMargin(f.rightMargin() * factor);
            f.setWidth(scaledLength(f.width(), factor));
            f.setHeight(scaledLength(f.height(), factor));
            if (f.isTableFormat()) {
                QTextTableFormat t = f.toTableFormat();
                t.setCellPadding(t.cellPadding() * factor);
                t.setCellSpacing(t.cellSpacing() * factor);
                QList<QTextLength> columns = t.columnWidthConstraints();
                for (QTextLength& column : columns)
                    column = scaledLength(column, factor);
                t.setColumnWidthConstraints(columns);
                f = t;
            }
            frame->setFrameFormat(f);
            if (auto* table = qobject_cast<QTextTable*>(frame)) {
                for (int r = 0; r < table->rows(); ++r) {
                    for (int c = 0; c < table->columns(); ++c) {
                        QTextTableCell cell = table->cellAt(r, c);
                        if (cell.row() != r || cell.column() != c)
                            continue;
                        QTextTableCellFormat cf = cell.format().toTableCellFormat();
                        cf.setTopPadding(cf.topPadding() * factor);
                        cf.setBottomPadding(cf.bottomPadding() * factor);
                        cf.setLeftPadding(cf.leftPadding() * factor);
                        cf.setRightPadding(cf.rightPadding() * factor);
                        cell.setFormat(cf);
                    }
                }
            }
            const QList<QTextFrame*> children = frame->childFrames();
            for (QTextFrame* child : children)
                scaleFrame(child, factor);
        }

        void scalePictures(QTextDocument& doc, double factor)
        {
            for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    const QTextFragment fragment = it.fragment();
                    if (!fragment.isValid() || !fragment.charFormat().isImageFormat())
                        continue;
                    QTextImageFormat image = fragment.charFormat().toImageFormat();
                    if (image.width() > 0)
                        image.setWidth(image.width() * factor);
                    if (image.height() > 0)
                        image.setHeight(image.height() * factor);
                    QTextCursor cursor(&doc);
                    cursor.setPosition(fragment.position());
                    cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
                    cursor.setCharFormat(image);
                }
            }
        }

        // The copy refers to pictures by name; their images are resources of the source.
        void copyPictures(const QTextDocument& source, QTextDocument& doc)
        {
            for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    const QTextCharFormat format = it.fragment().charFormat();
                    if (!format.isImageFormat())
                        continue;
                    const QUrl name(format.toImageFormat().name());
                    if (doc.resource(QTextDocument::ImageResource, name).isValid())
                        continue;
                    const QVariant image = source.resource(QTextDocument::ImageResource, name);
                    if (image.isValid())
                        doc.addResource(QTextDocument::ImageResource, name, image);
                }
            }
        }

        // An empty first block as tall as what the first page has used already, so that Qt's own
        // pagination, which gives every page the same height, breaks the first page early.
        void insertSpacer(QTextDocument& doc, double height, double qtDpi)
        {
            QTextCursor cursor(&doc);
            cursor.insertBlock();
            cursor.movePosition(QTextCursor::Start);
            QTextBlockFormat spacer;
            spacer.setLineHeight(height * qtDpi / twips::PerInch, QTextBlockFormat::FixedHeight);
            cursor.setBlockFormat(spacer);
            if (QTextList* list = cursor.currentList())
                list->remove(cursor.block());
        }

        // The outside of a table's border. Qt's frameBoundingRect() of a table is shifted right
        // and down to where the first cell's text starts: the table's border, the cell's (drawn
        // over it) and the cell's padding in from the table's corner. With shared borders the
        // border is drawn one border's width inside the frame.
        QRectF tableBorderBox(const QTextDocument& doc, const QTextTable& table, double qtDpi)
        {
            const QTextTableFormat format = table.format();
            const QTextTableCellFormat cell = table.cellAt(0, 0).format().toTableCellFormat();
            const double padding =
                cell.hasProperty(QTextFormat::TableCellLeftPadding) ? cell.leftPadding() : format.cellPadding();
            const double toTwips = twips::PerInch / qtDpi;
            const double border = format.border() * toTwips;
            const double inset = padding * toTwips + 2 * border;
            const QRectF shifted = doc.documentLayout()->frameBoundingRect(const_cast<QTextTable*>(&table));
            const QRectF frame(shifted.left() - inset, shifted.top() - inset, shifted.width(), shifted.height());
            return frame.adjusted(border, border, -border, 0);
        }

        // Qt draws the shared border under the last row on a page below the page, where the slice
        // cuts it off: a rule across each table with shared borders closes it at every page break it
        // runs through, on the last twips of the page above.
        void closeTablesAtBreaks(const QTextDocument& doc, double pageHeight, double qtDpi, RichTextPages& pages)
        {
            const QList<QTextFrame*> frames = doc.rootFrame()->childFrames();
            for (QTextFrame* frame : frames) {
                const auto* table = qobject_cast<QTextTable*>(frame);
                if (!table)
                    continue;
                const QTextTableFormat format = table->format();
                if (!format.borderCollapse() || format.border() <= 0 ||
                    format.borderStyle() == QTextFrameFormat::BorderStyle_None)
                    continue;
                const QRectF box = tableBorderBox(doc, *table, qtDpi);
                // Frame lengths are scaled by Qt like the other scaled lengths (see above).
                const double width = format.border() * twips::PerInch / qtDpi;
                const QBrush brush = format.borderBrush();
                const QColor color = brush.style() == Qt::NoBrush ? QColor(Qt::black) : brush.color();
                const int first = static_cast<int>(std::floor(box.top() / pageHeight));
                const int last = static_cast<int>(std::ceil(box.bottom() / pageHeight)) - 1;
                for (int page = std::max(first, 0); page < last && page < pages.slices.size(); ++page) {
                    const double y = (page + 1) * pageHeight - width / 2;
                    // The first row went whole to the next page: nothing of the table is on this one.
                    if (y <= box.top())
                        continue;
                    pages.rules.append({page, QLineF(box.left(), y, box.right(), y), width, color});
                }
            }
        }

    } // namespace

    double qtDefaultDpi()
    {
        return qt_defaultDpiY();
    }

    void convertLengthsForTwips(QTextDocument& doc, double qtDpi)
    {
        const double unscaled = rtfunits::TwipsPerUnit;
        const double scaled = qtDpi * rtfunits::TwipsPerUnit / twips::PerInch;
        QTextCursor edit(&doc);
        edit.beginEditBlock();
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            bool changed = false;
            const QTextBlockFormat f = blockInTwips(block.blockFormat(), unscaled, scaled, &changed);
            if (changed)
                QTextCursor(block).setBlockFormat(f);
        }
        if (scaled != 1) {
            doc.setIndentWidth(doc.indentWidth() * scaled);
            const QList<QTextFrame*> frames = doc.rootFrame()->childFrames();
            for (QTextFrame* frame : frames)
                scaleFrame(frame, scaled);
            scalePictures(doc, scaled);
        }
        edit.endEditBlock();
    }

    RichTextPages layOutRichText(const QTextDocument& source, const RichTextColumn& column)
    {
        RichTextPages result;
        result.doc = std::make_shared<QTextDocument>();
        QTextDocument& doc = *result.doc;
        doc.setUndoRedoEnabled(false);

        // Device and settings go on the empty copy, and the content follows in one edit: Qt lays a
        // document out again on every change of either, and QTextDocument::clone() would lay it
        // out once at the screen's resolution before the device could be set.
        doc.documentLayout()->setPaintDevice(&twips::layoutDevice());
        const double qtDpi = qtDefaultDpi();
        const double pageHeight = std::max(column.pageHeight, 1.0);
        const double used = std::clamp(column.firstPageUsed, 0.0, pageHeight);
        doc.setDefaultFont(column.defaultFont);
        doc.setDocumentMargin(0);
        doc.setIndentWidth(source.indentWidth());
        QTextOption option = source.defaultTextOption();
        option.setUseDesignMetrics(true);
        doc.setDefaultTextOption(option);
        doc.setPageSize(QSizeF(std::max(column.width, 1.0), pageHeight));

        QTextCursor edit(&doc);
        edit.beginEditBlock();
        edit.insertFragment(QTextDocumentFragment(&source));
        copyPictures(source, doc);
        convertLengthsForTwips(doc, qtDpi);
        if (used > 0)
            insertSpacer(doc, used, qtDpi);
        edit.endEditBlock();

        const double height = doc.size().height();
        const int pages = std::max(1, static_cast<int>(std::ceil(height / pageHeight - 1e-9)));
        for (int i = 0; i < pages; ++i) {
            const double top = i == 0 ? used : i * pageHeight;
            result.slices.append(QRectF(0, top, column.width, (i + 1) * pageHeight - top));
        }
        result.endOnLastPage = std::max(height, used) - (pages - 1) * pageHeight;
        closeTablesAtBreaks(doc, pageHeight, qtDpi, result);
        return result;
    }

} // namespace qv
