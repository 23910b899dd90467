// Writes what an installed Vallo brings to the desktop into the folder given as the only
// argument: the program icon as PNG at 16, 32, 48, 64 and 128 pixels and as SVG, all drawn from
// one 16 x 16 pixel sprite magnified, and the shipped default palette file.
//
//   OUT/icons/hicolor/NxN/apps/vallo.png, OUT/icons/hicolor/scalable/apps/vallo.svg,
//   OUT/palette/vallo.vp3
#include "formats/Crc32.h"
#include "image/AtomicFile.h"
#include "palette/PaletteFile.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>
#include <zlib.h>

using namespace vallo;

namespace {

constexpr int kSprite = 16;

// The sprite: a round little creature, as a player would draw it dot by dot.
const std::array<const char*, kSprite> kArt = {
    "................", "......kkkk......", "....kkllggkk....", "...klllgggggk...",
    "..klgggggggggk..", "..kgggggggggsk..", ".kggwwggggwwgsk.", ".kggwpggggwpgsk.",
    ".kggwpggggwpgsk.", "kgrrgggkkgggrrsk", "kgggggggggggggsk", "kggggggggggggssk",
    "ksgggggggggggssk", ".kssssssssssssk.", "..kkkkkkkkkkkk..", "................",
};

struct Rgb {
    uint8_t R, G, B;
};

const std::map<char, Rgb> kInks = {
    {'k', {40, 32, 64}},    {'g', {88, 176, 232}}, {'l', {200, 240, 255}}, {'s', {40, 110, 170}},
    {'w', {255, 255, 255}}, {'p', {24, 24, 40}},   {'r', {240, 120, 150}},
};

const Rgb* Ink(int x, int y) {
    const char c = kArt[size_t(y)][x];
    if (c == '.')
        return nullptr;
    const auto it = kInks.find(c);
    if (it == kInks.end())
        throw std::runtime_error(std::string("unknown ink ") + c);
    return &it->second;
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    Put32(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    Put32(out, Crc32(out.data() + start, out.size() - start));
}

// The sprite magnified by scale as a red-green-blue-alpha PNG, transparent around it.
std::vector<uint8_t> IconPng(int scale) {
    const int size = kSprite * scale;
    std::vector<uint8_t> raw;
    for (int y = 0; y < size; ++y) {
        raw.push_back(0); // filter None
        for (int x = 0; x < size; ++x) {
            const Rgb* c = Ink(x / scale, y / scale);
            const std::array<uint8_t, 4> px = c ? std::array<uint8_t, 4>{c->R, c->G, c->B, 255}
                                                : std::array<uint8_t, 4>{0, 0, 0, 0};
            raw.insert(raw.end(), px.begin(), px.end());
        }
    }
    std::vector<uint8_t> packed(compressBound(uLong(raw.size())));
    uLongf packedSize = uLongf(packed.size());
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK)
        throw std::runtime_error("zlib failed");
    packed.resize(packedSize);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    Put32(header, uint32_t(size));
    Put32(header, uint32_t(size));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no interlace
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", packed);
    Chunk(png, "IEND", {});
    return png;
}

std::string Hex(const Rgb& c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.R, c.G, c.B);
    return text;
}

// The same sprite as squares of a 16 x 16 grid, one rectangle per run of equal dots.
std::string IconSvg() {
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"128\" height=\"128\" "
                      "viewBox=\"0 0 16 16\" shape-rendering=\"crispEdges\">\n";
    for (int y = 0; y < kSprite; ++y)
        for (int x = 0; x < kSprite;) {
            const Rgb* c = Ink(x, y);
            int run = 1;
            while (x + run < kSprite && kArt[size_t(y)][x + run] == kArt[size_t(y)][x])
                ++run;
            if (c)
                svg += "  <rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
                       "\" width=\"" + std::to_string(run) + "\" height=\"1\" fill=\"" + Hex(*c) +
                       "\"/>\n";
            x += run;
        }
    return svg + "</svg>\n";
}

void WriteText(const std::string& path, const std::string& text) {
    WriteFileAtomically(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void Generate(const std::string& out) {
    namespace fs = std::filesystem;
    for (const char* row : kArt)
        if (std::string(row).size() != size_t(kSprite))
            throw std::runtime_error("sprite rows must be 16 dots long");
    for (const int size : {16, 32, 48, 64, 128}) {
        const std::string dir =
            out + "/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        fs::create_directories(dir);
        WriteFileAtomically(dir + "/vallo.png", IconPng(size / kSprite));
    }
    fs::create_directories(out + "/icons/hicolor/scalable/apps");
    WriteText(out + "/icons/hicolor/scalable/apps/vallo.svg", IconSvg());
    fs::create_directories(out + "/palette");
    WriteFileAtomically(out + "/palette/vallo.vp3", DefaultPaletteBytes());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vallo_desktopgen OUT_DIR\n");
        return 2;
    }
    try {
        Generate(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vallo_desktopgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
