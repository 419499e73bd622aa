#pragma once
// A logical palette: the colours a picture is drawn with.
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace poirec {

struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;
  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

class LogicalPalette {
 public:
  static constexpr std::uint16_t kVersion = 0x300;
  static constexpr std::size_t kMaxEntries = 256;

  // None when the version is not 0x300 or the entry count is not 1 to 256.
  static std::optional<LogicalPalette> Create(std::uint16_t version,
                                              std::vector<PaletteEntry> entries);

  std::uint16_t Version() const { return version_; }
  std::span<const PaletteEntry> Entries() const { return entries_; }

 private:
  LogicalPalette(std::uint16_t version, std::vector<PaletteEntry> entries)
      : version_(version), entries_(std::move(entries)) {}

  std::uint16_t version_;
  std::vector<PaletteEntry> entries_;
};

}  // namespace poirec
