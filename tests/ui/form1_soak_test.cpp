// A whole lesson in one main window: 10,000 presses of CALCULATE with random entries and methods.
// Each press must add the four lines the same run gives through the core alone, or none when
// that run stops; no stop may block; at the end List1 holds every run's lines in order and the
// memory has grown by little more than those lines. KEMI_SEED=<n> replays a lesson.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/calculation.h"
#include "core/entry_reader.h"
#include "plot/graphic.h"
#include "tests/support/random_entry_texts.h"
#include "tests/ui/ui_test_support.h"
#include "ui/form1.h"
#include "ui/plot_area.h"

// AddressSanitizer keeps freed memory in quarantine, so there the resident size tells nothing.
#if defined(__SANITIZE_ADDRESS__)
#define KEMI_MEMORY_IN_QUARANTINE 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KEMI_MEMORY_IN_QUARANTINE 1
#endif
#endif

namespace kemi {
namespace {

using test::control;

constexpr int kPresses = 10000;
constexpr int kWarmUpPresses = 100;
constexpr long kAllowedGrowthKb = 4096;

std::uint64_t seed() {
  if (const char* text = std::getenv("KEMI_SEED")) return std::strtoull(text, nullptr, 0);
  return 20250613;
}

long residentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

// The same run straight through the core, its plot on a surface that keeps nothing.
struct ReferenceView : RunView, DrawingSurface {
  std::optional<std::string> stepSize;
  std::vector<std::string> lines;
  void showStepSize(const std::string& text) override { stepSize = text; }
  void appendLines(const std::array<std::string, 4>& four) override {
    lines.assign(four.begin(), four.end());
  }
  std::optional<std::string> redraw(const Calculation& calc, double& x0, double& x1) override {
    return Graphic(*this, plotInput(calc), x0, x1);
  }
  void Clear() override {}
  void SetScale(double, double, double, double) override {}
  void DrawLine(float, float, float, float, std::optional<Rgb>) override {}
};

// What students type: numbers of every size and sign, blanks, commas, exponents up to 400,
// garbage; step counts whole, fractional, negative or too large, never a slow run.
class Student : public test::RandomEntryTexts {
 public:
  using RandomEntryTexts::RandomEntryTexts;

  std::string plain(double lo, double hi) {
    char text[32];
    const double v = uniformReal(lo, hi);
    return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
  }
  std::string target() {
    static const char* const kEdges[] = {
        "0.4",  "-1",    "1e400",    "-1e400", "1.7976931348623157e308",
        "0",    "-0",    "0,4",      "700",    "-700",
        "-800", "8e307", "4.9e-324", "",       "  "};
    const int kind = uniform(0, 5);
    return kind == 0   ? kEdges[uniform(0, 14)]
           : kind == 1 ? typed(number())
           : kind == 2 ? garbage()
                       : typed(plain(-3, 3));
  }
  std::string stepCount() {
    static const char* const kEdges[] = {"1",    "0",    "-0",     "0.5",       "2.5", "3.5",
                                         "-0.4", "-0.6", "1e400",  "5e9",       "1,5", "",
                                         "2e1",  "abc",  "-1e400", "2147483648"};
    for (;;) {
      const int kind = uniform(0, 5);
      const std::string s = typed(kind == 0   ? kEdges[uniform(0, 15)]
                                  : kind == 1 ? number()
                                  : kind == 2 ? garbage()
                                  : kind == 3 ? plain(-3, 3)
                                              : std::to_string(uniform(1, 200)));
      // Steps beyond 200 but within the tables' limit would only make the lesson slow.
      const std::optional<double> n = readEntry(s);
      if (!n || *n <= 200 || *n >= 2147483648.0) return s;
    }
  }
};

bool showsNanOrInf(const QString& text) {
  return text.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
         text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}

std::uint64_t hashLines(const QListWidget& list, int first) {
  std::uint64_t h = 1469598103934665603u;
  for (int i = first; i < first + 4; ++i)
    for (const QChar c : list.item(i)->text()) h = (h ^ c.unicode()) * 1099511628211u;
  return h;
}

// What the lines alone take: the same texts, copied, in a bare list of the same kind.
long linesKb(const QListWidget& list, int from) {
  QListWidget bare;
  bare.setUniformItemSizes(true);
  bare.setGeometry(list.geometry());
  bare.show();
  QCoreApplication::processEvents();
  const long before = residentKb();
  for (int i = from; i < list.count(); ++i) {
    const QString text = list.item(i)->text();
    bare.addItem(QString(text.constData(), text.size()));
  }
  QCoreApplication::processEvents();
  return residentKb() - before;
}

// One main window through a lesson, each press checked against the same run in the core.
class Lesson {
 public:
  explicit Lesson(std::uint64_t seed) : student_(seed) {
    for (std::size_t i = 0; i < kMethods.size(); ++i)
      options_[i] = control<QRadioButton>(form_, std::string(kMethods[i].optionName).c_str());
    form_.setStopReporter([this](const QString& cause) { causes_.push_back(cause); });
    form_.show();
    runHashes_.reserve(kPresses);
    runMethods_.reserve(kPresses);
  }

