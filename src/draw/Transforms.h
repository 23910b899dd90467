#pragma once

namespace vallo {

struct EditorState;

// Whole-cell transforms of the edited cell ("特殊ツール"). Pixel indices move unchanged; each
// takes an undo snapshot first (a run of shifts is one step) and rebuilds the views after.

// One-pixel cyclic shifts: the row or column pushed out re-enters on the opposite side.
void btUpClick(EditorState& s);
void btDownClick(EditorState& s);
void btLeftClick(EditorState& s);
void btRightClick(EditorState& s);
// "上下反転" and "左右反転".
void btRev1Click(EditorState& s);
void btRev2Click(EditorState& s);
// "左90度回転" and "右90度反転": quarter turns of the cell's top-left square of side
// min(CharWidth, CharHeight); the rest of a non-square cell is left as it was.
void btL90Click(EditorState& s);
void btR90Click(EditorState& s);
// "左半分を右へ" / "右半分を左へ": one half becomes the mirror image of the other.
void btLeftToRightClick(EditorState& s);
void btRightToLeftClick(EditorState& s);

} // namespace vallo
