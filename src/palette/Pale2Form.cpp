#include "palette/Pale2Form.h"

namespace vallo {

TPale2Form::TPale2Form(EditorState& s, AppWindows& w, QWidget* parent)
    : TSkeletonDialog(s, w, parent, "Pale2Form", "パレット編集", "設定", "キャンセル") {}

} // namespace vallo
