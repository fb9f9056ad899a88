// Test main of the fault tests: a widget application on the offscreen
// platform with private XDG folders, or, with the child flag, the scenario in
// the environment the parent test prepared.
#include "FreshProcess.h"
#include "TestEnv.h"

#include <QApplication>
#include <filesystem>
#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], faults::kChildNonAsciiFolders) == 0) {
        QApplication app(argc, argv);
        return faults::childNonAsciiFolders(argc, argv);
    }
    TestEnv::setUp();
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    std::filesystem::remove_all(TestEnv::root());
    return rc;
}
