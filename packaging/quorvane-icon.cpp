// Draws the program's SVG icon as a square PNG of one size, for the icon theme's fixed-size folders:
//     quorvane-icon <icon.svg> <size> <out.png>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

    int fail(const QString& message)
    {
        QTextStream(stderr) << "quorvane-icon: " << message << '\n';
        return 1;
    }

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        return fail(QStringLiteral("usage: quorvane-icon <icon.svg> <size> <out.png>"));
    }
    bool isNumber = false;
    const int size = args.at(2).toInt(&isNumber);
    if (!isNumber || size < 1 || size > 1024) {
        return fail(QStringLiteral("%1 is not a size in pixels").arg(args.at(2)));
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        return fail(QStringLiteral("%1 is not a readable SVG picture").arg(args.at(1)));
    }

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }

    // A half-written picture would be installed as it is, so the file is only replaced when whole.
    QSaveFile out(args.at(3));
    if (!out.open(QIODevice::WriteOnly) || !image.save(&out, "PNG") || !out.commit()) {
        return fail(QStringLiteral("cannot write %1").arg(args.at(3)));
    }
    return 0;
}
