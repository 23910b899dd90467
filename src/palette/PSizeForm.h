#pragma once

#include "app/QtWindows.h"

#include <QDialog>

class QPushButton;

namespace vallo {

struct EditorState;

// The palette window size dialog.
class TPSizeForm : public QDialog {
    Q_OBJECT
public:
    TPSizeForm(EditorState& s, AppWindows& w, QWidget* parent);
    QPushButton* OK = nullptr;
    QPushButton* Cansel = nullptr;

private:
    EditorState& s_;
    AppWindows& w_;
};

} // namespace vallo
