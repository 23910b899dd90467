#pragma once

#include <string>
#include <vector>

namespace vallo {

struct EditorState;
class DocumentUi;

// The main window's creation step: AppDir, the "palette" folder and the default palette file,
// the images, the colour bar and the pen shapes. Never throws; returns a message for each data
// file that could not be read or written (the editor goes on with a safe default).
std::vector<std::string> MainFormCreate(EditorState& s, const std::string& appDir);

// The deferred start-up step, run once shortly after the main window is shown: configuration,
// the most recent file or a blank image, the undo history, the windows and their controls.
// When s.StartFile names a file, start-up makes the blank image and then opens that file.
void DeferredStartup(EditorState& s, DocumentUi& ui);

} // namespace vallo
