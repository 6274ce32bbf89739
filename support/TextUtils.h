// Small conversions between texts and numbers, and a substring test.
#pragma once

#include <afxstr.h>

/// Trims spaces at both ends; fails (output unchanged) when the rest starts with a character
/// other than a digit, '.', ',' or '-'. Otherwise stores the leading decimal integer of the
/// rest (0 when there is none, so "" and "-" give 0, "12,5" gives 12) and succeeds.
[[nodiscard]] bool parseInteger(const CString& text, int& output);
/// The value formatted with "%d".
CString formatInteger(int value);
/// Whether part occurs in text (case-sensitive).
bool containsText(const CString& text, const CString& part);
