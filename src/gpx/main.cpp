// poirecorder-gpx: the POIs of the recorder's category files as one GPX 1.1 document, for
// map editors and navigation programs.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/StandardFolders.h"
#include "gpx/AtomicFileDevice.h"
#include "gpx/ExportRun.h"
#include "gpx/ExportSources.h"
#include "gpx/GpxWriter.h"
#include "platform/DirectorySearch.h"
#include "platform/Path.h"
#include "platform/PosixFileSystem.h"
#include "platform/TextEncoding.h"

namespace {

// Exit statuses: everything exported; something skipped (named on standard error); the
// document could not be written (as for a wrong command line).
constexpr int kExported = 0;
constexpr int kSkipped = 1;
constexpr int kFailed = poirec::kExitBadCommandLine;

void Say(const std::string& message) {
  std::fprintf(stderr, "poirecorder-gpx: %s\n", message.c_str());
}

std::string Utf8(const QString& text) { return text.toStdString(); }

std::string Because(const std::string& problem) {
  return problem.empty() ? std::string() : " (" + problem + ")";
}

// The paths as the system gave them: Qt's text of a name that is not UTF-8 has lost its
// bytes, and only the bytes open the file.
std::vector<std::u16string> PathsAsGiven(const QStringList& paths, int argc, char* argv[]) {
  std::vector<std::u16string> given;
  int next = 1;
  for (const QString& path : paths) {
    while (next < argc && QString::fromLocal8Bit(argv[next]) != path) ++next;
    given.push_back(next < argc ? poirec::Utf8ToUtf16(argv[next++]) : path.toStdU16String());
  }
  return given;
}

struct Sources {
  std::vector<poirec::SourceFile> files;
  bool allFound = true;
};

Sources Gather(const std::vector<std::u16string>& paths, bool includeRecorded) {
  Sources sources;
  if (paths.empty()) {
    // The folder the recorder itself files its POIs in.
    const std::u16string folder = poirec::DataFolder() + u"pois/";
    if (!poirec::FolderExists(poirec::RealFileSystem(), folder)) {
      Say(poirec::Utf16ToUtf8(folder) + ": no such folder");
      sources.allFound = false;
    }
    sources.files = poirec::FolderSources(poirec::RealFileSystem(), folder, includeRecorded);
    return sources;
  }
  for (const std::u16string& path : paths) {
    const auto named = poirec::NamedSources(poirec::RealFileSystem(), path, includeRecorded);
    if (!named) {
      Say(poirec::Utf16ToUtf8(path) + ": neither a folder nor a .asc file, skipped");
      sources.allFound = false;
      continue;
    }
    sources.files.insert(sources.files.end(), named->begin(), named->end());
  }
  return sources;
}

// Where the document goes: standard output, or a file replaced in one step once whole.
class Output {
 public:
  // Opens the file (no target: standard output); false, and says why, when it cannot be.
  bool Open(const std::optional<QString>& target) {
    target_ = target;
    if (!target_) {
      standardOutput_.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);  // stdio buffers
      return true;
    }
    // A category file replaced by a GPX document would lose its POIs: surely a slip.
    if (target_->endsWith(QStringLiteral(".asc"), Qt::CaseInsensitive)) {
      Say(Utf8(*target_) + ": will not replace a POI file with the GPX document");
      return false;
    }
    // The target's own name is taken as written: "Places.gpx" never replaces "places.gpx".
    const std::string native =
        poirec::ResolveFolderOf(poirec::RealFileSystem(), target_->toStdU16String());
    // What exports that were killed left beside it goes; running ones keep theirs.
    poirec::RemoveLeftoverTemporaryFiles(poirec::RealFileSystem(), native);
    file_.emplace(poirec::RealFileSystem(), native, poirec::FileReplacement::Keep::Durably);
    if (target_->isEmpty() || !file_->Begin()) {
      Say(Utf8(*target_) + ": cannot be created" + Because(file_ ? file_->Problem() : ""));
      return false;
    }
    fileDevice_.emplace(*file_);
    return true;
  }

  QIODevice& Device() {
    return fileDevice_ ? static_cast<QIODevice&>(*fileDevice_) : standardOutput_;
  }

  // Puts the whole document in place; false, and says so, when it could not be written.
  bool Finish(bool written) {
    written = written && (file_ ? file_->Commit() : standardOutput_.flush());
    const std::string name = target_ ? Utf8(*target_) : std::string("standard output");
    if (!written) Say(name + ": cannot be written" + Because(file_ ? file_->Problem() : ""));
    if (written && file_ && file_->FolderNotSynced()) Say(name + ": " + file_->Problem());
    return written;
  }

 private:
  std::optional<QString> target_;
  std::optional<poirec::FileReplacement> file_;
  std::optional<poirec::AtomicFileDevice> fileDevice_;
  QFile standardOutput_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("poirecorder-gpx"));
  QCoreApplication::setApplicationVersion(QStringLiteral(POI_VERSION));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Writes the POIs of POI Recorder's category files as one GPX 1.1 document."));
  const QCommandLineOption outputOption(
      {QStringLiteral("o"), QStringLiteral("output")},
      QStringLiteral("Write the document to <file>, replacing it in one step, instead of to "
                     "standard output."),
      QStringLiteral("file"));
  const QCommandLineOption includeRecorded(
      QStringLiteral("include-recorded"),
      QStringLiteral("Also export recorded.asc of each folder, with the type \"recorded\"."));
  parser.addOption(outputOption);
  parser.addOption(includeRecorded);
  parser.addPositionalArgument(
      QStringLiteral("paths"),
      QStringLiteral("Folders of category files and .asc files to export; without any, the "
                     "pois folder the recorder uses."),
      QStringLiteral("[path...]"));
  if (const auto ended =
          poirec::ReadCommandLine(parser, QCoreApplication::arguments(),
                                  QStringLiteral("poirecorder-gpx"), QStringLiteral(POI_VERSION))) {
    return *ended;
  }

  Output output;
  if (!output.Open(parser.isSet(outputOption) ? std::optional(parser.value(outputOption))
                                              : std::nullopt)) {
    return kFailed;
  }
  const Sources sources =
      Gather(PathsAsGiven(parser.positionalArguments(), argc, argv), parser.isSet(includeRecorded));
  poirec::GpxWriter writer(output.Device(), QStringLiteral("poirecorder-gpx " POI_VERSION));
  writer.Begin();
  const poirec::ExportOutcome outcome =
      poirec::ExportWaypoints(poirec::RealFileSystem(), sources.files, writer, Say);
  if (!output.Finish(!outcome.sinkFailed && writer.Finish())) return kFailed;
  return outcome.skippedAny || !sources.allFound ? kSkipped : kExported;
}
