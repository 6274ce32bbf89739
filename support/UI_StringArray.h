// The plug-in's string list and the operations on string lists: search, sort, join and
// split, prefix and suffix, filter, removal, reversal and copying of ranges.
#pragma once

#include <afxcoll.h>

/// A growable list of texts: the class library's string array with a virtual destructor.
class UI_StringArray : public CStringArray {
public:
    UI_StringArray() = default;
    UI_StringArray(const UI_StringArray& other);
    UI_StringArray& operator=(const UI_StringArray& other);
    virtual ~UI_StringArray();
};

/// Index of the first element equal to text under case-insensitive collation; -1 if none.
int indexOfNoCase(const CStringArray& list, const CString& text);
/// The last element, or empty text for an empty list.
CString lastOrEmpty(const CStringArray& list);
/// Sorts ascending by ordinal, case-sensitive comparison (qsort: not stable).
void sortList(CStringArray& list);
/// The elements in order with separator between each two; empty text for an empty list.
CString joinList(const CStringArray& list, const CString& separator);
/// Splits text at any character of delimiters into non-empty tokens (runs of delimiters count
/// as one). With trim on, every token loses tabs, line feeds and spaces at both ends (a token
/// that becomes empty is kept as empty text). The list is cleared first, except when the
/// delimiter set is empty: then the whole text is appended to what the list holds.
void splitText(const CString& text, const CString& delimiters, CStringArray& list, bool trim);
/// Every element becomes text followed by the element.
void prefixAll(CStringArray& list, const CString& text);
/// Every element becomes the element followed by text.
void appendToAll(CStringArray& list, const CString& text);
/// Appends to output, in order, every element that contains text (case-sensitive).
void filterContaining(const CStringArray& list, const CString& text, CStringArray& output);
/// Removes count elements from index on; nothing for a negative index. Elements past the end
/// of the list are not there to remove: the range is cut at the end.
void removeAtIfValid(CStringArray& list, int index, int count);
/// Removes every element equal (case-sensitive) to an earlier one, keeping first occurrences
/// in order. Returns the new count.
int removeDuplicates(CStringArray& list);
/// Reverses the order of the elements in place.
void reverseList(CStringArray& list);
/// Appends to output at most count elements of list from first on, stopping at its end.
void copyRange(const CStringArray& list, int first, int count, CStringArray& output);
