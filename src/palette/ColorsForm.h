#pragma once

#include "palette/Tone.h"
#include "widgets/QtWindows.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace vallo {

// The tone dialog ("色調調整"): three bars of −100…100 shift the palette in RGB or HLS, for all,
// only the allowed or only the forbidden entries. "プレビュー" shows the result in the views,
// "決定" makes it the palette as one undo step; the bars keep their places between openings.
class TColorsForm : public QDialog {
    Q_OBJECT
public:
    TColorsForm(EditorState& s, AppWindows& w, QWidget* parent);

    // The settings the controls hold now.
    ToneSettings Settings() const;

    std::array<QScrollBar*, 3> Bars{};
    std::array<QLineEdit*, 3> Edits{};
    std::array<QRadioButton*, 3> Kinsi{};
    std::array<QRadioButton*, 2> Mode{};
    QPushButton* Button1 = nullptr; // "決定"
    QPushButton* Button2 = nullptr; // "キャンセル"
    QPushButton* Button3 = nullptr; // "プレビュー"

    void done(int result) override;

private:
    QLayout* BuildBars();
    QLayout* BuildGroups();
    void BarChange();
    void Button1Click();

    EditorState& s_;
    AppWindows& w_;
};

} // namespace vallo
