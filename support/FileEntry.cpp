// Files and folders: names, listings, line reading, the folder picker.
#include "support/FileEntry.h"

#include <shlobj.h>
#include <stdio.h>

FileEntry::FileEntry() = default;

FileEntry::FileEntry(const CString& path) : path_(normalizePath(path)) { file_.SetFilePath(path); }

FileEntry::FileEntry(const CString& name, const CString& folder, const CString& suffix) {
    CString full(folder);
    if (full.IsEmpty() || full.GetAt(full.GetLength() - 1) != L'\\')
        full += L'\\';
    full += name;
    full += suffix;
    path_ = normalizePath(full);
    file_.SetFilePath(path_);
}

FileEntry::FileEntry(const FileEntry& other) : path_(other.path_) {
    file_.SetFilePath(other.file_.GetFilePath());
}

FileEntry& FileEntry::operator=(const FileEntry& other) {
    if (this != &other) {
        path_ = other.path_;
        file_.SetFilePath(other.file_.GetFilePath());
    }
    return *this;
}

FileEntry::~FileEntry() = default;

bool FileEntry::exists() const {
    CFileFind finder;
    const bool found = finder.FindFile(path_) != FALSE;
    finder.Close();
    return found;
}

CString FileEntry::extension() const {
    const CString name = file_.GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString FileEntry::nameWithoutExtension() const {
    const CString name = file_.GetFileName();
    const CString ext = extension();
    if (ext.IsEmpty())
        return name;
    return name.Left(name.GetLength() - ext.GetLength() - 1);
}

CString FileEntry::containingFolder() const {
    if (extension().IsEmpty())
        return path_;
    wchar_t full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(path_, MAX_PATH, full, nullptr);
    CString absolute = (length > 0 && length < MAX_PATH) ? CString(full) : path_;
    const int slash = absolute.ReverseFind(L'\\');
    return slash < 0 ? absolute + L'\\' : absolute.Left(slash + 1);
}

void FileEntry::subfolders(CStringArray& names) const {
    CFileFind finder;
    BOOL more = finder.FindFile(path_ + L"\\*");
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots() || !finder.IsDirectory())
            continue;
        names.Add(finder.GetFileName());
    }
    finder.Close();
}

void FileEntry::fileTitles(const CString& ext, CStringArray& titles) const {
    listFileTitles(path_ + L"\\*" + ext, titles);
}

bool FileEntry::readLinesWithMode(const wchar_t* mode, CStringArray& lines) const {
    FILE* stream = nullptr;
    if (_wfopen_s(&stream, path_, mode) != 0 || !stream)
        return false;
    {
        CStdioFile reader(stream);
        CString line;
        while (reader.ReadString(line))
            lines.Add(line);
    }
    fclose(stream);
    return true;
}

bool FileEntry::readLines(CStringArray& lines) const {
    return readLinesWithMode(L"r, ccs=UNICODE", lines);
}

bool FileEntry::readAnsiLines(CStringArray& lines) const {
    if (!exists())
        return false;
    return readLinesWithMode(L"r", lines);
}

bool FileEntry::browseForFolder() {
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info = {};
    info.hwndOwner = nullptr;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = L"";
    info.ulFlags = 0;
    LPITEMIDLIST item = SHBrowseForFolderW(&info);
    if (!item)
        return false;
    wchar_t chosen[MAX_PATH] = {};
    const BOOL converted = SHGetPathFromIDListW(item, chosen);
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(item);
        allocator->Release();
    }
    // An item without a file-system path (a virtual folder) is no folder to use.
    if (!converted)
        return false;
    path_ = chosen;
    file_.SetFilePath(chosen);
    return true;
}

CString normalizePath(const CString& path) {
    if (path.GetLength() < 2 || path.Right(2) != L"..") {
        CString result(path);
        result.TrimRight(L'\\');
        return result;
    }
    UI_StringArray parts;
    splitText(path, L"\\", parts, false);
    // Each ".." at the end takes one component before it away ("C:\lib\a\b\..\.." gives C:\lib).
    // A text that merely ends in two dots ("exit..") or has too few components before its
    // ".." parts stays as it is.
    INT_PTR up = 0;
    while (up < parts.GetSize() && parts.GetAt(parts.GetSize() - 1 - up) == L"..")
        ++up;
    if (up == 0 || parts.GetSize() - up < up)
        return path;
    parts.RemoveAt(parts.GetSize() - 2 * up, 2 * up);
    return joinList(parts, L"\\");
}

void listFileTitles(const CString& pattern, CStringArray& titles) {
    CFileFind finder;
    BOOL more = finder.FindFile(pattern);
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDirectory())
            continue;
        const CString title = finder.GetFileTitle();
        if (title.IsEmpty() || title == L"." || title == L"..")
            continue;
        titles.Add(title);
    }
    finder.Close();
}

void findFiles(const CString& folder, const CString& pattern, CStringArray& paths, bool recursive) {
    {
        CFileFind finder;
        BOOL more = finder.FindFile(folder + L"\\" + pattern);
        while (more) {
            more = finder.FindNextFile();
            if (finder.IsDots())
                continue;
            paths.Add(finder.GetFilePath());
        }
        finder.Close();
    }
    if (!recursive)
        return;
    UI_StringArray names;
    FileEntry(folder).subfolders(names);
    const int count = static_cast<int>(names.GetSize());
    for (int i = 0; i < count; ++i)
        findFiles(FileEntry(names.GetAt(i), folder, CString()).path(), pattern, paths, true);
}
