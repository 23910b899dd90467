#include "draw/ColorTables.h"

#include "app/EditorState.h"

namespace vallo {

// Placeholder until the colour tables land.
void BuildColorTables(EditorState&) {}

} // namespace vallo
