#include <gtest/gtest.h>

#include "platform/code_page.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using platform::equalsIgnoringCase;
using platform::findLastCharacter;
using platform::nextCharacter;

#ifdef _WIN32
TEST(CodePageTest, WindowsRunsWithTheGbkCodePage) { EXPECT_EQ(::GetACP(), 936u); }
#endif

TEST(CodePageTest, LeadBytesAreThoseOfGbk) {
  EXPECT_FALSE(platform::isLeadByte(0x5C));
  EXPECT_FALSE(platform::isLeadByte(0x80));
  EXPECT_TRUE(platform::isLeadByte(0x81));
  EXPECT_TRUE(platform::isLeadByte(0xFE));
  EXPECT_FALSE(platform::isLeadByte(0xFF));
}

TEST(CodePageTest, ScansStepOverDoubleByteCharacters) {
  // "C:\表\a" where 表 (B1 ED) is harmless and "\x81\x5C" ends in a byte equal to a backslash.
  const std::string path = "C:\\\xB1\xED\\a\\\x81\x5C.exe";
  EXPECT_EQ(nextCharacter(path, 3), 5u);
  EXPECT_EQ(nextCharacter(path, 0), 1u);
  EXPECT_EQ(nextCharacter(path, path.size()), path.size());
  EXPECT_EQ(nextCharacter("\x81", 0), 1u) << "a lone lead byte at the end is one character";
  EXPECT_EQ(findLastCharacter(path, '\\'), 7u) << "the trail byte 0x5C is not a backslash";
  EXPECT_EQ(findLastCharacter("noslash", '\\'), std::string_view::npos);
}

TEST(CodePageTest, ComparisonIgnoresAsciiCaseOnly) {
  EXPECT_TRUE(equalsIgnoringCase("DIZHI", "dizhi"));
  EXPECT_TRUE(equalsIgnoringCase("C:\\Data\\Wenjia.QDB", "c:\\data\\WENJIA.qdb"));
  EXPECT_FALSE(equalsIgnoringCase("dizhi", "dizh"));
  EXPECT_FALSE(equalsIgnoringCase("a_b", "a-b"));
  EXPECT_TRUE(equalsIgnoringCase("\xB5\xD8\xD6\xB7", "\xB5\xD8\xD6\xB7"));  // 地址
  // "\x81a" is one double-byte character; "\x81A" must not equal it by ASCII folding of a
  // trail byte.
  EXPECT_FALSE(equalsIgnoringCase("x\x81" "a", "X\x81" "b"));
}

}  // namespace
