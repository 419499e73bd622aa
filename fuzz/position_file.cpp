// A position file of any bytes, read as at every start. The outcome says whether the fix
// is valid, and only a "Valid =" line makes it so.
#include <cstdint>
#include <cstdlib>

#include "InputFile.h"
#include "platform/PosixFileSystem.h"
#include "position/PositionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace poirec;
  static const fuzz::InputFile file("QXPosition.txt");
  file.Write(data, size);

  PositionFix fix;
  fix.valid = 7;  // cleared by every read
  const PositionFileRead read = ReadPositionFile(RealFileSystem(), fix, file.Folder());
  const bool valid = read.status == PositionFileStatus::ValidFix;
  if (valid != (fix.valid == 1) || fix.valid > 1) std::abort();
  return 0;
}
