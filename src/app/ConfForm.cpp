#include "app/ConfForm.h"

namespace vallo {

TConfForm::TConfForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TSkeletonDialog(s, w, parent, "ConfForm", "設定フォーム", "設定", "やめる") {}

} // namespace vallo
