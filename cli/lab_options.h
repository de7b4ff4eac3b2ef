// The options of the lab's commands: what each one is called, takes and accepts, strict reading
// of their values, and refusals as one line that names the option and what it accepts.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include <QtCore/qcontainerfwd.h>

class QCommandLineParser;
class QString;

namespace kemi::cli {

struct OptionSpec {
  const char* name;           // without the dashes
  const char* valueName;      // as shown in the help; nullptr for an option without a value
  const char* help;           // one line of the help
  const char* accepts;        // what a value may be, for refusals
  bool takesMethods = false;  // `accepts` is followed by the list of method ids
};

// A command line the program refuses; what() is the one line that says why (exit status 2).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `value` in single quotes, control characters shown as '?' so that a message stays one line.
std::string quotedValue(const QString& value);

// The argument as the user typed it (up to a '=') that QCommandLineParser reports as the
// unknown option `name`.
std::string typedOption(const QStringList& arguments, const QString& name);

// Reads `arguments` (without the program and command names) against `options` and -h/--help.
// Throws UsageError for an unknown option, a missing value or an argument that is no option.
void parseOptions(QCommandLineParser& parser, std::span<const OptionSpec> options,
                  const QStringList& arguments);

// The values of the options; each throws UsageError for a value it does not accept and returns
// `fallback` when the option is absent.
double readAbscissa(const QCommandLineParser& parser, const OptionSpec& option, double fallback);
std::int64_t readSteps(const QCommandLineParser& parser, const OptionSpec& option,
                       std::int64_t fallback, std::int64_t largest);
// All seven methods when the option is absent.
std::vector<std::size_t> readMethods(const QCommandLineParser& parser, const OptionSpec& option);
// One method; the option must be given.
std::size_t readMethod(const QCommandLineParser& parser, const OptionSpec& option);
enum class TextFormat { Csv, Markdown };
TextFormat readFormat(const QCommandLineParser& parser, const OptionSpec& option);
// What `stability --chart` draws: the regions in the complex plane (the default) or |R(-h)|
// against h on the real axis.
enum class StabilityView { Regions, RealAxis };
StabilityView readStabilityView(const QCommandLineParser& parser, const OptionSpec& option);
// Empty for standard output.
QString readOutputPath(const QCommandLineParser& parser, const OptionSpec& option);

// The help lines of `options` and -h/--help, wrapped to 79 columns.
std::string optionHelp(std::span<const OptionSpec> options);
// `prefix` and `text` wrapped to 79 columns at its blanks, the continuation lines indented by
// the width of `prefix`.
std::string wrapped(const std::string& prefix, const std::string& text);

}  // namespace kemi::cli
