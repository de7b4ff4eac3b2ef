// Reading the lab's options strictly and saying in one line what an option accepts.
#include "cli/lab_options.h"

#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "core/method_table.h"
#include "study/study_input.h"

namespace kemi::cli {
namespace {

const OptionSpec kHelp{"help", nullptr, "show this help and exit", ""};

std::string dashed(const OptionSpec& option) {
  return "--" + std::string(option.name);
}

std::string accepted(const OptionSpec& option) {
  std::string text = dashed(option) + " accepts " + option.accepts;
  if (option.takesMethods) text += " " + study::methodIdsText() + " (any letter case)";
  return text;
}

[[noreturn]] void refuse(const OptionSpec& option, const QString& value, const std::string& why) {
  throw UsageError(dashed(option) + " " + quotedValue(value) + ": " + why + "; " +
                   accepted(option));
}

std::string optionNames(std::span<const OptionSpec> options) {
  std::string names;
  for (const OptionSpec& option : options) names += dashed(option) + ", ";
  return names + "-h, --help";
}

}  // namespace

std::string typedOption(const QStringList& arguments, const QString& name) {
  for (const QString& argument : arguments) {
    QString typed = argument.section(QLatin1Char('='), 0, 0);
    QString bare = typed;
    while (bare.startsWith(QLatin1Char('-'))) bare.remove(0, 1);
    if (typed.startsWith(QLatin1Char('-')) && bare == name) return typed.toStdString();
  }
  return (name.size() == 1 ? "-" : "--") + name.toStdString();
}

std::string quotedValue(const QString& value) {
  std::string text = value.toStdString();
  std::replace_if(
      text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '?');
  return "'" + text + "'";
}

void parseOptions(QCommandLineParser& parser, std::span<const OptionSpec> options,
                  const QStringList& arguments) {
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const OptionSpec& option : options) {
    QCommandLineOption qtOption(QString::fromLatin1(option.name));
    if (option.valueName) qtOption.setValueName(QString::fromLatin1(option.valueName));
    parser.addOption(qtOption);
  }
  parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
  // parse() skips the first element, the program's name.
  if (!parser.parse(QStringList{QString()} + arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
      throw UsageError("unknown option '" + typedOption(arguments, unknown.first()) +
                       "'; the options are " + optionNames(options));
    // Otherwise an option that takes a value came last, without one.
    const QString last = arguments.isEmpty() ? QString() : arguments.last();
    for (const OptionSpec& option : options)
      if (option.valueName && (last == QString::fromStdString(dashed(option))))
        throw UsageError(dashed(option) + " needs a value; " + accepted(option));
    throw UsageError(parser.errorText().toStdString());
  }
  if (!parser.positionalArguments().isEmpty())
    throw UsageError("unexpected argument " + quotedValue(parser.positionalArguments().first()) +
                     "; the options are " + optionNames(options));
}

double readAbscissa(const QCommandLineParser& parser, const OptionSpec& option, double fallback) {
  const QString name = QString::fromLatin1(option.name);
  if (!parser.isSet(name)) return fallback;
  const QString text = parser.value(name);
  const std::optional<double> value = study::readNumber(text.toStdString());
  if (!value || !std::isfinite(*value)) refuse(option, text, "not a finite number");
  if (*value == 0.0) refuse(option, text, "the steps run from 0 to x1, so x1 must not be 0");
  return *value;
}

std::int64_t readSteps(const QCommandLineParser& parser, const OptionSpec& option,
                       std::int64_t fallback, std::int64_t largest) {
  const QString name = QString::fromLatin1(option.name);
  if (!parser.isSet(name)) return fallback;
  const QString text = parser.value(name);
  const std::string typed = text.toStdString();
  const std::optional<std::int64_t> whole = study::readWholeNumber(typed);
  if (!whole) {
    const std::optional<double> number = study::readNumber(typed);
    if (!number) refuse(option, text, "not a finite number");
    if (std::isfinite(*number) && std::floor(*number) == *number)
      refuse(option, text, *number < 1.0 ? "below 1" : "too large");
    refuse(option, text, "not a whole number");
  }
  if (*whole < 1) refuse(option, text, "below 1");
  if (*whole > largest) refuse(option, text, "too large");
  return *whole;
}

std::vector<std::size_t> readMethods(const QCommandLineParser& parser, const OptionSpec& option) {
  const QString name = QString::fromLatin1(option.name);
  if (!parser.isSet(name)) {
    std::vector<std::size_t> all(kMethods.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    return all;
  }
  const QString text = parser.value(name);
  const study::MethodList list = study::readMethodList(text.toStdString());
  if (!list.unknown.empty()) refuse(option, text, "unknown method '" + list.unknown + "'");
  if (list.methods.empty()) refuse(option, text, "no method");
  return list.methods;
}

std::size_t readMethod(const QCommandLineParser& parser, const OptionSpec& option) {
  const QString name = QString::fromLatin1(option.name);
  if (!parser.isSet(name)) throw UsageError(dashed(option) + " is required; " + accepted(option));
  const QString text = parser.value(name);
  const std::optional<std::size_t> method = study::methodById(text.toStdString());
  if (!method) refuse(option, text, "unknown method");
  return *method;
}

TextFormat readFormat(const QCommandLineParser& parser, const OptionSpec& option) {
  const QString name = QString::fromLatin1(option.name);
  if (!parser.isSet(name)) return TextFormat::Csv;
  const QString text = parser.value(name);
  if (text.compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0) return TextFormat::Csv;
  if (text.compare(QStringLiteral("md"), Qt::CaseInsensitive) == 0) return TextFormat::Markdown;
  refuse(option, text, "unknown format");
}

StabilityView readStabilityView(const QCommandLineParser& parser, const OptionSpec& option) {
  const QString name = QString::fromLatin1(option.name);
  if (!parser.isSet(name)) return StabilityView::Regions;
  const QString text = parser.value(name);
  if (text.compare(QStringLiteral("regions"), Qt::CaseInsensitive) == 0)
    return StabilityView::Regions;
  if (text.compare(QStringLiteral("real"), Qt::CaseInsensitive) == 0)
    return StabilityView::RealAxis;
  refuse(option, text, "unknown view");
}

QString readOutputPath(const QCommandLineParser& parser, const OptionSpec& option) {
  const QString name = QString::fromLatin1(option.name);
  if (!parser.isSet(name)) return {};
  QString path = parser.value(name);
  if (path.isEmpty()) refuse(option, path, "no file name");
  return path;
}

std::string optionHelp(std::span<const OptionSpec> options) {
  const auto head = [](const OptionSpec& option) {
    // Appended piece by piece: g++ 12 at -O3 mistakes "--" + string for an overlapping copy.
    std::string text = "--";
    text += option.name;
    if (option.valueName != nullptr) {
      text += ' ';
      text += option.valueName;
    }
    return text;
  };
  std::size_t width = 0;
  for (const OptionSpec& option : options) width = std::max(width, head(option).size());
  std::string text;
  const auto line = [&](const std::string& names, const char* help) {
    text += wrapped(names + std::string(width + 8 - names.size(), ' '), help) + "\n";
  };
  for (const OptionSpec& option : options) line("      " + head(option), option.help);
  line("  -h, --help", kHelp.help);
  return text;
}

std::string wrapped(const std::string& prefix, const std::string& text) {
  constexpr std::size_t kWidth = 79;
  std::string out = prefix;
  std::size_t column = prefix.size();
  bool lineHasWord = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = std::min(text.find(' ', pos), text.size());
    if (end > pos) {
      const std::size_t length = end - pos;
      // A word that starts with '-' never starts a line, where it would read as an option.
      if (lineHasWord && column + 1 + length > kWidth && text[pos] != '-') {
        out += '\n';
        out.append(prefix.size(), ' ');
        column = prefix.size();
        lineHasWord = false;
      }
      if (lineHasWord) {
        out += ' ';
        ++column;
      }
      out.append(text, pos, length);
      column += length;
      lineHasWord = true;
    }
    pos = end + 1;
  }
  return out;
}

}  // namespace kemi::cli
