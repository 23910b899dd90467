#include "widgets/MogScrollBox.h"

#include "widgets/MogPaintBox.h"
#include "widgets/MogTileControl.h"
#include "widgets/QtControls.h"

#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

namespace vallo {

namespace {

MouseButton ToMouseButton(Qt::MouseButton qtButton) {
    MouseButton button = MouseButton::Left;
    vallo::ToMouseButton(qtButton, button);
    return button;
}

bool Shifted(const QMouseEvent* e) {
    return e->modifiers() & Qt::ShiftModifier;
}

} // namespace

TMogScrollBox::TMogScrollBox(QWidget* parent) : QFrame(parent) {
    // The frame itself is erased with the window's colour: the rounded corners of the option
    // button and any gap between the bars show it.
    tile_ = new TmogTileControl(this);
    tiling_.OnChange = [this] {
        tile_->WallPaper().Assign(tiling_);
        update();
    };
    tile_->WallPaper().Assign(tiling_);
    tile_->OnMouseDown = [this](QMouseEvent* e) { ForwardTileMouse(e, 0); };
    tile_->OnMouseMove = [this](QMouseEvent* e) { ForwardTileMouse(e, 1); };
    tile_->OnMouseUp = [this](QMouseEvent* e) { ForwardTileMouse(e, 2); };

    scrollPanel_ = new QWidget(this);
    scrollPanel_->setAttribute(Qt::WA_OpaquePaintEvent);
    scrollPanel_->move(16, 16);
    scrollPanel_->resize(0, 0);
    paintBox_ = new TmogPaintBox(scrollPanel_);
    paintBox_->OnPaint = [this](QPainter& p, const QRect& r) {
        if (OnPaint)
            OnPaint(p, r);
    };
    paintBox_->OnMouseDown = [this](QMouseEvent* e, QPoint pos) {
        if (OnMouseDown)
            OnMouseDown(ToMouseButton(e->button()), ScreenToBitmap(pos.x(), in_.Power),
                        ScreenToBitmap(pos.y(), in_.Power), Shifted(e));
    };
    paintBox_->OnMouseMove = [this](QMouseEvent* e, QPoint pos) {
        if (OnMouseMove)
            OnMouseMove(ScreenToBitmap(pos.x(), in_.Power), ScreenToBitmap(pos.y(), in_.Power),
                        Shifted(e));
    };
    paintBox_->OnMouseUp = [this](QMouseEvent* e, QPoint pos) {
        if (OnMouseUp)
            OnMouseUp(ToMouseButton(e->button()), ScreenToBitmap(pos.x(), in_.Power),
                      ScreenToBitmap(pos.y(), in_.Power), Shifted(e));
    };

    topBar_ = new QScrollBar(Qt::Horizontal, this);
    bottomBar_ = new QScrollBar(Qt::Horizontal, this);
    leftBar_ = new QScrollBar(Qt::Vertical, this);
    rightBar_ = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {topBar_, bottomBar_})
        connect(bar, &QScrollBar::valueChanged, this, [this](int v) { TopScrollBarChange(v); });
    for (QScrollBar* bar : {leftBar_, rightBar_})
        connect(bar, &QScrollBar::valueChanged, this, [this](int v) { LeftScrollBarChange(v); });

    topButton_ = new QPushButton(QString::fromUtf8("↑"), this);
    bottomButton_ = new QPushButton(QString::fromUtf8("↓"), this);
    leftButton_ = new QPushButton(QString::fromUtf8("←"), this);
    rightButton_ = new QPushButton(QString::fromUtf8("→"), this);
    for (QPushButton* b : {topButton_, bottomButton_, leftButton_, rightButton_}) {
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, b] { TopScrollButtonClick(b); });
    }

    optionButton_ = new QToolButton(this);
    optionButton_->setEnabled(false);
    optionButton_->setFocusPolicy(Qt::NoFocus);
    BuildPopup();
    connect(optionButton_, &QToolButton::clicked, this,
            [this] { optionPopup_->popup(QCursor::pos()); });
    ShowLayout();
}

TMogScrollBox::~TMogScrollBox() = default;

void TMogScrollBox::BuildPopup() {
    optionPopup_ = new QMenu(this);
    QMenu* power = optionPopup_->addMenu(QString::fromUtf8("拡大縮小(&P)"));
    const struct {
        const char* text;
        int tag;
    } powers[] = {{"50%", 8},    {"75%", 12},    {"100%", 16},  {"150%", 24},
                  {"200%", 32},  {"300%", 48},   {"400%", 64},  {"600%", 96},
                  {"800%", 128}, {"1000%", 160}, {"1200%", 192}};
    for (const auto& p : powers) {
        const int tag = p.tag;
        power->addAction(QString::fromUtf8(p.text), this, [this, tag] { PowerClick(tag); });
    }
    QMenu* view = optionPopup_->addMenu(QString::fromUtf8("表示設定(&V)"));
    const struct {
        const char* text;
        int tag;
    } views[] = {{"スクロールバー×２", 2}, {"スクロールバー×４", 0}, {"４方向ボタン", 1}};
    for (const auto& v : views) {
        const int tag = v.tag;
        view->addAction(QString::fromUtf8(v.text), this, [this, tag] { ViewClick(tag); });
    }
}

