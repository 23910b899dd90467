#include "app/DocumentTestSupport.h"
#include "formats/PngCodec.h"
#include "formats/PngTestFiles.h"
#include "image/AtomicFile.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testsupport;
using Strings = std::vector<std::string>;

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string FileStart(const std::string& path, size_t n) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.begin() + std::min(n, bytes.size()));
}

class DocumentCommandsTest : public ::testing::Test {
protected:
    DocumentCommandsTest() {
        s.Hooks = &hooks;
        s.AppDir = dir.Dir();
        MakePatternDocument(s);
    }
    TempDir dir;
    RecordingHooks hooks;
    RecordingUi ui;
    EditorState s;
};

} // namespace

TEST(SaveAsTargetPath, AppendsTheFilterExtensionOnlyWhenNeitherIsPresent) {
    EXPECT_EQ(SaveAsTargetPath("/d/a", kSaveFilterPng), "/d/a.png");
    EXPECT_EQ(SaveAsTargetPath("/d/a", kSaveFilterBmp), "/d/a.bmp");
    EXPECT_EQ(SaveAsTargetPath("/d/a.PNG", kSaveFilterBmp), "/d/a.PNG");
    EXPECT_EQ(SaveAsTargetPath("/d/a.Bmp", kSaveFilterPng), "/d/a.Bmp");
    EXPECT_EQ(SaveAsTargetPath("/d/a.gif", kSaveFilterBmp), "/d/a.gif.bmp");
    EXPECT_EQ(SaveAsTargetPath("/d.png/a", kSaveFilterPng), "/d.png/a.png");
}

TEST_F(DocumentCommandsTest, StoppedCommandsKeepTheDocument) {
    WriteBytes(dir / "other.png", "not a picture");
    WriteBytes(dir / "a.png", "keep me");
    const Document before = Take(s);
    ui.OpenChoice = dir / "other.png";
    EXPECT_FALSE(OpenClick(s, ui)); // Cancel on the unsaved-work question
    ui.Answers = {SaveAnswer::Yes}; // Yes, whose save dialog is cancelled
    EXPECT_FALSE(ConfirmDiscardOrSave(s, ui));
    ui.Answers = {SaveAnswer::Yes};
    EXPECT_FALSE(FormCloseQuery(s, ui));
    ui.SaveChoiceValue = SaveChoice{dir / "a", kSaveFilterPng};
    ui.OverwriteAnswer = false;
    EXPECT_FALSE(SaveAsClick(s, ui));
    ui.SaveChoiceValue = SaveChoice{dir / "missing-folder/a", kSaveFilterPng};
    EXPECT_FALSE(SaveAsClick(s, ui)); // the save fails
    EXPECT_EQ(ui.Asked, (Strings{"open", "save", "save", "savedialog", "save", "savedialog",
                                 "savedialog", "overwrite:" + (dir / "a.png"), "savedialog"}));
    EXPECT_EQ(ui.Errors.size(), 1u);
    EXPECT_EQ(FileStart(dir / "a.png", 100), "keep me");
    EXPECT_EQ(Take(s), before);

    ui.Answers = {SaveAnswer::No};
    EXPECT_TRUE(FormCloseQuery(s, ui));
    s.Modified = false;
    ui.Asked.clear();
    EXPECT_TRUE(FormCloseQuery(s, ui) && ui.Asked.empty());
}

TEST_F(DocumentCommandsTest, ANameThatIsNeitherBmpNorPngIsSavedThroughSaveAs) {
    WriteBytes(dir / "from.gif", "GIF89a");
    s.FileName = dir / "from.gif";
    ui.SaveChoiceValue = SaveChoice{dir / "from", kSaveFilterBmp};
    ASSERT_TRUE(SaveClick(s, ui));
    EXPECT_EQ(ui.Asked, (Strings{"savedialog"}));
    EXPECT_EQ(s.FileName, dir / "from.bmp");
    EXPECT_EQ(FileStart(dir / "from.gif", 6), "GIF89a");
    EXPECT_EQ(FileStart(dir / "from.bmp", 2), "BM");
}

