// kemi-lab run as a process: what it refuses and how, its help, rows bit for bit against the run
// of kemi, Markdown tables, and output files that are replaced whole or left as they were.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <charconv>
#include <csignal>
#include <string>
#include <vector>

#include "core/calculation.h"

namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

Outcome finished(QProcess& process) {
  EXPECT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  return {process.exitCode(), process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

Outcome lab(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(KEMI_LAB_PROGRAM), arguments);
  return finished(process);
}

// The CSV lines without their CRLF, each split at its commas (numbers need no quoting).
std::vector<std::vector<std::string>> csvRows(const std::string& csv) {
  std::vector<std::vector<std::string>> rows;
  for (std::size_t start = 0; start < csv.size();) {
    const std::size_t end = csv.find("\r\n", start);
    const std::string line = csv.substr(start, end - start);
    std::vector<std::string>& row = rows.emplace_back();
    for (std::size_t from = 0;;) {
      const std::size_t comma = line.find(',', from);
      row.push_back(line.substr(from, comma - from));
      if (comma == std::string::npos) break;
      from = comma + 1;
    }
    start = end == std::string::npos ? csv.size() : end + 2;
  }
  return rows;
}

double number(const std::string& text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
  return value;
}

struct NoView : kemi::RunView {
  void showStepSize(const std::string&) override {}
  void appendLines(const std::array<std::string, 4>&) override {}
  std::optional<std::string> redraw(const kemi::Calculation&, double&, double&) override {
    return std::nullopt;
  }
};

// kemi's run with the same entries.
void run(kemi::Calculation& calc, const std::string& method, const std::string& x1,
         const std::string& n) {
  NoView view;
  for (const kemi::MethodInfo& info : kemi::kMethods) {
    if (info.id == method) {
      const kemi::RunResult result = calc.run({"0", "-1", x1, n}, info, view);
      ASSERT_TRUE(result.completed) << result.cause;
      return;
    }
  }
  FAIL() << "no method " << method;
}

struct Refusal {
  QStringList arguments;
  std::string named;  // what the one line must name
};

TEST(LabCliTest, RefusesBadInputInOneLineNamingTheOption) {
  const std::vector<Refusal> refusals{
      {{"integrate"}, "'integrate'"},
      {{"--x1", "1", "convergence"}, "--x1"},
      {{"convergence", "--step", "2"}, "--step"},
      {{"convergence", "extra"}, "'extra'"},
      {{"convergence", "--x1"}, "--x1"},
      {{"convergence", "--x1", "abc"}, "--x1"},
      {{"convergence", "--x1", "1e"}, "--x1"},
      {{"convergence", "--x1", "0,5"}, "--x1"},
      {{"convergence", "--x1", ""}, "--x1"},
      {{"convergence", "--x1", "0"}, "--x1"},
      {{"convergence", "--x1", "-0.0"}, "--x1"},
      {{"convergence", "--x1", "inf"}, "--x1"},
      {{"convergence", "--x1", "1e400"}, "--x1"},
      {{"convergence", "--max-n", "2.5"}, "--max-n"},
      {{"convergence", "--max-n", "0"}, "--max-n"},
      {{"convergence", "--max-n", "2147483647"}, "--max-n"},
      {{"convergence", "--methods", "Euler,RK5"}, "RK5"},
      {{"convergence", "--format", "xml"}, "--format"},
      {{"steps", "--x1", "0.4"}, "--method"},
      {{"steps", "--method", "Heun"}, "RK4G"},
      {{"steps", "--method", "RK4", "--n", "100001"}, "--n"},
      {{"steps", "--method", "RK4", "--n", "-1"}, "--n"},
      {{"stability", "--max-n", "4"}, "--max-n"},
      {{"stability", "--view", "complex"}, "--view"},
      {{"convergence", "--f", "-2*x-", "--y0", "1"}, "--f: unexpected end of expression at"},
      {{"steps", "--method", "RK4", "--f", "2x", "--y0", "1"}, "2*x"},
      {{"compare", "--f", "x + z", "--y0", "1"}, "'z'"},
      {{"compare", "--f", "cosh(x) + foo(y)", "--y0", "1"}, "'foo'"},
      {{"compare", "--f", "", "--y0", "1"}, "empty"},
      {{"compare", "--f", QString(1001, QLatin1Char('1')), "--y0", "1"}, "1000"},
      {{"stability", "--equation", "stiff", "--f", "y"}, "--equation and --f"},
      {{"stability", "--equation", "Stiff"}, "riccati"},
      {{"compare", "--f", "y"}, "--y0"},
      {{"compare", "--f", "y", "--x0", "2", "--y0", "1", "--x1", "2"}, "--x1"},
      {{"compare", "--f", "1/y", "--y0", "0"}, "not a finite number at the start"},
      {{"compare", "--f", "y", "--y0", "1", "--exact", "exp(2*x)"}, "--exact"},
      {{"convergence", "--equation", "riccati", "--x1", "1"}, "near x = 0.9698"},
      {{"adaptive", "--method", "RKF", "--tol", "0"}, "--tol"},
      {{"adaptive", "--method", "RKF", "--tol", "-1e-6"}, "--tol"},
      {{"adaptive", "--method", "RKF", "--tol", "abc"}, "--tol"},
      {{"adaptive", "--method", "RKF", "--tol", "1e-15"}, "below 1e-14"},
      {{"adaptive", "--method", "RKF", "--atol", "nan"}, "--atol"},
      {{"adaptive", "--method", "RKF", "--rtol", "0"}, "--rtol"},
      {{"adaptive", "--method", "RKF", "--h0", "0"}, "--h0"},
      {{"adaptive", "--method", "RKF", "--h0", "-0.1"}, "--h0"},
      {{"adaptive", "--method", "Heun"}, "RK4G"},
      {{"adaptive", "--tol", "1e-6"}, "--method"},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.arguments.join(' ').toStdString());
    const Outcome r = lab(refusal.arguments);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_NE(r.err.find(refusal.named), std::string::npos) << r.err;
  }
}

