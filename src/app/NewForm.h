#pragma once

#include "widgets/QtSkeletonDialog.h"

class QLabel;
class QLineEdit;

namespace vallo {

// The New dialog, also used for the image size change: the caption and the OK button's caption
// tell which job OK runs.
class TNewForm : public TSkeletonDialog {
    Q_OBJECT
public:
    TNewForm(EditorState& s, AppWindows& w, QWidget* parent);
    enum class Mode { New, SizeChange };
    // Sets the captions of the job and fills the boxes with the current image size.
    void SetMode(Mode mode);
    Mode CurrentMode() const { return mode_; }

    // OK: checks the boxes and runs the job; the dialog closes only when the job was done.
    void accept() override;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* X = nullptr;
    QLineEdit* Y = nullptr;
    QLabel* SizeLabel = nullptr;

private:
    bool OKClick();
    bool RunJob(int width, int height);
    void ShowError(const std::string& message);

    Mode mode_ = Mode::New;
};

} // namespace vallo
