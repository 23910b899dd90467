#pragma once

#include <cstdint>

#include "state/EditorState.h"

namespace vallo {

// Computes LayerImage, the composite of the edited cell and the layer cell.
void BuildLayerComposite(EditorState& s);
// Blends the inclusive source rectangle onto dest at (destLeft, destTop) through the merge
// table of a method 1..4 (0 writes the source), optionally skipping TransColor; forbidden
// results are substituted.
void MergeRect(const EditorState& s, int left, int top, int right, int bottom, const TDIB& source,
               TDIB& dest, int destLeft, int destTop, int method, bool skipTransparent);
// Composite of one freshly written edited-cell pixel v at cell (px, py): stores it into
// LayerImage and returns the value to paint the magnified cell with.
uint8_t CompositePixel(EditorState& s, int px, int py, uint8_t v);
// Paints one magnified cell of LupeImage (rect as in PlotPen) for composite value v.
void PaintCell(EditorState& s, int px, int py, const IntRect& rect, uint8_t v);
// Rebuilds the composite and magnifier and repaints every view.
void LayChange(EditorState& s);
// Merges LayerImage into the target cell ("レイヤー統合") as one undo step.
void MergeLayerIntoTarget(EditorState& s);

} // namespace vallo
