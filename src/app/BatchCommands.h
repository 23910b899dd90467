#pragma once

#include "app/CommandLine.h"
#include "app/DocumentCommands.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace vallo {

// Reads a picture that is neither PNG nor BMP (the platform's image readers). On failure
// returns false and sets the error.
using OtherPictureReader =
    std::function<bool(const std::string& path, RgbaPicture& picture, std::string& error)>;

// Runs what the command line asked for without a window: the usage, the version, a bad
// arguments report, "convert" or "info". Results go to out, messages to err. Returns the exit
// status: kExitOk, kExitRefused (input refused or unreadable; nothing is written) or
// kExitBadArguments.
int RunWindowlessCommand(const CommandLine& command, const OtherPictureReader& readOther,
                         std::ostream& out, std::ostream& err);

} // namespace vallo
