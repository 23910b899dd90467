#include "views/EXForm.h"

#include "state/EditorState.h"
#include "views/PreviewLayout.h"
#include "views/QtPreviewBox.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace vallo {

TEXForm::TEXForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::EX, QString::fromUtf8("拡張表示"), parent) {
    setObjectName("EXForm");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    menu_ = new QMenuBar(this);
    layout->setMenuBar(menu_);

    QMenu* zoom = menu_->addMenu(QString::fromUtf8("倍率(&B)"));
    auto* zoomGroup = new QActionGroup(this);
    for (int z = 1; z <= 4; ++z) {
        QAction* a = zoom->addAction("x" + QString::number(z));
        a->setObjectName("x" + QString::number(z));
        a->setCheckable(true);
        zoomGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, z] { xClick(z); });
        zoomItems_[size_t(z - 1)] = a;
    }
    QMenu* view = menu_->addMenu(QString::fromUtf8("表示(&M)"));
    auto* styleGroup = new QActionGroup(this);
    const char* const styles[][2] = {
        {"meMix", "通常・反転"}, {"meNormal", "通常のみ"}, {"meReverse", "反転のみ"}};
    for (int i = 0; i < 3; ++i) {
        QAction* a = view->addAction(QString::fromUtf8(styles[i][1]));
        a->setObjectName(styles[i][0]);
        a->setCheckable(true);
        styleGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { ViewClick(i); });
        styleItems_[size_t(i)] = a;
    }

    preview_ = new TPreviewBox(this);
    preview_->SetOnPaint([this](QPainter& p, const QRect& r) { BoxPaint(p, r); });
    layout->addWidget(preview_);
    ReflectState();
    // Until the first layout after start-up the box has the design size.
    preview_->SetBoxSize(128, 64);
    preview_->FitToBox(menu_->sizeHint().width());
}

TmogPaintBox* TEXForm::Box() const {
    return preview_->Box();
}

void TEXForm::ReflectState() {
    ZoomItem(s_.EXZoom >= 1 && s_.EXZoom <= 4 ? s_.EXZoom : 1)->setChecked(true);
    StyleItem(s_.EXStyle >= 0 && s_.EXStyle <= 2 ? s_.EXStyle : 0)->setChecked(true);
}

void TEXForm::EXLayout() {
    if (s_.StartingUp)
        return;
    const PreviewLayout l = ExtendedLayout(s_);
    preview_->SetBoxSize(l.Width(), l.Height());
    preview_->FitToBox(menu_->sizeHint().width());
}

void TEXForm::RepaintBox() {
    preview_->RepaintBox();
}

void TEXForm::InvalidateCells(int left, int top, int right, int bottom) {
    preview_->Invalidate(PreviewChangedRects(ExtendedLayout(s_), {left, top, right, bottom}));
}

void TEXForm::UpdateNow() {
    preview_->UpdateNow();
}

void TEXForm::xClick(int zoom) {
    s_.EXZoom = zoom;
    ZoomItem(zoom)->setChecked(true);
    EXLayout();
    RepaintBox();
}

void TEXForm::ViewClick(int style) {
    s_.EXStyle = style;
    StyleItem(style)->setChecked(true);
    EXLayout();
    RepaintBox();
}

void TEXForm::BoxPaint(QPainter& p, const QRect& exposed) {
    PaintPreviewArea(p, exposed, EditedCellSource(s_), ExtendedLayout(s_),
                     s_.MainImage.ColorTable(), palette().color(QPalette::Window));
}

} // namespace vallo
