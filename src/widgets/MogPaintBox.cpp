#include "widgets/MogPaintBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace vallo {

TmogPaintBox::TmogPaintBox(QWidget* parent) : QWidget(parent) {
    // Nothing erases the background: the owner paints every exposed pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

void TmogPaintBox::SetOrigin(QPoint origin) {
    if (origin == origin_)
        return;
    origin_ = origin;
    update();
}

void TmogPaintBox::InvalidateContent(const QRect& content) {
    update(content.translated(-origin_));
}

void TmogPaintBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!OnPaint) {
        painter.fillRect(event->rect(), palette().color(QPalette::Dark));
        return;
    }
    painter.translate(-origin_);
    if (!PaintRectsSeparately) {
        OnPaint(painter, event->rect().translated(origin_));
        return;
    }
    for (const QRect& r : event->region()) {
        const QRect content = r.translated(origin_);
        painter.save();
        painter.setClipRect(content);
        OnPaint(painter, content);
        painter.restore();
    }
}

QPoint TmogPaintBox::ContentPos(QMouseEvent* event) const {
    return event->position().toPoint() + origin_;
}

void TmogPaintBox::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(event, ContentPos(event));
}

void TmogPaintBox::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove)
        OnMouseMove(event, ContentPos(event));
}

void TmogPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp)
        OnMouseUp(event, ContentPos(event));
}

void TmogPaintBox::leaveEvent(QEvent* event) {
    if (OnLeave)
        OnLeave();
    QWidget::leaveEvent(event);
}

} // namespace vallo
