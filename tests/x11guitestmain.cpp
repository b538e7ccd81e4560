#include "x11testdisplay.h"

#include <QApplication>
#include <gtest/gtest.h>

// Widget tests that need a real X server and window manager (window titles
// and properties, placement with decorations): they run on the suite's own
// X server when it is up, and skip on the offscreen platform otherwise.
int main(int argc, char** argv)
{
    const QString display = ryv::test::TestX11Display();
    if (display.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", display.toLocal8Bit());
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
