#pragma once

#include <stdexcept>

namespace vallo {

// A PNG file that cannot be read; the message is shown to the user as it is.
class PngError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kMsgBrokenPng = "おそらくファイルが壊れています。";

} // namespace vallo
