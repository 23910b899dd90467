#include "app/DocumentCommands.h"
#include "app/DocumentTestSupport.h"
#include "draw/ImageLayout.h"
#include "draw/Undo.h"
#include "formats/PngCodec.h"
#include "formats/PngTestFiles.h"
#include "image/AtomicFile.h"
#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "formats/PngCodec.h"

#include <gif_lib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testsupport;

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string FileStart(const std::string& path, size_t n) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.begin() + std::min(n, bytes.size()));
}

// A 40 x 24 document with a pattern of indices, its own palette and some marks.
void MakePatternDocument(EditorState& s) {
    s.MainImage.SetSize(40, 24, 8);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x)
            s.MainImage.SetPixel(x, y, uint32_t((x * 7 + y * 13) % 256));
    for (int i = 0; i < 256; ++i)
        s.MainImage.ColorTable()[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i ^ 0x5A), 0};
    s.ForbiddenFlags.fill(0);
    s.ForbiddenFlags[3] = kForbidden;
    s.ForbiddenFlags[200] = kForbidden;
    s.TransColor = 9;
    PropagatePalette(s);
    s.Modified = true;
}

struct Snapshot {
    TDIB Image;
    std::array<int32_t, 256> Forbidden;
    uint8_t Trans;
    std::string FileName;
    bool Modified;
};

Snapshot Take(const EditorState& s) {
    return {s.MainImage, s.ForbiddenFlags, s.TransColor, s.FileName, s.Modified};
}

