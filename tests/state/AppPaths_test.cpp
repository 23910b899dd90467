#include "state/AppPaths.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

using namespace vallo;

TEST(AppPaths, PortableCopyAndInstalledPrefix) {
    test::TempDir dir;
    const std::string root = dir.Dir();
    for (const char* data : {"portable/sys/Pen.BMP", "prefix/share/vallo/sys/Pen.BMP"}) {
        std::filesystem::create_directories(std::filesystem::path(root + data).parent_path());
        std::ofstream(root + data) << "pens";
    }
    std::filesystem::create_directories(root + "prefix/bin");
    std::map<std::string, std::string> vars;
    const EnvironmentLookup env = [&vars](const char* name) -> const char* {
        const auto it = vars.find(name);
        return it == vars.end() ? nullptr : it->second.c_str();
    };

    // A writable folder with the data beside the program keeps everything there.
    vars = {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/cfg"}};
    AppPaths p = ResolveAppPaths(root + "portable", env);
    EXPECT_EQ(p.AppDir, root + "portable/");
    EXPECT_TRUE(p.ConfigDir.empty());
    EXPECT_TRUE(p.UserDataDir.empty());

    // Installed under a prefix: data from share/vallo, own files in the XDG folders, even when
    // the program's folder could be written (as root).
    p = ResolveAppPaths(root + "prefix/bin/", env);
    EXPECT_EQ(p.AppDir, root + "prefix/share/vallo/");
    EXPECT_EQ(p.ConfigDir, "/cfg/vallo/");
    EXPECT_EQ(p.UserDataDir, "/home/u/.local/share/vallo/");

    // A relative XDG folder is ignored.
    vars = {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "rel"}, {"XDG_DATA_HOME", "/d/"}};
    p = ResolveAppPaths(root + "prefix/bin", env);
    EXPECT_EQ(p.ConfigDir, "/home/u/.config/vallo/");
    EXPECT_EQ(p.UserDataDir, "/d/vallo/");
}
