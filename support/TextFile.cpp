// Whole-file writing of text files, replacing the old file only when the new one is complete.
#include "support/TextFile.h"

#include <stdio.h>

#include "support/FileEntry.h"

namespace {

/// Writes every line and its line end to the open stream; false when any write failed.
bool writeAll(FILE* file, const CStringArray& lines) {
    CStdioFile stream(file);
    const int count = static_cast<int>(lines.GetSize());
    try {
        for (int i = 0; i < count; ++i) {
            stream.WriteString(lines.GetAt(i));
            stream.WriteString(L"\n");
        }
        stream.Flush();
    } catch (CFileException* error) {
        error->Delete();
        return false;
    }
    return ferror(file) == 0;
}

/// The folder of a path with its trailing separator; "." for a bare file name.
CString folderOf(const CString& path) {
    const int backslash = path.ReverseFind(L'\\');
    const int slash = path.ReverseFind(L'/');
    const int last = backslash > slash ? backslash : slash;
    return last < 0 ? CString(L".") : path.Left(last + 1);
}

}  // namespace

TextFile::TextFile(const CString& filePath) : path(filePath) {}

bool TextFile::exists() const { return FileEntry(path).exists(); }

int TextFile::writeLines(const CStringArray& lines) {
    wchar_t temporary[MAX_PATH] = {};
    if (GetTempFileNameW(folderOf(path), L"tvx", 0, temporary) == 0)
        return -1;
    FILE* file = nullptr;
    if (_wfopen_s(&file, temporary, L"wt,ccs=UNICODE") != 0 || !file) {
        DeleteFileW(temporary);
        return -1;
    }
    bool complete = writeAll(file, lines);
    if (fclose(file) != 0)
        complete = false;
    if (!complete || !MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(temporary);
        return -1;
    }
    return 1;
}
