// Start-up: the application, its name, version and icon, and the main window. The program ends
// when the last of its windows is closed, which may be the About window.
#include <QApplication>
#include <QIcon>

#include "app/display_start.h"
#include "ui/form1.h"
#include "ui/layout_font.h"

int main(int argc, char** argv) {
  kemi::DisplayStart start(argc, argv, "kemi",
                           "start it in a desktop session, or on a virtual display: xvfb-run kemi");
  QApplication app(argc, argv);
  start.started();
  QApplication::setApplicationName(QStringLiteral("Kemi"));
  QApplication::setApplicationVersion(QStringLiteral(KEMI_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("kemi"));
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/kemi-16.png"));
  icon.addFile(QStringLiteral(":/icons/kemi-32.png"));
  QApplication::setWindowIcon(icon);
  kemi::useLayoutFont();

  kemi::Form1 window;
  window.show();
  return QApplication::exec();
}
