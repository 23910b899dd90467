#include "views/PreviewLayout.h"
#include "views/PreviewRender.h"

#include <gtest/gtest.h>

using namespace vallo;

// The extended view of the edited cell (of the document, or of the layer composite) is the cell
// and its exact mirror, the part beyond the image in the transparent colour; an exposed part
// renders as the same pixels.
TEST(PreviewLayout, ExtendedViewIsTheCellAndItsMirrorInEveryExposedPart) {
    EditorState s;
    s.MainImage.SetSize(64, 64, 8);
    s.LayerImage.SetSize(32, 32, 8);
    for (int i = 0; i < 64 * 64; ++i)
        s.MainImage.SetPixel(i % 64, i / 64, uint32_t(i % 250));
    for (int i = 0; i < 32 * 32; ++i)
        s.LayerImage.SetPixel(i % 32, i / 32, uint32_t(200 + i % 40));
    s.TransColor = 252;
    s.CharWidth = s.CharHeight = 32;
    s.CharLeft = 48; // the right half of the cell lies beyond the image
    s.CharTop = 16;
    s.EXZoom = 2;
    for (bool layer : {false, true}) {
        s.LayerActive = layer;
        const PreviewLayout l = ExtendedLayout(s);
        IntRect area;
        const TDIB whole = RenderPreviewArea(EditedCellSource(s), l, {0, 0, 1 << 20, 1 << 20},
                                             s.MainImage.ColorTable(), area);
        ASSERT_EQ((std::array{whole.Width(), whole.Height()}), (std::array{128, 64}));
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const int cx = x / 2, cy = y / 2;
                const uint32_t want = layer          ? s.LayerImage.Pixel(cx, cy)
                                      : 48 + cx < 64 ? s.MainImage.Pixel(48 + cx, 16 + cy)
                                                     : 252u;
                ASSERT_EQ(whole.Pixel(x, y), want) << x << "," << y << layer;
                ASSERT_EQ(whole.Pixel(127 - x, y), want) << x << "," << y << layer;
            }
        const TDIB part = RenderPreviewArea(EditedCellSource(s), l, {50, 7, 200, 30},
                                            s.MainImage.ColorTable(), area);
        EXPECT_EQ(area, (IntRect{50, 7, 128, 30}));
        for (int y = 0; y < part.Height(); ++y)
            for (int x = 0; x < part.Width(); ++x)
                ASSERT_EQ(part.Pixel(x, y), whole.Pixel(50 + x, 7 + y));
    }
}

TEST(PreviewLayout, ChangedCellsInvalidateEveryCopy) {
    const IntRect cells{2, 3, 5, 7};
    const struct {
        PreviewLayout layout;
        std::vector<IntRect> rects;
    } cases[] = {
        {ExtendedLayout(32, 32, 3, 1), {{6, 9, 15, 21}}},
        {ExtendedLayout(32, 32, 3, 2), {{81, 9, 90, 21}}},
        {ExtendedLayout(32, 32, 3, 0), {{6, 9, 15, 21}, {177, 9, 186, 21}}},
        {TiledLayout(16, 16, 2, 1),
         {{2, 3, 5, 7}, {18, 3, 21, 7}, {2, 19, 5, 23}, {18, 19, 21, 23}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PreviewChangedRects(c.layout, cells), c.rects);
    // Cells beyond the cell (a stroke leaving it) are cut; nothing left gives nothing.
    EXPECT_EQ(PreviewChangedRects(ExtendedLayout(32, 32, 1, 1), {30, -4, 40, 1}),
              (std::vector<IntRect>{{30, 0, 32, 1}}));
    EXPECT_TRUE(PreviewChangedRects(ExtendedLayout(32, 32, 1, 0), {33, 0, 40, 8}).empty());
}
