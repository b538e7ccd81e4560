#include "ui/drawhelpers.h"
#include "ui/icons.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace ryv {
namespace {

// Counts pixels that are not fully transparent.
int PaintedPixels(const QImage& image)
{
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                ++painted;
    return painted;
}

TEST(RyvIcon, EveryImageIsBundledAndDrawsSomething)
{
    // Without a theme (the offscreen platform has none) every command must
    // still show a visible image.
    SetUseThemeIcons(false);
    for (TRyvIcon id : AllRyvIcons()) {
        SCOPED_TRACE(BundledIconPath(id).toStdString());
        EXPECT_TRUE(QFile::exists(BundledIconPath(id)));
        const QIcon icon = RyvIcon(id);
        ASSERT_FALSE(icon.isNull());
        EXPECT_GT(PaintedPixels(IconToPng(icon, QSize(32, 32))), 20);
    }
    SetUseThemeIcons(true);
}

TEST(RyvIcon, WithThemeEnabledStillNeverNull)
{
    SetUseThemeIcons(true);
    for (TRyvIcon id : AllRyvIcons()) {
        const QIcon icon = RyvIcon(id);
        EXPECT_FALSE(icon.isNull());
        EXPECT_FALSE(icon.pixmap(16, 16).isNull());
    }
}

// The build renders the images as pixels for the sizes the window draws;
// they must show what the SVG image shows, and other sizes still draw.
TEST(RyvIcon, RenderedPixelsMatchTheSvgImages)
{
    SetUseThemeIcons(false);
    for (TRyvIcon id : AllRyvIcons()) {
        SCOPED_TRACE(BundledIconPath(id).toStdString());
        const QIcon icon = RyvIcon(id);
        const QIcon svg(BundledIconPath(id));
        for (const int side : { 16, 24, 32, 48, 64 }) {
            SCOPED_TRACE(side);
            const QString name = QFileInfo(BundledIconPath(id)).completeBaseName();
            EXPECT_TRUE(
                QFile::exists(QStringLiteral(":/iconpixels/%1-%2.argb").arg(name).arg(side)));
            const QImage drawn = icon.pixmap(QSize(side, side), 1.0)
                                     .toImage()
                                     .convertToFormat(QImage::Format_ARGB32);
            const QImage expected = svg.pixmap(QSize(side, side), 1.0)
                                        .toImage()
                                        .convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(drawn.size(), expected.size());
            int worst = 0;
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    const QRgb a = drawn.pixel(x, y);
                    const QRgb b = expected.pixel(x, y);
                    for (const int d : { qRed(a) - qRed(b), qGreen(a) - qGreen(b),
                             qBlue(a) - qBlue(b), qAlpha(a) - qAlpha(b) })
                        worst = std::max(worst, std::abs(d));
                }
            }
            // Only the rounding of half-transparent edges may differ.
            EXPECT_LE(worst, 8);
        }
        EXPECT_GT(PaintedPixels(IconToPng(icon, QSize(40, 40))), 20);
    }
    SetUseThemeIcons(true);
}

TEST(RyvIcon, BundledImagesAreDistinct)
{
    // Two commands sharing an image by mistake in the table would look alike.
    QSet<QString> paths;
    for (TRyvIcon id : AllRyvIcons())
        paths.insert(BundledIconPath(id));
    EXPECT_EQ(paths.size(), AllRyvIcons().size());
}

} // namespace
} // namespace ryv
