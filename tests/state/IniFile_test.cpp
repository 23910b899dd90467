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
    ini.WriteInteger("Lupe", "拡大率", 6);          // replaces in place
    ini.WriteString("A", "k", "one\r\n[B]\r\nx=1"); // values never spill into the next line
    ini.Save(dir / "a.ini");
    const std::vector<uint8_t> bytes = ReadWholeFile(dir / "a.ini");
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.substr(0, text.find("[A]")), "[Lupe]\r\n拡大率=6\r\nグリッド=0\r\n\r\n[File]\r\n"
                                                "最近使ったファイル1=/home/u/絵.png\r\n\r\n");
    const IniFile back = IniFile::Load(dir / "a.ini");
    EXPECT_EQ(back.ReadInteger("Lupe", "拡大率", 0), 6);
    EXPECT_FALSE(back.ReadBool("Lupe", "グリッド", true));
    EXPECT_EQ(back.ReadString("File", "最近使ったファイル1", ""), "/home/u/絵.png");
    EXPECT_EQ(back.ReadString("File", "missing", "def"), "def");
    EXPECT_EQ(back.ReadInteger("lupe", "拡大率", 99), 99); // names are exact
    EXPECT_FALSE(back.Find("B", "x"));
}

TEST(IniFile, ToleratesHandEditedText) {
    const IniFile ini = IniFile::Parse("\xEF\xBB\xBF"
                                       "orphan=1\n[A]\n  n = 42 \nneg=-7\r\nplus=+7\nhex=0x10\n"
                                       "big=99999999999\ntext=abc\nb=5\n; comment\n=nokey\n"
                                       "[broken\n[A]\nlate=1\nn=43\n[B]\nlate=2\nx=" +
                                       std::string(IniFile::MaxLineBytes + 10, '7') + "\ny=1");
    // Numbers with blanks and signs; hex, too large or text give the default. A later
    // section of the same name goes on the first, a later key replaces the earlier one.
    std::vector<int> got;
    for (const char* key : {"n", "neg", "plus", "hex", "big", "text", "late"})
        got.push_back(ini.ReadInteger("A", key, 3));
    EXPECT_EQ(got, (std::vector<int>{43, -7, 7, 3, 3, 3, 1}));
    EXPECT_TRUE(ini.ReadBool("A", "b", false));
    EXPECT_TRUE(ini.ReadBool("A", "text", true));
    EXPECT_FALSE(ini.Find("", "orphan"));
    EXPECT_EQ(ini.ReadInteger("B", "late", 0), 2);
    EXPECT_FALSE(ini.Find("B", "x")); // a line too long is left out
    EXPECT_EQ(ini.ReadInteger("B", "y", 0), 1);
    EXPECT_NE(ini.Text().find("[A]\r\nn=43\r\nneg=-7\r\n"), std::string::npos); // order kept
}

TEST(IniFile, HugeFilesAreReadUpToTheLimit) {
    vallo::test::TempDir dir;
    {
        std::ofstream f(dir / "big.ini", std::ios::binary);
        f << "[A]\r\nfirst=1\r\n";
        const std::string filler(1000, 'z');
        for (int i = 0; i < 3000; ++i)
            f << filler << "\r\n";
        f << "[A]\r\nlast=1\r\n";
    }
    const IniFile ini = IniFile::Load(dir / "big.ini");
    EXPECT_EQ(ini.ReadInteger("A", "first", 0), 1);
    EXPECT_FALSE(ini.Find("A", "last")); // beyond the size limit
}
