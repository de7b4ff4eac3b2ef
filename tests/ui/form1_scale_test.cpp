// The main window on a screen with two device pixels to each logical pixel: the layout keeps its
// logical places, everything is twice as large in device pixels, and the plot is drawn at the
// device resolution. Qt reads QT_SCALE_FACTOR when the application starts, so the test runs
// itself again in a child process with the factor set.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest/QTest>

#include "tests/ui/ui_test_support.h"
#include "ui/form1.h"
#include "ui/plot_area.h"

namespace kemi {
namespace {

using test::control;

bool runInScaledChild() {
  if (!qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) return false;
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
  child.setProcessEnvironment(environment);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=Form1ScaleTest.*")});
  EXPECT_TRUE(child.waitForFinished(120000));
  const std::string output = child.readAll().toStdString();
  EXPECT_EQ(child.exitCode(), 0) << output;
  EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
  return true;
}

TEST(Form1ScaleTest, LayoutScalesAndPlotIsDrawnAtFullResolution) {
  if (runInScaledChild()) return;
  ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
  Form1 form;
  form.setStopReporter([](const QString& cause) { ADD_FAILURE() << cause.toStdString(); });
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(control<QLineEdit>(form, "Text_x1")->geometry(), QRect(37, 24, 41, 19));
  EXPECT_EQ(control<QWidget>(form, "client")->size(), QSize(790, 343));

  QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
  auto* picture = control<PlotArea>(form, "Picture1");
  const QImage plot = picture->image();
  EXPECT_EQ(plot.size(), QSize(642, 498));
  EXPECT_GT(test::countPixels(plot, QColor(255, 0, 0)), 200);

  // The window on screen: twice the logical size, the plot area in its place, red in it.
  const QImage window = form.grab().toImage();
  EXPECT_EQ(window.size(), form.size() * 2);
  const QRect area(picture->mapTo(&form, QPoint(0, 0)) * 2, picture->size() * 2);
  const QImage shown = window.copy(area);
  EXPECT_EQ(shown.pixelColor(4, 4), QColor(255, 255, 192));
  EXPECT_EQ(test::countPixels(shown, QColor(255, 0, 0)),
            test::countPixels(plot, QColor(255, 0, 0)));
}

}  // namespace
}  // namespace kemi
