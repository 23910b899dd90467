#include "draw/ToolForm.h"

#include "draw/ToolChoice.h"
#include "draw/Undo.h"
#include "state/EditorState.h"
#include "views/LupeForm.h"
#include "views/LupeMouse.h"
#include "widgets/MogPaintBox.h"
#include "widgets/QtControls.h"
#include "widgets/QtDibImage.h"
#include "widgets/QtWindows.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>

namespace vallo {

TToolForm::TToolForm(EditorState& s, AppWindows& w, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), s_(s), w_(w) {
    setWindowTitle(QString::fromUtf8("ツール"));
    // A grid of four columns: undo and redo, the tools in two rows, the merge modes with the
    // dither patterns under them (multiply sits beside the dithers), the cell size, the cell
    // step and the pen strip. The window keeps the size its controls need.
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setSpacing(0);
    grid_->setSizeConstraint(QLayout::SetFixedSize);

    // Wide enough for the longest count, so that the window keeps its size as counts change.
    btUndo_ = MakeSpeedButton(this, "Undo 0", QSize(48, 24), false, "Undo 888");
    btRedo_ = MakeSpeedButton(this, "Redo 0", QSize(48, 24), false, "Redo 888");
    btUndo_->setEnabled(false);
    btRedo_->setEnabled(false);
    connect(btUndo_, &QToolButton::clicked, this, [this] { btUndoClick(); });
    connect(btRedo_, &QToolButton::clicked, this, [this] { btRedoClick(); });
    grid_->addWidget(btUndo_, 0, 0, 1, 2);
    grid_->addWidget(btRedo_, 0, 2, 1, 2);
    grid_->setRowMinimumHeight(0, 28);

    BuildToolButtons();
    BuildMergeAndDither();

    SizeBox_ = new QComboBox(this);
    SizeBox_->setEditable(true);
    SizeBox_->setInsertPolicy(QComboBox::NoInsert);
    SizeBox_->setMinimumSize(96, 20);
    SetSizeItems();
    connect(SizeBox_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { SizeBoxChange(text); });
    grid_->addWidget(SizeBox_, 6, 0, 1, 4);

    btLGrid_ = MakeSpeedButton(this, "LupeGrid", QSize(48, 24), true);
    connect(btLGrid_, &QToolButton::clicked, this, [this] { btLGridClick(); });
    grid_->setRowMinimumHeight(7, 4);
    grid_->addWidget(btLGrid_, 8, 2, 1, 2);
    grid_->setRowMinimumHeight(9, 4);

    BuildPenBox();
    grid_->addWidget(PenBox_, 10, 0, 1, 4);
    ReflectState();
}

void TToolForm::BuildToolButtons() {
    // Grid cell and icon of each tool, indexed by CurrentTool.
    const struct {
        int row, column, icon;
    } place[8] = {{1, 0, 0}, {1, 2, 1}, {2, 2, 2}, {2, 3, 3},
                  {2, 0, 4}, {2, 1, 5}, {1, 3, 6}, {1, 1, 7}};
    const QImage icons = LoadStripImage(s_.AppDir + "sys/ICON.BMP");
    const bool haveIcons = icons.width() >= 16 * 8 && icons.height() >= 16;
    const char* fallback[8] = {"筆", "線", "円", "●", "□", "■", "塗", "範"};
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int tool = 0; tool < 8; ++tool) {
        QToolButton* b = MakeSpeedButton(this, QString(), QSize(24, 24), true);
        b->setObjectName(QString("btTool%1").arg(tool));
        if (haveIcons) {
            b->setIcon(PixelIcon(StripIcon(icons, place[tool].icon)));
            b->setIconSize(QSize(16, 16));
        } else {
            b->setText(QString::fromUtf8(fallback[tool]));
        }
        group->addButton(b);
        connect(b, &QToolButton::clicked, this, [this, tool] { btToolClick(tool); });
        tools_[size_t(tool)] = b;
        grid_->addWidget(b, place[tool].row, place[tool].column);
    }
    grid_->setRowMinimumHeight(3, 4);
}

void TToolForm::BuildMergeAndDither() {
    const struct {
        const char* text;
        int row, column;
    } merge[5] = {{"普通", 4, 0}, {"透明", 4, 1}, {"加色", 4, 2}, {"減色", 4, 3}, {"乗算", 5, 3}};
    auto* mergeGroup = new QButtonGroup(this);
    for (int m = 0; m < 5; ++m) {
        QToolButton* b =
            MakeSpeedButton(this, QString::fromUtf8(merge[m].text), QSize(24, 24), true);
        mergeGroup->addButton(b);
        connect(b, &QToolButton::clicked, this, [this, m] { btMarge3Click(m); });
        merges_[size_t(m)] = b;
        grid_->addWidget(b, merge[m].row, merge[m].column);
    }
    const char* dither[3] = {"網無", "順網", "逆網"};
    auto* ditherGroup = new QButtonGroup(this);
    for (int d = 0; d < 3; ++d) {
        QToolButton* b = MakeSpeedButton(this, QString::fromUtf8(dither[d]), QSize(24, 20), true);
        ditherGroup->addButton(b);
        connect(b, &QToolButton::clicked, this, [this, d] { AMIClick(d); });
        dithers_[size_t(d)] = b;
        grid_->addWidget(b, 5, d);
    }
}

