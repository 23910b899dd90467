#pragma once

#include <QWidget>
#include <array>
#include <string>

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QScrollArea;
class QToolButton;

namespace vallo {

struct EditorState;
struct AppWindows;
class TmogPaintBox;

// The always-on-top tool window: tool, merge mode, dither, cell size, cell step, pen and
// undo/redo. Every control only hands its choice to the core; the magnifier's matching buttons
// are pressed back. It refuses to close.
class TToolForm : public QWidget {
    Q_OBJECT
public:
    TToolForm(EditorState& s, AppWindows& w, QWidget* parent = nullptr);

    // Handlers, callable by the magnifier (which presses the button first).
    void btToolClick(int tool);
    void btMarge3Click(int mergeMode);
    void AMIClick(int ditherMode);
    void btUndoClick();
    void btRedoClick();
    void btLGridClick();
    void PenImagesMouseDown(int x);
    void SizeBoxChange(const QString& text);

    // Presses a button without running its handler.
    void PressTool(int tool);
    void PressMerge(int mergeMode);
    // Brings every control in line with the state: buttons down, captions, enables, pen frame.
    void ReflectState();
    void RefreshUndoButtons();
    void SetSizeBoxText(const std::string& text);
    // Reloads the size box items from SizeItems (after the configuration or settings change).
    void SetSizeItems();

    QToolButton* ToolButton(int tool) const { return tools_[size_t(tool)]; }
    QToolButton* MergeButton(int mode) const { return merges_[size_t(mode)]; }
    QToolButton* DitherButton(int mode) const { return dithers_[size_t(mode)]; }
    QToolButton* UndoButton() const { return btUndo_; }
    QToolButton* RedoButton() const { return btRedo_; }
    QToolButton* GridButton() const { return btLGrid_; }
    QComboBox* SizeBox() const { return SizeBox_; }
    TmogPaintBox* PenImages() const { return PenImages_; }
    QScrollArea* PenBox() const { return PenBox_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolButtons();
    void BuildMergeAndDither();
    void BuildPenBox();
    void PaintPens(QPainter& p, const QRect& exposed);

    EditorState& s_;
    AppWindows& w_;
    QGridLayout* grid_;
    QToolButton* btUndo_;
    QToolButton* btRedo_;
    std::array<QToolButton*, 8> tools_{};
    std::array<QToolButton*, 5> merges_{};
    std::array<QToolButton*, 3> dithers_{};
    QToolButton* btLGrid_;
    QComboBox* SizeBox_;
    QScrollArea* PenBox_;
    TmogPaintBox* PenImages_;
    QImage penStrip_;
};

} // namespace vallo
