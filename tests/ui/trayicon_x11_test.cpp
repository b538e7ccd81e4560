// Closing to the tray against a real X server: the window manager's close
// button reaches the program as a WM_DELETE_WINDOW message, which Qt turns
// into the user's (spontaneous) close.

#include "ui/trayicon.h"

#include "windowtestworld.h"
#include "x11properties.h"
#include "x11testdisplay.h"

#include <QTest>

#include <gtest/gtest.h>

namespace ryv {
namespace {

using namespace windowtest;

TEST(TrayIconX11, WindowManagersCloseButton_HidesInTheTrayOnlyWithTheOption)
{
    RYV_REQUIRE_X11(display);
    const test::TX11Properties x11(display);
    ASSERT_TRUE(x11.IsConnected());
    for (const bool closeToTray : { true, false }) {
        SCOPED_TRACE(closeToTray ? "close to tray" : "option off");
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        TWorld world(dir.path() + QLatin1Char('/'));
        TfrmRyvTracker& w = world.Open();
        world.options.CloseToTray = closeToTray;
        // A desktop with a tray, as far as the window is concerned; the test
        // server has none, so the icon itself shows nowhere.
        TTrayIcon tray(TTrayIconParts { world.tracker, world.today, w, [&w] { return w.UiState(); },
            [&w] { w.Exit(); }, [] { return true; } });
        w.SetCloseToTray([&tray] { return tray.Dock(); });
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

        x11.SendDeleteWindow(static_cast<xcb_window_t>(w.winId()));
        ASSERT_TRUE(QTest::qWaitFor([&w] { return !w.isVisible(); }, 10000));
        const bool settingsWritten = QFile::exists(world.options.SettingsFilePath());
        EXPECT_EQ(settingsWritten, !closeToTray) << "hidden, not closed, and the other way";
        EXPECT_EQ(tray.IsDocked(), closeToTray);
        EXPECT_TRUE(world.tracker.tmrCheck.isActive());
        w.SetCloseToTray(nullptr);
    }
}

} // namespace
} // namespace ryv
