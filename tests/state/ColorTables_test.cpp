#include "draw/DrawFixture.h"
#include "draw/ImageLayout.h"
#include "state/ColorTables.h"

#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testing;

TEST(ColorTables, WorkedTablesOfBlackWhiteGreyAndRed) {
    auto s = MakeEditor();
    const ColorTables& t = s->Tables;
    // Blend, add, subtract, multiply, substitute and inverse; then equal colours: the lowest
    // index is the nearest, and a red's substitute is another red.
    EXPECT_EQ((std::vector<int>{t.BlendTable[0][1], t.BlendTable[1][0], t.AddTable[2][2],
                                t.AddTable[0][2], t.SubtractTable[1][2], t.SubtractTable[2][1],
                                t.MultiplyTable[2][2], t.MultiplyTable[1][2], t.SubstituteColor[2],
                                t.InverseColor[0], t.InverseColor[2], t.NearestCube[15],
                                t.SubstituteColor[3], t.SubstituteColor[4], t.PaletteRed[2]}),
              (std::vector<int>{2, 2, 1, 2, 2, 0, 0, 2, 1, 1, 2, 3, 4, 3, 128}));
}

TEST(ColorTables, BlendDiagonalAndNeverTheLowerPixel) {
    auto s = MakeEditor(true);
    const ColorTables& t = s->Tables;
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(t.BlendTable[size_t(i)][size_t(i)], i);
        for (int j = 0; j < 256; ++j)
            if (i != j) {
                EXPECT_NE(t.BlendTable[size_t(i)][size_t(j)], i) << i << "," << j;
            }
    }
    // Greys 102 and 103 blend to the cube's 102: over 102 the upper colour is taken instead.
    EXPECT_EQ((std::array{t.BlendTable[102][103], t.BlendTable[103][102], t.BlendTable[100][101]}),
              (std::array<uint8_t, 3>{103, 102, 102}));
    // Far apart greys meet in the middle (the cube works in steps of 17).
    EXPECT_EQ(t.BlendTable[0][255], 119);
    // The arithmetic tables work channel by channel and quantise the result.
    EXPECT_EQ(t.AddTable[100][120], t.Quantised(220, 220, 220));
    EXPECT_EQ(t.SubtractTable[200][90], t.Quantised(110, 110, 110));
    EXPECT_EQ(t.MultiplyTable[200][100], t.Quantised(45, 45, 45));
    EXPECT_NE(t.SubtractTable[200][90], t.SubtractTable[90][200]);
}

TEST(ColorTables, ForbiddenEntriesAreSubstitutedInEveryMergeTable) {
    auto s = MakeEditor();
    s->ForbiddenFlags[1] = kForbidden;
    PropagatePalette(*s);
    const ColorTables& t = s->Tables;
    // Inverse colours are only shown, never substituted.
    EXPECT_EQ((std::array{t.AddTable[2][2], t.SubstituteColor[2], t.InverseColor[0]}),
              (std::array<uint8_t, 3>{2, 3, 1}));

    auto grey = MakeEditor(true);
    for (int i = 0; i < 256; i += 3)
        grey->ForbiddenFlags[size_t(i)] = kForbidden;
    PropagatePalette(*grey);
    const ColorTables& g = grey->Tables;
    for (size_t a = 0; a < 256; ++a)
        for (size_t b = 0; b < 256; ++b) {
            EXPECT_NE(g.AddTable[a][b] % 3, 0);
            EXPECT_NE(g.SubtractTable[a][b] % 3, 0);
            EXPECT_NE(g.MultiplyTable[a][b] % 3, 0);
            if (a != b && grey->ForbiddenFlags[a] == 0 && grey->ForbiddenFlags[b] == 0) {
                EXPECT_NE(g.BlendTable[a][b] % 3, 0);
            }
        }
}

TEST(ColorTables, EverythingForbiddenGives255) {
    auto s = MakeEditor();
    s->ForbiddenFlags.fill(kForbidden);
    s->ForbiddenFlags[7] = 0;
    PropagatePalette(*s);
    EXPECT_EQ(s->Tables.SubstituteColor[7], 255); // the only allowed index skips itself
    EXPECT_EQ(s->Tables.SubstituteColor[0], 7);
    s->ForbiddenFlags[7] = kForbidden;
    PropagatePalette(*s);
    for (uint8_t v : s->Tables.SubstituteColor)
        EXPECT_EQ((std::array{int(v), int(s->DrawColor)}), (std::array{255, 255}));
}
