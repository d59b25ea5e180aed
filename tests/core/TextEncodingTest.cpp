#include <gtest/gtest.h>

#include <string>

#include "core/platform/TextEncoding.h"

namespace plicora {
namespace {

TEST(TextEncodingTest, Utf8Validity) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain ASCII\r"));
  EXPECT_TRUE(IsValidUtf8("\xE3\x81\x82\xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("\x82\x6c"));          // CP932
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xE3\x81"));          // cut off
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
}

TEST(TextEncodingTest, Cp932Conversion) {
  EXPECT_EQ(Cp932ToUtf8("\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e"),
            "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF");
  EXPECT_EQ(Cp932ToUtf8("a\\b"), "a\\b");          // backslash stays a backslash in CP932
  EXPECT_EQ(Cp932ToUtf8("\xB1"), "\xEF\xBD\xB1");  // half-width katakana
  // Bytes that are not CP932 are replaced one by one and conversion goes on.
  EXPECT_EQ(Cp932ToUtf8("x\xA0y\x82"), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
  const std::string many(10000, '\x82');
  EXPECT_FALSE(Cp932ToUtf8(many).empty());
  EXPECT_EQ(WorkFileTextToUtf8("\xE3\x81\x82"), "\xE3\x81\x82");
  EXPECT_EQ(WorkFileTextToUtf8("\x82\xA0"), "\xE3\x81\x82");
}

}  // namespace
}  // namespace plicora
