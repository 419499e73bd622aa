#pragma once
// Reads an 8-bit text file in large blocks and hands out its lines in exactly the pieces
// that TextLineReader::ReadString(text, false) returns, as views into its own buffer:
// lines end at CR, LF or CR LF; a line end also swallows an LF right after it when both
// lie in the same 2000-byte load of the line reader; a line longer than 1999 bytes comes
// in pieces of 1999. The POI searches read whole folders of files and need the same
// lines as the line reader without a copy and a code page conversion per line.
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/File.h"

namespace poirec {

class LinePieceReader {
 public:
  struct Piece {
    std::string_view bytes;  // the piece as stored in the file, without its line end
    std::string_view text;   // bytes up to the first zero byte: the text ReadString gives
    bool endsLine = false;   // a line end follows, so ReadString's text ends with LF
  };

  // The longest piece: ReadString reads into 2000 bytes, one of them the final zero.
  static constexpr std::size_t kPieceLength = 1999;
  // The bytes held at once: a large read and what is left of the last one.
  static constexpr std::size_t kBufferSize = 64 * 1024 + 2 * kPieceLength;

  LinePieceReader();
  ~LinePieceReader();
  LinePieceReader(const LinePieceReader&) = delete;
  LinePieceReader& operator=(const LinePieceReader&) = delete;

  // Opens a file for reading without keeping other programs from reading or writing it.
  bool Open(std::u16string_view path);
  void Close();

  // The next piece, valid until the next call; false at the end of the file.
  bool Next(Piece& piece);

  // True once Next has reported the end and every byte of the file, as long as it is
  // now, was read: a read error or a file that grew meanwhile gives false.
  bool ReadWholeFile();

 private:
  // Keeps the unread bytes, moved to the front, and reads more behind them; false
  // when the file has no more.
  bool Refill();
  std::size_t NextFrom(std::size_t& cached, char wanted);

  File file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0;  // the next byte to hand out
  std::size_t end_ = 0;    // bytes in buffer_
  std::size_t nextCr_ = 0;   // the first CR at or after begin_ (end_ when none)
  std::size_t nextZero_ = 0;  // the first zero byte at or after begin_ (end_ when none)
  std::int64_t bufferOffset_ = 0;  // the file offset of buffer_[0]
  bool fileEnded_ = false;
  bool reportedEnd_ = false;
};

}  // namespace poirec
