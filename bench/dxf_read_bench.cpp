// Benchmark of the DXF reader on a generated ~20 MB drawing (lines, polylines, texts,
// block references with attributes, hatches).
//   bench_dxf_read                     Google Benchmark run (reading MB/s)
//   bench_dxf_read --generate FILE     writes the drawing to FILE
//   bench_dxf_read --time FILE [N]     reads FILE N times (default 3), prints the best seconds
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "host/dxf/Reader.h"
#include "host/dxf/Writer.h"

using namespace host::dxf;

namespace {

/// One group of entities; `groups` of them make the drawing.
Document generate(int groups) {
  Document doc = newDocument();
  doc.addLayer("Walls", 1);
  doc.addLayer("Signs", 3);
  Block& sign = doc.addBlock("SIGN");
  sign.entities.push_back(makeCircle({0, 0, 0}, 5));
  sign.entities.push_back(makeAttdef("NAME", "Name", "EXIT", {0, -7, 0}, 2.5));
  sign.entities.push_back(makeAttdef("CODE", "Code", "E1", {0, -10, 0}, 2.5));
  for (int g = 0; g < groups; ++g) {
    double x = (g % 100) * 100.0, y = (g / 100) * 100.0;
    for (int i = 0; i < 10; ++i) {
      Entity l = makeLine({x + i * 1.1, y + i * 0.7, 0}, {x + i * 3.3 + 0.123456789, y + 50.987654321, 0});
      l.layer = "Walls";
      doc.entities.push_back(std::move(l));
    }
    for (int p = 0; p < 2; ++p) {
      std::vector<LwVertex> v;
      for (int i = 0; i < 10; ++i)
        v.push_back({x + i * 2.5 + p, y + std::sin(i) * 10.0, 0, 0, i % 3 ? 0.0 : 0.25});
      doc.entities.push_back(makeLwPolyline(std::move(v), p == 1));
    }
    for (int t = 0; t < 3; ++t) doc.entities.push_back(makeText({x + t * 10, y - 5, 0}, 2.5, "Room " + std::to_string(g * 3 + t)));
    Entity ins = makeInsert("SIGN", {x + 20, y + 20, 0});
    ins.layer = "Signs";
    ins.children.push_back(makeAttrib("NAME", "EXIT " + std::to_string(g), {x + 20, y + 13, 0}, 2.5));
    ins.children.push_back(makeAttrib("CODE", "E" + std::to_string(g % 7), {x + 20, y + 10, 0}, 2.5));
    doc.entities.push_back(std::move(ins));
    Hatch h;
    HatchPath path;
    path.vertices = {{x, y}, {x + 10, y}, {x + 10, y + 10}, {x, y + 10}};
    h.paths.push_back(path);
    doc.entities.push_back(makeEntity("HATCH", std::move(h)));
  }
  return doc;
}

/// The drawing text, about 20 MB.
const std::string& drawing() {
  static const std::string text = [] {
    auto small = writeString(generate(100));
    std::size_t perGroup = small->size() / 100;
    return *writeString(generate(static_cast<int>(20.0e6 / static_cast<double>(perGroup))));
  }();
  return text;
}

void BM_ReadChecked(benchmark::State& state) {
  const std::string& text = drawing();
  for (auto _ : state) {
    auto doc = read(text);
    if (!doc) state.SkipWithError(doc.status().toString().c_str());
    benchmark::DoNotOptimize(doc);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadChecked)->Unit(benchmark::kMillisecond);

void BM_ReadStrict(benchmark::State& state) {
  const std::string& text = drawing();
  for (auto _ : state) {
    auto doc = read(text, {ReadMode::Strict});
    if (!doc) state.SkipWithError(doc.status().toString().c_str());
    benchmark::DoNotOptimize(doc);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadStrict)->Unit(benchmark::kMillisecond);

void BM_Write(benchmark::State& state) {
  static const Document doc = *read(drawing());
  for (auto _ : state) {
    auto text = writeString(doc);
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * drawing().size()));
}
BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond);

int timeFile(const char* path, int runs) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  std::string text = s.str();
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    auto doc = read(text);
    auto t1 = std::chrono::steady_clock::now();
    if (!doc) {
      std::fprintf(stderr, "%s\n", doc.status().toString().c_str());
      return 1;
    }
    best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
  }
  std::printf("%.6f\n", best);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--generate") == 0) {
    std::ofstream(argv[2], std::ios::binary) << drawing();
    return 0;
  }
  if (argc >= 3 && std::strcmp(argv[1], "--time") == 0) return timeFile(argv[2], argc >= 4 ? std::atoi(argv[3]) : 3);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
