#pragma once

#include "widgets/FloatingForm.h"

#include <array>

class QAction;
class QMenuBar;
class QPainter;

namespace vallo {

class TmogPaintBox;
class TPreviewBox;

// The tiled view: the edited cell repeated in a 1 x 1, 2 x 2 or 3 x 3 grid at one to four
// times. The menus write NarabeCount and NarabeZoom; the window sizes itself to the grid.
class TNarabeForm : public TFloatingForm {
    Q_OBJECT
public:
    TNarabeForm(EditorState& s, AppWindows& w, QWidget* parent);

    // Sizes the box and the window to the grid and repaints the box.
    void FormResize();
    void RepaintBox();
    // Changed cells of the edited cell (cell coordinates, right/bottom exclusive).
    void InvalidateCells(int left, int top, int right, int bottom);
    void UpdateNow();
    // Ticks the menu items of NarabeCount and NarabeZoom (other values tick nothing).
    void ReflectState();

    // Items 0 .. 2 are the counts 1 .. 3, items 3 .. 6 the zooms 1 .. 4.
    void exClick(int item);

    TmogPaintBox* Box() const;
    QMenuBar* Menu() const { return menu_; }
    QAction* CountItem(int count) const { return countItems_[size_t(count - 1)]; }
    QAction* ZoomItem(int zoom) const { return zoomItems_[size_t(zoom - 1)]; }

private:
    void BoxPaint(QPainter& p, const QRect& exposed);

    QMenuBar* menu_;
    TPreviewBox* preview_;
    std::array<QAction*, 3> countItems_{};
    std::array<QAction*, 4> zoomItems_{};
};

} // namespace vallo
