// Builds the run's state in its fixed order and runs the one recording of this start.
#include <QApplication>
#include <QIcon>

#include "app/StandardFolders.h"
#include "session/ProcessState.h"
#include "session/RecordingSession.h"
#include "ui/CategoryDialog.h"
#include "ui/QtShell.h"
#include "ui/RecordingPages.h"

int main(int argc, char* argv[]) {
  // The icons are compiled into the screens' static library, which Qt cannot see
  // without being told.
  Q_INIT_RESOURCE(resources);

  poirec::ProcessState state;
  state.folders.program = poirec::DataFolder();

  QApplication application(argc, argv);
  QApplication::setApplicationName(poirec::kProgramTitle);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/128.svg")));
  state.folders.documents = poirec::DocumentsFolder();

  poirec::QtShell shell;
  poirec::RecordingSession session(state, shell, [&state, &shell] {
    poirec::CategoryDialog page(state, poirec::RecordingPages(state, shell));
    return page.exec();
  });
  session.Start();
  return 0;
}
