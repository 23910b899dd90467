#include "image/AtomicFile.h"
#include "support/TestSupport.h"
#include "views/AniPlayback.h"
#include "views/AnimationGif.h"

#include <cstring>
#include <gif_lib.h>
#include <gtest/gtest.h>

using namespace vallo;

namespace {

// Decodes a GIF with giflib from a file.
std::unique_ptr<GifFileType, void (*)(GifFileType*)> Decode(const std::string& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    EXPECT_TRUE(gif) << error;
    if (gif) {
        EXPECT_EQ(DGifSlurp(gif), GIF_OK) << gif->Error;
    }
    return {gif, [](GifFileType* g) { DGifCloseFile(g, nullptr); }};
}

// A 64 x 64 document of varied indices, an 8 x 8 cell at (0, 0), transparent colour 5.
void MakeDocument(EditorState& s) {
    s.MainImage.SetSize(64, 64, 8);
    for (int i = 0; i < 256; ++i)
        s.MainImage.ColorTable()[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            s.MainImage.SetPixel(x, y, uint32_t((x * 3 + y * 17) % 256));
    s.CharWidth = s.CharHeight = 8;
    s.TransColor = 5;
    s.AnimeFrames = 3;
    s.AnimeBai = 1;
    s.AnimeFPS = 8;
}

} // namespace

TEST(AnimationGif, DecodesToTheFramesDelaysPaletteAndTransparentIndex) {
    vallo::test::TempDir dir;
    const struct {
        int chrMode, mode;
        uint8_t direction;
    } cases[] = {{0, 1, kAniRight}, {1, 0, kAniLeft}}; // the second runs off the image
    for (const auto& c : cases) {
        EditorState s;
        MakeDocument(s);
        s.AnimeChrMode = c.chrMode;
        s.AnimeMode = c.mode;
        const std::string path = dir.Dir() + "walk.gif";
        SaveAnimationGif(s, c.direction, path);
        EXPECT_EQ(ReadWholeFile(path).at(4), '9'); // GIF89a
        const auto gif = Decode(path);
        ASSERT_TRUE(gif && gif->SColorMap);
        ASSERT_EQ((std::array{gif->SWidth, gif->SHeight, gif->SColorMap->ColorCount}),
                  (std::array{16, 16, 256}));
        for (int i = 0; i < 256; ++i) {
            const GifColorType col = gif->SColorMap->Colors[i];
            ASSERT_EQ(col.Red * 65536 + col.Green * 256 + col.Blue,
                      (i * 7 % 256) * 65536 + (255 - i) * 256 + i);
        }
        const std::vector<int> cycle = AniCycle(3, c.mode);
        ASSERT_EQ(gif->ImageCount, int(cycle.size()));
        for (int k = 0; k < gif->ImageCount; ++k) {
            GraphicsControlBlock gcb;
            ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), k, &gcb), GIF_OK);
            EXPECT_EQ((std::array{gcb.DelayTime, gcb.TransparentColor, gcb.DisposalMode}),
                      (std::array{13, 5, DISPOSE_BACKGROUND}));
            const IntRect r = AniFrameRect(s, c.chrMode, c.direction, cycle[size_t(k)]);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const int ix = r.Left + x / 2, iy = r.Top + y / 2;
                    const bool inside = ix >= 0 && iy >= 0 && ix < 64 && iy < 64;
                    ASSERT_EQ(gif->SavedImages[k].RasterBits[y * 16 + x],
                              inside ? s.MainImage.Pixel(ix, iy) : 5u);
                }
        }
        // The loop block ahead of the first frame: NETSCAPE2.0, loop count 0 (forever).
        const SavedImage& first = gif->SavedImages[0];
        ASSERT_GE(first.ExtensionBlockCount, 2);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(first.ExtensionBlocks[0].Bytes), 11),
                  "NETSCAPE2.0");
        EXPECT_EQ(std::memcmp(first.ExtensionBlocks[1].Bytes, "\1\0\0", 3), 0);
    }
    EXPECT_EQ((std::array{AniGifDelay(60), AniGifDelay(7), AniGifDelay(1)}),
              (std::array{2, 14, 100}));
}

