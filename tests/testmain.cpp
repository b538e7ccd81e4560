#include <QCoreApplication>
#include <gtest/gtest.h>

// Tests of the model and the engine need an event loop object for QTimer but
// never a window.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
