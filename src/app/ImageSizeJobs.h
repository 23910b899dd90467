#pragma once

#include <string>
#include <vector>

namespace vallo {

struct EditorState;

inline constexpr const char* kMsgSizeTooSmall = "横、もしくは縦のサイズが小さすぎます";
inline constexpr const char* kMsgSizeTooLarge = "横、もしくは縦のサイズが大きすぎます";

// The allowed range as the New dialog shows it: "8～30000".
std::string ImageSizeRangeText();

// The number in a size box. False with the conversion message "'text' は整数ではありません"
// when the text is not a 32-bit decimal integer (blanks around it are allowed).
bool ParseSizeText(const std::string& text, int& value, std::string& error);

// The error boxes a size gives, in the order they are shown: too small, then too large. The
// comparisons are unsigned, so a negative side counts as too large.
std::vector<std::string> ImageSizeProblems(int width, int height);

// The size change: one undo step over the whole image (pixels, size and file name, not the
// palette), then a width x height image filled with the transparent colour and the old
// picture copied to its top-left corner. Allocates the new image before anything changes, so
// a failure leaves the document as it was; the old pixels are shared with the undo step, not
// copied.
void ChangeImageSize(EditorState& s, int width, int height);

// The palette index the transparent fill writes: the lowest entry of the colour of TransColor.
int TransparentFillIndex(const EditorState& s);

} // namespace vallo
