#include "palette/PaleForm.h"

#include "state/EditorState.h"
#include "palette/PaletteCommands.h"
#include "palette/PaletteGrid.h"
#include "palette/Tone.h"
#include "views/LupeMouse.h"
#include "widgets/MogPaintBox.h"
#include "widgets/QtControls.h"
#include "widgets/QtDibImage.h"

#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace vallo {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

TPaleForm::TPaleForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::Pale, Text("パレット"), parent) {
    setObjectName("PaleForm");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The window always has the grid's size: it follows SizeToGrid, never the user.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Menu_ = new QMenuBar(this);
    Menu_->setObjectName("Menu");
    layout->setMenuBar(Menu_);
    PaleBox_ = new TmogPaintBox(this);
    PaleBox_->setObjectName("PaleBox");
    PaleBox_->setMouseTracking(false);
    PaleBox_->OnPaint = [this](QPainter& p, const QRect& r) { PaleBoxPaint(p, r); };
    PaleBox_->OnMouseDown = [this](QMouseEvent* e, QPoint pos) { PaleBoxMouseDown(e, pos); };
    PaleBox_->OnMouseMove = [this](QMouseEvent* e, QPoint pos) { PaleBoxMouseMove(e, pos); };
    PaleBox_->OnMouseUp = [this](QMouseEvent* e, QPoint pos) { PaleBoxMouseUp(e, pos); };
    layout->addWidget(PaleBox_);
    BuildMenu();
    SizeToGrid();
}

void TPaleForm::BuildMenu() {
    QMenu* File1 = Menu_->addMenu(Text("パレット(&P)"));
    L1 = File1->addAction(Text("パレットを読み込む(&O)"));
    S1 = File1->addAction(Text("パレットを保存する(&S)"));
    N5 = File1->addAction(Text("禁止色読み込み"));
    N6 = File1->addAction(Text("禁止色保存"));
    N7 = File1->addAction(Text("禁止色クリア"));
    N4 = File1->addAction(Text("サイズ調整(&Z)"));
    Change = Menu_->addAction(Text("色を変える(&C)"));
    Change->setShortcut(QKeySequence(Qt::Key_Return));
    QMenu* N1 = Menu_->addMenu(Text("特殊効果(&E)"));
    Colors = N1->addAction(Text("色調調整"));
    Grade = N1->addAction(Text("グラデーション"));
    N2 = N1->addAction(Text("透明色を描画色に置換"));
    N2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    N3 = N1->addAction(Text("描画色を透明色にコピー"));
    N8 = N1->addAction(Text("描画色と透明色の位置交換"));
    // The palette file, colour edit, tone and size dialogs are not there yet.
    for (QAction* waiting : {L1, S1, N5, N6, N4, Change, Colors})
        waiting->setEnabled(false);
    connect(N7, &QAction::triggered, this, [this] { N7Click(); });
    connect(Grade, &QAction::triggered, this, [this] { GradeClick(); });
    connect(N2, &QAction::triggered, this, [this] { N2Click(); });
    connect(N3, &QAction::triggered, this, [this] { N3Click(); });
    connect(N8, &QAction::triggered, this, [this] { N8Click(); });
}

void TPaleForm::Repaint() {
    PaleBox_->update();
}

void TPaleForm::SizeToGrid() {
    PaleBox_->setFixedSize(PaleBoxWidth(s_), PaleBoxHeight(s_));
    Repaint();
}

// --- Menu.

void TPaleForm::N7Click() {
    ClearForbiddenColors(s_);
}

void TPaleForm::GradeClick() {
    Gradation(s_);
    TimTimer(s_);
}

void TPaleForm::N2Click() {
    ReplaceTransWithDrawColor(s_);
    TimTimer(s_);
}

void TPaleForm::N3Click() {
    CopyDrawColorToTransColor(s_);
    TimTimer(s_);
}

void TPaleForm::N8Click() {
    SwapDrawAndTransColors(s_);
    TimTimer(s_);
}

// --- The grid.

void TPaleForm::PaleBoxPaint(QPainter& p, const QRect& exposed) {
    PaintDibExposed(p, s_.PaletteImage, exposed, Qt::black);
    p.setBrush(Qt::NoBrush);
    for (const PaletteMarkerFrame& f : PaletteMarkerFrames(s_)) {
        const IntRect& r = f.Rect;
        if (r.Right - r.Left < 1 || r.Bottom - r.Top < 1)
            continue;
        p.setPen(QColor(ColorRed(f.Color), ColorGreen(f.Color), ColorBlue(f.Color)));
        // A one-pixel frame just inside the rectangle (right and bottom exclusive).
        p.drawRect(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
    }
}

void TPaleForm::PaleBoxMouseDown(QMouseEvent* e, QPoint pos) {
    MouseButton button;
    if (ToMouseButton(e->button(), button))
        vallo::PaleBoxMouseDown(s_, button, pos.x(), pos.y(), e->modifiers() & Qt::ShiftModifier);
}

void TPaleForm::PaleBoxMouseMove(QMouseEvent*, QPoint pos) {
    vallo::PaleBoxMouseMove(s_, pos.x(), pos.y());
}

void TPaleForm::PaleBoxMouseUp(QMouseEvent* e, QPoint pos) {
    MouseButton button;
    if (ToMouseButton(e->button(), button))
        vallo::PaleBoxMouseUp(s_, button, pos.x(), pos.y());
}

} // namespace vallo
