#include "app/CommandLine.h"

#include <gtest/gtest.h>

using namespace vallo;

TEST(CommandLine, ParsesEveryForm) {
    struct Case {
        std::vector<std::string> args;
        CommandAction action;
        std::string file, input, output, palette;
        bool keep, json;
    };
    const Case cases[] = {
        {{}, CommandAction::Edit, "", "", "", "", false, false},
        {{"a.png"}, CommandAction::Edit, "a.png", "", "", "", false, false},
        {{"--", "--help"}, CommandAction::Edit, "--help", "", "", "", false, false},
        {{"--help"}, CommandAction::Help, "", "", "", "", false, false},
        {{"a.png", "-h"}, CommandAction::Help, "", "", "", "", false, false},
        {{"--version"}, CommandAction::Version, "", "", "", "", false, false},
        {{"convert", "in.gif", "out.PNG"},
         CommandAction::Convert,
         "",
         "in.gif",
         "out.PNG",
         "",
         false,
         false},
        {{"convert", "--keep-indices", "in.bmp", "--palette", "p.vp3", "o.bmp"},
         CommandAction::Convert,
         "",
         "in.bmp",
         "o.bmp",
         "p.vp3",
         true,
         false},
        {{"info", "--json", "x.png"}, CommandAction::Info, "x.png", "", "", "", false, true},
        {{"info", "x.png"}, CommandAction::Info, "x.png", "", "", "", false, false},
    };
    for (const Case& c : cases) {
        const CommandLine got = ParseCommandLine(c.args);
        SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args[0]);
        EXPECT_EQ(got.Action, c.action) << got.Error;
        EXPECT_EQ(got.File, c.file);
        EXPECT_EQ(got.Input, c.input);
        EXPECT_EQ(got.Output, c.output);
        EXPECT_EQ(got.PaletteFile, c.palette);
        EXPECT_EQ(got.KeepIndices, c.keep);
        EXPECT_EQ(got.Json, c.json);
    }
}

TEST(CommandLine, RefusesBadArguments) {
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"a.png", "b.png"},
        {""},
        {"convert"},
        {"convert", "in.png"},
        {"convert", "in.png", "out.jpg"},
        {"convert", "in.png", "out.png", "extra.png"},
        {"convert", "in.png", "out.png", "--palette"},
        {"convert", "in.png", "out.png", "--json"},
        {"info"},
        {"info", "a.png", "b.png"},
        {"info", "a.png", "--keep-indices"},
    };
    for (const auto& args : cases) {
        const CommandLine got = ParseCommandLine(args);
        EXPECT_EQ(got.Action, CommandAction::BadArguments) << args.size();
        EXPECT_FALSE(got.Error.empty());
    }
}
