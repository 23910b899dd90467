#pragma once

namespace vallo {

struct EditorState;

// Rebuilds all of LupeImage (the magnified cell) from the document, with the grid.
void RenderLupe(EditorState& s);

} // namespace vallo
