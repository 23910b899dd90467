#pragma once

#include "views/FrameShape.h"

namespace vallo {

struct EditorState;

// The copy range as the magnifier shows it over LupeImage, in view coordinates: a dotted
// one-pixel frame while the range is being chosen, a three-pixel frame with the copy buffer
// stretched inside it once the range is copied and follows the pointer.
struct LupeCopyOverlay {
    FrameShape Frame;
    StretchShape Image;
};

LupeCopyOverlay ComputeLupeCopyOverlay(const EditorState& s);

} // namespace vallo
