#include "views/NarabeForm.h"

#include "state/EditorState.h"
#include "widgets/QtControls.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace vallo {

namespace {

// Items without a tick in an exclusive group: the group allows none to be checked.
void CheckOnly(QAction* item, QActionGroup* group) {
    for (QAction* a : group->actions())
        a->setChecked(a == item);
}

} // namespace

TNarabeForm::TNarabeForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TCellPreviewForm(s, w, WindowItem::Narabe, QString::fromUtf8("並べて表示"), parent) {
    setObjectName("NarabeForm");
    QMenu* count = menu_->addMenu(QString::fromUtf8("並べる数"));
    auto* countGroup = new QActionGroup(this);
    countGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int n = 1; n <= 3; ++n)
        countItems_[size_t(n - 1)] =
            AddChoiceItem(count, countGroup, QString("%1x%1").arg(n), "e" + QString::number(n),
                          [this, n] { exClick(n - 1); });
    QMenu* zoom = menu_->addMenu(QString::fromUtf8("倍率"));
    auto* zoomGroup = new QActionGroup(this);
    zoomGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int z = 1; z <= 4; ++z) {
        const QString name = "x" + QString::number(z);
        zoomItems_[size_t(z - 1)] =
            AddChoiceItem(zoom, zoomGroup, name, name, [this, z] { exClick(z + 2); });
    }
    ReflectState();
    AddBox(64, 64);
}

PreviewLayout TNarabeForm::Layout() const {
    return TiledLayout(s_);
}

void TNarabeForm::ReflectState() {
    const int n = s_.NarabeCount;
    const int z = s_.NarabeZoom;
    CheckOnly(n >= 1 && n <= 3 ? CountItem(n) : nullptr, CountItem(1)->actionGroup());
    CheckOnly(z >= 1 && z <= 4 ? ZoomItem(z) : nullptr, ZoomItem(1)->actionGroup());
}

void TNarabeForm::FormResize() {
    FitToLayout();
    RepaintBox();
}

void TNarabeForm::exClick(int item) {
    if (item < 3)
        s_.NarabeCount = item + 1;
    else
        s_.NarabeZoom = item - 2;
    ReflectState();
    FormResize();
}

} // namespace vallo
