#include "state/EditorState.h"

namespace vallo {

EditorState::EditorState() : Hooks(&defaultHooks_) {
    for (size_t i = 1; i < RecentFiles.size(); ++i)
        RecentFiles[i] = "[No File]";
    MainImage.SetSize(500, 500, 8);
    // Until the pen strip is read, every pen is a full square, so drawing works without it.
    for (size_t pen = 0; pen < 20; ++pen)
        for (size_t x = 0; x <= pen; ++x)
            for (size_t y = 0; y <= pen; ++y)
                PenMasks[x][y][pen] = 255;
}

} // namespace vallo
