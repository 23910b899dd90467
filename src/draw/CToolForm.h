#pragma once

#include "widgets/QtWindows.h"

#include <QImage>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPainter;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace vallo {

struct EditorState;
class TmogPaintBox;

// The copy tool window: paste options, the range tool's grid step, a preview of the copy buffer
// and the exchange with the system clipboard. It is shown while the range tool is chosen;
// closing it hides it and returns the tool window to the pen.
class TCToolForm : public QWidget {
    Q_OBJECT
public:
    TCToolForm(EditorState& s, AppWindows& w, QWidget* parent);

    QCheckBox* ToukaCHK = nullptr;
    QCheckBox* CPCHK = nullptr;
    QGroupBox* SizeGroup = nullptr;
    QScrollArea* Scroll = nullptr;
    TmogPaintBox* Box = nullptr;
    QPushButton* btCopy = nullptr;
    QPushButton* btPaste = nullptr;

    // Both check boxes: the paste options follow them.
    void CTCHKClick();
    // "コピーサイズ": the range tool's grid step follows the chosen item.
    void SizeGroupClick(int item);
    QRadioButton* SizeItem(int item) const;
    // Sets the check boxes and the size item from the state.
    void ReflectOptions();
    // "コピー": the edited cell or the copy buffer onto the clipboard.
    void btCopyClick();
    // "貼り付け": the clipboard's image into the copy buffer, ready to paste.
    void btPasteClick();

    // The view hooks' requests: repaint the preview (and the copy button's state), and size
    // the preview to the image.
    void RepaintPreview();
    void SizePreview(int width, int height);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildSizeGroup();
    void BoxPaint(QPainter& p, const QRect& exposed);
    QImage PreviewImage() const;
    void ShowError(const char* message);

    EditorState& s_;
    AppWindows& w_;
    QButtonGroup* sizeItems_ = nullptr;
    // What the preview shows; kept while a range is being chosen, which draws nothing new.
    QImage shown_;
};

} // namespace vallo
