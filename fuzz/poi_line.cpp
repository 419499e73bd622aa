// One line of a POI file. The searches read positions straight from the bytes
// (ParsePoiPosition); they must accept exactly the lines ParsePoiLine accepts in their
// decoded text, at exactly its position, or a search would find another POI than the
// one a deletion removes. Nor may their first look at the longitude pass a line that is
// none, or lie more than one millionth from it. Any difference aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/TextEncoding.h"
#include "poi/PoiLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace poirec;
  // The line as the reader hands it out: the bytes up to the first zero byte, in memory
  // of exactly their size, so that a read past the end is caught.
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t length = std::min(input.find('\0'), input.size());
  const auto bytes = std::make_unique<char[]>(length);
  std::memcpy(bytes.get(), input.data(), length);
  const std::string_view line(bytes.get(), length);

  GeoPoint fast;
  const bool fastAccepts = ParsePoiPosition(line, fast);
  const auto general = ParsePoiLine(DecodeCodePage(line));
  if (fastAccepts != general.has_value() || (fastAccepts && fast != general->position)) {
    std::fprintf(stderr, "ParsePoiPosition %s (%d, %d), ParsePoiLine %s (%d, %d)\n",
                 fastAccepts ? "accepts" : "rejects", fast.lon, fast.lat,
                 general ? "accepts" : "rejects", general ? general->position.lon : 0,
                 general ? general->position.lat : 0);
    std::abort();
  }
  std::int32_t lon = 0;
  if (ReadPoiLongitudeNearly(line, lon) &&
      (!general || std::abs(std::int64_t{lon} - general->position.lon) > 1)) {
    std::fprintf(stderr, "ReadPoiLongitudeNearly %d\n", lon);
    std::abort();
  }
  return 0;
}
