#include "views/QtPreviewBox.h"

#include "widgets/MogPaintBox.h"
#include "widgets/QtDibImage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace vallo {

TPreviewBox::TPreviewBox(QWidget* parent) : QScrollArea(parent), box_(new TmogPaintBox) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box_->PaintRectsSeparately = true;
    setWidget(box_);
}

void TPreviewBox::SetOnPaint(std::function<void(QPainter&, const QRect&)> paint) {
    // What is painted is no longer pending, whoever asked for the paint.
    box_->OnPaint = [this, paint = std::move(paint)](QPainter& p, const QRect& exposed) {
        pending_ -= exposed;
        paint(p, exposed);
    };
}

void TPreviewBox::SetBoxSize(int width, int height) {
    box_->setFixedSize(std::max(width, 1), std::max(height, 1));
}

QSize TPreviewBox::Capped(QSize size) const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int capW = avail.width() * 3 / 4;
    const int capH = avail.height() * 3 / 4;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int w = size.width();
    int h = size.height();
    if (w > capW) {
        w = capW;
        h += bar;
    }
    if (h > capH) {
        h = capH;
        w += bar;
    }
    return {w, h};
}

QSize TPreviewBox::sizeHint() const {
    const int frame = 2 * frameWidth();
    return Capped(box_->size()) + QSize(frame, frame);
}

void TPreviewBox::FitToBox(int minWidth) {
    const QSize size = Capped(box_->size());
    setFixedSize(std::max(size.width(), minWidth), size.height());
}

void TPreviewBox::Invalidate(const std::vector<IntRect>& rects) {
    for (const IntRect& r : rects) {
        const QRect q(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
        if (q.isEmpty())
            continue;
        pending_ += q;
        box_->update(q);
    }
}

void TPreviewBox::UpdateNow() {
    if (pending_.isEmpty())
        return;
    const QRegion r = pending_;
    pending_ = QRegion();
    box_->repaint(r);
}

void TPreviewBox::RepaintBox() {
    pending_ = QRegion();
    box_->update();
}

void PaintPreviewArea(QPainter& p, const QRect& exposed, const CellSource& source,
                      const PreviewLayout& layout, const ColorTableArray& palette,
                      const QColor& background) {
    IntRect area;
    const TDIB pixels = RenderPreviewArea(
        source, layout, {exposed.left(), exposed.top(), exposed.right() + 1, exposed.bottom() + 1},
        palette, area);
    QRegion rest(exposed);
    if (!pixels.Empty()) {
        QRect from;
        const QImage wrapped =
            WrapDibRect(pixels, QRect(0, 0, pixels.Width(), pixels.Height()), &from);
        p.drawImage(QPoint(area.Left, area.Top), wrapped, from);
        rest -= QRect(area.Left, area.Top, pixels.Width(), pixels.Height());
    }
    for (const QRect& r : rest)
        p.fillRect(r, background);
}

} // namespace vallo
