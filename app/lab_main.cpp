// Start-up of Kemi Lab: the application object with its name and version, then the command line.
#include <QCoreApplication>
#include <QStringList>

#include "lab_cli.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("kemi-lab"));
  QCoreApplication::setApplicationVersion(QStringLiteral(KEMI_VERSION));
  return kemi::lab::runCommandLine(QCoreApplication::arguments());
}
