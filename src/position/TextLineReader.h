#pragma once
// Reads a text file line by line, folding the line ends CR, LF and CR LF into one LF, in
// 8-bit or 16-bit (little-endian) units; and writes lines ended by CR LF. One object may
// read several files one after the other.
//
// The lines are those of a reader that loads the file 2000 bytes at a time and looks for
// the LF after a line end only within the current load: a CR that ends a load ends its
// line, and an LF that begins the next load is a line of its own. The 8-bit read gives
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
  // Open flags in the file class's manner.
  static constexpr unsigned kModeRead = 0x0000;
  static constexpr unsigned kModeWrite = 0x0001;
  static constexpr unsigned kModeReadWrite = 0x0002;
  static constexpr unsigned kShareDenyNone = 0x0040;
  static constexpr unsigned kModeCreate = 0x1000;
  static constexpr unsigned kTypeText = 0x4000;
  // What every reader of this program passes: read, deny nobody, text.
  static constexpr unsigned kReadShared = kModeRead | kShareDenyNone | kTypeText;

  static constexpr std::size_t kLoadSize = 2000;

  // The flags the file itself is opened with: the text bit is the reader's business.
  static constexpr unsigned FileOpenFlags(unsigned flags) { return flags & ~kTypeText; }

  // A piece of a line as ReadString(text, false) reads it, valid until the next read.
  struct Piece {
    std::string_view bytes;  // the piece as stored in the file, without its line end
    std::string_view text;   // bytes up to the first zero byte: the text ReadString gives
    bool endsLine = false;   // a line end follows, so ReadString's text ends with LF
  };

  explicit TextLineReader(FileSystem& files) : files_(&files), file_(files) {}

  // Opening and seeking to the start both begin reading afresh.
  bool Open(std::u16string_view path, unsigned flags);
  // Reads a file opened (and perhaps locked) by the caller, from where it stands.
  void Open(File file);
  bool SeekToBegin();
  void Close() { file_.Close(); }

  // Writes the text (when given) and then CR LF, as bytes or as 16-bit units.
  void WriteLineA(const char* text);
  void WriteLineW(const char16_t* text);

  // Reads the next line, keeping its final LF, into text; false at the end of the file,
  // leaving text as it was. wide selects 16-bit units; otherwise the bytes become
  // characters through the code page, up to the first zero byte.
  bool ReadString(std::u16string& text, bool wide);

  // Reads at most n - 1 units of the next line into destination and terminates them
  // with a zero unit. Returns destination when a unit was stored, else nullptr.
  char* ReadLineA(char* destination, unsigned n);
  char16_t* ReadLineW(char16_t* destination, unsigned n);

  // The next 8-bit piece of at most 1999 bytes, without a copy; false at the end.
  bool ReadPiece(Piece& piece);

  // True once a read reported the end and every byte of the file, as long as it is now,
  // was read: a read error or a file that grew meanwhile gives false.
  bool ReadWholeFile();

 private:
  // Fills piece with the next 8-bit piece of at most limit (< kLoadSize) bytes; empty at
  // the end. Filled in place: a returned copy, read right after its store, costs the
  // search a third of its speed.
  void NextPiece(Piece& piece, std::size_t limit);
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
  std::vector<char> buffer_ = std::vector<char>(kReadSize + kLoadSize);
  // 8-bit reading: buffer_[begin_, end_) are the unread bytes, at bufferOffset_ + begin_
  // in the file.
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::size_t nextCr_ = kUnknown;    // the first CR at or after begin_ (end_ when none)
  std::size_t nextZero_ = kUnknown;  // the first zero byte at or after begin_ (end_ when none)
  std::int64_t bufferOffset_ = 0;
  bool fileEnded_ = false;
  bool reportedEnd_ = false;
  // 16-bit reading: 2000-byte loads into the front of buffer_, counted in units.
  std::size_t wideCount_ = 0;
  std::size_t widePosition_ = 0;
};

}  // namespace poirec
