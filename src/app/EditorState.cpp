#include "app/EditorState.h"

namespace vallo {

EditorState::EditorState() : Hooks(&defaultHooks_) {
    for (size_t i = 1; i < RecentFiles.size(); ++i)
        RecentFiles[i] = "[No File]";
    MainImage.SetSize(500, 500, 8);
}

} // namespace vallo
