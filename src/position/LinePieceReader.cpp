#include "position/LinePieceReader.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace poirec {
namespace {

// The line reader loads its file in pieces of this size; a line end swallows the LF
// after it only when that LF lies in the same load.
constexpr std::int64_t kLineReaderLoad = 2000;
constexpr std::size_t kCapacity = LinePieceReader::kBufferSize;
constexpr std::size_t kUnknown = std::numeric_limits<std::size_t>::max();

}  // namespace

LinePieceReader::LinePieceReader() : buffer_(new char[kCapacity]) {}

LinePieceReader::~LinePieceReader() = default;

bool LinePieceReader::Open(std::u16string_view path) {
  if (!file_.Open(path, File::Mode::Read)) return false;
  begin_ = end_ = 0;
  nextCr_ = nextZero_ = kUnknown;
  bufferOffset_ = 0;
  fileEnded_ = reportedEnd_ = false;
  return true;
}

void LinePieceReader::Close() { file_.Close(); }

bool LinePieceReader::Refill() {
  if (fileEnded_) return false;
  const std::size_t kept = end_ - begin_;
  std::memmove(buffer_.get(), buffer_.get() + begin_, kept);
  bufferOffset_ += static_cast<std::int64_t>(begin_);
  begin_ = 0;
  end_ = kept;
  nextCr_ = nextZero_ = kUnknown;  // what lies behind the kept bytes is not searched yet
  const std::size_t read = file_.Read(buffer_.get() + end_, kCapacity - end_);
  if (read == 0) {
    fileEnded_ = true;
    return false;
  }
  end_ += read;
  return true;
}

std::size_t LinePieceReader::NextFrom(std::size_t& cached, char wanted) {
  if (cached == kUnknown || cached < begin_) {
    const void* found = std::memchr(buffer_.get() + begin_, wanted, end_ - begin_);
    cached = found == nullptr ? end_ : static_cast<std::size_t>(static_cast<const char*>(found) -
                                                                 buffer_.get());
  }
  return cached;
}

bool LinePieceReader::Next(Piece& piece) {
  // A piece and its line end are decided within kPieceLength + 1 bytes.
  while (end_ - begin_ <= kPieceLength && Refill()) {
  }
  const std::size_t available = end_ - begin_;
  if (available == 0) {
    reportedEnd_ = true;
    return false;
  }
  const std::size_t start = begin_;
  const std::size_t limit = start + std::min(available, kPieceLength);
  const char* data = buffer_.get();
  const void* lf = std::memchr(data + start, '\n', limit - start);
  const std::size_t lineEnd =
      std::min(lf == nullptr ? limit : static_cast<std::size_t>(static_cast<const char*>(lf) - data),
               NextFrom(nextCr_, '\r'));
  const std::size_t zero = NextFrom(nextZero_, '\0');

  std::size_t stop = limit;
  piece.endsLine = lineEnd < limit;
  if (piece.endsLine) {
    stop = lineEnd;
    begin_ = lineEnd + 1;
    // CR LF, or a line end and an LF, is one line end when the two share a load.
    if (begin_ < end_ && data[begin_] == '\n' &&
        (bufferOffset_ + static_cast<std::int64_t>(begin_)) % kLineReaderLoad != 0) {
      ++begin_;
    }
  } else {
    begin_ = limit;
  }
  piece.bytes = std::string_view(data + start, stop - start);
  piece.text = piece.bytes.substr(0, std::min(stop, zero) - start);
  return true;
}

bool LinePieceReader::ReadWholeFile() {
  return reportedEnd_ && bufferOffset_ + static_cast<std::int64_t>(end_) == file_.Length();
}

}  // namespace poirec
