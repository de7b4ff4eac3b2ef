// The picture inside a step follows the step table's selected row: its stages are the row's
// k1..ks to the last bit, its first stage point is the step's start (the previous row), each
// slope times h is that stage's k, and every stage point lies inside the picture.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <string>

#include "core/method_table.h"
#include "lab/stage_picture.h"
#include "lab/step_table_model.h"
#include "lab/steps_tab.h"
#include "study/problem_steps.h"

namespace kemi::lab {
namespace {

constexpr int kFirstStageColumn = 6;  // k1 in the step table

TEST(StagePictureTest, ShowsTheSelectedRowsStagesAsTheTableRecordsThem) {
  const std::pair<const char*, int> runs[] = {{"0.4", 4}, {"-1.5", 3}};
  StepsTab tab;
  tab.resize(1280, 800);
  tab.show();
  auto* method = tab.findChild<QComboBox*>(QStringLiteral("method"));
  auto* table = tab.findChild<QTableView*>(QStringLiteral("Step table"));
  const StagePicture* picture = tab.stagePicture();
  const QRectF inside = QRectF(picture->rect()).adjusted(-0.5, -0.5, 0.5, 0.5);
  for (std::size_t m = 0; m < kMethods.size(); ++m)
    for (const auto& [x1, n] : runs) {
      SCOPED_TRACE(std::string(kMethods[m].id) + " x1 " + x1 + " N " + std::to_string(n));
      tab.findChild<QLineEdit*>(QStringLiteral("stepsX1"))->setText(QString::fromLatin1(x1));
      tab.findChild<QLineEdit*>(QStringLiteral("stepsN"))->setText(QString::number(n));
      method->setCurrentIndex(static_cast<int>(m));
      tab.run();
      const StepTableModel* model = tab.model();
      EXPECT_EQ(picture->step(), 1);  // no row chosen yet: the first step
      for (int row = 1; row <= n; ++row) {
        table->setCurrentIndex(model->index(row, 0));
        ASSERT_EQ(picture->step(), row);
        const StageRecord& s = picture->stages();
        ASSERT_EQ(s.stages, kMethods[m].evaluations);
        const double h = std::stod(x1) / n;  // as the table computes it
        EXPECT_EQ(s.x[0], model->number(row - 1, 1));
        EXPECT_EQ(s.y[0], model->number(row - 1, 2));
        for (int j = 0; j < s.stages; ++j) {
          const auto e = static_cast<std::size_t>(j);
          EXPECT_EQ(s.k[e], model->number(row, kFirstStageColumn + j)) << "k" << j + 1;
          EXPECT_EQ(h * s.slope[e], s.k[e]) << "slope " << j + 1;
          EXPECT_TRUE(inside.contains(picture->toPixel(s.x[e], s.y[e]))) << "point " << j + 1;
        }
      }
    }
}

// The comparison curve starts at the step's start, not at the problem's, and ends where a fine
// RK4 run from that start ends: classroom through its exact solution, riccati (no exact
// solution) through a reference.
TEST(StagePictureTest, ComparesWithTheSolutionThroughTheStepsStart) {
  const study::Problem problems[] = {{study::Classroom{}, 0.0, -1.0, 0.8},
                                     {study::Riccati{}, 0.0, 1.0, 0.4}};
  for (const study::Problem& p : problems) {
    SCOPED_TRACE(study::equationId(p.equation));
    const study::StepTable table = study::buildStepTable(p, 0, 4);
    StagePicture picture;
    for (std::size_t row = 1; row < table.rows.size(); ++row) {
      picture.setStep(p.equation, table, row, 0);
      const study::StepRow& start = table.rows[row - 1];
      const QPolygonF& curve = picture.solution();
      ASSERT_FALSE(curve.isEmpty());
      EXPECT_EQ(picture.reference(), !study::hasExactSolution(p.equation));
      EXPECT_EQ(curve.front().x(), start.x);
      EXPECT_NEAR(curve.front().y(), start.y, 1e-12);
      const study::Polygon fine =
          study::polygon(study::Problem{p.equation, start.x, start.y, table.rows[row].x}, 3, 2000);
      EXPECT_NEAR(curve.back().y(), fine.y.back(), 1e-8);
    }
  }
}

}  // namespace
}  // namespace kemi::lab
