#pragma once

#include "widgets/QtSkeletonDialog.h"

namespace vallo {

// The tone dialog.
class TColorsForm : public TSkeletonDialog {
    Q_OBJECT
public:
    TColorsForm(EditorState& s, AppWindows& w, QWidget* parent);
};

} // namespace vallo
