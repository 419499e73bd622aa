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

// How lines end and break at the 2000-byte loads is the fuzz target fuzz_line_reader's: it
// compares the pieces with a model of the load-by-load read on its seed files (a CR that
// ends a load, lines longer than a piece). These are the texts ReadString makes of pieces.
TEST(TextLineReader, ReadsLinesAsTextThroughTheCodePage) {
  test::TempFolder folder;
  EXPECT_EQ(ReadAllLines(folder, "a\r\n\n\rb\r\x80\xE4\n"),
            (Lines{u"a\n", u"\n", u"\n", u"b\n", u"\u20AC\u00E4\n"}));
  EXPECT_EQ(ReadAllLines(folder, std::string("ab\0cd\n", 6)), (Lines{u"ab"}));  // up to a zero byte
}

}  // namespace
}  // namespace poirec
