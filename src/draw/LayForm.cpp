#include "draw/LayForm.h"

#include "state/EditorState.h"
#include "draw/Layers.h"
#include "views/LupeMouse.h"
#include "draw/LupeRender.h"
#include "widgets/QtControls.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

namespace vallo {

namespace {

// A titled radio group with its items laid out in `columns` columns below the title.
template <size_t N>
QGroupBox* MakeRadioGroup(QWidget* parent, const char* name, const char* title, QRect geometry,
                          const char* const (&items)[N], int columns,
                          std::array<QRadioButton*, N>& out) {
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    // The groups are small: their items use a slightly smaller type so that each row fits
    // the frame below the title.
    QFont small = box->font();
    small.setPixelSize(11);
    box->setFont(small);
    const int top = 14;
    const int rows = int((N + size_t(columns) - 1) / size_t(columns));
    const int rowHeight = std::max(12, (geometry.height() - top - 1) / rows);
    const int columnWidth = (geometry.width() - 4) / columns;
    for (size_t i = 0; i < N; ++i) {
        auto* r = new QRadioButton(QString::fromUtf8(items[i]), box);
        r->setFocusPolicy(Qt::NoFocus);
        r->setGeometry(3 + int(i) % columns * columnWidth, top + int(i) / columns * rowHeight,
                       columnWidth, rowHeight);
        out[i] = r;
    }
    return box;
}

template <size_t N> void Check(const std::array<QRadioButton*, N>& items, int index) {
    if (index >= 0 && size_t(index) < N) {
        const QSignalBlocker quiet(items[size_t(index)]);
        items[size_t(index)]->setChecked(true);
    }
}

template <size_t N>
void ConnectGroup(TLayForm* form, const std::array<QRadioButton*, N>& items,
                  void (TLayForm::*handler)(int)) {
    for (size_t i = 0; i < N; ++i)
        QObject::connect(items[i], &QRadioButton::clicked, form,
                         [form, handler, i] { (form->*handler)(int(i)); });
}

} // namespace

TLayForm::TLayForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::Lay, QString::fromUtf8("レイヤー制御"), parent) {
    setObjectName("LayForm");
    setFixedSize(315, 91);
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);

    btLay = MakePushButton(this, "btLay", "レイヤー有効", QRect(4, 4, 77, 37));
    btLay->setCheckable(true);
    // Also when another window presses the switch.
    connect(btLay, &QPushButton::toggled, this, [this] { btLayClick(); });

    btUE = MakePushButton(this, "btUE", "上", QRect(4, 52, 77, 17));
    btSITA = MakePushButton(this, "btSITA", "下", QRect(4, 72, 77, 17));
    auto* side = new QButtonGroup(this);
    for (QPushButton* b : {btUE, btSITA}) {
        b->setCheckable(true);
        side->addButton(b);
    }
    connect(btUE, &QPushButton::clicked, this, [this] { btUEClick(); });
    connect(btSITA, &QPushButton::clicked, this, [this] { btSITAClick(); });

    const char* const touka[] = {"無効", "有効"};
    TOUKA = MakeRadioGroup(this, "TOUKA", "透過色", QRect(84, 4, 121, 29), touka, 2, touka_);
    const char* const gousei[] = {"標準", "半透明", "加色", "減色", "乗算"};
    GOUSEI = MakeRadioGroup(this, "GOUSEI", "合成方法", QRect(85, 36, 120, 53), gousei, 2, gousei_);
    const char* const tougou[] = {"メインキャラ", "レイヤーキャラ"};
    TOUGOU = MakeRadioGroup(this, "TOUGOU", "統合先", QRect(208, 4, 105, 49), tougou, 1, tougou_);
    ConnectGroup(this, touka_, &TLayForm::TOUKAClick);
    ConnectGroup(this, gousei_, &TLayForm::GOUSEIClick);
    ConnectGroup(this, tougou_, &TLayForm::TOUGOUClick);

    btLayTOUGOU = MakePushButton(this, "btLayTOUGOU", "レイヤー統合", QRect(236, 60, 77, 29));
    connect(btLayTOUGOU, &QPushButton::clicked, this, [this] { btLayTOUGOUClick(); });
    ReflectState();
}

void TLayForm::showEvent(QShowEvent* event) {
    ReflectState();
    TFloatingForm::showEvent(event);
}

void TLayForm::ReflectState() {
    {
        const QSignalBlocker quiet(btLay);
        btLay->setChecked(s_.LayerActive);
    }
    {
        QPushButton* side = s_.LayerBelow ? btSITA : btUE;
        const QSignalBlocker quiet(side);
        side->setChecked(true);
    }
    Check(touka_, s_.LayerSeeThrough ? 1 : 0);
    Check(gousei_, s_.LayerMethod);
    Check(tougou_, s_.LayerMergeTarget);
}

void TLayForm::ReleaseLayerButton() {
    const QSignalBlocker quiet(btLay);
    btLay->setChecked(false);
}

// --- Handlers.

void TLayForm::btLayClick() {
    s_.LayerActive = btLay->isChecked();
    RenderLupe(s_);
    s_.Hooks->RepaintLupe();
    s_.Hooks->RepaintOverview();
}

void TLayForm::btUEClick() {
    s_.LayerBelow = false;
    LayChange(s_);
}

void TLayForm::btSITAClick() {
    s_.LayerBelow = true;
    LayChange(s_);
}

void TLayForm::TOUKAClick(int item) {
    s_.LayerSeeThrough = item == 1;
    LayChange(s_);
}

void TLayForm::GOUSEIClick(int item) {
    s_.LayerMethod = item;
    LayChange(s_);
}

void TLayForm::TOUGOUClick(int item) {
    s_.LayerMergeTarget = item;
}

void TLayForm::btLayTOUGOUClick() {
    MergeLayerIntoTarget(s_);
    TimTimer(s_);
}

} // namespace vallo
