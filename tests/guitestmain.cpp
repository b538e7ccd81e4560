#include <QApplication>
#include <gtest/gtest.h>

// Widget tests run on whatever QT_QPA_PLATFORM says; CTest sets offscreen.
int main(int argc, char** argv)
{
    // CTest lists the tests (--gtest_list_tests) without the test
    // environment; without a display only the offscreen platform can start.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
