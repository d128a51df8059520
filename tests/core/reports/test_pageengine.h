#pragma once

#include "core/reports/pagedocument.h"

#include <QImage>
#include <QList>
#include <QObject>

// Plain text, lines, margins, fonts and the document's life in test_pageengine.cpp; rich text in
// test_pagerichtext.cpp.
class TestPageEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lifeCycle_data();
    void lifeCycle();
    void drawingOutsideADocumentIsIgnored();
    void signals();
    void pageSizeAndOrientation_data();
    void pageSizeAndOrientation();
    void marginsReadBack();

    void paragraphWrapsAtTheRightMargin_data();
    void paragraphWrapsAtTheRightMargin();
    void successiveParagraphsAdvanceOneLine_data();
    void successiveParagraphsAdvanceOneLine();
    void lineBreaksInTheText_data();
    void lineBreaksInTheText();
    void longParagraphContinuesOnANewPage();
    void lineAtTheVeryBottomStillFits();
    void newPageMovesToTheTopMargin();

    void textWidthInTwips_data();
    void textWidthInTwips();
    void textWidthScalesWithTheSize();
    void textWidthDoesNotDependOnAnyScreen();
    void layoutIsDeterministic();
    void rightAlignment_data();
    void rightAlignment();

    void stylesRecordedOnText_data();
    void stylesRecordedOnText();
    void fontFallBack_data();
    void fontFallBack();
    void linesRecorded_data();
    void linesRecorded();

    void paintedTextLeavesInk();
    void paintedColours();
    void guideLines_data();
    void guideLines();
    void picturePainted();
    void printsOnAPagedDevice_data();
    void printsOnAPagedDevice();

    // Rich text.
    void richTextPaginates();
    void richTextStartsAtTheTextPosition_data();
    void richTextStartsAtTheTextPosition();
    void richTextLengthsInTwips_data();
    void richTextLengthsInTwips();
    void richTextBeginningWithATable();
    void richTextDefaultsToTheCurrentFont();
    void richTextPictures();
    void rtfParagraphReadsTheBytes();
    void richTextPaintsNothingBelowTheBottomMargin();
    void pictureMovedToTheNextPageLeavesNothingBehind_data();
    void pictureMovedToTheNextPageLeavesNothingBehind();
    void tableBrokenAcrossPagesIsClosedAtTheBreak();
    void lengthConversionForOtherResolutions_data();
    void lengthConversionForOtherResolutions();
};

namespace qv {
    class PageEngine;
}

namespace qv::pagetest {

    // Screen-sized painting: 96 pixels to the inch.
    inline constexpr double ScreenScale = 96.0 / 1440.0;

    // Letter with equal margins, Liberation Serif 12, document begun.
    void startLetter(PageEngine& engine, double margin = 1440);

    bool isInk(QRgb pixel);
    bool isRed(QRgb pixel);
    bool isBlue(QRgb pixel);
    // Pixels of image inside rect that match, and the box around them.
    int countPixels(const QImage& image, const QRect& rect, bool (*matches)(QRgb) = isInk);
    QRect pixelBounds(const QImage& image, const QRect& rect, bool (*matches)(QRgb) = isInk);
    // A rectangle in twips as pixels at scale.
    QRect scaled(const QRectF& twips, double scale);
    // Every string of the document, one list per page.
    QList<QList<PlacedText>> allStrings(const PageDocument& doc);

} // namespace qv::pagetest
