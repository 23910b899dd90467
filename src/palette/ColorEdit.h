#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vallo {

struct EditorState;

// The colour edit dialog's behaviour: the drawing colour's palette entry edited in red, green,
// blue and in hue, lightness, saturation (EditRed ... EditSat), with bars to drag and a preview
// in the views.

// The two bar boxes: R, G, B and H, L, S, each 64 x 64 with three 16-pixel rows.
enum class ColorBarBox { Rgb = 0, Hls = 1 };
inline constexpr int kColorBarWidth = 64;
inline constexpr int kColorBarHeight = 16;
// First pixel row of each bar in its box (rows 0..15, 24..39, 48..63).
inline constexpr std::array<int, 3> kColorBarTops = {0, 24, 48};

// Loading the dialog: the committed colour of DrawColor in both models.
void LoadColorEdit(EditorState& s);
// The decimal texts of the three fields of one group.
std::array<std::string, 3> ColorEditFieldTexts(const EditorState& s, ColorBarBox group);

// A change of a red, green or blue field (texts as typed: not a number counts as 0, then each
// is clamped to 0..255). Returns true when the colour changed: the HLS values follow, and the
// caller writes them into the HLS fields and previews. Ignored while EditFieldsLive is false.
bool RgbFieldsChanged(EditorState& s, const std::array<std::string, 3>& texts);
// The same for hue (0..767), lightness (0..512) and saturation (0..256); RGB follows.
bool HlsFieldsChanged(EditorState& s, const std::array<std::string, 3>& texts);

// Bar row (1..3) under a y of a box: 0..16, 24..40, 48..64 (ends included); else `current`.
int ColorBarRowAt(int y, int current);
// The value a drag at x (clamped to 0..63) writes into the field of `row` (1..3) of a box.
int ColorBarValueAt(ColorBarBox box, int row, int x);
// x of the marker line of each bar of a box for the edited colour.
std::array<int, 3> ColorBarMarkers(const EditorState& s, ColorBarBox box);
// Colour of the marker lines of a box's bars (0x00BBGGRR): white on R, G, B; black on H, blue
// on L and S.
std::array<uint32_t, 3> ColorBarMarkerColors(ColorBarBox box);

// The views show DrawColor's entry in the edited colour; the palette is unchanged.
void PreviewColorEdit(EditorState& s);
// "設定": one undo step, the edited colour into DrawColor's entry, shown everywhere.
void CommitColorEdit(EditorState& s);
// Closing in any way: the views show the committed palette.
void CloseColorEdit(EditorState& s);

} // namespace vallo
