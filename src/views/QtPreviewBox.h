#pragma once

#include "state/EditorState.h"
#include "views/PreviewRender.h"

#include <QRegion>
#include <QScrollArea>
#include <functional>
#include <vector>

class QPainter;

namespace vallo {

class TmogPaintBox;

// The scrolling area of a preview window with its opaque paint box. The owner paints the exposed
// part of the box; invalidated rectangles are remembered so that they can be painted at once.
class TPreviewBox : public QScrollArea {
    Q_OBJECT
public:
    explicit TPreviewBox(QWidget* parent = nullptr);

    TmogPaintBox* Box() const { return box_; }
    void SetOnPaint(std::function<void(QPainter&, const QRect&)> paint);
    void SetBoxSize(int width, int height);
    // Gives the area the box's size, at least `minWidth` wide, and at most most of the screen
    // (larger boxes scroll).
    void FitToBox(int minWidth);
    // Marks box rectangles (right/bottom exclusive) for repaint; UpdateNow paints them now.
    void Invalidate(const std::vector<IntRect>& rects);
    void UpdateNow();
    void RepaintBox();
    // The box's size, at most most of the screen.
    QSize sizeHint() const override;

private:
    QSize Capped(QSize size) const;

    TmogPaintBox* box_;
    QRegion pending_;
};

// Paints the exposed part of a preview box: the rendered cell pixels where the layout covers the
// box, the background colour elsewhere.
void PaintPreviewArea(QPainter& p, const QRect& exposed, const CellSource& source,
                      const PreviewLayout& layout, const ColorTableArray& palette,
                      const QColor& background);

} // namespace vallo
