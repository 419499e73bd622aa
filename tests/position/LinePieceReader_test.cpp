#include "position/LinePieceReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "position/TextLineReader.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::TempFolder;
using namespace std::string_literals;

struct RawPiece {
  std::string bytes;  // without the line end
  bool endsLine = false;
  friend bool operator==(const RawPiece&, const RawPiece&) = default;
};

// What the line reader's 8-bit read hands out, with the zero bytes inside a line:
// the destination is filled with a byte the files never hold, so the terminating zero is
// the last zero before it.
std::vector<RawPiece> PiecesFromTextLineReader(const std::u16string& path) {
  std::vector<RawPiece> pieces;
  TextLineReader reader;
  if (!reader.Open(path, TextLineReader::kReadShared)) return pieces;
  std::array<char, TextLineReader::kLoadSize> line{};
  for (;;) {
    line.fill('\xFF');
    if (reader.ReadLineA(line.data(), static_cast<unsigned>(line.size())) == nullptr) break;
    std::size_t length = line.size() - 1;
    while (line[length] != '\0' || (length + 1 < line.size() && line[length + 1] != '\xFF')) {
      --length;
    }
    RawPiece piece{std::string(line.data(), length), false};
    if (!piece.bytes.empty() && piece.bytes.back() == '\n') {
      piece.bytes.pop_back();
      piece.endsLine = true;
    }
    pieces.push_back(piece);
  }
  return pieces;
}

std::vector<RawPiece> PiecesFromLinePieceReader(const std::u16string& path) {
  std::vector<RawPiece> pieces;
  LinePieceReader reader;
  if (!reader.Open(path)) return pieces;
  LinePieceReader::Piece piece;
  while (reader.Next(piece)) {
    EXPECT_EQ(piece.text, piece.bytes.substr(0, piece.bytes.find('\0')));
    pieces.push_back({std::string(piece.bytes), piece.endsLine});
  }
  EXPECT_TRUE(reader.ReadWholeFile());
  return pieces;
}

void ExpectSamePieces(const TempFolder& folder, const std::string& contents) {
  folder.Write("lines.txt", contents);
  const std::u16string path = folder.File("lines.txt");
  const std::vector<RawPiece> expected = PiecesFromTextLineReader(path);
  const std::vector<RawPiece> actual = PiecesFromLinePieceReader(path);
  ASSERT_EQ(actual.size(), expected.size()) << "file of " << contents.size() << " bytes";
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(actual[i], expected[i]) << "piece " << i << " of a file of " << contents.size();
  }
}

TEST(LinePieceReader, HandsOutTheLineReadersPiecesAtLoadAndPieceBoundaries) {
  TempFolder folder;
  ExpectSamePieces(folder, "");
  ExpectSamePieces(folder, "a\r\nb");
  ExpectSamePieces(folder, "a\rb\n\nc\n\r\nd\r\r\ne\n");
  ExpectSamePieces(folder, "a\0b\nc\0\n\0zzz"s);
  // A CR that ends a 2000-byte load keeps the LF after it as a line of its own.
  ExpectSamePieces(folder, std::string(1999, 'x') + "\r\nafter");
  ExpectSamePieces(folder, std::string(500, 'y') + "\n" + std::string(1498, 'x') + "\r\nafter");
  ExpectSamePieces(folder, std::string(3999, 'x') + "\n\nafter\n");
  // Long lines come in pieces of 1999 bytes; one of exactly 1999 leaves its line end alone.
  ExpectSamePieces(folder, std::string(2500, 'l') + "\r\nnext");
  ExpectSamePieces(folder, std::string(1999, 'l') + "\nnext");
  ExpectSamePieces(folder, std::string(3998, 'l') + "\r\n" + std::string(5000, 'm'));
  // A CR LF whose LF is the first byte the reader has not read yet.
  std::string lines((LinePieceReader::kBufferSize - 2000) % 2000 + 1, '\n');
  while (lines.size() < 3 * LinePieceReader::kBufferSize) lines += std::string(1998, 'x') + "\r\n";
  ExpectSamePieces(folder, lines);
  // Around the reader's own block boundaries.
  for (const std::size_t size : {65535u, 65536u, 65537u, 66000u, 131072u}) {
    ExpectSamePieces(folder, std::string(size - 1, 'b') + "\r\nend");
    lines.clear();
    while (lines.size() < size) lines += "12.3456789, 47.1234500, \"name\"\r\n";
    ExpectSamePieces(folder, lines);
  }
}

TEST(LinePieceReader, HandsOutTheLineReadersPiecesForGeneratedFiles) {
  TempFolder folder;
  std::mt19937 random(4242);
  const std::string alphabet = "\r\n\r\n\n\n,0.;  abcdefghij";
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> run(0, 2600);
  std::uniform_int_distribution<int> oneIn(0, 40);
  for (int file = 0; file < 60; ++file) {
    std::string contents;
    const std::size_t size = static_cast<std::size_t>(file) * 3001;
    while (contents.size() < size) {
      const int choice = oneIn(random);
      if (choice == 0) {
        contents.append(static_cast<std::size_t>(run(random)), 'r');  // a long line
      } else if (choice == 1) {
        contents += '\0';
      } else {
        contents += alphabet[pick(random)];
      }
    }
    ExpectSamePieces(folder, contents);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(LinePieceReader, ReportsAFileItCannotOpen) {
  TempFolder folder;
  LinePieceReader reader;
  EXPECT_FALSE(reader.Open(folder.File("missing.txt")));
  EXPECT_FALSE(reader.Open(folder.Folder()));
}

}  // namespace
}  // namespace poirec
