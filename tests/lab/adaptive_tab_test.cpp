// The Adaptive tab: refusals under the tolerance entry, the table the command line writes, the
// stiffness note, and a long run cancelled. Test problems: classroom (the window's default) and
// stiff, dy/dx = -50 (y - cos x) from (0, 0), on [0, 10].
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "lab/adaptive_picture.h"
#include "lab/adaptive_tab.h"
#include "lab/text_table_model.h"
#include "study/adaptive_text.h"

namespace kemi::lab {
namespace {

TEST(AdaptiveTabTest, RefusesABadToleranceUnderTheEntry) {
  AdaptiveTab tab;
  auto* tol = tab.findChild<QLineEdit*>(QStringLiteral("adaptiveTol"));
  auto* run = tab.findChild<QPushButton*>(QStringLiteral("adaptiveRun"));
  ASSERT_TRUE(tol && run);
  const std::pair<const char*, bool> cases[] = {{"0", false},   {"-1e-6", false}, {"1e-15", false},
                                                {"abc", false}, {"1e-14", true},  {" 1e-3 ", true}};
  for (const auto& [text, accepted] : cases) {
    tol->setText(QString::fromLatin1(text));
    EXPECT_EQ(run->isEnabled(), accepted) << text;
    const auto* reason = tab.findChild<QLabel*>(QStringLiteral("adaptiveTolReason"));
    EXPECT_EQ(reason->text().isEmpty(), accepted) << text;
  }
}

TEST(AdaptiveTabTest, TableIsTheCommandLinesAndStiffnessIsSaid) {
  AdaptiveTab tab;
  const study::Problem classroom;
  tab.setProblem(classroom);
  ASSERT_TRUE(QTest::qWaitFor([&tab] { return !tab.running(); }, 10000));
  const study::AdaptiveResult r =
      study::runAdaptive(classroom, {4, 1e-6, 1e-6, std::nullopt, true});
  EXPECT_EQ(tab.model()->table().rows, study::adaptiveText(r).rows);
  EXPECT_EQ(tab.runPicture()->run().result.accepted, r.accepted);

  tab.setProblem(study::Problem{study::Stiff{}, 0.0, 0.0, 10.0});
  ASSERT_TRUE(QTest::qWaitFor([&tab] { return !tab.running(); }, 10000));
  tab.findChild<QLineEdit*>(QStringLiteral("adaptiveTol"))->setText(QStringLiteral("1e-3"));
  tab.run();
  ASSERT_TRUE(QTest::qWaitFor([&tab] { return !tab.running(); }, 10000));
  const auto* status = tab.findChild<QLabel*>(QStringLiteral("adaptiveStatus"));
  EXPECT_TRUE(status->text().contains(QLatin1String("held by stability")))
      << status->text().toStdString();
}

// stiff on [0, 1000] at tol 1e-14 runs into the million-attempt cap: far longer than the test.
TEST(AdaptiveTabTest, EscapeCancelsALongRunAndKeepsItsAttempts) {
  AdaptiveTab tab;
  tab.show();
  QApplication::setActiveWindow(&tab);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&tab));
  auto* tol = tab.findChild<QLineEdit*>(QStringLiteral("adaptiveTol"));
  auto* run = tab.findChild<QPushButton*>(QStringLiteral("adaptiveRun"));
  auto* cancel = tab.findChild<QPushButton*>(QStringLiteral("adaptiveCancel"));
  tol->setText(QStringLiteral("1e-14"));
  tab.setProblem(study::Problem{study::Stiff{}, 0.0, 0.0, 1000.0});
  ASSERT_TRUE(tab.running());
  EXPECT_FALSE(run->isEnabled() || tol->isEnabled());
  EXPECT_TRUE(cancel->isEnabled());
  QTest::qWait(50);  // the window answers meanwhile; the run makes its first attempts
  cancel->setFocus();
  QTest::keyClick(cancel, Qt::Key_Escape);
  ASSERT_TRUE(QTest::qWaitFor([&tab] { return !tab.running(); }, 5000));
  EXPECT_TRUE(run->isEnabled() && tol->isEnabled());
  EXPECT_FALSE(cancel->isEnabled());
  const int rows = tab.model()->rowCount();
  EXPECT_GT(rows, 0);
  EXPECT_LT(rows, 1000000);
  EXPECT_EQ(
      tab.findChild<QLabel*>(QStringLiteral("adaptiveStatus"))->text(),
      QStringLiteral("Cancelled after %1 attempts: the table and pictures keep them.").arg(rows));
}

}  // namespace
}  // namespace kemi::lab
