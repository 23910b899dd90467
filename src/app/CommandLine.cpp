#include "app/CommandLine.h"

#include <cctype>

#ifndef VALLO_VERSION
#define VALLO_VERSION "0.0"
#endif

namespace vallo {

namespace {

CommandLine Bad(std::string error) {
    CommandLine c;
    c.Action = CommandAction::BadArguments;
    c.Error = std::move(error);
    return c;
}

bool EndsWithNoCase(const std::string& text, const std::string& end) {
    if (text.size() < end.size())
        return false;
    for (size_t i = 0; i < end.size(); ++i)
        if (std::tolower((unsigned char)text[text.size() - end.size() + i]) != end[i])
            return false;
    return true;
}

bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

// Splits the arguments of a batch command into options (taken by the handler) and operands.
// Returns false with an error when an option is unknown or lacks its value.
template <typename OptionHandler>
bool SplitArguments(const std::vector<std::string>& args, size_t from,
                    std::vector<std::string>& operands, OptionHandler handle, std::string& error) {
    bool optionsEnded = false;
    for (size_t i = from; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !IsOption(arg)) {
            operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (!handle(args, i, error)) {
            if (error.empty())
                error = "unknown option " + arg;
            return false;
        }
    }
    return true;
}

CommandLine ParseConvert(const std::vector<std::string>& args) {
    CommandLine c;
    c.Action = CommandAction::Convert;
    std::vector<std::string> operands;
    std::string error;
    auto option = [&c](const std::vector<std::string>& a, size_t& i, std::string& err) {
        if (a[i] == "--keep-indices") {
            c.KeepIndices = true;
            return true;
        }
        if (a[i] == "--palette") {
            if (i + 1 >= a.size() || a[i + 1].empty()) {
                err = "--palette needs a palette file";
                return false;
            }
            c.PaletteFile = a[++i];
            return true;
        }
        return false;
    };
    if (!SplitArguments(args, 1, operands, option, error))
        return Bad(error);
    if (operands.size() != 2 || operands[0].empty() || operands[1].empty())
        return Bad("convert needs an input and an output file");
    c.Input = operands[0];
    c.Output = operands[1];
    if (!EndsWithNoCase(c.Output, ".png") && !EndsWithNoCase(c.Output, ".bmp"))
        return Bad("the output file must end in .png or .bmp");
    return c;
}

CommandLine ParseInfo(const std::vector<std::string>& args) {
    CommandLine c;
    c.Action = CommandAction::Info;
    std::vector<std::string> operands;
    std::string error;
    auto option = [&c](const std::vector<std::string>& a, size_t& i, std::string&) {
        if (a[i] != "--json")
            return false;
        c.Json = true;
        return true;
    };
    if (!SplitArguments(args, 1, operands, option, error))
        return Bad(error);
    if (operands.size() != 1 || operands[0].empty())
        return Bad("info needs one file");
    c.File = operands[0];
    return c;
}

CommandLine ParseEdit(const std::vector<std::string>& args) {
    CommandLine c;
    std::vector<std::string> operands;
    std::string error;
    auto option = [&c](const std::vector<std::string>& a, size_t& i, std::string&) {
        if (a[i] == "--help" || a[i] == "-h")
            c.Action = CommandAction::Help;
        else if (a[i] == "--version")
            c.Action = CommandAction::Version;
        else
            return false;
        return true;
    };
    if (!SplitArguments(args, 0, operands, option, error))
        return Bad(error);
    if (c.Action != CommandAction::Edit)
        return c;
    if (operands.size() > 1)
        return Bad("only one file can be opened");
    if (!operands.empty() && operands[0].empty())
        return Bad("empty file name");
    if (!operands.empty())
        c.File = operands[0];
    return c;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "convert")
        return ParseConvert(args);
    if (!args.empty() && args[0] == "info")
        return ParseInfo(args);
    return ParseEdit(args);
}

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return ParseCommandLine(args);
}

std::string UsageText() {
    return "Usage:\n"
           "  vallo [FILE]                 start the editor, opening FILE\n"
           "  vallo convert IN OUT [--palette FILE] [--keep-indices]\n"
           "                               write IN as an 8-bit PNG or BMP (by OUT's extension)\n"
           "  vallo info FILE [--json]     size, colours used, transparent index, forbidden marks\n"
           "  vallo --help | --version\n"
           "\n"
           "convert options:\n"
           "  --palette FILE    map the picture to this palette (.vp3, .gpl, .pal, .act, .hex)\n"
           "  --keep-indices    keep the pixel indices and only replace the colour table\n"
           "\n"
           "Exit status: 0 success, 1 refused or broken input, 2 bad arguments.\n";
}

std::string VersionText() {
    return std::string("vallo ") + VALLO_VERSION + "\n";
}

} // namespace vallo
