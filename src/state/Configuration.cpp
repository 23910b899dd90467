#include "state/Configuration.h"

#include "state/AppPaths.h"
#include "state/EditorState.h"
#include "state/IniFile.h"
#include "image/AtomicFile.h"

#include <algorithm>
#include <filesystem>

namespace vallo {

namespace {

// Table defaults of the settings (a missing or unusable value takes these).
constexpr int kDefaultMagnification = 8;
constexpr int kDefaultCharSize = 32;
constexpr int kDefaultUndoCount = 31;
constexpr int kDefaultNarabeCount = 2;
constexpr int kDefaultNarabeZoom = 1;
constexpr int kDefaultPaleCount = 16;
constexpr int kDefaultPaleCell = 16;
constexpr int kDefaultAnimeFPS = 8;
constexpr int kDefaultAnimeFrames = 3;
constexpr int kDefaultAnimeBai = 1;
constexpr int kMaxWindowCoordinate = 32767;
constexpr size_t kMaxListFileBytes = 64 * 1024;
constexpr size_t kMaxListLine = 256;
const char* const kNoFile = "[No File]";

constexpr int kMinCharSize = 8;
constexpr int kMaxCharSize = 1024;

// Cell sides are multiples of 4.
int FitCharSize(int v) {
    v = std::clamp(v, kMinCharSize, kMaxCharSize);
    return v - v % 4;
}

// Reads or writes every item through one routine, so both directions share the order and
// the keys.
class IniRoutine {
public:
    IniRoutine(EditorState& s, IniFile& ini) : s_(s), ini_(ini), reading_(s.IniReadMode) {}

    void Run() {
        Windows();
        Lupe();
        Options();
        ExtendedView();
        Palette();
        ListsAndMainMax();
        Anime();
        RecentFiles();
    }

private:
    // An integer read and brought into lo..hi (`def` when the value is not a number); written
    // as is.
    void Int(const char* section, const std::string& key, int& value, int def, int lo, int hi) {
        if (reading_) {
            value = std::clamp(ini_.ReadInteger(section, key, def), lo, hi);
        } else {
            ini_.WriteInteger(section, key, value);
        }
    }
    void Bool(const char* section, const std::string& key, bool& value, bool def) {
        if (reading_)
            value = ini_.ReadBool(section, key, def);
        else
            ini_.WriteBool(section, key, value);
    }

    void FourKeys(const std::string& prefix, WindowPlace& w) {
        Int("Form", prefix + "横位置", w.Left, w.Left, -kMaxWindowCoordinate, kMaxWindowCoordinate);
        Int("Form", prefix + "縦位置", w.Top, w.Top, -kMaxWindowCoordinate, kMaxWindowCoordinate);
        Int("Form", prefix + "幅", w.Width, w.Width, 0, kMaxWindowCoordinate);
        Int("Form", prefix + "高さ", w.Height, w.Height, 0, kMaxWindowCoordinate);
    }
    // Floating tool windows keep their top under "高さ" and no size.
    void ThreeKeys(const std::string& prefix, WindowPlace& w) {
        Int("Form", prefix + "横位置", w.Left, w.Left, -kMaxWindowCoordinate, kMaxWindowCoordinate);
        Int("Form", prefix + "高さ", w.Top, w.Top, -kMaxWindowCoordinate, kMaxWindowCoordinate);
        Bool("Form", prefix + "表示", w.Visible, w.Visible);
    }

    void Windows() {
        WindowPlaces& w = s_.Windows;
        FourKeys("メインフォーム", w.Main);
        FourKeys("ルーペ", w.Lupe);
        FourKeys("全体表示", w.All);
        ThreeKeys("パレット", w.Pale);
        ThreeKeys("ツール", w.Tool);
        ThreeKeys("レイヤー", w.Lay);
        ThreeKeys("拡張表示", w.EX);
        ThreeKeys("アニメ", w.Ani);
        ThreeKeys("特殊ツール", w.ETool);
        ThreeKeys("コピーツール", w.CTool);
        ThreeKeys("並べて表示", w.Narabe);
    }

