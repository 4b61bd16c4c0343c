#include "ui/CommandLine.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <system_error>

#include "data/DeviceConfig.h"
#include "ui/Version.h"

namespace sci {

namespace {

std::filesystem::path localPath(const QString& text) {
  return std::filesystem::path(QFile::encodeName(text).toStdString());
}

bool present(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

// A file manager starts programs in the home folder, while technicians keep a
// model's configuration beside its lists.
std::filesystem::path configFor(const std::optional<std::filesystem::path>& list) {
  const std::filesystem::path here(kDeviceConfigFileName);
  if (!list || present(here)) return here;
  const std::filesystem::path besideList = list->parent_path() / kDeviceConfigFileName;
  return present(besideList) ? besideList : here;
}

CommandLine usageError(const QString& program, const QString& reason) {
  CommandLine result;
  result.action = CommandLine::Action::UsageError;
  result.text = QStringLiteral(
                    "%1: %2\nUsage: %1 [--config FILE] [LIST.bin]\n"
                    "Try '%1 --help' for more information.\n")
                    .arg(program, reason);
  return result;
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
  const QString program = arguments.isEmpty()
                              ? QStringLiteral("sciedit")
                              : QFileInfo(arguments.constFirst()).completeBaseName();

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Edit the server list of a VANTO network device."));
  // Help and version are plain options rather than Qt's own, which would also
  // offer Qt's window system options that are not taken here.
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Show the version and exit."));
  const QCommandLineOption config(
      QStringLiteral("config"),
      QStringLiteral("Read the device configuration from FILE instead of IPConfig.cfg in the "
                     "current folder (or, when that is missing, in the list's folder)."),
      QStringLiteral("FILE"));
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption(config);
  parser.addPositionalArgument(QStringLiteral("LIST.bin"),
                               QStringLiteral("Server list to open once the window is up."),
                               QStringLiteral("[LIST.bin]"));

  if (!parser.parse(arguments)) return usageError(program, parser.errorText());

  CommandLine result;
  if (parser.isSet(help)) {
    result.action = CommandLine::Action::Print;
    // Qt's usage line names the program as typed, or not at all before the
    // application object exists; it is written here as the program's name.
    const QString qtHelp = parser.helpText();
    result.text = QStringLiteral("Usage: %1 [options] [LIST.bin]").arg(program) +
                  qtHelp.mid(qtHelp.indexOf(QLatin1Char('\n')));
    return result;
  }
  if (parser.isSet(version)) {
    result.action = CommandLine::Action::Print;
    result.text = QStringLiteral("%1 %2\n").arg(program, QString::fromLatin1(kFileVersion));
    return result;
  }
  const QStringList lists = parser.positionalArguments();
  if (lists.size() > 1) {
    return usageError(program, QStringLiteral("one list at a time, not %1: %2")
                                   .arg(lists.size())
                                   .arg(lists.join(QStringLiteral(", "))));
  }
  if (!lists.isEmpty()) result.listPath = localPath(lists.constFirst());
  result.configPath =
      parser.isSet(config) ? localPath(parser.value(config)) : configFor(result.listPath);
  return result;
}

}  // namespace sci
