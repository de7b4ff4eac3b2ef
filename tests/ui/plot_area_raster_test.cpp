// The window's plot area and the browser page draw with the same raster: after the same runs,
// one window and one page session hold the same pixels, the same lines and the same step size.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>
#include <cstring>

#include "tests/ui/ui_test_support.h"
#include "ui/form1.h"
#include "ui/plot_area.h"
#include "web/page_session.h"

namespace kemi {
namespace {

using test::control;

struct RunCase {
  const char* x1;
  const char* N;
  std::size_t method;
};

// Runs that fill the area, stop (the picture stays), mirror the axes and draw dense polylines.
const RunCase kRuns[] = {{"0.4", "1", 0},       {"0.4", "4", 3}, {"0.4", "0", 3},
                         {"-2", "50", 1},       {"10", "7", 4},  {"1e3", "1e5", 5},
                         {"0.4", "1000000", 6}, {"3.5", "2", 2}, {"0,4", "5", 0}};

TEST(PlotAreaRasterTest, WindowAndPageSessionDrawTheSamePixels) {
  Form1 form;
  form.setStopReporter([](const QString&) {});
  form.show();
  PageSession page;
  auto* list = control<QListWidget>(form, "List1");
  int redPixels = 0;
  for (const RunCase& run : kRuns) {
    SCOPED_TRACE(std::string(run.x1) + " " + run.N);
    for (const auto& [name, text] : {std::pair{"Text_x1", run.x1}, std::pair{"Text_N", run.N}}) {
      auto* entry = control<QLineEdit>(form, name);
      entry->selectAll();
      QTest::keyClicks(entry, QString::fromLatin1(text));
    }
    const QString option = QString::fromUtf8(kMethods.at(run.method).optionName);
    control<QRadioButton>(form, option.toLatin1().constData())->setChecked(true);
    const int before = list->count();
    QTest::keyClick(control<QPushButton>(form, "Command1"), Qt::Key_Space);
    const PageRun shown = page.run({"0", "-1", run.x1, run.N}, run.method);

    if (shown.stepSizeShown) {
      EXPECT_EQ(control<QLineEdit>(form, "Text_h")->text().toStdString(), shown.stepSize);
    }
    ASSERT_EQ(list->count() - before, static_cast<int>(shown.lines.size()));
    for (std::size_t i = 0; i < shown.lines.size(); ++i)
      EXPECT_EQ(list->item(before + static_cast<int>(i))->text().toStdString(), shown.lines[i]);

    const QImage image = control<PlotArea>(form, "Picture1")->image();
    ASSERT_EQ(image.size(), QSize(kPictureWidth, kPictureHeight));
    int differing = 0;
    for (int y = 0; y < kPictureHeight; ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < kPictureWidth; ++x)
        differing += row[x] != page.pixels()[y * kPictureWidth + x] ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);
    redPixels += test::countPixels(image, QColor(255, 0, 0));
  }
  EXPECT_GT(redPixels, 1000);  // the pictures compared were plots, not blank areas
}

}  // namespace
}  // namespace kemi
