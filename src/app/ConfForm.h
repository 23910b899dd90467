#pragma once

#include "app/QtWindows.h"

#include <QDialog>

class QPushButton;

namespace vallo {

struct EditorState;

// The settings dialog.
class TConfForm : public QDialog {
    Q_OBJECT
public:
    TConfForm(EditorState& s, AppWindows& w, QWidget* parent);
    QPushButton* OK = nullptr;
    QPushButton* Cansel = nullptr;

private:
    EditorState& s_;
    AppWindows& w_;
};

} // namespace vallo
