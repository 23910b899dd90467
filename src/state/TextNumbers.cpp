#include "state/TextNumbers.h"

#include <charconv>
#include <cstdint>

namespace vallo {

int StrToIntDef(const std::string& text, int defaultValue) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    if (first == last)
        return defaultValue;
    int64_t value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || value < INT32_MIN || value > INT32_MAX)
        return defaultValue;
    return int(value);
}

} // namespace vallo
