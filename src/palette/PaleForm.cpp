#include "palette/PaleForm.h"

namespace vallo {

TPaleForm::TPaleForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::Pale, QString::fromUtf8("パレット"), parent) {
    setObjectName("PaleForm");
    setFixedSize(256, 256);
}

} // namespace vallo
