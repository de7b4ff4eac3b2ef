// The Export dialog and its name-only icons.
#include "lab/export_dialog.h"

#include <climits>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QStyle>

#include "lab/lab_widgets.h"

namespace kemi::lab {

namespace {

struct ExportDialog {
  Q_DECLARE_TR_FUNCTIONS(ExportDialog)
};

}  // namespace

QIcon NameOnlyIconProvider::icon(IconType type) const {
  QStyle* style = QApplication::style();
  switch (type) {
    case Folder:
      return style->standardIcon(QStyle::SP_DirIcon);
    case Drive:
      return style->standardIcon(QStyle::SP_DriveHDIcon);
    case Computer:
      return style->standardIcon(QStyle::SP_ComputerIcon);
    default:
      return style->standardIcon(QStyle::SP_FileIcon);
  }
}

// QFileInfo::isDir() asks only for the file's status, which never blocks on a device or a FIFO.
QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
  return icon(info.isDir() ? Folder : File);
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
  if (info.isDir()) return ExportDialog::tr("Folder");
  const QMimeType mime = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
  return mime.isDefault() ? ExportDialog::tr("File") : mime.comment();
}

QString exportNameProblem(const QString& path) {
  const QFileInfo info(path);
  if (info.isDir())
    return ExportDialog::tr("\"%1\" is a folder: Save opens it. Type a file name to export to.")
        .arg(QDir::cleanPath(info.absoluteFilePath()));
  const QByteArray name = QFile::encodeName(info.fileName());
  if (name.size() > NAME_MAX)
    return ExportDialog::tr("The name is %1 bytes long; file names can have at most %2.")
        .arg(name.size())
        .arg(NAME_MAX);
  if (QFile::encodeName(info.absoluteFilePath()).size() >= PATH_MAX)
    return ExportDialog::tr("The path is too long; paths can have at most %1 bytes.")
        .arg(PATH_MAX - 1);
  return {};
}

QString askExportPath(QWidget* parent, const QString& start, const QString& filter) {
  QFileDialog dialog(parent, ExportDialog::tr("Export"), start, filter);
  // Qt's own dialog, since a desktop's native one would not use the provider below.
  dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontUseCustomDirectoryIcons);
  NameOnlyIconProvider icons;
  dialog.setIconProvider(&icons);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  auto* note = makeReasonLabel(&dialog);
  note->setObjectName(QStringLiteral("exportNote"));
  note->setWordWrap(true);
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
    grid->addWidget(note, grid->rowCount(), 0, 1, grid->columnCount());
  if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    const auto check = [&dialog, name, note](const QString& text) {
      const QString problem =
          text.isEmpty() ? QString() : exportNameProblem(dialog.directory().filePath(text));
      note->setText(problem);
      name->setAccessibleDescription(problem);
    };
    QObject::connect(name, &QLineEdit::textChanged, note, check);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace kemi::lab
