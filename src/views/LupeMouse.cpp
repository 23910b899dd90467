#include "views/LupeMouse.h"

#include "app/EditorState.h"

namespace vallo {

// Placeholders until the magnifier's mouse handling lands.
void LupeBoxMouseDown(EditorState&, MouseButton, int, int, bool) {}
std::string LupeBoxMouseMove(EditorState&, int, int, bool) { return "ルーペ"; }
void LupeBoxMouseUp(EditorState&, MouseButton, int, int, bool) {}
void LupeIdle(EditorState&) {}
void TimTimer(EditorState& s) { s.Hooks->RefreshUndoButtons(); }
bool BaiBoxChange(EditorState&, const std::string&) { return false; }
std::string ZoomText(int magnification) { return std::to_string(magnification) + "00%"; }

} // namespace vallo
