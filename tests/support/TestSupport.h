#pragma once

#include "draw/ImageLayout.h"
#include "draw/Undo.h"
#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "state/ViewHooks.h"

#include <atomic>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

namespace vallo::test {

// A fresh folder under the system's temporary folder, removed again at the end of the test.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("vallo-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder with a trailing "/", as AppDir is kept.
    std::string Dir() const { return path_.string() + "/"; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Counts what the core asked of the windows.
class RecordingHooks : public ViewHooks {
public:
    std::map<std::string, int> Calls;
    std::string Title;

    void SetTitle(const std::string& title) override {
        Title = title;
        ++Calls["SetTitle"];
    }
    void SetRecentFileCaptions() override { ++Calls["SetRecentFileCaptions"]; }
    void RepaintOverview() override { ++Calls["RepaintOverview"]; }
    void RepaintLupe() override { ++Calls["RepaintLupe"]; }
    void RedrawPaletteImage() override { ++Calls["RedrawPaletteImage"]; }
    void RepaintPalette() override { ++Calls["RepaintPalette"]; }
    void PaletteResize() override { ++Calls["PaletteResize"]; }
    void RedrawExtendedView() override { ++Calls["RedrawExtendedView"]; }
    void RepaintTiledView() override { ++Calls["RepaintTiledView"]; }
    void ReleaseLayerButton() override { ++Calls["ReleaseLayerButton"]; }
    int Count(const std::string& name) const { return Calls.count(name) ? Calls.at(name) : 0; }
};

// A palette where entry i is (i, 255 - i, i * 3 mod 256), propagated.
inline void SetRampPalette(EditorState& s) {
    for (int i = 0; i < 256; ++i)
        s.MainImage.ColorTable()[size_t(i)] = {uint8_t(i * 3), uint8_t(255 - i), uint8_t(i), 0};
    PropagatePalette(s);
}

} // namespace vallo::test
