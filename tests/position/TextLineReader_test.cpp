#include "position/TextLineReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PosixFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using Lines = std::vector<std::u16string>;

// Every line ReadString hands out for a file.
Lines ReadAllLines(const test::TempFolder& folder, std::string_view bytes) {
  folder.Write("lines.txt", bytes);
  TextLineReader reader(RealFileSystem());
  EXPECT_TRUE(reader.Open(folder.File("lines.txt")));
  Lines lines;
  for (std::u16string line; reader.ReadString(line);) lines.push_back(line);
  return lines;
}

// The fuzz target fuzz_line_reader compares the pieces with a model of the load-by-load read
// on its seed files; these are the texts ReadString makes of them and the boundaries named
// one by one.
TEST(TextLineReader, ReadsLinesAsTextThroughTheCodePage) {
  test::TempFolder folder;
  EXPECT_EQ(ReadAllLines(folder, "a\r\n\n\rb\r\x80\xE4\n"),
            (Lines{u"a\n", u"\n", u"\n", u"b\n", u"\u20AC\u00E4\n"}));
  EXPECT_EQ(ReadAllLines(folder, std::string("ab\0cd\n", 6)), (Lines{u"ab"}));  // up to a zero byte
  // Byte 2000 is the CR of the second line and byte 2001 its LF, in the next load.
  EXPECT_EQ(
      ReadAllLines(folder, std::string(1000, 'a') + "\n" + std::string(998, 'b') + "\r\nnext"),
      (Lines{std::u16string(1000, u'a') + u"\n", std::u16string(998, u'b') + u"\n", u"\n",
             u"next"}));
  // A long line comes in pieces of 1999 bytes.
  EXPECT_EQ(ReadAllLines(folder, std::string(2500, 'y') + "\r\n" + std::string(3000, 'z')),
            (Lines{std::u16string(1999, u'y'), std::u16string(501, u'y') + u"\n",
                   std::u16string(1999, u'z'), std::u16string(1001, u'z')}));
}

}  // namespace
}  // namespace poirec
