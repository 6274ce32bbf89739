// The resource tables of a module as the resource compiler (tavrixrc) generates them, their
// registration at module load, and the lookups that the resource functions build on.
//
// A generated source defines one constant ModuleTable and a Registration object; the
// registration finds the module by the table's own address, so the resources belong to the
// module (program or shared object) that the source is linked into.
#pragma once

#include <windows.h>

#include <cstddef>

namespace platform::res {

/// An integer resource id (text == nullptr) or a resource name text (upper case).
struct ResourceName {
    UINT id;
    const wchar_t* text;
};

/// One string of a STRINGTABLE.
struct StringEntry {
    UINT id;
    LANGID language;
    const wchar_t* text;
    UINT length;
};

/// A node of a version resource below the fixed part: a key with a text or binary value
/// and children (BLOCK "StringFileInfo" / BLOCK "040904b0" / VALUE "FileVersion", ...).
struct VersionNode {
    const wchar_t* key;
    const wchar_t* text;  // a text value, or nullptr
    const WORD* words;    // a binary value (VALUE "Translation", 0x409, 1200), or nullptr
    UINT wordCount;
    const VersionNode* children;
    UINT childCount;
};

/// A VERSIONINFO resource.
struct VersionResource {
    ResourceName name;
    LANGID language;
    WORD fileVersion[4];
    WORD productVersion[4];
    DWORD fileFlagsMask;
    DWORD fileFlags;
    DWORD fileOS;
    DWORD fileType;
    DWORD fileSubtype;
    const VersionNode* children;
    UINT childCount;
};

/// A resource held as bytes: ICON (the whole .ico file, as RT_GROUP_ICON), BITMAP (the
/// .bmp without its file header), RCDATA and user-defined types.
struct DataResource {
    ResourceName type;
    ResourceName name;
    LANGID language;
    const unsigned char* data;
    size_t size;
};

/// One control of a dialog template.
struct DialogControl {
    /// The window class: "BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"
    /// or a registered class name ("SysListView32", "SysTreeView32", ...).
    const wchar_t* windowClass;
    /// The control's text, or a resource id (an icon of a static picture).
    ResourceName text;
    int id;
    DWORD style;
    DWORD exStyle;
    DWORD helpId;
    short x, y, cx, cy;
};

/// A DIALOG or DIALOGEX template (dialog units).
struct DialogResource {
    ResourceName name;
    LANGID language;
    DWORD style;
    DWORD exStyle;
    DWORD helpId;
    short x, y, cx, cy;
    const wchar_t* caption;
    ResourceName menu;         // id 0 and no text: none
    const wchar_t* windowClass;  // nullptr: the dialog class
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    const wchar_t* typeface;
    const DialogControl* controls;
    UINT controlCount;
};

/// Everything one resource script compiles to.
struct ModuleTable {
    const StringEntry* strings;
    UINT stringCount;
    const VersionResource* versions;
    UINT versionCount;
    const DataResource* data;
    UINT dataCount;
    const DialogResource* dialogs;
    UINT dialogCount;
};

/// Registers a table for the module that holds it while the object lives (a static
/// object of the generated source: constructed at module load, destroyed at unload).
class Registration {
public:
    explicit Registration(const ModuleTable& table);
    ~Registration();
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

private:
    HMODULE module_;
    const ModuleTable* table_;
};

/// Registers table for module (Registration does this); tables of one module accumulate.
void registerTable(HMODULE module, const ModuleTable& table);
void unregisterTable(HMODULE module, const ModuleTable& table);

/// The string id of module in the preferred language (see findResource); nullptr if the
/// module holds no such string.
const StringEntry* findString(HMODULE module, UINT id);
/// The dialog template of module; nullptr if absent.
const DialogResource* findDialog(HMODULE module, ResourceName name);
/// True when module has resources registered.
bool hasResources(HMODULE module);

/// The language used to choose among a resource's language versions: the exact language,
/// then the same primary language, then neutral, then US English, then the first one.
LANGID preferredLanguage();

}  // namespace platform::res
