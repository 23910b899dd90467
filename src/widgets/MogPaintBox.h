#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>

class QPainter;

namespace vallo {

// An opaque paint box. The owner paints in OnPaint and gets every mouse event, also for drags
// with the right or middle button that leave the box (Qt keeps the mouse grabbed until all
// buttons are up). Origin shifts the box's content: a box showing part of a larger surface
// paints and reports positions in that surface's coordinates.
class TmogPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TmogPaintBox(QWidget* parent = nullptr);

    // Painter already translated by -Origin; the rectangle is the exposed part in content
    // coordinates.
    std::function<void(QPainter&, const QRect&)> OnPaint;
    std::function<void(QMouseEvent*, QPoint)> OnMouseDown;
    std::function<void(QMouseEvent*, QPoint)> OnMouseMove;
    std::function<void(QMouseEvent*, QPoint)> OnMouseUp;
    std::function<void()> OnLeave;
    // When set, OnPaint runs once for each rectangle of the exposed region, clipped to it, so
    // that scattered small updates do not repaint the box between them.
    bool PaintRectsSeparately = false;

    QPoint Origin() const { return origin_; }
    void SetOrigin(QPoint origin);
    // Invalidates a rectangle given in content coordinates.
    void InvalidateContent(const QRect& content);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPoint ContentPos(QMouseEvent* event) const;
    QPoint origin_;
};

} // namespace vallo
