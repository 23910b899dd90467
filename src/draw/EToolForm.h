#pragma once

#include "app/FloatingForm.h"

namespace vallo {

// The special tools window: whole-cell shifts, flips and turns.
class TEToolForm : public TFloatingForm {
    Q_OBJECT
public:
    TEToolForm(EditorState& s, AppWindows& w, QWidget* parent);
};

} // namespace vallo
