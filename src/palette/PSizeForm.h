#pragma once

#include "widgets/QtSkeletonDialog.h"

namespace vallo {

// The palette window size dialog.
class TPSizeForm : public TSkeletonDialog {
    Q_OBJECT
public:
    TPSizeForm(EditorState& s, AppWindows& w, QWidget* parent);
};

} // namespace vallo
