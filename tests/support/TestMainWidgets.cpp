// Test main for libraries with windows: a widget application on the
// offscreen platform.
#include "TestEnv.h"

#include <QApplication>
#include <filesystem>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    TestEnv::setUp();
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    std::filesystem::remove_all(TestEnv::root());
    return rc;
}
