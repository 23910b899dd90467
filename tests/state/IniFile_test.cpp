#include "image/AtomicFile.h"
#include "state/IniFile.h"
#include "support/TestSupport.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace vallo;

TEST(IniFile, WritesCrlfAndReadsBackJapaneseKeys) {
    vallo::test::TempDir dir;
    IniFile ini;
    ini.WriteInteger("Lupe", "拡大率", 12);
    ini.WriteBool("Lupe", "グリッド", false);
    ini.WriteString("File", "最近使ったファイル1", "/home/u/絵.png");
    ini.WriteInteger("Lupe", "拡大率", 6); // replaces in place
    ini.Save(dir.Dir() + "a.ini");
    const std::vector<uint8_t> bytes = ReadWholeFile(dir.Dir() + "a.ini");
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text, "[Lupe]\r\n拡大率=6\r\nグリッド=0\r\n\r\n[File]\r\n"
                    "最近使ったファイル1=/home/u/絵.png\r\n\r\n");
    const IniFile back = IniFile::Load(dir.Dir() + "a.ini");
    EXPECT_EQ(back.ReadInteger("Lupe", "拡大率", 0), 6);
    EXPECT_FALSE(back.ReadBool("Lupe", "グリッド", true));
    EXPECT_EQ(back.ReadString("File", "最近使ったファイル1", ""), "/home/u/絵.png");
    EXPECT_EQ(back.ReadString("File", "missing", "def"), "def");
    EXPECT_EQ(back.ReadInteger("lupe", "拡大率", 99), 99); // names are exact
}

TEST(IniFile, ToleratesHandEditedText) {
    const IniFile ini = IniFile::Parse("\xEF\xBB\xBF"
                                       "orphan=1\n"
                                       "[A]\n"
                                       "  n = 42 \n"
                                       "neg=-7\r\n"
                                       "plus=+7\n"
                                       "hex=0x10\n"
                                       "big=99999999999\n"
                                       "text=abc\n"
                                       "b=5\n"
                                       "; comment\n"
                                       "=nokey\n"
                                       "[broken\n"
                                       "[A]\n"
                                       "late=1");
    EXPECT_EQ(ini.ReadInteger("A", "n", 0), 42);
    EXPECT_EQ(ini.ReadInteger("A", "neg", 0), -7);
    EXPECT_EQ(ini.ReadInteger("A", "plus", 0), 7);
    EXPECT_EQ(ini.ReadInteger("A", "hex", 3), 3);
    EXPECT_EQ(ini.ReadInteger("A", "big", 3), 3);
    EXPECT_EQ(ini.ReadInteger("A", "text", 3), 3);
    EXPECT_TRUE(ini.ReadBool("A", "b", false));
    EXPECT_TRUE(ini.ReadBool("A", "text", true));
    EXPECT_EQ(ini.ReadInteger("A", "late", 0), 1);
    EXPECT_FALSE(ini.Find("", "orphan"));
}

TEST(IniFile, LongLinesAndHugeFilesAreBounded) {
    std::string text = "[A]\nx=" + std::string(IniFile::MaxLineBytes + 10, '7') + "\ny=1\n";
    IniFile ini = IniFile::Parse(text);
    EXPECT_FALSE(ini.Find("A", "x"));
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 1);
    vallo::test::TempDir dir;
    {
        std::ofstream f(dir.Dir() + "big.ini", std::ios::binary);
        f << "[A]\r\nfirst=1\r\n";
        const std::string filler(1000, 'z');
        for (int i = 0; i < 3000; ++i)
            f << filler << "\r\n";
        f << "[A]\r\nlast=1\r\n";
    }
    ini = IniFile::Load(dir.Dir() + "big.ini");
    EXPECT_EQ(ini.ReadInteger("A", "first", 0), 1);
    EXPECT_FALSE(ini.Find("A", "last")); // beyond the size limit
    // Values never spill into the next line.
    IniFile w;
    w.WriteString("A", "k", "one\r\n[B]\r\nx=1");
    EXPECT_FALSE(IniFile::Parse(w.Text()).Find("B", "x"));
}

TEST(IniFile, AFullSizeFileOfShortKeysReadsEveryKey) {
    // The reproducer of a hand-edited file with 95,000 keys; reading it scanned every key read
    // before for each new one (see bench/ini_bench.cpp for the time).
    std::string text = "[Big]\r\n";
    int keys = 0;
    while (text.size() < IniFile::MaxFileBytes - 16)
        text += "k" + std::to_string(keys++) + "=1\r\n";
    text += "k7=again\r\n[Other]\r\nk7=x\r\n";
    const IniFile ini = IniFile::Parse(text);
    EXPECT_GT(keys, 95000);
    EXPECT_EQ(ini.ReadInteger("Big", "k" + std::to_string(keys - 1), 0), 1);
    EXPECT_EQ(ini.ReadString("Big", "k7", ""), "again");
    EXPECT_EQ(ini.ReadString("Other", "k7", ""), "x");
    EXPECT_NE(ini.Text().find("[Big]\r\nk0=1\r\nk1=1\r\n"), std::string::npos); // order kept
}
