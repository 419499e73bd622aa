#pragma once
// The character classes every text reader of the program shares. They never depend on
// the user's locale, so a position file or a POI file reads the same under any language.
#include <cstdint>
#include <string_view>

namespace poirec {

// White space as the program trims it and as a number's leading blanks are skipped:
// blank, tab, CR, LF, vertical tab and form feed, tested as one bit of a mask.
constexpr bool IsTrimmedSpace(char32_t c) {
  constexpr std::uint64_t kSpaces = (1ULL << ' ') | (1ULL << '\t') | (1ULL << '\r') |
                                    (1ULL << '\n') | (1ULL << '\v') | (1ULL << '\f');
  return c <= U' ' && ((kSpaces >> c) & 1) != 0;
}
constexpr bool IsTrimmedSpace(char16_t c) { return IsTrimmedSpace(char32_t{c}); }
// A byte of 8-bit text: the code page's characters above 0x7F are never white space.
constexpr bool IsTrimmedSpace(char c) {
  return IsTrimmedSpace(char32_t{static_cast<unsigned char>(c)});
}

// An ASCII digit, '0' to '9'.
constexpr bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

namespace detail {
template <typename Char>
constexpr std::basic_string_view<Char> TrimLeft(std::basic_string_view<Char> text) {
  while (!text.empty() && IsTrimmedSpace(text.front())) text.remove_prefix(1);
  return text;
}
template <typename Char>
constexpr std::basic_string_view<Char> Trim(std::basic_string_view<Char> text) {
  text = TrimLeft(text);
  while (!text.empty() && IsTrimmedSpace(text.back())) text.remove_suffix(1);
  return text;
}
}  // namespace detail

// The text without its leading white space, or without it at both ends; as 16-bit text
// or as the 8-bit bytes of a file.
constexpr std::u16string_view TrimLeft(std::u16string_view text) { return detail::TrimLeft(text); }
constexpr std::string_view TrimLeft(std::string_view text) { return detail::TrimLeft(text); }
constexpr std::u16string_view Trim(std::u16string_view text) { return detail::Trim(text); }
constexpr std::string_view Trim(std::string_view text) { return detail::Trim(text); }

}  // namespace poirec
