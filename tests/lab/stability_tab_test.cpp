// The stability tab's regions: the description names exactly the methods whose real-axis limit
// the marked h * lambda stays within, and the picture is filled inside each method's limit on
// the real axis and left white beyond it, for each method ticked alone; the ticked regions and
// the view are remembered; File > Export writes the picture that is shown.
#include <gtest/gtest.h>

#include <QChartView>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>

#include "core/method_table.h"
#include "lab/stability_region_view.h"
#include "lab/stability_tab.h"
#include "study/stability.h"
#include "tests/lab/lab_test_support.h"

namespace kemi::lab {
namespace {

QString idOf(std::size_t m) {
  return QString::fromLatin1(kMethods[m].id.data(), static_cast<qsizetype>(kMethods[m].id.size()));
}

// The ids listed after `lead` ("A, B and C") up to the next ';' or '.'.
QSet<QString> listedAfter(const QString& text, const QString& lead) {
  const qsizetype start = text.indexOf(lead);
  if (start < 0) return {};
  QString list = text.mid(start + lead.size());
  list.truncate(list.indexOf(QRegularExpression(QStringLiteral("[;.]"))));
  list.replace(QStringLiteral(" and "), QStringLiteral(", "));
  const QStringList ids = list.split(QStringLiteral(", "));
  return {ids.begin(), ids.end()};
}

TEST(StabilityTabTest, DescriptionNamesTheMethodsStableAtTheMarkedPoint) {
  const std::pair<double, double> points[] = {{-1.0, 0.1},   {-50.0, 0.05}, {-50.0, 0.0557},
                                              {-10.0, 0.35}, {-2.0, 1.3},   {-50.0, 1.0}};
  StabilityTab tab;
  auto* label = tab.findChild<QLabel*>(QStringLiteral("stabilityPoint"));
  ASSERT_NE(label, nullptr);
  for (const auto& [lambda, h] : points) {
    SCOPED_TRACE("lambda " + std::to_string(lambda) + " h " + std::to_string(h));
    tab.setStepPoint(lambda, h);
    QSet<QString> stable, unstable;
    for (std::size_t m = 0; m < kMethods.size(); ++m)
      (h * -lambda <= study::stabilityLimit(m) ? stable : unstable) << idOf(m);
    const QString text = tab.regionView()->accessibleDescription();
    EXPECT_EQ(listedAfter(text, QStringLiteral(": stable with ")), stable) << text.toStdString();
    EXPECT_EQ(listedAfter(text, QStringLiteral("unstable with ")), unstable) << text.toStdString();
    EXPECT_EQ(label->text(), text);
  }
}

TEST(StabilityTabTest, EachRegionIsFilledUpToItsRealAxisLimitAndWhiteBeyond) {
  StabilityTab tab;
  tab.resize(1280, 800);
  tab.show();
  StabilityRegionView* view = tab.regionView();
  ASSERT_EQ(tab.picture(), view);
  const QColor white(Qt::white);
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    SCOPED_TRACE(kMethods[m].id);
    for (std::size_t other = 0; other < kMethods.size(); ++other)
      tab.findChild<QCheckBox*>(QStringLiteral("region_") + idOf(other))->setChecked(other == m);
    ASSERT_EQ(view->methods(), std::vector<std::size_t>{m});
    const QImage image = view->grab().toImage();
    // Ten pixels either side of the limit and twelve above the axis, clear of the outline,
    // the limit's marker and the grid lines.
    const double limit = study::stabilityLimit(m);
    const QPointF at = view->toPixel({-limit, 0.0});
    const QColor inside = image.pixelColor(QPoint(int(at.x()) + 10, int(at.y()) - 12));
    const QColor outside = image.pixelColor(QPoint(int(at.x()) - 10, int(at.y()) - 12));
    EXPECT_NE(inside, white);
    EXPECT_EQ(outside, white);
  }
  tab.findChild<QRadioButton*>(QStringLiteral("realAxisView"))->click();
  EXPECT_EQ(tab.picture(), tab.chartView());
  EXPECT_TRUE(tab.chartView()->isVisible());
  EXPECT_FALSE(view->isVisible());
}

TEST(StabilityTabTest, RemembersTheChosenRegionsAndTheView) {
  const std::pair<std::vector<std::size_t>, bool> cases[] = {
      {{3, 6}, true}, {{}, false}, {{0, 1, 2, 3, 4, 5, 6}, true}, {{4}, false}};
  for (const auto& [methods, real] : cases) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("lab.ini")), QSettings::IniFormat);
    {
      StabilityTab before;
      for (std::size_t m = 0; m < kMethods.size(); ++m)
        before.findChild<QCheckBox*>(QStringLiteral("region_") + idOf(m))
            ->setChecked(std::find(methods.begin(), methods.end(), m) != methods.end());
      before.showRegions(!real);
      before.saveSettings(settings);
    }
    StabilityTab after;
    after.loadSettings(settings);
    EXPECT_EQ(after.regionView()->methods(), methods);
    EXPECT_EQ(after.picture() == after.chartView(), real);
  }
}

// File > Export chart on this tab writes the picture that is shown: the regions (the region
// view's own pixels), then after the toggle the real-axis chart.
TEST(StabilityTabTest, ExportWritesThePictureThatIsShown) {
  testing::TestWindow w;
  w.window->findChild<QTabWidget*>(QStringLiteral("tabs"))
      ->setCurrentWidget(w.window->stabilityTab());
  StabilityTab* tab = w.window->stabilityTab();
  for (const bool regions : {true, false}) {
    SCOPED_TRACE(regions ? "regions" : "real axis");
    tab->showRegions(regions);
    const QString path = w.dir.filePath(QStringLiteral("picture.png"));
    QString error;
    ASSERT_TRUE(w.window->exportChart(path, error)) << error.toStdString();
    const QImage written = QImage(path).convertToFormat(QImage::Format_RGB32);
    const QImage regionPixels =
        tab->regionView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(written == regionPixels, regions);
  }
}

}  // namespace
}  // namespace kemi::lab
