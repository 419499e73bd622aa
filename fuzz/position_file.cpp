// A position file of any bytes, read as at every start. The outcome says whether the fix
// is valid, and only a "Valid =" line (with a young stamp of this boot, when stamped) makes
// it so.
#include <chrono>
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
  // A fixed moment, so that an input's stamp is judged the same way in every run.
  const auto now = [] { return BootMoment{"b00t", std::chrono::seconds(1000)}; };
  const PositionFileRead read = ReadPositionFile(RealFileSystem(), fix, file.Folder(), now);
  const bool valid = read.status == PositionFileStatus::ValidFix;
  if (valid != (fix.valid == 1) || fix.valid > 1) std::abort();
  return 0;
}
