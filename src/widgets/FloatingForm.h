#pragma once

#include "widgets/QtWindows.h"
#include "state/WindowItem.h"

#include <QWidget>

namespace vallo {

struct EditorState;

// A floating tool window that stays above the main window for the whole run. A close request
// only hides it and clears its item in the main window's window menu.
class TFloatingForm : public QWidget {
    Q_OBJECT
public:
    TFloatingForm(EditorState& s, AppWindows& w, WindowItem item, const QString& caption,
                  QWidget* parent);
    WindowItem Item() const { return item_; }

protected:
    void closeEvent(QCloseEvent* event) override;

    EditorState& s_;
    AppWindows& w_;

private:
    WindowItem item_;
};

} // namespace vallo
