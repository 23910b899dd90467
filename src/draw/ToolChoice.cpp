#include "draw/ToolChoice.h"

#include "app/EditorState.h"

namespace vallo {

// Placeholders until the tool choices land.
void btToolClick(EditorState& s, int tool) { s.CurrentTool = tool; }
void btMarge3Click(EditorState& s, int mergeMode) { s.MergeMode = mergeMode; }
void AMIClick(EditorState& s, int ditherMode) { s.DitherMode = ditherMode; }
void PenImagesMouseDown(EditorState&, int) {}
bool SizeBoxChange(EditorState&, const std::string&) { return false; }
void btLGridClick(EditorState& s, bool down) { s.LupeGrid = down; }

} // namespace vallo
