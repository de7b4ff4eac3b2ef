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

#include "calculation.h"
#include "entry_reader.h"
#include "form1.h"
#include "graphic.h"
#include "plot_area.h"
#include "ui_test_support.h"

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
class Student {
 public:
  explicit Student(std::uint64_t seed) : rng_(seed) {}
  int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool chance(int percent) { return uniform(1, 100) <= percent; }

  std::string digits(int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += static_cast<char>('0' + uniform(0, 9));
    return s;
  }
  std::string number() {
    std::string s = chance(40) ? "-" : (chance(10) ? "+" : "");
    std::string mantissa = digits(uniform(1, 12));
    if (chance(60))
      mantissa.insert(static_cast<std::size_t>(uniform(0, int(mantissa.size()))), ".");
    s += mantissa;
    if (chance(50)) s += (chance(50) ? "e" : "E") + std::to_string(uniform(-400, 400));
    return s;
  }
  std::string plain(double lo, double hi) {
    char text[32];
    const double v = std::uniform_real_distribution<double>(lo, hi)(rng_);
    return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
  }
  std::string garbage() {
    static constexpr std::string_view kChars = "abcxXeE+-.,;/ \t0123456789*#%()";
    std::string s;
    for (int n = uniform(0, 8); n > 0; --n) s += kChars[uniform(0, int(kChars.size()) - 1)];
    return s;
  }
  // Blanks, tabs and line feeds anywhere, or a comma and more after the number.
  std::string typed(std::string s) {
    static constexpr std::string_view kBlanks = " \t\n";
    for (int n = chance(25) ? uniform(1, 3) : 0; n > 0; --n)
      s.insert(static_cast<std::size_t>(uniform(0, int(s.size()))), 1, kBlanks[uniform(0, 2)]);
    if (chance(10)) s += "," + digits(uniform(1, 3));
    return s;
  }
  std::string target() {
    static const char* const kEdges[] = {
        "0.4",  "-1",    "1e400",    "-1e400", "1.7976931348623157e308",
        "0",    "-0",    "0,4",      "700",    "-700",
        "-800", "8e307", "4.9e-324", "",       "  "};
    switch (uniform(0, 5)) {
      case 0:
        return kEdges[uniform(0, 14)];
      case 1:
        return typed(number());
      case 2:
        return garbage();
      default:
        return typed(plain(-3, 3));
    }
  }
  std::string stepCount() {
    static const char* const kEdges[] = {"1",    "0",    "-0",     "0.5",       "2.5", "3.5",
                                         "-0.4", "-0.6", "1e400",  "5e9",       "1,5", "",
                                         "2e1",  "abc",  "-1e400", "2147483648"};
    for (;;) {
      std::string s;
      switch (uniform(0, 5)) {
        case 0:
          s = kEdges[uniform(0, 15)];
          break;
        case 1:
          s = number();
          break;
        case 2:
          s = garbage();
          break;
        case 3:
          s = plain(-3, 3);
          break;
        default:
          s = std::to_string(uniform(1, 200));
          break;
      }
      s = typed(s);
      // Steps beyond 200 but within the tables' limit would only make the lesson slow.
      const std::optional<double> n = readEntry(s);
      if (!n || *n <= 200 || *n >= 2147483648.0) return s;
    }
  }

 private:
  std::mt19937_64 rng_;
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

struct Lesson {
  Form1 form;
  std::vector<QString> causes;
  QLineEdit* x1 = control<QLineEdit>(form, "Text_x1");
  QLineEdit* N = control<QLineEdit>(form, "Text_N");
  QLineEdit* h = control<QLineEdit>(form, "Text_h");
  QPushButton* calculate = control<QPushButton>(form, "Command1");
  QListWidget* list = control<QListWidget>(form, "List1");
  std::array<QRadioButton*, kMethods.size()> options{};

