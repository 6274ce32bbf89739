// String list operations.
#include "support/UI_StringArray.h"

#include <cstdlib>
#include <unordered_set>
#include <string>
#include <vector>

UI_StringArray::UI_StringArray(const UI_StringArray& other) : CStringArray() { Copy(other); }

UI_StringArray& UI_StringArray::operator=(const UI_StringArray& other) {
    if (this != &other)
        Copy(other);
    return *this;
}

UI_StringArray::~UI_StringArray() = default;

int indexOfNoCase(const CStringArray& list, const CString& text) {
    const int count = static_cast<int>(list.GetSize());
    for (int i = 0; i < count; ++i) {
        if (list.GetAt(i).CollateNoCase(text) == 0)
            return i;
    }
    return -1;
}

CString lastOrEmpty(const CStringArray& list) {
    const int count = static_cast<int>(list.GetSize());
    return count > 0 ? list.GetAt(count - 1) : CString();
}

namespace {
int compareTexts(const void* a, const void* b) {
    const CString* left = *static_cast<const CString* const*>(a);
    const CString* right = *static_cast<const CString* const*>(b);
    return left->Compare(*right);
}
}  // namespace

void sortList(CStringArray& list) {
    const int count = static_cast<int>(list.GetSize());
    if (count < 2)
        return;
    // qsort moves its elements bytewise, which a string object does not survive; it sorts
    // pointers to the elements instead, and the list is then rebuilt in that order.
    std::vector<const CString*> order(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        order[static_cast<size_t>(i)] = &list.GetAt(i);
    std::qsort(order.data(), order.size(), sizeof(order[0]), compareTexts);
    CStringArray sorted;
    sorted.SetSize(count);
    for (int i = 0; i < count; ++i)
        sorted.SetAt(i, *order[static_cast<size_t>(i)]);
    list.Copy(sorted);
}

CString joinList(const CStringArray& list, const CString& separator) {
    CString result;
    const int count = static_cast<int>(list.GetSize());
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            result += separator;
        result += list.GetAt(i);
    }
    return result;
}

void splitText(const CString& text, const CString& delimiters, CStringArray& list, bool trim) {
    if (delimiters.IsEmpty()) {
        list.Add(text);
        return;
    }
    list.RemoveAll();
    int position = 0;
    CString token = text.Tokenize(delimiters, position);
    while (position != -1) {
        if (trim)
            token.Trim(L"\t\n ");
        list.Add(token);
        token = text.Tokenize(delimiters, position);
    }
}

void prefixAll(CStringArray& list, const CString& text) {
    const int count = static_cast<int>(list.GetSize());
    for (int i = 0; i < count; ++i)
        list.SetAt(i, text + list.GetAt(i));
}

void appendToAll(CStringArray& list, const CString& text) {
    const int count = static_cast<int>(list.GetSize());
    for (int i = 0; i < count; ++i)
        list.SetAt(i, list.GetAt(i) + text);
}

void filterContaining(const CStringArray& list, const CString& text, CStringArray& output) {
    const int count = static_cast<int>(list.GetSize());
    for (int i = 0; i < count; ++i) {
        if (list.GetAt(i).Find(text) >= 0)
            output.Add(list.GetAt(i));
    }
}

void removeAtIfValid(CStringArray& list, int index, int count) {
    const int size = static_cast<int>(list.GetSize());
    if (index < 0 || index >= size || count <= 0)
        return;
    if (count > size - index)
        count = size - index;
    list.RemoveAt(index, count);
}

int removeDuplicates(CStringArray& list) {
    const int count = static_cast<int>(list.GetSize());
    std::unordered_set<std::wstring> seen;
    seen.reserve(static_cast<size_t>(count));
    CStringArray kept;
    for (int i = 0; i < count; ++i) {
        const CString& element = list.GetAt(i);
        if (seen.insert(std::wstring(element.GetString(), element.GetLength())).second)
            kept.Add(element);
    }
    if (kept.GetSize() != list.GetSize())
        list.Copy(kept);
    return static_cast<int>(list.GetSize());
}

void reverseList(CStringArray& list) {
    int low = 0;
    int high = static_cast<int>(list.GetSize()) - 1;
    while (low < high) {
        CString swap = list.GetAt(low);
        list.SetAt(low, list.GetAt(high));
        list.SetAt(high, swap);
        ++low;
        --high;
    }
}

void copyRange(const CStringArray& list, int first, int count, CStringArray& output) {
    const int size = static_cast<int>(list.GetSize());
    if (first < 0)
        return;
    for (int i = first; i < size && i - first < count; ++i)
        output.Add(list.GetAt(i));
}
