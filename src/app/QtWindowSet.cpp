#include "app/QtWindowSet.h"

#include "app/ConfForm.h"
#include "app/MainForm.h"
#include "app/NewForm.h"
#include "draw/CToolForm.h"
#include "draw/EToolForm.h"
#include "draw/LayForm.h"
#include "draw/ToolForm.h"
#include "palette/ColorsForm.h"
#include "palette/PLForm.h"
#include "palette/PSForm.h"
#include "palette/PSizeForm.h"
#include "palette/Pale2Form.h"
#include "palette/PaleForm.h"
#include "views/AllForm.h"
#include "views/AniForm.h"
#include "views/EXForm.h"
#include "views/LupeForm.h"
#include "views/NarabeForm.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace vallo {

namespace {

// The magnifier and the overview live inside the main window's MDI area. Their frames carry
// the caption (the magnifier's shows the cell under the pointer) but no close button: both
// windows stay for the whole run.
void AddChildWindow(TMainForm* main, QWidget* content) {
    QMdiSubWindow* sub = main->MdiArea()->addSubWindow(
        content, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    sub->setWindowTitle(content->windowTitle());
    QObject::connect(content, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    sub->show();
}

} // namespace

void CreateWindows(EditorState& s, AppWindows& w) {
    w.MainForm = new TMainForm(s, w);
    QWidget* main = w.MainForm;
    w.LayForm = new TLayForm(s, w, main);
    w.NarabeForm = new TNarabeForm(s, w, main);
    w.EToolForm = new TEToolForm(s, w, main);
    w.EXForm = new TEXForm(s, w, main);
    w.LupeForm = new TLupeForm(s, w);
    AddChildWindow(w.MainForm, w.LupeForm);
    w.AllForm = new TAllForm(s, w);
    AddChildWindow(w.MainForm, w.AllForm);
    w.PaleForm = new TPaleForm(s, w, main);
    w.NewForm = new TNewForm(s, w, main);
    w.ToolForm = new TToolForm(s, w, main);
    w.ConfForm = new TConfForm(s, w, main);
    w.Pale2Form = new TPale2Form(s, w, main);
    w.PLForm = new TPLForm(s, w, main);
    w.PSForm = new TPSForm(s, w, main);
    w.PSizeForm = new TPSizeForm(s, w, main);
    w.CToolForm = new TCToolForm(s, w, main);
    w.ColorsForm = new TColorsForm(s, w, main);
    w.AniForm = new TAniForm(s, w, main);
}

std::vector<QWidget*> WindowList(const AppWindows& w) {
    const std::vector<QWidget*> all = {
        w.MainForm,  w.LayForm,   w.NarabeForm, w.EToolForm, w.EXForm,    w.LupeForm,
        w.AllForm,   w.PaleForm,  w.NewForm,    w.ToolForm,  w.ConfForm,  w.Pale2Form,
        w.PLForm,    w.PSForm,    w.PSizeForm,  w.CToolForm, w.ColorsForm, w.AniForm};
    std::vector<QWidget*> list;
    for (QWidget* window : all)
        if (window)
            list.push_back(window);
    return list;
}

void DestroyWindows(AppWindows& w) {
    // Every other window is a child of the main window and goes with it.
    delete w.MainForm;
    w = AppWindows{};
}

} // namespace vallo
