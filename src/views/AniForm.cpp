#include "views/AniForm.h"

namespace vallo {

TAniForm::TAniForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::Ani, QString::fromUtf8("動作確認"), parent) {
    setObjectName("AniForm");
    resize(200, 180);
}

} // namespace vallo
