#include "app/QtProgram.h"

#include "app/MainForm.h"
#include "app/QtWindowSet.h"

namespace vallo {

QtProgram::QtProgram(const std::string& appDir) : hooks_(s, w) {
    s.Hooks = &hooks_;
    s.AppDir = appDir;
    CreateWindows(s, w);
}

QtProgram::~QtProgram() {
    DestroyWindows(w);
}

void QtProgram::Show() {
    w.MainForm->show();
}

} // namespace vallo
