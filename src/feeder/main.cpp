// poirecorder-gpsd: keeps the recorder's position file current from gpsd until it is stopped.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/StandardFolders.h"
#include "feeder/Feeder.h"
#include "feeder/FeederOptions.h"
#include "feeder/LibgpsSource.h"
#include "feeder/PositionFileWriter.h"
#include "platform/File.h"
#include "platform/PosixFileSystem.h"
#include "platform/StopSignals.h"
#include "platform/TextEncoding.h"
#include "position/PositionFile.h"

namespace {

constexpr int kBadCommandLine = 2;

}  // namespace

int main(int argc, char* argv[]) {
  // First of all: a stop that comes while the program starts still ends it with Valid = 0.
  poirec::StopSignals stop;
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const poirec::FeederOptions options = poirec::ParseFeederOptions(arguments);

  const std::u16string documents = poirec::DocumentsFolder();
  const std::u16string defaultFile = poirec::PositionFilePath(documents);
  switch (options.action) {
    case poirec::FeederOptions::Action::Help:
      std::cout << poirec::FeederUsage(poirec::Utf16ToUtf8(defaultFile));
      return 0;
    case poirec::FeederOptions::Action::Version:
      std::cout << "poirecorder-gpsd " << POI_VERSION << '\n';
      return 0;
    case poirec::FeederOptions::Action::Error:
      std::cerr << "poirecorder-gpsd: " << options.error << "\n"
                << "Try 'poirecorder-gpsd --help' for more information.\n";
      return kBadCommandLine;
    case poirec::FeederOptions::Action::Run: break;
  }

  std::u16string path = defaultFile;
  if (options.file) {
    path = poirec::Utf8ToUtf16(*options.file);
  } else {
    // A desktop makes the documents folder at the first login; the feeder may come first.
    poirec::MakeFolder(poirec::RealFileSystem(), documents);
  }
  const std::string fileName = poirec::Utf16ToUtf8(path);
  const auto lastKnown = poirec::ReadLastKnown(poirec::RealFileSystem(), path);
  if (!lastKnown) {
    std::cerr << "poirecorder-gpsd: " << fileName
              << " cannot be read or is no position file (a file with a line \"Lat =\", "
                 "\"Lon =\", \"Course =\" or \"Valid =\"); it is left as it is\n";
    return 1;
  }

  poirec::FeederSettings settings;
  settings.gpsdName = options.host + ":" + options.port;
  settings.fileName = fileName;
  settings.staleAfter = options.staleAfter;

  poirec::LibgpsSource gps(options.host, options.port, stop);
  poirec::SteadyClock clock;
  poirec::PositionFileWriter writer(poirec::RealFileSystem(), path);
  return poirec::RunFeeder(gps, clock, writer, settings, *lastKnown, std::cerr);
}
