#include "app/CommandLine.h"

#include <gtest/gtest.h>

using namespace vallo;

namespace {

// The parsed command in one line: action, file, input, output, palette file, options.
std::string Parsed(const std::vector<std::string>& args) {
    const char* actions[] = {"edit", "help", "version", "convert", "info", "bad"};
    const CommandLine c = ParseCommandLine(args);
    return std::string(actions[int(c.Action)]) + "|" + c.File + "|" + c.Input + "|" + c.Output +
           "|" + c.PaletteFile + (c.KeepIndices ? "|keep" : "") + (c.Json ? "|json" : "");
}

} // namespace

TEST(CommandLine, ParsesEveryForm) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "edit||||"},
        {{"a.png"}, "edit|a.png|||"},
        {{"--", "--help"}, "edit|--help|||"},
        {{"--help"}, "help||||"},
        {{"a.png", "-h"}, "help||||"},
        {{"--version"}, "version||||"},
        {{"convert", "in.gif", "out.PNG"}, "convert||in.gif|out.PNG|"},
        {{"convert", "--keep-indices", "in.bmp", "--palette", "p.vp3", "o.bmp"},
         "convert||in.bmp|o.bmp|p.vp3|keep"},
        {{"info", "--json", "x.png"}, "info|x.png||||json"},
        {{"info", "x.png"}, "info|x.png|||"},
    };
    for (const auto& [args, want] : cases)
        EXPECT_EQ(Parsed(args), want);
    const char* argv[] = {"vallo", "a.png"}; // the program's name is not an argument
    EXPECT_EQ(ParseCommandLine(2, argv).File, "a.png");
}

TEST(CommandLine, RefusesBadArguments) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--bogus"},
                                               {"a.png", "b.png"},
                                               {""},
                                               {"convert", "in.png"},
                                               {"convert", "in.png", "out.jpg"},
                                               {"convert", "i.png", "o.png", "x.png"},
                                               {"convert", "in.png", "out.png", "--palette"},
                                               {"convert", "in.png", "out.png", "--bogus"},
                                               {"info", "a.png", "--keep-indices"}}) {
        const CommandLine got = ParseCommandLine(args);
        EXPECT_EQ(got.Action, CommandAction::BadArguments) << args.back();
        EXPECT_FALSE(got.Error.empty());
    }
}
