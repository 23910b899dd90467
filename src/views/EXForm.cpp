#include "views/EXForm.h"

#include "state/EditorState.h"
#include "widgets/QtControls.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace vallo {

TEXForm::TEXForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TCellPreviewForm(s, w, WindowItem::EX, QString::fromUtf8("拡張表示"), parent) {
    setObjectName("EXForm");
    QMenu* zoom = menu_->addMenu(QString::fromUtf8("倍率(&B)"));
    auto* zoomGroup = new QActionGroup(this);
    for (int z = 1; z <= 4; ++z) {
        const QString name = "x" + QString::number(z);
        zoomItems_[size_t(z - 1)] =
            AddChoiceItem(zoom, zoomGroup, name, name, [this, z] { xClick(z); });
    }
    QMenu* view = menu_->addMenu(QString::fromUtf8("表示(&M)"));
    auto* styleGroup = new QActionGroup(this);
    const char* const styles[][2] = {
        {"meMix", "通常・反転"}, {"meNormal", "通常のみ"}, {"meReverse", "反転のみ"}};
    for (int i = 0; i < 3; ++i)
        styleItems_[size_t(i)] = AddChoiceItem(view, styleGroup, Text(styles[i][1]), styles[i][0],
                                               [this, i] { ViewClick(i); });
    ReflectState();
    AddBox(128, 64); // the design size until the first layout after start-up
}

PreviewLayout TEXForm::Layout() const {
    return ExtendedLayout(s_);
}

void TEXForm::ReflectState() {
    ZoomItem(s_.EXZoom >= 1 && s_.EXZoom <= 4 ? s_.EXZoom : 1)->setChecked(true);
    StyleItem(s_.EXStyle >= 0 && s_.EXStyle <= 2 ? s_.EXStyle : 0)->setChecked(true);
}

void TEXForm::EXLayout() {
    if (s_.StartingUp)
        return;
    FitToLayout();
}

void TEXForm::xClick(int zoom) {
    s_.EXZoom = zoom;
    ZoomItem(zoom)->setChecked(true);
    EXLayout();
    RepaintBox();
}

void TEXForm::ViewClick(int style) {
    s_.EXStyle = style;
    StyleItem(style)->setChecked(true);
    EXLayout();
    RepaintBox();
}

} // namespace vallo