  Lesson() {
    for (std::size_t i = 0; i < kMethods.size(); ++i)
      options[i] = control<QRadioButton>(form, std::string(kMethods[i].optionName).c_str());
    form.setStopReporter([this](const QString& cause) { causes.push_back(cause); });
    form.show();
  }
  static void enter(QLineEdit* edit, const std::string& text, bool byKeys) {
    if (byKeys) {
      edit->selectAll();
      QTest::keyClick(edit, Qt::Key_Delete);
      QTest::keyClicks(edit, QString::fromStdString(text));
    } else {
      edit->setText(QString::fromStdString(text));
    }
  }
};

TEST(Form1SoakTest, TenThousandPressesKeepEveryRunsLinesInOrderAndTheMemoryFlat) {
  const std::uint64_t lessonSeed = seed();
  SCOPED_TRACE("KEMI_SEED=" + std::to_string(lessonSeed));
  Student student(lessonSeed);
  Lesson w;
  ASSERT_FALSE(::testing::Test::HasFailure());
  Calculation reference;
  std::size_t method = 0;
  std::vector<std::uint64_t> runHashes;
  std::vector<std::size_t> runMethods;
  runHashes.reserve(kPresses);
  runMethods.reserve(kPresses);
  int completed = 0, stopped = 0, stoppedWithLines = 0, linesAtWarmUp = 0;
  long rssAtWarmUp = 0;

  for (int press = 0; press < kPresses && !::testing::Test::HasFailure(); ++press) {
    if (student.chance(30)) {
      method = static_cast<std::size_t>(student.uniform(0, int(kMethods.size()) - 1));
      QRadioButton* option = w.options[method];
      if (student.chance(50))
        option->click();
      else
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
      ASSERT_TRUE(option->isChecked()) << "press " << press;
    }
    // A few entries typed key by key (no tabs or line feeds there: they would move the focus).
    const bool byKeys = student.chance(1);
    std::string x1 = student.target(), N = student.stepCount();
    if (byKeys) {
      std::erase_if(x1, [](char c) { return c == '\t' || c == '\n'; });
      std::erase_if(N, [](char c) { return c == '\t' || c == '\n'; });
    }
    Lesson::enter(w.x1, x1, byKeys);
    Lesson::enter(w.N, N, byKeys);
    ASSERT_EQ(w.x1->text(), QString::fromStdString(x1)) << "press " << press;
    ASSERT_EQ(w.N->text(), QString::fromStdString(N)) << "press " << press;

    ReferenceView expected;
    const RunResult result = reference.run({"0", "-1", x1, N}, kMethods[method], expected);
    const int before = w.list->count();
    const QString hBefore = w.h->text();
    const std::size_t causesBefore = w.causes.size();
    if (press % 3 == 0)
      w.calculate->click();
    else
      QTest::mouseClick(w.calculate, Qt::LeftButton);

    const std::string what = "press " + std::to_string(press) + " x1 \"" + x1 + "\" N \"" + N +
                             "\" method " + std::string(kMethods[method].reportName);
    ASSERT_EQ(w.list->count() - before, static_cast<int>(expected.lines.size())) << what;
    for (std::size_t i = 0; i < expected.lines.size(); ++i) {
      const QString line = w.list->item(before + static_cast<int>(i))->text();
      EXPECT_EQ(line, QString::fromStdString(expected.lines[i])) << what;
      EXPECT_FALSE(showsNanOrInf(line)) << what;
    }
    EXPECT_EQ(w.h->text(), expected.stepSize ? QString::fromStdString(*expected.stepSize) : hBefore)
        << what;
    EXPECT_FALSE(showsNanOrInf(w.h->text())) << what;
    ASSERT_EQ(w.causes.size(), causesBefore + (result.completed ? 0 : 1)) << what;
    if (!result.completed) {
      EXPECT_EQ(w.causes.back(), QString::fromStdString(result.cause)) << what;
      ++stopped;
    }
    if (!expected.lines.empty()) {
      runHashes.push_back(hashLines(*w.list, before));
      runMethods.push_back(method);
      (result.completed ? completed : stoppedWithLines)++;
    }
    // Now and then the window gets to paint, as it would between a student's presses.
    if (press % 20 == 19) QCoreApplication::processEvents();
    if (press + 1 == kWarmUpPresses) {
      rssAtWarmUp = residentKb();
      linesAtWarmUp = w.list->count();
    }
  }
  ASSERT_FALSE(::testing::Test::HasFailure());
  QCoreApplication::processEvents();
  const long rssAtEnd = residentKb();

  // The whole list once more: four lines per run with lines, each run's own, in run order.
  ASSERT_EQ(w.list->count(), static_cast<int>(4 * runHashes.size()));
  for (std::size_t run = 0; run < runHashes.size(); ++run) {
    const int first = static_cast<int>(4 * run);
    const QString name = QString::fromUtf8(kMethods[runMethods[run]].reportName.data());
    ASSERT_EQ(hashLines(*w.list, first), runHashes[run]) << "run " << run;
    EXPECT_TRUE(w.list->item(first)->text().endsWith(name)) << "run " << run;
    EXPECT_TRUE(w.list->item(first + 1)->text().endsWith(QLatin1String("Analytical")));
    EXPECT_TRUE(w.list->item(first + 2)->text().endsWith(QLatin1String("Error")));
    EXPECT_EQ(w.list->item(first + 3)->text(), QLatin1String(" "));
  }
  EXPECT_TRUE(w.form.findChildren<QMessageBox*>().isEmpty());
  const auto* picture = control<PlotArea>(w.form, "Picture1");
  EXPECT_EQ(picture->image().size(), picture->size() * picture->devicePixelRatioF());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // What the lines alone cost: the same texts, copied, in a bare list of the same kind.
  QListWidget bare;
  bare.setUniformItemSizes(true);
  bare.setGeometry(w.list->geometry());
  bare.show();
  QCoreApplication::processEvents();
  const long rssBeforeBare = residentKb();
  for (int i = linesAtWarmUp; i < w.list->count(); ++i) {
    const QString text = w.list->item(i)->text();
    bare.addItem(QString(text.constData(), text.size()));
  }
  QCoreApplication::processEvents();
  const long linesKb = residentKb() - rssBeforeBare;
  const long growthKb = rssAtEnd - rssAtWarmUp;
  EXPECT_LE(growthKb - linesKb, kAllowedGrowthKb)
      << "resident " << rssAtWarmUp << " kB after " << kWarmUpPresses << " presses, " << rssAtEnd
      << " kB after " << kPresses << "; the " << bare.count() << " lines alone take " << linesKb
      << " kB";
  // Both kinds of run must have happened often, or the lesson tried too little.
  EXPECT_GT(completed, kPresses / 4);
  EXPECT_GT(stopped, kPresses / 10);
  EXPECT_GT(stoppedWithLines, 10);
  std::printf(
      "[ lesson   ] seed %llu: %d completed, %d stopped (%d after their lines), %d lines; "
      "resident %ld kB -> %ld kB, lines %ld kB\n",
      static_cast<unsigned long long>(lessonSeed), completed, stopped, stoppedWithLines,
      w.list->count(), rssAtWarmUp, rssAtEnd, linesKb);
}

}  // namespace
}  // namespace kemi
