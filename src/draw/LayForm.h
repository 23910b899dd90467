#pragma once

#include "app/FloatingForm.h"

class QPushButton;

namespace vallo {

// The layer window: switches the layer cell on and off and chooses how it is composed.
class TLayForm : public TFloatingForm {
    Q_OBJECT
public:
    TLayForm(EditorState& s, AppWindows& w, QWidget* parent);
    // The "レイヤー有効" switch; releasing it switches the layer off.
    QPushButton* btLay = nullptr;
    void ReleaseLayerButton();
};

} // namespace vallo
