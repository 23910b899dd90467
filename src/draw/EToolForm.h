#pragma once

#include "widgets/FloatingForm.h"

class QAbstractButton;
class QLabel;
class QPushButton;
class QToolButton;

namespace vallo {

// The special tools window: whole-cell shifts, flips, quarter turns and half mirrors of the
// edited cell. Each button runs one core transform and refreshes the undo buttons.
class TEToolForm : public TFloatingForm {
    Q_OBJECT
public:
    TEToolForm(EditorState& s, AppWindows& w, QWidget* parent);

    QLabel* Label1 = nullptr;
    QToolButton* btUp = nullptr;
    QToolButton* btLeft = nullptr;
    QToolButton* btRight = nullptr;
    QToolButton* btDown = nullptr;
    QPushButton* btRev1 = nullptr;
    QPushButton* btRev2 = nullptr;
    QPushButton* btL90 = nullptr;
    QPushButton* btR90 = nullptr;
    QPushButton* btLeftToRight = nullptr;
    QPushButton* btRightToLeft = nullptr;

private:
    // Connects a button to a core transform.
    void Run(QAbstractButton* button, void (*transform)(EditorState&));
};

} // namespace vallo
