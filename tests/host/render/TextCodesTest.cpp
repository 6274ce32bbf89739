// TextCodesTest.cpp - UTF conversions and the TEXT/MTEXT inline code decoders.
#include <gtest/gtest.h>

#include "host/render/TextCodes.h"

using namespace host::render;

TEST(RenderTextCodesTest, MTextToPlain) {
  struct Case {
    const char* raw;
    const char* plain;
  } cases[] = {
      {"Line1\\PLine2", "Line1\nLine2"},
      {"{\\fArial|b1|i0|c238|p34;Bold} text", "Bold text"},
      {"\\H2.5;Big\\H1x;small", "Bigsmall"},
      {"{\\C1;red} {\\c255;true}", "red true"},
      {"\\LUnder\\l \\OOver\\o \\KStrike\\k", "Under Over Strike"},
      {"a\\~b", "a\xC2\xA0" "b"},
      {"\\\\ \\{ \\}", "\\ { }"},
      {"\\S1^2; \\S3/4; \\S5#6;", "1/2 3/4 5/6"},
      {"\\U+0141\\U+00F3d\\U+017A", "\xC5\x81\xC3\xB3" "d\xC5\xBA"},
      {"\\pxi-3,l3,t3;Item", "Item"},
      {"\\A1;mid\\Q15;slant\\W0.8;narrow\\T2;wide", "midslantnarrowwide"},
      {"x^Jy^Iz^ w", "x\ny z^w"},
      {"45%%d %%p0.1 %%c20 100%%%", "45\xC2\xB0 \xC2\xB1" "0.1 \xE2\x8C\x80" "20 100%"},
      {"trailing\\", "trailing\\"},
      {"\\fArial", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(mtextToPlain(std::string_view(c.raw)), c.plain) << c.raw;
  EXPECT_EQ(mtextToPlain(std::wstring_view(L"A\\PB")), L"A\nB");
}

TEST(RenderTextCodesTest, TextCodes) {
  EXPECT_EQ(decodeTextCodes(std::string_view("%%uUnder%%u 90%%D %%065")), "Under 90\xC2\xB0 A");
  EXPECT_EQ(decodeTextCodes(std::wstring_view(L"%%c5")), L"\u23005");
  EXPECT_EQ(decodeTextCodes(std::string_view("50%")), "50%");
  EXPECT_EQ(decodeTextCodes(std::string_view("%%")), "%%");
}

TEST(RenderTextCodesTest, Utf8RoundTripAndRepair) {
  const std::wstring w = L"Za\u017C\u00F3\u0142\u0107 \U0001F600";
  EXPECT_EQ(wideFromUtf8(utf8FromWide(w)), w);
  EXPECT_EQ(sanitizeUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(sanitizeUtf8("\xC3"), "\xEF\xBF\xBD");             // cut short
  EXPECT_EQ(sanitizeUtf8("\xC0\xAF"), "\xEF\xBF\xBD");      // overlong
  EXPECT_EQ(sanitizeUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD");  // encoded surrogate
  std::wstring lone;
  lone += static_cast<wchar_t>(0xD800);
  EXPECT_EQ(utf8FromWide(lone), "\xEF\xBF\xBD");
}
