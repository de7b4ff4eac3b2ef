// Picture files. Every write goes through a QSaveFile: the file appears, whole, only at
// commit, and a failure before it leaves whatever was there untouched.
#include "figures/picture_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace kemi::lab {
namespace {

bool commit(QSaveFile& file, QString& error) {
  if (file.commit()) return true;
  error = QStringLiteral("Could not write %1: %2").arg(file.fileName(), file.errorString());
  return false;
}

// Unbuffered, so that a short write (a full disk, a file size limit) fails the write that made
// it: with a buffer, Qt 6.4 flushes it on commit without noticing that only part of it was
// written, and the shortened file would replace the old one.
bool open(QSaveFile& file, QString& error) {
  if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return true;
  error = QStringLiteral("Could not write %1: %2").arg(file.fileName(), file.errorString());
  return false;
}

}  // namespace

bool renderPainted(const PaintedPicture& picture, const QString& path, double pixelRatio,
                   QByteArray& bytes, QString& error) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QLatin1String("png") && suffix != QLatin1String("svg")) {
    error = QStringLiteral("Could not write %1: the name must end in .png or .svg.").arg(path);
    return false;
  }
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (suffix == QLatin1String("png")) {
    QImage image(picture.size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    picture.paint(painter);
    painter.end();
    if (!image.save(&buffer, "PNG")) {
      error = QStringLiteral("Could not write %1: the PNG encoder failed.").arg(path);
      return false;
    }
  } else {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(picture.size);
    svg.setResolution(96);  // so that SVG viewers show it at the view's size in pixels
    svg.setViewBox(QRect(QPoint(0, 0), picture.size));
    svg.setTitle(picture.title);
    svg.setDescription(picture.description.isEmpty() ? QStringLiteral("Kemi Lab chart")
                                                     : picture.description);
    QPainter painter(&svg);
    picture.paint(painter);
    painter.end();
  }
  return true;
}

bool writeText(const QString& path, const std::string& text, QString& error) {
  QSaveFile file(path);
  if (!open(file, error)) return false;
  const auto size = static_cast<qint64>(text.size());
  if (file.write(text.data(), size) != size) {
    file.cancelWriting();
    error = QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
    return false;
  }
  return commit(file, error);
}

}  // namespace kemi::lab
