#pragma once

// TODO(wiring): temporary stand-ins for the readers and writers that other parts of the
// program provide; removed once those are on the main line.

#include "image/AtomicFile.h"
#include "image/DIB.h"

#include <string>

namespace vallo {
struct EditorState;
}

namespace vallo::pending {

inline void RunIni(EditorState&) {}

inline void LoadBmp(const std::string&, TDIB&) {
    throw DibError("不正な DIB です");
}
inline void SaveBmp(const TDIB&, const std::string&) {
    throw FileError("BMP writer missing");
}

} // namespace vallo::pending