TEST(LabCliTest, HelpAndVersionGoToStandardOutput) {
  const std::vector<std::pair<QStringList, std::string>> cases{
      {{"--help"}, "Usage: kemi-lab COMMAND"},
      {{"steps", "--help"}, "Usage: kemi-lab steps"},
      {{"convergence", "-h"}, "Usage: kemi-lab convergence"},
      {{"--version"}, "kemi-lab (Kemi) " KEMI_VERSION "\n"},
  };
  for (const auto& [arguments, start] : cases) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const Outcome r = lab(arguments);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, start.size()), start);
    EXPECT_EQ(r.err, "");
  }
}

TEST(LabCliTest, ConvergenceRowsAreTheRunsLastPoints) {
  for (const char* x1 : {"1", "-2.7"}) {
    SCOPED_TRACE(x1);
    const Outcome r = lab({"convergence", "--x1", x1, "--max-n", "16"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = csvRows(r.out);
    ASSERT_EQ(rows.size(), 1 + kemi::kMethods.size() * 5);  // N = 1, 2, 4, 8, 16 per method
    for (std::size_t i = 1; i < rows.size(); ++i) {
      const std::vector<std::string>& row = rows[i];
      ASSERT_EQ(row.size(), 12u);
      kemi::Calculation calc;
      run(calc, row[0], x1, row[1]);
      EXPECT_EQ(number(row[3]), calc.X()[calc.lastIndex()]) << row[0] << " N " << row[1];
      EXPECT_EQ(number(row[4]), calc.Y()[calc.lastIndex()]) << row[0] << " N " << row[1];
    }
  }
}

TEST(LabCliTest, StepRowsAreTheRunsTable) {
  for (const kemi::MethodInfo& method : kemi::kMethods) {
    SCOPED_TRACE(std::string(method.id));
    const Outcome r =
        lab({"steps", "--method", QString::fromLatin1(method.id), "--x1", "0.9", "--n", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = csvRows(r.out);
    ASSERT_EQ(rows.size(), 1 + 6u);
    kemi::Calculation calc;
    run(calc, std::string(method.id), "0.9", "5");
    for (std::size_t i = 0; i <= 5; ++i) {
      EXPECT_EQ(number(rows[i + 1][1]), calc.X()[i]) << "i " << i;
      EXPECT_EQ(number(rows[i + 1][2]), calc.Y()[i]) << "i " << i;
    }
  }
}

TEST(LabCliTest, TypedClassroomGivesClassroomsPoints) {
  // compare's columns past the exact one hold every method's points.
  const Outcome preset = lab({"compare", "--n", "7", "--x1", "0.9"});
  const Outcome typed =
      lab({"compare", "--n", "7", "--f", "-2*x - y", "--y0", "-1", "--x1", "0.9"});
  ASSERT_EQ(preset.status, 0) << preset.err;
  ASSERT_EQ(typed.status, 0) << typed.err;
  const auto a = csvRows(preset.out);
  const auto b = csvRows(typed.out);
  ASSERT_EQ(a.size(), 9u);
  ASSERT_EQ(b.size(), a.size());
  EXPECT_EQ(a[0][2], "exact");
  EXPECT_EQ(b[0][2], "reference");  // no --exact: a reference solution
  for (std::size_t i = 0; i < a.size(); ++i) {
    ASSERT_EQ(a[i].size(), 3 + kemi::kMethods.size());
    for (std::size_t c = 3; c < a[i].size(); ++c) EXPECT_EQ(a[i][c], b[i][c]) << i << "," << c;
  }
}

TEST(LabCliTest, EquationsListsPresetsTheOtherCommandsAccept) {
  const Outcome r = lab({"equations"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto rows = csvRows(r.out);
  ASSERT_EQ(rows[0], (std::vector<std::string>{"id", "f", "x0", "y0", "exact", "x1"}));
  ASSERT_EQ(rows.size(), 14u);  // six equations and seven systems
  for (std::size_t i = 1; i < rows.size(); ++i) {
    SCOPED_TRACE(rows[i][0]);
    // Each preset's row 0 of steps is its start, and its f typed in gives the same points.
    const Outcome steps = lab(
        {"steps", "--equation", QString::fromStdString(rows[i][0]), "--method", "RK4", "--n", "3"});
    ASSERT_EQ(steps.status, 0) << steps.err;
    const auto table = csvRows(steps.out);
    EXPECT_EQ(table[1][1], rows[i][2]);
    // A system's start is "y1; y2", its table's row 0 holds y1 and y2.
    const bool system = rows[i][3].find(';') != std::string::npos;
    EXPECT_EQ(system ? table[1][2] + "; " + table[1][3] : table[1][2], rows[i][3]);
    const Outcome typed =
        lab({"steps", "--f", QString::fromStdString(rows[i][1]), "--x0",
             QString::fromStdString(rows[i][2]), "--y0", QString::fromStdString(rows[i][3]), "--x1",
             QString::fromStdString(rows[i][5]), "--method", "RK4", "--n", "3"});
    ASSERT_EQ(typed.status, 0) << typed.err;
    const auto typedTable = csvRows(typed.out);
    for (std::size_t k = 1; k < table.size() && k < typedTable.size(); ++k)
      EXPECT_NEAR(number(typedTable[k][2]), number(table[k][2]),
                  1e-12 * std::abs(number(table[k][2])));
  }
}

TEST(LabCliTest, StiffStabilityLimits) {
  const Outcome r = lab({"stability", "--equation", "stiff", "--methods", "Euler,RK4"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto rows = csvRows(r.out);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][4], "lambda_min");
  EXPECT_EQ(rows[1][4], "-50");
  EXPECT_EQ(number(rows[1][5]), 0.04);
  EXPECT_NEAR(number(rows[2][5]), 0.0557058713, 1e-10);
  EXPECT_EQ(rows[1][6], "25");
  EXPECT_EQ(rows[2][6], "18");
}

TEST(LabCliTest, MarkdownIsATable) {
  const std::vector<std::pair<QStringList, std::size_t>> cases{
      {{"stability", "--format", "md"}, 7},
      {{"steps", "--method", "rkm", "--format", "MD"}, 5},
  };
  for (const auto& [arguments, rows] : cases) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const Outcome r = lab(arguments);
    ASSERT_EQ(r.status, 0) << r.err;
    QStringList lines = QString::fromStdString(r.out).trimmed().split(QLatin1Char('\n'));
    // A line that names the equation and the start, a blank line, then the table.
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("classroom: dy/dx = -2*x - y from (0, -1)")))
        << lines[0].toStdString();
    EXPECT_EQ(lines[1], QString());
    lines = lines.mid(2);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(rows + 2));
    for (const QString& line : lines)
      EXPECT_TRUE(line.startsWith(QLatin1Char('|')) && line.endsWith(QLatin1Char('|')))
          << line.toStdString();
    EXPECT_EQ(lines[1].count(QLatin1Char('|')), lines[0].count(QLatin1Char('|')));
    EXPECT_TRUE(lines[1].contains(QLatin1String("---")));
  }
}

// A folder holding one file with an old content, for --output.
struct OutputFolder {
  QTemporaryDir dir;
  QString file = dir.filePath(QStringLiteral("table.csv"));
  OutputFolder() {
    QFile old(file);
    EXPECT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old\n") == 4);
  }
  QByteArray content() const {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
  }
  QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST(LabCliTest, OutputReplacesTheFileWhole) {
  OutputFolder folder;
  const Outcome r = lab({"stability", "--output", folder.file});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(folder.content().toStdString(), lab({"stability"}).out);
  EXPECT_EQ(folder.entries(), QStringList{QStringLiteral("table.csv")});
}

TEST(LabCliTest, FailedWriteLeavesTheOldFile) {
  OutputFolder folder;
  QProcess process;
  // Files larger than 100 bytes cannot be written, as on a full disk.
  process.setChildProcessModifier([] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
  });
  process.start(QStringLiteral(KEMI_LAB_PROGRAM),
                {"steps", "--method", "RK4", "--output", folder.file});
  const Outcome r = finished(process);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("table.csv"), std::string::npos) << r.err;
  EXPECT_EQ(folder.content(), "old\n");
  EXPECT_EQ(folder.entries(), QStringList{QStringLiteral("table.csv")});
}

// Whether the process has a handler for SIGINT, from the caught-signal mask of /proc.
bool catchesInterrupt(qint64 pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("SigCgt:"))
      return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGINT - 1) & 1) != 0;
  return false;
}

