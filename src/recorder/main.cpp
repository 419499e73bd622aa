// Answers --help and --version, or builds the run's state in its fixed order and runs the one
// recording of this start.
#include <QApplication>
#include <QIcon>

#include "app/CommandLine.h"
#include "app/StandardFolders.h"
#include "session/ProcessState.h"
#include "session/RecordingSession.h"
#include "ui/CategoryDialog.h"
#include "ui/QtShell.h"
#include "ui/RecordingPages.h"

namespace {

constexpr char kHelp[] =
    "Usage: poirecorder [--help | --version]\n"
    "\n"
    "Records a point of interest (POI) at the current GPS position. The program reads the\n"
    "position from QXPosition.txt in your documents folder and sounds the start; with a\n"
    "valid fix it shows the categories. Choose one to file a POI left of the street,\n"
    "exactly where you are or right of the street, or delete the POI nearest to you. The\n"
    "position of every recording is also added to recorded.asc.\n"
    "\n"
    "The categories are the .asc files in the folder \"pois\" beside the program or, for\n"
    "an installed program, in $XDG_DATA_HOME/poi-recorder/pois (normally\n"
    "~/.local/share/poi-recorder/pois), which the first start fills with the samples.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n";

constexpr char kVersion[] = "poirecorder " POI_VERSION "\n";

}  // namespace

int main(int argc, char* argv[]) {
  switch (poirec::FindInfoRequest(argc, argv)) {
    case poirec::InfoRequest::Help: return poirec::PrintInfo(kHelp);
    case poirec::InfoRequest::Version: return poirec::PrintInfo(kVersion);
    case poirec::InfoRequest::None: break;
  }

  // The icons are compiled into the screens' static library, which Qt cannot see
  // without being told.
  Q_INIT_RESOURCE(resources);

  poirec::ProcessState state;
  state.folders.program = poirec::DataFolder();

  QApplication application(argc, argv);
  QApplication::setApplicationName(poirec::kProgramTitle);
  QApplication::setApplicationDisplayName(poirec::kProgramTitle);
  QApplication::setApplicationVersion(QStringLiteral(POI_VERSION));
  // Taskbars and Wayland match the windows to the installed desktop entry by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(POI_APP_ID));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/desktop/icon.svg")));
  state.folders.documents = poirec::DocumentsFolder();

  poirec::QtShell shell;
  poirec::RecordingSession session(state, shell, [&state, &shell] {
    poirec::CategoryDialog page(state, poirec::RecordingPages(state, shell));
    return page.exec();
  });
  session.Start();
  return 0;
}
