#include "views/AllForm.h"

#include "app/EditorState.h"
#include "app/QtWindows.h"
#include "views/MogPaintBox.h"
#include "views/MogScrollBox.h"
#include "views/OverviewGeometry.h"
#include "views/OverviewMouse.h"
#include "views/QtDibImage.h"

#include <QComboBox>
#include <QPainter>
#include <QVBoxLayout>

namespace vallo {

namespace {

QRect ToQRect(const IntRect& r) {
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

QRect CornersRect(const IntRect& c) {
    return QRect(QPoint(std::min(c.Left, c.Right), std::min(c.Top, c.Bottom)),
                 QPoint(std::max(c.Left, c.Right), std::max(c.Top, c.Bottom)));
}

// Strokes a frame through its corners with the given raster operation, so that it shows on
// any colour of the image under it.
void DrawFrame(QPainter& p, const FrameSpec& f, QColor color, QPainter::CompositionMode mode) {
    if (!f.Visible)
        return;
    QPen pen(color);
    pen.setWidth(f.PenWidth);
    pen.setStyle(f.Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setCompositionMode(mode);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRect r = CornersRect(f.Corners);
    p.drawRect(r);
    if (f.Diagonals) {
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
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

    auto* panel = new QWidget(this);
    panel->setFixedHeight(32);
    powerCombo_ = new QComboBox(panel);
    powerCombo_->setGeometry(4, 5, 129, 22);
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
    vallo::powerComboChange(s_, index);
    const OverviewScrollSize size =
        ComputeOverviewScrollSize(s_.ImageWidth, s_.ImageHeight, s_.OverviewPower);
    AllScroll_->SetBitmapWidth(size.BitmapWidth);
    AllScroll_->SetBitmapHeight(size.BitmapHeight);
    AllScroll_->SetChipSize(size.ChipSize);
    AllScroll_->RepaintBox();
}

void TAllForm::ApplyZoom() {
    powerComboChange(powerCombo_->currentIndex());
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

    const OverviewFrames frames = ComputeOverviewFrames(s_, power);
    DrawFrame(p, frames.Cell, Qt::white, QPainter::RasterOp_SourceXorDestination);
    DrawFrame(p, frames.Layer, QColor(0, 0x80, 0), QPainter::RasterOp_SourceOrNotDestination);
    if (frames.Copy.Visible && frames.Copy.PenWidth == 1)
        DrawFrame(p, frames.Copy, Qt::black, QPainter::RasterOp_SourceOrNotDestination);
    else
        DrawFrame(p, frames.Copy, Qt::white, QPainter::RasterOp_SourceXorDestination);
    if (frames.ShowCopyImage && !s_.CopyImage.Empty()) {
        QRect src;
        const TDIB& copy = s_.CopyImage;
        const QImage wrapped = WrapDibRect(copy, QRect(0, 0, copy.Width(), copy.Height()), &src);
        p.drawImage(ToQRect(frames.CopyImageTarget), wrapped, src);
    }
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
    AllScroll_->RepaintBox();
}

} // namespace vallo
