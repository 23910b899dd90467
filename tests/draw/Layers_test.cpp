#include "DrawFixture.h"
#include "draw/Layers.h"
#include "draw/LupeRender.h"
#include "draw/PixelOps.h"

#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testing;

namespace {

constexpr int kLayerLeft = 8;
constexpr int kLayerTop = 4;

uint8_t Edited(int x, int y) {
    return (x + y) % 3 == 0 ? 0 : uint8_t(10 + x + 4 * y);
}
uint8_t Layer(int x, int y) {
    return (x * y) % 4 == 1 ? 0 : uint8_t(60 + x + 4 * y);
}

constexpr uint8_t kGrid = 9; // the palette entry nearest to the grid's grey

// The magnified picture worked out pixel by pixel: the cell's pixel (or with the layer on,
// the composite, striped in the special display), then the grid lines, every eighth one
// inverted, so that where two eighth lines cross the grid colour shows again.
std::vector<uint8_t> Reference(const EditorState& s) {
    const int m = s.Magnification;
    const bool special = s.LayerActive && s.LayerDisplayMode && s.LayerMethod == 0 && m >= 2;
    std::vector<uint8_t> out;
    for (int y = 0; y < s.CharHeight * m; ++y)
        for (int x = 0; x < s.CharWidth * m; ++x) {
            const int cx = x / m, cy = y / m;
            const uint8_t edited = uint8_t(s.MainImage.Pixel(s.CharLeft + cx, s.CharTop + cy));
            const uint8_t layer = uint8_t(s.MainImage.Pixel(s.LayerLeft + cx, s.LayerTop + cy));
            uint8_t v = s.LayerActive ? uint8_t(s.LayerImage.Pixel(cx, cy)) : edited;
            if (special && y % m % 2 == 1 && s.LayerBelow && edited == s.TransColor)
                v = s.TransColor;
            else if (special && !s.LayerBelow)
                v = y % m % 2 == 1 && layer != s.TransColor ? layer : edited;
            if (GridShown(s) && (x % m == 0 || y % m == 0)) {
                v = kGrid;
                v = y % m == 0 && y / m % 8 == 0 ? uint8_t(~v) : v;
                v = x % m == 0 && x / m % 8 == 0 ? uint8_t(~v) : v;
            }
            out.push_back(v);
        }
    return out;
}

class LayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.Hooks = &hooks;
        s.MainImage.SetSize(32, 16, 8);
        Paint(s.MainImage, [](int x, int y) {
            const int lx = x - kLayerLeft, ly = y - kLayerTop;
            const bool layer = lx >= 0 && ly >= 0 && lx < 4 && ly < 4;
            return x < 4 && y < 4 ? Edited(x, y) : layer ? Layer(lx, ly) : 250;
        });
        s.CharWidth = s.CharHeight = 4;
        s.LayerLeft = kLayerLeft;
        s.LayerTop = kLayerTop;
        // One pair whose "加色" result (39 + 61 + 100 = 200) is forbidden.
        s.MainImage.SetPixel(1, 0, 39);
        s.MainImage.SetPixel(kLayerLeft + 1, kLayerTop, 61);
        FillTestTables(s);
    }
    uint8_t E(int x, int y) const { return uint8_t(s.MainImage.Pixel(x, y)); }
    uint8_t L(int x, int y) const {
        return uint8_t(s.MainImage.Pixel(kLayerLeft + x, kLayerTop + y));
    }
    uint8_t Composite(int x, int y) const { return uint8_t(s.LayerImage.Pixel(x, y)); }
    uint8_t Allowed(uint8_t v) const { return v == 200 ? 201 : v; }

    EditorState s;
    RecordingHooks hooks;
};

TEST_F(LayerTest, CompositeShowsTheUpperCellOrMergesLowerThenUpperAndSeesThrough) {
    for (int method = 0; method <= 4; ++method)
        for (bool below : {true, false})
            for (bool seeThrough : {true, false}) {
                s.LayerMethod = method;
                s.LayerBelow = below;
                s.LayerSeeThrough = seeThrough;
                BuildLayerComposite(s);
                ASSERT_EQ((std::array{s.LayerImage.Width(), s.LayerImage.Height()}),
                          (std::array{4, 4}));
                for (int y = 0; y < 4; ++y)
                    for (int x = 0; x < 4; ++x) {
                        const uint8_t upper = below ? E(x, y) : L(x, y);
                        const uint8_t lower = below ? L(x, y) : E(x, y);
                        const uint8_t shown =
                            method ? Allowed(s.Tables.ForMethod(method)[lower][upper]) : upper;
                        EXPECT_EQ(Composite(x, y), seeThrough && upper == 0 ? lower : shown)
                            << method << below << seeThrough << " at " << x << "," << y;
                    }
            }
    // A worked value: "加色" with the layer under is AddTable[layer][edited].
    s.LayerMethod = 2;
    s.LayerBelow = true;
    BuildLayerComposite(s);
    EXPECT_EQ(Composite(2, 0), uint8_t(62 + 12 + 100));
}

