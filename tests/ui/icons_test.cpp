#include "ui/drawhelpers.h"
#include "ui/icons.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

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

// An image drawn in the designs' grey alone (the line drawings), as its SVG
// file says; the others are coloured (the done mark in green only).
bool IsLineDrawing(TRyvIcon id)
{
    QFile file(BundledIconPath(id));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const QRegularExpression colour(u"#[0-9a-fA-F]{3,6}\\b"_qs);
    QSet<QString> colours;
    for (auto it = colour.globalMatch(QString::fromUtf8(file.readAll())); it.hasNext();)
        colours.insert(it.next().captured().toLower());
    return colours == QSet<QString> { u"#4d5159"_qs };
}

// The colour of the painted pixels of an image, without their alpha; invalid when
// they differ by more than the rounding of half-transparent edges.
QColor PaintedColour(const QImage& image)
{
    QColor seen;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) < 160)
                continue;
            const QColor c(qRed(p), qGreen(p), qBlue(p));
            if (!seen.isValid())
                seen = c;
            else if (std::abs(c.red() - seen.red()) > 3 || std::abs(c.green() - seen.green()) > 3
                || std::abs(c.blue() - seen.blue()) > 3)
                return QColor();
        }
    }
    return seen;
}

// Equal colours but for the rounding of premultiplied pixels.
bool SameColour(const QColor& a, const QColor& b)
{
    return a.isValid() && b.isValid() && std::abs(a.red() - b.red()) <= 2
        && std::abs(a.green() - b.green()) <= 2 && std::abs(a.blue() - b.blue()) <= 2;
}

QImage Pixels(const QIcon& icon, int side, QIcon::Mode mode = QIcon::Normal)
{
    return icon.pixmap(QSize(side, side), 1.0, mode)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

// On a dark palette the line drawings (star, history, reports, export, the
// recent mark ...) would vanish in their dark grey: they are drawn in the
// palette's text colour, and again after the palette changes; the coloured
// images (start, stop, the done mark, the program's icon) keep their colours.
TEST(RyvIcon, LineDrawingsTakeThePalettesTextColour)
{
    SetUseThemeIcons(false);
    const QPalette saved = QGuiApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x70, 0x70, 0x70));
    dark.setColor(QPalette::HighlightedText, QColor(0xff, 0xff, 0xff));
    QPalette light;
    light.setColor(QPalette::WindowText, QColor(0x10, 0x20, 0x30));
    light.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0xa0, 0xa0, 0xa0));
    light.setColor(QPalette::HighlightedText, QColor(0xff, 0xff, 0xfe));
    // The icons are made once, as the window makes them, and outlive the
    // changes of palette.
    std::vector<std::pair<TRyvIcon, QIcon>> icons;
    for (TRyvIcon id : AllRyvIcons())
        icons.push_back({ id, RyvIcon(id) });
    int lineDrawings = 0;
    for (const QPalette& palette : { dark, light, dark }) {
        QGuiApplication::setPalette(palette);
        for (const auto& [id, icon] : icons) {
            SCOPED_TRACE(BundledIconPath(id).toStdString());
            for (const int side : { 16, 24, 40 }) {
                const QImage drawn = Pixels(icon, side);
                if (!IsLineDrawing(id)) {
                    EXPECT_EQ(drawn, Pixels(QIcon(BundledIconPath(id)), side));
                    continue;
                }
                ++lineDrawings;
                EXPECT_TRUE(SameColour(PaintedColour(drawn), palette.color(QPalette::WindowText)))
                    << side;
                EXPECT_TRUE(SameColour(PaintedColour(Pixels(icon, side, QIcon::Disabled)),
                    palette.color(QPalette::Disabled, QPalette::WindowText)));
                EXPECT_TRUE(SameColour(PaintedColour(Pixels(icon, side, QIcon::Selected)),
                    palette.color(QPalette::HighlightedText)));
            }
        }
    }
    EXPECT_GT(lineDrawings, 3 * 3 * 30);
    // Each image is drawn once per size and colour, whichever icon asks.
    QGuiApplication::setPalette(dark);
    EXPECT_EQ(RyvIcon(TRyvIcon::History).pixmap(QSize(24, 24), 1.0).cacheKey(),
        RyvIcon(TRyvIcon::History).pixmap(QSize(24, 24), 1.0).cacheKey());
    QGuiApplication::setPalette(saved);
    SetUseThemeIcons(true);
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
            // Line drawings take the palette's colour: only their shape is
            // compared.
            const bool shapeOnly = IsLineDrawing(id);
            int worst = 0;
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    const QRgb a = drawn.pixel(x, y);
                    const QRgb b = expected.pixel(x, y);
                    worst = std::max(worst, std::abs(qAlpha(a) - qAlpha(b)));
                    if (shapeOnly)
                        continue;
                    for (const int d :
                        { qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b) })
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
