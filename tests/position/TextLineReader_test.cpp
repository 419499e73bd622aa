#include "position/TextLineReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::ReadBytes;
using test::TempFolder;

// Every line ReadString hands out for a file, in 8-bit mode.
std::vector<std::u16string> ReadAllLines(TextLineReader& reader, const std::u16string& path) {
  std::vector<std::u16string> lines;
  EXPECT_TRUE(reader.Open(path, TextLineReader::kReadShared));
  std::u16string line;
  while (reader.ReadString(line, false)) lines.push_back(line);
  reader.Close();
  return lines;
}

std::vector<std::u16string> ReadAllLines(const TempFolder& folder, std::string_view bytes) {
  folder.Write("lines.txt", bytes);
  TextLineReader reader;
  return ReadAllLines(reader, folder.File("lines.txt"));
}

using Lines = std::vector<std::u16string>;

// The line read of a reader that loads 2000 bytes at a time, one byte at a time: pieces
// of at most n - 1 bytes, each with "\n" when a line end followed.
std::vector<std::string> LoadByLoadPieces(std::string_view file, std::size_t n) {
  std::vector<std::string> pieces;
  std::size_t loadEnd = 0;  // the current load ends here
  for (std::size_t at = 0;;) {
    std::string piece;
    while (piece.size() + 1 < n) {
      if (at == loadEnd) loadEnd = std::min(file.size(), at + 2000);
      if (at == loadEnd) break;
      const char c = file[at++];
      const bool lineEnd = c == '\r' || c == '\n';
      if (lineEnd && at < loadEnd && file[at] == '\n') ++at;  // only within the load
      piece += lineEnd ? '\n' : c;
      if (lineEnd) break;
    }
    if (piece.empty()) return pieces;
    pieces.push_back(piece);
  }
}

TEST(TextLineReader, FoldsEveryLineEndIntoOneLineFeed) {
  TempFolder folder;
  EXPECT_EQ(ReadAllLines(folder, "a\r\nb"), (Lines{u"a\n", u"b"}));
  EXPECT_EQ(ReadAllLines(folder, "a\rb"), (Lines{u"a\n", u"b"}));
  EXPECT_EQ(ReadAllLines(folder, "a\n\rb"), (Lines{u"a\n", u"\n", u"b"}));
  EXPECT_EQ(ReadAllLines(folder, "a\r\r\nb"), (Lines{u"a\n", u"\n", u"b"}));
  EXPECT_EQ(ReadAllLines(folder, "a\r\n\r\nb\n"), (Lines{u"a\n", u"\n", u"b\n"}));
  // An LF right after any line end is taken as part of it.
  EXPECT_EQ(ReadAllLines(folder, "a\n\nb\n"), (Lines{u"a\n", u"b\n"}));
  EXPECT_EQ(ReadAllLines(folder, ""), Lines{});
  // Bytes become characters through the code page, up to a zero byte.
  EXPECT_EQ(ReadAllLines(folder, "\x80\xE4\n"), (Lines{u"\u20AC\u00E4\n"}));
  EXPECT_EQ(ReadAllLines(folder, std::string("ab\0cd\n", 6)), (Lines{u"ab"}));
}

TEST(TextLineReader, ACarriageReturnEndingAFullLoadEndsItsLine) {
  TempFolder folder;
  // Byte 2000 is the CR of the second line and byte 2001 its LF, in the next load.
  std::string bytes = std::string(1000, 'a') + "\n" + std::string(998, 'b') + "\r\nnext";
  EXPECT_EQ(ReadAllLines(folder, bytes),
            (Lines{std::u16string(1000, u'a') + u"\n", std::u16string(998, u'b') + u"\n", u"\n",
                   u"next"}));

  // One byte earlier, CR and LF share a load and make one line end.
  bytes = std::string(1000, 'a') + "\n" + std::string(997, 'b') + "\r\nnext";
  EXPECT_EQ(ReadAllLines(folder, bytes),
            (Lines{std::u16string(1000, u'a') + u"\n", std::u16string(997, u'b') + u"\n",
                   u"next"}));
}

TEST(TextLineReader, LongLinesComeInPiecesAndLinesSpanLoads) {
  TempFolder folder;
  std::string bytes(2500, 'y');
  bytes += "\r\n";
  bytes += std::string(3000, 'z');
  const Lines lines = ReadAllLines(folder, bytes);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], std::u16string(1999, u'y'));
  EXPECT_EQ(lines[1], std::u16string(501, u'y') + u"\n");
  EXPECT_EQ(lines[2], std::u16string(1999, u'z'));
  EXPECT_EQ(lines[3], std::u16string(1001, u'z'));
  // A line that fills the array leaves its line end to the next read.
  EXPECT_EQ(ReadAllLines(folder, std::string(1999, 'x') + "\nnext"),
            (Lines{std::u16string(1999, u'x'), u"\n", u"next"}));
}

TEST(TextLineReader, ReadLineStopsAtTheCallersSize) {
  TempFolder folder;
  folder.Write("lines.txt", "abc\n");
  TextLineReader reader;
  ASSERT_TRUE(reader.Open(folder.File("lines.txt"), TextLineReader::kReadShared));
  char one[1] = {'?'};
  EXPECT_EQ(reader.ReadLineA(one, 1), nullptr);  // room for the terminator only
  EXPECT_EQ(one[0], '\0');
  char three[3];
  EXPECT_STREQ(reader.ReadLineA(three, 3), "ab");
  EXPECT_STREQ(reader.ReadLineA(three, 3), "c\n");
  EXPECT_EQ(reader.ReadLineA(three, 3), nullptr);
  EXPECT_EQ(reader.ReadLineA(three, 3), nullptr);  // the end is reported again
}

