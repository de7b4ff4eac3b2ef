// Qt's debug, info and warning messages dropped; critical and fatal ones printed as Qt would.
#include "cli/quiet_messages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>

namespace kemi::cli {
namespace {

void printSerious(QtMsgType type, const QMessageLogContext& /*context*/, const QString& text) {
  if (type != QtCriticalMsg && type != QtFatalMsg) return;
  std::fprintf(stderr, "kemi-lab: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

void quietQtMessages() {
  qInstallMessageHandler(printSerious);
}

}  // namespace kemi::cli
