// poirecorder-gpx: the POIs of the recorder's category files as one GPX 1.1 document, for
// map editors and navigation programs.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/AtomicFileDevice.h"
#include "app/GpxWriter.h"
#include "app/StandardFolders.h"
#include "export/AtomicOutputFile.h"
#include "export/ExportRun.h"
#include "export/ExportSources.h"
#include "platform/DirectorySearch.h"
#include "platform/TextEncoding.h"

namespace {

// Exit statuses: everything exported; something skipped (named on standard error); the
// command line was wrong or the document could not be written.
constexpr int kExported = 0;
constexpr int kSkipped = 1;
constexpr int kFailed = 2;

void Say(const std::string& message) {
  std::fprintf(stderr, "poirecorder-gpx: %s\n", message.c_str());
}

std::string Utf8(const QString& text) { return text.toStdString(); }

struct Sources {
  std::vector<poirec::SourceFile> files;
  bool allFound = true;
};

Sources Gather(const QStringList& paths, bool includeRecorded) {
  Sources sources;
  if (paths.isEmpty()) {
    // The folder the recorder itself files its POIs in.
    const std::u16string folder = poirec::DataFolder() + u"pois/";
    if (!poirec::FolderExists(folder)) {
      Say(poirec::Utf16ToUtf8(folder) + ": no such folder");
      sources.allFound = false;
    }
    sources.files = poirec::FolderSources(folder, includeRecorded);
    return sources;
  }
  for (const QString& path : paths) {
    const auto named = poirec::NamedSources(path.toStdU16String(), includeRecorded);
    if (!named) {
      Say(Utf8(path) + ": neither a folder nor a .asc file, skipped");
      sources.allFound = false;
      continue;
    }
    sources.files.insert(sources.files.end(), named->begin(), named->end());
  }
  return sources;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("poirecorder-gpx"));
  QCoreApplication::setApplicationVersion(QStringLiteral(POI_VERSION));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Writes the POIs of POI Recorder's category files as one GPX 1.1 document."));
  const QCommandLineOption output(
      {QStringLiteral("o"), QStringLiteral("output")},
      QStringLiteral("Write the document to <file>, replacing it in one step, instead of to "
                     "standard output."),
      QStringLiteral("file"));
  const QCommandLineOption includeRecorded(
      QStringLiteral("include-recorded"),
      QStringLiteral("Also export recorded.asc of each folder, with the type \"recorded\"."));
  parser.addOption(output);
  parser.addOption(includeRecorded);
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(
      QStringLiteral("paths"),
      QStringLiteral("Folders of category files and .asc files to export; without any, the "
                     "pois folder the recorder uses."),
      QStringLiteral("[path...]"));
  if (!parser.parse(QCoreApplication::arguments())) {
    Say(Utf8(parser.errorText()) + " See poirecorder-gpx --help.");
    return kFailed;
  }
  if (parser.isSet(help)) parser.showHelp(kExported);
  if (parser.isSet(version)) parser.showVersion();

  const Sources sources = Gather(parser.positionalArguments(), parser.isSet(includeRecorded));

  std::optional<poirec::AtomicOutputFile> file;
  std::optional<poirec::AtomicFileDevice> fileDevice;
  QFile standardOutput;
  QIODevice* device = nullptr;
  const QString target = parser.value(output);
  if (parser.isSet(output)) {
    // A category file replaced by a GPX document would lose its POIs: surely a slip.
    if (target.endsWith(QStringLiteral(".asc"), Qt::CaseInsensitive)) {
      Say(Utf8(target) + ": will not replace a POI file with the GPX document");
      return kFailed;
    }
    file.emplace(target.toStdU16String());
    if (target.isEmpty() || !file->Open()) {
      Say(Utf8(target) + ": cannot be created");
      return kFailed;
    }
    device = &fileDevice.emplace(*file);
  } else {
    standardOutput.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);  // stdio buffers
    device = &standardOutput;
  }

  poirec::GpxWriter writer(*device, QStringLiteral("poirecorder-gpx " POI_VERSION));
  writer.Begin();
  const poirec::ExportOutcome outcome = poirec::ExportWaypoints(sources.files, writer, Say);
  bool written = !outcome.sinkFailed && writer.Finish();
  if (file) {
    written = written && file->Commit();
  } else {
    written = written && standardOutput.flush();
  }
  if (!written) {
    Say((file ? Utf8(target) : std::string("standard output")) + ": cannot be written");
    return kFailed;
  }
  return outcome.skippedAny || !sources.allFound ? kSkipped : kExported;
}
