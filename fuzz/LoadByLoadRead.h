#pragma once
// A model of the line reader: a reader that loads a file 2000 bytes at a time and reads it
// one byte at a time, which the fuzz target compares the real one with.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace poirec::fuzz {

// The lines of such a reader: pieces of at most 1999 bytes, each with "\n" when a line end
// followed. CR, LF and CR LF end a line, but an LF counts with the CR before it only within
// the same load.
inline std::vector<std::string> LoadByLoadPieces(std::string_view file) {
  std::vector<std::string> pieces;
  std::size_t loadEnd = 0;  // the current load ends here
  for (std::size_t at = 0;;) {
    std::string piece;
    while (piece.size() < 1999) {
      if (at == loadEnd) loadEnd = std::min(file.size(), at + 2000);
      if (at == loadEnd) break;
      const char c = file[at++];
      const bool lineEnd = c == '\r' || c == '\n';
      if (lineEnd && at < loadEnd && file[at] == '\n') ++at;  // only within the load
      piece += lineEnd ? '\n' : c;
      if (lineEnd) break;
    }
    if (piece.empty()) return pieces;
    pieces.push_back(piece);
  }
}

}  // namespace poirec::fuzz
