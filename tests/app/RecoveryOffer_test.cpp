#include "app/DocumentTestSupport.h"
#include "app/RecoveryOffer.h"
#include "draw/ImageLayout.h"
#include "state/Configuration.h"
#include "state/EditorState.h"
#include "state/RecoveryCopy.h"

#include <cstring>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testsupport;
namespace fs = std::filesystem;

namespace {

class RecoveryTest : public ::testing::Test {
protected:
    void Prepare(EditorState& s) {
        s.Hooks = &hooks;
        s.AppDir = dir.Dir();
        s.MainImage.SetSize(40, 24, 8);
        ApplyImageSize(s);
    }
    std::unique_ptr<RecoveryCopy> OpenCopy(EditorState& s) {
        auto copy = std::make_unique<RecoveryCopy>(RecoveryDir(s), [this] { return now; });
        copy->Open();
        s.Recovery = copy.get();
        return copy;
    }
    // Edits a document with every part a copy keeps, and lets the copy be written.
    void EditAndWaitForCopy(EditorState& s, RecoveryCopy& copy) {
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 40; ++x)
                s.MainImage.SetPixel(x, y, uint32_t(x * 7 + y * 3));
        for (int i = 0; i < 256; ++i)
            s.MainImage.ColorTable()[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)};
        s.ForbiddenFlags[3] = kForbidden;
        s.TransColor = 9;
        s.FileName = dir / "work.png";
        s.CharWidth = 16;
        s.CharHeight = 8;
        s.CharLeft = 16;
        s.CharTop = 8;
        SetModified(s);
        EXPECT_FALSE(copy.Tick(s));
        now += RecoveryPolicy::QuietMs;
        copy.Tick(s);
        copy.WaitIdle();
        ASSERT_EQ(copy.Written(), 1u);
    }
    // The files with the extension in the folder.
    std::vector<std::string> Files(const std::string& folder, const std::string& ext) {
        std::vector<std::string> files;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(folder, ec))
            if (e.path().extension() == ext)
                files.push_back(e.path().string());
        return files;
    }
    size_t Count(const std::string& folder, const std::string& ext) {
        return Files(folder, ext).size();
    }
    std::string Only(const std::string& ext) { return Files(dir / "sys/recovery", ext).at(0); }

    TempDir dir;
    RecordingHooks hooks;
    int64_t now = 0;
    EditorState first;
    EditorState second;
};

} // namespace

TEST_F(RecoveryTest, CopyOfALiveRunIsNotOfferedOneLeftBehindComesBackWhole) {
    Prepare(first);
    auto copy = OpenCopy(first);
    EditAndWaitForCopy(first, *copy);
    EXPECT_EQ(Count(RecoveryDir(first), ".png"), 1u);

    Prepare(second);
    auto other = OpenCopy(second);
    EXPECT_TRUE(other->Store().ClaimLeftovers().empty()); // the first run still holds it
    copy.reset(); // the first run ends without removing its copy
    second.StartingUp = true;
    RecordingUi ui;
    ui.RestoreAnswers = {true};
    ASSERT_TRUE(OfferRecoveryCopies(second, ui));

    const TDIB& a = first.MainImage;
    const TDIB& b = second.MainImage;
    ASSERT_EQ(b.Width(), 40);
    ASSERT_EQ(b.Height(), 24);
    EXPECT_EQ(std::memcmp(a.Bits(), b.Bits(), a.StoreSize()), 0);
    EXPECT_EQ(a.ColorTable(), b.ColorTable());
    EXPECT_EQ(second.ForbiddenFlags, first.ForbiddenFlags);
    EXPECT_EQ(second.TransColor, 9);
    EXPECT_EQ(second.FileName, first.FileName);
    EXPECT_TRUE(second.Modified);
    EXPECT_EQ(hooks.Titles.back(), "Vallo [work.png]");
    EXPECT_EQ((std::array{second.CharLeft, second.CharTop, second.CharWidth, second.CharHeight}),
              (std::array{16, 8, 16, 8}));

    // Giving the work up removes the adopted copy.
    ui.Answers = {SaveAnswer::No};
    EXPECT_TRUE(ConfirmDiscardOrSave(second, ui));
    other->WaitIdle();
    EXPECT_EQ(Count(RecoveryDir(first), ".png") + Count(RecoveryDir(first), ".txt"), 0u);
}

TEST_F(RecoveryTest, TornCopiesAreSetAsideAnsweredNoIsDeleted) {
    const struct {
        const char* Name;
        std::function<void()> Damage;
        bool Aside;
    } cases[] = {
        {"truncated picture", [this] { fs::resize_file(Only(".png"), 100); }, true},
        {"garbage info", [this] { std::ofstream(Only(".txt")) << "x"; }, true},
        {"info pointing outside",
         [this] {
             std::ofstream(Only(".txt")) << "[Recovery]\nFile=\nImage=../work.png\nImageBytes=1"
                                            "\nCharLeft=0\nCharTop=0\nCharWidth=8\n"
                                            "CharHeight=8\nTime=0\n";
         },
         true},
        {"answered No", [] {}, false},
    };
    for (const auto& c : cases) {
        EditorState s1, s2;
        Prepare(s1);
        EditAndWaitForCopy(s1, *OpenCopy(s1));
        c.Damage();
        Prepare(s2);
        s2.StartingUp = true;
        auto copy = OpenCopy(s2);
        RecordingUi ui;
        EXPECT_FALSE(OfferRecoveryCopies(s2, ui)) << c.Name;
        EXPECT_EQ(ui.Errors.size(), c.Aside ? 1u : 0u) << c.Name;
        EXPECT_EQ(ui.Asked, std::vector<std::string>(c.Aside ? 0 : 1, "restore")) << c.Name;
        EXPECT_FALSE(s2.Modified) << c.Name;
        EXPECT_EQ(Count(RecoveryDir(s2), ".txt") + Count(RecoveryDir(s2), ".png"), 0u) << c.Name;
        EXPECT_EQ(Count(RecoveryDir(s2) + "unreadable", ".txt"), c.Aside ? 1u : 0u) << c.Name;
        fs::remove_all(RecoveryDir(s2) + "unreadable");
    }
}
