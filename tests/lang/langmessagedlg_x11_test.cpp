#include "lang/dialogtexts.h"
#include "lang/langmessagedlg.h"

#include "x11properties.h"
#include "x11testdisplay.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace ryv {
namespace {

// The message box under a real window manager, which frames it and places it
// only after it is shown: the About box came out narrower than the minimum
// and off the centre when its size and place were taken too early.
TEST(LangMessageDlgX11, WidenedAndPlacedWithItsFrameInTheWorkArea)
{
    RYV_REQUIRE_X11(display);
    const test::TX11Properties x11(display);
    ASSERT_TRUE(x11.IsConnected());
    RYV_REQUIRE_WINDOW_MANAGER(x11);
    // The owner sits off the centre, so centring over it would show.
    QWidget owner;
    owner.setGeometry(100, 100, 400, 300);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    const QRect area = owner.screen()->availableGeometry();

    struct Case {
        const char* name;
        QString title, msg;
        int x, y;
        bool wide; // wider than the least width by its own text
    };
    const QString ver = QStringLiteral("Version: 1.0.0\r\n\r\n(c) 2024");
    const Case cases[] = {
        { "About box", QStringLiteral("Ryv Tracker"), ver, -1, -1, false },
        { "long title", QStringLiteral("A title line much wider than the least width of a box"),
            ver, -1, -1, true },
        { "offsets", QStringLiteral("Ryv Tracker"), QStringLiteral("Short"), 40, 60, false },
        { "centred across only", QString(), QStringLiteral("Short"), -1, 30, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QRect frame, inside;
        bool framed = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            // Wait until the window manager has framed the box and the box
            // has settled where it wants to be.
            const auto settled = [&] {
                if (!box->windowHandle() || box->windowHandle()->frameMargins().isNull())
                    return false;
                const QRect f = box->frameGeometry();
                const bool across = c.x < 0 ? std::abs(f.center().x() - area.center().x()) <= 1
                                            : f.left() == area.left() + c.x;
                const bool down = c.y < 0 ? std::abs(f.center().y() - area.center().y()) <= 1
                                          : f.top() == area.top() + c.y;
                return across && down;
            };
            // (A box that never settles is reported below with its place.)
            static_cast<void>(QTest::qWaitFor(settled, 3000));
            framed = !box->windowHandle()->frameMargins().isNull();
            frame = box->frameGeometry();
            inside = box->geometry();
            box->findChild<QPushButton*>(QStringLiteral("OK"))->click();
        });
        EXPECT_EQ(
            LangMessageDlg(c.title, c.msg, mtInformation, mbOK, mbOK, c.x, c.y, QString(), &owner),
            mrOk);
        ASSERT_TRUE(framed) << "the window manager never framed the box";
        if (c.wide)
            EXPECT_GT(inside.width(), 300);
        else
            EXPECT_EQ(inside.width(), 300);
        const QString seen = QStringLiteral("frame %1,%2 %3x%4 in %5x%6")
                                 .arg(frame.x())
                                 .arg(frame.y())
                                 .arg(frame.width())
                                 .arg(frame.height())
                                 .arg(area.width())
                                 .arg(area.height());
        if (c.x < 0)
            EXPECT_LE(std::abs(frame.center().x() - area.center().x()), 1) << seen.toStdString();
        else
            EXPECT_EQ(frame.left(), area.left() + c.x) << seen.toStdString();
        if (c.y < 0)
            EXPECT_LE(std::abs(frame.center().y() - area.center().y()), 1) << seen.toStdString();
        else
            EXPECT_EQ(frame.top(), area.top() + c.y) << seen.toStdString();
    }
}

} // namespace
} // namespace ryv