// Save As, Open and Save again give the document and the file back exactly; the extension in any
// letter case, not the filter, chooses the format.
TEST_F(DocumentCommandsTest, PngAndBmpRoundTripThroughSaveAsOpenAndSave) {
    const Document original = Take(s);
    for (const auto& [name, filter] :
         {std::pair{"round.PNG", kSaveFilterBmp}, std::pair{"round.Bmp", kSaveFilterPng}}) {
        const bool png = filter == kSaveFilterBmp;
        MakePatternDocument(s);
        ui.Asked.clear();
        ui.SaveChoiceValue = SaveChoice{dir / name, filter};
        ASSERT_TRUE(SaveAsClick(s, ui)) << ::testing::PrintToString(ui.Errors);
        EXPECT_EQ(s.FileName, dir / name);
        EXPECT_FALSE(s.Modified);
        EXPECT_EQ(FileStart(dir / name, 2), png ? "\x89P" : "BM");
        const std::vector<uint8_t> saved = ReadWholeFile(dir / name);

        // Replace the document, then open the saved file again.
        s.MainImage.SetSize(64, 64, 8);
        s.ForbiddenFlags.fill(0);
        s.TransColor = 0;
        s.LayerActive = true;
        s.CopyRangeState = 2;
        ui.OpenChoice = dir / name;
        ASSERT_TRUE(OpenClick(s, ui)) << ::testing::PrintToString(ui.Errors);
        EXPECT_EQ(ui.Asked, (Strings{"savedialog", "open"}));
        Document expected = original;
        expected.FileName = dir / name;
        expected.Modified = false;
        if (!png) {
            expected.Forbidden.fill(0); // a BMP carries no marks
            expected.Trans = 0;
        }
        EXPECT_EQ(Take(s), expected);
        EXPECT_FALSE(s.LayerActive);
        EXPECT_EQ(s.CopyRangeState, 0);
        EXPECT_EQ(s.RecentFiles[1], dir / name);
        EXPECT_EQ(hooks.Title, std::string("Vallo [") + name + "]");

        s.Modified = true;
        hooks.Title.clear();
        ASSERT_TRUE(SaveClick(s, ui));
        EXPECT_FALSE(s.Modified);
        EXPECT_EQ(ReadWholeFile(dir / name), saved);
        EXPECT_EQ(hooks.Title, std::string("Vallo [") + name + "]");
    }
}

TEST_F(DocumentCommandsTest, RecentFileCancelOrFailedReadLeavesMarksAlone) {
    ui.SaveChoiceValue = SaveChoice{dir / "marked", kSaveFilterPng};
    ASSERT_TRUE(SaveAsClick(s, ui));
    // A different document is being edited when the recent file is chosen.
    s.ForbiddenFlags.fill(0);
    s.TransColor = 1;
    s.MainImage.SetPixel(0, 0, 77);
    s.Modified = true;
    WriteBytes(dir / "bad.png", "garbage");
    s.RecentFiles[3] = dir / "marked.png";
    s.RecentFiles[4] = dir / "bad.png";
    s.RecentFiles[5] = dir / "gone.png";
    const Document before = Take(s);
    ui.Asked.clear();
    for (int n : {0, 3, 4, 5, 10}) // out of range, Cancel, unreadable, vanished, out of range
        EXPECT_FALSE(FClick(s, ui, n)) << n;
    EXPECT_EQ(ui.Asked, Strings{"save"});
    EXPECT_EQ(ui.Errors.size(), 2u);
    EXPECT_EQ(Take(s), before);

    // Answering No takes the picture with the marks from the file.
    ui.Answers = {SaveAnswer::No};
    ASSERT_TRUE(FClick(s, ui, 3));
    EXPECT_EQ(s.ForbiddenFlags[3], kForbidden);
    EXPECT_EQ(s.TransColor, 9);
    EXPECT_EQ(s.RecentFiles[1], dir / "marked.png");
}

TEST_F(DocumentCommandsTest, OtherFormatsComeReducedOrWithTheirIndicesAndMoveToTheTop) {
    ui.OtherReadable = true;
    ui.Other.Width = ui.Other.Height = 16;
    ui.Other.Stride = 72; // rows padded past their 64 bytes
    ui.Other.Pixels.assign(16 * 72, 0);
    for (size_t i = 0; i < ui.Other.Pixels.size(); i += 4)
        ui.Other.Pixels[i] = uint8_t(i), ui.Other.Pixels[i + 3] = 255;
    for (int i = 1; i <= 9; ++i)
        s.RecentFiles[size_t(i)] = dir / ("p" + std::to_string(i) + ".tif");
    WriteBytes(dir / "p5.tif", "II*");
    s.Modified = false;
    ASSERT_TRUE(FClick(s, ui, 5)) << ::testing::PrintToString(ui.Errors);
    const Strings expected{dir / "p5.tif", dir / "p1.tif", dir / "p2.tif",
                           dir / "p3.tif", dir / "p4.tif", dir / "p6.tif"};
    EXPECT_EQ(Strings(s.RecentFiles.begin() + 1, s.RecentFiles.begin() + 7), expected);
    EXPECT_EQ(s.MainImage.Width(), 16);
    EXPECT_EQ(s.ForbiddenFlags[3], 0); // other formats carry no marks
    EXPECT_EQ(s.FileName, dir / "p5.tif");
    Undo(s); // the open is one whole-image step
    EXPECT_EQ((std::array{s.MainImage.Width(), s.MainImage.Height()}), (std::array{40, 24}));

    // An indexed picture from the platform's readers (a palette TIFF, say) keeps its indices.
    ui.Other = RgbaPicture{8, 8, 9, std::vector<uint8_t>(72, 2), {0x112233, 0x445566, 0x778899}};
    s.Modified = false;
    ASSERT_TRUE(FClick(s, ui, 1));
    EXPECT_EQ(s.MainImage.Pixel(7, 7), 2u);
    EXPECT_EQ(s.MainImage.ColorTable()[2], (RGBQuad{0x99, 0x88, 0x77, 0}));
}

