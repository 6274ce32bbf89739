// Conversions between texts and numbers.
#include "support/TextUtils.h"

#include <stdlib.h>

bool parseInteger(const CString& text, int& output) {
    CString trimmed(text);
    trimmed.Trim(L' ');
    if (!trimmed.IsEmpty() && CString(L"0123456789.,-").Find(trimmed.GetAt(0)) < 0)
        return false;
    output = _wtoi(trimmed);
    return true;
}

CString formatInteger(int value) {
    CString text;
    text.Format(L"%d", value);
    return text;
}

bool containsText(const CString& text, const CString& part) { return text.Find(part) >= 0; }
