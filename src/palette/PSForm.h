#pragma once

#include "widgets/QtSkeletonDialog.h"

namespace vallo {

// The palette and forbidden-colour file save dialog; the opener sets its caption.
class TPSForm : public TSkeletonDialog {
    Q_OBJECT
public:
    TPSForm(EditorState& s, AppWindows& w, QWidget* parent);
};

} // namespace vallo
