#include "app/StandardFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include "platform/ProgramPath.h"

namespace poirec {
namespace {

// The installed data folder as seen from the installed program's folder, worked out by the
// build from the install layout ("../share/poi-recorder" for bin and share).
const QString kInstalledDataFromProgram = QStringLiteral(POI_INSTALLED_DATA_FROM_PROGRAM);
const QString kPois = QStringLiteral("pois");

QString FromU16(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Fills userFolder/pois with the installed samples. The copies go into a new folder beside it
// that takes the name "pois" in one step once it is complete: an interrupted first start
// leaves no half-filled folder that a later start would take for the user's own, and two
// programs starting at once do not mix their copies (the second one's rename fails and its
// copy is removed).
void SeedPoisFolder(const QString& installedPois, const QString& userFolder) {
  if (!QDir().mkpath(userFolder)) return;
  QTemporaryDir seed(userFolder + kPois + QStringLiteral(".new-XXXXXX"));
  if (!seed.isValid()) return;
  const QFileInfoList samples = QDir(installedPois).entryInfoList(QDir::Files, QDir::Name);
  for (const QFileInfo& sample : samples) {
    if (!QFile::copy(sample.filePath(), seed.filePath(sample.fileName()))) return;
  }
  if (QDir().rename(seed.path(), userFolder + kPois)) seed.setAutoRemove(false);
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
      QDir::cleanPath(FromU16(programFolder) + kInstalledDataFromProgram + u'/' + kPois);
  if (!QFileInfo(installedPois).isDir()) return programFolder;

  const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                             QStringLiteral("/" POI_DATA_NAME "/");
  // Anything already named "pois" is the user's: it is never filled again or replaced.
  if (!QFileInfo::exists(userFolder + kPois)) SeedPoisFolder(installedPois, userFolder);
  return userFolder.toStdU16String();
}

}  // namespace poirec
