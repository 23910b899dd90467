// PNG load and save of a 4096 x 4096 sprite sheet, against libpng on the same image: the goals
// are a load in at most half of libpng's decode time, a save in at most 0.4 of libpng's level-9
// time with a file at most 3 % larger, and a load's peak memory at most 2.1 pixel copies.

#include "formats/PngCodec.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <csetjmp>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <libdeflate.h>
#include <png.h>
#include <random>
#include <stdexcept>

using namespace vallo;

namespace {

constexpr int kSide = 4096;

// Tiles of flat colours with dark outlines and a sprinkle of noise, like a sheet of sprites.
const TDIB& SpriteSheet() {
    static const TDIB sheet = [] {
        TDIB image(kSide, kSide, 8);
        std::mt19937 rng(1234);
        for (int i = 0; i < 256; ++i)
            image.ColorTable()[i] = RGBQuad{uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), 0};
        constexpr int tile = 32;
        for (int ty = 0; ty < kSide; ty += tile)
            for (int tx = 0; tx < kSide; tx += tile) {
                const uint8_t body = uint8_t(16 + rng() % 200), shade = uint8_t(body + 1);
                const int cx = tile / 2, cy = tile / 2, r = 6 + int(rng() % 9);
                for (int y = 0; y < tile; ++y) {
                    uint8_t* row = image.ScanLine(ty + y) + tx;
                    for (int x = 0; x < tile; ++x) {
                        const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                        uint8_t v = 0; // background
                        if (d2 <= r * r)
                            v = (x < cx && y < cy) ? shade : body;
                        if (d2 <= r * r && d2 > (r - 1) * (r - 1))
                            v = 1; // outline
                        if (rng() % 50 == 0)
                            v = uint8_t(rng());
                        row[x] = v;
                    }
                }
            }
        return image;
    }();
    return sheet;
}

const std::vector<uint8_t>& EncodedSheet() {
    static const std::vector<uint8_t> file = EncodePNG(SpriteSheet(), {}, 0);
    return file;
}

