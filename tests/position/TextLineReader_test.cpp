#include "position/TextLineReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/PosixFileSystem.h"
#include "support/LoadByLoadRead.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::LoadByLoadPieces;
using test::ReadBytes;
using test::TempFolder;

using Lines = std::vector<std::u16string>;

// Every line ReadString hands out for a file, in 8-bit mode.
Lines ReadAllLines(const TempFolder& folder, std::string_view bytes) {
  folder.Write("lines.txt", bytes);
  TextLineReader reader(RealFileSystem());
  EXPECT_TRUE(reader.Open(folder.File("lines.txt"), TextLineReader::kReadShared));
  Lines lines;
  for (std::u16string line; reader.ReadString(line, false);) lines.push_back(line);
  return lines;
}

// How lines end and break at the 2000-byte loads is compared with a model below; these
// are the texts ReadString makes of them and the boundaries named one by one.
TEST(TextLineReader, ReadsLinesAsTextThroughTheCodePage) {
  TempFolder folder;
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

TEST(TextLineReader, ReadsSixteenBitTextAndStopsAtTheCallersSize) {
  TempFolder folder;
  // The euro sign and CR LF as 16-bit units, then "b" and one odd byte: seven bytes in all.
  folder.Write("wide.txt", std::string("\xAC\x20\r\0\n\0b", 7));
  TextLineReader reader(RealFileSystem());
  ASSERT_TRUE(reader.Open(folder.File("wide.txt"), TextLineReader::kReadShared));
  std::u16string line;
  ASSERT_TRUE(reader.ReadString(line, true));
  EXPECT_EQ(line, u"\u20AC\n");
  EXPECT_FALSE(reader.ReadString(line, true));  // "b" is the odd seventh byte
  EXPECT_EQ(line, u"\u20AC\n");                 // left as it was at the end

  ASSERT_TRUE(reader.SeekToBegin());
  char one[1] = {'?'};
  EXPECT_EQ(reader.ReadLineA(one, 1), nullptr);  // room for the terminator only
  EXPECT_EQ(one[0], '\0');
}

TEST(TextLineReader, WritesLinesEndedByCrLfOnlyWhenOpenedForWriting) {
  TempFolder folder;
  TextLineReader writer(RealFileSystem());
  for (const unsigned flags :
       {TextLineReader::kModeCreate | TextLineReader::kModeWrite, TextLineReader::kReadShared}) {
    ASSERT_TRUE(writer.Open(folder.File("out.txt"), flags));
    writer.WriteLineA("ab");
    writer.WriteLineA(nullptr);
    writer.WriteLineW(u"\u20ACz");
    writer.WriteLineW(nullptr);
    writer.Close();
  }
  EXPECT_EQ(ReadBytes(folder.Path() / "out.txt"),
            std::string("ab\r\n\r\n\xAC\x20z\0\r\0\n\0\r\0\n\0", 18));
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
      if (random() % 40 == 0)
        contents.append(random() % 4601, 'r');  // a long line
      else
        contents += alphabet[random() % alphabet.size()];
    }
  }
  const TempFolder folder;
  TextLineReader reader(RealFileSystem());
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
      EXPECT_EQ(reader.ReadLineA(std::string(n, ' ').data(), n), nullptr);  // the end, again
    }
  }
}

}  // namespace
}  // namespace poirec
