#include "platform/x11idletime.h"

#include "x11testdisplay.h"

#include <QElapsedTimer>
#include <QTest>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace ryv {
namespace {

// Moves the pointer through XTEST on a connection of the test's own and waits
// until the server has handled it.
void FakeMotion(xcb_connection_t* connection, xcb_window_t root, int x)
{
    xcb_test_fake_input(connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root,
        static_cast<int16_t>(x), 100, XCB_NONE);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

TEST(X11IdleTime, CountsSinceTheLastInput_XTestInputResetsIt)
{
    RYV_REQUIRE_X11(display);
    TX11IdleTime idle(display.toLocal8Bit());
    ASSERT_TRUE(idle.IsAvailable()) << "the test server lacks the screen-saver extension";

    xcb_connection_t* input = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    ASSERT_FALSE(xcb_connection_has_error(input));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(input)).data->root;

    // The idle time grows while nobody touches the server (other tests may,
    // so wait for it rather than for a fixed time).
    FakeMotion(input, root, 100);
    QElapsedTimer waited;
    waited.start();
    qint64 before = idle.IdleMs();
    while (before < 300 && waited.elapsed() < 20000) {
        QTest::qWait(25);
        before = idle.IdleMs();
    }
    ASSERT_GE(before, 300);

    FakeMotion(input, root, 200);
    const qint64 after = idle.IdleMs();
    EXPECT_GE(after, 0);
    EXPECT_LT(after, before);
    EXPECT_LT(after, 300);
    xcb_disconnect(input);
}

// No server: unavailable, and every answer says "cannot tell".
TEST(X11IdleTime, NoServer_AnswersMinusOne)
{
    TX11IdleTime idle(QByteArrayLiteral(":65000"));
    EXPECT_FALSE(idle.IsAvailable());
    EXPECT_EQ(idle.IdleMs(), -1);
}

} // namespace
} // namespace ryv
