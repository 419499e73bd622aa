#pragma once
// Reads a text file line by line through a 2000-byte load buffer, folding the line ends
// CR, LF and CR LF into one LF, in 8-bit or 16-bit (little-endian) units; and writes
// lines ended by CR LF. One object may read several files one after the other.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

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

  bool Open(std::u16string_view path, unsigned flags);
  bool SeekToBegin() { return file_.Seek(0); }
  // Closes the file; the load buffer stays as it is, so callers read to the end first.
  void Close() { file_.Close(); }
  bool IsOpen() const { return file_.IsOpen(); }

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

 private:
  template <typename Unit>
  Unit* ReadLine(Unit* destination, unsigned n);

  File file_;
  std::array<unsigned char, kLoadSize> buffer_{};
  std::int32_t count_ = 0;     // valid units in buffer_ from the last load
  std::int32_t position_ = 0;  // the next unit to hand out
};

}  // namespace poirec
