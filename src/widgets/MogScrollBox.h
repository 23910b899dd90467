#pragma once

#include "state/Mouse.h"
#include "widgets/MogTileProperty.h"
#include "widgets/ScrollLayout.h"

#include <QFrame>
#include <functional>

class QMenu;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace vallo {

class TmogPaintBox;
class TmogTileControl;

// A frame that shows a large virtual bitmap through a viewport: zoom in sixteenths (Power),
// scrolling in whole chips, three layouts (four bars, four arrow buttons, two bars), a
// wallpaper around the viewport and mouse positions in bitmap pixels. The owner paints.
//
// The bitmap at screen scale (the "base panel") is virtual: the paint box is only as large as
// the viewport and paints the base panel's coordinates shifted by the scroll position, so even
// a 90000-pixel-wide base costs no more than the visible part.
class TMogScrollBox : public QFrame {
    Q_OBJECT
public:
    explicit TMogScrollBox(QWidget* parent = nullptr);
    ~TMogScrollBox() override;

    // Painter in base-panel coordinates, exposed rectangle in base-panel coordinates.
    std::function<void(QPainter&, const QRect&)> OnPaint;
    std::function<void()> OnScroll;
    std::function<void(MouseButton, int, int, bool)> OnMouseDown;
    std::function<void(MouseButton, int, int, bool)> OnMouseUp;
    std::function<void(int, int, bool)> OnMouseMove;
    // May change or veto (by returning the old value) a Power chosen from the popup.
    std::function<void(int&)> OnPowerChange;

    bool ShowCustomButton() const { return showCustomButton_; }
    int Power() const { return in_.Power; }
    int BarSize() const { return in_.BarSize; }
    int ViewType() const { return in_.ViewType; }
    int ScrollClientWidth() const { return visibleW_; }
    int ScrollClientHeight() const { return visibleH_; }
    int ViewWidth() const { return in_.ViewWidth; }
    int ViewHeight() const { return in_.ViewHeight; }
    int BitmapWidth() const { return in_.BitmapWidth; }
    int BitmapHeight() const { return in_.BitmapHeight; }
    int ChipSize() const { return in_.ChipSize; }
    int HSpace() const { return in_.HSpace; }
    int VSpace() const { return in_.VSpace; }
    bool DragModeEx() const { return dragModeEx_; }
    TmogTileProperty& Tiling() { return tiling_; }

    void SetShowCustomButton(bool on);
    void SetPower(int power);
    void SetBarSize(int size);
    void SetViewType(int type);
    void SetViewWidth(int w);
    void SetViewHeight(int h);
    void SetBitmapWidth(int w);
    void SetBitmapHeight(int h);
    void SetChipSize(int chip);
    void SetHSpace(int v);
    void SetVSpace(int v);
    void SetDragModeEx(bool on) { dragModeEx_ = on; }

    // Scroll positions in chips.
    int HorzPosition() const;
    int VertPosition() const;
    void SetPositions(int h, int v);
    int ChipStepPixels() const { return ChipStep(in_.ChipSize, in_.Power); }
    const ScrollLayout& Layout() const { return layout_; }

    // Invalidates the chips (x0, y0) .. (x1, y1), corners in any order.
    void InvalidateChipRect(int x0, int y0, int x1, int y1);
    // Invalidates a rectangle of the base panel (screen scale).
    void InvalidateBase(const QRect& base);
    void RepaintBox();
    TmogPaintBox* PaintBox() const { return paintBox_; }
    QScrollBar* HorizontalBar() const { return bottomBar_; }
    QScrollBar* VerticalBar() const { return rightBar_; }

    // The popup's handlers.
    void PowerClick(int power);
    void ViewClick(int viewType);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildPopup();
    void PlaceBars();
    void ShowLayout();
    void RunLayout();
    void ApplyScroll();
    void TopScrollBarChange(int value);
    void LeftScrollBarChange(int value);
    void TopScrollButtonClick(QPushButton* button);
    void ForwardTileMouse(QMouseEvent* event, int kind);

    ScrollLayoutInput in_;
    ScrollLayout layout_;
    bool showCustomButton_ = false;
    bool dragModeEx_ = false;
    int visibleW_ = 0;
    int visibleH_ = 0;
    bool inLayout_ = false;

    TmogTileProperty tiling_;
    QScrollBar* topBar_;
    QScrollBar* bottomBar_;
    QScrollBar* leftBar_;
    QScrollBar* rightBar_;
    QPushButton* topButton_;
    QPushButton* bottomButton_;
    QPushButton* leftButton_;
    QPushButton* rightButton_;
    QWidget* scrollPanel_;
    TmogPaintBox* paintBox_;
    TmogTileControl* tile_;
    QToolButton* optionButton_;
    QMenu* optionPopup_;
};

} // namespace vallo
