#pragma once

#include "app/QtViewHooks.h"
#include "state/AppPaths.h"
#include "state/EditorState.h"
#include "widgets/QtWindows.h"

#include <string>

namespace vallo {

// The whole program on one folder: the state, the windows and the hooks between them, as the
// executable runs it (the UI tests run it the same way in a child process).
class QtProgram {
public:
    // appDir: the program's folder, where "sys" and "palette" live.
    explicit QtProgram(const std::string& appDir);
    // paths: where data files are read and the program's own files written; startFile: the
    // file named on the command line, opened after start-up (none when empty).
    QtProgram(const AppPaths& paths, const std::string& startFile);
    ~QtProgram();
    QtProgram(const QtProgram&) = delete;
    QtProgram& operator=(const QtProgram&) = delete;

    // Shows the main window; its start-up step runs from the event loop.
    void Show();

    EditorState s;
    AppWindows w;

private:
    QtViewHooks hooks_;
};

} // namespace vallo
