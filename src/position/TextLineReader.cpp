#include "position/TextLineReader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/TextEncoding.h"

namespace poirec {

bool TextLineReader::Open(std::u16string_view path) {
  File opened(*files_);
  if (!opened.Open(path, File::Mode::Read)) return false;
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

void TextLineReader::NextPiece(Piece& piece) {
  // A piece and the LF that may follow its line end lie within one load's length.
  while (end_ - begin_ < kLoadSize && Refill()) {
  }
  const char* data = buffer_.data();
  const std::size_t start = begin_;
  const std::size_t stop = start + std::min(end_ - start, kLoadSize - 1);
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
  NextPiece(piece);
  reportedEnd_ = piece.bytes.empty() && !piece.endsLine;
  return !reportedEnd_;
}

bool TextLineReader::ReadWholeFile() {
  return reportedEnd_ && bufferOffset_ + static_cast<std::int64_t>(end_) == file_.Length();
}

bool TextLineReader::ReadString(std::u16string& text) {
  Piece piece;
  if (!ReadPiece(piece)) return false;
  text = DecodeCodePage(piece.text);
  if (piece.endsLine && piece.text.size() == piece.bytes.size()) text += u'\n';
  return true;
}

}  // namespace poirec
