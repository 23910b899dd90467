#include "app/QtProgram.h"

#include "app/MainForm.h"
#include "app/QtWindowSet.h"

namespace vallo {

QtProgram::QtProgram(const std::string& appDir) : QtProgram(AppPaths{appDir, {}, {}}, {}) {}

QtProgram::QtProgram(const AppPaths& paths, const std::string& startFile) : hooks_(s, w) {
    s.Hooks = &hooks_;
    ApplyAppPaths(s, paths);
    s.StartFile = startFile;
    CreateWindows(s, w);
}

QtProgram::~QtProgram() {
    DestroyWindows(w);
}

void QtProgram::Show() {
    w.MainForm->show();
}

} // namespace vallo
