#pragma once
// Conversions between the three text forms the program meets: 16-bit text in memory,
// 8-bit file contents in Windows-1252, and UTF-8 file names on disk.
#include <string>
#include <string_view>

namespace poirec {

// Windows-1252, the code page the POI and position files are written in; its five
// undefined bytes map to the C1 code points of the same value, so every byte has a
// character and every file reads back byte for byte.
char16_t CodePageToChar(unsigned char byte);

// The standard 8-bit to 16-bit conversion: byte by byte through the code page, ending
// at the first zero byte as the platform's conversion of a terminated text does.
std::u16string DecodeCodePage(std::string_view bytes);

// Characters become bytes by their low 8 bits, the way every writer of this system
// stores text.
inline unsigned char LowByte(char16_t c) { return static_cast<unsigned char>(c & 0xFF); }

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace poirec