TEST_F(LayerTest, MagnifierMatchesTheReferenceAtEveryZoomGridAndLayerSetting) {
    s.MainImage.SetSize(64, 40, 8);
    Paint(s.MainImage, [](int x, int y) { return (x * 5 + y * 3) % 7 == 0 ? 0 : x + 2 * y + 1; });
    s.CharWidth = 16;
    s.CharHeight = 12;
    s.CharLeft = 16;
    s.CharTop = 8;
    s.LayerLeft = 41;
    s.LayerTop = 24;
    s.LupeImage.ColorTable()[kGrid] = {240, 240, 240, 0};
    s.LupeImage.ColorTable()[3] = {200, 200, 200, 0};
    for (bool active : {false, true})
        for (bool grid : {false, true})
            for (bool below : {true, false})
                for (int method : {0, 2})
                    for (int m : {1, 2, 3, 8}) {
                        s.LayerActive = active;
                        s.ShowGrid = grid;
                        s.LayerBelow = below;
                        s.LayerMethod = method;
                        s.Magnification = m;
                        RenderLupe(s);
                        ASSERT_EQ(AllPixels(s.LupeImage), Reference(s))
                            << active << grid << below << method << " zoom " << m;
                    }
    // A cell partly outside the image reads zero there, and its width need not be a multiple
    // of four.
    s.LayerActive = s.ShowGrid = false;
    s.CharWidth = 6;
    s.CharHeight = 5;
    s.CharLeft = 60;
    s.CharTop = 38;
    s.Magnification = 2;
    RenderLupe(s);
    EXPECT_EQ(AllPixels(s.LupeImage), Reference(s));
    EXPECT_EQ(s.LupeImage.Pixel(11, 9), 0);
}

TEST_F(LayerTest, MergeRectCutsAtTheDestinationSkipsTransparencyAndSubstitutes) {
    TDIB src(3, 2, 8);
    Paint(src, [](int x, int y) { return x == 1 && y == 0 ? 0 : 100 + x + 10 * y; });
    src.SetPixel(2, 1, 200); // forbidden
    TDIB dst(4, 4, 8);
    FillImage(dst, 5);
    MergeRect(s, 0, 0, 2, 1, src, dst, 2, 3, 0, true);
    // Only the first row fits, and only two columns of it; (1, 0) is transparent.
    EXPECT_EQ(Pixels(dst, 0, 3, 4, 1), (std::vector<uint8_t>{5, 5, 100, 5}));
    EXPECT_EQ(Pixels(dst, 0, 0, 4, 3), std::vector<uint8_t>(12, 5));

    TDIB whole(3, 2, 8);
    FillImage(whole, 5);
    MergeRect(s, 0, 0, 2, 1, src, whole, 0, 0, 0, false);
    EXPECT_EQ(AllPixels(whole), (std::vector<uint8_t>{100, 0, 102, 110, 111, 201}));

    FillImage(whole, 5);
    MergeRect(s, 0, 0, 2, 1, src, whole, 0, 0, 4, true);
    EXPECT_EQ(whole.Pixel(0, 0), uint8_t(5 * 100 + 7));
    EXPECT_EQ(whole.Pixel(1, 0), 5); // transparent source pixel skipped
    EXPECT_EQ(whole.Pixel(2, 1), uint8_t(5 * 200 + 7));

    // A plain copy of a rectangle reaching past the source takes only what is there.
    TDIB tall(3, 4, 8);
    FillImage(tall, 5);
    CopyRect(0, 0, 9, 9, src, tall, 1, 1);
    EXPECT_EQ(AllPixels(tall), (std::vector<uint8_t>{5, 5, 5, 5, 100, 0, 5, 110, 111, 5, 5, 5}));

    // Rectangles wholly or partly outside either image write nothing out of bounds.
    MergeRect(s, -5, -5, 10, 10, src, whole, -1, -1, 1, false);
    MergeRect(s, 0, 0, 2, 1, src, whole, 3, 0, 1, false);
    MergeRect(s, 0, 0, 2, 1, src, whole, 0, 2, 1, false);
}

