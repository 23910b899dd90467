#pragma once

namespace vallo {

struct EditorState;

// Refresh routines that rebuild the magnified cell after the document's shape or colours change.

// MainImage was replaced or changed size: cell and layer back to 0, 0, views resized.
void ApplyImageSize(EditorState& s);
// CharWidth or CharHeight changed: magnified buffers, scratch buffers and cell position.
void ApplyCharLayout(EditorState& s);
// The palette (MainImage's colour table) changed: copies it everywhere, rebuilds the tables.
void PropagatePalette(EditorState& s);

} // namespace vallo
