#pragma once

#include "widgets/QtWindows.h"

#include <QDialog>

class QPushButton;

namespace vallo {

struct EditorState;

// The New dialog, also used for the image size change.
class TNewForm : public QDialog {
    Q_OBJECT
public:
    TNewForm(EditorState& s, AppWindows& w, QWidget* parent);
    enum class Mode { New, SizeChange };
    // Sets the caption and the OK button's caption of the job.
    void SetMode(Mode mode);

    QPushButton* OK = nullptr;
    QPushButton* Cansel = nullptr;

private:
    EditorState& s_;
    AppWindows& w_;
};

} // namespace vallo
