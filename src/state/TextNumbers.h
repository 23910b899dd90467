#pragma once

#include <string>

namespace vallo {

// Decimal integer conversion as the edit boxes use it: optional sign, digits only, no blanks;
// anything else (or a value outside the 32-bit range) gives the default.
int StrToIntDef(const std::string& text, int defaultValue);
// The same conversion reporting failure instead of a default; value is untouched on failure.
bool TryStrToInt(const std::string& text, int& value);

} // namespace vallo