TEST_F(DocumentCommandsTest, UnusablePicturesAreRefusedAndChangeNothing) {
    const auto CutPng = [this] {
        std::vector<uint8_t> png = EncodePNG(s.MainImage, s.ForbiddenFlags, s.TransColor);
        return std::string(png.begin(), png.end() - 30);
    };
    const auto rgba = [](int w, int h, size_t bytes) {
        return RgbaPicture{w, h, w * 4, std::vector<uint8_t>(bytes, 255), {}};
    };
    const struct {
        const char* Name;
        std::string Bytes;
        RgbaPicture Other;
        std::string Error;
    } cases[] = {
        {"tiny.tif", "II*", rgba(7, 20, 28 * 20), "画像が小さすぎます (最小 8 x 8)"},
        // A palette PNG cut short: the codec takes it and finds it damaged; the other reader, which
        // would take anything here, must not get it.
        {"cut.png", CutPng(), rgba(16, 16, 64 * 16), kMsgBrokenPng},
        {"short.tif", "II*", rgba(16, 16, 64 * 16 - 1), "不正なピクセルフォーマットです"},
        {"tall.tif", "II*", rgba(8, 30001, 32 * 30001), "画像が大きすぎます (最大 30000 x 30000)"},
        {"magic.bmp", "BM", RgbaPicture{}, "不正な DIB です"},
    };
    ui.OtherReadable = true;
    for (const auto& c : cases) {
        WriteBytes(dir / c.Name, c.Bytes);
        ui.Other = c.Other;
        ui.OpenChoice = dir / c.Name;
        ui.Answers = {SaveAnswer::No};
        ui.Errors.clear();
        const Document before = Take(s);
        EXPECT_FALSE(OpenClick(s, ui)) << c.Name;
        EXPECT_EQ(ui.Errors, Strings{c.Error}) << c.Name;
        EXPECT_EQ(Take(s), before);
    }
}

TEST_F(DocumentCommandsTest, NewMakesAnUntitledBlankDocument) {
    s.Modified = false;
    s.FileName = dir / "x.png";
    s.CharWidth = s.CharHeight = 512; // larger than the new image: cut to it
    s.CharLeft = s.CharTop = 64;
    InitUndo(s, 4);
    const Document before = Take(s);
    MakeBlankDocument(s, 256, 256);
    EXPECT_EQ((std::array{s.CharWidth, s.CharHeight, s.CharLeft + s.CharTop, s.MainImage.Width(),
                          s.MainImage.Height(), s.ForbiddenFlags[3]}),
              (std::array{256, 256, 0, 256, 256, 0}));
    EXPECT_TRUE(s.FileName.empty() && s.Modified);
    EXPECT_EQ(hooks.Title, "Vallo [無題]");
    EXPECT_EQ(hooks.Count("ReleaseLayerButton"), 1);
    Undo(s); // one step brings back the old picture and palette
    const Document after = Take(s);
    EXPECT_EQ(after.Width, 40);
    EXPECT_EQ(std::tie(after.Rows, after.Palette), std::tie(before.Rows, before.Palette));
}

TEST_F(DocumentCommandsTest, APngThatCameWithTrnsIsSavedWithItAndANewDocumentWithout) {
    const std::string path = dir / "sprite.png";
    WriteFileAtomically(path, EncodePNG(TDIB(8, 8, 8), {}, 2, true));
    ui.OpenChoice = path;
    ui.Answers = {SaveAnswer::No, SaveAnswer::No};
    ASSERT_TRUE(OpenClick(s, ui));
    ASSERT_TRUE(SaveClick(s, ui));
    EXPECT_EQ(pngtest::SplitChunks(ReadWholeFile(path)).at(2).Data, (pngtest::Bytes{255, 255, 0}));
    ASSERT_TRUE(ConfirmDiscardOrSave(s, ui));
    MakeBlankDocument(s, 256, 256);
    ui.SaveChoiceValue = SaveChoice{dir / "new.png", kSaveFilterPng};
    ASSERT_TRUE(SaveAsClick(s, ui));
    EXPECT_EQ(pngtest::SplitChunks(ReadWholeFile(dir / "new.png")).at(2).Type, "vlOp");
}
