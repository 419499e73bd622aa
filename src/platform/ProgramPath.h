#pragma once
#include <string>
#include <string_view>

namespace poirec {

// The full path of the program's own executable; empty when the system does not say.
std::u16string ProgramFilePath();

// The folder of a program file path, ending with "/": the path up to and including its
// last "/", or "/" alone when it has none.
std::u16string FolderOfProgram(std::u16string_view programFilePath);

// The folder of the running program's own file, ending with "/".
std::u16string ProgramFolder();

// The running program's process id, which no other running program shares.
long CurrentProcessId();
// Whether a process with this id runs now.
bool ProcessRuns(long id);

}  // namespace poirec
