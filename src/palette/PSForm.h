#pragma once

#include "app/QtWindows.h"

#include <QDialog>

class QPushButton;

namespace vallo {

struct EditorState;

// The palette and forbidden-colour file save dialog; the opener sets its caption.
class TPSForm : public QDialog {
    Q_OBJECT
public:
    TPSForm(EditorState& s, AppWindows& w, QWidget* parent);
    QPushButton* OK = nullptr;
    QPushButton* Cansel = nullptr;

private:
    EditorState& s_;
    AppWindows& w_;
};

} // namespace vallo
