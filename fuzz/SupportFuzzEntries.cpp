// Entry functions for the support library's fuzz targets and corpus replay.
#include "fuzz/SupportFuzzEntries.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "report/SignNamesAliases.h"
#include "support/FileEntry.h"
#include "support/TextFile.h"
#include "support/UI_StringArray.h"

namespace tavrix::fuzz {
namespace {

void require(bool condition) {
    if (!condition)
        __builtin_trap();
}

CString unitsToText(const uint8_t* data, size_t size) {
    std::wstring text;
    text.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    return CString(text);
}

/// A scratch file in the Linux temporary folder, known to the plug-in by its Z: path.
struct ScratchFile {
    explicit ScratchFile(const char* tag) {
        const char* folder = std::getenv("TMPDIR");
        linuxPath = std::string(folder && *folder ? folder : "/tmp") + "/tavrix-fuzz-" + tag + "-" +
                    std::to_string(getpid());
        std::wstring wide = L"Z:";
        for (char ch : linuxPath)
            wide.push_back(ch == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(ch)));
        windowsPath = CString(wide);
    }
    ~ScratchFile() { std::remove(linuxPath.c_str()); }
    void write(const uint8_t* data, size_t size) const {
        FILE* file = std::fopen(linuxPath.c_str(), "wb");
        require(file != nullptr);
        if (size > 0)
            require(std::fwrite(data, 1, size, file) == size);
        require(std::fclose(file) == 0);
    }

    std::string linuxPath;
    CString windowsPath;
};

bool hasNul(const CStringArray& lines) {
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        const CString& line = lines.GetAt(i);
        if (static_cast<int>(wcslen(line.GetString())) != line.GetLength())
            return true;
    }
    return false;
}

}  // namespace

void splitTextInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return;
    const bool trim = (data[0] & 1) != 0;
    const size_t delimiterCount = (data[0] >> 1) & 3;
    const size_t delimiterBytes = delimiterCount * 2 < size - 1 ? delimiterCount * 2 : (size - 1) & ~size_t(1);
    CString delimiters = unitsToText(data + 1, delimiterBytes);
    // A NUL delimiter would end the set early as the class library sees it; keep it simple.
    delimiters.Remove(L'\0');
    const CString text = unitsToText(data + 1 + delimiterBytes, size - 1 - delimiterBytes);

    UI_StringArray list;
    list.Add(L"kept");
    splitText(text, delimiters, list, trim);
    if (delimiters.IsEmpty()) {
        require(list.GetSize() == 2 && list.GetAt(1) == text);
        return;
    }
    int total = 0;
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        const CString& token = list.GetAt(i);
        require(token.FindOneOf(delimiters) < 0);
        if (!trim)
            require(!token.IsEmpty());
        total += token.GetLength();
    }
    require(total <= text.GetLength());
    if (!trim) {
        // The tokens are the text's non-delimiter runs, in order.
        UI_StringArray again;
        splitText(joinList(list, delimiters.Left(1)), delimiters, again, false);
        require(again.GetSize() == list.GetSize());
    }
}

void aliasFileInput(const uint8_t* data, size_t size) {
    ScratchFile file("alias");
    file.write(data, size);
    SignNamesAliases::unload();
    SignNamesAliases::load(file.windowsPath);
    SignNamesAliases report;
    (void)report.description(L"SIGN1");
    (void)report.extraText(L"SIGN1");
    SignNamesAliases find(L"exit");
    (void)find.matchesFind(L"C:\\lib\\sign1.dwg");
    SignNamesAliases::unload();
    require(!SignNamesAliases::isLoaded());
}

void listFileInput(const uint8_t* data, size_t size) {
    ScratchFile input("list");
    input.write(data, size);
    const FileEntry entry(input.windowsPath);
    UI_StringArray lines;
    require(entry.readLines(lines));
    UI_StringArray ansi;
    require(entry.readAnsiLines(ansi));

    // What was read is written back and must read the same, unless a line holds a NUL
    // character, which a C string written line by line cannot carry.
    if (hasNul(lines))
        return;
    ScratchFile output("list-out");
    require(TextFile(output.windowsPath).writeLines(lines) == 1);
    UI_StringArray again;
    require(FileEntry(output.windowsPath).readLines(again));
    require(again.GetSize() == lines.GetSize());
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
        require(again.GetAt(i) == lines.GetAt(i));
}

}  // namespace tavrix::fuzz
