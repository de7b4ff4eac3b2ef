// The Export dialog: Qt's own file dialog with an icon provider that judges a file by its name
// alone. Qt's default provider reads each file's first bytes to find its type, which blocks for
// good on a FIFO without a writer or on /proc/kmsg; here nothing in a listed folder is opened.
// A note under the name says when it names a folder or is too long for the file system.
#pragma once

#include <QAbstractFileIconProvider>
#include <QString>

class QWidget;

namespace kemi::lab {

class NameOnlyIconProvider : public QAbstractFileIconProvider {
 public:
  QIcon icon(IconType type) const override;
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;
};

// Why `path` cannot be an export's file name, in a sentence; empty when it can.
QString exportNameProblem(const QString& path);

// Asks for a file to export to, starting at `start`; empty when the user cancelled.
QString askExportPath(QWidget* parent, const QString& start, const QString& filter);

}  // namespace kemi::lab
