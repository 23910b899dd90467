#pragma once

#include "widgets/QtWindows.h"

#include <QDialog>

class QPushButton;

namespace vallo {

struct EditorState;

// The palette and forbidden-colour file load dialog; the opener sets its caption.
class TPLForm : public QDialog {
    Q_OBJECT
public:
    TPLForm(EditorState& s, AppWindows& w, QWidget* parent);
    QPushButton* OK = nullptr;

private:
    EditorState& s_;
    AppWindows& w_;
};

} // namespace vallo
