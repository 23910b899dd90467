#pragma once

#include "app/FloatingForm.h"

namespace vallo {

// The palette window: the 256 entries of the document palette.
class TPaleForm : public TFloatingForm {
    Q_OBJECT
public:
    TPaleForm(EditorState& s, AppWindows& w, QWidget* parent);
};

} // namespace vallo
