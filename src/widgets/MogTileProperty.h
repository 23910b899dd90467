#pragma once

#include <QBrush>
#include <QColor>
#include <QPixmap>
#include <functional>

namespace vallo {

enum class TmogTileDrawType { dtTile, dtStretch };

// The wallpaper of a tile control: a hatched brush on a colour, or a picture tiled or
// stretched. Every change raises OnChange.
class TmogTileProperty {
public:
    TmogTileProperty();
    TmogTileProperty(const TmogTileProperty&) = delete;
    TmogTileProperty& operator=(const TmogTileProperty&) = delete;
    // Copies all four values (not the change notification) and raises OnChange once.
    void Assign(const TmogTileProperty& other);

    const QBrush& Brush() const { return brush_; }
    QColor Color() const { return color_; }
    const QPixmap& Picture() const { return picture_; }
    TmogTileDrawType DrawType() const { return drawType_; }

    void SetBrush(const QBrush& brush);
    void SetColor(QColor color);
    void SetPicture(const QPixmap& picture);
    void SetDrawType(TmogTileDrawType type);

    std::function<void()> OnChange;

private:
    void Changed();
    QBrush brush_;
    QColor color_;
    QPixmap picture_;
    TmogTileDrawType drawType_ = TmogTileDrawType::dtStretch;
};

} // namespace vallo
