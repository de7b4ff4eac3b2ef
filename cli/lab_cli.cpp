// Dispatch of the lab's command line and its help and version texts. The help is written for
// people first and for help2man second: a usage line, a paragraph, sections ending in ':' with
// option lines starting with '-', the exit status and examples.
#include "cli/lab_cli.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>

#include "cli/lab_commands.h"
#include "cli/sweep_watch.h"
#include "study/study_input.h"

namespace kemi::cli {
namespace {

constexpr int kUsageStatus = 2;

void printOut(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

std::string commandList() {
  std::string names;
  for (const LabCommand& command : labCommands())
    names += (names.empty() ? "" : ", ") + std::string(command.name);
  return names;
}

std::string programHelp() {
  std::string text =
      "Usage: kemi-lab COMMAND [OPTION]...\n"
      "  or:  kemi-lab --help | --version\n" +
      wrapped("",
              "Kemi Lab studies the seven step methods of Kemi on dy/dx = f(x, y): how fast "
              "each method's error falls as N doubles and where rounding stops it, which "
              "method reaches an accuracy with the fewest evaluations of f, what happens inside "
              "one step, and for which step sizes a method is stable. Without --equation or "
              "--f it studies Kemi's own equation, dy/dx = -2*x - y from (0, -1), and every x "
              "and y it prints is the one kemi computes for the same entries.") +
      "\n\nCommands:\n";
  for (const LabCommand& command : labCommands())
    text +=
        wrapped("  " + std::string(command.name) + std::string(13 - std::strlen(command.name), ' '),
                command.summary) +
        "\n";
  text += "\n" +
          wrapped("",
                  "Without a command kemi-lab opens its window. 'kemi-lab COMMAND --help' "
                  "shows a command's own help with its columns.") +
          "\n";
  for (const LabCommand& command : labCommands())
    text += "\nOptions of " + std::string(command.name) + ":\n" + optionHelp(command.options);
  text +=
      "\nOptions:\n"
      "  -h, --help     show this help and exit\n"
      "      --version  show the version and exit\n\n" +
      wrapped("", "Methods: " + study::methodIdsText() +
                      " (any letter case). Numbers are read with \".\" as decimal point and "
                      "must be numbers from their first character to their last.") +
      "\n\n" +
      wrapped("",
              "Output: CSV (RFC 4180, a header line, \".\" as decimal point, each number "
              "in the shortest text that reads back to the same double) or a Markdown "
              "table.") +
      "\n\nExit status:\n"
      "  0    the table was written\n"
      "  1    the output could not be written (standard error says why)\n"
      "  2    the command line was refused (one line on standard error says why)\n"
      "  130  stopped by Ctrl+C; nothing was written\n"
      "\nExamples:\n"
      "  kemi-lab convergence --methods Euler,RK4 --max-n 1024\n"
      "  kemi-lab steps --method RK4 --x1 0.4 --n 4 --format md\n"
      "  kemi-lab stability --output stability.csv --chart stability.svg\n";
  return text;
}

std::string commandHelp(const LabCommand& command) {
  std::string text = "Usage: kemi-lab " + std::string(command.name) + " [OPTION]...\n" +
                     wrapped("", command.description) + "\n\nOptions:\n" +
                     optionHelp(command.options) + "\n" +
                     wrapped("", "Methods: " + study::methodIdsText() + " (any letter case).") +
                     "\n" + wrapped("Columns: ", command.columns()) + "\n";
  return text;
}

std::string versionText() {
  return "kemi-lab (Kemi) " + QCoreApplication::applicationVersion().toStdString() + "\n";
}

const LabCommand* findCommand(const QString& name) {
  for (const LabCommand& command : labCommands())
    if (name == QLatin1String(command.name)) return &command;
  return nullptr;
}

int runCommand(const LabCommand& command, const QStringList& arguments) {
  try {
    QCommandLineParser parser;
    parseOptions(parser, command.options, arguments);
    if (parser.isSet(QStringLiteral("help"))) {
      printOut(commandHelp(command));
      return 0;
    }
    catchInterrupts();
    return command.run(parser);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "kemi-lab %s: %s\n", command.name, error.what());
    return kUsageStatus;
  } catch (const std::invalid_argument& error) {
    std::fprintf(stderr, "kemi-lab %s: %s\n", command.name, error.what());
    return kUsageStatus;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kemi-lab %s: %s\n", command.name, error.what());
    return 1;
  }
}

}  // namespace

int runCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringLiteral("version"));
  parser.addOption(help);
  parser.addOption(version);
  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    const std::string what =
        unknown.isEmpty() ? parser.errorText().toStdString()
                          : "unknown option '" + typedOption(arguments, unknown.first()) + "'";
    std::fprintf(stderr,
                 "kemi-lab: %s; before a command only --help and --version are accepted, and a "
                 "command's options go after it (kemi-lab --help)\n",
                 what.c_str());
    return kUsageStatus;
  }
  if (parser.isSet(version)) {
    printOut(versionText());
    return 0;
  }
  const QStringList positional = parser.positionalArguments();
  if (parser.isSet(help) || positional.isEmpty()) {  // main() opens the window for no arguments
    printOut(programHelp());
    return 0;
  }
  const LabCommand* command = findCommand(positional.first());
  if (!command) {
    std::fprintf(stderr, "kemi-lab: unknown command %s; the commands are %s\n",
                 quotedValue(positional.first()).c_str(), commandList().c_str());
    return kUsageStatus;
  }
  return runCommand(*command, positional.mid(1));
}

}  // namespace kemi::cli
