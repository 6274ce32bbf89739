// Loading times of a 50,000-line "Alias.csv" and of a 50,000-line list file, plus the
// writing of that list file and the splitting of alias lines.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "report/SignNamesAliases.h"
#include "support/FileEntry.h"
#include "support/TextFile.h"
#include "support/UI_StringArray.h"

namespace {

constexpr int kLines = 50000;

/// A file in the Linux temporary folder and its Z: path for the plug-in's code.
struct BenchFile {
    explicit BenchFile(const char* name) {
        const char* folder = std::getenv("TMPDIR");
        linuxPath = std::string(folder && *folder ? folder : "/tmp") + "/tavrix-bench-" +
                    std::to_string(getpid()) + "-" + name;
        std::wstring wide = L"Z:";
        for (char ch : linuxPath)
            wide.push_back(ch == '/' ? L'\\' : static_cast<wchar_t>(ch));
        windowsPath = CString(wide);
    }
    ~BenchFile() { std::remove(linuxPath.c_str()); }
    void write(const std::string& bytes) const {
        FILE* file = std::fopen(linuxPath.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    std::string linuxPath;
    CString windowsPath;
};

std::string aliasBytes() {
    std::string bytes;
    for (int i = 0; i < kLines; ++i) {
        bytes += "BHP_" + std::to_string(i) + ";Kierunek drogi ewakuacyjnej \xB9\xEA nr " +
                 std::to_string(i) + ";extra " + std::to_string(i % 97) + "\r\n";
    }
    return bytes;
}

std::string listBytes() {
    std::u16string text;
    for (int i = 0; i < kLines; ++i) {
        const std::string line = "C:\\Program Files\\VORANT\\Tavrix\\Templates\\Signs\\Group " +
                                 std::to_string(i % 40) + "\\BHP_" + std::to_string(i) + ".dwg\r\n";
        text.append(line.begin(), line.end());
    }
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

void BM_LoadAliasFile(benchmark::State& state) {
    BenchFile file("Alias.csv");
    file.write(aliasBytes());
    for (auto _ : state) {
        state.PauseTiming();
        SignNamesAliases::unload();
        state.ResumeTiming();
        SignNamesAliases::load(file.windowsPath);
        benchmark::DoNotOptimize(SignNamesAliases::isLoaded());
    }
    SignNamesAliases::unload();
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_LoadAliasFile)->Unit(benchmark::kMillisecond);

void BM_ReadListFile(benchmark::State& state) {
    BenchFile file("MRU.ini");
    file.write(listBytes());
    const FileEntry entry(file.windowsPath);
    for (auto _ : state) {
        UI_StringArray lines;
        entry.readLines(lines);
        benchmark::DoNotOptimize(lines.GetSize());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ReadListFile)->Unit(benchmark::kMillisecond);

void BM_WriteListFile(benchmark::State& state) {
    BenchFile source("source.ini");
    source.write(listBytes());
    UI_StringArray lines;
    FileEntry(source.windowsPath).readLines(lines);
    BenchFile target("Favourites.ini");
    TextFile file(target.windowsPath);
    for (auto _ : state)
        benchmark::DoNotOptimize(file.writeLines(lines));
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_WriteListFile)->Unit(benchmark::kMillisecond);

void BM_SplitAliasLines(benchmark::State& state) {
    const CString line(L"BHP_12345;Kierunek drogi ewakuacyjnej w lewo;extra 17");
    UI_StringArray fields;
    for (auto _ : state) {
        for (int i = 0; i < kLines; ++i)
            splitText(line, L";", fields, false);
        benchmark::DoNotOptimize(fields.GetSize());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_SplitAliasLines)->Unit(benchmark::kMillisecond);

void BM_RemoveDuplicates(benchmark::State& state) {
    UI_StringArray source;
    for (int i = 0; i < kLines; ++i)
        source.Add(CString(std::to_wstring(i % (kLines / 2)).c_str()));
    for (auto _ : state) {
        UI_StringArray list(source);
        benchmark::DoNotOptimize(removeDuplicates(list));
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_RemoveDuplicates)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
