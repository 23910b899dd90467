#pragma once

#include "widgets/QtSkeletonDialog.h"

namespace vallo {

// The colour edit dialog for the drawing colour's palette entry.
class TPale2Form : public TSkeletonDialog {
    Q_OBJECT
public:
    TPale2Form(EditorState& s, AppWindows& w, QWidget* parent);
};

} // namespace vallo
