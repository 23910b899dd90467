#include "draw/ToolForm.h"

#include "state/EditorState.h"
#include "widgets/QtWindows.h"
#include "draw/ToolChoice.h"
#include "draw/Undo.h"
#include "views/LupeForm.h"
#include "views/LupeMouse.h"
#include "widgets/MogPaintBox.h"
#include "widgets/QtControls.h"
#include "widgets/QtDibImage.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QPainter>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QToolButton>

namespace vallo {

namespace {} // namespace

TToolForm::TToolForm(EditorState& s, AppWindows& w, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      s_(s), w_(w) {
    setWindowTitle(QString::fromUtf8("ツール"));
    setFixedSize(96, 253);
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);

    btUndo_ = MakeSpeedButton(this, "Undo 0", QRect(0, 0, 48, 24), false);
    btRedo_ = MakeSpeedButton(this, "Redo 0", QRect(48, 0, 48, 24), false);
    btUndo_->setEnabled(false);
    btRedo_->setEnabled(false);
    connect(btUndo_, &QToolButton::clicked, this, [this] { btUndoClick(); });
    connect(btRedo_, &QToolButton::clicked, this, [this] { btRedoClick(); });

    BuildToolButtons();
    BuildMergeAndDither();

    SizeBox_ = new QComboBox(this);
    SizeBox_->setEditable(true);
    SizeBox_->setInsertPolicy(QComboBox::NoInsert);
    SizeBox_->setGeometry(0, 132, 96, 20);
    SetSizeItems();
    connect(SizeBox_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { SizeBoxChange(text); });

    btLGrid_ = MakeSpeedButton(this, "LupeGrid", QRect(48, 180, 48, 24), true);
    // The caption is wider than the button in the window's font.
    QFont narrow = font();
    narrow.setPixelSize(10);
    btLGrid_->setFont(narrow);
    connect(btLGrid_, &QToolButton::clicked, this, [this] { btLGridClick(); });

    BuildPenBox();
    ReflectState();
}

void TToolForm::BuildToolButtons() {
    // Position and icon of each tool, indexed by CurrentTool.
    const struct {
        int x, y, icon;
    } place[8] = {{0, 28, 0}, {48, 28, 1}, {48, 52, 2}, {72, 52, 3},
                  {0, 52, 4}, {24, 52, 5}, {72, 28, 6}, {24, 28, 7}};
    const QImage icons = LoadStripImage(s_.AppDir + "sys/ICON.BMP");
    const bool haveIcons = icons.width() >= 16 * 8 && icons.height() >= 16;
    const char* fallback[8] = {"筆", "線", "円", "●", "□", "■", "塗", "範"};
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int tool = 0; tool < 8; ++tool) {
        QToolButton* b =
            MakeSpeedButton(this, QString(), QRect(place[tool].x, place[tool].y, 24, 24), true);
        if (haveIcons) {
            b->setIcon(QPixmap::fromImage(StripIcon(icons, place[tool].icon)));
            b->setIconSize(QSize(16, 16));
        } else {
            b->setText(QString::fromUtf8(fallback[tool]));
        }
        group->addButton(b);
        connect(b, &QToolButton::clicked, this, [this, tool] { btToolClick(tool); });
        tools_[size_t(tool)] = b;
    }
}

void TToolForm::BuildMergeAndDither() {
    QFont small = font();
    small.setPixelSize(11);
    const struct {
        const char* text;
        int x, y;
    } merge[5] = {
        {"普通", 0, 80}, {"透明", 24, 80}, {"加色", 48, 80}, {"減色", 72, 80}, {"乗算", 72, 104}};
    auto* mergeGroup = new QButtonGroup(this);
    for (int m = 0; m < 5; ++m) {
        QToolButton* b = MakeSpeedButton(this, QString::fromUtf8(merge[m].text),
                                         QRect(merge[m].x, merge[m].y, 24, 24), true);
        b->setFont(small);
        mergeGroup->addButton(b);
        connect(b, &QToolButton::clicked, this, [this, m] { btMarge3Click(m); });
        merges_[size_t(m)] = b;
    }
    const char* dither[3] = {"網無", "順網", "逆網"};
    auto* ditherGroup = new QButtonGroup(this);
    for (int d = 0; d < 3; ++d) {
        QToolButton* b =
            MakeSpeedButton(this, QString::fromUtf8(dither[d]), QRect(24 * d, 108, 24, 20), true);
        b->setFont(small);
        ditherGroup->addButton(b);
        connect(b, &QToolButton::clicked, this, [this, d] { AMIClick(d); });
        dithers_[size_t(d)] = b;
    }
}

void TToolForm::BuildPenBox() {
    PenBox_ = new QScrollArea(this);
    PenBox_->setGeometry(0, 208, 96, 45);
    PenBox_->setFrameShape(QFrame::NoFrame);
    PenBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
