#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

namespace qv::rtf {

    struct PictureData
    {
        enum Kind
        {
            Unknown,
            Png,
            Jpeg,
            Metafile, // WMF, EMF, Mac PICT, OS/2: drawing commands we do not render
            Bitmap // device-independent or device bitmaps
        };
        Kind kind = Unknown;
        QByteArray data;
        int width = 0; // \picw
        int height = 0; // \pich
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
        QImage decode(const PictureData& picture);

        // The shared stand-in for pictures we cannot show: a grey framed box with "Picture" in it.
        static QImage placeholder();

        // The size a picture takes in the document, in document units.
        static QSizeF displaySize(const PictureData& picture, const QImage& decoded);

    private:
        qint64 m_pixelsLeft = 64 * 1024 * 1024;
    };

} // namespace qv::rtf
