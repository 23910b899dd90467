#pragma once

#include "widgets/QtWindows.h"

#include <vector>

class QWidget;

namespace vallo {

struct EditorState;

// Creates every window in the program's order, the main window first, and enters them in the
// table. s.AppDir must name the program folder. The windows live until DestroyWindows.
void CreateWindows(EditorState& s, AppWindows& w);
void DestroyWindows(AppWindows& w);
// Every window of the table in creation order, the main window first; null entries left out.
std::vector<QWidget*> WindowList(const AppWindows& w);

} // namespace vallo
