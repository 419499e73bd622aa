#pragma once
// Conversions between the three text forms the program meets: 16-bit text in memory,
// 8-bit file contents in Windows-1252, and file names on disk (UTF-8 where they are valid).
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

// Text that people put into POI files (names, comments): today's editors write UTF-8, older
// programs and this one Windows-1252. Text that is valid UTF-8 and holds at least one
// character beyond ASCII is read as UTF-8; any other as DecodeCodePage reads it. Like that,
// it ends at the first zero byte.
std::u16string DecodeFileText(std::string_view bytes);

// Characters become bytes by their low 8 bits, the way every writer of this system
// stores text.
inline unsigned char LowByte(char16_t c) { return static_cast<unsigned char>(c & 0xFF); }

// File names are bytes on disk, mostly UTF-8 but not always: a name copied from an older
// system may hold Windows-1252 bytes. The 16-bit form of a name keeps every byte, so two
// names that differ on disk stay two names and each one opens its own file: a byte that
// is not part of a valid UTF-8 sequence becomes the character U+DC00 + byte (U+DC80 to
// U+DCFF, a lone surrogate that no valid UTF-8 text gives), and turns back into that byte.
std::u16string Utf8ToUtf16(std::string_view text);
// The bytes of a name: UTF-8, with the characters U+DC80 to U+DCFF as the bytes they
// stand for; any other lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// A character of a name as the screens show it: a byte that is not UTF-8 as its
// Windows-1252 character, every other character as it is.
char16_t ShownNameCharacter(char16_t c);

}  // namespace poirec
