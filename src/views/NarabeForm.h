#pragma once

#include "views/CellPreviewForm.h"

#include <array>

class QAction;

namespace vallo {

// The tiled view: the edited cell repeated in a 1 x 1, 2 x 2 or 3 x 3 grid at one to four
// times. The menus write NarabeCount and NarabeZoom; the window sizes itself to the grid.
class TNarabeForm : public TCellPreviewForm {
    Q_OBJECT
public:
    TNarabeForm(EditorState& s, AppWindows& w, QWidget* parent);

    // Sizes the box and the window to the grid and repaints the box.
    void FormResize();
    // Ticks the menu items of NarabeCount and NarabeZoom (other values tick nothing).
    void ReflectState();

    // Items 0 .. 2 are the counts 1 .. 3, items 3 .. 6 the zooms 1 .. 4.
    void exClick(int item);

    QAction* CountItem(int count) const { return countItems_[size_t(count - 1)]; }
    QAction* ZoomItem(int zoom) const { return zoomItems_[size_t(zoom - 1)]; }

protected:
    PreviewLayout Layout() const override;

private:
    std::array<QAction*, 3> countItems_{};
    std::array<QAction*, 4> zoomItems_{};
};

} // namespace vallo
