#include "position/TextLineReader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/TextEncoding.h"

namespace poirec {
namespace {

File::Mode ModeFor(unsigned flags) {
  switch (flags & 0x3) {
    case TextLineReader::kModeWrite: return File::Mode::Write;
    case TextLineReader::kModeReadWrite:
      return (flags & TextLineReader::kModeCreate) != 0 ? File::Mode::Write : File::Mode::ReadWrite;
    default: return File::Mode::Read;
  }
}

}  // namespace

bool TextLineReader::Open(std::u16string_view path, unsigned flags) {
  File opened(*files_);
  if (!opened.Open(path, ModeFor(FileOpenFlags(flags)))) return false;
  Open(std::move(opened));
  return true;
}

void TextLineReader::Open(File file) {
  file_ = std::move(file);
  Restart();
}

bool TextLineReader::SeekToBegin() {
  if (!file_.Seek(0)) return false;
  Restart();
  return true;
}

void TextLineReader::Restart() {
  begin_ = end_ = 0;
  nextCr_ = nextZero_ = kUnknown;
  bufferOffset_ = 0;
  fileEnded_ = reportedEnd_ = false;
  wideCount_ = widePosition_ = 0;
}

void TextLineReader::WriteLineA(const char* text) {
  if (text != nullptr) file_.Write(text, std::strlen(text));
  file_.Write("\r\n", 2);
}

void TextLineReader::WriteLineW(const char16_t* text) {
  if (text != nullptr) {
    for (const char16_t* unit = text; *unit != 0; ++unit) {
      const unsigned char bytes[2] = {LowByte(*unit), static_cast<unsigned char>(*unit >> 8)};
      file_.Write(bytes, 2);
    }
  }
  static constexpr unsigned char kLineEnd[4] = {0x0D, 0x00, 0x0A, 0x00};
  file_.Write(kLineEnd, sizeof kLineEnd);
}

bool TextLineReader::Refill() {
  if (fileEnded_) return false;
  const std::size_t kept = end_ - begin_;
  std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
  bufferOffset_ += static_cast<std::int64_t>(begin_);
  begin_ = 0;
  end_ = kept;
  nextCr_ = nextZero_ = kUnknown;  // what lies behind the kept bytes is not searched yet
  const std::size_t read = file_.Read(buffer_.data() + end_, kReadSize);
  end_ += read;
  fileEnded_ = read == 0;
  return !fileEnded_;
}

std::size_t TextLineReader::NextFrom(std::size_t& cached, char wanted) {
  if (cached == kUnknown || cached < begin_) {
    const char* data = buffer_.data();
    const void* found = std::memchr(data + begin_, wanted, end_ - begin_);
    cached =
        found == nullptr ? end_ : static_cast<std::size_t>(static_cast<const char*>(found) - data);
  }
  return cached;
}

void TextLineReader::NextPiece(Piece& piece, std::size_t limit) {
  // A piece and the LF that may follow its line end lie within one load's length.
  while (end_ - begin_ < kLoadSize && Refill()) {
  }
  const char* data = buffer_.data();
  const std::size_t start = begin_;
  const std::size_t stop = start + std::min(end_ - start, limit);
  const void* lf = std::memchr(data + start, '\n', stop - start);
  const std::size_t lineEnd =
      std::min(lf == nullptr ? stop : static_cast<std::size_t>(static_cast<const char*>(lf) - data),
               NextFrom(nextCr_, '\r'));
  piece.endsLine = lineEnd < stop;
  piece.bytes = std::string_view(data + start, lineEnd - start);
  piece.text = piece.bytes.substr(0, std::min(NextFrom(nextZero_, '\0'), lineEnd) - start);
  begin_ = piece.endsLine ? lineEnd + 1 : stop;
  // An LF right after the line end belongs to it, so CR LF is one, but only when it lies
  // in the same 2000-byte load: a CR that ends a load ends its line, and the LF that
  // begins the next load is a line of its own.
  if (piece.endsLine && begin_ < end_ && data[begin_] == '\n' &&
      (bufferOffset_ + static_cast<std::int64_t>(begin_)) % std::int64_t{kLoadSize} != 0) {
    ++begin_;
  }
}

bool TextLineReader::ReadPiece(Piece& piece) {
  NextPiece(piece, kLoadSize - 1);
  reportedEnd_ = piece.bytes.empty() && !piece.endsLine;
  return !reportedEnd_;
}

bool TextLineReader::ReadWholeFile() {
  return reportedEnd_ && bufferOffset_ + static_cast<std::int64_t>(end_) == file_.Length();
}

char* TextLineReader::ReadLineA(char* destination, unsigned n) {
  std::size_t stored = 0;
  Piece piece;
  while (stored + 1 < n) {
    NextPiece(piece, std::min<std::size_t>(n - 1 - stored, kLoadSize - 1));
    std::memcpy(destination + stored, piece.bytes.data(), piece.bytes.size());
    stored += piece.bytes.size();
    if (piece.endsLine) {
      destination[stored++] = '\n';
      break;
    }
    if (piece.bytes.empty()) {
      reportedEnd_ = true;
      break;
    }
  }
  if (n > 0) destination[stored] = '\0';
  return stored > 0 ? destination : nullptr;
}

char16_t* TextLineReader::ReadLineW(char16_t* destination, unsigned n) {
  const auto unitAt = [this](std::size_t index) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer_.data()) + 2 * index;
    return static_cast<char16_t>(bytes[0] | bytes[1] << 8);
  };
  unsigned stored = 0;
  while (stored + 1 < n) {
    if (widePosition_ == wideCount_) {
      wideCount_ = file_.Read(buffer_.data(), kLoadSize) / 2;  // an odd last byte is dropped
      widePosition_ = 0;
    }
    if (wideCount_ == 0) break;
    const char16_t unit = unitAt(widePosition_++);
    if (unit == u'\r' || unit == u'\n') {
      // As in the 8-bit read, the look-ahead for the LF stays within the load.
      if (widePosition_ < wideCount_ && unitAt(widePosition_) == u'\n') ++widePosition_;
      destination[stored++] = u'\n';
      break;
    }
    destination[stored++] = unit;
  }
  if (n > 0) destination[stored] = 0;
  return stored > 0 ? destination : nullptr;
}

bool TextLineReader::ReadString(std::u16string& text, bool wide) {
  if (wide) {
    char16_t line[kLoadSize / 2];
    if (ReadLineW(line, kLoadSize / 2) == nullptr) return false;
    text.assign(line);
    return true;
  }
  Piece piece;
  if (!ReadPiece(piece)) return false;
  text = DecodeCodePage(piece.text);
  if (piece.endsLine && piece.text.size() == piece.bytes.size()) text += u'\n';
  return true;
}

}  // namespace poirec
