// Tests of tag formatting: code alignment, exact doubles, binary chunks.
#include "host/dxf/TagWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "host/dxf/TagReader.h"

using namespace host::dxf;

TEST(TagWriterTest, AlignsCodesAsAutoCadDoes) {
  StringSink sink;
  {
    TagWriter w(sink);
    w.write(0, "LINE");
    w.write(10, 1.5);
    w.write(100, "AcDbLine");
    w.write(1001, "APP");
    w.write(70, 3);
    w.write(40, 2.0);
  }
  EXPECT_EQ(sink.text(), "  0\nLINE\n 10\n1.5\n100\nAcDbLine\n1001\nAPP\n 70\n3\n 40\n2.0\n");
}

TEST(TagWriterTest, DoublesRoundTripExactly) {
  std::mt19937_64 rng(42);
  std::uniform_real_distribution<double> mag(-300, 300);
  for (int i = 0; i < 2000; ++i) {
    double v = std::ldexp(static_cast<double>(rng()) / 1.8446744073709552e19, static_cast<int>(mag(rng)) / 4);
    if (i % 2) v = -v;
    Tag t = makeTag(10, v);
    ASSERT_EQ(t.toDouble().value(), v) << t.value;
  }
  EXPECT_EQ(formatDouble(0.1), "0.1");
  EXPECT_EQ(formatDouble(1e20), "1e+20");
  EXPECT_EQ(formatDouble(-3), "-3.0");
  EXPECT_EQ(formatDouble(std::nan("")), "0.0");  // never unreadable text
}

TEST(TagWriterTest, WritesBinaryInChunksOf127Bytes) {
  std::vector<std::uint8_t> bytes(300);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
  TagListSink sink;
  {
    TagWriter w(sink);
    w.writeBinary(310, bytes);
  }
  ASSERT_EQ(sink.tags().size(), 3u);
  EXPECT_EQ(sink.tags()[0].value.size(), 254u);
  EXPECT_EQ(sink.tags()[2].value.size(), 2u * (300 - 254));
  std::vector<std::uint8_t> back;
  for (const Tag& t : sink.tags()) ASSERT_TRUE(appendHexBytes(t.value, back));
  EXPECT_EQ(back, bytes);
}

TEST(TagWriterTest, CutsLineEndsOutOfValues) {
  StringSink sink;
  {
    TagWriter w(sink);
    w.write(1, "one\ntwo");
  }
  auto tags = readTags(sink.text());
  ASSERT_TRUE(tags);
  ASSERT_EQ(tags->size(), 1u);
  EXPECT_EQ((*tags)[0].value, "one");
}
