// Where a lab command's table goes: standard output, or a file that is replaced in one rename
// (QSaveFile writes a temporary file in the same folder), so a failure or an interrupt never
// leaves a partial file and never damages the file that was there.
#pragma once

#include <QSaveFile>
#include <QString>
#include <memory>
#include <optional>
#include <string>

namespace kemi::lab {

class LabOutput {
 public:
  // An empty path is standard output.
  explicit LabOutput(QString path);

  // Creates the temporary file, so that a folder that cannot be written is known before a long
  // computation. Returns why it cannot, or nothing.
  std::optional<std::string> open();
  // Writes the whole text and, for a file, puts it in place. Returns why it could not, or
  // nothing. Without a commit the temporary file is removed when this object ends.
  std::optional<std::string> commit(const std::string& text);

 private:
  QString path_;
  std::unique_ptr<QSaveFile> file_;
};

}  // namespace kemi::lab
