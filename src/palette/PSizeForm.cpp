#include "palette/PSizeForm.h"

namespace vallo {

TPSizeForm::TPSizeForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TSkeletonDialog(s, w, parent, "PSizeForm", "パレットウィンドウのサイズ変更", "設定完了",
                      "キャンセル") {}

} // namespace vallo