void ExpectUnchanged(const EditorState& s, const Snapshot& before) {
    ASSERT_EQ(s.MainImage.Width(), before.Image.Width());
    ASSERT_EQ(s.MainImage.Height(), before.Image.Height());
    for (int y = 0; y < s.MainImage.Height(); ++y)
        ASSERT_EQ(0, std::memcmp(s.MainImage.ScanLine(y), before.Image.ScanLine(y),
                                 size_t(s.MainImage.Width())));
    EXPECT_EQ(s.MainImage.ColorTable(), before.Image.ColorTable());
    EXPECT_EQ(s.ForbiddenFlags, before.Forbidden);
    EXPECT_EQ(s.TransColor, before.Trans);
    EXPECT_EQ(s.FileName, before.FileName);
    EXPECT_EQ(s.Modified, before.Modified);
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

TEST_F(DocumentCommandsTest, CancelOnTheUnsavedQuestionKeepsTheDocument) {
    WriteBytes(dir / "other.png", "not a picture");
    ui.OpenChoice = dir / "other.png";
    ui.Answers = {SaveAnswer::Cancel};
    const Snapshot before = Take(s);
    EXPECT_FALSE(OpenClick(s, ui));
    EXPECT_EQ(ui.Asked, (std::vector<std::string>{"open", "save"}));
    EXPECT_TRUE(ui.Errors.empty());
    ExpectUnchanged(s, before);
}

TEST_F(DocumentCommandsTest, YesWhoseSaveIsCancelledStopsTheCommand) {
    ui.Answers = {SaveAnswer::Yes};
    ui.SaveChoiceValue.reset();
    const Snapshot before = Take(s);
    EXPECT_FALSE(ConfirmDiscardOrSave(s, ui));
    EXPECT_EQ(ui.Asked, (std::vector<std::string>{"save", "savedialog"}));
    ExpectUnchanged(s, before);
    // The close query answers the same way: the window stays open.
    ui.Answers = {SaveAnswer::Yes};
    EXPECT_FALSE(FormCloseQuery(s, ui));
    ui.Answers = {SaveAnswer::No};
    EXPECT_TRUE(FormCloseQuery(s, ui));
    s.Modified = false;
    ui.Asked.clear();
    EXPECT_TRUE(FormCloseQuery(s, ui));
    EXPECT_TRUE(ui.Asked.empty());
}

TEST_F(DocumentCommandsTest, SaveWritesTheFormatOfTheExtensionInAnyCase) {
    for (const char* name : {"upper.PNG", "mixed.Bmp"}) {
        WriteBytes(dir / name, "old");
        s.FileName = dir / name;
        s.Modified = true;
        ASSERT_TRUE(SaveClick(s, ui)) << name << (ui.Errors.empty() ? "" : ui.Errors.back());
        EXPECT_FALSE(s.Modified);
        EXPECT_EQ(s.RecentFiles[1], dir / name);
        EXPECT_EQ(hooks.Titles.back(), std::string("Vallo [") + name + "]");
    }
    EXPECT_EQ(FileStart(dir / "upper.PNG", 4), "\x89PNG");
    EXPECT_EQ(FileStart(dir / "mixed.Bmp", 2), "BM");
    EXPECT_TRUE(ui.Asked.empty());
}

TEST_F(DocumentCommandsTest, SaveOfANameThatIsNeitherBmpNorPngRunsSaveAs) {
    WriteBytes(dir / "from.gif", "GIF89a");
    s.FileName = dir / "from.gif";
    ui.SaveChoiceValue = SaveChoice{dir / "from", kSaveFilterBmp};
    ASSERT_TRUE(SaveClick(s, ui));
    EXPECT_EQ(ui.Asked, (std::vector<std::string>{"savedialog"}));
    EXPECT_EQ(s.FileName, dir / "from.bmp");
    EXPECT_EQ(FileStart(dir / "from.gif", 6), "GIF89a");
    EXPECT_EQ(FileStart(dir / "from.bmp", 2), "BM");
}

TEST_F(DocumentCommandsTest, SaveAsAsksBeforeOverwritingAndNoChangesNothing) {
    WriteBytes(dir / "a.png", "keep me");
    ui.SaveChoiceValue = SaveChoice{dir / "a", kSaveFilterPng};
    ui.OverwriteAnswer = false;
    const Snapshot before = Take(s);
    EXPECT_FALSE(SaveAsClick(s, ui));
    EXPECT_EQ(ui.Asked.back(), "overwrite:" + (dir / "a.png"));
    EXPECT_EQ(FileStart(dir / "a.png", 100), "keep me");
    ExpectUnchanged(s, before);
}

TEST_F(DocumentCommandsTest, AFailedSaveKeepsTheDocumentModifiedAndTheOldFile) {
    ui.SaveChoiceValue = SaveChoice{dir / "missing-folder/a", kSaveFilterPng};
    const Snapshot before = Take(s);
    EXPECT_FALSE(SaveAsClick(s, ui));
    EXPECT_EQ(ui.Errors.size(), 1u);
    ExpectUnchanged(s, before);
}

TEST_F(DocumentCommandsTest, PngAndBmpRoundTripThroughSaveAsAndOpen) {
    const Snapshot original = Take(s);
    for (int filter : {kSaveFilterPng, kSaveFilterBmp}) {
        MakePatternDocument(s);
        ui.SaveChoiceValue = SaveChoice{dir / "round", filter};
        ASSERT_TRUE(SaveAsClick(s, ui)) << (ui.Errors.empty() ? "" : ui.Errors.back());
        const std::string saved = s.FileName;
        EXPECT_EQ(saved, dir / (filter == kSaveFilterPng ? "round.png" : "round.bmp"));
        EXPECT_FALSE(s.Modified);

        // Replace the document, then open the saved file again.
        s.MainImage.SetSize(64, 64, 8);
        s.ForbiddenFlags.fill(0);
        s.TransColor = 0;
        s.LayerActive = true;
        s.CopyRangeState = 2;
        ui.OpenChoice = saved;
        ASSERT_TRUE(OpenClick(s, ui)) << (ui.Errors.empty() ? "" : ui.Errors.back());
        Snapshot expected = original;
        expected.FileName = saved;
        expected.Modified = false;
        if (filter == kSaveFilterBmp) {
            expected.Forbidden.fill(0); // a BMP carries no marks
            expected.Trans = 0;
        }
        ExpectUnchanged(s, expected);
        EXPECT_FALSE(s.LayerActive);
        EXPECT_EQ(s.CopyRangeState, 0);
        EXPECT_EQ(s.RecentFiles[1], saved);
        EXPECT_EQ(hooks.Titles.back(), std::string("Vallo [") +
                                           (filter == kSaveFilterPng ? "round.png" : "round.bmp") +
                                           "]");
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
    s.RecentFiles[3] = dir / "marked.png";
    ui.Answers = {SaveAnswer::Cancel};
    const Snapshot before = Take(s);
    EXPECT_FALSE(FClick(s, ui, 3));
    EXPECT_EQ(ui.Asked.back(), "save");
    ExpectUnchanged(s, before);

    // A file that vanished or cannot be read: the reason is shown, nothing changes.
    WriteBytes(dir / "bad.png", "garbage");
    s.RecentFiles[4] = dir / "bad.png";
    s.RecentFiles[5] = dir / "gone.png";
    ui.Errors.clear();
    EXPECT_FALSE(FClick(s, ui, 4));
    EXPECT_FALSE(FClick(s, ui, 5));
    EXPECT_EQ(ui.Errors.size(), 2u);
    ExpectUnchanged(s, before);

    // Answering No takes the picture with the marks from the file.
    ui.Answers = {SaveAnswer::No};
    ASSERT_TRUE(FClick(s, ui, 3));
    EXPECT_EQ(s.ForbiddenFlags[3], kForbidden);
    EXPECT_EQ(s.TransColor, 9);
    EXPECT_EQ(s.RecentFiles[1], dir / "marked.png");
}

TEST_F(DocumentCommandsTest, OpeningRecentFileFiveMovesItToTheTop) {
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
    ASSERT_TRUE(FClick(s, ui, 5)) << (ui.Errors.empty() ? "" : ui.Errors.back());
    const std::vector<std::string> expected{dir / "p5.tif", dir / "p1.tif", dir / "p2.tif",
                                            dir / "p3.tif", dir / "p4.tif", dir / "p6.tif"};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(s.RecentFiles[i + 1], expected[i]) << i;
    EXPECT_EQ(s.MainImage.Width(), 16);
    EXPECT_EQ(s.ForbiddenFlags[3], 0); // other formats carry no marks
    EXPECT_EQ(s.FileName, dir / "p5.tif");
    Undo(s); // the open is one whole-image step
    EXPECT_EQ(s.MainImage.Width(), 40);
    EXPECT_EQ(s.MainImage.Height(), 24);
}

TEST_F(DocumentCommandsTest, UnusablePicturesAreRefusedAndChangeNothing) {
    const auto CutPng = [this] {
        std::vector<uint8_t> png = EncodePNG(s.MainImage, s.ForbiddenFlags, s.TransColor);
        return std::string(png.begin(), png.end() - 30);
    };
    auto rgba = [](int w, int h, size_t bytes) {
        RgbaPicture p;
        p.Width = w;
        p.Height = h;
        p.Stride = w * 4;
        p.Pixels.assign(bytes, 255);
        return p;
    };
    const struct {
        const char* Name;
        std::string Bytes;
        RgbaPicture Other;
        std::string Error; // "" = refused without a message
    } cases[] = {
        {"tiny.tif", "II*", rgba(7, 20, 28 * 20), "画像が小さすぎます (最小 8 x 8)"},
        // A palette PNG cut short: the codec takes it and finds it damaged; the other reader,
        // which would take anything here, must not get it.
        {"cut.png", CutPng(), rgba(16, 16, 64 * 16), kMsgBrokenPng},
        {"short.tif", "II*", rgba(16, 16, 64 * 16 - 1), "不正なピクセルフォーマットです"},
        {"tall.tif", "II*", rgba(8, 30001, 32 * 30001),
         "画像が大きすぎます (最大 30000 x 30000)"},
        {"magic.bmp", "BM", RgbaPicture{}, "不正な DIB です"},
    };
    ui.OtherReadable = true;
    for (const auto& c : cases) {
        WriteBytes(dir / c.Name, c.Bytes);
        ui.Other = c.Other;
        ui.OpenChoice = dir / c.Name;
        ui.Answers = {SaveAnswer::No};
        ui.Errors.clear();
        const Snapshot before = Take(s);
        EXPECT_FALSE(OpenClick(s, ui)) << c.Name;
        EXPECT_EQ(ui.Errors,
                  c.Error.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.Error})
            << c.Name;
        ExpectUnchanged(s, before);
    }
}

TEST_F(DocumentCommandsTest, NewMakesAnUntitledBlankDocument) {
    s.Modified = false;
    s.FileName = dir / "x.png";
    s.CharWidth = s.CharHeight = 512; // larger than the new image: cut to it
    InitUndo(s, 4);
    const Snapshot before = Take(s);
    MakeBlankDocument(s, 256, 256);
    EXPECT_EQ(s.CharWidth, 256);
    EXPECT_EQ(s.CharHeight, 256);
    EXPECT_GE(hooks.UndoRefreshes, 1);
    EXPECT_EQ(s.MainImage.Width(), 256);
    EXPECT_EQ(s.MainImage.Height(), 256);
    EXPECT_TRUE(s.FileName.empty());
    EXPECT_TRUE(s.Modified);
    EXPECT_EQ(s.ForbiddenFlags[3], 0);
    EXPECT_EQ(hooks.Titles.back(), "Vallo [無題]");
    EXPECT_EQ(hooks.LayerReleases, 1);

    // New is one undoable step that brings back the old picture and palette.
    ASSERT_TRUE(CanUndo(s));
    Undo(s);
    EXPECT_EQ(s.MainImage.Width(), 40);
    for (int y = 0; y < 24; ++y)
        ASSERT_EQ(0, std::memcmp(s.MainImage.ScanLine(y), before.Image.ScanLine(y), 40));
    EXPECT_EQ(s.MainImage.ColorTable(), before.Image.ColorTable());
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

namespace {

int AppendGifBytes(GifFileType* gif, const GifByteType* data, int n) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}

// A 16 x 12 GIF written with giflib: 16 greys in descending order, index (x * 3 + y + 5) % 16.
std::vector<uint8_t> MakeGif(bool interlace, int trans) {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendGifBytes, &error);
    std::vector<GifColorType> colours;
    for (int i = 0; i < 16; ++i)
        colours.push_back({uint8_t(255 - i * 16), uint8_t(250 - i * 16), uint8_t(245 - i * 15)});
    ColorMapObject* map = GifMakeMapObject(16, colours.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, 16, 12, 8, 0, map);
    if (trans >= 0) {
        GraphicsControlBlock gcb{0, false, 0, trans};
        GifByteType ext[4];
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(EGifGCBToExtension(&gcb, ext)), ext);
    }
    EGifPutImageDesc(gif, 0, 0, 16, 12, interlace, nullptr);
    const int interlaced[12] = {0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9, 11};
    for (int i = 0; i < 12; ++i) {
        const int y = interlace ? interlaced[i] : i;
        GifPixelType row[16];
        for (int x = 0; x < 16; ++x)
            row[x] = GifPixelType((x * 3 + y + 5) % 16);
        EGifPutLine(gif, row, 16);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

} // namespace

TEST_F(DocumentCommandsTest, GifAndOtherIndexedPicturesKeepTheirIndicesAndPaletteOrder) {
    for (const auto& [interlace, trans] : {std::pair{false, -1}, std::pair{true, 9}}) {
        WriteFileAtomically(dir / "sprite.gif", MakeGif(interlace, trans));
        ui.OpenChoice = dir / "sprite.gif";
        s.Modified = false;
        s.TransColor = 33;
        ASSERT_TRUE(OpenClick(s, ui)) << (ui.Errors.empty() ? "" : ui.Errors.back());
        EXPECT_EQ(s.TransColor, trans < 0 ? 33 : trans);
        for (int i = 0; i < 256; ++i) {
            const RGBQuad want = i < 16 ? RGBQuad{uint8_t(245 - i * 15), uint8_t(250 - i * 16),
                                                  uint8_t(255 - i * 16), 0}
                                        : RGBQuad{};
            EXPECT_EQ(s.MainImage.ColorTable()[size_t(i)], want) << i;
        }
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(s.MainImage.Pixel(x, y), uint32_t((x * 3 + y + 5) % 16)) << x << "," << y;
    }
    // An indexed picture from the platform's readers (a palette TIFF, say).
    ui.OtherReadable = true;
    ui.Other = RgbaPicture{8, 8, 9, std::vector<uint8_t>(72, 2), {0x112233, 0x445566, 0x778899}};
    WriteBytes(dir / "palette.tif", "II*");
    ui.OpenChoice = dir / "palette.tif";
    ASSERT_TRUE(OpenClick(s, ui));
    EXPECT_EQ(s.MainImage.Pixel(7, 7), 2u);
    EXPECT_EQ(s.MainImage.ColorTable()[2], (RGBQuad{0x99, 0x88, 0x77, 0}));
}
