#include "app/StandardFolders.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <cstdio>

#include "app/PoisSeeding.h"
#include "platform/Path.h"
#include "platform/PosixFileSystem.h"
#include "platform/ProgramPath.h"
#include "platform/TextEncoding.h"

namespace poirec {
namespace {

// The installed data folder as seen from the installed program's folder, worked out by the
// build from the install layout ("../share/poi-recorder" for bin and share).
const QString kInstalledDataFromProgram = QStringLiteral(POI_INSTALLED_DATA_FROM_PROGRAM);

QString FromU16(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The user's data folder as the XDG rules give it: $XDG_DATA_HOME when it is an absolute
// path (a relative one is ignored), else ~/.local/share.
QString UserDataHome() {
  const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
  if (QDir::isAbsolutePath(configured)) return QDir::cleanPath(configured);
  return QDir::homePath() + QStringLiteral("/.local/share");
}

}  // namespace

std::u16string DocumentsFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  while (folder.size() > 1 && folder.endsWith(u'/')) folder.chop(1);
  return folder.toStdU16String();
}

std::u16string DataFolder() {
  const std::u16string programFolder = ProgramFolder();
  const QString installedPois =
      QDir::cleanPath(FromU16(programFolder) + kInstalledDataFromProgram + QStringLiteral("/pois"));
  FileSystem& files = RealFileSystem();
  const std::string nativeInstalledPois = Utf16ToUtf8(installedPois.toStdU16String());
  if (files.KindOf(nativeInstalledPois) != FileSystem::Kind::Folder) return programFolder;

  const std::u16string userFolder =
      (UserDataHome() + QStringLiteral("/" POI_DATA_NAME "/")).toStdU16String();
  const std::string problem = SeedPoisFolder(files, nativeInstalledPois, Utf16ToUtf8(userFolder));
  if (!problem.empty()) {
    std::fprintf(stderr, "%s: the data folder cannot be made: %s\n",
                 Utf16ToUtf8(FileNameOf(ProgramFilePath())).c_str(), problem.c_str());
  }
  return userFolder;
}

}  // namespace poirec
