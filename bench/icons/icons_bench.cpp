// In-process cost of reading icon groups from a large library: listing the groups, loading the
// first and the last one, writing them as icon files, and the tile's choice of image.
// The library is ICONPANEL_BENCH_MODULE, or Wine's shell32.dll (about 15 MB, 184 groups).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "icons/extract_icon.h"
#include "icons/icon_groups.h"
#include "icons/tile_image_choice.h"
#include "platform/env.h"
#include "platform/file_bytes.h"

namespace {

std::string modulePath() {
  if (const char* path = std::getenv("ICONPANEL_BENCH_MODULE")) return path;
  return "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
}

// The group number for a benchmark argument: 0 stands for the last group.
int groupNumber(benchmark::State& state, int count) {
  return state.range(0) == 0 ? count : static_cast<int>(state.range(0));
}

bool haveModule(benchmark::State& state, int& count) {
  count = icons::enumerateIconGroups(modulePath(), 1).count;
  if (count == 0) state.SkipWithError(("no icon groups in " + modulePath()).c_str());
  return count > 0;
}

void enumerateGroups(benchmark::State& state) {
  int count = 0;
  if (!haveModule(state, count)) return;
  for (auto _ : state) benchmark::DoNotOptimize(icons::enumerateIconGroups(modulePath(), count));
  state.counters["groups"] = count;
}

void loadGroup(benchmark::State& state) {
  int count = 0;
  if (!haveModule(state, count)) return;
  const auto key = icons::enumerateIconGroups(modulePath(), groupNumber(state, count)).key;
  std::size_t bytes = 0;
  for (auto _ : state) {
    auto set = icons::loadIconGroup(modulePath(), key);
    bytes = 0;
    for (const auto& image : set->images) bytes += image.bytes.size();
    benchmark::DoNotOptimize(set);
  }
  state.counters["image_bytes"] = static_cast<double>(bytes);
}

void extractGroup(benchmark::State& state) {
  int count = 0;
  if (!haveModule(state, count)) return;
  const std::string target = platform::env().fullPath("icons_bench_out.ico");
  for (auto _ : state)
    icons::extractIconToFile(modulePath(), target, groupNumber(state, count), icons::kOutputToFile);
  platform::env().removeFile(target);
}

void chooseTileImage(benchmark::State& state) {
  int count = 0;
  if (!haveModule(state, count)) return;
  const std::string target = platform::env().fullPath("icons_bench_tile.ico");
  icons::extractIconToFile(modulePath(), target, 1, icons::kOutputToFile);
  const platform::Bytes bytes = platform::readFileBytes(target);
  platform::env().removeFile(target);
  for (auto _ : state) benchmark::DoNotOptimize(icons::chooseTileImage(bytes));
}

BENCHMARK(enumerateGroups)->Unit(benchmark::kMicrosecond);
BENCHMARK(loadGroup)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(extractGroup)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(chooseTileImage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
