#include "app/QtViewHooks.h"

#include "app/EditorState.h"
#include "app/MainForm.h"
#include "draw/CToolForm.h"
#include "draw/LayForm.h"

#include <QString>

namespace vallo {

// TODO(wiring): the magnifier, overview and tool window hooks, once those windows are on the
// main line.

void QtViewHooks::SetTitle(const std::string& title) {
    if (w_.MainForm)
        w_.MainForm->setWindowTitle(QString::fromStdString(title));
}

void QtViewHooks::SetRecentFileCaptions() {
    if (w_.MainForm)
        w_.MainForm->SetRecentFileCaptions();
}

void QtViewHooks::ApplyWindowPlaces() {
    if (w_.MainForm)
        w_.MainForm->ApplyWindowPlaces();
}

void QtViewHooks::ShowStartupWindows() {
    if (w_.MainForm)
        w_.MainForm->ShowStartupWindows();
}

void QtViewHooks::ReflectSettings() {
    if (w_.CToolForm)
        w_.CToolForm->ReflectOptions();
}

void QtViewHooks::ShowCopyTool(bool visible) {
    if (!w_.CToolForm)
        return;
    if (visible && w_.MainForm)
        w_.MainForm->ShowFloatingWindow(w_.CToolForm);
    else
        w_.CToolForm->setVisible(visible);
}

void QtViewHooks::ReleaseLayerButton() {
    if (w_.LayForm)
        w_.LayForm->ReleaseLayerButton();
    s_.LayerActive = false;
}

} // namespace vallo
