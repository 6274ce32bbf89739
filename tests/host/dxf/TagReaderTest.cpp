// Tests of the tag level: splitting, group code types, value checks.
#include "host/dxf/TagReader.h"

#include <gtest/gtest.h>

using namespace host::dxf;

TEST(TagReaderTest, AcceptsLfCrlfAndBlanksAroundCodes) {
  auto tags = readTags("  0\r\nSECTION\r\n  2  \nHEADER\n 10 \t\r\n1.5\n  1\n  text with blanks  \r\n");
  ASSERT_TRUE(tags) << tags.status().toString();
  ASSERT_EQ(tags->size(), 4u);
  EXPECT_EQ((*tags)[0], Tag(0, "SECTION"));
  EXPECT_EQ((*tags)[1], Tag(2, "HEADER"));
  EXPECT_EQ((*tags)[2].code, 10);
  EXPECT_EQ((*tags)[2].line, 5u);
  EXPECT_EQ((*tags)[3].value, "  text with blanks  ");  // strings keep their blanks
}

TEST(TagReaderTest, ChecksEveryValueAgainstItsGroupCode) {
  struct Case {
    const char* text;
    bool ok;
  } cases[] = {
      {"10\n1.25\n", true},       {"10\n1e-3\n", true},        {"10\nabc\n", false},
      {"10\nnan\n", false},       {"10\ninf\n", false},         {"40\n\n", false},
      {"70\n32767\n", true},      {"70\n-32768\n", true},       {"70\n70000\n", false},
      {"70\n1.5\n", false},       {"90\n2147483647\n", true},   {"90\n99999999999\n", false},
      {"160\n-123456789012\n", true}, {"290\n1\n", true},       {"290\n2\n", false},
      {"330\n1A2F\n", true},      {"330\nXYZ\n", false},        {"330\n12345678901234567\n", false},
      {"310\n00FFab\n", true},    {"310\n0F0\n", false},        {"310\nGG\n", false},
      {"1004\nDEAD\n", true},     {"1071\n-5\n", true},         {"1\nanything\n", true},
      {"999\ncomment\n", true},   {" 1 0\n1\n", false},         {"abc\n1\n", false},
      {"85\n1\n", false},         {"5000\nx\n", false},         {"-1\nx\n", false},
  };
  for (const Case& c : cases) {
    auto tags = readTags(c.text);
    EXPECT_EQ(static_cast<bool>(tags), c.ok) << c.text;
  }
}

TEST(TagReaderTest, ReportsErrorsWithLinesAndGoesOn) {
  TagReader r("0\nSECTION\nxx\nbad\n10\nfoo\n20\n2.0\n30\n");
  TagView t;
  EXPECT_EQ(r.next(t), TagReader::Result::Tag);
  EXPECT_EQ(r.next(t), TagReader::Result::BadCode);
  EXPECT_EQ(r.error().line(), 3u);
  EXPECT_EQ(r.error().code(), ErrorCode::InvalidGroupCode);
  EXPECT_EQ(r.next(t), TagReader::Result::BadValue);
  EXPECT_EQ(r.error().line(), 5u);
  EXPECT_EQ(r.next(t), TagReader::Result::Tag);
  EXPECT_DOUBLE_EQ(t.real, 2.0);
  EXPECT_EQ(r.next(t), TagReader::Result::Truncated);
  EXPECT_EQ(r.next(t), TagReader::Result::End);
}

TEST(TagReaderTest, ParsesNumbersOnce) {
  TagReader r(" 62\n  -7\n 40\n 2.5 \n");
  TagView t;
  ASSERT_EQ(r.next(t), TagReader::Result::Tag);
  EXPECT_EQ(t.type, ValueType::Int16);
  EXPECT_EQ(t.integer, -7);
  ASSERT_EQ(r.next(t), TagReader::Result::Tag);
  EXPECT_EQ(t.type, ValueType::Double);
  EXPECT_DOUBLE_EQ(t.real, 2.5);
}

TEST(TagReaderTest, DetectsBinaryDxf) {
  std::string bin("AutoCAD Binary DXF\r\n\x1a\0", 22);
  EXPECT_TRUE(isBinaryDxf(bin + "rest"));
  EXPECT_FALSE(isBinaryDxf("  0\nSECTION\n"));
}
