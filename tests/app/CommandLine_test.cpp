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
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--bogus"},
                                               {"a.png", "b.png"},
                                               {""},
                                               {"convert", "in.png"},
                                               {"convert", "in.png", "out.jpg"},
                                               {"convert", "i.png", "o.png", "x.png"},
                                               {"convert", "in.png", "out.png", "--palette"},
                                               {"info", "a.png", "--keep-indices"}}) {
        const CommandLine got = ParseCommandLine(args);
        EXPECT_EQ(got.Action, CommandAction::BadArguments) << args.back();
        EXPECT_FALSE(got.Error.empty());
    }
}
