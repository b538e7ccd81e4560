#include "ui/drawhelpers.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(BlendColors, HalvesEachChannelRoundingDownSeparately)
{
    struct Case {
        QColor a, b, expected;
    };
    const Case cases[] = {
        { QColor(0, 0, 0), QColor(255, 255, 255), QColor(127, 127, 127) },
        // 1/2 + 1/2 rounds down per half: 0 + 0, not round(1).
        { QColor(1, 3, 255), QColor(1, 3, 255), QColor(0, 2, 254) },
        { QColor(200, 100, 50), QColor(10, 20, 31), QColor(105, 60, 40) },
        // Colours given in another model are resolved to RGB first.
        { QColor::fromHsv(0, 255, 255), QColor(0, 0, 255), QColor(127, 0, 127) },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BlendColors(c.a, c.b), c.expected)
            << c.a.name().toStdString() << " + " << c.b.name().toStdString();
        EXPECT_EQ(BlendColors(c.b, c.a), c.expected);
    }
}

// The horizontal extent of the dark pixels drawn into image.
std::pair<int, int> InkColumns(const QImage& image)
{
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return { left, right };
}

int InkRows(const QImage& image)
{
    int rows = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                ++rows;
                break;
            }
    return rows;
}

QImage Draw(const QString& text, const QSize& size, bool centred)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    DrawTextInRect(painter, text, image.rect(), centred);
    return image;
}

TEST(DrawTextInRect, OneLineIsCentredAndCutToTheRect)
{
    const QImage shortText = Draw(QStringLiteral("Hi"), QSize(200, 40), false);
    const auto [l, r] = InkColumns(shortText);
    ASSERT_LT(l, r);
    EXPECT_NEAR((l + r) / 2.0, 100.0, 6.0);

    const QString longText(200, QLatin1Char('W'));
    const QImage cut = Draw(longText, QSize(120, 40), false);
    const auto [cl, cr] = InkColumns(cut);
    EXPECT_GE(cl, 0);
    EXPECT_LT(cr, 120);
    // One line, not wrapped.
    EXPECT_LT(InkRows(cut), 25);
}

TEST(DrawTextInRect, CentredTextWrapsIntoSeveralLines)
{
    const QString text = QStringLiteral("To start a new task, simply click here or press Ins ...");
    const QImage oneLine = Draw(text, QSize(120, 200), false);
    const QImage wrapped = Draw(text, QSize(120, 200), true);
    EXPECT_GT(InkRows(wrapped), 2 * InkRows(oneLine));
    const auto [l, r] = InkColumns(wrapped);
    EXPECT_GE(l, 0);
    EXPECT_LT(r, 120);
}

TEST(DrawTextInRect, AmpersandIsDrawnNotTakenAsMnemonic)
{
    // "A&B" as a mnemonic would draw two letters and an underline; drawn as
    // it stands it is as wide as "A&B" laid out by the font.
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter p(&probe);
    const int expected = p.fontMetrics().horizontalAdvance(QStringLiteral("A&B"));
    const int withoutAmp = p.fontMetrics().horizontalAdvance(QStringLiteral("AB"));
    p.end();
    ASSERT_GT(expected, withoutAmp);
    const auto [l, r] = InkColumns(Draw(QStringLiteral("A&B"), QSize(200, 40), false));
    EXPECT_GT(r - l + 1, withoutAmp);
}

TEST(IconToPng, KeepsTransparencyAndRejectsBadInput)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.fillRect(4, 4, 8, 8, Qt::red);
    }
    const QList<QIcon> icons { QIcon(pixmap) };
    const QImage png = ImageListToPng(icons, 0, QSize(16, 16));
    ASSERT_FALSE(png.isNull());
    EXPECT_TRUE(png.hasAlphaChannel());
    EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0);
    EXPECT_EQ(png.pixelColor(8, 8), QColor(Qt::red));

    EXPECT_TRUE(ImageListToPng(icons, 1, QSize(16, 16)).isNull());
    EXPECT_TRUE(ImageListToPng(icons, -1, QSize(16, 16)).isNull());
    EXPECT_TRUE(IconToPng(QIcon(), QSize(16, 16)).isNull());
}

TEST(CurrentShiftState, ReportsOnlyShiftAltAndCtrl)
{
    const Qt::KeyboardModifiers state = CurrentShiftState();
    EXPECT_EQ(state & ~(Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier),
        Qt::KeyboardModifiers());
}

} // namespace
} // namespace ryv