    void Lupe() {
        Int("Lupe", "拡大率", s_.Magnification, kDefaultMagnification, 1, 50);
        Int("Lupe", "キャラ横サイズ", s_.CharWidth, kDefaultCharSize, kMinCharSize, kMaxCharSize);
        Int("Lupe", "キャラ縦サイズ", s_.CharHeight, kDefaultCharSize, kMinCharSize, kMaxCharSize);
        if (reading_) {
            s_.CharWidth = FitCharSize(s_.CharWidth);
            s_.CharHeight = FitCharSize(s_.CharHeight);
            // The magnified cell must stay allocatable: the zoom comes down until it is.
            const int side = std::max(s_.CharWidth, s_.CharHeight);
            s_.Magnification = std::min(s_.Magnification, kMaxLupeSide / side);
        }
        Bool("Lupe", "グリッド", s_.ShowGrid, true);
        Bool("Lupe", "ルーペ開始位置", s_.LupeGrid, false);
        Bool("Lupe", "豪華表示", s_.RichDisplay, false);
        Bool("Lupe", "レイヤーの表示方法", s_.LayerDisplayMode, true);
        Bool("Lupe", "ルーペはみ出し", s_.LupeOverhang, false);
        Bool("Lupe", "全体図や拡張表示すぐ反映させる", s_.LiveUpdate, false);
        Bool("Lupe", "描画中のカーソル表示", s_.CursorWhileDrawing, false);
        Bool("Lupe", "カーソルの表示方法", s_.CursorStyle, true);
    }

    void Options() {
        Bool("COPYPASTE", "貼り付け時に透明色を透かす", s_.PasteTransparent, true);
        Bool("COPYPASTE", "コピー時に合成モードを反映する", s_.CopyWithMergeMode, false);
        Bool("File", "サイズ変更時に元の画像を保管する", s_.KeepOriginalOnResize, true);
        Int("Undo", "アンドゥ回数", s_.UndoCount, kDefaultUndoCount, 2, 101);
        Int("Narabe", "並べて表示する数", s_.NarabeCount, kDefaultNarabeCount, 1, 3);
        Int("Narabe", "並べて表示倍率", s_.NarabeZoom, kDefaultNarabeZoom, 1, 4);
    }

    // The form is stored one higher than EXStyle. Unknown values read as the first zoom and
    // form, not the nearest.
    void ExtendedView() {
        int style = s_.EXStyle + 1;
        if (reading_) {
            s_.EXZoom = OneOf(ini_.ReadInteger("EXView", "拡張表示の倍率", 1), 1, 4, 1);
            style = OneOf(ini_.ReadInteger("EXView", "拡張表示の形式", 1), 1, 3, 1);
            s_.EXStyle = style - 1;
        } else {
            ini_.WriteInteger("EXView", "拡張表示の倍率", s_.EXZoom);
            ini_.WriteInteger("EXView", "拡張表示の形式", style);
        }
    }
    static int OneOf(int v, int lo, int hi, int otherwise) {
        return v >= lo && v <= hi ? v : otherwise;
    }

    void Palette() {
        Int("Palette", "横に並べた数", s_.PaleColumns, kDefaultPaleCount, 8, 32);
        Int("Palette", "縦に並べた数", s_.PaleRows, kDefaultPaleCount, 8, 32);
        Int("Palette", "一個の横幅", s_.PaleCellWidth, kDefaultPaleCell, 8, 32);
        Int("Palette", "一個の縦幅", s_.PaleCellHeight, kDefaultPaleCell, 8, 32);
        if (reading_) {
            const bool known = (s_.PaleRows == 8 && s_.PaleColumns == 32) ||
                               (s_.PaleRows == 16 && s_.PaleColumns == 16) ||
                               (s_.PaleRows == 32 && s_.PaleColumns == 8);
            if (!known)
                s_.PaleRows = s_.PaleColumns = kDefaultPaleCount;
        }
    }

