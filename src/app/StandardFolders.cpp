#include "app/StandardFolders.h"

#include <QStandardPaths>
#include <QString>

#include "platform/ProgramPath.h"

namespace poirec {

std::u16string DocumentsFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  while (folder.size() > 1 && folder.endsWith(u'/')) folder.chop(1);
  return folder.toStdU16String();
}

std::u16string DataFolder() { return ProgramFolder(); }

}  // namespace poirec
