#pragma once

#include "widgets/FloatingForm.h"

namespace vallo {

// The tiled view: the edited cell repeated in a grid.
class TNarabeForm : public TFloatingForm {
    Q_OBJECT
public:
    TNarabeForm(EditorState& s, AppWindows& w, QWidget* parent);
};

} // namespace vallo
