#include "app/DocumentTestSupport.h"
#include "app/RecoveryOffer.h"
#include "state/Configuration.h"
#include "state/RecoveryCopy.h"
#include "state/RecoveryPolicy.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

using namespace vallo;
using namespace vallo::testsupport;
namespace fs = std::filesystem;
using Action = RecoveryPolicy::Action;

namespace {

class RecoveryTest : public ::testing::Test {
protected:
    std::unique_ptr<RecoveryCopy> Prepare(EditorState& s) {
        s.Hooks = &hooks;
        s.AppDir = dir.Dir();
        s.MainImage.SetSize(40, 24, 8);
        ApplyImageSize(s);
        auto copy = std::make_unique<RecoveryCopy>(RecoveryDir(s), [this] { return now; });
        copy->Open();
        s.Recovery = copy.get();
        return copy;
    }
    // Edits a document with every part a copy keeps, and lets the copy be written.
    void EditAndWaitForCopy(EditorState& s, RecoveryCopy& copy) {
        MakePatternDocument(s);
        s.FileName = dir / "work.png";
        s.CharWidth = 16;
        s.CharHeight = s.CharTop = 8;
        s.CharLeft = 0;
        SetModified(s);
        EXPECT_FALSE(copy.Tick(s));
        now += RecoveryPolicy::QuietMs;
        copy.Tick(s);
        copy.WaitIdle();
        ASSERT_EQ(copy.Written(), 1u);
    }
    // How many files with the extension the folder holds.
    size_t Count(const std::string& folder, const std::string& ext) {
        std::error_code ec;
        size_t n = 0;
        for (const auto& e : fs::directory_iterator(folder, ec))
            n += e.path().extension() == ext;
        return n;
    }
    std::string Only(const std::string& ext) {
        for (const auto& e : fs::directory_iterator(dir / "sys/recovery"))
            if (e.path().extension() == ext)
                return e.path().string();
        return "";
    }

    TempDir dir;
    RecordingHooks hooks;
    int64_t now = 0;
};

} // namespace

TEST_F(RecoveryTest, CopyOfALiveRunIsNotOfferedOneLeftBehindComesBackWhole) {
    EditorState first, second;
    auto copy = Prepare(first);
    EditAndWaitForCopy(first, *copy);
    EXPECT_EQ(Count(RecoveryDir(first), ".png"), 1u);

    auto other = Prepare(second);
    EXPECT_TRUE(other->Store().ClaimLeftovers().empty()); // the first run still holds it
    copy.reset(); // the first run ends without removing its copy
    second.StartingUp = true;
    RecordingUi ui;
    ui.RestoreAnswers = {true};
    ASSERT_TRUE(OfferRecoveryCopies(second, ui));
    EXPECT_EQ(Take(second), Take(first));
    EXPECT_EQ(hooks.Title, "Vallo [work.png]");
    EXPECT_EQ((std::array{second.CharLeft, second.CharTop, second.CharWidth, second.CharHeight}),
              (std::array{0, 8, 16, 8}));

    // Giving the work up removes the adopted copy.
    ui.Answers = {SaveAnswer::No};
    EXPECT_TRUE(ConfirmDiscardOrSave(second, ui));
    other->WaitIdle();
    EXPECT_EQ(Count(RecoveryDir(first), ".png") + Count(RecoveryDir(first), ".txt"), 0u);
}

TEST_F(RecoveryTest, TornCopiesAreSetAsideAnsweredNoIsDeleted) {
    const std::pair<std::function<void()>, bool> cases[] = {
        // damage, set aside
        {[this] { fs::resize_file(Only(".png"), 100); }, true},
        {[this] { std::ofstream(Only(".txt")) << "x"; }, true},
        {[this] {
             std::ofstream(Only(".txt")) << "[Recovery]\nFile=\nImage=../work.png\nImageBytes=1"
                                            "\nCharLeft=0\nCharTop=0\nCharWidth=8\n"
                                            "CharHeight=8\nTime=0\n";
         },
         true},
        {[] {}, false}, // answered No
    };
    for (const auto& [damage, aside] : cases) {
        EditorState s1, s2;
        EditAndWaitForCopy(s1, *Prepare(s1));
        damage();
        s2.StartingUp = true;
        auto copy = Prepare(s2);
        RecordingUi ui;
        EXPECT_FALSE(OfferRecoveryCopies(s2, ui));
        EXPECT_EQ(ui.Errors.size(), aside ? 1u : 0u);
        EXPECT_EQ(ui.Asked, std::vector<std::string>(aside ? 0 : 1, "restore"));
        EXPECT_FALSE(s2.Modified);
        EXPECT_EQ(Count(RecoveryDir(s2), ".txt") + Count(RecoveryDir(s2), ".png"), 0u);
        EXPECT_EQ(Count(RecoveryDir(s2) + "unreadable", ".txt"), aside ? 1u : 0u);
        fs::remove_all(RecoveryDir(s2) + "unreadable");
    }
}

