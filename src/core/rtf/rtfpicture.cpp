#include "rtfpicture.h"

#include "richtextunits.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

namespace qv::rtf {

    namespace {

        constexpr double MaxDisplayUnits = 10000;
        constexpr QSize PlaceholderSize(128, 96);

        const char* formatOf(const QByteArray& data)
        {
            if (data.startsWith("\x89PNG"))
                return "png";
            if (data.startsWith("\xFF\xD8"))
                return "jpeg";
            return nullptr;
        }

        double scaled(int goalTwips, int natural, int percent)
        {
            const double base = goalTwips > 0 ? rtfunits::fromTwips(goalTwips) : natural;
            const double factor = percent > 0 ? percent / 100.0 : 1.0;
            return std::clamp(base * factor, 1.0, MaxDisplayUnits);
        }

    } // namespace

    PictureDecoder::PictureDecoder(qint64 pixelBudget, qint64 maxPixelsPerPicture)
        : m_pixelsLeft(pixelBudget)
        , m_maxPixelsPerPicture(maxPixelsPerPicture)
    {
    }

    QImage PictureDecoder::decode(const PictureData& picture)
    {
        // The data decides, not the tag: writers mislabel, and a PNG is a PNG either way.
        const char* format = formatOf(picture.data);
        if (!format)
            return {};
        QByteArray data = picture.data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, format);
        const QSize size = reader.size();
        if (!size.isValid() || size.isEmpty())
            return {};
        const qint64 pixels = qint64(size.width()) * size.height();
        if (pixels > m_maxPixelsPerPicture || pixels > m_pixelsLeft)
            return {};
        QImage image = reader.read();
        if (image.isNull())
            return {};
        m_pixelsLeft -= pixels;
        return image;
    }

    QImage PictureDecoder::placeholder()
    {
        QImage image(PlaceholderSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(0xEE, 0xEE, 0xEE));
        QPainter painter(&image);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(QRect(QPoint(0, 0), PlaceholderSize - QSize(1, 1)));
        // Text needs the font database, which only exists with a GUI application.
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Picture"));
        return image;
    }

    QSizeF PictureDecoder::displaySize(const PictureData& picture, const QImage& decoded)
    {
        // Bitmaps state their size in pixels; for metafiles \picw is in their own units, so a
        // picture without a goal size falls back to the placeholder's.
        QSize natural = PlaceholderSize;
        if (!decoded.isNull())
            natural = decoded.size();
        return {scaled(picture.goalWidth, natural.width(), picture.scaleX),
                scaled(picture.goalHeight, natural.height(), picture.scaleY)};
    }

} // namespace qv::rtf
