#include "views/NarabeForm.h"

namespace vallo {

TNarabeForm::TNarabeForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::Narabe, QString::fromUtf8("並べて表示"), parent) {
    setObjectName("NarabeForm");
    setFixedSize(64, 64);
}

} // namespace vallo
