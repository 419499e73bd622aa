// A text file of any bytes, read by the line reader. Its pieces must be those of the
// byte-by-byte model of the load-by-load read, each piece's text its bytes up to the first
// zero byte, and a read to the end must have read the whole file, also after a seek back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "InputFile.h"
#include "LoadByLoadRead.h"
#include "platform/PosixFileSystem.h"
#include "position/TextLineReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace poirec;
  static const fuzz::InputFile file("lines.txt");
  file.Write(data, size);
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> expected = fuzz::LoadByLoadPieces(contents);

  TextLineReader reader(RealFileSystem());
  if (!reader.Open(file.Path())) std::abort();
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<std::string> pieces;
    for (TextLineReader::Piece piece; reader.ReadPiece(piece);) {
      if (piece.text != piece.bytes.substr(0, piece.bytes.find('\0'))) std::abort();
      pieces.push_back(std::string(piece.bytes) + (piece.endsLine ? "\n" : ""));
    }
    if (pieces != expected || !reader.ReadWholeFile() || !reader.SeekToBegin()) std::abort();
  }
  return 0;
}
