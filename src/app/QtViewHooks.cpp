#include "app/QtViewHooks.h"

#include "app/MainForm.h"
#include "draw/CToolForm.h"
#include "draw/LayForm.h"
#include "draw/ToolForm.h"
#include "palette/PaleForm.h"
#include "palette/PaletteGrid.h"
#include "state/EditorState.h"
#include "views/AllForm.h"
#include "views/AniForm.h"
#include "views/EXForm.h"
#include "views/LupeForm.h"
#include "views/NarabeForm.h"

#include <QString>

namespace vallo {

// ---- Main window.

void QtViewHooks::SetTitle(const std::string& title) {
    if (w_.MainForm)
        w_.MainForm->setWindowTitle(QString::fromStdString(title));
}

void QtViewHooks::SetRecentFileCaptions() {
    if (w_.MainForm)
        w_.MainForm->SetRecentFileCaptions();
}

void QtViewHooks::ApplyWindowPlaces() {
    if (w_.MainForm)
        w_.MainForm->ApplyWindowPlaces();
}

void QtViewHooks::ShowStartupWindows() {
    if (w_.MainForm)
        w_.MainForm->ShowStartupWindows();
}

void QtViewHooks::ReflectSettings() {
    if (w_.CToolForm)
        w_.CToolForm->ReflectOptions();
    if (w_.LupeForm) {
        w_.LupeForm->SetZoomItems();
        w_.LupeForm->PressGridButton(s_.ShowGrid);
    }
    if (w_.ToolForm) {
        w_.ToolForm->SetSizeItems();
        w_.ToolForm->ReflectState();
    }
    if (w_.EXForm)
        w_.EXForm->ReflectState();
    if (w_.NarabeForm)
        w_.NarabeForm->ReflectState();
    if (w_.AniForm)
        w_.AniForm->ReflectState();
}

// ---- Magnifier.

void QtViewHooks::SetLupeSize(int width, int height) {
    if (w_.LupeForm)
        w_.LupeForm->SetLupeSize(width, height);
}

void QtViewHooks::LupeResize() {
    if (w_.LupeForm)
        w_.LupeForm->LupeResize();
}

void QtViewHooks::ScrollLupeToOrigin() {
    if (w_.LupeForm)
        w_.LupeForm->ScrollToOrigin();
}

void QtViewHooks::RepaintLupe() {
    if (w_.LupeForm)
        w_.LupeForm->Repaint();
}

void QtViewHooks::InvalidateLupeRect(int left, int top, int right, int bottom) {
    if (w_.LupeForm)
        w_.LupeForm->InvalidateLupeRect(left, top, right, bottom);
}

void QtViewHooks::UpdateLupeNow() {
    if (w_.LupeForm)
        w_.LupeForm->UpdateNow();
}

void QtViewHooks::RefreshUndoButtons() {
    if (w_.LupeForm)
        w_.LupeForm->RefreshUndoButtons();
    if (w_.ToolForm)
        w_.ToolForm->RefreshUndoButtons();
}

void QtViewHooks::SetLupeCaption(const std::string& caption) {
    if (w_.LupeForm)
        w_.LupeForm->SetCaption(caption);
}

void QtViewHooks::HideCursor() {
    if (w_.LupeForm)
        w_.LupeForm->HideCursor();
}

void QtViewHooks::ShowCursor() {
    if (w_.LupeForm)
        w_.LupeForm->ShowCursor();
}

// ---- Overview.

void QtViewHooks::OverviewApplyZoom() {
    if (w_.AllForm)
        w_.AllForm->ApplyZoom();
}

void QtViewHooks::RepaintOverview() {
    if (w_.AllForm)
        w_.AllForm->Repaint();
}

void QtViewHooks::InvalidateOverviewRect(int left, int top, int right, int bottom) {
    if (w_.AllForm)
        w_.AllForm->InvalidateImageRect(left, top, right, bottom);
}

void QtViewHooks::UpdateOverviewNow() {
    if (w_.AllForm)
        w_.AllForm->UpdateNow();
}

// ---- Tool window, copy tool, layer window, palette window.

void QtViewHooks::SetSizeBoxText(const std::string& text) {
    if (w_.ToolForm)
        w_.ToolForm->SetSizeBoxText(text);
}

void QtViewHooks::ReflectToolButtons() {
    if (w_.ToolForm)
        w_.ToolForm->ReflectState();
}

void QtViewHooks::ShowCopyTool(bool visible) {
    if (!w_.CToolForm)
        return;
    if (visible && w_.MainForm)
        w_.MainForm->ShowFloatingWindow(w_.CToolForm);
    else
        w_.CToolForm->setVisible(visible);
}

void QtViewHooks::SizeCopyPreview(int width, int height) {
    if (w_.CToolForm)
        w_.CToolForm->SizePreview(width, height);
}

void QtViewHooks::RepaintCopyPreview() {
    if (w_.CToolForm)
        w_.CToolForm->RepaintPreview();
}

void QtViewHooks::ReleaseLayerButton() {
    if (w_.LayForm)
        w_.LayForm->ReleaseLayerButton();
    s_.LayerActive = false;
}

void QtViewHooks::RedrawPaletteImage() {
    vallo::RedrawPaletteImage(s_);
    if (w_.PaleForm)
        w_.PaleForm->Repaint();
}

void QtViewHooks::RepaintPalette() {
    if (w_.PaleForm)
        w_.PaleForm->Repaint();
}

void QtViewHooks::PaletteResize() {
    ResizePaletteImage(s_);
    if (w_.PaleForm)
        w_.PaleForm->SizeToGrid();
}

// ---- Extended and tiled views.

void QtViewHooks::RedrawExtendedView() {
    if (!w_.EXForm)
        return;
    w_.EXForm->EXLayout();
    w_.EXForm->RepaintBox();
}

void QtViewHooks::InvalidateExtendedRect(int left, int top, int right, int bottom) {
    if (w_.EXForm)
        w_.EXForm->InvalidateCells(left, top, right, bottom);
}

// The magnifier follows the window menu's tick, as the window's own item says.
bool QtViewHooks::ExtendedViewShown() {
    if (!w_.EXForm)
        return false;
    return w_.MainForm ? w_.MainForm->WindowItemChecked(WindowItem::EX) : w_.EXForm->isVisible();
}

void QtViewHooks::UpdateExtendedNow() {
    if (w_.EXForm)
        w_.EXForm->UpdateNow();
}

void QtViewHooks::TiledViewResize() {
    if (w_.NarabeForm)
        w_.NarabeForm->FormResize();
}

void QtViewHooks::RepaintTiledView() {
    if (w_.NarabeForm)
        w_.NarabeForm->RepaintBox();
}

void QtViewHooks::InvalidateTiledRect(int left, int top, int right, int bottom) {
    if (w_.NarabeForm)
        w_.NarabeForm->InvalidateCells(left, top, right, bottom);
}

bool QtViewHooks::TiledViewShown() {
    return w_.NarabeForm && w_.NarabeForm->isVisible();
}

void QtViewHooks::UpdateTiledNow() {
    if (w_.NarabeForm)
        w_.NarabeForm->UpdateNow();
}

} // namespace vallo
