#include "views/NarabeForm.h"

#include "state/EditorState.h"
#include "views/PreviewLayout.h"
#include "views/QtPreviewBox.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace vallo {

namespace {

// Items without a tick in an exclusive group: the group allows none to be checked.
void CheckOnly(QAction* item, QActionGroup* group) {
    for (QAction* a : group->actions())
        a->setChecked(a == item);
}

} // namespace

TNarabeForm::TNarabeForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::Narabe, QString::fromUtf8("並べて表示"), parent) {
    setObjectName("NarabeForm");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    menu_ = new QMenuBar(this);
    layout->setMenuBar(menu_);

    QMenu* count = menu_->addMenu(QString::fromUtf8("並べる数"));
    auto* countGroup = new QActionGroup(this);
    countGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int n = 1; n <= 3; ++n) {
        QAction* a = count->addAction(QString("%1x%1").arg(n));
        a->setObjectName("e" + QString::number(n));
        a->setCheckable(true);
        countGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, n] { exClick(n - 1); });
        countItems_[size_t(n - 1)] = a;
    }
    QMenu* zoom = menu_->addMenu(QString::fromUtf8("倍率"));
    auto* zoomGroup = new QActionGroup(this);
    zoomGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int z = 1; z <= 4; ++z) {
        QAction* a = zoom->addAction("x" + QString::number(z));
        a->setObjectName("x" + QString::number(z));
        a->setCheckable(true);
        zoomGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, z] { exClick(z + 2); });
        zoomItems_[size_t(z - 1)] = a;
    }

    preview_ = new TPreviewBox(this);
    preview_->SetOnPaint([this](QPainter& p, const QRect& r) { BoxPaint(p, r); });
    layout->addWidget(preview_);
    ReflectState();
    preview_->SetBoxSize(64, 64);
    preview_->FitToBox(menu_->sizeHint().width());
}

TmogPaintBox* TNarabeForm::Box() const {
    return preview_->Box();
}

void TNarabeForm::ReflectState() {
    const int n = s_.NarabeCount;
    const int z = s_.NarabeZoom;
    CheckOnly(n >= 1 && n <= 3 ? CountItem(n) : nullptr, CountItem(1)->actionGroup());
    CheckOnly(z >= 1 && z <= 4 ? ZoomItem(z) : nullptr, ZoomItem(1)->actionGroup());
}

void TNarabeForm::FormResize() {
    const PreviewLayout l = TiledLayout(s_);
    preview_->SetBoxSize(l.Width(), l.Height());
    preview_->FitToBox(menu_->sizeHint().width());
    RepaintBox();
}

void TNarabeForm::RepaintBox() {
    preview_->RepaintBox();
}

void TNarabeForm::InvalidateCells(int left, int top, int right, int bottom) {
    preview_->Invalidate(PreviewChangedRects(TiledLayout(s_), {left, top, right, bottom}));
}

void TNarabeForm::UpdateNow() {
    preview_->UpdateNow();
}

void TNarabeForm::exClick(int item) {
    if (item < 3)
        s_.NarabeCount = item + 1;
    else
        s_.NarabeZoom = item - 2;
    ReflectState();
    FormResize();
}

void TNarabeForm::BoxPaint(QPainter& p, const QRect& exposed) {
    PaintPreviewArea(p, exposed, EditedCellSource(s_), TiledLayout(s_), s_.MainImage.ColorTable(),
                     palette().color(QPalette::Window));
}

} // namespace vallo
