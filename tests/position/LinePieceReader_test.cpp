#include "position/LinePieceReader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "position/TextLineReader.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

// Each piece with "\n" when it ends a line, as the line reader's 8-bit read gives it. No
// file here holds 0xFF, so the zero before the first 0xFF ends a piece.
std::vector<std::string> ExactPieces(const std::u16string& path) {
  constexpr unsigned kLoad = TextLineReader::kLoadSize;
  std::vector<std::string> pieces;
  TextLineReader reader;
  reader.Open(path, TextLineReader::kReadShared);
  for (std::string line(kLoad + 1, '\xFF'); reader.ReadLineA(line.data(), kLoad) != nullptr;
       line.assign(kLoad + 1, '\xFF')) {
    pieces.push_back(line.substr(0, line.find(std::string_view("\0\xFF", 2))));
  }
  return pieces;
}

std::vector<std::string> FastPieces(const std::u16string& path) {
  std::vector<std::string> pieces;
  LinePieceReader reader;
  reader.Open(path);
  for (LinePieceReader::Piece piece; reader.Next(piece);) {
    EXPECT_EQ(piece.text, piece.bytes.substr(0, piece.bytes.find('\0')));
    pieces.push_back(std::string(piece.bytes) + (piece.endsLine ? "\n" : ""));
  }
  EXPECT_TRUE(reader.ReadWholeFile());
  return pieces;
}

// Chosen files, then generated ones of short and long lines, line ends and zero bytes.
TEST(LinePieceReader, HandsOutTheLineReadersPieces) {
  // A CR that ends a 2000-byte load keeps the LF after it as a line of its own; a piece
  // of 1999 bytes leaves its line end alone; an LF after a CR can be the first byte the
  // fast reader has not read yet.
  constexpr std::size_t kBufferSize = LinePieceReader::kBufferSize;
  std::vector<std::string> files = {std::string(1999, 'x') + "\r\n", std::string(1999, 'l') + "\n",
                                    std::string((kBufferSize - 2000) % 2000 + 1, '\n')};
  while (files[2].size() < 3 * kBufferSize) files[2] += std::string(1998, 'x') + "\r\n";
  std::mt19937 random(4242);
  const std::string alphabet = std::string("\r\n\r\n\n\n,0.;  abcdefghij") + '\0';
  for (std::size_t size = 0; size < 180000; size += 3001) {
    std::string& contents = files.emplace_back();
    while (contents.size() < size) {
      if (random() % 40 == 0) contents.append(random() % 2601, 'r');  // a long line
      else contents += alphabet[random() % alphabet.size()];
    }
  }
  const test::TempFolder folder;
  for (std::size_t i = 0; i < files.size(); ++i) {
    folder.Write("lines.txt", files[i]);
    ASSERT_EQ(FastPieces(folder.File("lines.txt")), ExactPieces(folder.File("lines.txt")))
        << "file " << i;
  }
}

}  // namespace
}  // namespace poirec
