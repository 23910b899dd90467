#include "palette/Pale2Form.h"

#include "state/EditorState.h"
#include "views/LupeMouse.h"
#include "widgets/MogPaintBox.h"
#include "widgets/QtControls.h"
#include "widgets/QtDibImage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace vallo {

namespace {

QColor ToQColor(uint32_t color) {
    return QColor(ColorRed(color), ColorGreen(color), ColorBlue(color));
}

} // namespace

TPale2Form::TPale2Form(EditorState& s, AppWindows& w, QWidget* parent)
    : QDialog(parent), s_(s), w_(w) {
    setObjectName("Pale2Form");
    setWindowTitle(Text("パレット編集"));
    setModal(true);
    for (int k = 0; k < 6; ++k)
        strips_[size_t(k)] = DibRegionToImage(
            s_.BarBitmap, QRect(kColorBarWidth * k, 0, kColorBarWidth, kColorBarHeight));

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    Shape_ = new TmogPaintBox(this);
    Shape_->setObjectName("Shape");
    Shape_->setFixedSize(29, 29);
    Shape_->OnPaint = [this](QPainter& p, const QRect&) { PaintShape(p); };
    top->addWidget(Shape_);
    Lab_ = new QLabel(this);
    Lab_->setObjectName("Lab");
    top->addWidget(Lab_);
    top->addStretch();
    layout->addLayout(top);

    static const char* const kRgb[3] = {"R", "G", "B"};
    static const char* const kHls[3] = {"H", "L", "S"};
    layout->addLayout(BuildFields(ColorBarBox::Rgb, kRgb, rgbEdits_, Box1));
    layout->addLayout(BuildFields(ColorBarBox::Hls, kHls, hlsEdits_, Box2));
    REdit = rgbEdits_[0];
    GEdit = rgbEdits_[1];
    BEdit = rgbEdits_[2];
    HEdit = hlsEdits_[0];
    LEdit = hlsEdits_[1];
    SEdit = hlsEdits_[2];

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btSet = MakeDialogButton(this, "btSet", "設定");
    btCancel = MakeDialogButton(this, "btCancel", "キャンセル");
    btSet->setFlat(true);
    btCancel->setFlat(true);
    buttons->addWidget(btSet);
    buttons->addWidget(btCancel);
    layout->addLayout(buttons);
    connect(btSet, &QPushButton::clicked, this, [this] { btSetClick(); });
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

// One group: three captions and fields on the left, the 64 x 64 bar box on the right.
QLayout* TPale2Form::BuildFields(ColorBarBox group, const char* const captions[3],
                                 std::array<QLineEdit*, 3>& edits, TmogPaintBox*& box) {
    auto* row = new QHBoxLayout;
    auto* grid = new QGridLayout;
    const QColor caption = palette().color(QPalette::Active, QPalette::Highlight);
    for (int k = 0; k < 3; ++k) {
        auto* label = new QLabel(Text(captions[k]), this);
        if (group == ColorBarBox::Rgb) {
            QPalette pal = label->palette();
            pal.setColor(QPalette::WindowText, caption);
            label->setPalette(pal);
        }
        auto* edit = new QLineEdit(QStringLiteral("0"), this);
        edit->setObjectName(QString(captions[k]) + "Edit");
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
        connect(edit, &QLineEdit::textChanged, this, [this, group] { FieldChange(group); });
        grid->addWidget(label, k, 0);
        grid->addWidget(edit, k, 1);
        edits[size_t(k)] = edit;
    }
    row->addLayout(grid);
    box = new TmogPaintBox(this);
    box->setObjectName(group == ColorBarBox::Rgb ? "Box1" : "Box2");
    box->setFixedSize(kColorBarWidth, kColorBarWidth);
    box->OnPaint = [this, group](QPainter& p, const QRect&) { PaintBars(p, group); };
    box->OnMouseDown = [this, group](QMouseEvent*, QPoint pos) { BoxMouseDown(group, pos); };
    box->OnMouseMove = [this, group](QMouseEvent*, QPoint pos) { BoxMouseMove(group, pos); };
    box->OnMouseUp = [this](QMouseEvent*, QPoint) { s_.EditBarRow = 0; };
    row->addWidget(box, 0, Qt::AlignTop);
    return row;
}

void TPale2Form::Load() {
    LoadColorEdit(s_);
    WriteFields(ColorBarBox::Rgb);
    WriteFields(ColorBarBox::Hls);
    RepaintBars();
}

void TPale2Form::WriteFields(ColorBarBox group) {
    const std::array<std::string, 3> texts = ColorEditFieldTexts(s_, group);
    std::array<QLineEdit*, 3>& edits = group == ColorBarBox::Rgb ? rgbEdits_ : hlsEdits_;
    s_.EditFieldsLive = false;
    for (size_t k = 0; k < 3; ++k)
        edits[k]->setText(QString::fromStdString(texts[k]));
    s_.EditFieldsLive = true;
}

void TPale2Form::FieldChange(ColorBarBox group) {
    const std::array<QLineEdit*, 3>& edits = group == ColorBarBox::Rgb ? rgbEdits_ : hlsEdits_;
    std::array<std::string, 3> texts;
    for (size_t k = 0; k < 3; ++k)
        texts[k] = edits[k]->text().toStdString();
    const bool changed =
        group == ColorBarBox::Rgb ? RgbFieldsChanged(s_, texts) : HlsFieldsChanged(s_, texts);
    if (!changed)
        return;
    WriteFields(group == ColorBarBox::Rgb ? ColorBarBox::Hls : ColorBarBox::Rgb);
    PreviewColorEdit(s_);
    RepaintBars();
}

void TPale2Form::RepaintBars() {
    Lab_->setText(QString::number(s_.DrawColor));
    Shape_->update();
    Box1->update();
    Box2->update();
}

void TPale2Form::PaintShape(QPainter& p) {
    p.fillRect(Shape_->rect(), QColor(s_.EditRed, s_.EditGreen, s_.EditBlue));
}

void TPale2Form::PaintBars(QPainter& p, ColorBarBox group) {
    p.fillRect(0, 0, kColorBarWidth, kColorBarWidth, palette().color(QPalette::Window));
    const int first = group == ColorBarBox::Rgb ? 0 : 3;
    const std::array<int, 3> markers = ColorBarMarkers(s_, group);
    const std::array<uint32_t, 3> colors = ColorBarMarkerColors(group);
    for (size_t k = 0; k < 3; ++k) {
        const int top = kColorBarTops[k];
        const QImage& strip = strips_[size_t(first) + k];
        if (!strip.isNull())
            p.drawImage(0, top, strip);
        p.setPen(ToQColor(colors[k]));
        p.drawLine(markers[k], top, markers[k], top + kColorBarHeight - 1);
    }
}

void TPale2Form::BoxMouseDown(ColorBarBox group, QPoint pos) {
    s_.EditBarRow = uint8_t(ColorBarRowAt(pos.y(), s_.EditBarRow));
    BoxMouseMove(group, pos);
}

void TPale2Form::BoxMouseMove(ColorBarBox group, QPoint pos) {
    if (s_.EditBarRow == 0)
        return;
    const int value = ColorBarValueAt(group, s_.EditBarRow, pos.x());
    std::array<QLineEdit*, 3>& edits = group == ColorBarBox::Rgb ? rgbEdits_ : hlsEdits_;
    edits[size_t(s_.EditBarRow - 1)]->setText(QString::number(value));
}

void TPale2Form::btSetClick() {
    CommitColorEdit(s_);
    TimTimer(s_);
    accept();
}

void TPale2Form::done(int result) {
    CloseColorEdit(s_);
    s_.EditBarRow = 0;
    QDialog::done(result);
}

} // namespace vallo
