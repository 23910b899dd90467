#pragma once

#include "widgets/QtSkeletonDialog.h"

namespace vallo {

// The settings dialog.
class TConfForm : public TSkeletonDialog {
    Q_OBJECT
public:
    TConfForm(EditorState& s, AppWindows& w, QWidget* parent);
};

} // namespace vallo
