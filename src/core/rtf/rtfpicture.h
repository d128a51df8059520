#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

namespace qv::rtf {

    // What a \pict group holds. Its format tag (\pngblip, \wmetafile8...) is not kept: writers
    // mislabel, and the bytes tell PNG and JPEG apart from what we cannot draw.
    struct PictureData
    {
        QByteArray data;
        int goalWidth = 0; // \picwgoal, twips
        int goalHeight = 0; // \pichgoal, twips
        int scaleX = 100; // percent
        int scaleY = 100;
    };

    // Decodes the pictures of one document. A few hundred bytes of PNG can claim a picture of
    // gigabytes, so each picture and the whole document get a budget of pixels; pictures past it,
    // and kinds we cannot draw, come back null and are shown as the placeholder.
    class PictureDecoder
    {
    public:
        // About six photographs of 8 megapixels in one document, one of 24 at most.
        explicit PictureDecoder(qint64 pixelBudget = 48'000'000, qint64 maxPixelsPerPicture = 24'000'000);

        QImage decode(const PictureData& picture);

        // The shared stand-in for pictures we cannot show: a grey framed box with "Picture" in it.
        static QImage placeholder();

        // The size a picture takes in the document, in document units.
        static QSizeF displaySize(const PictureData& picture, const QImage& decoded);

    private:
        qint64 m_pixelsLeft;
        qint64 m_maxPixelsPerPicture;
    };

} // namespace qv::rtf
