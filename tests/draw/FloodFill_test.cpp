#include "DrawFixture.h"
#include "draw/FloodFill.h"

#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testing;

namespace {

// Loads rows of digits into the cell (one palette index per character).
void LoadCell(EditorState& s, const std::vector<std::string>& rows) {
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            s.MainImage.SetPixel(s.CharLeft + int(x), s.CharTop + int(y),
                                 uint32_t(rows[y][x] - '0'));
}

std::vector<std::string> CellRows(const EditorState& s, int width, int height) {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += char('0' + CellPixel(s, x, y));
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(FloodFill, FourConnectedByIndexOnly) {
    auto s = MakeEditor(); // index 3 and 4 are the same red; corners do not join areas
    FillImage(s->MainImage, 9);
    LoadCell(*s, {"0000", "0110", "0110", "1001", "3000", "3433"});
    s->DrawColor = 2;
    s->MergeMode = 2; // ignored by the fill
    FloodFillCell(*s, 1, 1);
    EXPECT_EQ(CellRows(*s, 4, 6),
              (std::vector<std::string>{"0000", "0220", "0220", "1001", "3000", "3433"}));
    FloodFillCell(*s, 0, 0);
    EXPECT_EQ(CellRows(*s, 4, 6),
              (std::vector<std::string>{"2222", "2222", "2222", "1001", "3000", "3433"}));
    s->DrawColor = 1;
    FloodFillCell(*s, 0, 5);
    EXPECT_EQ(CellRows(*s, 5, 6),
              (std::vector<std::string>{"22229", "22229", "22229", "10019", "10009", "14339"}));
}

TEST(FloodFill, StopsAtTheCellBorderAndHonoursDither) {
    auto s = MakeEditor();
    FillImage(s->MainImage, 5);
    s->DrawColor = 1;
    s->DitherMode = 1;
    FloodFillCell(*s, 3, 3);
    for (int y = -1; y <= 16; ++y)
        for (int x = -1; x <= 16; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < 16 && y < 16;
            const uint32_t want = inside && (x + y) % 2 == 0 ? 1 : 5;
            ASSERT_EQ(s->MainImage.Pixel(s->CharLeft + x, s->CharTop + y), want) << x << "," << y;
        }
    // A seed outside the cell fills nothing; a cell hanging off the image fills what exists.
    const std::vector<uint8_t> before = AllPixels(s->MainImage);
    for (auto [x, y] : {std::pair{-1, 0}, {16, 0}, {0, 16}, {0, -5}})
        FloodFillCell(*s, x, y);
    EXPECT_EQ(AllPixels(s->MainImage), before);
    s->CharLeft = 60;
    s->DitherMode = 0;
    FloodFillCell(*s, 1, 1);
    EXPECT_EQ(s->MainImage.Pixel(63, s->CharTop + 1), 1u);
}
