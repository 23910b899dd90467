#pragma once

namespace vallo {

struct EditorState;

// Pen positions along a line, both ends included (Bresenham from the smaller major end).
void DrawLine(EditorState& s, int x0, int y0, int x1, int y1);
void DrawBox(EditorState& s, int x0, int y0, int x1, int y1, bool filled);
void DrawEllipse(EditorState& s, int x0, int y0, int x1, int y1, bool filled);
// Draws the shape of a two-point tool (1..5) from (x0, y0) to (x1, y1).
void DrawToolShape(EditorState& s, int tool, int x0, int y0, int x1, int y1);
// Saves the magnified cells a shape from (x0, y0) to (x1, y1) with the given pen can touch.
void SavePreviewRegion(EditorState& s, int x0, int y0, int x1, int y1, int penOffset,
                       int penSize);
void RestorePreviewRegion(EditorState& s);

} // namespace vallo
