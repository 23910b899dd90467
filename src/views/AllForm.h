#pragma once

#include "state/EditorState.h"

#include <QRect>
#include <QWidget>

class QComboBox;
class QPainter;

namespace vallo {

struct EditorState;
struct AppWindows;
class TMogScrollBox;

// The overview: the whole document at one of five scales, with frames for the edited cell,
// the layer cell and the copy range. Clicks choose the cells; the copy range is picked here.
class TAllForm : public QWidget {
    Q_OBJECT
public:
    TAllForm(EditorState& s, AppWindows& w, QWidget* parent = nullptr);

    // Hooks of the core. Image rectangles are left/top inclusive, right/bottom exclusive.
    void InvalidateImageRect(int left, int top, int right, int bottom);
    void UpdateNow();
    void Repaint();
    // Re-applies the chosen scale to the current image size.
    void ApplyZoom();
    // Marks the animation's frame (an image rectangle, right/bottom exclusive) until the next
    // repaint of the whole overview; a new mark replaces the last one.
    void MarkAnimationFrame(const IntRect& frame);
    bool AnimationMarkShown() const { return markShown_; }

    TMogScrollBox* AllScroll() const { return AllScroll_; }
    QComboBox* PowerCombo() const { return powerCombo_; }

private:
    void AllBoxPaint(QPainter& p, const QRect& exposed);
    void powerComboChange(int index);
    void InvalidateMark();

    EditorState& s_;
    AppWindows& w_;
    TMogScrollBox* AllScroll_;
    QComboBox* powerCombo_;
    QRect pending_;
    IntRect mark_;
    bool markShown_ = false;
};

} // namespace vallo
