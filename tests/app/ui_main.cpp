// The UI tests share one QApplication with the program's font on a 1366 x 768 offscreen screen
// (unless another platform is set).
#include "widgets/QtAppFont.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const std::filesystem::path screen =
        std::filesystem::temp_directory_path() /
        ("vallo-ui-screen-" + std::to_string(::getpid()) + ".json");
    if (!platform || std::string(platform) == "offscreen") {
        std::ofstream(screen) << R"({"screens": [{"name": "Screen1366", "x": 0, "y": 0, )"
                              << R"("width": 1366, "height": 768, "logicalDpi": 96}]})";
        setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen.string()).c_str(), 1);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        vallo::UseApplicationFont(app);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::error_code ec;
    std::filesystem::remove(screen, ec);
    return result;
}
