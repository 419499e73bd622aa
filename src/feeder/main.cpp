// poirecorder-gpsd: keeps the recorder's position file current from gpsd until it is stopped.
#include <QCommandLineParser>
#include <iostream>
#include <string>

#include "app/CommandLine.h"
#include "app/StandardFolders.h"
#include "feeder/Feeder.h"
#include "feeder/FeederOptions.h"
#include "feeder/LibgpsSource.h"
#include "feeder/PositionFileWriter.h"
#include "platform/BootClock.h"
#include "platform/File.h"
#include "platform/PosixFileSystem.h"
#include "platform/StopSignals.h"
#include "platform/TextEncoding.h"
#include "position/PositionFile.h"

namespace {

const QString kProgram = QStringLiteral("poirecorder-gpsd");

// Reads the command line into options; the exit status when the program ends here.
std::optional<int> ReadOptions(int argc, char* argv[], const std::string& defaultFile,
                               poirec::FeederOptions& options) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Keeps the position file of POI Recorder current from gpsd, so that a recording\n"
      "started at any moment reads the position of that moment. The file says Valid = 0\n"
      "when the fix is lost or stale, when gpsd goes away, and after the program is\n"
      "stopped with SIGINT or SIGTERM."));
  const QCommandLineOption host(QStringLiteral("host"),
                                QStringLiteral("gpsd's host (default: localhost)."),
                                QStringLiteral("host"));
  const QCommandLineOption port(QStringLiteral("port"),
                                QStringLiteral("gpsd's port (default: 2947)."),
                                QStringLiteral("port"));
  const QCommandLineOption file(QStringLiteral("file"),
                                QStringLiteral("The position file to write (default: %1).")
                                    .arg(QString::fromStdString(defaultFile)),
                                QStringLiteral("path"));
  const QCommandLineOption staleAfter(
      QStringLiteral("stale-after"),
      QStringLiteral("A fix is valid for this long after its report (default: 3)."),
      QStringLiteral("seconds"));
  parser.addOptions({host, port, file, staleAfter});
  const QStringList arguments = poirec::ArgumentList(argc, argv);
  if (const auto ended = poirec::ReadCommandLine(parser, arguments, kProgram, POI_VERSION)) {
    return ended;
  }
  const auto refuse = [](const QString& fault) {
    return poirec::RefuseCommandLine(kProgram, fault);
  };
  if (!parser.positionalArguments().isEmpty()) {
    return refuse(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]));
  }
  if (parser.isSet(host)) {
    options.host = parser.value(host).toStdString();
    if (options.host.empty()) return refuse(QStringLiteral("The host of --host is empty."));
  }
  if (parser.isSet(port)) {
    options.port = parser.value(port).toStdString();
    if (!poirec::IsPortNumber(options.port)) {
      return refuse(
          QStringLiteral("'%1' is no port number from 1 to 65535.").arg(parser.value(port)));
    }
  }
  if (parser.isSet(file)) {
    options.file = parser.value(file).toLocal8Bit().toStdString();
    if (options.file->empty()) return refuse(QStringLiteral("The path of --file is empty."));
  }
  if (parser.isSet(staleAfter)) {
    const auto seconds = poirec::ParseStaleSeconds(parser.value(staleAfter).toStdString());
    if (!seconds) {
      return refuse(QStringLiteral("'%1' is no number of seconds above 0 and up to 86400.")
                        .arg(parser.value(staleAfter)));
    }
    options.staleAfter = *seconds;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
  // First of all: a stop that comes while the program starts still ends it with Valid = 0.
  poirec::StopSignals stop;
  const std::u16string documents = poirec::DocumentsFolder();
  const std::u16string defaultFile = poirec::PositionFilePath(documents);
  poirec::FeederOptions options;
  if (const auto ended = ReadOptions(argc, argv, poirec::Utf16ToUtf8(defaultFile), options)) {
    return *ended;
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
              << " cannot be read or is no position file (a file of lines \"Lat =\", "
                 "\"Lon =\", \"Course =\", \"Valid =\", \"Boot id =\", \"Uptime =\" and "
                 "blank lines); it is left as it is\n";
    return 1;
  }

  poirec::FeederSettings settings;
  settings.gpsdName = options.host + ":" + options.port;
  settings.fileName = fileName;
  settings.staleAfter = options.staleAfter;
  settings.bootId = poirec::CurrentBootId();

  poirec::LibgpsSource gps(options.host, options.port, stop);
  poirec::SteadyClock clock;
  poirec::PositionFileWriter writer(poirec::RealFileSystem(), path);
  return poirec::RunFeeder(gps, clock, writer, settings, *lastKnown, std::cerr);
}
