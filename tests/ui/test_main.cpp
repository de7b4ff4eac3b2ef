// GoogleTest entry point for the widget tests: a QApplication on the offscreen platform unless
// the caller chose another (the end-to-end test runs on a real X display).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "ui/layout_font.h"

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  kemi::useLayoutFont();  // as the program does at start-up
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
