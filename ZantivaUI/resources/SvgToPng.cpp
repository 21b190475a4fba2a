// Build tool: draws an SVG file into a PNG of the given height (width from the aspect ratio).
// Usage: zantiva_svg_to_png INPUT.svg OUTPUT.png HEIGHT
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s INPUT.svg OUTPUT.png HEIGHT\n", argv[0]);
        return 2;
    }
    // No display is needed to draw into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int height = QString::fromLatin1(argv[3]).toInt();
    if (!svg.isValid() || height < 1) {
        std::fprintf(stderr, "%s: cannot read %s, or bad height %s\n", argv[0], argv[1], argv[3]);
        return 1;
    }
    const QSizeF box = svg.viewBoxF().size();
    const int width = static_cast<int>(std::ceil(height * box.width() / box.height()));
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, QRectF(0, 0, width, height));
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
