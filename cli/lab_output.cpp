// Writing a command's outputs: in place for devices, pipes and descriptors, through a QSaveFile
// for regular files.
#include "cli/lab_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace kemi::cli {
namespace {

// The descriptor a path names without opening anything new: /dev/stdout, /dev/stderr,
// /dev/fd/N and /proc/self/fd/N. Writing to the descriptor itself keeps what the shell set up
// (append mode, the position in a file, a pipe that cannot be opened again); -1 otherwise.
int namedDescriptor(const QString& path) {
  if (path == QLatin1String("/dev/stdout")) return STDOUT_FILENO;
  if (path == QLatin1String("/dev/stderr")) return STDERR_FILENO;
  for (const QLatin1String prefix : {QLatin1String("/dev/fd/"), QLatin1String("/proc/self/fd/")}) {
    if (!path.startsWith(prefix)) continue;
    bool ok = false;
    const int fd = path.mid(prefix.size()).toInt(&ok);
    if (ok && fd >= 0 && ::fcntl(fd, F_GETFD) != -1) return fd;
  }
  return -1;
}

// Writes every byte, retrying after signals and short writes; the errno of a failure, or 0.
int writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

}  // namespace

LabOutput::LabOutput(QString path) : path_(std::move(path)) {}

LabOutput::~LabOutput() {
  if (ownsFd_) ::close(fd_);
}

std::string LabOutput::cause(const std::string& reason) const {
  if (path_.isEmpty()) return "cannot write to standard output: " + reason;
  return "cannot write '" + path_.toStdString() + "': " + reason;
}

std::optional<std::string> LabOutput::open() {
  if (path_.isEmpty()) {
    fd_ = STDOUT_FILENO;
    return std::nullopt;
  }
  if (const int fd = namedDescriptor(path_); fd >= 0) {
    fd_ = fd;
    return std::nullopt;
  }
  const QByteArray name = path_.toLocal8Bit();
  struct stat info {};
  if (::stat(name.constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
    if (S_ISDIR(info.st_mode)) return cause("it is a folder");
    fd_ = ::open(name.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) return cause(std::strerror(errno));
    ownsFd_ = true;
    return std::nullopt;
  }
  file_ = std::make_unique<QSaveFile>(path_);
  // Unbuffered, so that a short write (a full disk, a file size limit) shows in what write()
  // returns: with a buffer, Qt 6.4 flushes it on commit without noticing that only part of it
  // was written, and the shortened file replaces the old one.
  if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return cause(file_->errorString().toStdString());
  return std::nullopt;
}

std::optional<std::string> LabOutput::stage(std::string bytes) {
  if (direct()) {
    pending_ = std::move(bytes);
    return std::nullopt;
  }
  const auto size = static_cast<qint64>(bytes.size());
  if (file_->write(bytes.data(), size) != size) {
    // A short write sets no error of the file; errno holds the write's own.
    const int error = errno;
    file_->cancelWriting();
    return cause(std::strerror(error));
  }
  return std::nullopt;
}

std::optional<std::string> LabOutput::finish() {
  if (direct()) {
    if (fd_ == STDOUT_FILENO) std::fflush(stdout);
    if (const int error = writeAll(fd_, pending_); error != 0) return cause(std::strerror(error));
    // Some devices and file systems report a failed write only when the file is closed.
    if (ownsFd_) {
      ownsFd_ = false;
      if (::close(fd_) != 0) return cause(std::strerror(errno));
    }
    return std::nullopt;
  }
  if (!file_->commit()) return cause(file_->errorString().toStdString());
  return std::nullopt;
}

std::optional<std::string> deliverAll(std::span<LabOutput* const> outputs,
                                      std::span<const std::string> texts) {
  for (std::size_t i = 0; i < outputs.size(); ++i)
    if (auto failure = outputs[i]->stage(texts[i])) return failure;
  for (const bool direct : {true, false})
    for (LabOutput* output : outputs)
      if (output->direct() == direct)
        if (auto failure = output->finish()) return failure;
  return std::nullopt;
}

}  // namespace kemi::cli
