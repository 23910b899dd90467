#include "palette/PSForm.h"

namespace vallo {

TPSForm::TPSForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TSkeletonDialog(s, w, parent, "PSForm", "パレット保存", "保存", "キャンセル") {}

} // namespace vallo