// logistic: dy/dx = y(1 - y) from (0, 0.1) to 4. The rows end with an accepted attempt on x1;
// a run that cannot go on writes its rows and says why, with status 1.
TEST(LabCliTest, AdaptiveRowsEndOnX1AndAStoppedRunSaysWhy) {
  const Outcome r = lab({"adaptive", "--equation", "logistic", "--method", "RKM", "--tol", "1e-8"});
  EXPECT_EQ(r.status, 0) << r.err;
  const auto rows = csvRows(r.out);
  ASSERT_GT(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"attempt", "x", "h", "y", "estimate", "local_error",
                                               "accepted", "error"}));
  const auto& last = rows.back();
  EXPECT_EQ(last[6], "yes");
  EXPECT_EQ(number(last[1]) + number(last[2]), 4.0);
  const Outcome md = lab({"adaptive", "--equation", "stiff", "--x1", "10", "--method", "RKF",
                          "--tol", "1e-3", "--format", "md"});
  EXPECT_EQ(md.status, 0);
  EXPECT_NE(md.out.find("- evaluations of f: "), std::string::npos);
  EXPECT_NE(md.out.find("held by stability, not by accuracy"), std::string::npos) << md.out;
  const Outcome pole = lab({"adaptive", "--f", "y^2", "--y0", "1", "--x1", "2", "--method", "RKF"});
  EXPECT_EQ(pole.status, 1);
  EXPECT_NE(pole.out.find("attempt,x,h"), std::string::npos);
  EXPECT_NE(pole.err.find("step size too small at x = 0.99"), std::string::npos) << pole.err;
}

