#include "views/EXForm.h"

namespace vallo {

TEXForm::TEXForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::EX, QString::fromUtf8("拡張表示"), parent) {
    setObjectName("EXForm");
    setFixedSize(128, 64);
}

} // namespace vallo
