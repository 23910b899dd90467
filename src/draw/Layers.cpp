#include "draw/Layers.h"

#include "draw/PixelOps.h"
#include "views/LupeRender.h"

namespace vallo {

// Placeholders until the layer composite lands.
void BuildLayerComposite(EditorState&) {}
void MergeRect(const EditorState&, int, int, int, int, const TDIB&, TDIB&, int, int, int, bool) {}
uint8_t CompositePixel(EditorState&, int, int, uint8_t v) { return v; }
void PaintCell(EditorState& s, int, int, const IntRect& r, uint8_t v) {
    FillCellRect(s.LupeImage, r.Left, r.Top, r.Right, r.Bottom, v);
}
void LayChange(EditorState& s) { RenderLupe(s); }
void MergeLayerIntoTarget(EditorState&) {}

} // namespace vallo
