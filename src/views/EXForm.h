#pragma once

#include "widgets/FloatingForm.h"

namespace vallo {

// The extended view: the edited cell and its mirror image.
class TEXForm : public TFloatingForm {
    Q_OBJECT
public:
    TEXForm(EditorState& s, AppWindows& w, QWidget* parent);
};

} // namespace vallo
