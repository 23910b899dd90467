#include "palette/ColorsForm.h"

namespace vallo {

TColorsForm::TColorsForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TSkeletonDialog(s, w, parent, "ColorsForm", "色調調整", "決定", "キャンセル") {}

} // namespace vallo
