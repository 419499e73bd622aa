#pragma once
// The program's 16-bit text as the screens show it: as it is, and a category's name with
// every "°" as a blank and its bytes that are not UTF-8 as Windows-1252; on the category
// buttons long names are cut to ".." and their end.
#include <QString>
#include <string_view>

namespace poirec {

QString ToQString(std::u16string_view text);

// The longest caption a category button shows whole.
inline constexpr int kMaxSlotCaptionLength = 34;

// The name with every "°" (U+00B0) shown as a blank, and the bytes of a file name that
// are not UTF-8 as their Windows-1252 characters.
QString DisplayName(std::u16string_view name);

// The name as a category button shows it: DisplayName, and when that is longer than 34
// characters, ".." followed by its last 32 characters.
QString SlotCaption(std::u16string_view name);

}  // namespace poirec
