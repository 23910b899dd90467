#pragma once

#include <string>
#include <vector>

namespace vallo {

// What the program was asked to do by its arguments.
enum class CommandAction {
    Edit,         // the editor, optionally opening File
    Help,         // print the usage and exit
    Version,      // print the version and exit
    Convert,      // vallo convert IN OUT [--palette FILE] [--keep-indices]
    Info,         // vallo info FILE [--json]
    BadArguments, // print Error and the usage, exit with status 2
};

struct CommandLine {
    CommandAction Action = CommandAction::Edit;
    std::string File;        // Edit: the file to open; Info: the file to describe
    std::string Input;       // Convert
    std::string Output;      // Convert
    std::string PaletteFile; // Convert --palette
    bool KeepIndices = false;
    bool Json = false;
    std::string Error; // BadArguments: what was wrong
};

// Exit statuses of the commands without a window.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitBadArguments = 2;

// Parses the arguments after the program name. An unknown option is an error; "--" ends the
// options so that a file named "--help" can still be opened.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
CommandLine ParseCommandLine(int argc, const char* const* argv);

std::string UsageText();
std::string VersionText();

} // namespace vallo
