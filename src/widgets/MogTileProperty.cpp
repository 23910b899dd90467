#include "widgets/MogTileProperty.h"

#include <QApplication>
#include <QPalette>

namespace vallo {

TmogTileProperty::TmogTileProperty()
    : brush_(QColor(0x80, 0x80, 0x80), Qt::DiagCrossPattern),
      color_(QApplication::palette().color(QPalette::Button)) {}

void TmogTileProperty::Assign(const TmogTileProperty& other) {
    brush_ = other.brush_;
    color_ = other.color_;
    picture_ = other.picture_;
    drawType_ = other.drawType_;
    Changed();
}

void TmogTileProperty::SetBrush(const QBrush& brush) {
    brush_ = brush;
    Changed();
}

void TmogTileProperty::SetColor(QColor color) {
    color_ = color;
    Changed();
}

void TmogTileProperty::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    Changed();
}

void TmogTileProperty::SetDrawType(TmogTileDrawType type) {
    drawType_ = type;
    Changed();
}

void TmogTileProperty::Changed() {
    if (OnChange)
        OnChange();
}

} // namespace vallo
