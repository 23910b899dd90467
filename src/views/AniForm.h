#pragma once

#include "views/AniPlayback.h"
#include "widgets/FloatingForm.h"

#include <array>

class QGroupBox;
class QLineEdit;
class QPainter;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class QToolButton;

namespace vallo {

class TmogPaintBox;
class TPreviewBox;

// The animation window: plays neighbouring cells of the document as a walking animation in one
// of four directions and marks the played cell on the overview. Its controls mirror the state's
// Anime fields; the frame arithmetic is the core's.
class TAniForm : public TFloatingForm {
    Q_OBJECT
public:
    TAniForm(EditorState& s, AppWindows& w, QWidget* parent);

    // Sets the controls from AnimeFPS, AnimeFrames, AnimeChrMode, AnimeBai and AnimeMode.
    void ReflectState();

    // A direction button was clicked (tags 0 "↑", 1 "←", 2 "↓", 3 "→").
    void btUpClick(int tag);
    void TimTimer();
    void FPSBarChange();
    void BaiGroupClick(int item);
    void btGifClick();
    // Writes one cycle of the animation as a GIF; false after telling the user what failed.
    bool SaveGif(const QString& path);

    const AniPlayback& Playback() const { return play_; }
    // The direction whose button is down, or "↓" when none is.
    uint8_t ExportDirection() const;

    TmogPaintBox* Box() const;
    QTimer* Tim = nullptr;
    QToolButton* DirectionButton(int tag) const { return directions_[size_t(tag)]; }
    QRadioButton* BaiItem(int i) const { return bai_[size_t(i)]; }
    QRadioButton* ChrModeItem(int i) const { return chrMode_[size_t(i)]; }
    QRadioButton* AnimeModeItem(int i) const { return animeMode_[size_t(i)]; }
    QScrollBar* FPSBar = nullptr;
    QScrollBar* AnimeBar = nullptr;
    QLineEdit* FPSTxt = nullptr;
    QLineEdit* AniTxt = nullptr;
    QPushButton* btGif = nullptr;

private:
    QWidget* BuildControls();
    QWidget* BuildDirections();
    void SizeBox();
    void BoxPaint(QPainter& p, const QRect& exposed);
    IntRect ShownRect() const;

    TPreviewBox* ScrollBox1;
    AniPlayback play_;
    std::array<QToolButton*, 4> directions_{};
    std::array<QRadioButton*, 4> bai_{};
    std::array<QRadioButton*, 2> chrMode_{};
    std::array<QRadioButton*, 2> animeMode_{};
};

} // namespace vallo
