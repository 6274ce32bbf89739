// SignNamesAliases: the descriptions of the signs by block name, read from the library's
// "Alias.csv" once and shared by every object while the plug-in is loaded.
#pragma once

#include <afxstr.h>

/// Questions about sign names. The tables are class-wide: the first asker loads them
/// (load when isLoaded is false) and unload empties them when the plug-in unloads.
class SignNamesAliases {
public:
    /// findText is what matchesFind looks for in the descriptions (empty for the report).
    explicit SignNamesAliases(const CString& findText = CString());

    /// Whether the sign file at path has a description that contains the find text, ignoring
    /// case, under a name equal to the file's title, ignoring case.
    virtual bool matchesFind(const CString& filePath);
    /// The description stored under exactly that name (case-sensitive); empty text when there
    /// is none, and the name is then recorded with an empty description.
    virtual CString description(const CString& signName);
    /// The extra text (third field) under exactly that name; a missing name is recorded.
    virtual CString extraText(const CString& signName);

    /// True when the descriptions table is not empty.
    static bool isLoaded();
    /// Reads "Alias.csv" of the installation's signs folder into the tables.
    static void load();
    /// Reads the given alias file into the tables: every line "name;description[;extra]"
    /// (fields split at ";", empty fields vanish); lines with fewer than two fields are
    /// skipped; a later line for a name replaces the earlier one. A missing file adds nothing.
    static void load(const CString& aliasFile);
    /// Empties both tables (the plug-in's unload calls it).
    static void unload();

    CString findText;
};
