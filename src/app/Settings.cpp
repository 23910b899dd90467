#include "app/Settings.h"

#include "draw/LupeRender.h"
#include "draw/Undo.h"
#include "state/EditorState.h"

#include <algorithm>

namespace vallo {

SettingsChoice SettingsOf(const EditorState& s) {
    SettingsChoice c;
    c.LupeOverhang = s.LupeOverhang;
    c.CursorWhileDrawing = s.CursorWhileDrawing;
    c.LiveUpdate = s.LiveUpdate;
    c.CursorStyle = s.CursorStyle;
    c.RichDisplay = s.RichDisplay;
    c.LayerDisplayMode = s.LayerDisplayMode;
    c.UndoSteps = std::clamp(s.UndoCount - 1, kMinUndoSteps, kMaxUndoSteps);
    c.SizeItems = s.SizeItems;
    c.BaiItems = s.BaiItems;
    return c;
}

void ApplySettings(EditorState& s, const SettingsChoice& c) {
    const int count = std::clamp(c.UndoSteps, kMinUndoSteps, kMaxUndoSteps) + 1;
    if (s.UndoCount != count) {
        // Every step is lost; the document stays as it is.
        InitUndo(s, count);
        s.Hooks->RefreshUndoButtons();
    }
    s.SizeItems = c.SizeItems;
    s.BaiItems = c.BaiItems;
    s.LupeOverhang = c.LupeOverhang;
    s.CursorWhileDrawing = c.CursorWhileDrawing;
    s.LiveUpdate = c.LiveUpdate;
    s.CursorStyle = c.CursorStyle;
    s.RichDisplay = c.RichDisplay;
    s.LayerDisplayMode = c.LayerDisplayMode;
    s.Hooks->ReflectSettings();
    RenderLupe(s);
    s.Hooks->RepaintLupe();
}

std::vector<std::string> CellSideChoices() {
    std::vector<std::string> items;
    for (int side = 16; side <= 128; side += 8)
        items.push_back(std::to_string(side));
    return items;
}

std::vector<std::string> ZoomChoices() {
    std::vector<std::string> items;
    for (int zoom = 100; zoom <= 2000; zoom += 100)
        items.push_back(std::to_string(zoom) + "%");
    return items;
}

bool AddSizeItem(std::vector<std::string>& items, const std::string& width,
                 const std::string& height) {
    if (width.empty() || height.empty())
        return false;
    items.push_back(width + "x" + height);
    return true;
}

bool AddZoomItem(std::vector<std::string>& items, const std::string& zoom) {
    if (zoom.empty())
        return false;
    items.push_back(zoom);
    return true;
}

bool DeleteListItem(std::vector<std::string>& items, int index) {
    if (index < 0 || size_t(index) >= items.size())
        return false;
    items.erase(items.begin() + index);
    return true;
}

} // namespace vallo
