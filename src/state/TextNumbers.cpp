#include "state/TextNumbers.h"

#include <charconv>
#include <cstdint>

namespace vallo {

int StrToIntDef(const std::string& text, int defaultValue) {
    int value = defaultValue;
    TryStrToInt(text, value);
    return value;
}

bool TryStrToInt(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    if (first == last)
        return false;
    int64_t parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (error != std::errc() || end != last || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = int(parsed);
    return true;
}

} // namespace vallo