TEST_F(LayerTest, CompositePixelWhileDrawing) {
    s.LayerImage.SetSize(4, 4, 8);
    // Layer under, see-through: a transparent stroke shows the layer, painted as TransColor.
    s.LayerBelow = true;
    EXPECT_EQ(CompositePixel(s, 0, 0, 0), 0);
    EXPECT_EQ(Composite(0, 0), L(0, 0));
    s.LayerMethod = 2;
    EXPECT_EQ(CompositePixel(s, 2, 0, 20), uint8_t(L(2, 0) + 20 + 100));
    // Layer over: Table[drawn][layer], the drawn value where the layer is transparent.
    s.LayerBelow = false;
    s.LayerSeeThrough = true;
    EXPECT_EQ(CompositePixel(s, 2, 0, 20), uint8_t(20 + L(2, 0) + 100));
    ASSERT_EQ(L(1, 1), 0);
    EXPECT_EQ(CompositePixel(s, 1, 1, 20), 20);
    EXPECT_EQ(Composite(1, 1), 20);
    s.LayerMethod = 0;
    EXPECT_EQ(CompositePixel(s, 2, 0, 20), 20);
}

TEST_F(LayerTest, PaintCellStripesOnlyTheStandardMethodFromTwoFoldUp) {
    s.Magnification = 4;
    s.LupeImage.SetSize(16, 16, 8);
    ASSERT_EQ(L(1, 1), 0);
    const uint8_t l = L(2, 0);
    // Cell (2, 0) has an opaque layer pixel, cell (1, 1) a transparent one. Read back: one
    // column of the magnified cell, whose first row is left for the grid.
    const struct {
        bool Below;
        int Method;
        bool Display;
        int X, Y;
        uint8_t Drawn;
        std::vector<uint8_t> Want;
    } cases[] = {
        {true, 0, true, 2, 0, 0, {0, 0, l, 0}}, // under: layer on even rows, TransColor on odd
        {true, 0, true, 1, 1, 7, {0, 7, 7, 7}},
        {false, 0, true, 2, 0, 7, {0, l, 7, l}}, // over: the layer alternates with the drawing
        {false, 0, true, 1, 1, 9, {0, 9, 9, 9}},
        {false, 1, true, 2, 0, 7, {0, 7, 7, 7}}, // another method: plain cells
        {true, 0, false, 2, 0, 0, {0, l, l, l}}, // display option off: plain cells
    };
    for (const auto& c : cases) {
        s.LayerBelow = c.Below;
        s.LayerMethod = c.Method;
        s.LayerDisplayMode = c.Display;
        const int left = c.X * 4, top = c.Y * 4;
        PaintCell(s, c.X, c.Y, IntRect{left + 1, top + 1, left + 4, top + 4}, c.Drawn);
        EXPECT_EQ(Pixels(s.LupeImage, left + 1, top, 1, 4), c.Want) << c.X << "," << c.Y;
    }
    s.LayerDisplayMode = true; // 1:1 is plain too
    s.Magnification = 1;
    s.LupeImage.SetSize(4, 4, 8);
    PaintCell(s, 2, 0, IntRect{2, 0, 3, 1}, 0);
    EXPECT_EQ(s.LupeImage.Pixel(2, 0), l);
}

TEST_F(LayerTest, MergeWritesTheCurrentCompositeIntoTheChosenCellAsOneStep) {
    // LayerImage holds something stale; the merge must not write it.
    s.LayerImage.SetSize(4, 4, 8);
    FillImage(s.LayerImage, 99);
    s.LayerMergeTarget = 1;
    const std::vector<uint8_t> edited = Pixels(s.MainImage, 0, 0, 4, 4);
    std::vector<uint8_t> want = Pixels(s.MainImage, kLayerLeft, kLayerTop, 4, 4);
    for (size_t i = 0; i < want.size(); ++i)
        want[i] = edited[i] != 0 ? edited[i] : want[i];
    MergeLayerIntoTarget(s);
    EXPECT_EQ(Pixels(s.MainImage, kLayerLeft, kLayerTop, 4, 4), want);
    EXPECT_EQ(Pixels(s.MainImage, 0, 0, 4, 4), edited);

    s.LayerActive = true;
    s.LayerMethod = 2;
    s.LayerMergeTarget = 0;
    BuildLayerComposite(s);
    const std::vector<uint8_t> composite = AllPixels(s.LayerImage);
    MergeLayerIntoTarget(s);
    EXPECT_EQ(Pixels(s.MainImage, 0, 0, 4, 4), composite);
    for (const char* view : {"Overview", "Tiled", "Extended"})
        EXPECT_TRUE(hooks.Saw(view)) << view;

    InitUndo(s, 31);
    for (int target : {0, 1}) {
        s.LayerMergeTarget = target;
        ExpectRoundTrip(s, [&] { MergeLayerIntoTarget(s); });
        EXPECT_EQ(LatestUndoRect(s), target == 0 ? (IntRect{0, 0, 3, 3}) : (IntRect{8, 4, 11, 7}));
    }
}

} // namespace
