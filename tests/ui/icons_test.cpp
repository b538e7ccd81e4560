#include "ui/drawhelpers.h"
#include "ui/icons.h"

#include <QFile>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

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
