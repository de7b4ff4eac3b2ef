// kemi-lab on systems run as a process: each refusal is one line on standard error with status
// 2, and each command's columns on a system.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <string>

namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

Result run(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(KEMI_LAB_PROGRAM), arguments);
  EXPECT_TRUE(process.waitForFinished(60000));
  return {process.exitCode(), process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

TEST(SystemCliTest, RefusesBadSystemsInOneLine) {
  const struct {
    QStringList arguments;
    const char* says;
  } cases[] = {
      {{"convergence", "--f", "y2; -y1; 0", "--y0", "1; 0"}, "--f: f needs 2 expressions"},
      {{"convergence", "--f", "y2; -y1", "--y0", "1; 0; 2"}, "--y0 of a system needs 2"},
      {{"steps", "--method", "RK4", "--f", "y2; -y3", "--y0", "1; 0"}, "'y3'"},
      {{"compare", "--f", "v; -y1", "--y0", "1; 0"}, "--f: f1: unknown variable or function 'v'"},
      {{"stability", "--f", "y2; -y1", "--y0", "1; 0", "--exact", "cos(x); sin(x)"},
       "--exact: the exact solution does not solve the system: at x = "},
      {{"convergence", "--f2", "-y", "--y0", "1; 0", "--exact", "cos(x); -sin(x)", "--invariant",
        "y + v"},
       "--invariant: the invariant is not constant along the exact solution"},
      {{"convergence", "--equation", "damped", "--methods", "RK4,Verlet"},
       "--methods: Verlet applies only to a second-order equation"},
      {{"compare", "--f2", "-y - v", "--y0", "1; 0", "--methods", "SymplecticEuler"},
       "SymplecticEuler applies only"},
      {{"convergence", "--equation", "classroom", "--y0", "1; 0"}, "is no system"},
      {{"convergence", "--f", "y2; -y1"}, "needs --y0"},
      {{"compare", "--equation", "damped", "--chart", "/tmp/x.png", "--view", "invariant"},
       "--view invariant: damped has no invariant"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const Result r = run(c.arguments);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  }
}

TEST(SystemCliTest, ColumnsOnASystem) {
  const struct {
    QStringList arguments;
    const char* header;
  } cases[] = {
      {{"convergence", "--equation", "oscillator", "--max-n", "4", "--methods", "RK4"},
       "method,N,h,x,y1,y2,exact1,exact2,error,observed_order,evaluations,stable,resolved,"
       "accuracy,invariant_drift\r\nRK4,1,"},
      {{"convergence", "--equation", "pendulum", "--max-n", "2", "--methods", "Verlet"},
       "method,N,h,x,y1,y2,reference1,reference2,error,"},
      {{"steps", "--equation", "oscillator", "--method", "Verlet", "--n", "1"},
       "i,x,y1,y2,exact1,exact2,error,local_error,invariant,k1.1,k1.2,k2.1,"},
      {{"compare", "--f2", "-y", "--y0", "1; 0", "--n", "2", "--methods", "Euler,Verlet"},
       "i,x,reference1,reference2,Euler.1,Euler.2,Verlet.1,Verlet.2\r\n0,0,1,0,1,0,1,0\r\n"},
      {{"stability", "--equation", "oscillator", "--methods", "Euler,RK4"},
       "method,order,evaluations,stability_limit,imag_limit,lambda_re,lambda_im,h_limit,n_min\r\n"
       "Euler,1,1,2,0,0,1,0,\r\nRK4,4,4,2.7852935632690787,2.828427123837173,0,1,"
       "2.828427123837173,4\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const Result r = run(c.arguments);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind(c.header, 0), 0u) << r.out.substr(0, 300);
  }
}

TEST(SystemCliTest, DrawsThePhasePlaneTheComponentsTheDriftAndTheRegions) {
  const QTemporaryDir dir;
  const struct {
    QStringList arguments;
    const char* description;
  } cases[] = {
      {{"compare", "--equation", "oscillator", "--n", "20", "--view", "phase"}, "phase plane"},
      {{"compare", "--equation", "pendulum", "--view", "components"}, "components y1 and y2"},
      {{"compare", "--f2", "-y", "--y0", "1; 0", "--invariant", "y^2 + v^2", "--view", "invariant"},
       "drift of the invariant"},
      {{"stability", "--equation", "oscillator"}, "h*lambda marked for the 1 eigenvalues"},
      {{"convergence", "--equation", "oscillator", "--max-n", "64"},
       "error at x1 against N, log-log. Euler: smallest error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const QString svg = dir.filePath(QStringLiteral("picture.svg"));
    const Result r = run(QStringList(c.arguments) << "--chart" << svg << "--output"
                                                  << "/dev/null");
    ASSERT_EQ(r.status, 0) << r.err;
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string text = file.readAll().toStdString();
    EXPECT_NE(text.find(c.description), std::string::npos);
    EXPECT_NE(text.find("<path"), std::string::npos);
  }
}

}  // namespace
