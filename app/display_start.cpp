// The check before a window is opened, and Qt's messages held back while the platform starts.
#include "app/display_start.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kemi {
namespace {

// One program starts one platform: the state of the handler below is the program's.
struct Message {
  QtMsgType type;
  std::string category;
  QString text;
};
struct Held {
  bool holding = false;
  QtMessageHandler previous = nullptr;
  std::vector<Message> messages;
  std::string failureLine;
};
Held held;

// Puts the previous handler back and gives it the messages held so far.
void passOn() {
  if (!held.holding) return;
  held.holding = false;
  qInstallMessageHandler(held.previous);
  for (const Message& m : std::exchange(held.messages, {})) {
    const QByteArray category = QByteArray::fromStdString(m.category);
    const QMessageLogContext context(nullptr, 0, nullptr,
                                     category.isEmpty() ? nullptr : category.constData());
    qt_message_output(m.type, context, m.text);
  }
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    // No platform could start. Qt's own account (which plugin, which libraries) is long and
    // names no way out; it is shown when asked for, as Qt shows its plugin search.
    if (std::getenv("QT_DEBUG_PLUGINS") != nullptr) passOn();
    std::fputs(held.failureLine.c_str(), stderr);
    std::_Exit(1);
  }
  held.messages.push_back({type, context.category != nullptr ? context.category : "", text});
}

void writeFailure(const std::string& line) {
  std::fputs(line.c_str(), stderr);
  std::exit(1);
}

}  // namespace

bool displayMissing(const char* platform, const char* display, const char* waylandDisplay) {
  const auto named = [](const char* value) { return value != nullptr && *value != '\0'; };
  if (named(display) || named(waylandDisplay)) return false;
  std::string_view list = platform != nullptr ? platform : "";
  if (list.empty()) return true;  // the desktop's default: X11 or Wayland
  // Qt tries the names in turn: one that needs no display server (offscreen, vnc, minimal,
  // linuxfb, eglfs...) can start.
  while (!list.empty()) {
    const std::size_t end = list.find(';');
    const std::string_view entry = list.substr(0, end);
    const std::string_view name = entry.substr(0, entry.find(':'));
    if (name != "xcb" && !name.starts_with("wayland")) return false;
    list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
  }
  return true;
}

DisplayStart::DisplayStart(int argc, char** argv, const char* program, const char* howToRun) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
      platform = argv[i + 1];
  const std::string start = std::string(program) + ": ";
  const std::string end = std::string("; ") + howToRun + "\n";
  if (displayMissing(platform, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY")))
    writeFailure(
        start + "no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)" + end);
  const char* display = std::getenv("DISPLAY");
  const std::string where = display != nullptr && *display != '\0'
                                ? std::string("display \"") + display + "\""
                                : std::string("Wayland display");
  held.failureLine = start + "the window cannot be opened on the " + where +
                     " (QT_DEBUG_PLUGINS=1 shows why)" + end;
  held.previous = qInstallMessageHandler(holdMessage);
  held.holding = true;
}

DisplayStart::~DisplayStart() {
  started();
}

void DisplayStart::started() {
  passOn();
}

}  // namespace kemi
