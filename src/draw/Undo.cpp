#include "draw/Undo.h"

#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "draw/Layers.h"
#include "draw/PixelOps.h"
#include "draw/ImageLayout.h"

#include <algorithm>

namespace vallo {

namespace {

constexpr int kMinUndoCount = 2;
// Each slot costs about a kilobyte even when empty; a count beyond this is a bad setting.
constexpr int kMaxUndoCount = 10000;

std::vector<UndoEntry>& Entries(EditorState& s) {
    return s.Undo.UndoEntries;
}
int SlotCount(const EditorState& s) {
    return int(s.Undo.UndoEntries.size());
}

// Takes over another image's pixels (shared, no copy) while keeping the palette version
// moving forward, so that views comparing versions never miss the change.
void SharePixels(TDIB& target, const TDIB& source) {
    const uint64_t before = target.PaletteVersion();
    target.Assign(source);
    while (target.PaletteVersion() <= before)
        target.UpdatePalette();
}

// Copies the inclusive rectangle of MainImage into an entry image of that size. A rectangle
// covering the whole image shares the pixel store instead of copying it.
void Snapshot(const TDIB& image, const IntRect& r, TDIB& into) {
    if (r.Left == 0 && r.Top == 0 && r.Right == image.Width() - 1 &&
        r.Bottom == image.Height() - 1) {
        into.Assign(image);
        return;
    }
    into.SetSize(r.Right - r.Left + 1, r.Bottom - r.Top + 1, 8);
    CopyRect(r.Left, r.Top, r.Right, r.Bottom, image, into, 0, 0);
}

// The rectangle cut to the image, so that a bad caller never reads outside it. An empty
// result is kept as an empty rectangle (Right < Left) and saves no pixels.
IntRect ClipToImage(const TDIB& image, int left, int top, int right, int bottom) {
    IntRect r{std::max(left, 0), std::max(top, 0), std::min(right, image.Width() - 1),
              std::min(bottom, image.Height() - 1)};
    if (r.Left > r.Right || r.Top > r.Bottom)
        r = {0, 0, -1, -1};
    return r;
}

void SetRect(UndoEntry& e, const IntRect& r) {
    e.Left = r.Left;
    e.Top = r.Top;
    e.Right = r.Right;
    e.Bottom = r.Bottom;
}

// Saves the present state into entry `to`, shaped like entry `like` (the one about to be
// restored): the whole image for a whole-image step, else the same rectangle.
void SavePresent(EditorState& s, int to, int like) {
    UndoEntry& target = Entries(s)[size_t(to)];
    const UndoEntry& model = Entries(s)[size_t(like)];
    target.WholeImage = model.WholeImage;
    target.Palette = model.Palette;
    target.FileName = s.FileName;
    if (model.WholeImage) {
        SetRect(target, {0, 0, s.MainImage.Width() - 1, s.MainImage.Height() - 1});
        target.Image.Assign(s.MainImage);
    } else {
        const IntRect r =
            ClipToImage(s.MainImage, model.Left, model.Top, model.Right, model.Bottom);
        SetRect(target, r);
        Snapshot(s.MainImage, r, target.Image);
    }
    target.Image.ColorTable() = s.MainImage.ColorTable();
}

// Puts entry k back into the document and refreshes everything that depends on it.
void Restore(EditorState& s, int k) {
    const UndoEntry& e = Entries(s)[size_t(k)];
    ++s.EditCount; // the recovery copy follows undo and redo too
    if (e.WholeImage) {
        // A whole-image entry always holds the image it was taken from, at its full size.
        SharePixels(s.MainImage, e.Image);
        s.MainImage.ColorTable() = e.Image.ColorTable();
        ApplyImageSize(s);
        s.FileName = e.FileName;
        s.Hooks->SetTitle(DocumentTitle(s.FileName));
    } else if (e.Right >= e.Left && e.Bottom >= e.Top) {
        CopyRect(0, 0, e.Image.Width() - 1, e.Image.Height() - 1, e.Image, s.MainImage, e.Left,
                 e.Top);
    }
    s.MainImage.ColorTable() = e.Image.ColorTable();
    if (e.Palette) {
        PropagatePalette(s);
        s.Hooks->RedrawPaletteImage();
        s.Hooks->RepaintPalette();
    }
    LayChange(s);
    s.Hooks->RefreshUndoButtons();
    // The copy preview shows the copy buffer in the document's colours.
    if (s.CurrentTool == 7 || e.Palette)
        s.Hooks->RepaintCopyPreview();
    s.Undo.UndoCoalesced = false;
}

} // namespace

void InitUndo(EditorState& s, int count) {
    count = std::clamp(count, kMinUndoCount, kMaxUndoCount);
    s.UndoCount = count;
    s.Undo.UndoEntries.clear();
    s.Undo.UndoEntries.resize(size_t(count));
    s.Undo.UndoDepth = 0;
    s.Undo.RedoDepth = 0;
}

void PushUndo(EditorState& s, int left, int top, int right, int bottom, bool wholeImage,
              bool palette) {
    SetModified(s);
    UndoHistory& h = s.Undo;
    if (h.UndoCoalesce && h.UndoCoalesced)
        return;
    h.UndoCoalesced = h.UndoCoalesce;
    if (SlotCount(s) < kMinUndoCount)
        InitUndo(s, s.UndoCount);
    std::vector<UndoEntry>& entries = h.UndoEntries;
    const int slots = SlotCount(s);

    // A new step discards the redo data and the step that was last undone.
    if (h.RedoDepth > 0) {
        for (int i = 1; i <= h.UndoDepth - h.RedoDepth; ++i)
            entries[size_t(i)] = entries[size_t(i + h.RedoDepth)];
        h.UndoDepth -= h.RedoDepth;
    }
    h.RedoDepth = 0;
    // Shift the steps one slot back; when full the oldest falls off the end.
    for (int i = h.UndoDepth; i >= 1; --i)
        if (i + 1 <= slots - 1)
            entries[size_t(i + 1)] = entries[size_t(i)];

    UndoEntry& e = entries[1];
    const IntRect r = wholeImage ? IntRect{0, 0, s.MainImage.Width() - 1, s.MainImage.Height() - 1}
                                 : ClipToImage(s.MainImage, left, top, right, bottom);
    Snapshot(s.MainImage, r, e.Image);
    SetRect(e, r);
    e.WholeImage = wholeImage;
    e.Palette = palette;
    e.FileName = s.FileName;
    e.Image.ColorTable() = s.PaletteQuads;

    if (++h.UndoDepth == slots)
        --h.UndoDepth;
    s.Hooks->RefreshUndoButtons();
}

void Undo(EditorState& s) {
    UndoHistory& h = s.Undo;
    if (!(h.UndoDepth > 0 && h.RedoDepth < h.UndoDepth) || h.UndoDepth >= SlotCount(s))
        return;
    const int k = ++h.RedoDepth;
    SavePresent(s, k - 1, k);
    Restore(s, k);
}

void Redo(EditorState& s) {
    UndoHistory& h = s.Undo;
    if (!(h.UndoDepth > 0 && h.RedoDepth > 0) || h.UndoDepth >= SlotCount(s))
        return;
    const int from = --h.RedoDepth;
    SavePresent(s, from + 1, from);
    Restore(s, from);
}

bool CanUndo(const EditorState& s) {
    return s.Undo.UndoDepth != s.Undo.RedoDepth;
}
bool CanRedo(const EditorState& s) {
    return s.Undo.RedoDepth != 0;
}

std::string UndoCaption(const EditorState& s) {
    return "Undo " + std::to_string(s.Undo.UndoDepth - s.Undo.RedoDepth);
}

std::string RedoCaption(const EditorState& s) {
    return "Redo " + std::to_string(s.Undo.RedoDepth);
}

} // namespace vallo
