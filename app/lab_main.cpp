// Start-up of Kemi Lab: without a command the window, otherwise the command line. A command that
// draws a chart (--chart) gets a QApplication on the offscreen platform, so it needs no display;
// Qt's warnings about that platform are kept off the command line's standard error. The window
// needs a display: without one the program says so and ends with status 1.
#include <QApplication>
#include <QStringList>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/display_start.h"
#include "cli/lab_cli.h"
#include "cli/lab_commands.h"
#include "cli/quiet_messages.h"
#include "lab/chart_file.h"
#include "lab/lab_app.h"

int main(int argc, char** argv) {
  const bool window = argc == 1;
  bool chart = false;
  for (int i = 1; i < argc; ++i) chart = chart || std::strncmp(argv[i], "--chart", 7) == 0;
  if (!window) kemi::cli::quietQtMessages();
  if (chart) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::unique_ptr<QCoreApplication> app;
  if (window) {
    kemi::DisplayStart start(argc, argv, "kemi-lab",
                             "start it in a desktop session; its commands need no display "
                             "(kemi-lab --help lists them)");
    app = std::make_unique<QApplication>(argc, argv);
  } else if (chart) {
    app = std::make_unique<QApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  QCoreApplication::setApplicationName(QStringLiteral("kemi-lab"));
  QCoreApplication::setApplicationVersion(QStringLiteral(KEMI_VERSION));
  if (window) return kemi::lab::runLabWindow();
  kemi::cli::setChartDrawers({&kemi::lab::drawConvergenceChart, &kemi::lab::drawStabilityChart});
  return kemi::cli::runCommandLine(QCoreApplication::arguments());
}
