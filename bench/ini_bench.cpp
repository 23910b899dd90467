// Reading a configuration file of the largest size the program takes, made of short keys.

#include "state/IniFile.h"

#include <benchmark/benchmark.h>
#include <string>

using namespace vallo;

namespace {

void BM_Ini_ParseFullSizeFileOfShortKeys(benchmark::State& state) {
    std::string text = "[Big]\r\n";
    int keys = 0;
    while (text.size() < IniFile::MaxFileBytes - 16)
        text += "k" + std::to_string(keys++) + "=1\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(IniFile::Parse(text).ReadInteger("Big", "k1", 0));
    state.counters["keys"] = keys;
}

} // namespace

BENCHMARK(BM_Ini_ParseFullSizeFileOfShortKeys)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
