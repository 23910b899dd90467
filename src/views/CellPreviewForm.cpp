#include "views/CellPreviewForm.h"

#include "state/EditorState.h"
#include "views/QtPreviewBox.h"
#include "widgets/QtControls.h"

#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>

namespace vallo {

TCellPreviewForm::TCellPreviewForm(EditorState& s, AppWindows& w, WindowItem item,
                                   const QString& caption, QWidget* parent)
    : TFloatingForm(s, w, item, caption, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    menu_ = new QMenuBar(this);
    layout->setMenuBar(menu_);
}

void TCellPreviewForm::AddBox(int width, int height) {
    preview_ = new TPreviewBox(this);
    preview_->SetOnPaint([this](QPainter& p, const QRect& r) { BoxPaint(p, r); });
    layout()->addWidget(preview_);
    preview_->SetBoxSize(width, height);
    preview_->FitToBox(menu_->sizeHint().width());
}

void TCellPreviewForm::FitToLayout() {
    const PreviewLayout l = Layout();
    preview_->SetBoxSize(l.Width(), l.Height());
    preview_->FitToBox(menu_->sizeHint().width());
    // A window that grew past the screen's edge comes back whole.
    layout()->activate();
    KeepWindowOnScreen(this);
}

TmogPaintBox* TCellPreviewForm::Box() const {
    return preview_->Box();
}

void TCellPreviewForm::RepaintBox() {
    preview_->RepaintBox();
}

void TCellPreviewForm::InvalidateCells(int left, int top, int right, int bottom) {
    preview_->Invalidate(PreviewChangedRects(Layout(), {left, top, right, bottom}));
}

void TCellPreviewForm::UpdateNow() {
    preview_->UpdateNow();
}

void TCellPreviewForm::BoxPaint(QPainter& p, const QRect& exposed) {
    PaintPreviewArea(p, exposed, EditedCellSource(s_), Layout(), s_.MainImage.ColorTable(),
                     palette().color(QPalette::Window));
}

} // namespace vallo
