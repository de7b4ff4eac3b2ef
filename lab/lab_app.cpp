// Start-up of the window: its icon (from the program's resources, when it has them), the
// settings file and the event loop.
#include "lab/lab_app.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

#include "lab/lab_window.h"

namespace kemi::lab {

int runLabWindow() {
  QApplication::setDesktopFileName(QStringLiteral("kemi-lab"));
  QIcon icon;
  for (const char* size : {"16", "32", "64"})
    icon.addFile(QStringLiteral(":/icons/kemi-lab-%1.png").arg(QLatin1String(size)));
  QApplication::setWindowIcon(icon);
  QSettings settings(QStringLiteral("kemi"), QStringLiteral("kemi-lab"));
  LabWindow window(settings);
  window.show();
  return QApplication::exec();
}

}  // namespace kemi::lab
