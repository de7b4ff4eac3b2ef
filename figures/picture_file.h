// Writing a picture to a PNG or SVG file, chosen by the file's suffix, through a QSaveFile so
// that a failed write leaves an existing file as it was. Needs Qt Gui and Qt SVG only, so the
// command line writes its pictures without the window's library.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <functional>
#include <string>

class QPainter;

namespace kemi::lab {

inline constexpr QSize kChartFileSize{960, 640};

// What a picture file holds: its size in pixels, the SVG's title and description, and how to
// paint it.
struct PaintedPicture {
  QSize size;
  QString title;
  QString description;
  std::function<void(QPainter&)> paint;
};

// PNG at `pixelRatio` device pixels per pixel of `picture.size`, or SVG at that size, chosen by
// the suffix of `path`, into `bytes`. False with the reason in `error`.
bool renderPainted(const PaintedPicture& picture, const QString& path, double pixelRatio,
                   QByteArray& bytes, QString& error);

// Text written into files: a QSaveFile, committed only when every byte was written.
bool writeText(const QString& path, const std::string& text, QString& error);

}  // namespace kemi::lab
