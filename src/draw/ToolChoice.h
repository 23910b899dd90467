#pragma once

#include <string>

namespace vallo {

struct EditorState;

// The tool window's choices on plain values.
void btToolClick(EditorState& s, int tool);           // CurrentTool 0..7
void btMarge3Click(EditorState& s, int mergeMode);    // MergeMode 0..4
void AMIClick(EditorState& s, int ditherMode);        // DitherMode 0..2
void PenImagesMouseDown(EditorState& s, int x);       // x within the 400-pixel pen strip
// Returns true when the text named an acceptable cell size and it was applied.
bool SizeBoxChange(EditorState& s, const std::string& text);
void btLGridClick(EditorState& s, bool down);

} // namespace vallo
