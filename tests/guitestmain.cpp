#include <QApplication>
#include <gtest/gtest.h>

#ifdef RYV_GUI_ON_X11
#include "x11testdisplay.h"
#endif

// Widget tests run on whatever QT_QPA_PLATFORM says; CTest sets offscreen.
int main(int argc, char** argv)
{
#ifdef RYV_GUI_ON_X11
    // Widget tests of a binary marked X11 run on the suite's X server while
    // it is up; without it they skip (RYV_REQUIRE_X11).
    const QString display = ryv::test::TestX11Display();
    if (!display.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", display.toLocal8Bit());
    }
#endif
    // CTest lists the tests (--gtest_list_tests) without the test
    // environment; without a display only the offscreen platform can start.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
