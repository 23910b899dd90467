#pragma once

// Every window of the program over a state of its own in a temporary program folder, and a
// helper that answers the message boxes a handler opens.

#include "app/DocumentTestSupport.h"
#include "app/QtViewHooks.h"
#include "app/QtWindowSet.h"
#include "state/EditorState.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace vallo::testsupport {

class AppWindowsTest : public ::testing::Test {
protected:
    AppWindowsTest() : hooks(s, w) {
        s.Hooks = &hooks;
        s.AppDir = dir.Dir();
        CreateWindows(s, w);
    }
    ~AppWindowsTest() override { DestroyWindows(w); }

    TempDir dir;
    EditorState s;
    AppWindows w;
    QtViewHooks hooks;
};

// Runs `during`; every message box it opens is recorded and closed with OK.
inline QStringList AnswerMessageBoxes(const std::function<void()>& during) {
    QStringList texts;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&texts] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts << box->text();
            box->accept();
        }
    });
    timer.start();
    during();
    return texts;
}

} // namespace vallo::testsupport
