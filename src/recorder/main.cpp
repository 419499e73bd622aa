// Reads the command line, then either files one POI without the pages (one press of a key) or
// builds the run's state in its fixed order and runs the one recording of this start.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <optional>

#include "app/CommandLine.h"
#include "app/StandardFolders.h"
#include "recorder/ScreenlessShell.h"
#include "session/OnePress.h"
#include "session/ProcessState.h"
#include "session/RecordingSession.h"
#include "ui/CategoryDialog.h"
#include "ui/QtShell.h"
#include "ui/RecordingPages.h"

namespace {

const QString kProgram = QStringLiteral("poirecorder");

constexpr char kDescription[] =
    "Records a point of interest (POI) at the current GPS position. The program\n"
    "reads the position from QXPosition.txt in your documents folder and sounds the\n"
    "start; with a valid fix it shows the categories. Choose one to file a POI left\n"
    "of the street, exactly where you are or right of the street, or delete the POI\n"
    "nearest to you (its line is kept in pois/deleted). The position of every\n"
    "recording is also added to recorded.asc.\n"
    "\n"
    "With --category and one of --left, --exact and --right it files the POI at\n"
    "once, without a window: one press of a key bound to it. Exit status 0 when it\n"
    "was filed; otherwise 1, and the reason on standard error.\n"
    "\n"
    "The categories are the .asc files in the folder \"pois\" beside the program or,\n"
    "for an installed program, in $XDG_DATA_HOME/poi-recorder/pois (normally\n"
    "~/.local/share/poi-recorder/pois), which the first start fills with the\n"
    "samples.";

// What the command line asks for: the pages, or one POI filed at once.
struct Request {
  std::optional<poirec::OnePressRequest> onePress;
};

// Reads the command line; the exit status when the program ends here.
std::optional<int> ReadRequest(int argc, char* argv[], Request& request) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromUtf8(kDescription));
  const QCommandLineOption category(
      QStringLiteral("category"),
      QStringLiteral("File one POI into the category <name> (as the page shows it, in any "
                     "letter case), without a window."),
      QStringLiteral("name"));
  const QCommandLineOption left(QStringLiteral("left"),
                                QStringLiteral("With --category: left of the street."));
  const QCommandLineOption exact(QStringLiteral("exact"),
                                 QStringLiteral("With --category: exactly at the position."));
  const QCommandLineOption right(QStringLiteral("right"),
                                 QStringLiteral("With --category: right of the street."));
  parser.addOptions({category, left, exact, right});
  if (const auto ended = poirec::ReadCommandLine(parser, poirec::ArgumentList(argc, argv), kProgram,
                                                 QStringLiteral(POI_VERSION))) {
    return ended;
  }
  const auto refuse = [](const QString& fault) {
    return poirec::RefuseCommandLine(kProgram, fault);
  };
  if (!parser.positionalArguments().isEmpty()) {
    return refuse(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]));
  }
  const int placements =
      int{parser.isSet(left)} + int{parser.isSet(exact)} + int{parser.isSet(right)};
  if (!parser.isSet(category)) {
    if (placements == 0) return std::nullopt;
    return refuse(QStringLiteral("--left, --exact and --right need --category."));
  }
  if (placements != 1) {
    return refuse(QStringLiteral("--category needs one of --left, --exact and --right."));
  }
  poirec::OnePressRequest& onePress = request.onePress.emplace();
  onePress.category = parser.value(category).toStdU16String();
  onePress.placement = parser.isSet(left)    ? poirec::Placement::Left
                       : parser.isSet(right) ? poirec::Placement::Right
                                             : poirec::Placement::Exact;
  return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
  Request request;
  if (const auto ended = ReadRequest(argc, argv, request)) return *ended;

  poirec::ProcessState state;
  state.folders.program = poirec::DataFolder();
  state.folders.documents = poirec::DocumentsFolder();
  if (request.onePress) {
    // No application object: a key binding runs this where no display may be.
    poirec::ScreenlessShell shell;
    return poirec::RecordOnePress(state, shell, *request.onePress) == poirec::OnePressOutcome::Filed
               ? 0
               : 1;
  }

  // The icons are compiled into the screens' static library, which Qt cannot see
  // without being told.
  Q_INIT_RESOURCE(resources);

  QApplication application(argc, argv);
  QApplication::setApplicationName(poirec::kProgramTitle);
  QApplication::setApplicationDisplayName(poirec::kProgramTitle);
  QApplication::setApplicationVersion(QStringLiteral(POI_VERSION));
  // Taskbars and Wayland match the windows to the installed desktop entry by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(POI_APP_ID));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/desktop/icon.svg")));

  poirec::QtShell shell;
  poirec::RecordingSession session(state, shell, [&state, &shell] {
    poirec::CategoryDialog page(state, poirec::RecordingPages(state, shell));
    return page.exec();
  });
  session.Start();
  return 0;
}
