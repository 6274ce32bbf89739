// Paths with forward slashes.
#include "support/UI_Path.h"

#include "support/UI_StringArray.h"

UI_Path::UI_Path(const CString& text) : path(text) {
    path.Replace(L"\\\\", L"/");
    path.Replace(L'\\', L'/');
}

UI_Path::~UI_Path() = default;

bool UI_Path::equals(const UI_Path& other) const { return path.CollateNoCase(other.path) == 0; }

CString UI_Path::windowsPath() const {
    CString result(path);
    result.Replace(L'/', L'\\');
    return result;
}

CString UI_Path::fileName() const {
    UI_StringArray parts;
    splitText(path, L"/", parts, false);
    return lastOrEmpty(parts);
}

CString UI_Path::folder() const { return path.Left(path.GetLength() - fileName().GetLength()); }

CString UI_Path::title() const {
    const CString name = fileName();
    UI_StringArray parts;
    splitText(name, L".", parts, false);
    // A name without a dot is its own "extension", which leaves nothing of it.
    const CString extension = lastOrEmpty(parts);
    return name.Left(name.GetLength() - 1 - extension.GetLength());
}
