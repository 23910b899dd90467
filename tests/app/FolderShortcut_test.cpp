#include "app/DocumentTestSupport.h"
#include "app/FilePreview.h"
#include "app/FolderShortcut.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace vallo;
namespace fs = std::filesystem;

TEST(FolderShortcut, LinksBothWaysUnderTheirNames) {
    testsupport::TempDir dir;
    const std::string app = dir / "app";
    const std::string sprites = dir / "sprites.v2";
    fs::create_directories(app);
    fs::create_directories(sprites);
    std::ofstream(sprites + "/a.png") << "x";

    EXPECT_EQ(BrowsedFolder(sprites), sprites);
    EXPECT_EQ(BrowsedFolder(sprites + "/a.png"), sprites);
    EXPECT_FALSE(BrowsedFolder(dir / "missing/a.png"));

    const FolderShortcut in = ShortcutToBrowsedFolder(app + "/", sprites);
    EXPECT_EQ(in.LinkPath, app + "/sprites への抜け道.lnk");
    const FolderShortcut out = ShortcutToProgramFolder(app + "/", sprites);
    EXPECT_EQ(out.LinkPath, sprites + "/Vallo への抜け道.lnk");
    for (const FolderShortcut& link : {in, out, in}) { // the second "in" replaces the first
        ASSERT_TRUE(MakeFolderShortcut(link)) << link.LinkPath;
        EXPECT_TRUE(fs::equivalent(link.LinkPath, link.Target));
    }
    EXPECT_TRUE(fs::exists(sprites + "/a.png"));
    // A real folder of the link's name is never replaced.
    fs::remove(in.LinkPath);
    fs::create_directories(in.LinkPath + "/keep");
    EXPECT_FALSE(MakeFolderShortcut(in));
    EXPECT_TRUE(fs::exists(in.LinkPath + "/keep"));

    // The preview leaves links, folders and missing files alone.
    EXPECT_EQ(PreviewSourceOf(out.LinkPath), PreviewSource::Keep);
    EXPECT_EQ(PreviewSourceOf(sprites), PreviewSource::Keep);
    EXPECT_EQ(PreviewSourceOf(sprites + "/b.png"), PreviewSource::Keep);
    EXPECT_EQ(PreviewSourceOf(sprites + "/a.png"), PreviewSource::Png);
    EXPECT_FALSE(PreviewShowable(20, 7) || PreviewShowable(7, 20));
    EXPECT_TRUE(PreviewShowable(8, 8));
}
