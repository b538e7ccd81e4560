// Renders the bundled SVG icons at the sizes the window draws them, for the
// build (src/ui/CMakeLists.txt), as raw pixels: drawing one at start-up then
// needs neither the SVG parser, nor an image reader, nor any Qt plugin.
//   ryv_icon_pixels [--png] <out folder> <sizes, comma-separated> <svg file>...
// Writes <out folder>/<name>-<size>.argb for every file and size: size x size
// pixels of QImage::Format_ARGB32_Premultiplied, row by row, in this
// machine's byte order, drawn as Qt's SVG icon engine draws it (the image
// scaled into the square, keeping its aspect ratio, on a transparent ground).
// The resource compiler compresses them.
// With --png it writes <name>-<size>.png instead: the application icon at the
// sizes of the desktop's icon theme (dist/CMakeLists.txt), for desktops and
// software centres that do not draw SVG icons.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    const bool png = argc > 1 && std::strcmp(argv[1], "--png") == 0;
    const int first = png ? 2 : 1;
    if (argc < first + 3) {
        std::fputs("usage: ryv_icon_pixels [--png] <out folder> <sizes> <svg file>...\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[first]);
    QList<int> sizes;
    for (const QString& s : QString::fromLocal8Bit(argv[first + 1]).split(u',', Qt::SkipEmptyParts))
        sizes.append(s.toInt());
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "ryv_icon_pixels: cannot make %s\n", argv[first]);
        return 1;
    }
    for (int i = first + 2; i < argc; ++i) {
        const QString svg = QString::fromLocal8Bit(argv[i]);
        QSvgRenderer renderer(svg);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "ryv_icon_pixels: cannot read %s\n", argv[i]);
            return 1;
        }
        for (const int size : sizes) {
            QSize drawn = renderer.defaultSize();
            drawn.scale(size, size, Qt::KeepAspectRatio);
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter,
                QRectF(QPointF((size - drawn.width()) / 2.0, (size - drawn.height()) / 2.0),
                    QSizeF(drawn)));
            painter.end();
            const QString path = QDir(out).filePath(
                QStringLiteral("%1-%2.%3")
                    .arg(QFileInfo(svg).completeBaseName())
                    .arg(size)
                    .arg(png ? QStringLiteral("png") : QStringLiteral("argb")));
            if (png) {
                if (!image.save(path, "PNG")) {
                    std::fprintf(stderr, "ryv_icon_pixels: cannot write %s\n", qPrintable(path));
                    return 1;
                }
                continue;
            }
            QFile file(path);
            const auto bytes = static_cast<qint64>(image.sizeInBytes());
            if (!file.open(QIODevice::WriteOnly)
                || file.write(reinterpret_cast<const char*>(image.constBits()), bytes) != bytes
                || !file.flush()) {
                std::fprintf(stderr, "ryv_icon_pixels: cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
