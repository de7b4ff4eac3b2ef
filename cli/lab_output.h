// Where a lab command's table and chart go. A regular file (or a new name) is replaced in one
// rename: QSaveFile writes a temporary file in the same folder, so a failure or an interrupt
// never leaves a partial file, and the replaced file keeps its permission bits. Anything else
// (standard output, a terminal, /dev/null, a FIFO, /dev/stdout, /dev/fd/N) is opened and written
// as it is: replacing it would put a regular file where a device or a pipe was.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <span>
#include <string>

class QSaveFile;

namespace kemi::cli {

class LabOutput {
 public:
  // An empty path is standard output.
  explicit LabOutput(QString path);
  ~LabOutput();
  LabOutput(const LabOutput&) = delete;
  LabOutput& operator=(const LabOutput&) = delete;

  // Opens the output (for a regular file, creates its temporary file), so that a folder that
  // cannot be written is known before a long computation. Returns why it cannot, or nothing.
  std::optional<std::string> open();
  // True when the output is written in place rather than replaced.
  bool direct() const { return fd_ >= 0; }

  // For a replaced file, writes the bytes into the temporary file; a direct output keeps them
  // for finish(). Returns why it could not, or nothing.
  std::optional<std::string> stage(std::string bytes);
  // Writes a direct output's bytes, or puts the temporary file in place. Without it the
  // temporary file is removed when this object ends.
  std::optional<std::string> finish();

 private:
  std::string cause(const std::string& reason) const;

  QString path_;
  int fd_ = -1;
  bool ownsFd_ = false;
  std::unique_ptr<QSaveFile> file_;
  std::string pending_;
};

// Writes texts[i] to *outputs[i], all or none as far as files allow: every replaced file's
// temporary file is written first, then the direct outputs, and only then are the files put in
// place, so an output that fails leaves every replaced file as it was. Returns the first failure.
std::optional<std::string> deliverAll(std::span<LabOutput* const> outputs,
                                      std::span<const std::string> texts);

}  // namespace kemi::cli
