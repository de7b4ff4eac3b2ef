// The Solution picture and view: the view box keeps the zoom anchor in place, each slope mark
// has the slope of f at its centre as the picture shows it, a click chooses the start under the
// cursor while a drag pans, the keys pan and zoom, the start is drawn where it is, and RK4's
// markers show where RK4G's lie on them.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "figures/solution_picture.h"
#include "lab/solution_view.h"

namespace kemi::lab {
namespace {

TEST(SolutionPictureTest, ZoomKeepsTheAnchorWhereItWas) {
  struct Case {
    ViewBox box;
    QPointF anchor;
    double factor;
  };
  const Case cases[] = {{{0, 1, -2, 1}, {0.25, -1.0}, 1.25},
                        {{-5, 5, -1e3, 1e3}, {4.0, 900.0}, 0.5},
                        {{0, 1e-3, 0, 1}, {1e-3, 0.0}, 3.0}};
  const QRectF plot(64, 30, 800, 500);
  for (const Case& c : cases) {
    const QPointF before = ViewTransform(c.box, plot).toPixel(c.anchor.x(), c.anchor.y());
    const ViewBox zoomed = c.box.zoomedAbout(c.anchor, c.factor);
    const QPointF after = ViewTransform(zoomed, plot).toPixel(c.anchor.x(), c.anchor.y());
    EXPECT_NEAR(before.x(), after.x(), 1e-6);
    EXPECT_NEAR(before.y(), after.y(), 1e-6);
    EXPECT_NEAR((zoomed.xMax - zoomed.xMin) * c.factor, c.box.xMax - c.box.xMin, 1e-9);
    const QPointF back = ViewTransform(zoomed, plot).toWorld(after);
    EXPECT_NEAR(back.x(), c.anchor.x(), 1e-9 * (c.box.xMax - c.box.xMin));
  }
}

TEST(SolutionPictureTest, EachMarkHasTheSlopeOfFAtItsCentre) {
  struct Case {
    const char* name;
    Slope f;
    ViewBox box;
    int expectedMarks;
  };
  const Case cases[] = {
      {"flat", [](double, double) { return 0.0; }, {0, 1, 0, 1}, 25 * 18},
      {"classroom", [](double x, double y) { return -2.0 * x - y; }, {0, 1, -2, 1}, 25 * 18},
      {"steep", [](double x, double y) { return -50.0 * (y - std::cos(x)); }, {0, 3, -1, 2}, 450},
      {"half undefined",
       [](double x, double) { return x < 0.0 ? NAN : x; },
       {-1, 1, 0, 1},
       13 * 18},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ViewTransform view(c.box, QRectF(64, 30, 800, 500));
    const auto marks = directionField(c.f, view, kFieldColumns, kFieldRows, 16.0);
    EXPECT_EQ(static_cast<int>(marks.size()), c.expectedMarks);
    const double sx = 800.0 / (c.box.xMax - c.box.xMin);
    const double sy = 500.0 / (c.box.yMax - c.box.yMin);
    for (const QLineF& mark : marks) {
      EXPECT_NEAR(mark.length(), 16.0, 1e-9);
      const QPointF w = view.toWorld(mark.center());
      const double s = c.f(w.x(), w.y());
      // Pixel y grows downwards: a rise of s per unit x is -s*sy pixels per sx pixels.
      EXPECT_NEAR(mark.dy() * sx, -s * sy * mark.dx(), 1e-6 * (1.0 + std::abs(s)) * sx);
      EXPECT_GT(mark.dx(), -1e-12);  // every mark points right or straight up
    }
  }
}

TEST(SolutionPictureTest, SegmentsAreCutToTheRectangleAndStayOnTheirLine) {
  struct Case {
    QPointF a, b;
    bool visible;
    QPointF cutA, cutB;
  };
  const QRectF r(0, 0, 100, 50);
  const Case cases[] = {
      {{10, 10}, {20, 20}, true, {10, 10}, {20, 20}},
      {{-50, 25}, {150, 25}, true, {0, 25}, {100, 25}},
      {{50, 25}, {50, 1e12}, true, {50, 25}, {50, 50}},
      {{-10, -10}, {-20, 60}, false, {}, {}},
      {{0, 60}, {200, 60}, false, {}, {}},
      {{-100, -50}, {200, 100}, true, {0, 0}, {100, 50}},
  };
  for (const Case& c : cases) {
    QPointF a = c.a;
    QPointF b = c.b;
    ASSERT_EQ(clipToRect(a, b, r), c.visible);
    if (!c.visible) continue;
    EXPECT_NEAR(a.x(), c.cutA.x(), 1e-9);
    EXPECT_NEAR(a.y(), c.cutA.y(), 1e-9);
    EXPECT_NEAR(b.x(), c.cutB.x(), 1e-9);
    EXPECT_NEAR(b.y(), c.cutB.y(), 1e-9);
  }
}

TEST(SolutionPictureTest, ARunawayMethodDoesNotSquashTheSolution) {
  SolutionScene scene;
  scene.start = {0.0, 0.0};
  scene.curves.push_back({QStringLiteral("solution"), {{0, 0}, {0.5, 1}, {1, 0.5}}, Qt::black});
  scene.curves.push_back({QStringLiteral("near"), {{0, 0}, {1, 1.4}}, Qt::red});
  scene.curves.push_back({QStringLiteral("away"), {{0, 0}, {0.5, -1e6}, {1, 1e12}}, Qt::blue});
  const ViewBox box = boxAround(scene);
  EXPECT_LE(box.yMin, 0.0);
  EXPECT_GE(box.yMax, 1.4);  // a method near the solution is in view
  EXPECT_LT(box.yMax - box.yMin, 3.0);
}

SolutionScene sceneFrom(QPointF start) {
  SolutionScene scene;
  scene.start = start;
  scene.curves.push_back(
      {QStringLiteral("Exact solution"), {{0.0, -1.0}, {0.5, 0.0}, {1.0, 1.0}}, QColor(0, 0, 255)});
  return scene;
}

struct ShownView {
  SolutionView view;
  ShownView() {
    view.resize(700, 500);
    view.setSlope([](double x, double y) { return x - y; });
    view.setScene(sceneFrom({0.0, -1.0}));
    view.setViewBox({0, 1, -1, 1});
    view.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
  }
};

TEST(SolutionViewTest, ClickChoosesTheStartUnderTheCursorAndDragPans) {
  ShownView s;
  QSignalSpy starts(&s.view, &SolutionView::startChosen);
  for (const QPointF world : {QPointF(0.5, 0.25), QPointF(0.1, -0.8), QPointF(0.9, 0.9)}) {
    const QPoint at = s.view.pixelOf(world).toPoint();
    QTest::mouseClick(&s.view, Qt::LeftButton, {}, at);
    ASSERT_FALSE(starts.isEmpty());
    const QPointF chosen = starts.takeLast().at(0).toPointF();
    EXPECT_NEAR(chosen.x(), world.x(), 0.01);
    EXPECT_NEAR(chosen.y(), world.y(), 0.01);
  }
  const QPoint from = s.view.pixelOf({0.5, 0.0}).toPoint();
  const QPointF grabbed = s.view.worldAt(from);
  QTest::mousePress(&s.view, Qt::LeftButton, {}, from);
  QTest::mouseMove(&s.view, from + QPoint(20, 0));
  QTest::mouseMove(&s.view, from + QPoint(100, -40));
  QTest::mouseRelease(&s.view, Qt::LeftButton, {}, from + QPoint(100, -40));
  EXPECT_TRUE(starts.isEmpty());
  const QPointF under = s.view.worldAt(from + QPoint(100, -40));
  EXPECT_NEAR(under.x(), grabbed.x(), 1e-9);
  EXPECT_NEAR(under.y(), grabbed.y(), 1e-9);
}

TEST(SolutionViewTest, KeysPanZoomAndReturnToTheWholeScene) {
  struct Case {
    Qt::Key key;
    ViewBox expected;
  };
  const Case cases[] = {{Qt::Key_Right, {0.1, 1.1, -1, 1}},
                        {Qt::Key_Left, {-0.1, 0.9, -1, 1}},
                        {Qt::Key_Up, {0, 1, -0.8, 1.2}},
                        {Qt::Key_Down, {0, 1, -1.2, 0.8}},
                        {Qt::Key_Plus, {0.1, 0.9, -0.8, 0.8}},
                        {Qt::Key_Minus, {-0.125, 1.125, -1.25, 1.25}},
                        {Qt::Key_Home, boxAround(sceneFrom({0.0, -1.0}))}};
  ShownView s;
  for (const Case& c : cases) {
    s.view.setViewBox({0, 1, -1, 1});
    QTest::keyClick(&s.view, c.key);
    const ViewBox& got = s.view.viewBox();
    EXPECT_NEAR(got.xMin, c.expected.xMin, 1e-12) << c.key;
    EXPECT_NEAR(got.xMax, c.expected.xMax, 1e-12) << c.key;
    EXPECT_NEAR(got.yMin, c.expected.yMin, 1e-12) << c.key;
    EXPECT_NEAR(got.yMax, c.expected.yMax, 1e-12) << c.key;
  }
}

TEST(SolutionViewTest, StartAndCurveAreDrawnWhereTheyLie) {
  ShownView s;
  for (const QPointF start : {QPointF(0.2, -0.5), QPointF(0.3, 0.6)}) {
    s.view.setScene(sceneFrom(start));
    const QImage shot = s.view.grab().toImage();
    const QPoint dot = s.view.pixelOf(start).toPoint();
    EXPECT_EQ(shot.pixelColor(dot), QColor(0xD0, 0x00, 0x00));
    const QColor onCurve = shot.pixelColor(s.view.pixelOf({0.6, 0.2}).toPoint());
    EXPECT_LT(onCurve.red(), 100);
    EXPECT_GT(onCurve.blue(), 200);
  }
  EXPECT_EQ(s.view.field().size(), std::size_t{kFieldColumns * kFieldRows});
}

// RK4 and RK4G agree to the pixel on most equations: RK4's filled diamond must still show in
// the middle of each mark, and RK4G's ring around it.
TEST(SolutionPictureTest, RK4ShowsInsideRK4GsRing) {
  const std::size_t rk4 = 3, rk4g = 6;
  const QColor green(0x00, 0x9E, 0x73);
  SolutionScene scene;
  scene.start = {0.0, 0.0};
  for (const std::size_t m : {rk4, rk4g}) {
    SolutionCurve curve{QStringLiteral("m"), {{0.0, 0.0}, {0.5, 0.5}, {1.0, 1.0}}, green};
    curve.method = static_cast<int>(m);
    scene.curves.push_back(curve);
  }
  QImage image(600, 400, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&image);
  const QRectF area(0, 0, 600, 400);
  const ViewBox box{-0.1, 1.1, -0.1, 1.1};
  drawSolution(painter, area, box, {}, scene);
  painter.end();
  const QPointF at = ViewTransform(box, plotRectIn(area)).toPixel(0.5, 0.5);
  EXPECT_EQ(image.pixelColor(at.toPoint()), green);
  // On the ring, between the diamond's corners: RK4G's pink, red above green.
  const QColor ring = image.pixelColor((at + QPointF(3.9, 3.9)).toPoint());
  EXPECT_GT(ring.red(), ring.green()) << ring.name().toStdString();
}

}  // namespace
}  // namespace kemi::lab
