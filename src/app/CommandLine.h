#pragma once
// What a program of the project answers from its command line before it does anything else:
// a person asking for help or the version gets the answer and nothing more (no sound, no
// window, no file touched).
#include <string_view>

namespace poirec {

enum class InfoRequest { None, Help, Version };

// "--help" or "-h", or "--version", the first of them among the arguments. Every other
// argument is left alone: Qt takes its own (such as -platform), and the recording takes none.
InfoRequest FindInfoRequest(int argc, const char* const argv[]);

// Writes the text to standard output; the exit status for it: 0, or 1 when it could not be
// written whole (a full disk, a closed pipe).
int PrintInfo(std::string_view text);

}  // namespace poirec
