#include "views/LupeForm.h"

#include "state/EditorState.h"
#include "widgets/QtWindows.h"
#include "draw/ToolChoice.h"
#include "draw/ToolForm.h"
#include "draw/Undo.h"
#include "views/LupeMouse.h"
#include "views/LupeOverlay.h"
#include "draw/LupeRender.h"
#include "widgets/MogPaintBox.h"
#include "widgets/MogScrollBox2.h"
#include "widgets/QtControls.h"
#include "widgets/QtDibImage.h"
#include "views/QtFramePainter.h"

#include <QAbstractEventDispatcher>
#include <QButtonGroup>
#include <QComboBox>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace vallo {

namespace {

constexpr int kBarHeight = 51;

} // namespace

TLupeForm::TLupeForm(EditorState& s, AppWindows& w, QWidget* parent)
    : QWidget(parent), s_(s), w_(w) {
    setWindowTitle(QString::fromUtf8("ルーペ"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    LupeScroll_ = new TmogScrollBox2(this);
    LupeBox_ = new TmogPaintBox;
    LupeBox_->OnPaint = [this](QPainter& p, const QRect& r) { LupeBoxPaint(p, r); };
    LupeBox_->OnMouseDown = [this](QMouseEvent* e, QPoint pos) { LupeBoxMouseDown(e, pos); };
    LupeBox_->OnMouseMove = [this](QMouseEvent* e, QPoint pos) { LupeBoxMouseMove(e, pos); };
    LupeBox_->OnMouseUp = [this](QMouseEvent* e, QPoint pos) { LupeBoxMouseUp(e, pos); };
    LupeScroll_->setWidget(LupeBox_);
    LupeScroll_->OnScroll = [this] { TrackScroll(); };
    LupeScroll_->OnResize = [this] { TrackScroll(); };
    layout->addWidget(LupeScroll_, 1);

    // The bar is painted with the window's colours; only the paint box above it is opaque.
    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    panel->setAutoFillBackground(true);
    panel->setMinimumHeight(kBarHeight);
    BuildBottomBar(panel);
    layout->addWidget(panel);

    SetLupeSize(s_.LupeImage.Width(), s_.LupeImage.Height());
    RefreshUndoButtons();

    // The application's idle notification: the event loop is about to wait for input.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                [this] { LupeIdle(s_); });
}

TLupeForm::~TLupeForm() {
    while (hiddenCursors_ > 0)
        ShowCursor();
}

void TLupeForm::BuildBottomBar(QWidget* panel) {
    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(2, 2, 2, 2);
    rows->setSpacing(4);
    auto* undoRow = new QHBoxLayout;
    undoRow->setSpacing(0);
    btUndo_ = MakeSpeedButton(panel, "Undo", QSize(120, 16), false);
    btRedo_ = MakeSpeedButton(panel, "Redo", QSize(120, 16), false);
    btUndo_->setEnabled(false);
    btRedo_->setEnabled(false);
    connect(btUndo_, &QToolButton::clicked, this, [this] { btURClick(false); });
    connect(btRedo_, &QToolButton::clicked, this, [this] { btURClick(true); });
    undoRow->addWidget(btUndo_);
    undoRow->addWidget(btRedo_);
    undoRow->addStretch(1);
    rows->addLayout(undoRow);

    auto* toolRow = new QHBoxLayout;
    toolRow->setSpacing(0);
    // Pen, fill and copy glyphs are icons 0, 6 and 7 of the tool icon strip.
    const QImage icons = LoadStripImage(s_.AppDir + "sys/ICON.BMP");
    const bool haveIcons = icons.width() >= 16 * 8 && icons.height() >= 16;
    auto glyph = [&](QToolButton* b, int index, const char* fallback) {
        if (!haveIcons) {
            b->setText(QString::fromUtf8(fallback));
            return;
        }
        b->setIcon(PixelIcon(icons.copy(16 * index, 0, 16, 16)));
        b->setIconSize(QSize(16, 16));
    };
    btPset_ = MakeSpeedButton(panel, QString(), QSize(20, 20), true);
    btPaint_ = MakeSpeedButton(panel, QString(), QSize(20, 20), true);
    btCopy_ = MakeSpeedButton(panel, QString(), QSize(20, 20), true);
    glyph(btPset_, 0, "筆");
    glyph(btPaint_, 6, "塗");
    glyph(btCopy_, 7, "範");
    auto* tools = new QButtonGroup(this);
    tools->setExclusive(true);
    for (auto [b, tool] : {std::pair{btPset_, 0}, {btPaint_, 6}, {btCopy_, 7}}) {
        tools->addButton(b);
        toolRow->addWidget(b);
        const int t = tool;
        connect(b, &QToolButton::clicked, this, [this, t] { btPsetClick(t); });
    }
    PressToolButton(s_.CurrentTool);
    toolRow->addSpacing(4);

    btNormal_ = MakeSpeedButton(panel, QString::fromUtf8("普通"), QSize(20, 20), true);
    btMerge1_ = MakeSpeedButton(panel, QString::fromUtf8("透明"), QSize(20, 20), true);
    btMerge2_ = MakeSpeedButton(panel, QString::fromUtf8("加色"), QSize(20, 20), true);
    auto* merges = new QButtonGroup(this);
    merges->setExclusive(true);
    for (auto [b, mode] : {std::pair{btNormal_, 0}, {btMerge1_, 1}, {btMerge2_, 2}}) {
        merges->addButton(b);
        toolRow->addWidget(b);
        const int m = mode;
        connect(b, &QToolButton::clicked, this, [this, m] { btNormalClick(m); });
    }
    PressMergeButton(s_.MergeMode);
    toolRow->addSpacing(4);

    btGrid_ = MakeSpeedButton(panel, "Grid", QSize(40, 20), true);
    btGrid_->setChecked(s_.ShowGrid);
    connect(btGrid_, &QToolButton::clicked, this, [this] { btGridClick(); });
    toolRow->addWidget(btGrid_);
    toolRow->addSpacing(4);

    BaiBox_ = new QComboBox(panel);
    BaiBox_->setEditable(true);
    BaiBox_->setInsertPolicy(QComboBox::NoInsert);
    BaiBox_->setMinimumWidth(95);
    SetZoomItems();
    connect(BaiBox_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { BaiBoxChange(text); });
    toolRow->addWidget(BaiBox_);
    toolRow->addStretch(1);
    rows->addLayout(toolRow);
}

void TLupeForm::SetZoomItems() {
    const QSignalBlocker block(BaiBox_);
    BaiBox_->clear();
    for (const std::string& item : s_.BaiItems)
        BaiBox_->addItem(QString::fromStdString(item));
    BaiBox_->setEditText(QString::fromStdString(ZoomText(s_.Magnification)));
}

QToolButton* TLupeForm::ToolButton(int tool) const {
    switch (tool) {
    case 0:
        return btPset_;
    case 6:
        return btPaint_;
    case 7:
        return btCopy_;
    default:
        return nullptr;
    }
}

QToolButton* TLupeForm::MergeButton(int mode) const {
    switch (mode) {
    case 0:
        return btNormal_;
    case 1:
        return btMerge1_;
    case 2:
        return btMerge2_;
    default:
        return nullptr;
    }
}

// --- Painting.

void TLupeForm::LupeBoxPaint(QPainter& p, const QRect& exposed) {
    // Whatever the exposed area has beyond the magnified cell (never, while the box has the
    // image's size) is the workspace colour.
    PaintDibExposed(p, s_.LupeImage, exposed, palette().color(QPalette::Dark));

    const LupeCopyOverlay overlay = ComputeLupeCopyOverlay(s_);
    PaintFrame(p, overlay.Frame);
    PaintStretched(p, s_.CopyImage, overlay.Image);
}

// --- Hooks.

void TLupeForm::InvalidateLupeRect(int left, int top, int right, int bottom) {
    const QRect r(QPoint(std::min(left, right), std::min(top, bottom)),
                  QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
    if (r.isEmpty())
        return;
    pending_ = pending_.united(r);
    UpdateNow();
}

void TLupeForm::UpdateNow() {
    if (pending_.isEmpty())
        return;
    const QRect r = pending_;
    pending_ = QRect();
    LupeBox_->repaint(r);
}

void TLupeForm::SetLupeSize(int width, int height) {
    LupeBox_->resize(std::max(width, 0), std::max(height, 0));
    TrackScroll();
}

void TLupeForm::LupeResize() {
    TrackScroll();
}

void TLupeForm::RefreshUndoButtons() {
    btUndo_->setText(QString::fromStdString(UndoCaption(s_)));
    btRedo_->setText(QString::fromStdString(RedoCaption(s_)));
    btUndo_->setEnabled(CanUndo(s_));
    btRedo_->setEnabled(CanRedo(s_));
}

void TLupeForm::ScrollToOrigin() {
    LupeScroll_->ScrollTo(0, 0);
    TrackScroll();
}

void TLupeForm::Repaint() {
    LupeBox_->update();
}

void TLupeForm::SetCaption(const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    setWindowTitle(text); // the subwindow's title bar shows it
}

// The system cursor is hidden and shown as a counter, on Qt's override-cursor stack.
void TLupeForm::HideCursor() {
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    ++hiddenCursors_;
}

void TLupeForm::ShowCursor() {
    if (hiddenCursors_ <= 0)
        return;
    QGuiApplication::restoreOverrideCursor();
    --hiddenCursors_;
}

void TLupeForm::PressToolButton(int tool) {
    if (QToolButton* b = ToolButton(tool))
        b->setChecked(true);
}

void TLupeForm::PressMergeButton(int mergeMode) {
    if (QToolButton* b = MergeButton(mergeMode))
        b->setChecked(true);
}

void TLupeForm::PressGridButton(bool down) {
    btGrid_->setChecked(down);
}

// --- Mouse.

void TLupeForm::LupeBoxMouseDown(QMouseEvent* e, QPoint pos) {
    MouseButton button;
    if (!ToMouseButton(e->button(), button))
        return;
    vallo::LupeBoxMouseDown(s_, button, pos.x(), pos.y(), e->modifiers() & Qt::ShiftModifier);
}

void TLupeForm::LupeBoxMouseMove(QMouseEvent* e, QPoint pos) {
    SetCaption(vallo::LupeBoxMouseMove(s_, pos.x(), pos.y(), e->modifiers() & Qt::ShiftModifier));
}

void TLupeForm::LupeBoxMouseUp(QMouseEvent* e, QPoint pos) {
    MouseButton button;
    if (!ToMouseButton(e->button(), button))
        return;
    vallo::LupeBoxMouseUp(s_, button, pos.x(), pos.y(), e->modifiers() & Qt::ShiftModifier);
}

// --- Buttons.

void TLupeForm::btURClick(bool redo) {
    if (w_.ToolForm) {
        if (redo)
            w_.ToolForm->btRedoClick();
        else
            w_.ToolForm->btUndoClick();
        return;
    }
    if (redo)
        Redo(s_);
    else
        Undo(s_);
    TimTimer(s_);
}

void TLupeForm::btPsetClick(int tool) {
    if (w_.ToolForm) {
        w_.ToolForm->PressTool(tool);
        w_.ToolForm->btToolClick(tool);
    } else {
        vallo::btToolClick(s_, tool);
    }
}

void TLupeForm::btNormalClick(int mergeMode) {
    if (w_.ToolForm) {
        w_.ToolForm->PressMerge(mergeMode);
        w_.ToolForm->btMarge3Click(mergeMode);
    } else {
        vallo::btMarge3Click(s_, mergeMode);
    }
}

void TLupeForm::btGridClick() {
    s_.ShowGrid = btGrid_->isChecked();
    RenderLupe(s_);
    LupeBox_->update();
}

void TLupeForm::BaiBoxChange(const QString& text) {
    const int before = s_.Magnification;
    if (!vallo::BaiBoxChange(s_, text.toStdString()))
        return;
    if (s_.Magnification != before) {
        ScrollToOrigin();
        SetLupeSize(s_.LupeImage.Width(), s_.LupeImage.Height());
    }
    LupeBox_->update();
}

void TLupeForm::TrackScroll() {
    // The pen's clip region follows what the scroll area shows.
    s_.LupeScrollX = LupeScroll_->ScrollX();
    s_.LupeScrollY = LupeScroll_->ScrollY();
    s_.LupeClientWidth = LupeScroll_->viewport()->width();
    s_.LupeClientHeight = LupeScroll_->viewport()->height();
}

} // namespace vallo
