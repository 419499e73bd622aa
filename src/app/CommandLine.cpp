#include "app/CommandLine.h"

#include <QCoreApplication>
#include <cstdio>

namespace poirec {
namespace {

// Writes the text to standard output; false when it could not be written whole (a full
// disk, a closed pipe).
bool Print(const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  const auto size = static_cast<std::size_t>(bytes.size());
  return std::fwrite(bytes.constData(), 1, size, stdout) == size && std::fflush(stdout) == 0;
}

// Qt's help names the program by the path it was started with, or by a placeholder before
// the application object exists; the help names it as a person types it.
QString HelpText(const QCommandLineParser& parser, const QString& program) {
  QString text = parser.helpText();
  const QString started = QCoreApplication::instance() != nullptr
                              ? QCoreApplication::arguments().constFirst()
                              : QStringLiteral("<executable_name>");
  const QString usage = QStringLiteral("Usage: ");
  if (text.startsWith(usage + started)) text.replace(usage.size(), started.size(), program);
  return text;
}

}  // namespace

QStringList ArgumentList(int argc, const char* const argv[]) {
  QStringList arguments;
  arguments.reserve(argc);
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  return arguments;
}

std::optional<int> ReadCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                   const QString& program, const QString& version) {
  // Qt's own help option would offer Qt's options too, which no program here takes.
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit."));
  const QCommandLineOption versionOption(QStringLiteral("version"),
                                         QStringLiteral("Show the version and exit."));
  parser.addOptions({help, versionOption});
  if (!parser.parse(arguments)) return RefuseCommandLine(program, parser.errorText());
  if (parser.isSet(help)) {
    return Print(HelpText(parser, program)) ? kExitAnswered : kExitNotAnswered;
  }
  if (parser.isSet(versionOption)) {
    return Print(program + u' ' + version + u'\n') ? kExitAnswered : kExitNotAnswered;
  }
  return std::nullopt;
}

int RefuseCommandLine(const QString& program, const QString& fault) {
  const QString text = program + QStringLiteral(": ") + fault + QStringLiteral("\nTry '") +
                       program + QStringLiteral(" --help' for more information.\n");
  std::fputs(text.toLocal8Bit().constData(), stderr);
  return kExitBadCommandLine;
}

}  // namespace poirec
