#pragma once

#include <string>

#include "state/Mouse.h"

namespace vallo {

struct EditorState;

// The magnifier's mouse handling on plain values. Positions are LupeBox (view) pixels.
void LupeBoxMouseDown(EditorState& s, MouseButton button, int x, int y, bool shift);
// Returns the window caption "ルーペ [X=%d:Y=%d]" (plus " レイヤー作動中").
std::string LupeBoxMouseMove(EditorState& s, int x, int y, bool shift);
void LupeBoxMouseUp(EditorState& s, MouseButton button, int x, int y, bool shift);
// Application idle: undoes the extra cursor hide of a running pen stroke.
void LupeIdle(EditorState& s);
// Refresh of the undo buttons in both windows (through the view hooks).
void TimTimer(EditorState& s);
// Zoom box text changed; returns true when the text was accepted.
bool BaiBoxChange(EditorState& s, const std::string& text);
// Zoom box text for a magnification: 8 gives "800%".
std::string ZoomText(int magnification);

} // namespace vallo
