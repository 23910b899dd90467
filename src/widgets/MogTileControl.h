#pragma once

#include "widgets/MogTileProperty.h"

#include <QWidget>
#include <functional>

namespace vallo {

// A passive, opaque control that fills its area with its wallpaper. Mouse presses, moves and
// releases are handed to the owner with positions in the control's own pixels.
class TmogTileControl : public QWidget {
    Q_OBJECT
public:
    explicit TmogTileControl(QWidget* parent = nullptr);

    TmogTileProperty& WallPaper() { return wallPaper_; }

    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void(QMouseEvent*)> OnMouseMove;
    std::function<void(QMouseEvent*)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TmogTileProperty wallPaper_;
};

} // namespace vallo
