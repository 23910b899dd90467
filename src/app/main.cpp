#include "state/EditorState.h"
#include "app/MainForm.h"
#include "app/QtViewHooks.h"
#include "app/QtWindowSet.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("Vallo");

    vallo::EditorState s;
    vallo::AppWindows w;
    vallo::QtViewHooks hooks(s, w);
    s.Hooks = &hooks;
    s.AppDir = QCoreApplication::applicationDirPath().toStdString() + "/";

    vallo::CreateWindows(s, w);
    w.MainForm->show();
    const int result = app.exec();
    vallo::DestroyWindows(w);
    return result;
}