// A copy that cannot be written is tried again later, and the user hears of it once.
TEST_F(RecoveryTest, AWriteThatFailsIsReportedOnce) {
    EditorState s;
    auto copy = Prepare(s);
    fs::remove_all(dir / "sys/recovery");
    std::ofstream(dir / "sys/recovery") << "a file where the folder was";
    int reports = 0; // a report that does not say what failed counts 100
    for (int i = 0; i < 6; ++i, now += 31000) {
        SetModified(s);
        if (std::optional<std::string> report = copy->Tick(s))
            reports += report->rfind("作業の復元用コピーを書き込めません: ", 0) == 0 ? 1 : 100;
        copy->WaitIdle();
    }
    EXPECT_EQ(reports, 1);
}

// Each case is a run of looks at the document, "time count state answer;": state holds d
// (a stroke in progress), m (Modified) and, before the look, F (the last write failed),
// R (the copy was removed), A (a copy was restored at this count) or B (the writer is busy);
// "-" is none of them. The answer is N (none), W (write) or R (remove).
TEST(RecoveryPolicyTest, WritesAfterQuietAtMostEveryThirtySecondsAndRemovesWhenSaved) {
    const std::pair<const char*, const char*> cases[] = {
        {"quiet two seconds after a change",
         "0 0 - N; 100 1 m N; 2099 1 m N; 2100 1 m W; 9000 1 m N"},
        {"a new change restarts the quiet time", "0 1 m N; 1500 2 m N; 3499 2 m N; 3500 2 m W"},
        {"a long stroke: once at thirty seconds, then quiet after it ends",
         "0 1 dm N; 15000 1 dm N; 30000 1 dm W; 30250 1 dm N; 45000 1 dm N; 46000 1 m N; "
         "46999 1 m N; 47000 1 m W"},
        {"saved: the copy goes once, nothing after", "0 1 m N; 2000 1 m W; 2250 1 - R; 2500 1 - N"},
        {"never modified: nothing", "0 0 - N; 5000 0 - N"},
        {"a failed write is tried again thirty seconds later",
         "0 1 m N; 2000 1 m W; 2250 1 mF N; 4250 1 m N; 32249 1 m N; 32250 1 m W"},
        {"removed while still modified: written again after the quiet time",
         "0 1 m N; 2000 1 m W; 3000 1 mR N; 4999 1 m N; 5000 1 m W"},
        {"a write waits while the writer is busy", "0 1 m N; 2000 1 mB N; 2250 1 m W"},
        {"a restored copy waits for a change", "60000 7 mA N; 60100 8 m N; 62100 8 m W"},
    };
    int looks = 0;
    for (const auto& [name, steps] : cases) {
        RecoveryPolicy policy;
        std::istringstream in(steps);
        int64_t time = 0;
        uint64_t count = 0;
        std::string state, answer;
        while (in >> time >> count >> state >> answer) {
            const auto has = [&state](char c) { return state.find(c) != std::string::npos; };
            if (has('F'))
                policy.WriteFailed(time);
            if (has('R'))
                policy.Removed(time);
            if (has('A'))
                policy.Adopted(count);
            const Action got = policy.Tick(time, count, has('d'), has('m'), !has('B'));
            const char* names = "NWR";
            EXPECT_EQ(names[int(got)], answer[0]) << name << " at " << time;
            ++looks;
        }
    }
    EXPECT_EQ(looks, 40);
}
