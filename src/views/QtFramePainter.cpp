#include "views/QtFramePainter.h"

#include "widgets/QtDibImage.h"

#include <algorithm>

namespace vallo {

namespace {

void UsePen(QPainter& p, const FrameShape& f) {
    QColor color(ColorRed(f.Color), ColorGreen(f.Color), ColorBlue(f.Color));
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    if (f.Mode == PenMode::Invert) {
        color = Qt::white;
        mode = QPainter::RasterOp_SourceXorDestination;
    } else if (f.Mode == PenMode::MergeNotDest) {
        mode = QPainter::RasterOp_SourceOrNotDestination;
    }
    QPen pen(color);
    pen.setWidth(std::max(f.PenWidth, 1));
    pen.setStyle(f.Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    p.setCompositionMode(mode);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

} // namespace

void PaintFrame(QPainter& p, const FrameShape& f) {
    if (!f.Visible)
        return;
    UsePen(p, f);
    p.drawRect(QRect(QPoint(std::min(f.X0, f.X1), std::min(f.Y0, f.Y1)),
                     QPoint(std::max(f.X0, f.X1), std::max(f.Y0, f.Y1))));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void PaintSegment(QPainter& p, const FrameShape& pen, const SegmentShape& s) {
    UsePen(p, pen);
    p.drawLine(s.X0, s.Y0, s.X1, s.Y1);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void PaintStretched(QPainter& p, const TDIB& image, const StretchShape& where) {
    if (!where.Visible || image.Empty())
        return;
    QRect source;
    const QImage wrapped = WrapDibRect(image, QRect(0, 0, image.Width(), image.Height()), &source);
    if (wrapped.isNull())
        return;
    p.drawImage(QRect(QPoint(where.Left, where.Top), QPoint(where.Right - 1, where.Bottom - 1)),
                wrapped, source);
}

} // namespace vallo
