// The Adaptive tab: refusals under the tolerance entry, the table the command line writes, and
// the stiffness note. Test problems: classroom (the window's default) and stiff, dy/dx =
// -50 (y - cos x) from (0, 0), on [0, 10].
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
  const study::AdaptiveResult r =
      study::runAdaptive(classroom, {4, 1e-6, 1e-6, std::nullopt, true});
  EXPECT_EQ(tab.model()->table().rows, study::adaptiveText(r).rows);
  EXPECT_EQ(tab.runPicture()->run().result.accepted, r.accepted);

  tab.setProblem(study::Problem{study::Stiff{}, 0.0, 0.0, 10.0});
  tab.findChild<QLineEdit*>(QStringLiteral("adaptiveTol"))->setText(QStringLiteral("1e-3"));
  tab.run();
  const auto* status = tab.findChild<QLabel*>(QStringLiteral("adaptiveStatus"));
  EXPECT_TRUE(status->text().contains(QLatin1String("held by stability")))
      << status->text().toStdString();
}

}  // namespace
}  // namespace kemi::lab
