// UI_Path: a path kept with forward slashes, with its name, folder and title.
#pragma once

#include <afxstr.h>

/// A path stored with every separator written as "/" (a doubled backslash counts as one).
class UI_Path {
public:
    explicit UI_Path(const CString& path);
    virtual ~UI_Path();

    /// The two stored paths are equal under case-insensitive collation.
    bool equals(const UI_Path& other) const;
    /// The stored path with backslashes.
    CString windowsPath() const;
    /// The last non-empty component ("a.dwg" of "C:/lib/a.dwg"; a trailing "/" is ignored).
    CString fileName() const;
    /// The stored path without the length of fileName at its end ("C:/lib/" of "C:/lib/a.dwg").
    CString folder() const;
    /// fileName without its last "." and extension; empty text for a name without a dot.
    CString title() const;

    CString path;
};
