// FileEntry: one file or folder and the questions asked of it (existence, name parts,
// listings, whole-file reading, the folder picker); the free functions on paths and folders.
#pragma once

#include <afx.h>

#include "support/UI_StringArray.h"

/// A file or folder by its path. The path field holds the normalised path (see
/// normalizePath); the file object carries the path as given, whose name part gives the
/// extension and the name. Whether an entry counts as a file or a folder depends only on
/// its name, never on the disk.
class FileEntry {
public:
    FileEntry();
    explicit FileEntry(const CString& path);
    /// folder + "\" (unless folder ends with one) + name + suffix (such as ".dwg" or "").
    FileEntry(const CString& name, const CString& folder, const CString& suffix);
    FileEntry(const FileEntry& other);
    FileEntry& operator=(const FileEntry& other);
    ~FileEntry();

    CString path() const { return path_; }
    /// A file-system search for the path finds an entry (wildcards act as wildcards).
    bool exists() const;
    /// The text after the last "." of the name; empty text when the name has no ".".
    CString extension() const;
    /// The name without the last "." and the extension.
    CString nameWithoutExtension() const;
    bool isFolder() const { return extension().IsEmpty(); }
    bool isFile() const { return !extension().IsEmpty(); }
    /// For a file, the drive and folder of its absolute path with a trailing backslash;
    /// for a folder, the path itself.
    CString containingFolder() const;
    /// Appends the names of the sub-folders (not "." and "..") in the order of the listing.
    void subfolders(CStringArray& names) const;
    /// Appends the titles of the files of this folder whose names end with extension.
    void fileTitles(const CString& extension, CStringArray& titles) const;
    /// Appends the lines of a UTF-16 text file (a byte-order mark chooses UTF-16LE or UTF-8;
    /// without one UTF-16LE), without their line ends. False, list unchanged, when the file
    /// cannot be opened.
    bool readLines(CStringArray& lines) const;
    /// Appends the lines of an 8-bit text file, decoded with the runtime's code page. False,
    /// list unchanged, when the entry does not exist or cannot be opened.
    bool readAnsiLines(CStringArray& lines) const;
    /// Lets the user pick a folder with the shell's folder picker; on a choice the entry
    /// becomes that folder and the result is true. Cancel: false, nothing changes.
    bool browseForFolder();

private:
    bool readLinesWithMode(const wchar_t* mode, CStringArray& lines) const;

    CFile file_;
    CString path_;
};

/// Removes trailing backslashes; a path that ends in ".." loses the ".." and the component
/// before it ("C:\lib\signs\.." gives "C:\lib").
CString normalizePath(const CString& path);
/// Appends the titles of the entries matching pattern (folder + "\" + wildcards) that are
/// not folders; empty names, "." and ".." are skipped.
void listFileTitles(const CString& pattern, CStringArray& titles);
/// Appends the full path of every entry of folder that matches pattern, in the order of the
/// listing; recursive: then the same for each sub-folder in turn (depth first).
void findFiles(const CString& folder, const CString& pattern, CStringArray& paths, bool recursive);

class CImage;

/// A file that can make a preview image of itself; holds its FileEntry.
class UIS_File {
public:
    explicit UIS_File(const CString& path) : entry(path) {}
    explicit UIS_File(const FileEntry& file) : entry(file) {}
    /// Fills image with the file's preview; false (image unchanged) when there is none.
    virtual bool preview(CImage& image) = 0;

    FileEntry entry;

protected:
    ~UIS_File() = default;
};
