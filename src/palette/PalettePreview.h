#pragma once

#include "image/DIB.h"

namespace vallo {

struct EditorState;

// Previewing dialogs show colours that are not the palette yet. The views paint MainImage and
// LupeImage from their own colour tables, so the preview lives in those two tables until the
// dialog closes; PaletteQuads, PaletteColors, the colour tables of the drawing engine and the
// palette window keep the committed palette throughout.

// Shows `shown` in the overview, the magnifier and the extended and tiled views, painted now.
void ShowPalettePreview(EditorState& s, const ColorTableArray& shown);
// The views show the committed palette (PaletteQuads) again.
void EndPalettePreview(EditorState& s);

} // namespace vallo
