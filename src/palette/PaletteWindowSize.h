#pragma once

#include <string>

namespace vallo {

struct EditorState;

// The three arrangements of the 256 palette cells, chosen by the size dialog's bar (1..3):
// 8 rows of 32, 16 of 16, 32 of 8.
struct PaletteArrangement {
    int Rows = 16;
    int Columns = 16;
};
inline constexpr int kMinPaleCell = 8;
inline constexpr int kMaxPaleCell = 32;

// Arrangement of a bar position; positions outside 1..3 take the nearest one.
PaletteArrangement ArrangementForBar(int position);
// Bar position that shows the given row count, or `current` when it is none of 8, 16, 32.
int BarForRows(int rows, int current);
// A typed cell size: text that is not a number counts as 0, then the value is clamped to 8..32
// with unsigned comparisons (so a negative entry becomes 32, 0 becomes 8).
int ClampPaleCellSize(const std::string& text);
// "設定完了": takes the arrangement and the two cell sizes, resizes and redraws the grid.
void ApplyPaletteWindowSize(EditorState& s, int barPosition, const std::string& widthText,
                            const std::string& heightText);

} // namespace vallo
