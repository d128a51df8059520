// quorvane-wallpaper: paints the sixteen grid background pictures into a folder.
//
//     quorvane-wallpaper OUTPUT_FOLDER
//
// Each picture lies behind black text in the working grids, so all of them are light and quiet:
// papers, linens, soft gradients and faint rulings, never a figure the eye would follow. They are
// made from a fixed seed, so every build paints the same pictures.

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

namespace {

    constexpr int Width = 1280;
    constexpr int Height = 800;

    // A small fixed generator: the pictures must not change from one build, compiler or library to
    // the next, which std::rand and the standard distributions do not promise.
    class Noise
    {
    public:
        explicit Noise(std::uint32_t seed)
            : m_state(seed * 2654435761u + 1u)
        {
        }
        // Uniform in [0, 1).
        double next()
        {
            m_state ^= m_state << 13;
            m_state ^= m_state >> 17;
            m_state ^= m_state << 5;
            return double(m_state) / 4294967296.0;
        }
        // Uniform in [-1, 1).
        double signedNext()
        {
            return next() * 2.0 - 1.0;
        }

    private:
        std::uint32_t m_state;
    };

    int clampByte(double v)
    {
        return std::clamp(int(std::lround(v)), 0, 255);
    }

    QImage filled(const QColor& color)
    {
        QImage image(Width, Height, QImage::Format_RGB32);
        image.fill(color);
        return image;
    }

