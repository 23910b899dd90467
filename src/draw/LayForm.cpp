#include "draw/LayForm.h"

#include "state/EditorState.h"
#include "draw/Layers.h"
#include "views/LupeMouse.h"
#include "draw/LupeRender.h"
#include "widgets/QtControls.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace vallo {

namespace {

template <size_t N>
QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* title,
                     std::initializer_list<const char*> items, int columns, QSize minimum,
                     std::array<QRadioButton*, N>& out) {
    std::vector<QRadioButton*> made;
    QGroupBox* box = MakeRadioGroup(parent, name, title, items, columns, minimum, made);
    std::copy_n(made.begin(), N, out.begin());
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
    // Three columns: the switches, the see-through and method groups, the merge target and
    // its button. The window keeps the size its controls need.
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(4, 4, 4, 4);
    columns->setSpacing(4);
    columns->setSizeConstraint(QLayout::SetFixedSize);

    auto* switches = new QVBoxLayout;
    switches->setSpacing(2);
    btLay = MakePushButton(this, "btLay", "レイヤー有効", QSize(77, 37));
    btLay->setCheckable(true);
    // Also when another window presses the switch.
    connect(btLay, &QPushButton::toggled, this, [this] { btLayClick(); });
    btUE = MakePushButton(this, "btUE", "上", QSize(77, 17));
    btSITA = MakePushButton(this, "btSITA", "下", QSize(77, 17));
    auto* side = new QButtonGroup(this);
    for (QPushButton* b : {btUE, btSITA}) {
        b->setCheckable(true);
        side->addButton(b);
    }
    connect(btUE, &QPushButton::clicked, this, [this] { btUEClick(); });
    connect(btSITA, &QPushButton::clicked, this, [this] { btSITAClick(); });
    switches->addWidget(btLay);
    switches->addStretch(1);
    switches->addWidget(btUE);
    switches->addWidget(btSITA);
    columns->addLayout(switches);

    auto* groups = new QVBoxLayout;
    groups->setSpacing(2);
    TOUKA = MakeGroup(this, "TOUKA", "透過色", {"無効", "有効"}, 2, QSize(121, 29), touka_);
    GOUSEI = MakeGroup(this, "GOUSEI", "合成方法", {"標準", "半透明", "加色", "減色", "乗算"}, 2,
                       QSize(120, 53), gousei_);
    groups->addWidget(TOUKA);
    groups->addWidget(GOUSEI);
    columns->addLayout(groups);

    auto* target = new QVBoxLayout;
    target->setSpacing(2);
    TOUGOU =
        MakeGroup(this, "TOUGOU", "統合先", {"メインキャラ", "レイヤーキャラ"}, 1, QSize(105, 49),
                  tougou_);
    btLayTOUGOU = MakePushButton(this, "btLayTOUGOU", "レイヤー統合", QSize(77, 29));
    connect(btLayTOUGOU, &QPushButton::clicked, this, [this] { btLayTOUGOUClick(); });
    target->addWidget(TOUGOU);
    target->addStretch(1);
    target->addWidget(btLayTOUGOU, 0, Qt::AlignRight);
    columns->addLayout(target);

    ConnectGroup(this, touka_, &TLayForm::TOUKAClick);
    ConnectGroup(this, gousei_, &TLayForm::GOUSEIClick);
    ConnectGroup(this, tougou_, &TLayForm::TOUGOUClick);
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
