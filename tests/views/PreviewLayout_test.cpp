#include "views/PreviewLayout.h"
#include "views/PreviewRender.h"

#include <gtest/gtest.h>

using namespace vallo;

namespace {

// A 64 x 64 document whose pixel i (row-major) is i mod 250, transparent colour 252; the
// layer composite's pixel i is 200 + i mod 40.
struct PreviewDoc {
    EditorState s;
    PreviewDoc(int w, int h, bool layer) {
        s.MainImage.SetSize(64, 64, 8);
        for (int i = 0; i < 64 * 64; ++i)
            s.MainImage.SetPixel(i % 64, i / 64, uint32_t(i % 250));
        s.TransColor = 252;
        s.CharWidth = w;
        s.CharHeight = h;
        s.CharLeft = 8;
        s.CharTop = 16;
        s.LayerActive = layer;
        s.LayerImage.SetSize(w, h, 8);
        for (int i = 0; i < w * h; ++i)
            s.LayerImage.SetPixel(i % w, i / w, uint32_t(200 + i % 40));
    }
    uint32_t Cell(int x, int y) const {
        return s.LayerActive ? s.LayerImage.Pixel(x, y)
                             : s.MainImage.Pixel(s.CharLeft + x, s.CharTop + y);
    }
    TDIB Render(const PreviewLayout& l, IntRect box = {0, 0, 1 << 20, 1 << 20}) const {
        IntRect area;
        return RenderPreviewArea(EditedCellSource(s), l, box, s.MainImage.ColorTable(), area);
    }
};

} // namespace

TEST(PreviewLayout, ExtendedViewIsTheCellAndItsExactMirror) {
    for (bool layer : {false, true}) {
        PreviewDoc d(32, 32, layer);
        d.s.EXZoom = 3;
        const PreviewLayout l = ExtendedLayout(d.s);
        ASSERT_EQ(l.Width(), 192);
        ASSERT_EQ(l.Height(), 96);
        const TDIB view = d.Render(l);
        ASSERT_EQ(view.Width(), 192);
        for (int y = 0; y < 96; ++y)
            for (int x = 0; x < 96; ++x) {
                ASSERT_EQ(view.Pixel(x, y), d.Cell(x / 3, y / 3)) << x << "," << y;
                ASSERT_EQ(view.Pixel(191 - x, y), view.Pixel(x, y)) << x << "," << y << layer;
            }
        // Mirrored only: the right half of the mixed view.
        d.s.EXStyle = 2;
        const TDIB mirrored = d.Render(ExtendedLayout(d.s));
        for (int x = 0; x < 96; ++x)
            ASSERT_EQ(mirrored.Pixel(x, 40), view.Pixel(96 + x, 40));
    }
}

TEST(PreviewLayout, TiledViewRepeatsTheCell) {
    for (bool layer : {false, true}) {
        PreviewDoc d(16, 24, layer);
        d.s.NarabeCount = 2;
        d.s.NarabeZoom = 2;
        const PreviewLayout l = TiledLayout(d.s);
        ASSERT_EQ(l.Width(), 64);
        ASSERT_EQ(l.Height(), 96);
        const TDIB view = d.Render(l);
        for (int y = 0; y < 96; ++y)
            for (int x = 0; x < 64; ++x)
                ASSERT_EQ(view.Pixel(x, y), d.Cell(x % 32 / 2, y % 48 / 2)) << x << "," << y;
    }
}

TEST(PreviewLayout, ExposedPartsMatchTheWholeViewAndOutsideShowsTransparent) {
    PreviewDoc d(32, 32, false);
    d.s.EXZoom = 2;
    d.s.CharLeft = 48; // the right half of the cell lies beyond the image
    const PreviewLayout l = ExtendedLayout(d.s);
    const TDIB whole = d.Render(l);
    EXPECT_EQ(whole.Pixel(31, 0), d.Cell(15, 0));
    EXPECT_EQ(whole.Pixel(32, 0), 252u);
    EXPECT_EQ(whole.Pixel(127 - 32, 5), 252u);
    IntRect area;
    const TDIB part = RenderPreviewArea(EditedCellSource(d.s), l, {50, 7, 200, 30},
                                        d.s.MainImage.ColorTable(), area);
    EXPECT_EQ(area, (IntRect{50, 7, 128, 30}));
    for (int y = 0; y < part.Height(); ++y)
        for (int x = 0; x < part.Width(); ++x)
            ASSERT_EQ(part.Pixel(x, y), whole.Pixel(50 + x, 7 + y));
    // A cell wholly outside the image shows only the transparent colour.
    const TDIB none =
        RenderPreviewArea({&d.s.MainImage, -100, 500, 9}, l, {0, 0, 128, 64}, {}, area);
    for (int i = 0; i < 64 * 128; i += 7)
        ASSERT_EQ(none.Pixel(i % 128, i / 128), 9u);
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
