// TextFile: a UTF-16 text file written whole, one list element a line.
#pragma once

#include <afxcoll.h>

/// A text file by its full path.
class TextFile {
public:
    explicit TextFile(const CString& path);

    /// A file-system search for the path finds an entry.
    bool exists() const;
    /// Replaces the file with the lines, in UTF-16LE with a byte-order mark, every line ended
    /// by carriage return and line feed. The text goes to a new file in the same folder first,
    /// which replaces the old one only once all of it was written: whatever fails (no such
    /// folder, no room, no right to write), the old file stays as it was. Returns 1 on
    /// success, -1 on failure.
    int writeLines(const CStringArray& lines);

    CString path;
};
