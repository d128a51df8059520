#include "twips.h"

#include <QPaintDevice>

namespace qv::twips {

    namespace {

        // Only metrics are asked of it; nothing paints on it, so it needs no paint engine.
        class LayoutDevice final : public QPaintDevice
        {
        public:
            QPaintEngine* paintEngine() const override
            {
                return nullptr;
            }

        protected:
            int metric(PaintDeviceMetric metric) const override
            {
                // A Letter page, though only the resolution matters to layout.
                constexpr int Width = 12240;
                constexpr int Height = 15840;
                switch (metric) {
                case PdmDpiX:
                case PdmDpiY:
                case PdmPhysicalDpiX:
                case PdmPhysicalDpiY:
                    return static_cast<int>(PerInch);
                case PdmWidth:
                    return Width;
                case PdmHeight:
                    return Height;
                case PdmWidthMM:
                    return qRound(Width / PerInch * 25.4);
                case PdmHeightMM:
                    return qRound(Height / PerInch * 25.4);
                case PdmDepth:
                    return 32;
                case PdmNumColors:
                    return 1 << 24;
                case PdmDevicePixelRatio:
                    return 1;
                case PdmDevicePixelRatioScaled:
                    return static_cast<int>(devicePixelRatioFScale());
                default:
                    return 0;
                }
            }
        };

    } // namespace

    QPaintDevice& layoutDevice()
    {
        static LayoutDevice device;
        return device;
    }

    QFont layoutFont(const QFont& font)
    {
        return QFont(font, &layoutDevice());
    }

    QFont paintFont(const QFont& font, const QPaintDevice& device)
    {
        // The painter resolves a font's point size at its device's resolution; asking for
        // PerInch / dpi times the size gives a pixel size of exactly the size in twips.
        QFont scaled(font);
        const int dpi = device.logicalDpiY() > 0 ? device.logicalDpiY() : 96;
        scaled.setPointSizeF(font.pointSizeF() * PerInch / dpi);
        return scaled;
    }

} // namespace qv::twips
