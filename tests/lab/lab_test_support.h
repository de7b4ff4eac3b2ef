// A shown, active lab window on settings in a temporary folder, so tests neither read nor write
// the user's.
#pragma once

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "lab/lab_window.h"

namespace kemi::lab::testing {

struct TestWindow {
  QTemporaryDir dir;
  QSettings settings{dir.filePath(QStringLiteral("lab.ini")), QSettings::IniFormat};
  std::unique_ptr<LabWindow> window;
  bool active = false;  // keyboard shortcuts need an active window

  // The window opens on `largestN` so that its first sweep is quick.
  explicit TestWindow(const QString& largestN = QStringLiteral("64")) {
    settings.setValue(QStringLiteral("convergence/largestN"), largestN);
    window = std::make_unique<LabWindow>(settings);
    window->show();
    QApplication::setActiveWindow(window.get());
    active = QTest::qWaitForWindowActive(window.get());
  }
};

}  // namespace kemi::lab::testing