void TToolForm::BuildPenBox() {
    PenBox_ = new QScrollArea(this);
    PenBox_->setFrameShape(QFrame::NoFrame);
    PenBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PenBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The strip scrolls: the box takes the window's width, never the strip's.
    PenBox_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    PenBox_->setMinimumWidth(96);
    PenBox_->setFixedHeight(std::max(45, 20 + PenBox_->horizontalScrollBar()->sizeHint().height()));
    PenImages_ = new TmogPaintBox;
    PenImages_->resize(400, 20);
    PenImages_->setMouseTracking(false);
    penStrip_ = LoadStripImage(s_.AppDir + "sys/Pen.BMP");
    PenImages_->OnPaint = [this](QPainter& p, const QRect& r) { PaintPens(p, r); };
    PenImages_->OnMouseDown = [this](QMouseEvent*, QPoint pos) { PenImagesMouseDown(pos.x()); };
    PenBox_->setWidget(PenImages_);
}

void TToolForm::PaintPens(QPainter& p, const QRect& exposed) {
    p.fillRect(exposed, Qt::white);
    if (!penStrip_.isNull())
        p.drawImage(exposed.topLeft(), penStrip_, exposed);
    // PenShape: a frame over the chosen pen, drawn by inverting what is under it.
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(20 * s_.PenIndex, 0, 19, 19));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TToolForm::closeEvent(QCloseEvent* event) {
    if (w_.Closing)
        return;
    event->ignore();
}

// --- Handlers.

void TToolForm::btToolClick(int tool) {
    vallo::btToolClick(s_, tool);
    if (w_.LupeForm)
        w_.LupeForm->PressToolButton(tool);
}

void TToolForm::btMarge3Click(int mergeMode) {
    vallo::btMarge3Click(s_, mergeMode);
    if (w_.LupeForm && mergeMode <= 2)
        w_.LupeForm->PressMergeButton(mergeMode);
}

void TToolForm::AMIClick(int ditherMode) {
    vallo::AMIClick(s_, ditherMode);
}

void TToolForm::btUndoClick() {
    Undo(s_);
    TimTimer(s_);
}

void TToolForm::btRedoClick() {
    Redo(s_);
    TimTimer(s_);
}

void TToolForm::btLGridClick() {
    vallo::btLGridClick(s_, btLGrid_->isChecked());
}

void TToolForm::PenImagesMouseDown(int x) {
    vallo::PenImagesMouseDown(s_, x);
    PenImages_->update();
}

void TToolForm::SizeBoxChange(const QString& text) {
    vallo::SizeBoxChange(s_, text.toStdString());
}

// --- Reflecting the state.

void TToolForm::PressTool(int tool) {
    if (tool >= 0 && tool < 8)
        tools_[size_t(tool)]->setChecked(true);
}

void TToolForm::PressMerge(int mergeMode) {
    if (mergeMode >= 0 && mergeMode < 5)
        merges_[size_t(mergeMode)]->setChecked(true);
}

void TToolForm::SetSizeItems() {
    const QSignalBlocker block(SizeBox_);
    SizeBox_->clear();
    for (const std::string& item : s_.SizeItems)
        SizeBox_->addItem(QString::fromStdString(item));
    SizeBox_->setEditText(
        QString::fromStdString(std::to_string(s_.CharWidth) + "x" + std::to_string(s_.CharHeight)));
}

void TToolForm::ReflectState() {
    PressTool(s_.CurrentTool);
    PressMerge(s_.MergeMode);
    if (s_.DitherMode >= 0 && s_.DitherMode < 3)
        dithers_[size_t(s_.DitherMode)]->setChecked(true);
    btLGrid_->setChecked(s_.LupeGrid);
    RefreshUndoButtons();
    PenImages_->update();
}

void TToolForm::RefreshUndoButtons() {
    btUndo_->setText(QString::fromStdString(UndoCaption(s_)));
    btRedo_->setText(QString::fromStdString(RedoCaption(s_)));
    btUndo_->setEnabled(CanUndo(s_));
    btRedo_->setEnabled(CanRedo(s_));
}

void TToolForm::SetSizeBoxText(const std::string& text) {
    const QSignalBlocker block(SizeBox_);
    SizeBox_->setEditText(QString::fromStdString(text));
}

} // namespace vallo
