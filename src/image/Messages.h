#pragma once

#include <cstdio>
#include <string>

namespace vallo {

// Messages of the image type, quoted as the user sees them.
inline constexpr const char* kMsgInvalidBitCount = "不正なビット数です (%d)";
inline constexpr const char* kMsgScanLineRange = "スキャンラインのインデックスが範囲を越えました (%d)";
inline constexpr const char* kMsgInvalidDib = "不正な DIB です";
inline constexpr const char* kMsgCannotCreate = "%s を作成できません";
inline constexpr const char* kMsgInvalidPixelFormat = "不正なピクセルフォーマットです";
inline constexpr const char* kMsgInvalidStreamOp = "不正なストリームオペレーション";

inline std::string FormatMessage(const char* format, int value) {
    char buf[256];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

inline std::string FormatMessage(const char* format, const char* text) {
    char buf[512];
    std::snprintf(buf, sizeof buf, format, text);
    return buf;
}

} // namespace vallo
