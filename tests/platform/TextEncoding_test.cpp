#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace poirec {
namespace {

TEST(TextEncoding, DecodesTheCodePage) {
  EXPECT_EQ(DecodeCodePage("\x80\x81\x9F\xA0\xFF"), u"\u20AC\u0081\u0178\u00A0\u00FF");
  EXPECT_EQ(DecodeCodePage(std::string("ab\0c", 4)), u"ab");
  // Text in a file is UTF-8 only when all of it is, with a character beyond ASCII.
  EXPECT_EQ(DecodeFileText("Caf\xC3\xA9 \xE2\x82\xAC"), u"Caf\u00E9 \u20AC");
  EXPECT_EQ(DecodeFileText("Caf\xC3\xA9 \x80"), u"Caf\u00C3\u00A9 \u20AC");
  EXPECT_EQ(DecodeFileText(std::string("\xC3\xA9\0\x80", 4)), u"\u00E9");
}

// Names as bytes on disk, their 16-bit form and how the screens show it. A byte that is
// not part of a valid UTF-8 character keeps its own character, whatever follows.
TEST(TextEncoding, NamesKeepEveryByte) {
  const std::tuple<std::string, std::u16string, std::u16string> names[] = {
      {"Caf\xC3\xA9 \xC2\xB0 \xE2\x82\xAC \xF0\x9F\x98\x80", u"Caf\u00E9 \u00B0 \u20AC \U0001F600",
       u"Caf\u00E9 \u00B0 \u20AC \U0001F600"},
      {"Caf\xE9", u"Caf\xDCE9", u"Caf\u00E9"},  // Windows-1252 on disk
      {"a\xFF"
       "b\x80",
       u"a\xDCFF"
       u"b\xDC80",
       u"a\u00FFb\u20AC"},
      {"\xC0\xAF", u"\xDCC0\xDCAF", u"\u00C0\u00AF"},                  // an overlong "/" is no "/"
      {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80", u"\u00ED\u00A0\u20AC"},  // a surrogate
      {"\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80", u"\u00F4\u0090\u20AC\u20AC"},  // > U+10FFFF
      {"\xE2\x82", u"\xDCE2\xDC82", u"\u00E2\u201A"},  // cut short at the end
      {"\xE2\x82x", u"\xDCE2\xDC82x", u"\u00E2\u201Ax"},
      {"\xC3\xC3\xA9", u"\xDCC3\u00E9", u"\u00C3\u00E9"},
  };
  for (const auto& [bytes, text, shown] : names) {
    EXPECT_EQ(Utf8ToUtf16(bytes), text) << bytes;
    EXPECT_EQ(Utf16ToUtf8(text), bytes) << bytes;
    std::u16string onScreen = text;
    std::transform(onScreen.begin(), onScreen.end(), onScreen.begin(), ShownNameCharacter);
    EXPECT_EQ(onScreen, shown) << bytes;
  }
  // Surrogates that stand for no byte have no bytes of their own.
  EXPECT_EQ(Utf16ToUtf8(u"\xD800x\xDC41"), "\xEF\xBF\xBDx\xEF\xBF\xBD");
}

// Every string of four bytes where UTF-8's rules change turns into 16-bit text and back
// into exactly its bytes, so no two names become one.
TEST(TextEncoding, EveryNameTurnsBackIntoItsBytes) {
  const char edges[] =
      "\x00\x41\x7F\x80\x8F\x90\x9F\xA0\xBF\xC0\xC1\xC2\xDF\xE0\xED\xEF\xF0\xF4\xF5\xFF";
  constexpr int kEdges = sizeof edges - 1;
  for (int digits = 0; digits < kEdges * kEdges * kEdges * kEdges; ++digits) {
    std::string name;
    for (int rest = digits; name.size() < 4; rest /= kEdges) name += edges[rest % kEdges];
    ASSERT_EQ(Utf16ToUtf8(Utf8ToUtf16(name)), name);
  }
}

}  // namespace
}  // namespace poirec
