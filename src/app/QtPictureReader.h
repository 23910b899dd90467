#pragma once

#include "app/DocumentCommands.h"

#include <string>

namespace vallo {

// Reads a picture that is neither PNG nor BMP through Qt's image-format plug-ins, as red,
// green, blue, alpha rows. Needs a Qt application object (any kind) for the plug-ins. On
// failure returns false and sets error.
bool ReadPictureWithQt(const std::string& path, RgbaPicture& picture, std::string& error);

} // namespace vallo
