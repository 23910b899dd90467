#pragma once

#include "state/Mouse.h"

#include <QWidget>
#include <string>

class QButtonGroup;
class QComboBox;
class QToolButton;
class QMouseEvent;
class QPainter;

namespace vallo {

struct EditorState;
struct AppWindows;
class TmogPaintBox;
class TmogScrollBox2;

// The magnifier: the edited cell enlarged, drawn into with the mouse. Frameless content of an
// MDI subwindow. It paints by copying the exposed part of LupeImage and hands every mouse event
// to the core as plain values.
class TLupeForm : public QWidget {
    Q_OBJECT
public:
    TLupeForm(EditorState& s, AppWindows& w, QWidget* parent = nullptr);
    ~TLupeForm() override;

    // Hooks of the core.
    void InvalidateLupeRect(int left, int top, int right, int bottom);
    void UpdateNow();
    void SetLupeSize(int width, int height);
    void LupeResize();
    void RefreshUndoButtons();
    void ScrollToOrigin();
    void Repaint();
    void SetCaption(const std::string& caption);
    void HideCursor();
    void ShowCursor();
    void SetZoomItems();

    // The tool window presses the magnifier's matching buttons.
    void PressToolButton(int tool);
    void PressMergeButton(int mergeMode);
    void PressGridButton(bool down);

    TmogPaintBox* LupeBox() const { return LupeBox_; }
    TmogScrollBox2* LupeScroll() const { return LupeScroll_; }
    QComboBox* BaiBox() const { return BaiBox_; }
    QToolButton* UndoButton() const { return btUndo_; }
    QToolButton* RedoButton() const { return btRedo_; }
    QToolButton* ToolButton(int tool) const;  // 0 pen, 6 fill, 7 copy; null otherwise
    QToolButton* MergeButton(int mode) const; // 0 .. 2
    QToolButton* GridButton() const { return btGrid_; }
    int HiddenCursorCount() const { return hiddenCursors_; }

private:
    void BuildBottomBar(QWidget* panel);
    void LupeBoxPaint(QPainter& p, const QRect& exposed);
    void LupeBoxMouseDown(QMouseEvent* e, QPoint pos);
    void LupeBoxMouseMove(QMouseEvent* e, QPoint pos);
    void LupeBoxMouseUp(QMouseEvent* e, QPoint pos);
    void btURClick(bool redo);
    void btPsetClick(int tool);
    void btNormalClick(int mergeMode);
    void btGridClick();
    void BaiBoxChange(const QString& text);
    void TrackScroll();

    EditorState& s_;
    AppWindows& w_;
    TmogScrollBox2* LupeScroll_;
    TmogPaintBox* LupeBox_;
    QToolButton* btUndo_;
    QToolButton* btRedo_;
    QToolButton* btPset_;
    QToolButton* btPaint_;
    QToolButton* btCopy_;
    QToolButton* btNormal_;
    QToolButton* btMerge1_;
    QToolButton* btMerge2_;
    QToolButton* btGrid_;
    QComboBox* BaiBox_;
    QRect pending_;
    int hiddenCursors_ = 0;
};

} // namespace vallo