  void press(int number) {
    if (student_.chance(30)) {
      method_ = static_cast<std::size_t>(student_.uniform(0, int(kMethods.size()) - 1));
      QRadioButton* option = options_[method_];
      if (student_.chance(50))
        option->click();
      else
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
      ASSERT_TRUE(option->isChecked()) << "press " << number;
    }
    // A few entries typed key by key (no tabs, line feeds or carriage returns there: they would
    // move the focus or be taken as Enter).
    const bool byKeys = student_.chance(1);
    std::string x1 = student_.target(), N = student_.stepCount();
    if (byKeys) {
      const auto control = [](char c) { return c == '\t' || c == '\n' || c == '\r'; };
      std::erase_if(x1, control);
      std::erase_if(N, control);
    }
    enter(x1_, x1, byKeys);
    enter(N_, N, byKeys);
    ASSERT_EQ(x1_->text(), QString::fromStdString(x1)) << "press " << number;
    ASSERT_EQ(N_->text(), QString::fromStdString(N)) << "press " << number;

    ReferenceView expected;
    const RunResult result = reference_.run({"0", "-1", x1, N}, kMethods[method_], expected);
    const int before = list_->count();
    const QString hBefore = h_->text();
    const std::size_t causesBefore = causes_.size();
    if (number % 3 == 0)
      calculate_->click();
    else
      QTest::mouseClick(calculate_, Qt::LeftButton);

    const std::string what = "press " + std::to_string(number) + " x1 \"" + x1 + "\" N \"" + N +
                             "\" method " + std::string(kMethods[method_].reportName);
    ASSERT_EQ(list_->count() - before, static_cast<int>(expected.lines.size())) << what;
    for (std::size_t i = 0; i < expected.lines.size(); ++i) {
      const QString line = list_->item(before + static_cast<int>(i))->text();
      EXPECT_EQ(line, QString::fromStdString(expected.lines[i])) << what;
      EXPECT_FALSE(showsNanOrInf(line)) << what;
    }
    EXPECT_EQ(h_->text(), expected.stepSize ? QString::fromStdString(*expected.stepSize) : hBefore)
        << what;
    EXPECT_FALSE(showsNanOrInf(h_->text())) << what;
    ASSERT_EQ(causes_.size(), causesBefore + (result.completed ? 0 : 1)) << what;
    if (!result.completed) {
      EXPECT_EQ(causes_.back(), QString::fromStdString(result.cause)) << what;
      ++stopped;
    }
    if (!expected.lines.empty()) {
      runHashes_.push_back(hashLines(*list_, before));
      runMethods_.push_back(method_);
      (result.completed ? completed : stoppedWithLines)++;
    }
  }

