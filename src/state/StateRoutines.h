#pragma once

#include "image/DIB.h"

namespace vallo {

struct EditorState;

// Shared routines that keep the derived state consistent after a change of the document.

// Only display-relevant palette state changed (forbidden marks, after a paste).
void RefreshPaletteViews(EditorState& s);
// Forbidden marks changed since the colour tables were built (PalettePending): rebuild them
// now, before anything reads them to write pixels.
void ApplyPendingPalette(EditorState& s);
// Moves DrawColor off a forbidden index: the lowest allowed one, or 255 when none is.
void EnsureDrawColorAllowed(EditorState& s);
// Takes an 8-bit, 256-entry picture as the new MainImage (size, pixels, palette).
void LoadPictureIntoMainImage(EditorState& s, const TDIB& picture);
// The magnifier drew into part of LupeImage.
void InvalidateLupeRect(EditorState& s, int left, int top, int right, int bottom);
// "Vallo [name]" or "Vallo [無題]" for the current FileName.
std::string DocumentTitle(const std::string& fileName);

} // namespace vallo
