#include <QApplication>
#include <gtest/gtest.h>

// Widget tests run on whatever QT_QPA_PLATFORM says; CTest sets offscreen.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
