#pragma once

#include "app/QtWindows.h"

#include <QWidget>

class QCheckBox;

namespace vallo {

struct EditorState;

// The copy tool window: paste options and the copy buffer. It is shown while the range tool is
// chosen; closing it hides it and returns the tool window to the pen.
class TCToolForm : public QWidget {
    Q_OBJECT
public:
    TCToolForm(EditorState& s, AppWindows& w, QWidget* parent);

    QCheckBox* ToukaCHK = nullptr;
    QCheckBox* CPCHK = nullptr;
    // Both check boxes: the paste options follow them.
    void CTCHKClick();
    // Sets the check boxes from the paste options.
    void ReflectOptions();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    EditorState& s_;
    AppWindows& w_;
};

} // namespace vallo
