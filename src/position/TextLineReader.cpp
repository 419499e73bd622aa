#include "position/TextLineReader.h"

#include <cstring>
#include <utility>

#include "platform/TextEncoding.h"

namespace poirec {
namespace {

File::Mode ModeFor(unsigned flags) {
  switch (flags & 0x3) {
    case TextLineReader::kModeWrite:
      return File::Mode::Write;
    case TextLineReader::kModeReadWrite:
      return (flags & TextLineReader::kModeCreate) != 0 ? File::Mode::Write
                                                        : File::Mode::ReadWrite;
    default:
      return File::Mode::Read;
  }
}

}  // namespace

bool TextLineReader::Open(std::u16string_view path, unsigned flags) {
  File opened;
  if (!opened.Open(path, ModeFor(FileOpenFlags(flags)))) return false;
  file_ = std::move(opened);
  return true;
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

template <typename Unit>
Unit* TextLineReader::ReadLine(Unit* destination, unsigned n) {
  constexpr std::int32_t kUnitSize = sizeof(Unit);
  const auto unitAt = [this](std::int32_t index) -> Unit {
    if constexpr (kUnitSize == 1) {
      return static_cast<Unit>(buffer_[static_cast<std::size_t>(index)]);
    } else {
      const auto low = buffer_[static_cast<std::size_t>(2 * index)];
      const auto high = buffer_[static_cast<std::size_t>(2 * index + 1)];
      return static_cast<Unit>(low | (high << 8));
    }
  };

  unsigned stored = 0;
  while (stored + 1 < n) {
    if (position_ == count_) {
      const std::size_t bytes = file_.Read(buffer_.data(), buffer_.size());
      count_ = static_cast<std::int32_t>(bytes) / kUnitSize;  // an odd last byte is dropped
      position_ = 0;
    }
    if (count_ == 0) break;
    const Unit unit = unitAt(position_++);
    if (unit == Unit('\r') || unit == Unit('\n')) {
      // An LF right after the CR or LF belongs to this line end, so CR LF is one. The
      // look-ahead never loads: a CR that ends a load ends its line, and the LF that
      // begins the next load is a line of its own.
      if (position_ < count_ && unitAt(position_) == Unit('\n')) ++position_;
      destination[stored++] = Unit('\n');
      break;
    }
    destination[stored++] = unit;
  }
  if (n > 0) destination[stored] = Unit(0);
  return stored > 0 ? destination : nullptr;
}

char* TextLineReader::ReadLineA(char* destination, unsigned n) {
  return ReadLine(destination, n);
}

char16_t* TextLineReader::ReadLineW(char16_t* destination, unsigned n) {
  return ReadLine(destination, n);
}

bool TextLineReader::ReadString(std::u16string& text, bool wide) {
  if (wide) {
    std::array<char16_t, kLoadSize / 2> line{};
    if (ReadLineW(line.data(), static_cast<unsigned>(line.size())) == nullptr) return false;
    text.assign(line.data());
    return true;
  }
  std::array<char, kLoadSize> line{};
  if (ReadLineA(line.data(), static_cast<unsigned>(line.size())) == nullptr) return false;
  text = DecodeCodePage(line.data());
  return true;
}

}  // namespace poirec