void TMogScrollBox::SetShowCustomButton(bool on) {
    showCustomButton_ = on;
    optionButton_->setEnabled(on);
}

void TMogScrollBox::SetPower(int power) {
    if (power <= 0)
        return;
    const int oldStep = ChipStepPixels();
    const int ch = CentreChip(layout_.H, HorzPosition(), oldStep);
    const int cv = CentreChip(layout_.V, VertPosition(), oldStep);
    in_.Power = power;
    SetBitmapWidth(in_.BitmapWidth);
    SetBitmapHeight(in_.BitmapHeight);
    const int step = ChipStepPixels();
    SetPositions(PositionForCentre(layout_.H, ch, step), PositionForCentre(layout_.V, cv, step));
}

void TMogScrollBox::SetBarSize(int size) {
    in_.BarSize = std::max(size, 0);
    ShowLayout();
}

void TMogScrollBox::SetViewType(int type) {
    in_.ViewType = type;
    ShowLayout();
}

void TMogScrollBox::SetViewWidth(int w) {
    in_.ViewWidth = w;
    RunLayout();
}
void TMogScrollBox::SetViewHeight(int h) {
    in_.ViewHeight = h;
    RunLayout();
}
void TMogScrollBox::SetChipSize(int chip) {
    in_.ChipSize = chip;
    RunLayout();
}
void TMogScrollBox::SetHSpace(int v) {
    in_.HSpace = v;
    RunLayout();
}
void TMogScrollBox::SetVSpace(int v) {
    in_.VSpace = v;
    RunLayout();
}

void TMogScrollBox::SetBitmapWidth(int w) {
    if (w < 0)
        return;
    in_.BitmapWidth = w;
    SetPositions(0, VertPosition());
    RunLayout();
}

void TMogScrollBox::SetBitmapHeight(int h) {
    if (h < 0)
        return;
    in_.BitmapHeight = h;
    SetPositions(HorzPosition(), 0);
    RunLayout();
}

int TMogScrollBox::HorzPosition() const {
    return bottomBar_->value();
}
int TMogScrollBox::VertPosition() const {
    return rightBar_->value();
}

void TMogScrollBox::SetPositions(int h, int v) {
    const QSignalBlocker b1(topBar_), b2(bottomBar_), b3(leftBar_), b4(rightBar_);
    for (QScrollBar* bar : {topBar_, bottomBar_})
        bar->setValue(h);
    for (QScrollBar* bar : {leftBar_, rightBar_})
        bar->setValue(v);
    ApplyScroll();
}

void TMogScrollBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    PlaceBars();
}

void TMogScrollBox::ShowLayout() {
    const int type = in_.ViewType;
    topBar_->setVisible(type == 0);
    leftBar_->setVisible(type == 0);
    bottomBar_->setVisible(type == 0 || type == 2);
    rightBar_->setVisible(type == 0 || type == 2);
    for (QPushButton* b : {topButton_, bottomButton_, leftButton_, rightButton_})
        b->setVisible(type == 1);
    PlaceBars();
}

void TMogScrollBox::PlaceBars() {
    const int o = in_.ViewType == 2 ? 0 : in_.BarSize;
    const int bar = in_.BarSize;
    topBar_->move(o, 0);
    topButton_->move(o, 0);
    bottomBar_->move(o, height() - bar);
    bottomButton_->move(o, height() - bar);
    leftBar_->move(0, o);
    leftButton_->move(0, o);
    rightBar_->move(width() - bar, o);
    rightButton_->move(width() - bar, o);
    optionButton_->move(width() - bar, height() - bar);
    RunLayout();
}

