#pragma once

#include "image/DIB.h"

#include <optional>

namespace vallo {

struct EditorState;

// The copy tool's check boxes: paste lets TransColor through / applies the merge mode.
void CTCHKClick(EditorState& s, bool pasteTransparent, bool copyWithMergeMode);
// Sets CopyStepX/CopyStepY from the "コピーサイズ" choice (CopySizeChoice 0..5).
void SizeGroupClick(EditorState& s);

// The range tool's events in image coordinates. A left press starts a range (state 0),
// copies it into CopyImage (state 1) or pastes CopyImage (state 2); a right press cancels.
void CopyRangePress(EditorState& s, int x, int y);
void CopyRangeCancel(EditorState& s);
// Pointer move: grows the range in state 1, moves the paste position in state 2.
void CopyRangeMove(EditorState& s, int x, int y);

// "コピー": the image to put on the clipboard (the edited cell in state 0, the copy buffer in
// state 2, with the document palette), or nothing while a range is being chosen.
std::optional<TDIB> btCopyClick(EditorState& s);
// "貼り付け": takes an 8-bit image with a 256-entry colour table from the clipboard into
// CopyImage, mapped onto the document palette, ready to paste. Returns false (and changes
// nothing) for an empty image or one that is not 8 bits per pixel.
bool btPasteClick(EditorState& s, const TDIB& picture);

} // namespace vallo
