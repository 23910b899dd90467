#include "views/AnimationGif.h"

#include "views/AniPlayback.h"
#include "views/PreviewRender.h"

#include <algorithm>
#include <cstring>

namespace vallo {

int AniGifDelay(int fps) {
    const int f = std::clamp(fps, 1, 60);
    return (100 + f / 2) / f;
}

GifAnimation BuildAnimationGif(const EditorState& s, uint8_t direction) {
    const PreviewLayout layout = AnimationLayout(s.CharWidth, s.CharHeight, s.AnimeBai + 1);
    GifAnimation gif;
    gif.Width = layout.Width();
    gif.Height = layout.Height();
    gif.Palette = s.MainImage.ColorTable();
    gif.TransparentIndex = s.TransColor;
    gif.DelayCs = AniGifDelay(s.AnimeFPS);
    if (gif.Width <= 0 || gif.Height <= 0)
        return gif;
    const IntRect whole{0, 0, gif.Width, gif.Height};
    for (int frame : AniCycle(s.AnimeFrames, s.AnimeMode)) {
        const IntRect rect = AniFrameRect(s, s.AnimeChrMode, direction, frame);
        const CellSource source{&s.MainImage, rect.Left, rect.Top, s.TransColor};
        IntRect area;
        const TDIB pixels = RenderPreviewArea(source, layout, whole, gif.Palette, area);
        std::vector<uint8_t> out(size_t(gif.Width) * size_t(gif.Height));
        for (int y = 0; y < gif.Height; ++y)
            std::memcpy(out.data() + size_t(y) * size_t(gif.Width), pixels.ScanLine(y),
                        size_t(gif.Width));
        gif.Frames.push_back(std::move(out));
    }
    return gif;
}

void SaveAnimationGif(const EditorState& s, uint8_t direction, const std::string& path) {
    SaveGifAnimation(path, BuildAnimationGif(s, direction));
}

} // namespace vallo