    void ListsAndMainMax() {
        if (reading_) {
            std::vector<std::string> sizes = ReadListFile(SizeListPath(s_));
            if (!sizes.empty())
                s_.SizeItems = std::move(sizes);
            std::vector<std::string> zooms = ReadListFile(BaiListPath(s_));
            if (!zooms.empty())
                s_.BaiItems = std::move(zooms);
            s_.Windows.MainMax = ini_.ReadBool("Form", "MainMax", true);
            if (s_.Windows.MainMax) {
                // The restored window sits inside the screen below the maximised one.
                WindowPlace& m = s_.Windows.Main;
                m.Left = m.Top = 20;
                m.Width = std::max(m.Width - 40, 160);
                m.Height = std::max(m.Height - 40, 120);
            }
        } else {
            WriteListFile(SizeListPath(s_), s_.SizeItems);
            WriteListFile(BaiListPath(s_), s_.BaiItems);
            ini_.WriteBool("Form", "MainMax", s_.Windows.MainMax);
        }
    }

    void Anime() {
        Int("Anime", "FPS", s_.AnimeFPS, kDefaultAnimeFPS, 1, 60);
        Int("Anime", "枚数", s_.AnimeFrames, kDefaultAnimeFrames, 2, 20);
        Int("Anime", "移動形式", s_.AnimeChrMode, 0, 0, 1);
        Int("Anime", "アニメ倍率", s_.AnimeBai, kDefaultAnimeBai, 0, 3);
        Int("Anime", "アニメ形式", s_.AnimeMode, 0, 0, 1);
    }

    void RecentFiles() {
        for (int n = 1; n <= 9; ++n) {
            const std::string key = "最近使ったファイル" + std::to_string(n);
            std::string& entry = s_.RecentFiles[size_t(n)];
            if (reading_)
                entry = ini_.ReadString("File", key, kNoFile);
            else
                ini_.WriteString("File", key, entry);
        }
    }

    EditorState& s_;
    IniFile& ini_;
    bool reading_;
};

} // namespace

std::string IniPath(const EditorState& s) {
    return ConfigFolder(s) + "vallo.ini";
}
std::string SizeListPath(const EditorState& s) {
    return ConfigFolder(s) + "size.txt";
}
std::string BaiListPath(const EditorState& s) {
    return ConfigFolder(s) + "bai.txt";
}
std::string RecoveryDir(const EditorState& s) {
    return RecoveryFolder(s);
}

void RunIniRoutine(EditorState& s) {
    if (s.IniReadMode) {
        IniFile ini = IniFile::Load(IniPath(s));
        IniRoutine(s, ini).Run();
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(ConfigFolder(s), ec);
    if (ec)
        throw FileError(ConfigFolder(s) + " を作成できません: " + ec.message());
    // Keep entries of the existing file that this program does not write.
    IniFile ini = IniFile::Load(IniPath(s));
    IniRoutine(s, ini).Run();
    ini.Save(IniPath(s));
}

void AddRecentFile(EditorState& s, const std::string& path) {
    int found = 0;
    for (int i = 1; i <= 9; ++i)
        if (s.RecentFiles[size_t(i)] == path)
            found = i;
    if (found != 1) {
        const int last = found == 0 ? 9 : found;
        for (int i = last; i > 1; --i)
            s.RecentFiles[size_t(i)] = s.RecentFiles[size_t(i - 1)];
        s.RecentFiles[1] = path;
    }
    s.Hooks->SetRecentFileCaptions();
}

std::string RecentFileCaption(const EditorState& s, int n) {
    if (n < 1 || n > 9)
        return {};
    return std::to_string(n) + ":" + s.RecentFiles[size_t(n)];
}

std::vector<std::string> ReadListFile(const std::string& path) {
    std::vector<std::string> items;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return items;
    std::string text = ReadTextFileLimited(path, kMaxListFileBytes);
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    size_t pos = 0;
    while (pos < text.size() && items.size() < kMaxListItems) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.size() <= kMaxListLine)
            items.push_back(std::move(line));
        pos = end + 1;
    }
    return items;
}

void WriteListFile(const std::string& path, const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += item + "\r\n";
    WriteFileAtomically(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

} // namespace vallo
