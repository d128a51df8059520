#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QList>
#include <QRectF>

#include <memory>

class QTextDocument;

namespace qv {

    // Where a rich-text block is poured: a column `width` twips wide whose pages hold `pageHeight`
    // twips each; `firstPageUsed` twips at the top of the first page are taken already.
    struct RichTextColumn
    {
        double width = 0;
        double pageHeight = 0;
        double firstPageUsed = 0;
        QFont defaultFont;
    };

    // A copy of a document laid out in twips and cut into page-high slices. `slices[i]` is the part
    // of the copy that goes on the i-th page of the column, in the copy's own coordinates; the first
    // starts below what was used already. `endOnLastPage` is how far down the last page the text
    // reaches, measured from the top of the column.
    struct RichTextPages
    {
        // A rule the slice `slice` needs drawn over it, in the copy's own coordinates.
        struct Rule
        {
            int slice = 0;
            QLineF line;
            double width = 0;
            QColor color;
        };

        std::shared_ptr<QTextDocument> doc;
        QList<QRectF> slices;
        double endOnLastPage = 0;
        // Where a table with shared cell borders runs on to the next page, Qt draws the border
        // under its last row below the page, out of the slice: these close the table at the break.
        QList<Rule> rules;
    };

    RichTextPages layOutRichText(const QTextDocument& source, const RichTextColumn& column);

    // Lengths in a QTextDocument are CSS pixels, 15 twips each. Laid out against a 1440-dpi device,
    // Qt scales some of them by the device's resolution over its own default resolution (vertical
    // spacing, line heights, tab stops, list indents, tables, pictures) and takes the others
    // (left and right indents, first-line indent) as device pixels. This brings both kinds to twips
    // in doc, given Qt's default resolution (96 on every platform we ship for, 72 on macOS).
    void convertLengthsForTwips(QTextDocument& doc, double qtDefaultDpi);

    // The resolution Qt scales document lengths against (see convertLengthsForTwips).
    double qtDefaultDpi();

} // namespace qv
