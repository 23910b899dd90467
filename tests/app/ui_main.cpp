// Entry of the UI tests: one QApplication for all of them, offscreen unless a platform is set.
// With VALLO_CHILD set the binary runs that child scenario instead of the tests.
#include "support/ChildScenario.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (const char* child = std::getenv("VALLO_CHILD")) {
        const auto it = vallo::test::ChildScenarios().find(child);
        return it == vallo::test::ChildScenarios().end() ? 2 : it->second();
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
