#pragma once

#include "app/QtWindows.h"

#include <QDialog>

class QPushButton;

namespace vallo {

struct EditorState;

// The colour edit dialog for the drawing colour's palette entry.
class TPale2Form : public QDialog {
    Q_OBJECT
public:
    TPale2Form(EditorState& s, AppWindows& w, QWidget* parent);
    QPushButton* OK = nullptr;
    QPushButton* Cansel = nullptr;

private:
    EditorState& s_;
    AppWindows& w_;
};

} // namespace vallo