TEST(AnimationGif, RefusesWhatCannotBeAGifAndKeepsTheOldFile) {
    vallo::test::TempDir dir;
    EditorState s;
    MakeDocument(s);
    const std::string path = dir.Dir() + "walk.gif";
    SaveAnimationGif(s, kAniDown, path);
    const std::vector<uint8_t> before = ReadWholeFile(path);
    GifAnimation shortFrame = BuildAnimationGif(s, kAniDown), none = shortFrame, wide = none;
    shortFrame.Frames[1].pop_back();
    none.Frames.clear();
    wide.Width = 70000;
    for (const GifAnimation& bad : {shortFrame, none, wide})
        EXPECT_THROW(SaveGifAnimation(path, bad), GifWriteError);
    EXPECT_THROW(SaveAnimationGif(s, kAniDown, dir.Dir() + "missing/walk.gif"), FileError);
    EXPECT_EQ(ReadWholeFile(path), before);
}

TEST(AniPlayback, FrameSequencesCyclesAndIntervals) {
    const struct {
        int frames, mode;
        std::vector<int> shown, cycle;
    } cases[] = {
        {2, 0, {0, 1, 0, 1, 0, 1}, {0, 1}},
        {2, 1, {0, 1, 0, 1, 0, 1}, {0, 1}},
        {4, 0, {0, 1, 2, 3, 0, 1, 2, 3}, {0, 1, 2, 3}},
        {4, 1, {0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2}, {0, 1, 2, 3, 2, 1}},
    };
    for (const auto& c : cases) {
        AniPlayback p{kAniRight, 3, -1, 2};
        AniStart(p, 2);
        std::vector<int> shown;
        for (size_t i = 0; i < c.shown.size(); ++i) {
            AniTick(p, c.frames, c.mode);
            shown.push_back(p.ShownFrame);
        }
        EXPECT_EQ(p.AniDirection, kAniDown);
        EXPECT_EQ(shown, c.shown) << c.frames << c.mode;
        EXPECT_EQ(AniCycle(c.frames, c.mode), c.cycle) << c.frames << c.mode;
    }
    // A count lowered below the running counter wraps instead of counting on.
    AniPlayback p{kAniUp, 7, 1, 0};
    AniTick(p, 3, 1);
    EXPECT_EQ((std::array{p.AniFrame, p.AniStep}), (std::array{1, -1}));
    EXPECT_EQ((std::array{AniInterval(60), AniInterval(7), AniInterval(1), AniInterval(0)}),
              (std::array{16, 142, 1000, 1000}));
}

TEST(AniPlayback, FrameRectanglesOfBothLayouts) {
    EditorState s;
    s.CharWidth = 16;
    s.CharHeight = 24;
    s.CharLeft = 32;
    s.CharTop = 48;
    const struct {
        int chrMode;
        uint8_t direction;
        int frame;
        IntRect rect;
    } cases[] = {
        {0, kAniRight, 2, {64, 72, 80, 96}},  // second row of the sheet
        {0, kAniLeft, 1, {48, 120, 64, 144}}, // fourth row
        {0, kAniUp, 0, {32, 48, 48, 72}},     {0, kAniDown, 3, {80, 96, 96, 120}},
        {1, kAniLeft, 3, {-16, 48, 0, 72}},   {1, kAniUp, 2, {32, 0, 48, 24}},
        {1, kAniDown, 1, {32, 72, 48, 96}},   {1, kAniRight, 1, {48, 48, 64, 72}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AniFrameRect(s, c.chrMode, c.direction, c.frame), c.rect) << c.chrMode << c.frame;
}

TEST(AniPlayback, OverviewMarkIsAWhiteFrameWithABlackOneInside) {
    const auto mark = AniOverviewMark({32, 64, 64, 96}, 8);
    EXPECT_EQ((std::array{mark[0].X0, mark[0].Y0, mark[0].X1, mark[0].Y1, int(mark[0].Color)}),
              (std::array{16, 32, 31, 47, 0xFFFFFF}));
    EXPECT_EQ((std::array{mark[1].X0, mark[1].Y0, mark[1].X1, mark[1].Y1, int(mark[1].Color)}),
              (std::array{17, 33, 30, 46, 0}));
    EXPECT_EQ(AniOverviewMarkArea({-16, 8, 0, 40}, 48), (IntRect{-48, 24, 0, 120}));
}
