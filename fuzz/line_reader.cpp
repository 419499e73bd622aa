// A text file of any bytes, read by the line reader in each of its ways. The 8-bit pieces
// and ReadLineA's lines must be those of the byte-by-byte model of the load-by-load read,
// and a read to the end must have read the whole file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "InputFile.h"
#include "platform/PosixFileSystem.h"
#include "position/TextLineReader.h"
#include "support/LoadByLoadRead.h"

namespace {

using poirec::TextLineReader;

void Check(bool condition) {
  if (!condition) std::abort();
}

// What a C string holds of a line with "\n" when a line end followed: up to its first zero.
std::string_view UpToZero(std::string_view line) { return line.substr(0, line.find('\0')); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace poirec;
  static const fuzz::InputFile file("lines.txt");
  file.Write(data, size);
  const std::string_view contents(reinterpret_cast<const char*>(data), size);

  TextLineReader reader(RealFileSystem());
  Check(reader.Open(file.Path(), TextLineReader::kReadShared));
  std::vector<std::string> pieces;
  for (TextLineReader::Piece piece; reader.ReadPiece(piece);) {
    Check(piece.text == UpToZero(piece.bytes));
    pieces.push_back(std::string(piece.bytes) + (piece.endsLine ? "\n" : ""));
  }
  Check(reader.ReadWholeFile());
  Check(pieces == test::LoadByLoadPieces(contents, TextLineReader::kLoadSize));

  for (const unsigned n : {1u, 7u, 4500u}) {
    Check(reader.SeekToBegin());
    const std::vector<std::string> expected = test::LoadByLoadPieces(contents, n);
    std::size_t count = 0;
    for (std::string line(n, '?'); reader.ReadLineA(line.data(), n) != nullptr; ++count) {
      Check(count < expected.size() && line.c_str() == UpToZero(expected[count]));
    }
    Check(count == expected.size());
  }

  // 16-bit units: a line never holds more than the caller's room.
  Check(reader.SeekToBegin());
  for (std::u16string line; reader.ReadString(line, true);) {
    Check(line.size() < TextLineReader::kLoadSize / 2);
  }
  return 0;
}