  // The whole list once more: four lines per run with lines, each run's own, in run order.
  void checkWholeList() const {
    ASSERT_EQ(list_->count(), static_cast<int>(4 * runHashes_.size()));
    for (std::size_t run = 0; run < runHashes_.size(); ++run) {
      const int first = static_cast<int>(4 * run);
      const QString name = QString::fromUtf8(kMethods[runMethods_[run]].reportName.data());
      ASSERT_EQ(hashLines(*list_, first), runHashes_[run]) << "run " << run;
      EXPECT_TRUE(list_->item(first)->text().endsWith(name)) << "run " << run;
      EXPECT_TRUE(list_->item(first + 1)->text().endsWith(QLatin1String("Analytical")));
      EXPECT_TRUE(list_->item(first + 2)->text().endsWith(QLatin1String("Error")));
      EXPECT_EQ(list_->item(first + 3)->text(), QLatin1String(" "));
    }
    EXPECT_TRUE(form_.findChildren<QMessageBox*>().isEmpty());
    const auto* picture = control<PlotArea>(form_, "Picture1");
    EXPECT_EQ(picture->image().size(), picture->size() * picture->devicePixelRatioF());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }

  const QListWidget& list() const { return *list_; }
  int completed = 0, stopped = 0, stoppedWithLines = 0;

 private:
  static void enter(QLineEdit* edit, const std::string& text, bool byKeys) {
    if (!byKeys) return edit->setText(QString::fromStdString(text));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QString::fromStdString(text));
  }

  Student student_;
  Form1 form_;
  std::vector<QString> causes_;
  QLineEdit* x1_ = control<QLineEdit>(form_, "Text_x1");
  QLineEdit* N_ = control<QLineEdit>(form_, "Text_N");
  QLineEdit* h_ = control<QLineEdit>(form_, "Text_h");
  QPushButton* calculate_ = control<QPushButton>(form_, "Command1");
  QListWidget* list_ = control<QListWidget>(form_, "List1");
  std::array<QRadioButton*, kMethods.size()> options_{};
  Calculation reference_;
  std::size_t method_ = 0;
  std::vector<std::uint64_t> runHashes_;
  std::vector<std::size_t> runMethods_;
};

TEST(Form1SoakTest, TenThousandPressesKeepEveryRunsLinesInOrderAndTheMemoryFlat) {
  const std::uint64_t lessonSeed = seed();
  SCOPED_TRACE("KEMI_SEED=" + std::to_string(lessonSeed));
  Lesson lesson(lessonSeed);
  long rssAtWarmUp = 0;
  int linesAtWarmUp = 0;
  for (int press = 0; press < kPresses && !HasFailure(); ++press) {
    lesson.press(press);
    // Now and then the window gets to paint, as it would between a student's presses.
    if (press % 20 == 19) QCoreApplication::processEvents();
    if (press + 1 == kWarmUpPresses) {
      rssAtWarmUp = residentKb();
      linesAtWarmUp = lesson.list().count();
    }
  }
  ASSERT_FALSE(HasFailure());
  QCoreApplication::processEvents();
  const long rssAtEnd = residentKb();
  lesson.checkWholeList();
  // Both kinds of run must have happened often, or the lesson tried too little.
  EXPECT_GT(lesson.completed, kPresses / 4);
  EXPECT_GT(lesson.stopped, kPresses / 10);
  EXPECT_GT(lesson.stoppedWithLines, 10);
#ifndef KEMI_MEMORY_IN_QUARANTINE
  const long lines = linesKb(lesson.list(), linesAtWarmUp);
  EXPECT_LE(rssAtEnd - rssAtWarmUp - lines, kAllowedGrowthKb)
      << "resident " << rssAtWarmUp << " kB after " << kWarmUpPresses << " presses, " << rssAtEnd
      << " kB after " << kPresses << "; the lines alone take " << lines << " kB";
  std::printf("[ lesson   ] resident %ld kB -> %ld kB, of which the lines %ld kB\n", rssAtWarmUp,
              rssAtEnd, lines);
#endif
  std::printf("[ lesson   ] seed %llu: %d completed, %d stopped (%d after their lines), %d lines\n",
              static_cast<unsigned long long>(lessonSeed), lesson.completed, lesson.stopped,
              lesson.stoppedWithLines, lesson.list().count());
}

}  // namespace
}  // namespace kemi
