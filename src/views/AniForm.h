#pragma once

#include "widgets/FloatingForm.h"

namespace vallo {

// The animation window: plays neighbouring cells as a walking animation.
class TAniForm : public TFloatingForm {
    Q_OBJECT
public:
    TAniForm(EditorState& s, AppWindows& w, QWidget* parent);
};

} // namespace vallo