TEST(TextLineReader, ReadsSixteenBitTextAndDropsAnOddLastByte) {
  TempFolder folder;
  // "a", CR LF as 16-bit units, then "b" and one odd byte: seven bytes in all.
  folder.Write("wide.txt", std::string("a\0\r\0\n\0b", 7));
  TextLineReader reader;
  ASSERT_TRUE(reader.Open(folder.File("wide.txt"), TextLineReader::kReadShared));
  std::u16string line;
  ASSERT_TRUE(reader.ReadString(line, true));
  EXPECT_EQ(line, u"a\n");
  EXPECT_FALSE(reader.ReadString(line, true));  // "b" is the odd seventh byte
  EXPECT_EQ(line, u"a\n");                       // left as it was at the end

  folder.Write("euro.txt", std::string("\xAC\x20\x0D\x00", 4));
  ASSERT_TRUE(reader.Open(folder.File("euro.txt"), TextLineReader::kReadShared));
  ASSERT_TRUE(reader.ReadString(line, true));
  EXPECT_EQ(line, u"\u20AC\n");
}

TEST(TextLineReader, OneObjectReadsSeveralFilesInTurn) {
  TempFolder folder;
  folder.Write("first.txt", "1a\n1b");
  folder.Write("second.txt", "2a\r\n");
  TextLineReader reader;
  EXPECT_EQ(ReadAllLines(reader, folder.File("first.txt")), (Lines{u"1a\n", u"1b"}));
  EXPECT_EQ(ReadAllLines(reader, folder.File("second.txt")), (Lines{u"2a\n"}));
  EXPECT_FALSE(reader.Open(folder.File("missing.txt"), TextLineReader::kReadShared));
}

TEST(TextLineReader, OpensForReadingWithoutTheTextBitAndWritesCrLf) {
  EXPECT_EQ(TextLineReader::FileOpenFlags(0x4040), 0x0040u);
  EXPECT_EQ(TextLineReader::FileOpenFlags(0x0040), 0x0040u);

  TempFolder folder;
  TextLineReader writer;
  ASSERT_TRUE(writer.Open(folder.File("out.txt"), TextLineReader::kModeCreate |
                                                      TextLineReader::kModeWrite));
  writer.WriteLineA("ab");
  writer.WriteLineA(nullptr);
  writer.WriteLineW(u"\u20ACz");
  writer.WriteLineW(nullptr);
  writer.Close();
  EXPECT_EQ(ReadBytes(folder.Path() / "out.txt"),
            std::string("ab\r\n\r\n\xAC\x20z\0\r\0\n\0\r\0\n\0", 18));

  TextLineReader reader;  // opened for reading only: writes go nowhere
  ASSERT_TRUE(reader.Open(folder.File("out.txt"), TextLineReader::kReadShared));
  reader.WriteLineA("lost");
  reader.Close();
  EXPECT_EQ(ReadBytes(folder.Path() / "out.txt").size(), 18u);
}

// Generated files of short and long lines, line ends and zero bytes (never 0xFF), read as
// pieces and through ReadLineA with several sizes, from the start each time.
TEST(TextLineReader, GivesThePiecesOfTheLoadByLoadRead) {
  std::vector<std::string> files = {std::string(1999, 'x') + "\r\n", "\n"};
  while (files[1].size() < 150000) files[1] += std::string(1998, 'x') + "\r\n";  // CR ends loads
  std::mt19937 random(4242);
  const std::string alphabet = std::string("\r\n\r\n\n\n,0.;  abcdefghij") + '\0';
  for (std::size_t size = 0; size < 180000; size += 9001) {
    std::string& contents = files.emplace_back();
    while (contents.size() < size) {
      if (random() % 40 == 0) contents.append(random() % 4601, 'r');  // a long line
      else contents += alphabet[random() % alphabet.size()];
    }
  }
  const TempFolder folder;
  TextLineReader reader;
  for (std::size_t i = 0; i < files.size(); ++i) {
    folder.Write("lines.txt", files[i]);
    ASSERT_TRUE(reader.Open(folder.File("lines.txt"), TextLineReader::kReadShared));
    std::vector<std::string> pieces;
    for (TextLineReader::Piece piece; reader.ReadPiece(piece);) {
      EXPECT_EQ(piece.text, piece.bytes.substr(0, piece.bytes.find('\0')));
      pieces.push_back(std::string(piece.bytes) + (piece.endsLine ? "\n" : ""));
    }
    EXPECT_TRUE(reader.ReadWholeFile());
    EXPECT_EQ(pieces, LoadByLoadPieces(files[i], 2000)) << "file " << i;
    for (const unsigned n : {7u, 2000u, 4500u}) {
      ASSERT_TRUE(reader.SeekToBegin());
      pieces.clear();
      for (std::string line(n + 1, '\xFF'); reader.ReadLineA(line.data(), n) != nullptr;
           line.assign(n + 1, '\xFF'))
        pieces.push_back(line.substr(0, line.find(std::string_view("\0\xFF", 2))));
      EXPECT_EQ(pieces, LoadByLoadPieces(files[i], n)) << "file " << i << ", n = " << n;
    }
  }
}

}  // namespace
}  // namespace poirec
