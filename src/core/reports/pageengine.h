#pragma once

#include "pagedocument.h"

#include <QByteArrayView>
#include <QColor>
#include <QObject>
#include <QSizeF>
#include <QString>

class QTextDocument;

namespace qv {

    // Composes a document page by page, the way every report of the program prints: set margins and
    // font, begin the document, print lines and rich text at a moving text position, draw lines, end
    // the document. Positions and sizes are twips from the paper's top-left corner; font sizes are
    // points. Text is measured at a fixed 1440 dpi, so a report lays out the same on every machine.
    //
    // Output is recorded only while a document is open (between startDoc() and endDoc()); drawing
    // outside is ignored, which callers that skip failing steps can live with.
    class PageEngine : public QObject
    {
        Q_OBJECT

    public:
        // US Letter, portrait, in twips.
        static constexpr double LetterWidth = 12240;
        static constexpr double LetterHeight = 15840;
        static constexpr double DefaultMargin = 1440;
        // A hairline that still shows on screen: 1/96 inch.
        static constexpr double DefaultLineWidth = 15;

        explicit PageEngine(QObject* parent = nullptr);

        // Document life.
        void setPreview(bool on);
        bool preview() const;
        // Discards the document: no pages, nothing open.
        void clear();
        // Discards the document and opens a new one; the text position goes to the top-left margin
        // corner. Page size and margins are taken from the current settings.
        void startDoc();
        void endDoc();
        bool isOpen() const;
        // Ends the current page (giving the document a blank first page if nothing was printed yet)
        // and moves the text position to the top-left margin corner of the next.
        void newPage();

        // Margins, set before startDoc(); read back after the page set-up.
        double marginLeft() const;
        double marginTop() const;
        double marginRight() const;
        double marginBottom() const;
        void setMarginLeft(double twips);
        void setMarginTop(double twips);
        void setMarginRight(double twips);
        void setMarginBottom(double twips);
        PageMargins margins() const;

        // Paper: Letter unless changed; orientation swaps width and height.
        void setPaperSize(QSizeF portraitTwips);
        QSizeF paperSize() const;
        PageOrientation orientation() const;
        void setOrientation(PageOrientation orientation);
        double pageWidth() const;
        double pageHeight() const;

        // Font of the text printed next. fontName() is the face asked for; fontNameUsed() the face
        // really drawn with when that one is not installed.
        QString fontName() const;
        QString fontNameUsed() const;
        void setFontName(const QString& face);
        double fontSize() const;
        void setFontSize(double points);
        bool fontBold() const;
        void setFontBold(bool on);
        bool fontItalic() const;
        void setFontItalic(bool on);
        bool fontUnderline() const;
        void setFontUnderline(bool on);
        bool fontStrikeThrough() const;
        void setFontStrikeThrough(bool on);
        QColor textColor() const;
        void setTextColor(const QColor& color);
        QColor lineColor() const;
        void setLineColor(const QColor& color);
        double lineWidth() const;
        void setLineWidth(double twips);
        TextStyle textStyle() const;

        // Text position: the top-left corner of the next line printed.
        double currentX() const;
        double currentY() const;
        void setCurrentX(double twips);
        void setCurrentY(double twips);

        // Width of text in the current font; height of one line of it.
        double textWidth(const QString& text) const;
        double lineHeight() const;

        // Prints text from the current x, wrapping at the right margin and going on at the top of a
        // new page when a line would pass the bottom margin; every line of it starts at the same x.
        // Line breaks in the text ("\r\n", "\n", "\r") start new lines. Afterwards the text position
        // stands at the left margin, one line below the last line printed.
        void paragraph(const QString& text);
        // Prints a rich-text document between the left and right margins, from the current y on and
        // across as many pages as it needs; text without a font or colour of its own takes the
        // current ones. Afterwards the text position stands at the left margin below it.
        void richParagraph(const QTextDocument& doc);
        // The same for a document given as RTF.
        void rtfParagraph(QByteArrayView rtf);
        void drawLine(double x1, double y1, double x2, double y2);
        // rect filled with color, nothing drawn around it.
        void fillRect(const QRectF& rect, const QColor& color);
        // A picture stretched over rect.
        void drawPicture(const QImage& picture, const QRectF& rect);

        // 0 while nothing has been printed.
        int pageCount() const;
        const PageDocument& document() const;

    Q_SIGNALS:
        // The document was discarded (clear(), or startDoc() replacing it).
        void documentCleared();
        // endDoc(): the document is complete and is shown from its first page.
        void documentEnded();

    private:
        int ensurePage();
        void breakPage();
        double bottomLimit() const;
        void placeLines(const QString& line, const QFont& font, double& y);
        void updateDocumentPage();

        PageDocument m_document;
        bool m_preview = false;
        bool m_open = false;
        QSizeF m_paper{LetterWidth, LetterHeight};
        PageOrientation m_orientation = PageOrientation::Portrait;
        PageMargins m_margins{DefaultMargin, DefaultMargin, DefaultMargin, DefaultMargin};
        QString m_fontName;
        TextStyle m_style;
        QColor m_lineColor = Qt::black;
        double m_lineWidth = DefaultLineWidth;
        double m_x = DefaultMargin;
        double m_y = DefaultMargin;
        int m_page = -1;
    };

} // namespace qv
