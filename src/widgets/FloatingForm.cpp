#include "widgets/FloatingForm.h"

#include "app/MainForm.h"

#include <QCloseEvent>

namespace vallo {

TFloatingForm::TFloatingForm(EditorState& s, AppWindows& w, WindowItem item, const QString& caption,
                             QWidget* parent)
    : QWidget(parent, Qt::Tool), s_(s), w_(w), item_(item) {
    setWindowTitle(caption);
}

void TFloatingForm::closeEvent(QCloseEvent* event) {
    if (w_.Closing)
        return;
    event->ignore();
    hide();
    if (w_.MainForm)
        w_.MainForm->SetWindowItemChecked(item_, false);
}

} // namespace vallo
