// kemi-lab's outputs that are not regular files: devices and FIFOs written in place and never
// replaced, descriptors written as they are, write errors reported, two outputs written both or
// neither, permission bits kept, and nothing on standard error when a chart is drawn.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <string>

namespace {

struct Exit {
  int status = -1;
  std::string out;
  std::string err;
};

Exit lab(const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));  // as under su or in a container
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(KEMI_LAB_PROGRAM), arguments);
  EXPECT_TRUE(process.waitForFinished(60000));
  return {process.exitCode(), process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

std::string read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(unreadable)";
}

mode_t mode(const QString& path) {
  struct stat info {};
  return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

// A device that fails every write with ENOSPC: as root a node of its own in `dir`, so that a
// fault replaces nothing of the machine's; otherwise /dev/full, which the user cannot replace.
QString fullDevice(const QTemporaryDir& dir) {
  if (::geteuid() != 0) return QStringLiteral("/dev/full");
  const QString path = dir.filePath(QStringLiteral("full"));
  EXPECT_EQ(::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 7)), 0);
  return path;
}

TEST(OutputTargetTest, DevicesAndDescriptorsAreWrittenInPlace) {
  const std::string table = lab({"stability"}).out;
  ASSERT_FALSE(table.empty());
  for (const char* path : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"}) {
    const Exit r = lab({"stability", "--output", path});
    EXPECT_EQ(r.status, 0) << path << ": " << r.err;
    EXPECT_EQ(r.out, table) << path;
  }
  QTemporaryDir dir;
  const QString fifo = dir.filePath(QStringLiteral("fifo"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  // A reader that is already there, so kemi-lab's open does not wait; the table fits in the
  // pipe's buffer and is read once kemi-lab has ended.
  const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const Exit r = lab({"stability", "--output", fifo});
  std::string received(table.size() + 1, '\0');
  received.resize(static_cast<std::size_t>(
      std::max<ssize_t>(::read(reader, received.data(), received.size()), 0)));
  ::close(reader);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(received, table);
  EXPECT_TRUE(S_ISFIFO(mode(fifo)));
}

TEST(OutputTargetTest, FailuresWriteNothingAndReplaceNothing) {
  QTemporaryDir dir;
  const QString full = fullDevice(dir);
  const QString table = dir.filePath(QStringLiteral("table.csv"));
  const QString chart = dir.filePath(QStringLiteral("chart.svg"));
  struct Case {
    const char* name;
    QStringList arguments;
    const char* reason;  // what standard error must say
  };
  const Case cases[] = {
      {"device full", {"stability", "--output", full}, "No space left on device"},
      {"chart fails",
       {"stability", "--output", table, "--chart", dir.filePath("no/c.svg")},
       "no/c.svg"},
      {"table fails", {"stability", "--output", full, "--chart", chart}, "No space left"},
      {"steps", {"steps", "--method", "RK4", "--output", full}, "No space left on device"},
  };
  for (const Case& c : cases) {
    for (const QString& path : {table, chart}) {
      QFile old(path);
      ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old\n") == 4);
    }
    const Exit r = lab(c.arguments);
    EXPECT_EQ(r.status, 1) << c.name;
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << c.name << ": " << r.err;
    EXPECT_EQ(read(table), "old\n") << c.name;
    EXPECT_EQ(read(chart), "old\n") << c.name;
    EXPECT_TRUE(S_ISCHR(mode(full))) << c.name << ": the device was replaced";
  }
}

TEST(OutputTargetTest, FilesAreReplacedWithTheirModeAndStandardErrorStaysQuiet) {
  QTemporaryDir dir;
  const QString table = dir.filePath(QStringLiteral("table.csv"));
  const QString chart = dir.filePath(QStringLiteral("chart.png"));
  QFile old(table);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old\n") == 4);
  old.close();
  ASSERT_EQ(::chmod(QFile::encodeName(table).constData(), 0640), 0);
  const Exit r = lab({"stability", "--output", table, "--chart", chart});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(read(table), lab({"stability"}).out);
  EXPECT_EQ(read(chart).substr(1, 3), "PNG");
  EXPECT_EQ(mode(table) & 07777, 0640U);
}

}  // namespace
