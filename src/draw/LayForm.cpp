#include "draw/LayForm.h"

#include "app/EditorState.h"
#include "draw/Layers.h"

#include <QPushButton>
#include <QSignalBlocker>

namespace vallo {

TLayForm::TLayForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::Lay, QString::fromUtf8("レイヤー制御"), parent) {
    setObjectName("LayForm");
    setFixedSize(315, 91);
    btLay = new QPushButton(QString::fromUtf8("レイヤー有効"), this);
    btLay->setObjectName("btLay");
    btLay->setCheckable(true);
    btLay->setGeometry(4, 4, 77, 37);
    connect(btLay, &QPushButton::toggled, this, [this](bool down) {
        s_.LayerActive = down;
        LayChange(s_);
    });
}

void TLayForm::ReleaseLayerButton() {
    const QSignalBlocker quiet(btLay);
    btLay->setChecked(false);
}

} // namespace vallo
