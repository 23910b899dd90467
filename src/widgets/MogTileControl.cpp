#include "widgets/MogTileControl.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace vallo {

TmogTileControl::TmogTileControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    wallPaper_.OnChange = [this] { update(); };
}

void TmogTileControl::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect clip = event->rect();
    const QPixmap& picture = wallPaper_.Picture();
    if (picture.isNull()) {
        // The hatch is drawn over its background colour.
        p.fillRect(clip, wallPaper_.Color());
        p.fillRect(clip, wallPaper_.Brush());
        return;
    }
    if (wallPaper_.DrawType() == TmogTileDrawType::dtStretch) {
        p.drawPixmap(rect(), picture);
        return;
    }
    const int pw = picture.width();
    const int ph = picture.height();
    for (int row = clip.top() / ph; row * ph <= clip.bottom(); ++row)
        for (int col = clip.left() / pw; col * pw <= clip.right(); ++col)
            p.drawPixmap(col * pw, row * ph, picture);
}

void TmogTileControl::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(event);
}

void TmogTileControl::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove)
        OnMouseMove(event);
}

void TmogTileControl::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp)
        OnMouseUp(event);
}

} // namespace vallo
