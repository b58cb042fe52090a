#include <gtest/gtest.h>

#include <QApplication>

// Widgets need an application object; the tests run it offscreen unless an X server is wanted.
int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