    // Grain: every pixel a little lighter or darker, as paper is under a lens.
    void grain(QImage& image, Noise& noise, double amount)
    {
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const double d = noise.signedNext() * amount;
                const QRgb p = line[x];
                line[x] = qRgb(clampByte(qRed(p) + d), clampByte(qGreen(p) + d), clampByte(qBlue(p) + d));
            }
        }
    }

    // Fibres: short, faint strokes in every direction, as in laid or handmade paper.
    void fibres(QImage& image, Noise& noise, const QColor& color, int count)
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < count; ++i) {
            const double x = noise.next() * Width;
            const double y = noise.next() * Height;
            const double angle = noise.next() * 6.2832;
            const double length = 6 + noise.next() * 22;
            QColor c = color;
            c.setAlphaF(0.05 + noise.next() * 0.08);
            p.setPen(QPen(c, 0.6 + noise.next() * 0.6));
            QPainterPath path({x, y});
            path.quadTo(x + std::cos(angle + 0.4) * length / 2,
                        y + std::sin(angle + 0.4) * length / 2,
                        x + std::cos(angle) * length,
                        y + std::sin(angle) * length);
            p.drawPath(path);
        }
    }

    // A woven cloth: threads along both axes whose brightness wanders a little from thread to thread.
    void weave(QImage& image, Noise& noise, double amount, int pitch)
    {
        std::vector<double> rows(size_t(Height / pitch + 2));
        std::vector<double> columns(size_t(Width / pitch + 2));
        for (double& r : rows) {
            r = noise.signedNext() * amount;
        }
        for (double& c : columns) {
            c = noise.signedNext() * amount;
        }
        for (int y = 0; y < Height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            const double rowShade = rows[size_t(y / pitch)] * (y % pitch == 0 ? 1.6 : 1.0);
            for (int x = 0; x < Width; ++x) {
                const double columnShade = columns[size_t(x / pitch)] * (x % pitch == 0 ? 1.6 : 1.0);
                // Over and under: the thread on top alternates like a plain weave.
                const bool warpOnTop = ((x / pitch) + (y / pitch)) % 2 == 0;
                const double d = warpOnTop ? columnShade * 1.2 + rowShade * 0.4 : rowShade * 1.2 + columnShade * 0.4;
                const QRgb p = line[x];
                line[x] = qRgb(clampByte(qRed(p) + d), clampByte(qGreen(p) + d), clampByte(qBlue(p) + d));
            }
        }
    }

    void gradient(QImage& image, QPointF from, QPointF to, const QColor& a, const QColor& b)
    {
        QPainter p(&image);
        QLinearGradient g(from, to);
        g.setColorAt(0, a);
        g.setColorAt(1, b);
        p.fillRect(image.rect(), g);
    }

    void rules(QImage& image, int spacing, const QColor& color, bool vertical, bool horizontal, double width = 1.0)
    {
        QPainter p(&image);
        p.setPen(QPen(color, width));
        if (horizontal) {
            for (int y = spacing; y < Height; y += spacing) {
                p.drawLine(QPointF(0, y + 0.5), QPointF(Width, y + 0.5));
            }
        }
        if (vertical) {
            for (int x = spacing; x < Width; x += spacing) {
                p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, Height));
            }
        }
    }

    // Soft round washes of colour, as watercolour dries on paper.
    void washes(QImage& image, Noise& noise, const QList<QColor>& colors, int count)
    {
        QPainter p(&image);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < count; ++i) {
            const QPointF centre(noise.next() * Width, noise.next() * Height);
            const double radius = 120 + noise.next() * 260;
            QColor c = colors[i % colors.size()];
            QRadialGradient g(centre, radius);
            c.setAlphaF(0.09 + noise.next() * 0.07);
            g.setColorAt(0, c);
            c.setAlphaF(0);
            g.setColorAt(1, c);
            p.setBrush(g);
            p.drawEllipse(centre, radius, radius);
        }
    }

    void vignette(QImage& image, const QColor& edge, double strength)
    {
        QPainter p(&image);
        QRadialGradient g(QPointF(Width / 2.0, Height / 2.0), Width * 0.75);
        QColor clear = edge;
        clear.setAlphaF(0);
        QColor dark = edge;
        dark.setAlphaF(strength);
        g.setColorAt(0.45, clear);
        g.setColorAt(1, dark);
        p.fillRect(image.rect(), g);
    }

    // Long, low swells across the picture, light and shade in turn.
    void waves(QImage& image, const QColor& color, int count, double amplitude, double alpha)
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < count; ++i) {
            const double base = Height * (i + 0.5) / count;
            QPainterPath path({0, base});
            for (int x = 0; x <= Width; x += 16) {
                path.lineTo(
                    x, base + amplitude * std::sin(x / 170.0 + i * 0.9) + amplitude * 0.4 * std::sin(x / 53.0 + i));
            }
            path.lineTo(Width, Height);
            path.lineTo(0, Height);
            path.closeSubpath();
            QColor c = color;
            c.setAlphaF(alpha);
            p.fillPath(path, c);
        }
    }

    QImage picture(int number)
    {
        Noise noise(std::uint32_t(number) * 7919u);
        switch (number) {
        case 1: { // warm writing paper
            QImage image = filled(QColor(0xFA, 0xF5, 0xE8));
            grain(image, noise, 5);
            fibres(image, noise, QColor(0x8A, 0x76, 0x50), 2600);
            return image;
        }
        case 2: { // natural linen
            QImage image = filled(QColor(0xF1, 0xEC, 0xE0));
            weave(image, noise, 5, 3);
            grain(image, noise, 3);
            return image;
        }
        case 3: { // morning sky
            QImage image = filled(Qt::white);
            gradient(image, {0, 0}, {0, Height}, QColor(0xE3, 0xEE, 0xFA), QColor(0xFB, 0xFD, 0xFF));
            grain(image, noise, 2);
            return image;
        }
        case 4: { // graph paper
            QImage image = filled(QColor(0xFC, 0xFD, 0xFB));
            rules(image, 20, QColor(0xDC, 0xE8, 0xF2), true, true);
            rules(image, 100, QColor(0xC6, 0xD8, 0xE8), true, true);
            grain(image, noise, 2);
            return image;
        }
        case 5: { // mint
            QImage image = filled(Qt::white);
            gradient(image, {0, 0}, {Width, Height}, QColor(0xE6, 0xF5, 0xEC), QColor(0xF8, 0xFC, 0xF6));
            grain(image, noise, 3);
            return image;
        }
        case 6: { // lavender paper
            QImage image = filled(QColor(0xF4, 0xF1, 0xF9));
            grain(image, noise, 4);
            fibres(image, noise, QColor(0x70, 0x60, 0x90), 1800);
            return image;
        }
        case 7: { // ledger
            QImage image = filled(QColor(0xF7, 0xFB, 0xF3));
            rules(image, 32, QColor(0xD2, 0xE6, 0xD0), false, true);
            {
                QPainter p(&image);
                p.setPen(QPen(QColor(0xF0, 0xC8, 0xC8), 1.5));
                p.drawLine(QPointF(64.5, 0), QPointF(64.5, Height));
            }
            grain(image, noise, 2);
            return image;
        }
        case 8: { // sand
            QImage image = filled(QColor(0xF8, 0xF1, 0xE4));
            waves(image, QColor(0xE9, 0xDA, 0xBE), 7, 18, 0.16);
            grain(image, noise, 4);
            return image;
        }
        case 9: { // dotted ivory
            QImage image = filled(QColor(0xFB, 0xF9, 0xF2));
            {
                QPainter p(&image);
                p.setRenderHint(QPainter::Antialiasing);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0xD9, 0xD3, 0xC2));
                for (int y = 12; y < Height; y += 24) {
                    for (int x = 12; x < Width; x += 24) {
                        p.drawEllipse(QPointF(x, y), 1.2, 1.2);
                    }
                }
            }
            grain(image, noise, 2);
            return image;
        }
        case 10: { // peach
            QImage image = filled(QColor(0xFF, 0xF7, 0xF0));
            {
                QPainter p(&image);
                QRadialGradient g(QPointF(Width * 0.3, Height * 0.25), Width * 0.9);
                g.setColorAt(0, QColor(0xFF, 0xFC, 0xF8));
                g.setColorAt(1, QColor(0xFB, 0xE6, 0xD6));
                p.fillRect(image.rect(), g);
            }
            grain(image, noise, 3);
            return image;
        }
        case 11: { // grey canvas
            QImage image = filled(QColor(0xF0, 0xF0, 0xEE));
            weave(image, noise, 6, 4);
            grain(image, noise, 3);
            return image;
        }
        case 12: { // watercolour
            QImage image = filled(QColor(0xFD, 0xFC, 0xF8));
            washes(image,
                   noise,
                   {QColor(0xB8, 0xD4, 0xEC),
                    QColor(0xEC, 0xD4, 0xB8),
                    QColor(0xC8, 0xE4, 0xC8),
                    QColor(0xE4, 0xC8, 0xDC)},
                   26);
            grain(image, noise, 3);
            return image;
        }
        case 13: { // pearl pinstripe
            QImage image = filled(QColor(0xF7, 0xF7, 0xF9));
            {
                QPainter p(&image);
                p.setRenderHint(QPainter::Antialiasing);
                p.setPen(QPen(QColor(0xE4, 0xE6, 0xEE), 1.0));
                for (int x = -Height; x < Width; x += 14) {
                    p.drawLine(QPointF(x, Height), QPointF(x + Height, 0));
                }
            }
            grain(image, noise, 2);
            return image;
        }
        case 14: { // parchment
            QImage image = filled(QColor(0xF9, 0xF1, 0xDE));
            washes(image, noise, {QColor(0xF2, 0xE2, 0xBE), QColor(0xFF, 0xFA, 0xEE)}, 20);
            vignette(image, QColor(0xC8, 0xAE, 0x80), 0.22);
            grain(image, noise, 4);
            fibres(image, noise, QColor(0x8A, 0x70, 0x40), 900);
            return image;
        }
        case 15: { // shallow water
            QImage image = filled(QColor(0xF0, 0xF9, 0xFA));
            waves(image, QColor(0xCF, 0xEA, 0xEE), 6, 22, 0.22);
            grain(image, noise, 2);
            return image;
        }
        case 16: { // rose linen
            QImage image = filled(QColor(0xFA, 0xF0, 0xF0));
            weave(image, noise, 4, 3);
            grain(image, noise, 3);
            return image;
        }
        }
        return filled(Qt::white);
    }

} // namespace

int main(int argc, char* argv[])
{
    // For the image plugins, which JPEG is written with.
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: quorvane-wallpaper OUTPUT_FOLDER\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        err << "quorvane-wallpaper: cannot make " << out.path() << '\n';
        return 1;
    }
    for (int n = 1; n <= 16; ++n) {
        const QString path = out.filePath(QStringLiteral("WP%1.jpg").arg(n));
        if (!picture(n).save(path, "JPG", 88)) {
            err << "quorvane-wallpaper: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
