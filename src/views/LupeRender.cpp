#include "views/LupeRender.h"

#include "app/EditorState.h"

namespace vallo {

// Placeholder until the magnified rendering lands.
void RenderLupe(EditorState&) {}

} // namespace vallo
