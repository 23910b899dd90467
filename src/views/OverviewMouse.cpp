#include "views/OverviewMouse.h"

#include "app/EditorState.h"

namespace vallo {

// Placeholders until the overview's mouse handling lands.
void AllBoxMouseDown(EditorState&, MouseButton, int, int, bool, bool) {}
void AllBoxMouseMove(EditorState&, int, int, bool, bool) {}
void powerComboChange(EditorState& s, int itemIndex) { s.OverviewPowerIndex = itemIndex; }

} // namespace vallo