void Append(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

std::vector<uint8_t> LibpngEncode(const TDIB& image, bool filterNone) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng write");
    }
    png_set_write_fn(png, &out, Append, nullptr);
    png_set_compression_level(png, 9);
    if (filterNone)
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, uint32_t(image.Width()), uint32_t(image.Height()), 8,
                 PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                 PNG_FILTER_TYPE_BASE);
    png_color palette[256];
    for (int i = 0; i < 256; ++i)
        palette[i] = {image.ColorTable()[i].rgbRed, image.ColorTable()[i].rgbGreen,
                      image.ColorTable()[i].rgbBlue};
    png_set_PLTE(png, info, palette, 256);
    png_write_info(png, info);
    for (int y = 0; y < image.Height(); ++y)
        png_write_row(png, image.ScanLine(y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

struct MemoryReader {
    const uint8_t* data;
    size_t size, pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t size) {
    auto* r = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (r->size - r->pos < size)
        png_error(png, "short file");
    std::memcpy(out, r->data + r->pos, size);
    r->pos += size;
}

void LibpngDecode(const std::vector<uint8_t>& file, TDIB& image) {
    MemoryReader reader{file.data(), file.size(), 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw std::runtime_error("libpng read");
    }
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    const int w = int(png_get_image_width(png, info)), h = int(png_get_image_height(png, info));
    image.SetSize(w, h, 8);
    png_colorp palette = nullptr;
    int entries = 0;
    png_get_PLTE(png, info, &palette, &entries);
    for (int i = 0; i < entries; ++i)
        image.ColorTable()[i] = RGBQuad{palette[i].blue, palette[i].green, palette[i].red, 0};
    for (int y = 0; y < h; ++y)
        png_read_row(png, image.ScanLine(y), nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
}

void BM_PNG_Load(benchmark::State& state) {
    const auto& file = EncodedSheet();
    for (auto _ : state) {
        TDIB image;
        PngMarks marks;
        benchmark::DoNotOptimize(LoadPNGFromMemory(file.data(), file.size(), image, marks));
    }
    state.SetBytesProcessed(state.iterations() * int64_t(kSide) * kSide);
}

void BM_PNG_LibpngDecode(benchmark::State& state) {
    const auto& file = EncodedSheet();
    for (auto _ : state) {
        TDIB image;
        LibpngDecode(file, image);
        benchmark::DoNotOptimize(image.Bits());
    }
    state.SetBytesProcessed(state.iterations() * int64_t(kSide) * kSide);
}

void BM_PNG_Save(benchmark::State& state) {
    const TDIB& sheet = SpriteSheet();
    size_t size = 0;
    for (auto _ : state)
        size = EncodePNG(sheet, {}, 0).size();
    state.counters["file_bytes"] = double(size);
    state.SetBytesProcessed(state.iterations() * int64_t(kSide) * kSide);
}

void BM_PNG_LibpngEncodeLevel9FilterNone(benchmark::State& state) {
    const TDIB& sheet = SpriteSheet();
    size_t size = 0;
    for (auto _ : state)
        size = LibpngEncode(sheet, true).size();
    state.counters["file_bytes"] = double(size);
    state.SetBytesProcessed(state.iterations() * int64_t(kSide) * kSide);
}

void BM_PNG_LibpngEncodeLevel9DefaultFilters(benchmark::State& state) {
    const TDIB& sheet = SpriteSheet();
    size_t size = 0;
    for (auto _ : state)
        size = LibpngEncode(sheet, false).size();
    state.counters["file_bytes"] = double(size);
    state.SetBytesProcessed(state.iterations() * int64_t(kSide) * kSide);
}

// Resident memory of this process in bytes, now (VmRSS) or at its peak since the last reset
// (VmHWM).
double StatusBytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(key.size())) * 1024;
    return 0;
}

// A load from disk, file read included; peak_copies is the most memory it held above what was
// resident before, in copies of the pixels.
void BM_PNG_LoadFilePeakMemory(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "vallo_png_bench.png").string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(EncodedSheet().data()),
               std::streamsize(EncodedSheet().size()));
    for (auto _ : state) {
        // Freed memory goes back to the system and large blocks are always mapped afresh, so
        // the peak shows what the step itself needs.
        mallopt(M_MMAP_THRESHOLD, 1 << 20);
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5"; // resets the peak to the current size
        const double before = StatusBytes("VmRSS:");
        TDIB image;
        PngMarks marks;
        LoadPNG(path, image, marks);
        state.counters["peak_copies"] =
            (StatusBytes("VmHWM:") - before) / (double(kSide) * kSide);
    }
    std::filesystem::remove(path);
}

// libdeflate's levels on the sheet's rows, for the choice of the saving level.
void BM_PNG_DeflateLevel(benchmark::State& state) {
    const TDIB& sheet = SpriteSheet();
    std::vector<uint8_t> raw;
    for (int y = 0; y < kSide; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), sheet.ScanLine(y), sheet.ScanLine(y) + kSide);
    }
    libdeflate_compressor* c = libdeflate_alloc_compressor(int(state.range(0)));
    std::vector<uint8_t> out(libdeflate_zlib_compress_bound(c, raw.size()));
    size_t size = 0;
    for (auto _ : state)
        size = libdeflate_zlib_compress(c, raw.data(), raw.size(), out.data(), out.size());
    libdeflate_free_compressor(c);
    state.counters["file_bytes"] = double(size);
}

} // namespace

BENCHMARK(BM_PNG_LoadFilePeakMemory)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PNG_DeflateLevel)->DenseRange(6, 12, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PNG_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PNG_LibpngDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PNG_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PNG_LibpngEncodeLevel9FilterNone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PNG_LibpngEncodeLevel9DefaultFilters)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