// Each runs far longer than the test: stiff on [0, 1000] at tol 1e-14 makes a million attempts.
TEST(LabCliTest, InterruptStopsALongRunWithinASecondAndWritesNothing) {
  const QStringList commands[] = {
      {"convergence", "--max-n", "1073741824"},
      {"adaptive", "--equation", "stiff", "--x1", "1000", "--method", "RKF", "--tol", "1e-14"},
      {"adaptive", "--equation", "stiff", "--x1", "1000", "--sweep"}};
  for (const QStringList& command : commands) {
    SCOPED_TRACE(command.join(QLatin1Char(' ')).toStdString());
    OutputFolder folder;
    QProcess process;
    process.start(QStringLiteral(KEMI_LAB_PROGRAM),
                  command + QStringList{QStringLiteral("--output"), folder.file});
    ASSERT_TRUE(process.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (!catchesInterrupt(process.processId())) {
      ASSERT_FALSE(process.waitForFinished(10)) << process.readAllStandardError().toStdString();
      ASSERT_LT(waited.elapsed(), 5000) << "no handler for SIGINT";
    }
    // Long enough for the work to be under way.
    EXPECT_FALSE(process.waitForFinished(300));
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(1000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 130);
    EXPECT_EQ(process.readAllStandardOutput(), "");
    EXPECT_EQ(folder.content(), "old\n");
    EXPECT_EQ(folder.entries(), QStringList{QStringLiteral("table.csv")});
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
