#pragma once
// Reads an 8-bit text file line by line, folding the line ends CR, LF and CR LF into one
// LF. One object may read several files one after the other.
//
// The lines are those of a reader that loads the file 2000 bytes at a time and looks for
// the LF after a line end only within the current load: a CR that ends a load ends its
// line, and an LF that begins the next load is a line of its own. This reader gives
// exactly those lines but reads 64 KB at a time and finds line ends with memchr, keeping
// the 2000-byte load boundaries by file offset.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/File.h"

namespace poirec {

class TextLineReader {
 public:
  static constexpr std::size_t kLoadSize = 2000;

  // A piece of a line as ReadString reads it, valid until the next read.
  struct Piece {
    std::string_view bytes;  // the piece as stored in the file, without its line end
    std::string_view text;   // bytes up to the first zero byte: the text ReadString gives
    bool endsLine = false;   // a line end follows, so ReadString's text ends with LF
  };

  explicit TextLineReader(FileSystem& files) : files_(&files), file_(files) {}

  // Opening (for reading) and seeking to the start both begin reading afresh.
  bool Open(std::u16string_view path);
  // Reads a file opened (and perhaps locked) by the caller, from where it stands.
  void Open(File file);
  bool SeekToBegin();
  void Close() { file_.Close(); }

  // Reads the next piece of a line as text, keeping its final LF; false at the end of the
  // file, leaving text as it was. The bytes become characters through the code page, up
  // to the first zero byte.
  bool ReadString(std::u16string& text);

  // The next piece of at most 1999 bytes, without a copy; false at the end.
  bool ReadPiece(Piece& piece);

  // True once a read reported the end and every byte of the file, as long as it is now,
  // was read: a read error or a file that grew meanwhile gives false.
  bool ReadWholeFile();

 private:
  // Fills piece with the next piece; empty at the end. Filled in place: a returned copy,
  // read right after its store, costs the search a third of its speed.
  void NextPiece(Piece& piece);
  // Keeps the unread bytes, moved to the front, and reads more behind them; false when
  // the file has no more.
  bool Refill();
  std::size_t NextFrom(std::size_t& cached, char wanted);
  void Restart();

  static constexpr std::size_t kReadSize = 64 * 1024;
  static constexpr std::size_t kUnknown = SIZE_MAX;

  FileSystem* files_;
  File file_;
  // A large read and what is left of the one before (less than a load).
  // buffer_[begin_, end_) are the unread bytes, at bufferOffset_ + begin_ in the file.
  std::vector<char> buffer_ = std::vector<char>(kReadSize + kLoadSize);
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::size_t nextCr_ = kUnknown;    // the first CR at or after begin_ (end_ when none)
  std::size_t nextZero_ = kUnknown;  // the first zero byte at or after begin_ (end_ when none)
  std::int64_t bufferOffset_ = 0;
  bool fileEnded_ = false;
  bool reportedEnd_ = false;
};

// Reads the rest of a file line by line in the reader's pieces: onPiece(piece, startsLine)
// for every piece, onLineEnd() after the last piece of every line, a last line without a
// line end too. Either one returning false stops the read; true when it ran to the end.
template <typename OnPiece, typename OnLineEnd>
bool ReadLinePieces(TextLineReader& reader, OnPiece onPiece, OnLineEnd onLineEnd) {
  bool inLine = false;
  for (TextLineReader::Piece piece; reader.ReadPiece(piece);) {
    const bool startsLine = !inLine;
    inLine = !piece.endsLine;
    if (!onPiece(piece, startsLine) || (piece.endsLine && !onLineEnd())) return false;
  }
  return !inLine || onLineEnd();
}

}  // namespace poirec