void TMogScrollBox::RunLayout() {
    if (inLayout_)
        return;
    inLayout_ = true;
    in_.ClientWidth = width();
    in_.ClientHeight = height();
    layout_ = ComputeScrollLayout(in_);
    const int bar = in_.BarSize;
    const int hw = std::max(layout_.AreaWidth, 0);
    const int vh = std::max(layout_.AreaHeight, 0);
    for (QWidget* w : {static_cast<QWidget*>(topBar_), static_cast<QWidget*>(bottomBar_),
                       static_cast<QWidget*>(topButton_), static_cast<QWidget*>(bottomButton_)})
        w->resize(hw, bar);
    for (QWidget* w : {static_cast<QWidget*>(leftBar_), static_cast<QWidget*>(rightBar_),
                       static_cast<QWidget*>(leftButton_), static_cast<QWidget*>(rightButton_)})
        w->resize(bar, vh);
    optionButton_->resize(bar, bar);
    optionButton_->setVisible(in_.ViewType != 1 || showCustomButton_);
    const int tileOffset = layout_.BarTotal - bar;
    tile_->setGeometry(tileOffset, tileOffset, hw, vh);
    tile_->lower();
    setEnabled(layout_.Enabled);
    if (layout_.Enabled) {
        visibleW_ = layout_.H.Visible;
        visibleH_ = layout_.V.Visible;
        scrollPanel_->move(layout_.PanelLeft, layout_.PanelTop);
        auto setAxis = [](QScrollBar* bar, const ScrollAxis& axis) {
            const QSignalBlocker block(bar);
            bar->setEnabled(axis.Enabled);
            bar->setRange(0, MaxScrollPosition(axis));
            bar->setPageStep(std::max(axis.PageSize, 1));
            if (!axis.Enabled)
                bar->setValue(0);
        };
        for (QScrollBar* b : {topBar_, bottomBar_})
            setAxis(b, layout_.H);
        for (QScrollBar* b : {leftBar_, rightBar_})
            setAxis(b, layout_.V);
        topButton_->setEnabled(layout_.V.Enabled);
        bottomButton_->setEnabled(layout_.V.Enabled);
        leftButton_->setEnabled(layout_.H.Enabled);
        rightButton_->setEnabled(layout_.H.Enabled);
    }
    inLayout_ = false;
    ApplyScroll();
    update();
}

void TMogScrollBox::ApplyScroll() {
    const int step = ChipStepPixels();
    const int h = HorzPosition();
    const int v = VertPosition();
    paintBox_->SetOrigin(QPoint(step * h, step * v));
    const int w = ViewportAt(layout_.H, h, BaseExtent(in_.BitmapWidth, in_.Power), step);
    const int ht = ViewportAt(layout_.V, v, BaseExtent(in_.BitmapHeight, in_.Power), step);
    if (!layout_.Enabled) {
        scrollPanel_->resize(0, 0);
    } else {
        scrollPanel_->resize(w, ht);
        paintBox_->setGeometry(0, 0, w, ht);
    }
}

void TMogScrollBox::TopScrollBarChange(int value) {
    for (QScrollBar* bar : {topBar_, bottomBar_}) {
        const QSignalBlocker block(bar);
        bar->setValue(value);
    }
    ApplyScroll();
    if (OnScroll)
        OnScroll();
}

void TMogScrollBox::LeftScrollBarChange(int value) {
    for (QScrollBar* bar : {leftBar_, rightBar_}) {
        const QSignalBlocker block(bar);
        bar->setValue(value);
    }
    ApplyScroll();
    if (OnScroll)
        OnScroll();
}

void TMogScrollBox::TopScrollButtonClick(QPushButton* button) {
    // The bars clamp the new position to their range.
    if (button == topButton_)
        rightBar_->setValue(VertPosition() - 1);
    else if (button == bottomButton_)
        rightBar_->setValue(VertPosition() + 1);
    else if (button == leftButton_)
        bottomBar_->setValue(HorzPosition() - 1);
    else
        bottomBar_->setValue(HorzPosition() + 1);
}

void TMogScrollBox::PowerClick(int power) {
    int value = power;
    if (OnPowerChange)
        OnPowerChange(value);
    SetPower(value);
}

void TMogScrollBox::ViewClick(int viewType) {
    SetViewType(viewType);
}

void TMogScrollBox::InvalidateChipRect(int x0, int y0, int x1, int y1) {
    const int s = ChipStepPixels();
    const int l = std::min(x0, x1) * s;
    const int t = std::min(y0, y1) * s;
    const int r = std::max(x0, x1) * s + s;
    const int b = std::max(y0, y1) * s + s;
    paintBox_->InvalidateContent(QRect(QPoint(l, t), QPoint(r - 1, b - 1)));
}

void TMogScrollBox::InvalidateBase(const QRect& base) {
    paintBox_->InvalidateContent(base);
}

void TMogScrollBox::RepaintBox() {
    paintBox_->update();
}

void TMogScrollBox::ForwardTileMouse(QMouseEvent* e, int kind) {
    // Positions on the wallpaper, relative to the viewport: before it negative, after it
    // beyond the bitmap's far edge. The owner clamps them.
    const QPoint p = tile_->mapTo(this, e->position().toPoint());
    const int x = WallpaperToBitmap(p.x(), scrollPanel_->x(), scrollPanel_->width(),
                                    in_.BitmapWidth, in_.Power);
    const int y = WallpaperToBitmap(p.y(), scrollPanel_->y(), scrollPanel_->height(),
                                    in_.BitmapHeight, in_.Power);
    if (kind == 0 && OnMouseDown)
        OnMouseDown(ToMouseButton(e->button()), x, y, Shifted(e));
    else if (kind == 1 && OnMouseMove)
        OnMouseMove(x, y, Shifted(e));
    else if (kind == 2 && OnMouseUp)
        OnMouseUp(ToMouseButton(e->button()), x, y, Shifted(e));
}

} // namespace vallo
