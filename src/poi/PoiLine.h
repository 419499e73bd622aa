#pragma once
// One line of a POI file: longitude, a comma, latitude, a comma, the name in double
// quotes. Readers also meet comments (first non-blank character ";") and lines written
// by other programs; whatever does not look like a POI line is rejected, never an error.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "position/GeoPoint.h"

namespace poirec {

// The name field keeps this many characters, counted before trimming.
inline constexpr std::size_t kPoiNameLength = 128;

struct PoiLine {
  GeoPoint position;
  // The third field as read: cut to kPoiNameLength characters, then trimmed. Double
  // quotes stay, so a name this program wrote reads back with its quotes.
  std::u16string name;
};

// Reads a line as the line reader hands it out (it may still end with its "\n").
// Coordinates are read like every coordinate text of the program, from at most the
// first 11 characters of their trimmed field; a field without a number gives 0. Text
// after a third comma is ignored. Rejects blank lines, comments, lines without a comma
// and lines whose first comma comes first.
std::optional<PoiLine> ParsePoiLine(std::u16string_view line);

// Whether ParsePoiLine accepts the line whose 8-bit bytes (up to their first zero byte,
// where the code page conversion stops) these are, and the position it gives, read
// without decoding the bytes into 16-bit text: the searches read millions of lines and
// need only the numbers. Common numbers are read straight from the bytes; any other
// field goes the 16-bit way, so the result is always ParsePoiLine's. (The position comes
// back through a reference: a returned optional costs the search a stall per line.)
bool ParsePoiPosition(std::string_view bytes, GeoPoint& position);

// A first look that spares a search the full reading of lines that cannot be the nearest:
// for a line that begins with a longitude written as this program writes it
// ("-8.1234560,"), true and a longitude at most one millionth from ParsePoiPosition's,
// which accepts every such line. False for any other line, which needs the exact reading.
bool ReadPoiLongitudeNearly(std::string_view bytes, std::int32_t& lon);

}  // namespace poirec
