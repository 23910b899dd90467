#pragma once

// Every window of the program over a state of its own in a temporary program folder with the data
// files, and a helper that answers the message boxes a handler opens.

#include "app/DocumentTestSupport.h"
#include "app/QtViewHooks.h"
#include "app/QtWindowSet.h"
#include "state/EditorState.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace vallo::testsupport {

class AppWindowsTest : public ::testing::Test {
protected:
    AppWindowsTest() : hooks(s, w) {
        s.Hooks = &hooks;
        s.AppDir = dir.Dir();
        std::filesystem::copy(VALLO_SYS_DIR, dir.Dir() + "sys");
        CreateWindows(s, w);
    }
    ~AppWindowsTest() override { DestroyWindows(w); }

    TempDir dir;
    EditorState s;
    AppWindows w;
    QtViewHooks hooks;
};

// Runs `during`; every message box it opens is recorded and closed with its default button.
inline QStringList AnswerMessageBoxes(const std::function<void()>& during) {
    QStringList texts;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&texts] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts << box->text();
            if (QPushButton* answer = box->defaultButton())
                answer->click();
            else
                box->accept();
        }
    });
    timer.start();
    during();
    return texts;
}

} // namespace vallo::testsupport
