// Test main for libraries that need a GUI application object (fonts, images)
// but no widgets.
#include "TestEnv.h"

#include <QGuiApplication>
#include <filesystem>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    TestEnv::setUp();
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    std::filesystem::remove_all(TestEnv::root());
    return rc;
}
