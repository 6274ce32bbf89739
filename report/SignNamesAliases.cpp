// The sign alias table.
#include "report/SignNamesAliases.h"

#include <map>
#include <string>

#include "frame/TavrixApp.h"
#include "support/FileEntry.h"
#include "support/UI_Path.h"
#include "support/UI_StringArray.h"

namespace {

/// Ordinal, case-sensitive order of the wide characters, over the whole text.
struct OrdinalLess {
    bool operator()(const CString& a, const CString& b) const { return a.str() < b.str(); }
};

using AliasTable = std::map<CString, CString, OrdinalLess>;

AliasTable& descriptions() {
    static AliasTable table;
    return table;
}

AliasTable& extraTexts() {
    static AliasTable table;
    return table;
}

}  // namespace

SignNamesAliases::SignNamesAliases(const CString& text) : findText(text) {}

bool SignNamesAliases::isLoaded() { return !descriptions().empty(); }

void SignNamesAliases::load() {
    TavrixApp app;
    load(app.signsDir + L"\\Alias.csv");
}

void SignNamesAliases::load(const CString& aliasFile) {
    UI_StringArray lines;
    if (!FileEntry(aliasFile).readAnsiLines(lines))
        return;
    AliasTable& names = descriptions();
    AliasTable& extras = extraTexts();
    UI_StringArray fields;
    const int count = static_cast<int>(lines.GetSize());
    for (int i = 0; i < count; ++i) {
        splitText(lines.GetAt(i), L";", fields, false);
        if (fields.GetSize() < 2)
            continue;
        names[fields.GetAt(0)] = fields.GetAt(1);
        if (fields.GetSize() > 2)
            extras[fields.GetAt(0)] = fields.GetAt(2);
    }
}

void SignNamesAliases::unload() {
    descriptions().clear();
    extraTexts().clear();
}

CString SignNamesAliases::description(const CString& signName) { return descriptions()[signName]; }

CString SignNamesAliases::extraText(const CString& signName) { return extraTexts()[signName]; }

bool SignNamesAliases::matchesFind(const CString& filePath) {
    const CString title = UI_Path(filePath).title();
    CString wanted(findText);
    wanted.MakeUpper();
    for (const auto& [name, text] : descriptions()) {
        // The name test comes first: it is the cheaper one and rules out nearly every entry.
        if (name.CollateNoCase(title) != 0)
            continue;
        CString upper(text);
        upper.MakeUpper();
        if (upper.Find(wanted) >= 0)
            return true;
    }
    return false;
}
