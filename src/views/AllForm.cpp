#include "views/AllForm.h"

#include "state/EditorState.h"
#include "views/AniPlayback.h"
#include "views/OverviewFrames.h"
#include "views/OverviewMouse.h"
#include "views/OverviewPaintArea.h"
#include "views/QtFramePainter.h"
#include "widgets/MogPaintBox.h"
#include "widgets/MogScrollBox.h"
#include "widgets/QtDibImage.h"
#include "widgets/QtWindows.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace vallo {

namespace {

QRect ToQRect(const IntRect& r) {
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

// A one-pixel outline in a plain colour through the frame's inclusive corners.
void PaintOutline(QPainter& p, const FrameShape& f) {
    const QColor color(ColorRed(f.Color), ColorGreen(f.Color), ColorBlue(f.Color));
    const QRect r(QPoint(std::min(f.X0, f.X1), std::min(f.Y0, f.Y1)),
                  QPoint(std::max(f.X0, f.X1), std::max(f.Y0, f.Y1)));
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
}

} // namespace

TAllForm::TAllForm(EditorState& s, AppWindows& w, QWidget* parent) : QWidget(parent), s_(s), w_(w) {
    setWindowTitle(QString::fromUtf8("全体図"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    AllScroll_ = new TMogScrollBox(this);
    AllScroll_->SetViewType(2);
    AllScroll_->SetBarSize(16);
    AllScroll_->SetPower(16);
    AllScroll_->SetChipSize(1);
    AllScroll_->OnPaint = [this](QPainter& p, const QRect& r) { AllBoxPaint(p, r); };
    AllScroll_->OnMouseDown = [this](MouseButton b, int x, int y, bool shift) {
        AllBoxMouseDown(s_, b, x, y, shift, false);
    };
    AllScroll_->OnMouseMove = [this](int x, int y, bool shift) {
        AllBoxMouseMove(s_, x, y, shift, false);
    };
    layout->addWidget(AllScroll_, 1);

    // The bar is painted with the window's colours.
    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    panel->setAutoFillBackground(true);
    panel->setMinimumHeight(32);
    auto* bar = new QHBoxLayout(panel);
    bar->setContentsMargins(4, 4, 4, 4);
    powerCombo_ = new QComboBox(panel);
    powerCombo_->setObjectName("powerCombo");
    powerCombo_->setMinimumWidth(129);
    bar->addWidget(powerCombo_);
    bar->addStretch(1);
    for (const char* item : {"1/4倍", "1/2倍", "1倍(等倍)", "2倍", "3倍"})
        powerCombo_->addItem(QString::fromUtf8(item));
    powerCombo_->setCurrentIndex(std::clamp(s_.OverviewPowerIndex, 0, 4));
    connect(powerCombo_, &QComboBox::currentIndexChanged, this,
            [this](int i) { powerComboChange(i); });
    layout->addWidget(panel);
    ApplyZoom();
}

void TAllForm::powerComboChange(int index) {
    if (index < 0)
        return;
    // The core sets OverviewPower and asks the views to apply it (ApplyZoom).
    vallo::powerComboChange(s_, index);
}

void TAllForm::ApplyZoom() {
    const int index = std::clamp(s_.OverviewPowerIndex, 0, 4);
    if (powerCombo_->currentIndex() != index) {
        const QSignalBlocker block(powerCombo_);
        powerCombo_->setCurrentIndex(index);
    }
    const OverviewGeometry size = ComputeOverviewGeometry(s_);
    AllScroll_->SetBitmapWidth(size.BitmapWidth);
    AllScroll_->SetBitmapHeight(size.BitmapHeight);
    AllScroll_->SetChipSize(size.ChipSize);
    AllScroll_->RepaintBox();
}

void TAllForm::AllBoxPaint(QPainter& p, const QRect& exposed) {
    const int power = s_.OverviewPower;
    const TDIB& image = s_.MainImage;
    const IntRect ex{exposed.left(), exposed.top(), exposed.right() + 1, exposed.bottom() + 1};
    const OverviewPaintArea area = OverviewExposedArea(ex, power, image.Width(), image.Height());
    QRegion rest(exposed);
    if (!area.Empty) {
        QRect source;
        const QImage wrapped = WrapDibRect(image, ToQRect(area.Source), &source);
        const QRect target = ToQRect(area.Target);
        p.drawImage(target, wrapped, source);
        rest -= QRegion(target);
    }
    for (const QRect& r : rest)
        p.fillRect(r, palette().color(QPalette::Dark));

    const OverviewFrames frames = ComputeOverviewFrames(s_);
    PaintFrame(p, frames.EditedCell);
    PaintFrame(p, frames.LayerCell);
    PaintFrame(p, frames.CopyRange);
    if (frames.DiagonalsVisible)
        for (const SegmentShape& d : frames.Diagonals)
            PaintSegment(p, frames.CopyRange, d);
    PaintStretched(p, s_.CopyImage, frames.CopyImage);
    if (markShown_)
        for (const FrameShape& f : AniOverviewMark(mark_, power))
            PaintOutline(p, f);
}

void TAllForm::MarkAnimationFrame(const IntRect& frame) {
    if (markShown_)
        InvalidateMark();
    mark_ = frame;
    markShown_ = true;
    InvalidateMark();
}

void TAllForm::InvalidateMark() {
    const IntRect r = AniOverviewMarkArea(mark_, s_.OverviewPower);
    const QRect q = ToQRect(r);
    if (!q.isEmpty())
        AllScroll_->InvalidateBase(q);
}

void TAllForm::InvalidateImageRect(int left, int top, int right, int bottom) {
    const IntRect r = OverviewScreenRect({std::min(left, right), std::min(top, bottom),
                                          std::max(left, right), std::max(top, bottom)},
                                         s_.OverviewPower);
    const QRect q = ToQRect(r);
    if (q.isEmpty())
        return;
    pending_ = pending_.united(q);
    AllScroll_->InvalidateBase(q);
}

void TAllForm::UpdateNow() {
    if (pending_.isEmpty())
        return;
    TmogPaintBox* box = AllScroll_->PaintBox();
    const QRect r = pending_.translated(-box->Origin());
    pending_ = QRect();
    box->repaint(r);
}

void TAllForm::Repaint() {
    pending_ = QRect();
    markShown_ = false;
    AllScroll_->RepaintBox();
}

} // namespace vallo
