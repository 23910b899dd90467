#pragma once

#include "app/QtWindows.h"
#include "app/ViewHooks.h"

namespace vallo {

struct EditorState;

// The core's requests to the windows, answered through the window table. Windows that are not
// made yet are skipped.
class QtViewHooks : public ViewHooks {
public:
    QtViewHooks(EditorState& s, AppWindows& w) : s_(s), w_(w) {}

    void SetTitle(const std::string& title) override;
    void SetRecentFileCaptions() override;
    void ApplyWindowPlaces() override;
    void ShowStartupWindows() override;
    void ReflectSettings() override;
    void ShowCopyTool(bool visible) override;
    void ReleaseLayerButton() override;

private:
    EditorState& s_;
    AppWindows& w_;
};

} // namespace vallo
