// Renders the bundled SVG icons at the sizes the window draws them, for the
// build (src/ui/CMakeLists.txt), as raw pixels: drawing one at start-up then
// needs neither the SVG parser, nor an image reader, nor any Qt plugin.
//   ryv_icon_pixels <out folder> <sizes, comma-separated> <svg file>...
// Writes <out folder>/<name>-<size>.argb for every file and size: size x size
// pixels of QImage::Format_ARGB32_Premultiplied, row by row, in this
// machine's byte order, drawn as Qt's SVG icon engine draws it (the image
// scaled into the square, keeping its aspect ratio, on a transparent ground).
// The resource compiler compresses them.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fputs("usage: ryv_icon_pixels <out folder> <sizes> <svg file>...\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QList<int> sizes;
    for (const QString& s : QString::fromLocal8Bit(argv[2]).split(u',', Qt::SkipEmptyParts))
        sizes.append(s.toInt());
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "ryv_icon_pixels: cannot make %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
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
                QStringLiteral("%1-%2.argb").arg(QFileInfo(svg).completeBaseName()).arg(size));
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
