// Writing a command's table to standard output or through a QSaveFile.
#include "lab_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace kemi::lab {
namespace {

std::string fileCause(const QSaveFile& file, const QString& path) {
  return "cannot write '" + path.toStdString() + "': " + file.errorString().toStdString();
}

}  // namespace

LabOutput::LabOutput(QString path) : path_(std::move(path)) {}

std::optional<std::string> LabOutput::open() {
  if (path_.isEmpty()) return std::nullopt;
  file_ = std::make_unique<QSaveFile>(path_);
  // Unbuffered, so that a short write (a full disk, a file size limit) shows in what write()
  // returns: with a buffer, Qt 6.4 flushes it on commit without noticing that only part of it
  // was written, and the shortened file replaces the old one.
  if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fileCause(*file_, path_);
  return std::nullopt;
}

std::optional<std::string> LabOutput::commit(const std::string& text) {
  if (!file_) {
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), stdout);
    if (written != text.size() || std::fflush(stdout) != 0)
      return std::string("cannot write to standard output: ") + std::strerror(errno);
    return std::nullopt;
  }
  const auto size = static_cast<qint64>(text.size());
  if (file_->write(text.data(), size) != size) {
    // A short write sets no error of the file; errno holds the write's own.
    const int error = errno;
    file_->cancelWriting();
    return "cannot write '" + path_.toStdString() + "': " + std::strerror(error);
  }
  if (!file_->commit()) return fileCause(*file_, path_);
  return std::nullopt;
}

}  // namespace kemi::lab
