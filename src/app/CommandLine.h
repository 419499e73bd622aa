#pragma once
// How every program of the project reads its command line: Qt's parser, the same -h/--help and
// --version, and the same exit statuses. A person asking for help or the version gets the
// answer and nothing more (no sound, no window, no file touched).
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

namespace poirec {

// The exit statuses of the command line, the same in every program.
inline constexpr int kExitAnswered = 0;     // the help or the version was written
inline constexpr int kExitNotAnswered = 1;  // that answer could not be written whole
inline constexpr int kExitBadCommandLine =
    2;  // the command line was wrong; standard error says how

// The arguments as Qt's parser takes them, for a program that reads them before (or without)
// an application object.
QStringList ArgumentList(int argc, const char* const argv[]);

// Adds -h/--help and --version to the parser and reads the arguments (the program's path
// first). Help and version go to standard output; a wrong command line is named on standard
// error. Returns the exit status when the program ends here, nothing when it is to run.
std::optional<int> ReadCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                   const QString& program, const QString& version);

// For what the parser cannot check (a value out of range, options that exclude each other):
// names the fault on standard error as a wrong command line is named, and returns
// kExitBadCommandLine.
int RefuseCommandLine(const QString& program, const QString& fault);

}  // namespace poirec
