#pragma once

#include "widgets/FloatingForm.h"

#include <array>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace vallo {

// The layer window: switches the layer cell on and off, puts it under or over the edited
// cell, chooses how the two are composed and merges the composite into a cell. The controls
// write the state's layer fields; the core does the rest.
class TLayForm : public TFloatingForm {
    Q_OBJECT
public:
    TLayForm(EditorState& s, AppWindows& w, QWidget* parent);

    // The "レイヤー有効" switch; releasing it switches the layer off.
    QPushButton* btLay = nullptr;
    QPushButton* btUE = nullptr;
    QPushButton* btSITA = nullptr;
    QGroupBox* TOUKA = nullptr;
    QGroupBox* GOUSEI = nullptr;
    QGroupBox* TOUGOU = nullptr;
    QPushButton* btLayTOUGOU = nullptr;
    QRadioButton* ToukaItem(int i) const { return touka_[size_t(i)]; }
    QRadioButton* GouseiItem(int i) const { return gousei_[size_t(i)]; }
    QRadioButton* TougouItem(int i) const { return tougou_[size_t(i)]; }

    void ReleaseLayerButton();
    // Brings every control in line with the state's layer fields.
    void ReflectState();

    void btLayClick();
    void btUEClick();
    void btSITAClick();
    void TOUKAClick(int item);
    void GOUSEIClick(int item);
    void TOUGOUClick(int item);
    void btLayTOUGOUClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QRadioButton*, 2> touka_{};
    std::array<QRadioButton*, 5> gousei_{};
    std::array<QRadioButton*, 2> tougou_{};
};

} // namespace vallo
