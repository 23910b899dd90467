#include "draw/EToolForm.h"

namespace vallo {

TEToolForm::TEToolForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::ETool, QString::fromUtf8("特殊ツール"), parent) {
    setObjectName("EToolForm");
    setFixedSize(194, 83);
}

} // namespace vallo
