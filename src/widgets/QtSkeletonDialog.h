#pragma once

#include "widgets/QtWindows.h"

#include <QDialog>

class QPushButton;
class QVBoxLayout;

namespace vallo {

struct EditorState;

// A modal dialog with its caption and its two buttons ("OK" accepts, "Cansel" rejects) over an
// empty body; the dialogs that do not have their controls yet are made of it.
class TSkeletonDialog : public QDialog {
    Q_OBJECT
public:
    TSkeletonDialog(EditorState& s, AppWindows& w, QWidget* parent, const char* objectName,
                    const char* caption, const char* okText, const char* cancelText);
    QPushButton* OK = nullptr;
    QPushButton* Cansel = nullptr;

protected:
    // The body above the buttons, for the dialog's own controls.
    QVBoxLayout* Body() const { return body_; }
    EditorState& s_;
    AppWindows& w_;

private:
    QVBoxLayout* body_ = nullptr;
};

} // namespace vallo
