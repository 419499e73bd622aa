#include "platform/TextEncoding.h"

#include <array>

namespace poirec {
namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the undefined ones keep their own value.
// clang-format off
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
// clang-format on

// A byte of a file name that is not UTF-8 is held as this base plus the byte. ASCII bytes
// are always valid, so only U+DC80 to U+DCFF occur.
constexpr char16_t kByteCharacterBase = 0xDC00;
constexpr char16_t kFirstByteCharacter = kByteCharacterBase + 0x80;
constexpr char16_t kLastByteCharacter = kByteCharacterBase + 0xFF;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The length of the valid UTF-8 sequence that text begins with, or 0 when it does not
// begin with one. Only the shortest form of a character is valid, and neither surrogates
// nor characters beyond U+10FFFF are: every valid sequence is then the one form of its
// character, so a name turns back into exactly its bytes.
std::size_t ValidSequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // shorter forms
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // shorter forms
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

char16_t CodePageToChar(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControlRange[byte - 0x80];
  return byte;
}

std::u16string DecodeCodePage(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (const char b : bytes) {
    if (b == '\0') break;
    text.push_back(CodePageToChar(static_cast<unsigned char>(b)));
  }
  return text;
}

std::u16string DecodeFileText(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  bool beyondAscii = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = ValidSequenceLength(bytes.substr(i));
    if (length == 0) return DecodeCodePage(bytes);
    beyondAscii = beyondAscii || length > 1;
    i += length;
  }
  return beyondAscii ? Utf8ToUtf16(bytes) : DecodeCodePage(bytes);
}

char16_t ShownNameCharacter(char16_t c) {
  if (c >= kFirstByteCharacter && c <= kLastByteCharacter) {
    return CodePageToChar(static_cast<unsigned char>(c - kByteCharacterBase));
  }
  return c;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= kFirstByteCharacter && c <= kLastByteCharacter) {
      out.push_back(static_cast<char>(c - kByteCharacterBase));
      continue;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t length = ValidSequenceLength(text.substr(i));
    const auto lead = static_cast<unsigned char>(text[i]);
    if (length == 0) {  // a byte that is no part of a UTF-8 character stands for itself
      out.push_back(static_cast<char16_t>(kByteCharacterBase + lead));
      ++i;
      continue;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
    i += length;
  }
  return out;
}

}  // namespace poirec
